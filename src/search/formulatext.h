#pragma once
// The formula box text as the search and the tabulation take it, and their messages about it.

#include <string_view>

namespace kestrix {

inline constexpr std::string_view emptyformulamessage =
    "First enter a molecular formula, such as \"C5H12\".";
inline constexpr std::string_view unsafeformulamessage =
    "A molecular formula cannot contain \"/\" or \"\\\".";

// The formula names cache files: a path separator in it would put them outside the cache.
inline bool haspathseparator(std::string_view text) {
    return text.find_first_of("/\\") != std::string_view::npos;
}

} // namespace kestrix
