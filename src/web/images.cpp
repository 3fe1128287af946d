#include "web/images.h"

#include "web/cache.h"
#include "web/cachedfetch.h"
#include "web/cachenames.h"
#include "web/server.h"

namespace kestrix {

namespace {

// The drawing from the server: at the older address unless today's is known to be the one.
std::string fetchdrawing(const std::string& sid, ImageContext& context) {
    if (!context.usestructure) {
        TransferResult guess;
        std::string bytes = context.pages.getdrawing(server::imageurl(sid), true, &guess);
        if (isimage(bytes)) return bytes;
        if (guess.fault == Fault::stopped) return {};
        // A server that refuses the older address may still serve today's.
        if (guess.fault == Fault::refused) context.usestructure = true;
    }
    std::string bytes = context.pages.getdrawing(server::structureurl(sid), false);
    if (!isimage(bytes)) return {};
    context.usestructure = true;
    return bytes;
}

} // namespace

bool isimage(std::string_view bytes) {
    return bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a") ||
           bytes.starts_with("\x89PNG\r\n\x1a\n") || bytes.starts_with("\xff\xd8\xff");
}

Failure getgif(const std::string& sid, ImageContext& context) {
    const std::string path = cachepath(context.scachedir, drawingname(sid));
    context.picture.clear();
    if (path.empty()) return {};
    // Drawings do not change: a cached one is used even when pages are fetched anew.
    const Fetched drawing = cachedfetch(
        path, false, [&] { return fetchdrawing(sid, context); }, keepas(path), isimage);
    // Shown from the bytes themselves, so that a drawing that could not be stored still shows.
    if (!drawing.body.empty()) context.picture.show(drawing.body);
    return drawing.stored;
}

} // namespace kestrix
