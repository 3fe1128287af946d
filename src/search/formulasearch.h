#pragma once
// The formula search: from the formula box to a filled result list, each compound read from
// the page cache or fetched, named, listed in order and shown as it is added.

#include <random>
#include <string>

#include "search/seams.h"
#include "web/fetcher.h"
#include "web/images.h"

namespace kestrix {

struct SearchServices {
    const std::string& scachedir;
    PageSource& pages;
    ImageContext& images;
    double searchpause = 2; // seconds of pause after a search that fetched its result page
};

class FormulaSearch {
  public:
    // The random sort keys come from a generator seeded from the clock.
    FormulaSearch(SearchWindow& window, SearchServices services);

    void seed(unsigned value) { random_.seed(value); }

    // The Search/STOP button: stops a running search, else searches with the window's choices.
    void Command1_Click();

    // One search. An empty formula, or one holding a path separator, shows a message and leaves
    // the list as it was.
    void dosearch(const SearchChoices& choices);

  private:
    SearchWindow& window_;
    SearchServices services_;
    std::mt19937 random_;
};

} // namespace kestrix
