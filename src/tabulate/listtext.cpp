#include "tabulate/listtext.h"

#include "core/entry.h"
#include "core/record.h"
#include "core/text.h"

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

std::string listtext(const std::vector<std::string>& entries, bool iskelvin) {
    std::string property = "Property";
    if (!entries.empty()) {
        std::string column = readentry(entries.front()).property;
        property = strextr(column, " ");
    }
    std::string text =
        line({"Name", property + (iskelvin ? " (Kelvin)" : " (oC)"), "CAS#", "Formula", "MW"});
    for (const std::string& entry : entries) {
        const Entry e = readentry(entry);
        std::string value = e.property;
        strextr(value, " ");
        const RecordItems items = readrecord(e.rest);
        text += line({e.name, value == "?" ? "" : value, items.casreg, items.formula,
                      items.molecularweight});
    }
    return text;
}

} // namespace kestrix
