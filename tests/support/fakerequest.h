#pragma once
// What the transfer fakes' requests share: a body read in chunks as the fetcher asks, and a
// request that runs until it is ended or cancelled. Plain C++, no Qt.

#include <algorithm>
#include <cstddef>
#include <string>

#include "web/seams.h"

namespace kestrix::test {

class FakeRequest : public TransferRequest {
  public:
    explicit FakeRequest(std::string body) : body_(std::move(body)) {}
    bool StillExecuting() const override { return running_; }

  protected:
    // The next size bytes of the body; empty once it is read.
    std::string nextchunk(int size) {
        const std::string chunk = body_.substr(std::min(read_, body_.size()), std::size_t(size));
        read_ += chunk.size();
        return chunk;
    }
    void cancel() {
        cancelled_ = true;
        running_ = false;
    }

    std::string body_;
    bool running_ = true;
    bool cancelled_ = false;

  private:
    std::size_t read_ = 0;
};

} // namespace kestrix::test
