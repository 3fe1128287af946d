#include "web/fetcher.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrix {

namespace {
// The transfer component hands the body over in pieces of at most this many bytes.
constexpr int chunksize = 10000;
// While a transfer runs, the fetcher looks at it again at least this often.
constexpr int pollms = 100;
} // namespace

Fetcher::Fetcher(Transfer& transfer, TitleBar& titlebar, EventLoop& events, MessageBoxes& messages,
                 std::string* shtml)
    : transfer_(transfer), titlebar_(titlebar), events_(events), messages_(messages),
      shtml_(shtml ? *shtml : ownbuffer_) {
    transfer_.StateChanged = [this](int state) { statechanged(state); };
}

Fetcher::~Fetcher() {
    transfer_.StateChanged = nullptr;
}

std::string Fetcher::getHTMLpage(const std::string& surl, const std::string& cap) {
    shtml_.clear();
    overflow_ = false;
    titlebar_.setcaption("retrieving " + cap + surl + "...");
    std::string error;
    const bool started = transfer_.Execute(surl, "GET", "", "", error);
    // Waiting on the transfer itself: the fetch ends as soon as the transfer does.
    while (transfer_.StillExecuting()) events_.waitforevents(pollms);
    titlebar_.setcaption(stitle_);
    if (!started) {
        messages_.message(error);
        return {};
    }
    if (overflow_ || !transfer_.Succeeded()) {
        shtml_.clear();
        return {};
    }
    return shtml_;
}

void Fetcher::statechanged(int state) {
    if (state != transferstate::responsereceived && state != transferstate::responsecompleted) {
        return;
    }
    for (;;) {
        std::string chunk = transfer_.GetChunk(chunksize);
        if (chunk.empty()) break;
        if (overflow_) continue;
        if (shtml_.size() + chunk.size() > maxbodybytes) {
            overflow_ = true;
            shtml_.clear();
            shtml_.shrink_to_fit();
            transfer_.Cancel();
            break;
        }
        shtml_ += chunk;
        events_.doevents();
    }
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
