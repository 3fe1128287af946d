#include "core/entry.h"

#include <cmath>
#include <cstdlib>

#include "core/number.h"
#include "core/text.h"

namespace kestrix {

std::string propertyvalue(const std::string& value, bool iskelvin) {
    std::string v = value;
    if (numericvalue(v) == 0) v = "9999";
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
    return v == "9999" ? "?" : plaindecimal(d);
}

std::string buildentry(std::string record, const std::string& sid, const std::string& swhat,
                       const std::string& name, const EntryChoices& choices, double draw) {
    strextr(record, "|");
    strextr(record, "=");
    const std::string v = propertyvalue(strextr(record, "|"), choices.iskelvin);
    const double r = roundhalfeven(draw * 1000);

    std::string key;
    if (choices.isortalpha) {
        key = name.substr(0, 8);
    } else {
        key = formatsortkey(choices.isortprop ? v : plaindecimal(r));
    }
    return key + '\t' + sid + '\t' + swhat + ' ' + v + '\t' + name + '\t' + record;
}

namespace {

unsigned char fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

int comparefolded(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = fold(static_cast<unsigned char>(a[i]));
        const unsigned char y = fold(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return 0;
}

} // namespace

int compareentries(std::string_view a, std::string_view b) {
    const std::string_view keya = a.substr(0, a.find('\t'));
    const std::string_view keyb = b.substr(0, b.find('\t'));
    const bool numbera = issortkeynumber(keya);
    const bool numberb = issortkeynumber(keyb);
    if (numbera != numberb) return numbera ? -1 : 1;
    if (numbera) {
        const double x = std::strtod(std::string(keya).c_str(), nullptr);
        const double y = std::strtod(std::string(keyb).c_str(), nullptr);
        if (x != y) return x < y ? -1 : 1;
        return comparefolded(a.substr(keya.size()), b.substr(keyb.size()));
    }
    return comparefolded(a, b);
}

} // namespace kestrix
