#include "web/cachedfetch.h"

#include "web/cache.h"

namespace kestrix {

Fetched cachedfetch(const std::string& cached, bool iforcenew,
                    const std::function<std::string()>& fetch, const Keep& keep) {
    Fetched result;
    if (!cached.empty() && !iforcenew && fileexists(cached)) {
        result.body = loadfromfile(cached);
        result.fromcache = !result.body.empty();
        if (result.fromcache) return result;
    }
    result.body = fetch();
    if (!result.body.empty() && keep && !keep(result.body, result.storeerror)) {
        if (result.storeerror.empty()) result.storeerror = "not stored";
    }
    return result;
}

Keep keepas(std::optional<std::string> path) {
    return [path = std::move(path)](const std::string& body, std::string& error) {
        return !path || puttofile(body, *path, 0, &error);
    };
}

} // namespace kestrix
