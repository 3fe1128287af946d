#include "web/politeness.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>

#include "core/text.h"

namespace kestrix {

namespace {

constexpr int statustoomany = 429;
constexpr int statusunavailable = 503;
constexpr int statusforbidden = 403;
// A page's title is looked for in this much of its start.
constexpr std::size_t headbytes = 64 * 1024;

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
std::int64_t daysfromcivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// Reads digits at s[i...]: at least one, at most maxdigits; nullopt otherwise. Longer runs
// saturate at the largest value of maxdigits digits' width instead of overflowing.
std::optional<std::int64_t> digits(std::string_view s, std::size_t& i, std::size_t mindigits,
                                   std::size_t maxdigits) {
    std::size_t n = 0;
    std::int64_t value = 0;
    constexpr std::int64_t cap = 1'000'000'000;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        value = std::min(cap, value * 10 + (s[i] - '0'));
        ++i, ++n;
    }
    if (n < mindigits || n > maxdigits) return std::nullopt;
    return value;
}

bool literal(std::string_view s, std::size_t& i, std::string_view text) {
    if (s.substr(i, text.size()) != text) return false;
    i += text.size();
    return true;
}

// "Wed, 09 Dec 2026 10:00:00 GMT" as seconds since 1970, any year; nullopt for anything else.
std::optional<double> httpdate(std::string_view s) {
    static constexpr std::array<std::string_view, 12> months = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::size_t i = 0;
    for (; i < 3; ++i) {
        if (i >= s.size() || !std::isalpha(static_cast<unsigned char>(s[i]))) return std::nullopt;
    }
    if (!literal(s, i, ", ")) return std::nullopt;
    const auto day = digits(s, i, 1, 2);
    if (!day || !literal(s, i, " ")) return std::nullopt;
    const auto month = std::find(months.begin(), months.end(), s.substr(i, 3));
    if (month == months.end()) return std::nullopt;
    i += 3;
    if (!literal(s, i, " ")) return std::nullopt;
    // The year may have any number of digits; beyond the cap it stands for "far ahead".
    const auto year = digits(s, i, 1, std::string_view::npos);
    if (!year || !literal(s, i, " ")) return std::nullopt;
    const auto hour = digits(s, i, 2, 2);
    if (!hour || !literal(s, i, ":")) return std::nullopt;
    const auto minute = digits(s, i, 2, 2);
    if (!minute || !literal(s, i, ":")) return std::nullopt;
    const auto second = digits(s, i, 2, 2);
    if (!second || !literal(s, i, " GMT") || i != s.size()) return std::nullopt;
    if (*day < 1 || *day > 31 || *hour > 23 || *minute > 59 || *second > 60) return std::nullopt;
    const auto m = static_cast<unsigned>(month - months.begin() + 1);
    const double days = static_cast<double>(daysfromcivil(*year, m, static_cast<unsigned>(*day)));
    return days * 86400 + static_cast<double>(*hour * 3600 + *minute * 60 + *second);
}

// Letters to lower case and every run of blanks, tabs and line breaks to one blank, trimmed.
std::string folded(std::string_view text) {
    std::string out;
    bool space = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            space = true;
            continue;
        }
        if (space && !out.empty()) out += ' ';
        space = false;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// The text of the document's own title: the first <title> of the head that lies outside an
// inline drawing; empty when there is none.
std::string headtitle(std::string_view page) {
    const std::string lower = asciilower(page.substr(0, headbytes));
    const std::size_t headend = std::min(lower.find("</head"), lower.find("<body"));
    for (std::size_t at = lower.find("<title"); at != std::string::npos && at < headend;
         at = lower.find("<title", at + 1)) {
        const char next = at + 6 < lower.size() ? lower[at + 6] : '\0';
        if (next != '>' && next != ' ' && next != '\t' && next != '\r' && next != '\n') continue;
        const std::string_view before = std::string_view(lower).substr(0, at);
        std::size_t opened = 0, closed = 0;
        for (auto p = before.find("<svg"); p != std::string::npos; p = before.find("<svg", p + 1))
            ++opened;
        for (auto p = before.find("</svg"); p != std::string::npos; p = before.find("</svg", p + 1))
            ++closed;
        if (opened > closed) continue;
        const std::size_t start = lower.find('>', at);
        if (start == std::string::npos) return {};
        const std::size_t end = lower.find("</title", start);
        if (end == std::string::npos) return {};
        return std::string(page.substr(start + 1, end - start - 1));
    }
    return {};
}

} // namespace

const Clock& systemclock() {
    struct System : Clock {
        std::chrono::system_clock::time_point now() const override {
            return std::chrono::system_clock::now();
        }
        std::chrono::steady_clock::time_point steady() const override {
            return std::chrono::steady_clock::now();
        }
    };
    static const System clock;
    return clock;
}

std::optional<double> retryafterseconds(std::string_view value,
                                        std::chrono::system_clock::time_point now) {
    const std::string text = trimblanks(value);
    if (text.empty()) return std::nullopt;
    if (text.find_first_not_of("0123456789") == std::string::npos) {
        return text.size() > 9 ? 1e9 : std::stod(text);
    }
    const auto when = httpdate(text);
    if (!when) return std::nullopt;
    const double from = std::chrono::duration<double>(now.time_since_epoch()).count();
    return std::max(0.0, *when - from);
}

bool ischallenge(std::string_view page) {
    return folded(headtitle(page)) == "just a moment...";
}

void Politeness::newsearch() {
    paced_ = false;
    refused_ = false;
}

bool Politeness::pace(const Wait& wait) {
    if (paced_) {
        const auto since = clock_.steady() - laststart_;
        const double left = requestgap - std::chrono::duration<double>(since).count();
        if (left > 0 && !wait(left, false)) return false;
    }
    laststart_ = clock_.steady();
    return true;
}

std::string Politeness::ask(const std::function<std::string(TransferResult&)>& attempt,
                            TransferResult& result, bool refusalends, const Wait& wait) {
    if (refused_) {
        result = failed(Fault::refused, "the server refused the requests");
        return {};
    }
    for (int tries = 0;; ++tries) {
        if (!pace(wait)) {
            result = failed(Fault::stopped, "stopped");
            return {};
        }
        result = {};
        std::string body = attempt(result);
        const bool challenge = ischallenge(result.ok() ? body : result.errorpage);
        if (result.status == statusforbidden || challenge) {
            if (refusalends) refused_ = true;
            result = failed(Fault::refused, "the server refused the requests", result.status);
            return {};
        }
        if (result.status != statustoomany && result.status != statusunavailable) return body;
        const auto asked = retryafterseconds(result.retryafter, clock_.now());
        const double seconds = asked.value_or(defaultwait);
        const int status = result.status;
        if (tries > 0 || seconds > longestwait) {
            result = failed(Fault::askedtowait,
                            "the server asked to wait " +
                                std::to_string(static_cast<long long>(std::ceil(seconds))) + " s",
                            status);
            return {};
        }
        paced_ = true;
        if (!wait(seconds, true)) {
            result = failed(Fault::stopped, "stopped while waiting", status);
            return {};
        }
    }
}

} // namespace kestrix
