#pragma once
// What a click on a compound link opens.

#include <string>

#include "compound/seams.h"

namespace kestrix {

// The target formed from the link's Tag, which is appended as it stands (not encoded). Empty for
// the details link with an empty Tag.
std::string linktarget(Link link, const std::string& tag);

} // namespace kestrix
