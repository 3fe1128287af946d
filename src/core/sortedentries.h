#pragma once
// The order of the result list, and its compounds kept in that order; each insertion reports
// its position.

#include <string>
#include <string_view>
#include <vector>

#include "core/listedcompound.h"

namespace kestrix {

// Orders entry texts as the list shows them: numeric sort keys in ascending numeric order
// first, then all other texts; letters without regard to case. Returns <0, 0 or >0.
int compareentries(std::string_view a, std::string_view b);

class SortedEntries {
  public:
    // Inserts after any equal entries (by their entry texts); returns the index it went to.
    std::size_t add(ListedCompound compound);
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }
    const ListedCompound& at(std::size_t i) const { return entries_.at(i); }
    const std::vector<ListedCompound>& entries() const { return entries_; }

  private:
    std::vector<ListedCompound> entries_;
};

} // namespace kestrix
