// The client's manners: Retry-After read, challenge pages told, and what one request does when
// the server asks it to wait or refuses it. Time is a fake clock that the waits move.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "fakeclock.h"
#include "web/politeness.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

// 2026-12-09 10:00:00 UTC
const auto now = std::chrono::system_clock::from_time_t(1796810400);

struct RetryRow {
    const char* value;
    double seconds; // -1: no value; 1e9 and more: as far ahead as can be
};
const RetryRow retryrows[] = {
    {"2", 2},
    {" 17 ", 17},
    {"0", 0},
    {"1234567890", 1e9},
    {"Wed, 09 Dec 2026 10:00:20 GMT", 20},
    {"Thu, 10 Dec 2026 10:00:00 GMT", 86400},
    {"Wed, 09 Dec 2026 09:00:00 GMT", 0},
    {"Thu, 01 Jan 1970 00:00:00 GMT", 0},
    {"Mon, 01 Jan 0001 00:00:00 GMT", 0},
    {"Fri, 31 Dec 9999 23:59:59 GMT", 253402300799.0 - 1796810400},
    {"Sun, 01 Jan 2147485548 00:00:00 GMT", 1e9},
    {"Sun, 01 Jan 99999999999999999999 00:00:00 GMT", 1e9},
    {"Wed, 09 Dec 2026 10:00:20 CET", -1},
    {"Wed, 09 Foo 2026 10:00:20 GMT", -1},
    {"Wed, 09 Dec 2026 25:00:20 GMT", -1},
    {"Wed, 09 Dec 2026 10:0:20 GMT", -1},
    {"Wed, 32 Dec 2026 10:00:20 GMT", -1},
    {"Wed, 09 Dec 2026 10:00:20 GMT trailing", -1},
    {"1.5", -1},
    {"-3", -1},
    {"soon", -1},
    {"", -1},
};

TEST(Politeness, RetryAfterInSecondsOrAsADateOfAnyYear) {
    for (const RetryRow& row : retryrows) {
        SCOPED_TRACE(row.value);
        const auto seconds = retryafterseconds(row.value, now);
        if (row.seconds < 0) {
            EXPECT_FALSE(seconds.has_value());
        } else if (row.seconds >= 1e9) {
            ASSERT_TRUE(seconds.has_value());
            EXPECT_GE(*seconds, 1e9);
        } else {
            ASSERT_TRUE(seconds.has_value());
            EXPECT_DOUBLE_EQ(*seconds, row.seconds);
        }
    }
}

struct ChallengeRow {
    const char* page;
    bool challenge;
};
const ChallengeRow challengerows[] = {
    {"<html><head><title>Just a moment...</title>", true},
    {"<HTML><TITLE> Just a moment... </TITLE>", true},
    {"<html><head><title>\r\n  Just a\r\n moment...\n</title></head>", true},
    {"<head><Title>JUST A MOMENT...</Title></head>", true},
    {"<head><title lang=\"en\">Just a moment...</title>", true},
    {"<title>Pentane</title>Just a moment...", false},
    {"<head><title>Pentane</title></head><body><title>Just a moment...</title>", false},
    {"<head><title>Pentane</title></head><body><svg><title>Just a moment...</title></svg>", false},
    {"<head></head><body><svg><title>Just a moment...</title></svg></body>", false},
    {"<head><svg><title>Just a moment...</title></svg><title>Hexane</title></head>", false},
    {"<head><titles>Just a moment...</titles></head>", false},
    {"Just a moment...", false},
    {"<title>Just a moment...", false},
    {"<title>Just a moment.</title>", false},
};

TEST(Politeness, AChallengeIsThePagesOwnTitle) {
    for (const ChallengeRow& row : challengerows) {
        EXPECT_EQ(ischallenge(row.page), row.challenge) << row.page;
    }
}

// One ask against a server that answers the attempts in turn: "429/2" is a 429 with
// "Retry-After: 2", a trailing "c" a challenge page.
struct Asking {
    explicit Asking(std::vector<std::string> answers) : answers(std::move(answers)) {}

    std::string ask(bool refusalends = true) {
        return politeness.ask(
            [&](TransferResult& out) {
                std::string answer = attempts < answers.size() ? answers[attempts] : "200";
                ++attempts;
                const bool challenge = answer.ends_with('c');
                if (challenge) answer.pop_back();
                const auto slash = answer.find('/');
                const int status = std::stoi(answer.substr(0, slash));
                out = {};
                out.status = status;
                if (status != 200) out.fault = Fault::status;
                if (slash != std::string::npos) out.retryafter = answer.substr(slash + 1);
                const std::string page =
                    challenge ? "<title>Just a moment...</title>" : std::string("page");
                if (!out.ok()) out.errorpage = page;
                return out.ok() ? page : std::string();
            },
            result, refusalends,
            [&](double seconds, bool asked) {
                (asked ? waits : gaps).push_back(seconds);
                clock.advance(std::chrono::milliseconds(std::llround(seconds * 1000)));
                return !stopafterwait;
            });
    }

    std::vector<std::string> answers;
    std::size_t attempts = 0;
    std::vector<double> waits, gaps;
    bool stopafterwait = false;
    FakeClock clock;
    Politeness politeness{clock};
    TransferResult result;
};

struct AskRow {
    const char* name;
    std::vector<std::string> answers;
    std::size_t attempts;
    std::vector<double> waits;
    const char* body;
    Fault fault;
    bool refused;
};
const AskRow askrows[] = {
    {"plain answer", {"200"}, 1, {}, "page", Fault::none, false},
    {"an error is no matter of manners", {"500"}, 1, {}, "", Fault::status, false},
    {"429, then the page", {"429/2", "200"}, 2, {2}, "page", Fault::none, false},
    {"503 without Retry-After waits 5 s", {"503", "200"}, 2, {5}, "page", Fault::none, false},
    {"twice asked", {"429/1", "429/1"}, 2, {1}, "", Fault::askedtowait, false},
    {"too long a wait", {"429/31"}, 1, {}, "", Fault::askedtowait, false},
    {"a date far ahead",
     {"429/Sun, 01 Jan 99999 00:00:00 GMT"},
     1,
     {},
     "",
     Fault::askedtowait,
     false},
    {"forbidden", {"403"}, 1, {}, "", Fault::refused, true},
    {"a challenge page with 503", {"503c"}, 1, {}, "", Fault::refused, true},
    {"a challenge page with 200", {"200c"}, 1, {}, "", Fault::refused, true},
};

TEST(Politeness, WhatOneRequestDoes) {
    for (const AskRow& row : askrows) {
        SCOPED_TRACE(row.name);
        Asking a(row.answers);
        EXPECT_EQ(a.ask(), row.body);
        EXPECT_EQ(a.attempts, row.attempts);
        EXPECT_EQ(a.waits, row.waits);
        EXPECT_EQ(a.result.fault, row.fault);
        EXPECT_EQ(a.politeness.refused(), row.refused);
    }
}

// After a refusal no request goes out until the next search; a refusal of a request that may
// be refused (a guessed address) ends nothing.
TEST(Politeness, ARefusalEndsTheSearchsFetching) {
    Asking a({"403", "403", "200", "200"});
    a.ask(false);
    EXPECT_FALSE(a.politeness.refused());
    EXPECT_EQ(a.result.fault, Fault::refused);
    a.ask();
    EXPECT_TRUE(a.politeness.refused());
    EXPECT_EQ(a.ask(), "");
    EXPECT_EQ(a.attempts, 2u);
    EXPECT_EQ(a.result.fault, Fault::refused);
    a.politeness.newsearch();
    EXPECT_EQ(a.ask(), "page");
    EXPECT_EQ(a.attempts, 3u);
}

// STOP during the wait ends it: no second attempt.
TEST(Politeness, StopEndsTheWait) {
    Asking a({"429/10", "200"});
    a.stopafterwait = true;
    EXPECT_EQ(a.ask(), "");
    EXPECT_EQ(a.attempts, 1u);
    EXPECT_EQ(a.result.fault, Fault::stopped);
}

// Once asked to wait, later requests of the search keep a second between their starts, less
// the time gone by since the last one; a new search starts without.
TEST(Politeness, PacingAfterAWait) {
    Asking a({"429/0", "200", "200", "200", "200"});
    a.ask();
    EXPECT_EQ(a.waits, std::vector<double>{0});
    EXPECT_EQ(a.gaps, std::vector<double>{1}); // before the second attempt
    a.clock.advance(std::chrono::milliseconds(300));
    a.ask();
    EXPECT_EQ(a.gaps, (std::vector<double>{1, 0.7}));
    a.clock.advance(std::chrono::milliseconds(1500));
    a.ask();
    EXPECT_EQ(a.gaps.size(), 2u); // a second has gone by already
    a.politeness.newsearch();
    a.ask();
    EXPECT_EQ(a.gaps.size(), 2u);
    EXPECT_EQ(a.attempts, 5u);
}

} // namespace
