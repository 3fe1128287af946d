#include "core/number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kestrix {

double numericvalue(std::string_view s) {
    std::string number;
    enum class State { sign, integer, fraction, exponentsign, exponent } state = State::sign;
    for (char c : s) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        if ((c == '+' || c == '-') && (state == State::sign || state == State::exponentsign)) {
            number += c;
            state = state == State::sign ? State::integer : State::exponent;
        } else if (c >= '0' && c <= '9') {
            number += c;
            if (state == State::sign) state = State::integer;
            if (state == State::exponentsign) state = State::exponent;
        } else if (c == '.' && (state == State::sign || state == State::integer)) {
            number += c;
            state = State::fraction;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') &&
                   (state == State::integer || state == State::fraction)) {
            number += 'e';
            state = State::exponentsign;
        } else {
            break;
        }
    }
    if (number.empty()) return 0;
    // strtod reads the longest valid prefix, which drops a dangling exponent or sign.
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}

double roundhalfeven(double d) {
    return std::nearbyint(d);
}

std::string plaindecimal(double d) {
    if (!std::isfinite(d) || d == 0) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", d);
    // buffer: [-]D.DDDDDDDDDDDDDDe[+-]XX
    std::string text(buffer);
    const bool negative = text[0] == '-';
    if (negative) text.erase(0, 1);
    const auto e = text.find('e');
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out;
    const int point = exponent + 1; // digits before the decimal point
    if (point <= 0) {
        out = "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (static_cast<std::size_t>(point) >= digits.size()) {
        out = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<std::size_t>(point)) + "." +
              digits.substr(static_cast<std::size_t>(point));
    }
    return negative ? "-" + out : out;
}

bool issortkeynumber(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && s[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (digits < 4 || i >= s.size() || s[i] != '.') return false;
    ++i;
    std::size_t decimals = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++decimals;
    return decimals == 3 && i == s.size();
}

std::string formatsortkey(std::string_view value) {
    const std::string text(value);
    char* end = nullptr;
    const double d = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(d)) return text;
    // From 2^53 on every double is a whole number; scaling it by 1000 could also overflow.
    const double rounded = std::fabs(d) < 0x1p53 ? std::nearbyint(d * 1000) / 1000 : d;
    char buffer[512];
    if (rounded < 0) {
        std::snprintf(buffer, sizeof buffer, "%09.3f", rounded);
    } else {
        std::snprintf(buffer, sizeof buffer, "%08.3f", std::fabs(rounded));
    }
    return buffer;
}

} // namespace kestrix
