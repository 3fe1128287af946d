#include "core/sortedentries.h"

#include <algorithm>

#include "core/entry.h"

namespace kestrix {

std::size_t SortedEntries::add(std::string entry) {
    const auto at = std::upper_bound(
        entries_.begin(), entries_.end(), entry,
        [](const std::string& a, const std::string& b) { return compareentries(a, b) < 0; });
    const auto index = static_cast<std::size_t>(at - entries_.begin());
    entries_.insert(at, std::move(entry));
    return index;
}

} // namespace kestrix
