#include "web/images.h"

#include "web/cache.h"
#include "web/cachedfetch.h"
#include "web/cachenames.h"
#include "web/server.h"

namespace kestrix {

void getgif(const std::string& sid, ImageContext& context) {
    const auto path = cachepath(context.scachedir, drawingname(sid));
    context.picture.clear();
    if (!path) return;
    const std::string url = server::imageurl(sid);
    // Drawings do not change: a cached one is used even when pages are fetched anew.
    const Fetched drawing = cachedfetch(
        *path, false,
        [&] {
            context.titlebar.setcaption("retrieving " + url + "...");
            std::string bytes = context.transfer.OpenURL(url);
            if (!bytes.empty()) context.titlebar.setcaption(context.stitle);
            return bytes;
        },
        keepas(path));
    // Shown from the bytes themselves, so that a drawing that could not be stored still shows.
    if (!drawing.body.empty()) context.picture.show(drawing.body);
}

} // namespace kestrix
