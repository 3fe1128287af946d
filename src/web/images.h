#pragma once
// Structure drawings: fetched once as bytes, kept in the page cache as <identifier>.gif and
// shown from there. The drawing is asked for at the address of the server's pages of their
// time, then at today's; once today's has answered, or the older one was refused, later
// drawings of the run go to today's address directly.

#include <string>
#include <string_view>

#include "web/fetcher.h"
#include "web/seams.h"

namespace kestrix {

struct ImageContext {
    std::string scachedir;
    PageSource& pages;
    Picture& picture;
    bool usestructure = false; // today's address is the one to ask in this run
};

// True when bytes begin as a GIF, PNG or JPEG image does.
bool isimage(std::string_view bytes);

// Shows the drawing of compound sid, fetching it when the cache has none (or holds something
// that is no image). Only image bytes are stored; a store that failed is returned (ok when it
// was stored or nothing had to be). An identifier that cannot name a cache file shows nothing
// and fetches nothing; when no drawing comes, the picture stays empty.
Failure getgif(const std::string& sid, ImageContext& context);

} // namespace kestrix
