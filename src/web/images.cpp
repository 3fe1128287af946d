#include "web/images.h"

#include "web/cache.h"
#include "web/server.h"

namespace kestrix {

void getgif(const std::string& sid, ImageContext& context) {
    const auto path = cachepath(context.scachedir, sid + ".gif");
    const std::string url = server::imageurl(sid);
    context.picture.clear();
    if (!path) return;
    if (!fileexists(*path)) {
        context.titlebar.setcaption("retrieving " + url + "...");
        const std::string bytes = context.transfer.OpenURL(url);
        if (bytes.empty()) return;
        puttofile(bytes, *path);
        context.titlebar.setcaption(context.stitle);
    }
    context.picture.load(*path);
}

} // namespace kestrix
