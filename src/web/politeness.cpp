#include "web/politeness.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "core/text.h"

namespace kestrix {

namespace {

constexpr int statustoomany = 429;
constexpr int statusunavailable = 503;
constexpr int statusforbidden = 403;
// A wait runs in steps this long, so that STOP ends it soon.
constexpr int waitstepms = 100;

// "Wed, 09 Dec 2026 10:00:00 GMT" as a time; nullopt for anything else.
std::optional<std::time_t> httpdate(std::string_view text) {
    static constexpr const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char weekday[4] = {}, month[4] = {}, zone[4] = {};
    int day = 0, year = 0, hour = 0, minute = 0, second = 0;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%3[A-Za-z], %d %3s %d %d:%d:%d %3s", weekday, &day, month, &year,
                    &hour, &minute, &second, zone) != 8 ||
        std::string_view(zone) != "GMT") {
        return std::nullopt;
    }
    std::tm t{};
    for (int m = 0; m < 12; ++m) {
        if (std::string_view(month) == months[m]) t.tm_mon = m + 1;
    }
    if (t.tm_mon == 0 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60) {
        return std::nullopt;
    }
    t.tm_mon -= 1;
    t.tm_mday = day;
    t.tm_year = year - 1900;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return timegm(&t);
}

std::string secondstext(double seconds) {
    return std::to_string(static_cast<long long>(std::ceil(seconds))) + " s";
}

} // namespace

std::optional<double> retryafterseconds(std::string_view value,
                                        std::chrono::system_clock::time_point now) {
    const std::string text = trimblanks(value);
    if (text.empty()) return std::nullopt;
    if (text.find_first_not_of("0123456789") == std::string::npos) {
        return text.size() > 9 ? 1e9 : std::stod(text);
    }
    const auto when = httpdate(text);
    if (!when) return std::nullopt;
    const double seconds = std::difftime(*when, std::chrono::system_clock::to_time_t(now));
    return seconds > 0 ? seconds : 0;
}

bool ischallenge(std::string_view page) {
    const std::string head = asciilower(page.substr(0, 64 * 1024));
    const auto open = head.find("<title>");
    if (open == std::string::npos) return false;
    const auto close = head.find("</title>", open);
    if (close == std::string::npos) return false;
    const std::string_view title(std::string_view(page).substr(open + 7, close - open - 7));
    return trimblanks(title) == "Just a moment...";
}

void Politeness::newsearch(std::function<bool()> stopped) {
    stopped_ = std::move(stopped);
    paced_ = false;
    refused_ = false;
}

void Politeness::pace() {
    if (paced_) {
        const auto since = std::chrono::steady_clock::now() - laststart_;
        const double left = requestgap - std::chrono::duration<double>(since).count();
        if (left > 0) events_.sleep(static_cast<int>(std::lround(left * 1000)));
    }
    laststart_ = std::chrono::steady_clock::now();
}

bool Politeness::wait(double seconds, const std::string& what) {
    titlebar_.setcaption("waiting " + secondstext(seconds) + ", as the server asked, before " +
                         what + "...");
    for (long long ms = std::llround(seconds * 1000); ms > 0; ms -= waitstepms) {
        if (stopped_ && stopped_()) return false;
        events_.sleep(static_cast<int>(std::min<long long>(ms, waitstepms)));
    }
    return !(stopped_ && stopped_());
}

std::string Politeness::ask(const std::function<std::string(TransferResult&)>& attempt,
                            TransferResult& result, const std::string& what) {
    if (refused_) {
        result = {};
        result.refused = true;
        result.reason = "the server refused the requests";
        return {};
    }
    for (int tries = 0;; ++tries) {
        pace();
        result = {};
        std::string body = attempt(result);
        const bool challenge = ischallenge(result.succeeded ? body : result.errorpage);
        if (result.status == statusforbidden || challenge) {
            refused_ = true;
            result.succeeded = false;
            result.refused = true;
            result.reason = "the server refused the requests";
            return {};
        }
        if (result.status != statustoomany && result.status != statusunavailable) return body;
        result.askedtowait = true;
        const auto asked = retryafterseconds(result.retryafter, std::chrono::system_clock::now());
        const double seconds = asked.value_or(defaultwait);
        if (tries > 0 || seconds > longestwait) {
            result.succeeded = false;
            result.reason = "the server asked to wait " + secondstext(seconds);
            return {};
        }
        paced_ = true;
        if (!wait(seconds, what)) {
            result.reason = "stopped while waiting";
            return {};
        }
    }
}

} // namespace kestrix
