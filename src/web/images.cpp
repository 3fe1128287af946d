#include "web/images.h"

#include "web/cache.h"
#include "web/cachedfetch.h"
#include "web/cachenames.h"
#include "web/server.h"

namespace kestrix {

namespace {

// The bytes at url, with the title bar saying so while they come.
std::string openimage(const std::string& url, ImageContext& context) {
    const auto once = [&](TransferResult& result) {
        context.titlebar.setcaption("retrieving " + url + "...");
        return context.transfer.OpenURL(url, &result);
    };
    TransferResult result;
    std::string bytes = context.politeness
                            ? context.politeness->ask(once, result, "retrieving " + url)
                            : once(result);
    if (!bytes.empty()) context.titlebar.setcaption(context.stitle);
    return bytes;
}

// The drawing from the server: at the older address unless today's has answered already.
std::string fetchdrawing(const std::string& sid, ImageContext& context) {
    if (!context.usestructure) {
        std::string bytes = openimage(server::imageurl(sid), context);
        if (isimage(bytes)) return bytes;
    }
    std::string bytes = openimage(server::structureurl(sid), context);
    if (!isimage(bytes)) return {};
    context.usestructure = true;
    return bytes;
}

} // namespace

bool isimage(std::string_view bytes) {
    return bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a") ||
           bytes.starts_with("\x89PNG\r\n\x1a\n") || bytes.starts_with("\xff\xd8\xff");
}

void getgif(const std::string& sid, ImageContext& context) {
    const auto path = cachepath(context.scachedir, drawingname(sid));
    context.picture.clear();
    if (!path) return;
    // Drawings do not change: a cached one is used even when pages are fetched anew.
    const Fetched drawing = cachedfetch(
        *path, false, [&] { return fetchdrawing(sid, context); }, keepas(path), isimage);
    // Shown from the bytes themselves, so that a drawing that could not be stored still shows.
    if (!drawing.body.empty()) context.picture.show(drawing.body);
}

} // namespace kestrix
