#pragma once
// How the client treats a server that asks it to slow down or refuses it, within one search.
// An answer 429 or 503 is waited out as long as its Retry-After says (5 s without one, at most
// 30 s), letting window events run, then asked once more; after such a wait the search keeps a
// second between the starts of its requests. A 403, or a bot challenge, ends the search's
// fetching: no further request until the next search. A server that answers plainly meets
// none of this: no pause, no extra request.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "web/seams.h"

namespace kestrix {

// The seconds a Retry-After value asks for, given in seconds or as an HTTP date, counted from
// now; nullopt for a value that is neither.
std::optional<double> retryafterseconds(std::string_view value,
                                        std::chrono::system_clock::time_point now);

// True when page is a bot challenge: its title is "Just a moment...".
bool ischallenge(std::string_view page);

class Politeness {
  public:
    static constexpr double longestwait = 30; // seconds; a longer wait is not waited
    static constexpr double defaultwait = 5;  // seconds, when the server names none
    static constexpr double requestgap = 1;   // seconds between starts, once asked to wait

    Politeness(EventLoop& events, TitleBar& titlebar) : events_(events), titlebar_(titlebar) {}

    // A new search: no pacing, no refusal. stopped, when given, tells that the user pressed
    // STOP, which ends a wait.
    void newsearch(std::function<bool()> stopped = {});
    // The server refused this search's requests.
    bool refused() const { return refused_; }

    // One request, by the rules above: attempt runs once, or twice around a wait, and fills in
    // what became of it. Gives back the body; result.askedtowait or result.refused say why a
    // fetch gave nothing. what names the request in the title bar during a wait.
    std::string ask(const std::function<std::string(TransferResult&)>& attempt,
                    TransferResult& result, const std::string& what);

  private:
    void pace();
    // Waits seconds, saying so in the title bar; false when STOP ended the wait.
    bool wait(double seconds, const std::string& what);

    EventLoop& events_;
    TitleBar& titlebar_;
    std::function<bool()> stopped_;
    bool paced_ = false;
    bool refused_ = false;
    std::chrono::steady_clock::time_point laststart_;
};

} // namespace kestrix
