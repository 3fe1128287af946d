#pragma once
// Structure drawings: fetched once as bytes, kept in the page cache as <identifier>.gif and
// shown from there.

#include <string>

#include "core/seams.h"
#include "web/transfer.h"

namespace kestrix {

// The picture box of the compound panel.
class Picture {
  public:
    virtual ~Picture() = default;
    virtual void clear() = 0;
    // Loads and shows the image file; a file that is not an image leaves the box empty.
    virtual void load(const std::string& path) = 0;
};

struct ImageContext {
    std::string scachedir;
    std::string stitle;
    Transfer& transfer;
    TitleBar& titlebar;
    Picture& picture;
};

// Shows the drawing of compound sid. An identifier that cannot name a cache file shows nothing.
void getgif(const std::string& sid, ImageContext& context);

} // namespace kestrix
