// What a search shows beside its list: no request while no server is named, the progress
// through the result page, a list the server cut short, and the line an empty list says.

#include <gtest/gtest.h>

#include "fakewindow.h"
#include "web/server.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

TEST(SearchSigns, NoServerNamedAsksForOneAndNothingElse) {
    for (const bool givehost : {false, true}) {
        SCOPED_TRACE(givehost ? "a host given" : "cancelled");
        SearchBench b;
        server::sethost(std::string(server::placeholderhost()));
        b.window.givehost = givehost;
        b.search.dosearch(b.window.now);
        EXPECT_EQ(b.window.hostasks, 1);
        if (givehost) {
            // The search goes on, to the host given.
            EXPECT_EQ(b.pages.requests.front(), server::formulaurl("C5H12"));
            EXPECT_EQ(b.window.listcount(), 3u);
        } else {
            EXPECT_TRUE(b.pages.requests.empty());
            EXPECT_TRUE(b.pages.opened.empty());
            EXPECT_TRUE(b.cachefiles().empty());
            EXPECT_TRUE(b.window.messagebox.texts.empty());
            EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true}));
        }
    }
}

TEST(SearchSigns, AWrongCheckDigitIsToldBeforeAnyHostIsAskedFor) {
    SearchBench b;
    server::sethost(std::string(server::placeholderhost()));
    b.window.now.formula = "109-66-1";
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.hostasks, 0);
    EXPECT_EQ(b.window.messagebox.texts.size(), 1u);
}

TEST(SearchSigns, TheProgressGoesThroughTheResultPage) {
    SearchBench b;
    b.window.now.filter = "methyl"; // a compound passed by still counts
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.progress, (Strings{"2/3 2-methylbutane", "3/3 2,2-dimethylpropane"}));
}

TEST(SearchSigns, StopEndsThePauseAfterAFetchedResultPage) {
    SearchBench b;
    b.window.eventloop.onsleep = [&] {
        if (b.window.eventloop.sleeps.size() == 3) b.search.Command1_Click();
    };
    b.search.Command1_Click();
    EXPECT_EQ(b.window.eventloop.sleeps, std::vector<int>(3, 100));
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true}));
    EXPECT_EQ(b.window.listcount(), 3u); // all was listed before the pause
}

TEST(SearchSigns, AListTheServerCutShortIsTold) {
    SearchBench b;
    b.pages.pages[server::formulaurl("C5H12")] =
        readbytes(std::filesystem::path(KESTRIX_TEST_DATA) / "server" / "cutshort.htm");
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.listcount(), 2u);
    EXPECT_EQ(b.window.messagebox.texts,
              Strings{"The server listed only the first 2 compounds it found for C5H12; a "
                      "narrower question shows the rest."});
    // From the cache too: the list is still cut short.
    b.window.messagebox.texts.clear();
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.messagebox.texts.size(), 1u);
}

TEST(SearchSigns, AnEmptyListSaysWhy) {
    struct Case {
        const char* name;
        std::string formula, filter, note;
        bool serverfails;
    };
    const Case cases[] = {
        {"no answer", "C5H12", "", "No answer from chemdata.sample.test: no such page", true},
        {"nothing found", "C99", "", "Nothing was found for C99.", false},
        {"all filtered out", "C5H12", "zzz", "", false},
        {"listed", "C5H12", "", "", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchBench b;
        b.window.now.formula = c.formula;
        b.window.now.filter = c.filter;
        if (c.serverfails) b.pages.pages.clear();
        b.pages.reason = "no such page";
        b.pages.otherwise = c.formula == "C99" ? "<p>Click on the name to see more data.</p>" : "";
        b.search.dosearch(b.window.now);
        EXPECT_EQ(b.window.note, c.note);
    }
}

} // namespace
