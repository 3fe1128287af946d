// The delayed search trigger on a clock the test moves: when it is due, which word it gives, and
// what arming it again does.

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "search/trigger.h"

using namespace kestrix;
using namespace kestrix::test;
using std::chrono::milliseconds;

namespace {

// A script of steps: "arm WORD" (then whether it was newly armed), "wait MS", "take" (then
// the word it gave); each step's expected outcome beside it.
struct Step {
    std::string what;
    std::string expect; // arm: "new" or "again"; take: the word given; wait: unused
};

struct Script {
    const char* name;
    std::vector<Step> steps;
};

TEST(Trigger, GivesTheLatestWordOnceAfterTheDelay) {
    const Script scripts[] = {
        {"not before the delay",
         {{"arm search", "new"}, {"wait 9", ""}, {"take", ""}, {"wait 1", ""}, {"take", "search"}}},
        {"once only", {{"arm search", "new"}, {"wait 10", ""}, {"take", "search"}, {"take", ""}}},
        {"the latest word, at the first arming's time",
         {{"arm tab", "new"},
          {"wait 6", ""},
          {"arm search", "again"},
          {"wait 4", ""},
          {"take", "search"}}},
        {"armed anew once taken",
         {{"arm search", "new"},
          {"wait 10", ""},
          {"take", "search"},
          {"arm tab", "new"},
          {"wait 5", ""},
          {"take", ""},
          {"wait 5", ""},
          {"take", "tab"}}},
        {"not armed gives nothing", {{"wait 50", ""}, {"take", ""}}},
        {"long after", {{"arm search", "new"}, {"wait 100000", ""}, {"take", "search"}}}};
    for (const Script& script : scripts) {
        SCOPED_TRACE(script.name);
        FakeClock clock;
        Trigger trigger(clock);
        for (const Step& step : script.steps) {
            SCOPED_TRACE(step.what);
            if (step.what.starts_with("arm ")) {
                EXPECT_EQ(trigger.arm(step.what.substr(4)) ? "new" : "again", step.expect);
                EXPECT_TRUE(trigger.armed());
                EXPECT_EQ(trigger.word(), step.what.substr(4));
            } else if (step.what.starts_with("wait ")) {
                clock.advance(milliseconds(std::stoi(step.what.substr(5))));
            } else {
                EXPECT_EQ(trigger.take(), step.expect);
            }
        }
    }
}

TEST(Trigger, TellsTheTimeLeft) {
    FakeClock clock;
    Trigger trigger(clock);
    EXPECT_EQ(trigger.remaining(), milliseconds(0));
    trigger.arm("search");
    EXPECT_EQ(trigger.remaining(), milliseconds(10));
    clock.advance(milliseconds(3));
    trigger.arm("tab");
    EXPECT_EQ(trigger.remaining(), milliseconds(7));
    clock.advance(milliseconds(30));
    EXPECT_EQ(trigger.remaining(), milliseconds(0));
    EXPECT_EQ(trigger.take(), "tab");
    EXPECT_FALSE(trigger.armed());
    EXPECT_EQ(trigger.word(), "");
}

} // namespace
