#include "core/entry.h"

#include <cmath>

#include "core/number.h"
#include "core/text.h"

namespace kestrix {

namespace {
// A value the property column has no use for stands as this, then shows as "?".
constexpr std::string_view novalue = "9999";
// Sorting alphabetically looks at this many characters of the display name.
constexpr std::size_t alphakeylength = 8;
} // namespace

std::string propertyvalue(const std::string& value, bool iskelvin) {
    std::string v = value;
    if (numericvalue(v) == 0) v = novalue;
    double d = numericvalue(v);
    if (!iskelvin) {
        if (d == std::floor(d)) {
            d -= 273;
        } else {
            // Truncate the decimal value, not its binary neighbour below it: 1024.35 K is
            // 751.2 degrees, though the difference in binary is a hair under 751.2.
            const double tenths = (d - 273.15) * 10;
            d = std::floor(std::nearbyint(tenths * 1e6) / 1e6) / 10;
        }
    }
    return v == novalue ? "?" : plaindecimal(d);
}

std::string buildentry(std::string record, const std::string& sid, const std::string& swhat,
                       const std::string& name, const EntryChoices& choices, double draw) {
    strextr(record, "|");
    strextr(record, "=");
    const std::string v = propertyvalue(strextr(record, "|"), choices.iskelvin);
    const double r = roundhalfeven(draw * 1000);

    std::string key;
    if (choices.isortalpha) {
        key = name.substr(0, alphakeylength);
    } else {
        key = formatsortkey(choices.isortprop ? v : plaindecimal(r));
    }
    return key + '\t' + sid + '\t' + swhat + ' ' + v + '\t' + name + '\t' + record;
}

Entry readentry(std::string_view entry) {
    std::string rest(entry);
    Entry fields;
    fields.sortkey = strextr(rest, "\t");
    fields.id = strextr(rest, "\t");
    fields.property = strextr(rest, "\t");
    fields.name = strextr(rest, "\t");
    fields.rest = std::move(rest);
    return fields;
}

} // namespace kestrix
