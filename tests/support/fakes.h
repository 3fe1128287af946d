#pragma once
// Recorders and scripted fakes for the seams of the layers below the window. Plain C++: the
// tests of the search link no Qt.

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "compound/seams.h"
#include "search/seams.h"
#include "web/fetcher.h"
#include "web/seams.h"

namespace kestrix::test {

using Strings = std::vector<std::string>;

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
    Strings captions;
};

class OpenRecorder : public DocumentOpener {
  public:
    void open(const std::string& target) override { targets.push_back(target); }
    Strings targets;
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

// The compound panel, recording every call as a line of text.
class PanelRecorder : public Panel {
  public:
    void setcaption(const std::string& text) override { calls.push_back("caption " + text); }
    void emptylinkcaptions() override { calls.push_back("empty links"); }
    void setdatatext(const std::string& text) override { calls.push_back("text " + text); }
    void setlink(Link link, const std::string& caption, const std::string& tag) override {
        calls.push_back("link " + std::to_string(int(link)) + " " + caption + " " + tag);
    }
    Strings calls;
};

// A transfer component whose request delivers the scripted states when deliver() runs, then
// ends; OpenURL answers from a table of bodies by address.
class FakeTransfer : public Transfer {
  public:
    bool Execute(const std::string& url, const std::string& operation, const std::string& input,
                 const std::string& headers, std::string& error) override {
        requests.push_back(operation + " " + url + "|" + input + "|" + headers);
        if (!starterror.empty()) error = starterror;
        running = running || starterror.empty();
        read = 0;
        return starterror.empty();
    }
    bool StillExecuting() const override { return running; }
    std::string GetChunk(int size) override {
        chunksizes.push_back(size);
        const std::string chunk = body.substr(std::min(read, body.size()), std::size_t(size));
        read += chunk.size();
        return chunk;
    }
    bool Succeeded() const override { return succeeded; }
    void Cancel() override {
        ++cancels;
        succeeded = running = false;
    }
    std::string OpenURL(const std::string& url) override {
        opened.push_back(url);
        const auto answer = answers.find(url);
        return answer == answers.end() ? std::string() : answer->second;
    }
    void deliver() {
        for (int state : states) {
            if (running && StateChanged) StateChanged(state);
        }
        running = false;
    }

    std::string starterror; // not empty: the request cannot be started
    std::string body;
    std::vector<int> states;
    bool succeeded = true, running = false;
    std::size_t read = 0;
    std::vector<int> chunksizes;
    int cancels = 0;
    Strings requests, opened;
    std::map<std::string, std::string> answers;
};

// Pages by address; any other address gives otherwise (empty text: a failed fetch).
class PageRecorder : public PageSource {
  public:
    std::string getHTMLpage(const std::string& surl, const std::string& cap) override {
        requests.push_back(cap + surl);
        if (onfetch) onfetch(surl);
        const auto page = pages.find(surl);
        return page == pages.end() ? otherwise : page->second;
    }
    std::map<std::string, std::string> pages;
    std::string otherwise;
    Strings requests;
    std::function<void(const std::string& url)> onfetch;
};

} // namespace kestrix::test
