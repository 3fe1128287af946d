#pragma once
// The formula search: from the formula box to a filled result list, each compound read from
// the page cache or fetched, named, listed in order and shown as it is added. It decides when
// a search runs: never one inside another, nor inside a list click.

#include <random>
#include <string>

#include "compound/getdata.h"
#include "core/query.h"
#include "search/fetchreport.h"
#include "search/seams.h"
#include "search/trigger.h"
#include "web/cachedfetch.h"
#include "web/fetcher.h"
#include "web/images.h"
#include "web/politeness.h"

namespace kestrix {

struct SearchServices {
    const std::string& scachedir;
    Fetcher* fetcher; // told to stop the search's requests at once; may be null in tests
    PageSource& pages;
    ImageContext& images;
    double searchpause = 2; // seconds of pause after a search that fetched its result page
    Politeness* politeness = nullptr; // the fetches' waits and refusals, begun anew by each search
    const Clock* clock = &systemclock(); // the trigger's time, and the seed of the random keys
    bool offline = false;                // pages come from the cache alone: no server need be named
};

class FormulaSearch {
  public:
    // The random sort keys come from a generator seeded from the services' clock.
    FormulaSearch(SearchWindow& window, SearchServices services);

    void seed(unsigned value) { random_.seed(value); }

    // The Search/STOP button: stops a running search at once (no request of it starts
    // afterwards), else searches with the window's choices. While a stopped search is still
    // ending (its button still reads "STOP"), a press does nothing; during a list click it
    // waits for the click to end.
    void Command1_Click();

    // The search trigger: a choice made while a search runs stops it, and the search runs
    // again with the new choices once the stopped one has ended; otherwise as the button.
    void searchtriggered();

    // The trigger (search/trigger.h): arming it gives the time until it is due, for the
    // window's timer. Once due, firing acts on "search" and returns whether "tab" was pending,
    // for the window to open its menu; before, it does nothing.
    std::chrono::milliseconds settrigger(std::string word);
    bool triggerfired();
    const Trigger& trigger() const { return trigger_; }
    void cleartrigger() { trigger_.disarm(); }

    // A search is listing and has not been stopped.
    bool searching() const { return searching_; }

    // One search, by formula, CAS number or name as the box text asks (core/query.h). An empty
    // box, or a CAS number with a wrong check digit, shows a message, asks nothing and leaves
    // the list as it was.
    void dosearch(const SearchChoices& choices);

    // The one way an entry is shown: a click on it, and the end of a search for its first. The
    // list takes no click meanwhile; a search asked for meanwhile stops the fetching and runs
    // once the entry is shown, never inside it.
    void showentry(std::size_t index);

    // Whether the values in the list are in kelvin: the unit of the search that made them.
    bool listedinkelvin() const { return listedinkelvin_; }
    // The requests of the search or click under way are to end at once.
    bool stopping() const { return stopping_ || (clicking_ && again_); }
    // What the fetches of the last search met; empty when it asked nothing.
    const FetchReport& report() const { return report_; }

  private:
    // Searches, and again while a choice made meanwhile asks for it.
    void run();
    void runqueued();
    void stop();
    // The result page from the cache or the server, what became of it noted in report.
    Fetched fetchresultpage(const Query& query, bool iforcenew, FetchReport& report);
    // Notes what became of a compound's page; false when the search's fetching is to end.
    bool noteoutcome(const PageOutcome& outcome, const std::string& name, bool iforcenew,
                     FetchReport& report);
    // The window idle again, the first entry shown, the one message.
    void finish(const Query& query, const FetchReport& report, bool foundany);
    // The panel's one filler: for the search as it lists, and for showentry.
    Failure show(const ListedCompound& compound, bool ishowprop, bool ishowpic);

    SearchWindow& window_;
    SearchServices services_;
    std::mt19937 random_;
    bool running_ = false;
    bool searching_ = false;
    Trigger trigger_;
    bool again_ = false;
    bool stopping_ = false;
    bool clicking_ = false;
    bool listedinkelvin_ = true;
    FetchReport report_;
};

} // namespace kestrix
