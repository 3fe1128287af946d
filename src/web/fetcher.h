#pragma once
// The page fetcher: getHTMLpage on top of the transfer component, and wait.

#include <string>

#include "web/seams.h"

namespace kestrix {

// Where compound pages and result pages come from.
class PageSource {
  public:
    virtual ~PageSource() = default;
    // The page body, or empty text after a failed transfer; result, when given, receives what
    // became of the request.
    virtual std::string getHTMLpage(const std::string& surl, const std::string& cap,
                                    TransferResult* result = nullptr) = 0;
};

class Politeness;

class Fetcher : public PageSource {
  public:
    // shtml, when given, keeps the body of the last page fetched; politeness, when given,
    // governs waits and refusals.
    Fetcher(Transfer& transfer, TitleBar& titlebar, EventLoop& events, MessageBoxes& messages,
            std::string* shtml = nullptr, Politeness* politeness = nullptr);

    // The title to put back after a transfer.
    void setstitle(const std::string& stitle) { stitle_ = stitle; }

    // The page body, or empty text when the transfer failed, the status was not 2xx or the
    // body was larger than maxbodybytes. A message box shows only when the request could not
    // be started. Each call reads its own request: calls that nest inside each other, as
    // window events run during the wait, never see each other's pages.
    std::string getHTMLpage(const std::string& surl, const std::string& cap,
                            TransferResult* result = nullptr) override;

  private:
    // One request for the page, start to end.
    std::string once(const std::string& surl, const std::string& cap, TransferResult& result);

    Transfer& transfer_;
    TitleBar& titlebar_;
    EventLoop& events_;
    MessageBoxes& messages_;
    std::string stitle_;
    std::string* shtml_;
    Politeness* politeness_;
};

// Returns after t seconds, letting window events run meanwhile; t <= 0 returns at once.
void wait(double t, EventLoop& events);

} // namespace kestrix
