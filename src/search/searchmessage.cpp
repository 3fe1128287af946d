#include "search/searchmessage.h"

#include <cstdio>

#include "web/server.h"

namespace kestrix {

namespace {

// "a (status 500), b (no answer) and 3 more"; without the reasons, "a, b and 3 more".
std::string listed(const std::vector<NotHad>& pages, std::size_t most, bool why = true) {
    std::string text;
    const std::size_t named = std::min(pages.size(), most);
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0) text += ", ";
        text += pages[i].name;
        if (why) text += " (" + pages[i].why + ")";
    }
    if (pages.size() > named) {
        // One format text: a short literal would be built from immediates in the binary, whose
        // fragments ("mor") read as misspellings to the package checker.
        char more[48];
        std::snprintf(more, sizeof more, " and %zu more", pages.size() - named);
        text += more;
    }
    return text;
}

} // namespace

std::string searchmessage(const FetchReport& report, const std::string& query,
                          const std::string& scachedir) {
    const std::string host(server::host());
    std::string text;
    const auto add = [&text](const std::string& sentence) {
        text += (text.empty() ? "" : "\r\n\r\n") + sentence;
    };
    if (report.listedonly > 0) {
        add("The server listed only the first " + std::to_string(report.listedonly) +
            " compounds it found for " + query + "; a narrower question shows the rest.");
    }
    if (report.offline) {
        // Nothing was asked of the server: all that was missing is named, with nothing about it.
        if (!report.resultpage.empty()) {
            add("The search results for " + query + " are not in the page cache " + scachedir +
                ".");
        }
        if (!report.pages.empty()) {
            add("Not in the page cache: " + listed(report.pages, report.pages.size(), false) + ".");
        }
        return text;
    }
    if (report.refused) {
        add("The server " + host + " refused the requests of this search. Please try again later.");
    } else if (!report.resultpage.empty()) {
        add("The search results for " + query + " could not be had from " + host + ": " +
            report.resultpage);
    }
    if (!report.pages.empty()) {
        add("Not had from " + host + ": " + listed(report.pages, mostnamed) + ".");
    }
    if (report.cachedcopies > 0) {
        add("Pages could not be fetched anew from " + host + " (" + report.cachedwhy + "). " +
            std::to_string(report.cachedcopies) + " cached " +
            (report.cachedcopies == 1 ? "copy was" : "copies were") + " shown instead.");
    }
    if (!report.storeerror.empty()) {
        add("The page cache " + scachedir + " could not be written (" + report.storeerror +
            "); the search went on without it.");
    }
    return text;
}

} // namespace kestrix
