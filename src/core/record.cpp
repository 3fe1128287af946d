#include "core/record.h"

#include "core/fields.h"
#include "core/text.h"

namespace kestrix {

std::string getfield(std::string_view swhat, std::string_view slist) {
    constexpr std::size_t window = 100;
    const std::string marker = std::string(swhat) + "=";
    const auto p = slist.find(marker);
    if (p == std::string_view::npos) return {};
    std::string value(slist.substr(p + marker.size(), window));
    return strextr(value, "|");
}

RecordItems lastitems(std::string rest) {
    RecordItems items;
    while (!rest.empty()) {
        std::string value = strextr(rest, "|");
        if (value.empty()) continue;
        const std::string key = strextr(value, "=");
        if (key == fields::formula) items.formula = value;
        if (key == fields::molecularweight) items.molecularweight = value;
        if (key == fields::casreg) items.casreg = value;
        if (key == fields::str3file) items.str3file = value;
        if (key == fields::file) items.file = value;
    }
    return items;
}

} // namespace kestrix
