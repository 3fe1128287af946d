#include "search/searchmessage.h"

#include "web/server.h"

namespace kestrix {

namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

std::string searchmessage(const FetchReport& report, const std::string& formula) {
    const std::string host(server::host());
    std::string text;
    const auto add = [&text](const std::string& sentence) {
        text += (text.empty() ? "" : "\r\n\r\n") + sentence;
    };
    if (report.refused) {
        add("The server " + host + " refused the requests of this search. Please try again later.");
        if (!report.refusedfor.empty())
            add("Not had because of that: " + joined(report.refusedfor) + ".");
    } else if (!report.resultpage.empty()) {
        add("The search results for " + formula + " could not be had from " + host + ": " +
            report.resultpage);
    }
    if (!report.waitedfor.empty()) {
        add("The server asked to wait; not had because of that: " + joined(report.waitedfor) + ".");
    }
    if (report.cachedcopies > 0) {
        add("Pages could not be fetched anew from " + host + " (" + report.cachedwhy + "). " +
            std::to_string(report.cachedcopies) + " cached " +
            (report.cachedcopies == 1 ? "copy was" : "copies were") + " shown instead.");
    }
    if (!text.empty() && !report.refused && server::placeholder()) {
        text += "\r\n\r\nNo server host is set: " + host +
                " is a placeholder that names no server. Set the host in the environment "
                "variable KESTRIX_SERVER_HOST, or build with -DKESTRIX_SERVER_HOST=<host>.";
    }
    return text;
}

} // namespace kestrix
