#pragma once
// The entries of the result list, kept in list order; each insertion reports its position.

#include <string>
#include <vector>

namespace kestrix {

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
