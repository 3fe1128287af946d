#include "search/trigger.h"

#include <utility>

namespace kestrix {

bool Trigger::arm(std::string word) {
    word_ = std::move(word);
    if (armed_) return false;
    armed_ = true;
    due_ = clock_.steady() + delay;
    return true;
}

std::chrono::milliseconds Trigger::remaining() const {
    if (!armed_) return {};
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(due_ - clock_.steady());
    return std::max(left, std::chrono::milliseconds(0));
}

std::string Trigger::take() {
    if (!armed_ || remaining() > std::chrono::milliseconds(0)) return {};
    armed_ = false;
    return std::exchange(word_, {});
}

} // namespace kestrix
