#include "tabulate/listtext.h"

namespace kestrix {

namespace {

std::string cell(std::string value) {
    for (char& c : value) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return value;
}

std::string line(const std::vector<std::string>& cells) {
    std::string text;
    for (const std::string& value : cells) text += (text.empty() ? "" : "\t") + cell(value);
    return text + "\n";
}

} // namespace

std::string listtext(const std::vector<ListedCompound>& compounds, bool iskelvin) {
    std::string property = "Property";
    if (!compounds.empty()) {
        property = compounds.front().property;
        iskelvin = compounds.front().iskelvin;
    }
    std::string text = line({"Name", property + " (" + std::string(unitlabel(iskelvin)) + ")",
                             "CAS#", "Formula", "MW"});
    for (const ListedCompound& compound : compounds) {
        const RecordItems& items = compound.items;
        text += line({compound.name, compound.value == "?" ? "" : compound.value, items.casreg,
                      items.formula, items.molecularweight});
    }
    return text;
}

} // namespace kestrix
