#pragma once
// A transfer component that serves bytes by address and misbehaves as a test scripts it: an
// error status (with its page and a Retry-After), a stall, an answer cut short, a refused
// connection. A request ends when deliver() runs, which the test hooks into the events the
// fetcher lets run; a stalled request ends only when cancelled. Plain C++, no Qt.

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakerequest.h"
#include "web/seams.h"

namespace kestrix::test {

struct Misbehaviour {
    int status = 200;       // the answer's status
    std::string body;       // its body; the served bytes when empty and status is 200
    std::string retryafter; // its Retry-After header
    bool stall = false;     // no answer ever comes
    bool cutshort = false;  // the connection closes before the whole answer came
    bool refuse = false;    // the connection is refused: no answer at all

    static Misbehaviour answer(int status, std::string body = {}, std::string retryafter = {}) {
        Misbehaviour how;
        how.status = status;
        how.body = std::move(body);
        how.retryafter = std::move(retryafter);
        return how;
    }
    static Misbehaviour stalling() {
        Misbehaviour how;
        how.stall = true;
        return how;
    }
    static Misbehaviour cut() {
        Misbehaviour how;
        how.cutshort = true;
        return how;
    }
    static Misbehaviour refusing() {
        Misbehaviour how;
        how.refuse = true;
        return how;
    }
};

class ScriptedTransfer : public Transfer {
  public:
    class Request : public FakeRequest {
      public:
        Request(ScriptedTransfer& owner, std::string body, Misbehaviour how)
            : FakeRequest(std::move(body)), owner_(owner), how_(std::move(how)) {}
        ~Request() override { std::erase(owner_.live_, this); }
        std::string GetChunk(int size) override { return nextchunk(size); }
        void Cancel() override {
            if (!running_) return;
            ++owner_.cancels;
            cancel();
        }
        TransferResult result() const override {
            TransferResult r;
            r.retryafter = how_.retryafter;
            if (cancelled_) return failed(Fault::timeout, "cancelled");
            if (how_.refuse) return failed(Fault::noanswer, "the connection was refused");
            r.status = how_.status;
            if (how_.cutshort) {
                r.fault = Fault::cutshort;
                r.reason = "the connection closed before the whole answer came";
                return r;
            }
            if (how_.status < 200 || how_.status > 299) {
                r.fault = Fault::status;
                r.reason = "the server answered with status " + std::to_string(how_.status);
                r.errorpage = body_;
                return r;
            }
            return r;
        }
        bool stalls() const { return how_.stall; }
        // The transfer's own time-out ends a stall.
        void timeout() {
            how_.stall = false;
            how_.refuse = true;
            running_ = false;
        }
        void deliver() {
            const bool ok =
                !how_.refuse && !how_.cutshort && how_.status >= 200 && how_.status <= 299;
            if (ok && StateChanged) StateChanged(transferstate::responsereceived);
            if (how_.cutshort && StateChanged) StateChanged(transferstate::responsereceived);
            if (running_ && StateChanged) {
                StateChanged(ok ? transferstate::responsecompleted : transferstate::error);
            }
            running_ = false;
        }

      private:
        ScriptedTransfer& owner_;
        Misbehaviour how_;
    };

    std::unique_ptr<TransferRequest> Execute(const std::string& url, const std::string&,
                                             const std::string&, const std::string&) override {
        requests.push_back(url);
        const auto found = served.find(url);
        std::optional<Misbehaviour> how = script ? script(url) : std::nullopt;
        if (!how) {
            how = Misbehaviour{};
            if (found == served.end()) how->status = 404;
        }
        std::string body = how->body;
        if (body.empty() && how->status == 200 && found != served.end()) body = found->second;
        // Cut short: half of what would have come.
        if (how->cutshort) body.resize(body.size() / 2);
        auto request = std::make_unique<Request>(*this, std::move(body), *how);
        live_.push_back(request.get());
        return request;
    }

    // What letting events run does: the request started last of those still running ends,
    // unless it stalls. True when one ended.
    bool deliver() {
        for (auto at = live_.rbegin(); at != live_.rend(); ++at) {
            if (!(*at)->StillExecuting()) continue;
            if ((*at)->stalls()) return false;
            (*at)->deliver();
            return true;
        }
        return false;
    }
    // Ends every stalled request as the transfer's time-out would.
    void timeoutall() {
        for (Request* request : live_) {
            if (request->StillExecuting() && request->stalls()) request->timeout();
        }
    }
    bool stalled() const {
        return std::any_of(live_.begin(), live_.end(),
                           [](const Request* r) { return r->StillExecuting() && r->stalls(); });
    }

    std::map<std::string, std::string> served; // bytes by address
    std::function<std::optional<Misbehaviour>(const std::string& url)> script;
    std::vector<std::string> requests;
    int cancels = 0;

  private:
    std::vector<Request*> live_;
};

} // namespace kestrix::test
