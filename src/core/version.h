#pragma once
// The program's version text, shown in the title bar and the About box.

#include <string_view>

namespace kestrix {

inline constexpr std::string_view version = "1.0d3";

} // namespace kestrix
