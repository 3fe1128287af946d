#pragma once
// The result list as text for the clipboard: tab-separated lines, so that a paste into a
// spreadsheet gives one row per compound.

#include <string>
#include <vector>

#include "core/listedcompound.h"

namespace kestrix {

// A header line, then one line per compound in list order: display name, property value (empty
// for "?"), CAS number, formula, molecular weight. iskelvin names the unit of an empty list.
// Tabs and line breaks inside a value become blanks.
std::string listtext(const std::vector<ListedCompound>& compounds, bool iskelvin);

} // namespace kestrix
