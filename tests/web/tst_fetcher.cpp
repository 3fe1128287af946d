// The page fetcher over a scripted transfer: body assembly, failures, title bar and wait.

#include <gtest/gtest.h>

#include "web/fetcher.h"
#include "webfakes.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

// The window around a fetch: while it waits for events, the transfer reports its states.
struct Window {
    FakeTransfer transfer;
    TitleRecorder titles;
    EventRecorder events;
    MessageRecorder messages;
    Strings captionswhilewaiting;
    Window() {
        events.onwait = [this] {
            captionswhilewaiting.push_back(titles.captions.empty() ? "" : titles.captions.back());
            transfer.deliver();
        };
    }
};

const std::string url = "http://host.invalid/cgi/cbook.cgi?ID=C1&Units=SI&Mask=7";

TEST(Fetcher, AssemblesTheBodyOrGivesNothing) {
    std::string mixed;
    for (int i = 0; i < 25000; ++i) mixed += char(i % 251);
    const std::vector<int> done{transferstate::responsecompleted};
    struct Case {
        const char* name;
        std::string body;
        std::vector<int> states;
        bool succeeded; // the transfer's own outcome
        bool returned;  // the body comes back, else empty text
        Fault fault;
        int reads; // GetChunk calls; -1: not counted
    };
    const Case cases[] = {
        {"three chunks", mixed, done, true, true, Fault::none, 4},
        {"exactly one chunk", std::string(10000, 'x'), done, true, true, Fault::none, 2},
        {"second delivery reads one empty chunk",
         "abc",
         {transferstate::responsereceived, transferstate::responsecompleted},
         true,
         true,
         Fault::none,
         3},
        {"empty body", "", done, true, true, Fault::none, 1},
        {"error status", "<h1>404</h1>", done, false, false, Fault::status, 2},
        {"failed request", "", {transferstate::error}, false, false, Fault::status, 0},
        {"largest body", std::string(maxbodybytes, 'y'), done, true, true, Fault::none, -1},
        {"body too large", std::string(maxbodybytes + 1, 'z'), done, true, false, Fault::toolarge,
         -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window window;
        FakeTransfer& transfer = window.transfer;
        transfer.body = c.body;
        transfer.states = c.states;
        transfer.succeeded = c.succeeded;
        std::string shtml = "old";
        Fetcher fetcher(transfer, window.titles, window.events, window.messages, &shtml);

        TransferResult result;
        // Compared as a whole, not printed: the largest body is 32 MiB.
        EXPECT_TRUE(fetcher.getHTMLpage(url, "2/5: ", &result) == (c.returned ? c.body : ""));
        EXPECT_TRUE(shtml == (c.returned ? c.body : ""));
        EXPECT_EQ(result.fault, c.fault);
        EXPECT_EQ(transfer.requests, Strings{"GET " + url + "||"});
        const std::string retrieving = "retrieving 2/5: " + url + "...";
        EXPECT_EQ(window.titles.captions, (Strings{retrieving, "Kestrix"}));
        ASSERT_FALSE(window.captionswhilewaiting.empty());
        EXPECT_EQ(window.captionswhilewaiting.front(), retrieving);
        EXPECT_TRUE(window.messages.texts.empty());
        EXPECT_TRUE(window.events.sleeps.empty()); // waits on the transfer, not for a fixed time
        for (int size : transfer.chunksizes) EXPECT_EQ(size, 10000);
        if (c.reads >= 0) {
            EXPECT_EQ(int(transfer.chunksizes.size()), c.reads);
        }
        EXPECT_EQ(transfer.cancels, c.body.size() > maxbodybytes ? 1 : 0);
    }
}

TEST(Fetcher, ARequestThatCannotStartIsToldAtOnce) {
    Window window;
    FakeTransfer& transfer = window.transfer;
    transfer.starterror = "Unable to connect: malformed URL";
    Fetcher fetcher(transfer, window.titles, window.events, window.messages);
    TransferResult result;
    EXPECT_EQ(fetcher.getHTMLpage("bad url", "", &result), "");
    EXPECT_EQ(window.messages.texts, Strings{"Unable to connect: malformed URL"});
    EXPECT_EQ(window.titles.captions, (Strings{"retrieving bad url...", "Kestrix"}));
    EXPECT_EQ(result.fault, Fault::notstarted);
    EXPECT_EQ(result.reason, "Unable to connect: malformed URL");
    EXPECT_TRUE(window.captionswhilewaiting.empty()); // nothing to wait for
}

TEST(Fetcher, WaitSleepsInPiecesTheEventSeamTakes) {
    struct Case {
        double seconds;
        std::vector<int> sleeps;
    };
    const Case cases[] = {
        {0, {}}, {-1, {}}, {2, {2000}}, {0.25, {250}}, {3e6, {2147483647, 852516353}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        Window window;
        kestrix::wait(c.seconds, window.events);
        EXPECT_EQ(window.events.sleeps, c.sleeps);
        EXPECT_EQ(window.events.doeventcalls, 0);
        EXPECT_TRUE(window.captionswhilewaiting.empty());
    }
}

// A fetch that starts while another waits (an event handler running inside the wait): each
// gets its own page and its own outcome, whichever ends first.
TEST(Fetcher, NestedFetchesOwnTheirPages) {
    for (const bool innerfails : {false, true}) {
        SCOPED_TRACE(innerfails ? "the inner one fails" : "both succeed");
        Window window;
        FakeTransfer& transfer = window.transfer;
        const std::string other = "http://host.invalid/cgi/cbook.cgi?ID=C2&Units=SI&Mask=7";
        transfer.bodies = {{url, "page one"}, {other, "page two"}};
        if (innerfails) transfer.failing = {other};
        transfer.states = {transferstate::responsecompleted};
        std::string shtml;
        Fetcher fetcher(transfer, window.titles, window.events, window.messages, &shtml);
        std::string inner;
        TransferResult innerresult;
        bool innerdone = false;
        window.events.onwait = [&] {
            if (transfer.live.size() == 1 && !innerdone) {
                innerdone = true;
                inner = fetcher.getHTMLpage(other, "", &innerresult);
                return;
            }
            transfer.deliver();
        };
        TransferResult outer;
        EXPECT_EQ(fetcher.getHTMLpage(url, "", &outer), "page one");
        EXPECT_TRUE(outer.ok());
        EXPECT_TRUE(innerdone);
        EXPECT_EQ(inner, innerfails ? "" : "page two");
        EXPECT_EQ(innerresult.ok(), !innerfails);
        EXPECT_EQ(shtml, "page one"); // the last page fetched
    }
}

} // namespace
