#pragma once
// Recorders and scripted fakes of the web layer's seams: message boxes, title bar, events,
// picture, transfer component and page source. Plain C++, no Qt.

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "fakerequest.h"
#include "web/fetcher.h"
#include "web/seams.h"

namespace kestrix::test {

using Strings = std::vector<std::string>;

inline TransferResult outcome(bool succeeded, int status, std::string reason = {}) {
    TransferResult result;
    result.status = status;
    result.reason = std::move(reason);
    if (!succeeded) result.fault = status != 0 ? Fault::status : Fault::noanswer;
    return result;
}

// Message boxes that record each text and answer with the chosen button.
class MessageRecorder : public MessageBoxes {
  public:
    Answer message(const std::string& text, Buttons buttons) override {
        texts.push_back(text);
        this->buttons.push_back(buttons);
        if (onmessage) onmessage(text);
        return answer;
    }
    Strings texts;
    std::vector<Buttons> buttons;
    Answer answer = Answer::ok;
    std::function<void(const std::string&)> onmessage;
};

class TitleRecorder : public TitleBar {
  public:
    void setcaption(const std::string& text) override { captions.push_back(text); }
    void restorecaption() override { captions.push_back(stitle); }
    std::string stitle = "Kestrix"; // the title text
    Strings captions;
};

// Letting events run, as the test scripts it: each hook stands for the events that arrive.
class EventRecorder : public EventLoop {
  public:
    void doevents() override {
        ++doeventcalls;
        if (ondoevents) ondoevents();
    }
    void waitforevents(int) override {
        if (onwait) onwait();
    }
    void sleep(int ms) override {
        sleeps.push_back(ms);
        if (onsleep) onsleep();
    }
    int doeventcalls = 0;
    std::vector<int> sleeps;
    std::function<void()> ondoevents, onwait, onsleep;
};

class PictureRecorder : public Picture {
  public:
    void clear() override { calls.push_back("clear"); }
    void show(const std::string& bytes) override { calls.push_back("show " + bytes); }
    Strings calls;
};

// A transfer component whose requests deliver the scripted states when deliver() runs, then
// end; OpenURL answers from a table of bodies by address.
class FakeTransfer : public Transfer {
  public:
    class Request : public FakeRequest {
      public:
        Request(FakeTransfer& transfer, const std::string& url)
            : FakeRequest(transfer.bodies.count(url) ? transfer.bodies.at(url) : transfer.body),
              transfer_(transfer), succeeded_(transfer.succeeded && !transfer.failing.count(url)) {}
        ~Request() override { std::erase(transfer_.live, this); }
        std::string GetChunk(int size) override {
            transfer_.chunksizes.push_back(size);
            return nextchunk(size);
        }
        void Cancel() override {
            ++transfer_.cancels;
            cancel();
        }
        TransferResult result() const override {
            const bool ok = succeeded_ && !cancelled_;
            return outcome(ok, transfer_.status, ok ? "" : "failed");
        }
        void deliver() {
            for (int state : transfer_.states) {
                if (running_ && StateChanged) StateChanged(state);
            }
            running_ = false;
        }

      private:
        FakeTransfer& transfer_;
        bool succeeded_;
    };

    std::unique_ptr<TransferRequest> Execute(const std::string& url, const std::string& operation,
                                             const std::string& input,
                                             const std::string& headers) override {
        requests.push_back(operation + " " + url + "|" + input + "|" + headers);
        if (!starterror.empty()) return std::make_unique<UnstartedRequest>(starterror);
        auto request = std::make_unique<Request>(*this, url);
        live.push_back(request.get());
        return request;
    }
    // What letting events run does: the request started last of those still running reports
    // its states and ends.
    void deliver() {
        for (auto at = live.rbegin(); at != live.rend(); ++at) {
            if ((*at)->StillExecuting()) {
                (*at)->deliver();
                return;
            }
        }
    }

    std::string starterror; // not empty: no request can be started
    std::string body;       // the body of every address without one of its own
    std::map<std::string, std::string> bodies;
    std::set<std::string> failing; // addresses whose requests fail
    std::vector<int> states;
    bool succeeded = true;
    int status = 200;
    std::vector<int> chunksizes;
    int cancels = 0;
    Strings requests;
    std::vector<Request*> live;
};

// Pages and drawings by address; any other page address gives otherwise (empty text: a failed
// fetch), any other drawing address a 404.
class PageRecorder : public PageSource {
  public:
    std::string getHTMLpage(const std::string& surl, const std::string& cap,
                            TransferResult* result) override {
        requests.push_back(cap + surl);
        if (onfetch) onfetch(surl);
        const auto page = pages.find(surl);
        const std::string body = page == pages.end() ? otherwise : page->second;
        const auto scripted = results.find(surl);
        if (scripted != results.end()) {
            if (result) *result = scripted->second;
            return scripted->second.ok() ? body : std::string();
        }
        if (result)
            *result = outcome(!body.empty(), body.empty() ? 404 : 200, body.empty() ? reason : "");
        return body;
    }
    std::string getdrawing(const std::string& url, bool guess, TransferResult* result) override {
        opened.push_back(url);
        guesses.push_back(guess);
        const auto scripted = results.find(url);
        if (scripted != results.end()) {
            if (result) *result = scripted->second;
            return {};
        }
        const auto drawing = drawings.find(url);
        const bool found = drawing != drawings.end();
        if (result) *result = outcome(found, found ? 200 : 404, found ? "" : "not found");
        return found ? drawing->second : std::string();
    }
    std::map<std::string, std::string> pages, drawings;
    std::string otherwise;
    std::string reason = "the server answered with status 404"; // of an address without a page
    std::map<std::string, TransferResult> results; // what became of the request, by address
    Strings requests, opened;                      // pages, drawings asked for
    std::vector<bool> guesses; // of each drawing asked for: at an address the server may not know
    std::function<void(const std::string& url)> onfetch;
};

} // namespace kestrix::test
