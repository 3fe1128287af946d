#pragma once
// The page fetcher: getHTMLpage and the drawings' fetch on top of the transfer component, and
// wait.

#include <functional>
#include <string>

#include "web/seams.h"

namespace kestrix {

// Where compound pages, result pages and drawings come from.
class PageSource {
  public:
    virtual ~PageSource() = default;
    // The page body, or empty text after a failed transfer; result, when given, receives what
    // became of the request.
    virtual std::string getHTMLpage(const std::string& surl, const std::string& cap,
                                    TransferResult* result = nullptr) = 0;
    // The bytes at a drawing's address, or empty text. A guess is an address the server may
    // not know: its refusal does not end the search's fetching.
    virtual std::string getdrawing(const std::string& url, bool guess,
                                   TransferResult* result = nullptr) = 0;
};

class Politeness;

class Fetcher : public PageSource {
  public:
    // shtml, when given, keeps the body of the last page fetched; politeness, when given,
    // governs waits and refusals.
    Fetcher(Transfer& transfer, TitleBar& titlebar, EventLoop& events, MessageBoxes& messages,
            std::string* shtml = nullptr, Politeness* politeness = nullptr);

    // While stopped() is true, a running request ends at once and no request starts: the
    // fetch fails with Fault::stopped.
    void setstop(std::function<bool()> stopped) { stopped_ = std::move(stopped); }

    // The page body, or empty text when the transfer failed, the status was not 2xx or the
    // body was larger than maxbodybytes. A message box shows only when the request could not
    // be started. Each call reads its own request: calls that nest inside each other, as
    // window events run during the wait, never see each other's pages.
    std::string getHTMLpage(const std::string& surl, const std::string& cap,
                            TransferResult* result = nullptr) override;
    // As a page, with the title bar saying "retrieving <url>..." and put back only when bytes
    // came.
    std::string getdrawing(const std::string& url, bool guess,
                           TransferResult* result = nullptr) override;

  private:
    // One request, start to end; the title goes back afterwards always, or only when bytes
    // came.
    std::string once(const std::string& url, const std::string& caption, bool alwaysrestore,
                     TransferResult& result);
    std::string fetch(const std::string& url, const std::string& caption, bool alwaysrestore,
                      bool refusalends, TransferResult* result);
    bool stopped() const { return stopped_ && stopped_(); }

    Transfer& transfer_;
    TitleBar& titlebar_;
    EventLoop& events_;
    MessageBoxes& messages_;
    std::string* shtml_;
    Politeness* politeness_;
    std::function<bool()> stopped_;
};

// Returns after t seconds, letting window events run meanwhile; t <= 0 returns at once.
void wait(double t, EventLoop& events);

} // namespace kestrix
