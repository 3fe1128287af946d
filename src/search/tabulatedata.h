#pragma once
// The two tabulation commands: the whole result list as an HTML table or a CSV file in the page
// cache, named after the formula box text, opened with the desktop's default program.

#include <string>
#include <vector>

#include "search/seams.h"

namespace kestrix {

// The checked groups of the "&Tabulate" menu.
struct TabulationChoices {
    bool temperatures = true;
    bool phasechange = false;
    bool gasliquidsolid = false;
};

struct TabulationContext {
    std::string scachedir;
    MessageBoxes& messages;
    DocumentOpener& opener;
};

// Writes and opens the table of the listed compounds; text is the formula box text as typed,
// which names the file (web/cachenames.h). A failed write shows one message and opens nothing.
void tabulatedata(bool isexcel, const TabulationChoices& choices,
                  const std::vector<ListedCompound>& compounds, const std::string& text,
                  TabulationContext& context);

} // namespace kestrix
