#pragma once
// What the compound layer needs of the window: the link labels and the rest of the compound
// panel. The window implements them; tests implement them with recorders.

#include <string>

#include "web/seams.h"

namespace kestrix {

enum class Link { details, threed, msds, chemfinder, nist };

// The four compound link labels, whose captions are emptied while a page is read.
class LinkCaptions {
  public:
    virtual ~LinkCaptions() = default;
    virtual void emptylinkcaptions() = 0;
};

// The compound panel: the window caption, the data text and the link labels. The drawing goes
// to the picture box through the web layer's Picture.
class Panel : public TitleBar, public LinkCaptions {
  public:
    virtual void setdatatext(const std::string& text) = 0;
    // Sets a link's caption and Tag; the Tag stays until it is set again or cleared.
    virtual void setlink(Link link, const std::string& caption, const std::string& tag) = 0;
    // Empties the four compound links, captions and Tags: nothing of an earlier compound
    // can be opened.
    virtual void clearlinks() = 0;
};

} // namespace kestrix
