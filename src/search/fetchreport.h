#pragma once
// What the fetches of one search met, gathered for the one message the search shows at its end.

#include <string>
#include <vector>

namespace kestrix {

// A compound whose page could not be had, and why in a few words ("status 500").
struct NotHad {
    std::string name;
    std::string why;
};

struct FetchReport {
    std::string resultpage;    // why the result page could not be had; empty when it could
    bool refused = false;      // the server refused the search's requests
    std::vector<NotHad> pages; // the compound pages not had, in list order
    int cachedcopies = 0;      // pages shown from the cache because fetching them anew failed
    std::string cachedwhy;     // why the last of those fetches failed
    std::string storeerror;    // why the page cache could not be written; the first one
    bool offline = false;      // what was not had was not asked for: only the cache was read
    int listedonly = 0;        // the server listed only this many compounds; 0: all it found
};

} // namespace kestrix
