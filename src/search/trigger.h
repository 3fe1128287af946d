#pragma once
// The delayed search trigger: a choice arms it with what to do ("search", "tab"); it is due a
// fixed delay after it was first armed, and then gives the word of its latest arming, once.
// Arming it while armed changes the word, not the time.

#include <chrono>
#include <string>

#include "web/seams.h"

namespace kestrix {

class Trigger {
  public:
    static constexpr std::chrono::milliseconds delay{10};

    explicit Trigger(const Clock& clock) : clock_(clock) {}

    // Arms it with word; true when it was not armed yet, so that a timer is to be started.
    bool arm(std::string word);
    bool armed() const { return armed_; }
    const std::string& word() const { return word_; }
    // The time until it is due; zero once due, or while not armed.
    std::chrono::milliseconds remaining() const;
    // Once due: the word, and it is disarmed. Empty text while not armed or not yet due.
    std::string take();
    void disarm() { armed_ = false, word_.clear(); }

  private:
    const Clock& clock_;
    bool armed_ = false;
    std::string word_;
    std::chrono::steady_clock::time_point due_;
};

} // namespace kestrix
