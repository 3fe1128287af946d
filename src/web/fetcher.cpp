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
    TransferResult outcome;
    std::string body;
    if (politeness_) {
        body = politeness_->ask([&](TransferResult& r) { return once(surl, cap, r); }, outcome,
                                "retrieving " + cap + surl);
    } else {
        body = once(surl, cap, outcome);
    }
    if (result) *result = outcome;
    if (shtml_) *shtml_ = body;
    return body;
}

std::string Fetcher::once(const std::string& surl, const std::string& cap, TransferResult& result) {
    titlebar_.setcaption("retrieving " + cap + surl + "...");
    std::string error;
    const std::unique_ptr<TransferRequest> request = transfer_.Execute(surl, "GET", "", "", error);
    std::string body;
    bool overflow = false;
    if (request) {
        request->StateChanged = [&](int state) {
            statechanged(*request, state, body, overflow, events_);
        };
        // Waiting on the transfer itself: the fetch ends as soon as the transfer does.
        while (request->StillExecuting()) events_.waitforevents(pollms);
        request->StateChanged = nullptr;
    }
    titlebar_.setcaption(stitle_);
    if (!request) {
        messages_.message(error);
        result = {};
        result.reason = error;
        result.told = true;
        return {};
    }
    result = request->result();
    if (overflow) {
        result.succeeded = false;
        result.reason = "the answer was too large";
    }
    if (!result.succeeded) body.clear();
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
