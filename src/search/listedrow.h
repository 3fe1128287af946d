#pragma once
// A listed compound as the command line prints it: the one place that reads a compound's
// fields for the command line's output.

#include <string>

#include "core/listedcompound.h"

namespace kestrix {

struct ListedRow {
    std::string name;     // the display name
    std::string id;       // the server's identifier
    std::string cas;      // empty when the compound has none
    std::string formula;  // empty when its page was not had
    std::string mw;       // the molecular weight as the page gives it; may be empty
    std::string property; // "BP" or "MP"
    std::string value;    // the property value as listed, in unit; "?" for none
    std::string unit;     // "K" or "C"
};

ListedRow listedrow(const ListedCompound& compound);

} // namespace kestrix
