// The text primitives and the number reading, each against a plain reference written here.
// The input is cut at zero bytes into: text, first search text, second search text.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "core/number.h"
#include "core/text.h"
#include "split.h"

namespace {

constexpr std::size_t sizelimit = 1 << 20; // a reference result longer than this is skipped

std::string trimmed(std::string_view s) {
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && s[first] == ' ') ++first;
    while (last > first && s[last - 1] == ' ') --last;
    return std::string(s.substr(first, last - first));
}

// Replaces the first ch1 and searches again from position 1, until there is none. False when
// the work (characters searched and copied) would pass budget or the text would grow past
// sizelimit: the case is then skipped.
bool restartfromstart(std::string& s, std::string_view ch1, std::string_view ch2,
                      std::size_t& budget) {
    for (auto p = s.find(ch1); p != std::string::npos; p = s.find(ch1)) {
        const std::size_t work = s.size() + ch2.size();
        if (work > budget) return false;
        budget -= work;
        s = s.substr(0, p) + std::string(ch2) + s.substr(p + ch1.size());
        if (s.size() > sizelimit) return false;
    }
    return true;
}

// strsub by the letter: through character 31 when ch1 occurs in ch2, in a single pass that
// does not rescan where ch1 or ch2 holds character 31 then, else restarting from the start.
bool referencestrsub(std::string& s, std::string_view ch1, std::string_view ch2,
                     std::size_t budget) {
    if (ch1.empty()) return true;
    if (ch2.find(ch1) == std::string_view::npos) return restartfromstart(s, ch1, ch2, budget);
    constexpr std::string_view placeholder = "\x1f";
    if (ch1.find(placeholder) != std::string_view::npos ||
        ch2.find(placeholder) != std::string_view::npos) {
        std::string out;
        std::size_t i = 0;
        while (i < s.size()) {
            if (s.compare(i, ch1.size(), ch1) == 0) {
                out += ch2;
                i += ch1.size();
            } else {
                out += s[i++];
            }
            if (out.size() > sizelimit) return false;
        }
        s = out;
        return true;
    }
    return restartfromstart(s, ch1, placeholder, budget) &&
           restartfromstart(s, placeholder, ch2, budget);
}

// The number rule: blanks, tabs and line feeds skipped, sign, digits with at most one point,
// exponent E or D with optional sign and at least one digit; anything else ends it. nullopt
// when the number is too large (or too small) for a double.
std::optional<double> referencenumber(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    }
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') number += '-';
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') number += s[i++], ++digits;
    if (i < s.size() && s[i] == '.') {
        number += s[i++];
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') number += s[i++], ++digits;
    }
    if (digits == 0) return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
        const std::size_t start = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') exponent += s[j++];
        if (j > start) number += exponent;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) return std::nullopt;
    FUZZ_CHECK(error == std::errc() && end == number.data() + number.size());
    return value;
}

void checknumber(const std::string& text) {
    const double value = kestrix::numericvalue(text);
    FUZZ_CHECK(std::isfinite(value));
    if (const auto expected = referencenumber(text)) {
        FUZZ_CHECK(value == *expected || (std::isnan(value) && std::isnan(*expected)));
    } else {
        FUZZ_CHECK(value == 0 || std::fabs(value) < std::numeric_limits<double>::min());
    }

    // Written plainly, the value reads back the same to 15 digits and gets a sort key.
    const std::string plain = kestrix::plaindecimal(value);
    FUZZ_CHECK(plain.find_first_not_of("-0123456789.") == std::string::npos);
    if (plain.find('.') != std::string::npos)
        FUZZ_CHECK(plain.back() != '0' && plain.back() != '.');
    const double back = kestrix::numericvalue(plain);
    FUZZ_CHECK(std::fabs(back - value) <= 1e-14 * std::fabs(value) + 1e-300);
    const std::string key = kestrix::formatsortkey(plain);
    FUZZ_CHECK(kestrix::issortkeynumber(key));
    FUZZ_CHECK(kestrix::formatsortkey(key) == key);
}

void checkextraction(const std::string& text, const std::string& ch) {
    const auto p = text.find(ch);
    std::string before;
    std::string after;
    if (p == std::string::npos) {
        before = trimmed(text);
    } else {
        before = trimmed(std::string_view(text).substr(0, p));
        after = trimmed(std::string_view(text).substr(p + ch.size()));
    }

    std::string st = text;
    const std::string head = kestrix::strextr(st, ch);
    std::string_view view = text;
    const std::string_view headview = kestrix::strextrview(view, ch);
    std::string tailst = text;
    const std::string tail = kestrix::strextrtail(tailst, ch);
    if (ch.empty()) {
        FUZZ_CHECK(head.empty() && st == text);
        FUZZ_CHECK(headview.empty() && view == text);
        FUZZ_CHECK(tail.empty() && tailst == text);
        return;
    }
    FUZZ_CHECK(head == before && st == after);
    FUZZ_CHECK(headview == before && view == after);
    if (p == std::string::npos) {
        FUZZ_CHECK(tail == before && tailst.empty());
    } else {
        FUZZ_CHECK(tail == after && tailst == before);
    }
}

void checkinteger(const std::string& text, const std::string& ch) {
    std::string s = text;
    const std::optional<int> value = kestrix::parsestringforinteger(s, ch);
    const double whole = kestrix::roundhalfeven(kestrix::numericvalue(text));
    FUZZ_CHECK(whole == std::nearbyint(whole));
    if (whole < -32768 || whole > 32767) {
        FUZZ_CHECK(!value && s == text);
        return;
    }
    FUZZ_CHECK(value && *value == static_cast<int>(whole));
    const auto p = ch.empty() ? std::string::npos : text.find(ch);
    FUZZ_CHECK(s == (p == std::string::npos ? std::string() : text.substr(p + 1)));
}

void checksubstitution(const std::string& text, const std::string& ch1, const std::string& ch2) {
    std::string expected = text;
    if (!referencestrsub(expected, ch1, ch2, std::size_t{1} << 24)) return;
    std::string s = text;
    kestrix::strsub(s, ch1, ch2);
    FUZZ_CHECK(s == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = kestrix::fuzz::splitinput(data, size, '\0');
    const std::string text = kestrix::fuzz::part(parts, 0);
    const std::string ch1 = kestrix::fuzz::part(parts, 1);
    const std::string ch2 = kestrix::fuzz::part(parts, 2);

    checknumber(text);
    checkextraction(text, ch1);
    checkinteger(text, ch1);
    checksubstitution(text, ch1, ch2);
    FUZZ_CHECK(kestrix::asciilower(text).size() == text.size());
    return 0;
}
