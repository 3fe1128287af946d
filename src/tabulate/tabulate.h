#pragma once
// The tabulation of the result list: the field list from the checked groups, the field lookup
// in a compound record, and the HTML and CSV texts.

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// The tabulation field list for the checked groups, always in the order temperatures, phase
// change, gas/liquid/solid, each group led by an empty element; temperatures when none is.
std::string tabulationfieldlist(bool temperatures, bool phasechange, bool gasliquidsolid);

// The value of the first "swhat=" anywhere in slist: at most 100 characters after the "=",
// cut at "|" and trimmed. Empty text when there is none.
std::string getfield(std::string_view swhat, std::string_view slist);

struct Tabulation {
    std::string html;
    std::string csv;
};

// Both tables for the list entries (sort key, identifier, property, name, record rest, joined
// by tabs). threedprefix is the 3-D structure file address that the reference is appended to.
Tabulation tabulate(const std::vector<std::string>& entries, const std::string& fieldlist,
                    const std::string& threedprefix);

} // namespace kestrix
