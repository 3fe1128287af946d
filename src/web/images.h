#pragma once
// Structure drawings: fetched once as bytes, kept in the page cache as <identifier>.gif and
// shown from there.

#include <string>

#include "web/seams.h"

namespace kestrix {

struct ImageContext {
    std::string scachedir;
    std::string stitle;
    Transfer& transfer;
    TitleBar& titlebar;
    Picture& picture;
};

// Shows the drawing of compound sid, fetching it when the cache has none. An identifier that
// cannot name a cache file shows nothing and fetches nothing; when no bytes come, the title
// keeps its "retrieving" text and the picture stays empty.
void getgif(const std::string& sid, ImageContext& context);

} // namespace kestrix
