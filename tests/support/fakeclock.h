#pragma once
// A clock the test moves: calendar and steady time advance together.

#include <chrono>

#include "web/seams.h"

namespace kestrix::test {

class FakeClock : public Clock {
  public:
    // 2026-12-08 12:00:00 UTC.
    static constexpr std::chrono::seconds start{1796731200};

    std::chrono::system_clock::time_point now() const override {
        return std::chrono::system_clock::time_point(start + elapsed_);
    }
    std::chrono::steady_clock::time_point steady() const override {
        return std::chrono::steady_clock::time_point(elapsed_);
    }
    void advance(std::chrono::milliseconds by) { elapsed_ += by; }

  private:
    std::chrono::milliseconds elapsed_{0};
};

} // namespace kestrix::test
