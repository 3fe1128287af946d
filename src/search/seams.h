#pragma once
// What the formula search and the tabulation need of the window and the desktop. The window
// implements them; tests implement them with recorders.

#include <cstddef>
#include <string>

#include "compound/seams.h"
#include "core/listedcompound.h"

namespace kestrix {

// The user's choices as the formula search reads them from the window when it starts.
struct SearchChoices {
    bool ishowprop = true;
    bool ishowpic = true;
    bool isortprop = true;
    bool isortalpha = false;
    bool iforcenew = false;
    std::string swhat = "BP";
    bool iskelvin = true;
    std::string formula; // the formula box text as typed
    std::string filter;  // the name filter box text as typed
};

// Hands a URL or a local file to the program the desktop associates with it.
class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    virtual void open(const std::string& target) = 0;
};

// The window as the formula search drives it: its panel, enabling and result list.
class SearchWindow : public Panel {
  public:
    virtual SearchChoices choices() const = 0;
    // Switches the window between idle (true) and searching (false).
    virtual void setenables(bool tf) = 0;

    virtual void clearlist() = 0;
    // Adds a compound at its place in list order; returns that position.
    virtual std::size_t additem(const ListedCompound& compound) = 0;
    virtual std::size_t listcount() const = 0;
    // The compound listed at index (below listcount).
    virtual const ListedCompound& compoundat(std::size_t index) const = 0;
    // Highlights an entry; shows nothing (the search shows what it lists).
    virtual void selectitem(std::size_t index) = 0;
    // Whether the list takes clicks.
    virtual void enablelist(bool tf) = 0;
    virtual void focuslist() = 0;
    // Empties the data box and the compound links (captions and Tags).
    virtual void clearpanel() = 0;

    virtual MessageBoxes& messages() = 0;
    virtual EventLoop& events() = 0;

    // The search is about to read the n-th of the total compounds the result page lists; the
    // window's title bar says so already through the fetcher, so by default nothing more is
    // told.
    virtual void fetching(int n, int total, const std::string& name) {
        (void)n, (void)total, (void)name;
    }
    // A line of text in the area of an empty list, saying why it is empty; empty text for none.
    // The next clearlist removes it.
    virtual void setlistnote(const std::string& text) { (void)text; }
    // No server host is set: asks the user for one; true once one is set.
    virtual bool askforhost() { return false; }
};

} // namespace kestrix
