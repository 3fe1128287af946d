#pragma once
// The fakes of every seam below the window, for the tests of the search. Plain C++, no Qt.

#include <string>

#include "panelrecorder.h"
#include "search/seams.h"
#include "webfakes.h"

namespace kestrix::test {

class OpenRecorder : public DocumentOpener {
  public:
    void open(const std::string& target) override { targets.push_back(target); }
    Strings targets;
};

} // namespace kestrix::test
