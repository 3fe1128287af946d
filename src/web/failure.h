#pragma once
// What failed and why: one value for every request and every cache write of the web layer, and
// the few words a message names it by.

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
    notstored,   // a file of the page cache could not be written
};

// "status 500", "no answer", "time-out", "cut short", "refused", ...; empty for none.
std::string faultwords(Fault fault, int status);

// The default value is no failure.
struct Failure {
    Fault fault = Fault::none;
    int status = 0;     // the final HTTP status; 0 when no answer came
    std::string reason; // why, in a sentence's words ("the connection was refused")

    bool ok() const { return fault == Fault::none; }
    std::string words() const { return faultwords(fault, status); }
};

inline Failure failure(Fault fault, std::string reason, int status = 0) {
    return {fault, status, std::move(reason)};
}

} // namespace kestrix
