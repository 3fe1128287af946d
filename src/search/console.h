#pragma once
// The command line's search: the formula search driven through a console in place of the
// window. Data goes to standard output; the search's messages, and on a terminal a one-line
// progress bar, to standard error.

#include <ostream>
#include <string>

#include "search/arguments.h"
#include "search/fetchreport.h"
#include "web/seams.h"

namespace kestrix {

// Exit statuses of the command line.
namespace exitstatus {
inline constexpr int listed = 0;      // at least one compound was listed
inline constexpr int nothing = 1;     // the server found nothing
inline constexpr int usage = 2;       // a usage error or a query that cannot be searched
inline constexpr int unreachable = 3; // the server could not be had or refused; nothing listed
inline constexpr int unwritten = 4;   // a tabulation file could not be written
} // namespace exitstatus

// The status of a search that listed so many compounds and met what report says.
int searchstatus(std::size_t listed, const FetchReport& report);

struct Console {
    std::ostream& out;
    std::ostream& err;
    bool outterminal = false; // standard output is a terminal: a table unless asked otherwise
    bool errterminal = false; // standard error is a terminal: a progress bar on it
    int columns = 80;         // the terminal's width
};

// Runs a search or tabulate command over the transfer component, letting events run while it
// waits; pages are cached in scachedir. Returns the exit status.
int runcommand(const Command& command, Transfer& transfer, EventLoop& events,
               const std::string& scachedir, Console& console);

} // namespace kestrix
