#include "web/fetcher.h"

#include "web/politeness.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrix {

namespace {

// The transfer component hands the body over in pieces of at most this many bytes.
constexpr int chunksize = 10000;
// While a transfer runs, the fetcher looks at it again at least this often.
constexpr int pollms = 100;

// The state-change handler of one request: drains the body that has arrived into body. A body
// larger than maxbodybytes cancels the request and counts as failed.
void statechanged(TransferRequest& request, int state, std::string& body, bool& overflow,
                  EventLoop& events) {
    if (state != transferstate::responsereceived && state != transferstate::responsecompleted) {
        return;
    }
    for (;;) {
        std::string chunk = request.GetChunk(chunksize);
        if (chunk.empty()) break;
        if (overflow) continue;
        if (body.size() + chunk.size() > maxbodybytes) {
            overflow = true;
            body.clear();
            body.shrink_to_fit();
            request.Cancel();
            break;
        }
        body += chunk;
        events.doevents();
    }
}

} // namespace

Fetcher::Fetcher(Transfer& transfer, TitleBar& titlebar, EventLoop& events, MessageBoxes& messages,
                 std::string* shtml, Politeness* politeness)
    : transfer_(transfer), titlebar_(titlebar), events_(events), messages_(messages), shtml_(shtml),
      politeness_(politeness) {}

std::string Fetcher::getHTMLpage(const std::string& surl, const std::string& cap,
                                 TransferResult* result) {
    std::string body = fetch(surl, cap + surl, true, true, result);
    if (shtml_) *shtml_ = body;
    return body;
}

std::string Fetcher::getdrawing(const std::string& url, bool guess, TransferResult* result) {
    return fetch(url, url, false, !guess, result);
}

std::string Fetcher::fetch(const std::string& url, const std::string& caption, bool alwaysrestore,
                           bool refusalends, TransferResult* result) {
    TransferResult outcome;
    bool waiting = false; // the title bar says the server asked to wait
    const auto attempt = [&](TransferResult& r) {
        waiting = false;
        return once(url, caption, alwaysrestore, r);
    };
    const auto pause = [&](double seconds, bool asked) {
        if (asked) {
            waiting = true;
            titlebar_.setcaption("waiting " + std::to_string(std::llround(std::ceil(seconds))) +
                                 " s, as the server asked, before retrieving " + caption + "...");
        }
        // In steps, so that STOP ends the wait soon.
        constexpr int stepms = 100;
        for (long long ms = std::llround(seconds * 1000); ms > 0; ms -= stepms) {
            if (stopped()) return false;
            events_.sleep(static_cast<int>(std::min<long long>(ms, stepms)));
        }
        return !stopped();
    };
    std::string body =
        politeness_ ? politeness_->ask(attempt, outcome, refusalends, pause) : attempt(outcome);
    // A wait that ended without a request after it leaves no stale "waiting" in the title bar.
    if (waiting) titlebar_.restorecaption();
    if (result) *result = outcome;
    return body;
}

std::string Fetcher::once(const std::string& url, const std::string& caption, bool alwaysrestore,
                          TransferResult& result) {
    if (stopped()) {
        result = failed(Fault::stopped, "stopped");
        return {};
    }
    titlebar_.setcaption("retrieving " + caption + "...");
    const std::unique_ptr<TransferRequest> request = transfer_.Execute(url, "GET", "", "");
    std::string body;
    bool overflow = false;
    bool cancelled = false;
    request->StateChanged = [&](int state) {
        statechanged(*request, state, body, overflow, events_);
    };
    // Waiting on the transfer itself: the fetch ends as soon as the transfer does, or at once
    // when the user stops.
    while (request->StillExecuting()) {
        if (stopped()) {
            cancelled = true;
            request->Cancel();
            break;
        }
        events_.waitforevents(pollms);
    }
    request->StateChanged = nullptr;
    result = request->result();
    if (result.fault == Fault::notstarted) {
        titlebar_.restorecaption();
        messages_.message(result.reason);
        return {};
    }
    if (cancelled) {
        result = failed(Fault::stopped, "stopped");
    } else if (overflow) {
        result = failed(Fault::toolarge, "the answer was too large", result.status);
    }
    if (!result.ok()) body.clear();
    if (alwaysrestore || !body.empty()) titlebar_.restorecaption();
    return body;
}

void wait(double t, EventLoop& events) {
    if (!(t > 0)) return;
    // The event seam sleeps in int milliseconds: a longer wait goes in pieces.
    constexpr long long longest = std::numeric_limits<int>::max();
    for (long long ms = std::llround(std::min(t * 1000, 1e18)); ms > 0; ms -= longest) {
        events.sleep(static_cast<int>(std::min(ms, longest)));
    }
}

} // namespace kestrix
