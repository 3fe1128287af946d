#pragma once
// The compound panel as the tests of the compound layer see it. Plain C++, no Qt.

#include <string>

#include "compound/seams.h"
#include "webfakes.h"

namespace kestrix::test {

// The compound panel, recording every call as a line of text.
class PanelRecorder : public Panel {
  public:
    void setcaption(const std::string& text) override { calls.push_back("caption " + text); }
    void restorecaption() override { calls.push_back("title"); }
    void emptylinkcaptions() override { calls.push_back("empty links"); }
    void clearlinks() override { calls.push_back("clear links"); }
    void setdatatext(const std::string& text) override { calls.push_back("text " + text); }
    void setlink(Link link, const std::string& caption, const std::string& tag) override {
        calls.push_back("link " + std::to_string(int(link)) + " " + caption + " " + tag);
    }
    Strings calls;
};

} // namespace kestrix::test
