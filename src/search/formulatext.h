#pragma once
// The search box text as the search and the tabulation take it, and their messages about it.

#include <string>
#include <string_view>

#include "core/query.h"

namespace kestrix {

inline constexpr std::string_view emptyformulamessage =
    "First enter a molecular formula, such as \"C5H12\".";

// Why the query cannot be searched: an empty box, or a CAS number whose check digit is wrong
// (the message names the right one). Empty text when it can.
inline std::string querymessage(const Query& query) {
    if (query.kind == QueryKind::none) return std::string(emptyformulamessage);
    if (query.kind == QueryKind::cas && query.expectedcheck >= 0) {
        return query.text + " is not a CAS registry number: its check digit would be " +
               std::to_string(query.expectedcheck) + ".";
    }
    return {};
}

} // namespace kestrix
