#pragma once
// The page fetcher: getHTMLpage on top of the transfer component, and wait.

#include <string>

#include "web/seams.h"

namespace kestrix {

// Where compound pages and result pages come from.
class PageSource {
  public:
    virtual ~PageSource() = default;
    // The page body, or empty text after a failed transfer.
    virtual std::string getHTMLpage(const std::string& surl, const std::string& cap) = 0;
};

class Fetcher : public PageSource {
  public:
    // shtml is the page buffer the body accumulates in; the fetcher's own when not given.
    Fetcher(Transfer& transfer, TitleBar& titlebar, EventLoop& events, MessageBoxes& messages,
            std::string* shtml = nullptr);
    ~Fetcher() override;

    // The title to put back after a transfer.
    void setstitle(const std::string& stitle) { stitle_ = stitle; }

    // The page body, or empty text when the transfer failed, the status was not 2xx or the
    // body was larger than maxbodybytes. A message box shows only when the request could not
    // be started.
    std::string getHTMLpage(const std::string& surl, const std::string& cap) override;

    // The transfer component's state-change handler.
    void statechanged(int state);

  private:
    Transfer& transfer_;
    TitleBar& titlebar_;
    EventLoop& events_;
    MessageBoxes& messages_;
    std::string stitle_;
    std::string ownbuffer_;
    std::string& shtml_;
    bool overflow_ = false;
};

// Returns after t seconds, letting window events run meanwhile; t <= 0 returns at once.
void wait(double t, EventLoop& events);

} // namespace kestrix
