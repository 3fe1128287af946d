#pragma once
// Which names a file of the page cache may have.

#include <string_view>

namespace kestrix {

// True when name can be a file directly in the cache directory on Linux and Windows alike: UTF-8
// without control characters or any of / \ < > : " | ? *, not "." or "..", not ending in a dot
// or a space, not a Windows device name with or without an extension ("CON", "lpt1.htm").
bool safename(std::string_view name);

} // namespace kestrix
