#pragma once
// The compound panel: data text, structure drawing, caption and the four compound links,
// filled from one result list entry alone.

#include <string>

#include "compound/seams.h"
#include "core/listedcompound.h"
#include "web/images.h"

namespace kestrix {

// Fills the panel from a listed compound: ishowprop adds the property line, in the unit it was
// listed in; ishowpic shows the drawing. The details link points into images.scachedir.
// Returns why the drawing could not be kept in the cache; ok when it was.
Failure showGif(const ListedCompound& compound, bool ishowprop, bool ishowpic, Panel& panel,
                ImageContext& images);

} // namespace kestrix
