#pragma once
// How the client treats a server that asks it to slow down or refuses it, within one search.
// An answer 429 or 503 is waited out as long as its Retry-After says (5 s without one, at most
// 30 s), then asked once more; after such a wait the search keeps a second between the starts
// of its requests. A 403, or a bot challenge, ends the search's fetching: no further request
// until the next search. A server that answers plainly meets none of this: no pause, no extra
// request.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "web/seams.h"

namespace kestrix {

// The seconds a Retry-After value asks for, given in seconds or as an HTTP date, counted from
// now (a date in the past asks for none); nullopt for a value that is neither.
std::optional<double> retryafterseconds(std::string_view value,
                                        std::chrono::system_clock::time_point now);

// True when page is a bot challenge: the title in its head reads "Just a moment..." (letter
// case and line breaks aside).
bool ischallenge(std::string_view page);

class Politeness {
  public:
    static constexpr double longestwait = 30; // seconds; a longer wait is not waited
    static constexpr double defaultwait = 5;  // seconds, when the server names none
    static constexpr double requestgap = 1;   // seconds between starts, once asked to wait

    explicit Politeness(const Clock& clock = systemclock()) : clock_(clock) {}

    // A new search, or a list click outside one: no pacing, no refusal.
    void newsearch();
    // The server refused this search's requests.
    bool refused() const { return refused_; }

    // Sleeps the seconds the rules ask for, letting window events run; asked tells a wait the
    // server asked for from a gap between requests. False when the user stopped meanwhile.
    using Wait = std::function<bool(double seconds, bool asked)>;

    // One request, by the rules above: attempt runs once, or twice around a wait, and fills in
    // what became of it. Gives back the body; result.fault says why a fetch gave nothing.
    // refusalends: a refusal of this request ends the search's fetching.
    std::string ask(const std::function<std::string(TransferResult&)>& attempt,
                    TransferResult& result, bool refusalends, const Wait& wait);

  private:
    // Keeps the gap between request starts once paced; false when stopped meanwhile.
    bool pace(const Wait& wait);

    const Clock& clock_;
    bool paced_ = false;
    bool refused_ = false;
    std::chrono::steady_clock::time_point laststart_;
};

} // namespace kestrix
