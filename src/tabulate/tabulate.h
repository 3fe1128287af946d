#pragma once
// The tabulation of the result list: the field list from the checked groups, and the HTML and
// CSV texts.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/listedcompound.h"

namespace kestrix {

// The tabulation field list for the checked groups, always in the order temperatures, phase
// change, gas/liquid/solid, each group led by an empty element; temperatures when none is.
std::string tabulationfieldlist(bool temperatures, bool phasechange, bool gasliquidsolid);

struct Tabulation {
    std::string html;
    std::string csv;
};

// Where the table's links point: the 3-D structure file address that a reference is appended
// to, and the file name of a compound's drawing beside the table.
struct TableLinks {
    std::string threedprefix;
    std::function<std::string(std::string_view sid)> drawing;
};

// Both tables for the listed compounds, each row's values looked up with getfield in the
// compound's record.
Tabulation tabulate(const std::vector<ListedCompound>& compounds, const std::string& fieldlist,
                    const TableLinks& links);

} // namespace kestrix
