#pragma once
// Structure drawings: fetched once as bytes, kept in the page cache as <identifier>.gif and
// shown from there. The drawing is asked for at the address of the server's pages of their
// time, then at today's; once today's has answered, later drawings of the run go there first.

#include <string>
#include <string_view>

#include "web/politeness.h"
#include "web/seams.h"

namespace kestrix {

struct ImageContext {
    std::string scachedir;
    std::string stitle;
    Transfer& transfer;
    TitleBar& titlebar;
    Picture& picture;
    bool usestructure = false;        // today's address has answered in this run
    Politeness* politeness = nullptr; // governs waits and refusals, when given
};

// True when bytes begin as a GIF, PNG or JPEG image does.
bool isimage(std::string_view bytes);

// Shows the drawing of compound sid, fetching it when the cache has none (or holds something
// that is no image). Only image bytes are stored. An identifier that cannot name a cache file
// shows nothing and fetches nothing; when no drawing comes, the title keeps its "retrieving"
// text and the picture stays empty.
void getgif(const std::string& sid, ImageContext& context);

} // namespace kestrix
