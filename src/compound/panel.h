#pragma once
// The compound panel: data text, structure drawing, caption and the four compound links,
// filled from one result list entry alone.

#include <string>

#include "compound/seams.h"
#include "web/images.h"

namespace kestrix {

// Fills the panel from the entry swhat: ishowprop adds the property line (in kelvin or, when
// iskelvin is false, Celsius), ishowpic shows the drawing. The details link points into
// images.scachedir. Returns why the drawing could not be kept in the cache; empty when it was.
std::string showGif(const std::string& swhat, bool ishowprop, bool ishowpic, bool iskelvin,
                    Panel& panel, ImageContext& images);

} // namespace kestrix
