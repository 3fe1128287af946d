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
    Politeness* politeness = nullptr; // the fetches' waits and refusals, begun anew by each search
};

class FormulaSearch {
  public:
    // The random sort keys come from a generator seeded from the clock.
    FormulaSearch(SearchWindow& window, SearchServices services);

    void seed(unsigned value) { random_.seed(value); }

    // The Search/STOP button: stops a running search, else searches with the window's choices.
    // While a stopped search is still ending (its button still reads "STOP"), a press does
    // nothing: a search never starts inside another.
    void Command1_Click();

    // The search trigger: a choice made while a search runs stops it, and the search runs
    // again with the new choices once the stopped one has ended; otherwise as the button.
    void searchtriggered();

    // One search. An empty formula, or one holding a path separator, shows a message and leaves
    // the list as it was.
    void dosearch(const SearchChoices& choices);

    // Whether the values in the list are in kelvin: the unit of the search that made them.
    bool listedinkelvin() const { return listedinkelvin_; }

  private:
    // Searches, and again while a choice made meanwhile asks for it.
    void run();

    SearchWindow& window_;
    SearchServices services_;
    std::mt19937 random_;
    bool running_ = false;
    bool again_ = false;
    bool listedinkelvin_ = true;
};

} // namespace kestrix
