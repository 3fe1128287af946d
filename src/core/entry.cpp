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

ListedCompound listcompound(std::string record, const std::string& sid, const std::string& swhat,
                            const std::string& name, const EntryChoices& choices, double draw) {
    strextr(record, "|");
    strextr(record, "=");
    ListedCompound compound;
    compound.value = propertyvalue(strextr(record, "|"), choices.iskelvin);
    const double r = roundhalfeven(draw * 1000);
    if (choices.isortalpha) {
        compound.sortkey = name.substr(0, alphakeylength);
    } else {
        compound.sortkey = formatsortkey(choices.isortprop ? compound.value : plaindecimal(r));
    }
    compound.id = sid;
    compound.property = swhat;
    compound.iskelvin = choices.iskelvin;
    compound.name = name;
    compound.items = lastitems(record);
    compound.record = std::move(record);
    return compound;
}

std::string buildentry(std::string record, const std::string& sid, const std::string& swhat,
                       const std::string& name, const EntryChoices& choices, double draw) {
    return entrytext(listcompound(std::move(record), sid, swhat, name, choices, draw));
}

} // namespace kestrix
