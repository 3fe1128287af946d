#pragma once
// The compound panel: data text, structure drawing, caption and the four compound links,
// filled from one result list entry alone.

#include <string>

#include "compound/getdata.h"

namespace kestrix {

enum class Link { details, threed, msds, chemfinder, nist };

// The controls of the compound panel.
class Panel : public LinkCaptions {
  public:
    virtual void setcaption(const std::string& text) = 0;
    virtual void setdatatext(const std::string& text) = 0;
    // Sets a link's caption and Tag; the Tag stays until it is set again.
    virtual void setlink(Link link, const std::string& caption, const std::string& tag) = 0;
    virtual void clearpicture() = 0;
    virtual void getgif(const std::string& sid) = 0;
};

// Fills the panel from the entry swhat; ishowprop adds the property line, ishowpic the drawing.
void showGif(const std::string& swhat, bool ishowprop, bool ishowpic, bool iskelvin,
             const std::string& scachedir, Panel& panel);

// What a click on a link opens, formed from its Tag (not encoded). Empty for details with an
// empty Tag.
std::string linktarget(Link link, const std::string& tag);

} // namespace kestrix
