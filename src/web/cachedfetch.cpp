#include "web/cachedfetch.h"

#include "web/cache.h"

namespace kestrix {

Fetched cachedfetch(const std::string& cached, bool iforcenew,
                    const std::function<std::string()>& fetch, const Keep& keep,
                    const Usable& usable) {
    const auto copy = [&]() -> std::string {
        if (cached.empty() || !fileexists(cached)) return {};
        std::string text = loadfromfile(cached);
        return !text.empty() && (!usable || usable(text)) ? text : std::string();
    };
    Fetched result;
    if (!iforcenew) {
        result.body = copy();
        result.fromcache = !result.body.empty();
        if (result.fromcache) return result;
    }
    result.body = fetch();
    if (result.body.empty()) {
        if (iforcenew) result.body = copy();
        result.fromcache = result.fellback = !result.body.empty();
        return result;
    }
    if (keep) result.stored = keep(result.body);
    return result;
}

Keep keepas(std::string path) {
    return [path = std::move(path)](const std::string& body) {
        return path.empty() ? Failure() : puttofile(body, path);
    };
}

} // namespace kestrix
