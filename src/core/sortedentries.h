#pragma once
// The order of the result list, and its entries kept in that order; each insertion reports its
// position.

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// Orders entries as the list shows them: numeric sort keys in ascending numeric order first,
// then all other texts; letters without regard to case. Returns <0, 0 or >0.
int compareentries(std::string_view a, std::string_view b);

class SortedEntries {
  public:
    // Inserts after any equal entries; returns the index it was inserted at.
    std::size_t add(std::string entry);
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }
    const std::string& at(std::size_t i) const { return entries_.at(i); }
    const std::vector<std::string>& entries() const { return entries_; }

  private:
    std::vector<std::string> entries_;
};

} // namespace kestrix
