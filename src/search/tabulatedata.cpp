#include "search/tabulatedata.h"

#include "tabulate/tabulate.h"
#include "web/cache.h"
#include "web/cachenames.h"
#include "web/server.h"

namespace kestrix {

void tabulatedata(bool isexcel, const TabulationChoices& choices,
                  const std::vector<ListedCompound>& compounds, const std::string& text,
                  TabulationContext& context) {
    const std::string fieldlist =
        tabulationfieldlist(choices.temperatures, choices.phasechange, choices.gasliquidsolid);
    const TableLinks links{server::threedprefix(),
                           [](std::string_view sid) { return drawingname(sid); }};
    const Tabulation tables = tabulate(compounds, fieldlist, links);
    const std::string file = tabulationname(text, isexcel);
    const std::string path = cachepath(context.scachedir, file);
    if (path.empty()) {
        context.messages.message("Bad file name: " + file);
        return;
    }
    if (const Failure stored = puttofile(isexcel ? tables.csv : tables.html, path); !stored.ok()) {
        context.messages.message(path + " could not be written: " + stored.reason);
        return;
    }
    context.opener.open(path);
}

} // namespace kestrix
