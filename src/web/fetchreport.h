#pragma once
// What the fetches of one search met, gathered for the one message the search shows at its end.

#include <string>
#include <vector>

namespace kestrix {

struct FetchReport {
    std::string resultpage; // why the result page could not be had; empty when it could
    int cachedcopies = 0;   // pages shown from the cache because fetching them anew failed
    std::string cachedwhy;  // why the last of those fetches failed
    bool refused = false;   // the server refused the search's requests
    // The compounds whose pages could not be had because the server asked to wait or refused.
    std::vector<std::string> waitedfor, refusedfor;
};

} // namespace kestrix
