#pragma once
// Why a fetch gave nothing: one value for every request of the web layer, and the few words a
// message names it by.

#include <string>

namespace kestrix {

enum class Fault {
    none,        // a complete body came under a 2xx status
    notstarted,  // the request could not be started (told at once)
    noanswer,    // no answer came: refused connection, unknown host, closed before a status
    timeout,     // the answer did not come, or not whole, in time
    cutshort,    // the connection closed before the whole answer came
    status,      // the server answered with a status other than 2xx
    toolarge,    // the answer was larger than the program takes
    askedtowait, // the server asked to wait (429, 503), and the page could not be had
    refused,     // the server refused the request (403 or a challenge page)
    stopped,     // the user stopped the search
    offline,     // not asked at all: the run reads only the page cache, which lacks it
};

// "status 500", "no answer", "time-out", "cut short", "refused", ...; empty for none.
std::string faultwords(Fault fault, int status);

} // namespace kestrix
