#include "core/sortedentries.h"

#include <algorithm>
#include <cstdlib>

#include "core/number.h"

namespace kestrix {

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

std::size_t SortedEntries::add(ListedCompound compound) {
    const std::string text = entrytext(compound);
    const auto at = std::upper_bound(entries_.begin(), entries_.end(), text,
                                     [](const std::string& a, const ListedCompound& b) {
                                         return compareentries(a, entrytext(b)) < 0;
                                     });
    const auto index = static_cast<std::size_t>(at - entries_.begin());
    entries_.insert(at, std::move(compound));
    return index;
}

} // namespace kestrix
