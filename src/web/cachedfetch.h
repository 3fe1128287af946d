#pragma once
// The page cache's one rule for result pages, compound pages and drawings: the cached copy
// unless forced; otherwise a fetch, whose answer is kept. An empty copy counts as missing, and
// an empty answer (a failed fetch) is never kept, so it cannot replace a good copy; when a
// forced fetch fails, the cached copy is shown all the same.

#include <functional>
#include <string>

#include "web/failure.h"

namespace kestrix {

struct Fetched {
    std::string body;       // the copy or the answer; empty when neither could be had
    bool fromcache = false; // body is the cached copy
    bool fellback = false;  // ...shown because fetching anew failed
    Failure stored;         // why the answer could not be kept; ok when it was, or on none
};

// Stores a non-empty answer in the cache; what failed when it could not.
using Keep = std::function<Failure(const std::string& body)>;
// Whether a cached copy can be shown.
using Usable = std::function<bool(const std::string& copy)>;

// cached: the full path of the cached copy; empty when there is none to read. usable, when
// given, turns away copies it does not take (they count as missing).
Fetched cachedfetch(const std::string& cached, bool iforcenew,
                    const std::function<std::string()>& fetch, const Keep& keep,
                    const Usable& usable = {});

// Keeps the answer byte for byte as the file path; keeps nothing without a path (empty text).
Keep keepas(std::string path);

} // namespace kestrix
