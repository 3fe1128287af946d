// The formula search on its own: requests and their order, the page cache, the list, the
// panel, STOP and the messages, against sample pages in memory.

#include <gtest/gtest.h>

#include "fakewindow.h"
#include "search/formulatext.h"
#include "web/cachenames.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const Strings c5h12names = {"2,2-dimethylpropane", "2-methylbutane", "pentane"};

std::string compound(const char* id) {
    return server::compoundurl(id);
}

} // namespace

TEST(FormulaSearch, ColdSearchFetchesStoresAndShows) {
    SearchBench b;
    b.search.dosearch(b.window.now);

    EXPECT_EQ(b.window.column(3), c5h12names);
    EXPECT_EQ(b.window.column(2), (Strings{"BP 282.6", "BP 301", "BP 309.2"}));
    EXPECT_EQ(b.window.column(0)[0], "0282.600");
    // The result page, then each compound in page order with its progress note.
    EXPECT_EQ(b.pages.requests,
              (Strings{server::formulaurl("C5H12"), "1/3: " + compound("C109660"),
                       "2/3: " + compound("C78784"), "3/3: " + compound("C463821")}));
    EXPECT_EQ(b.pages.opened, (Strings{server::imageurl("C109660"), server::imageurl("C78784"),
                                       server::imageurl("C463821")}));
    EXPECT_EQ(
        b.cachefiles(),
        (Strings{"C109660.gif", "C463821.gif", resultpagename("C5H12"), "C5H12-C109660-thermo",
                 "C5H12-C463821-thermo", "C5H12-C78784-thermo", "C5H12-CAS-109-66-0-thermo.htm",
                 "C5H12-CAS-463-82-1-thermo.htm", "C5H12-CAS-78-78-4-thermo.htm", "C78784.gif"}));
    EXPECT_EQ(b.cached(resultpagename("C5H12")), b.pages.pages[server::formulaurl("C5H12")]);
    EXPECT_EQ(b.cached("C5H12-C78784-thermo"), "CAS-78-78-4");
    EXPECT_EQ(b.cached("C5H12-CAS-78-78-4-thermo.htm"),
              "<base href=" + compound("C78784") + ">\r\n" + b.pages.pages[compound("C78784")]);

    // Each new entry highlighted while the list is disabled, the pause, then the first shown
    // as a click shows it: the list takes no click meanwhile.
    EXPECT_EQ(b.window.selections,
              (Strings{"highlight 0", "highlight 0", "highlight 0", "highlight 0"}));
    EXPECT_EQ(b.window.listenables, (std::vector<bool>{false, true}));
    EXPECT_EQ(b.window.panel.calls.back().rfind("text CAS# 463-82-1", 0), 0u);
    // The pause in steps, so that STOP can end it.
    EXPECT_EQ(b.window.eventloop.sleeps, std::vector<int>(20, 100));
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true}));
    EXPECT_FALSE(b.window.isearching);
    EXPECT_EQ(b.window.focused, 1);
    EXPECT_EQ(b.window.eventloop.doeventcalls, 3);
    EXPECT_TRUE(b.window.messagebox.texts.empty());
}

TEST(FormulaSearch, SecondSearchReadsTheCache) {
    SearchBench b;
    b.search.dosearch(b.window.now);
    const Strings files = b.cachefiles();
    b.pages.requests.clear();
    b.pages.opened.clear();
    b.window.selections.clear();
    b.window.eventloop.sleeps.clear();

    b.window.now.formula = "  C5H12 ";
    b.search.dosearch(b.window.now);
    EXPECT_TRUE(b.pages.requests.empty());
    EXPECT_TRUE(b.pages.opened.empty());
    EXPECT_EQ(b.window.column(3), c5h12names);
    EXPECT_EQ(b.window.selections, Strings{"highlight 0"}); // none while listing
    EXPECT_TRUE(b.window.eventloop.sleeps.empty());         // no pause
    EXPECT_EQ(b.cachefiles(), files);
}

TEST(FormulaSearch, GoToNISTEveryTimeFetchesPagesAgainButNotDrawings) {
    SearchBench b;
    b.search.dosearch(b.window.now);
    b.pages.requests.clear();
    b.pages.opened.clear();
    b.window.now.iforcenew = true;
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.pages.requests.size(), 4u);
    EXPECT_TRUE(b.pages.opened.empty());
    EXPECT_EQ(b.window.column(3), c5h12names);
}

struct FilterRow {
    const char* filter;
    Strings listed;
};
class NameFilter : public testing::TestWithParam<FilterRow> {};
TEST_P(NameFilter, ListsAndFetchesOnlyMatchingNames) {
    SearchBench b;
    b.window.now.filter = GetParam().filter;
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.column(3), GetParam().listed);
    EXPECT_EQ(b.pages.requests.size(), 1 + GetParam().listed.size());
}
INSTANTIATE_TEST_SUITE_P(Rows, NameFilter,
                         testing::Values(FilterRow{"methyl",
                                                   {"2,2-dimethylpropane", "2-methylbutane"}},
                                         FilterRow{"Pent", {}}, FilterRow{" ane ", c5h12names},
                                         FilterRow{"", c5h12names}));

struct FormulaRow {
    const char* formula;
    std::string_view message;
};
class RefusedFormula : public testing::TestWithParam<FormulaRow> {};
TEST_P(RefusedFormula, ShowsItsMessageAndKeepsTheList) {
    SearchBench b;
    b.search.dosearch(b.window.now);
    b.window.now.formula = GetParam().formula;
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.messagebox.texts, Strings{std::string(GetParam().message)});
    EXPECT_EQ(b.window.column(3), c5h12names);
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(b.pages.requests.size(), 4u);
}
INSTANTIATE_TEST_SUITE_P(Rows, RefusedFormula,
                         testing::Values(FormulaRow{"   ", emptyformulamessage},
                                         FormulaRow{"109-66-1",
                                                    "109-66-1 is not a CAS registry number: its "
                                                    "check digit would be 0."}));

TEST(FormulaSearch, StopEndsAfterTheCurrentCompound) {
    SearchBench b;
    // The user presses STOP while the second compound's page is in transfer.
    b.pages.onfetch = [&](const std::string& url) {
        if (url == compound("C78784")) b.search.Command1_Click();
    };
    b.search.Command1_Click();
    EXPECT_EQ(b.window.column(1), (Strings{"C78784", "C109660"}));
    EXPECT_EQ(b.pages.requests.size(), 3u);
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true}));
    EXPECT_EQ(b.window.selections.back(), "highlight 0");
    EXPECT_EQ(b.window.listenables, (std::vector<bool>{false, true})); // and shown
    EXPECT_EQ(b.window.eventloop.sleeps, std::vector<int>{}); // idle at once: no closing pause
}

TEST(FormulaSearch, FailedResultPageGivesAnEmptyListAndCachesNothing) {
    SearchBench b;
    b.pages.pages.erase(server::formulaurl("C5H12"));
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.listcount(), 0u);
    EXPECT_TRUE(b.cachefiles().empty());
    EXPECT_EQ(b.window.selections, Strings{});
    EXPECT_EQ(b.window.listenables, std::vector<bool>{});
}

TEST(FormulaSearch, FailedCompoundPageStillListsTheCompound) {
    SearchBench b;
    b.pages.pages.erase(compound("C78784"));
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.column(2), (Strings{"BP 282.6", "BP 309.2", "BP ?"}));
    for (const std::string& name : b.cachefiles()) {
        EXPECT_EQ(name.find("78-78-4"), std::string::npos) << name;
        EXPECT_NE(name, "C5H12-C78784-thermo");
    }
}

TEST(FormulaSearch, AlphabeticalInCelsius) {
    SearchBench b;
    b.window.now.formula = "C6H14";
    b.window.now.isortprop = false;
    b.window.now.isortalpha = true;
    b.window.now.iskelvin = false;
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.column(3), (Strings{"2,2-dimethylbutane", "2,3-dimethylbutane",
                                           "2-methylpentane", "3-methylpentane", "hexane"}));
    EXPECT_EQ(b.window.column(0)[0], "2,2-dime");
    EXPECT_EQ(b.window.column(2)[4], "BP 68.7"); // hexane, 341.9 K
    const auto hexane = std::find_if(
        b.window.panel.calls.begin(), b.window.panel.calls.end(),
        [](const std::string& call) { return call.find("\r\nhexane\r\n") != std::string::npos; });
    ASSERT_NE(hexane, b.window.panel.calls.end());
    EXPECT_TRUE(hexane->ends_with("BP 68.7 oC"));
}

TEST(FormulaSearch, MeltingPointsUseTheirOwnPages) {
    SearchBench b;
    b.window.now.swhat = "MP";
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.column(2), (Strings{"MP 113.3", "MP 143.5", "MP 256.6"}));
    EXPECT_EQ(b.window.column(3), (Strings{"2-methylbutane", "pentane", "2,2-dimethylpropane"}));
    EXPECT_EQ(b.cached("C5H12-C109660-thermo"), "CAS-109-66-0");
}

TEST(FormulaSearch, RandomOrderChangesWithTheDraw) {
    SearchBench b;
    b.window.now.formula = "C6H14";
    b.window.now.isortprop = false;
    std::set<Strings> orders;
    for (unsigned seed = 1; seed <= 8; ++seed) {
        b.search.seed(seed);
        b.search.dosearch(b.window.now);
        Strings names = b.window.column(3);
        orders.insert(names);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names.size(), 5u);
    }
    EXPECT_GT(orders.size(), 1u);
}

TEST(FormulaSearch, SingleMatchListsTheCompound) {
    SearchBench b("today");
    b.window.now.formula = "CH4";
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.column(3), Strings{"methane"});
    EXPECT_EQ(b.window.column(1), Strings{"C74828"});
    EXPECT_EQ(b.window.column(2), Strings{"BP 111.7"});
    EXPECT_NE(b.window.column(4)[0].find("Molecular Weight=16.0425|"), std::string::npos);
    const Strings files = b.cachefiles();
    EXPECT_NE(std::find(files.begin(), files.end(), "CH4-CAS-74-82-8-thermo.htm"), files.end());
}

// Pages in the shapes the server prints today (linked summary labels, "&deg;") list as the
// older shapes do; the record keeps the degree sign as "&#176;".
TEST(FormulaSearch, TodaysPageShapesList) {
    SearchBench b("today");
    b.window.now.formula = "C6H14";
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.column(3), (Strings{"2,2-dimethylbutane", "2,3-dimethylbutane",
                                           "2-methylpentane", "3-methylpentane", "hexane"}));
    EXPECT_EQ(b.window.column(2),
              (Strings{"BP 322.9", "BP 331.1", "BP 333.4", "BP 336.4", "BP 341.9"}));
    const auto shown =
        std::find_if(b.window.panel.calls.rbegin(), b.window.panel.calls.rend(),
                     [](const std::string& call) { return call.starts_with("text "); });
    ASSERT_NE(shown, b.window.panel.calls.rend());
    EXPECT_EQ(*shown, "text CAS# 75-83-2\r\nMF C6H14 MW 86.1754\r\n2,2-dimethylbutane\r\n\r\n"
                      "BP 322.9 Kelvin");
    const std::string hexane = b.window.column(4)[4];
    EXPECT_NE(hexane.find("|S&#176;<sub>gas</sub>=388.4|"), std::string::npos) << hexane;
    EXPECT_NE(hexane.find("|~<sub>f</sub>H&#176;<sub>gas</sub>=-166.9|"), std::string::npos)
        << hexane;
    EXPECT_TRUE(b.window.messagebox.texts.empty());
}

// STOP, then the button again while the stopped search still finishes the compound in
// transfer: nothing starts, and the stopped search keeps its own pages.
TEST(FormulaSearch, TheButtonWhileAStoppedSearchEndsStartsNothing) {
    SearchBench b;
    b.pages.onfetch = [&](const std::string& url) {
        if (url != compound("C78784")) return;
        b.search.Command1_Click(); // STOP
        b.search.Command1_Click(); // the button still reads STOP
    };
    b.search.Command1_Click();
    EXPECT_EQ(b.window.column(1), (Strings{"C78784", "C109660"}));
    EXPECT_EQ(b.pages.requests.size(), 3u);
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true}));
    EXPECT_EQ(b.cached("C5H12-C78784-thermo"), "CAS-78-78-4");
}

// A unit chosen while a search runs stops it; the search then runs again in that unit, and no
// panel ever names a unit its value is not in.
TEST(FormulaSearch, AChoiceMadeDuringASearchSearchesAgainInIt) {
    SearchBench b;
    b.pages.onfetch = [&](const std::string& url) {
        if (url != compound("C78784") || !b.window.now.iskelvin) return;
        b.window.now.iskelvin = false;
        b.search.searchtriggered();
    };
    b.search.searchtriggered();
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(b.window.column(2), (Strings{"BP 9.4", "BP 28", "BP 36"}));
    EXPECT_FALSE(b.search.listedinkelvin());
    const Strings kelvin = {"BP 301 Kelvin", "BP 309.2 Kelvin"};
    const Strings celsius = {"BP 9.4 oC", "BP 28 oC", "BP 36 oC"};
    for (const std::string& call : b.window.panel.calls) {
        const std::string last = call.substr(call.rfind('\n') + 1);
        if (last.ends_with("Kelvin")) {
            EXPECT_NE(std::find(kelvin.begin(), kelvin.end(), last), kelvin.end()) << last;
        } else if (last.ends_with("oC")) {
            EXPECT_NE(std::find(celsius.begin(), celsius.end(), last), celsius.end()) << last;
        }
    }
}

// A unit chosen during a search stops it and asks for it again; STOP pressed before that search
// starts cancels it: nothing more is asked of the server.
TEST(FormulaSearch, StopWhileAStoppedSearchEndsCancelsTheOneAskedFor) {
    SearchBench b;
    b.pages.onfetch = [&](const std::string& url) {
        if (url != compound("C78784") || !b.window.now.iskelvin) return;
        b.window.now.iskelvin = false;
        b.search.searchtriggered(); // stops the search, asks for it again in Celsius
        b.search.Command1_Click();  // STOP, as the button still reads
    };
    b.search.Command1_Click();
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true}));
    EXPECT_EQ(b.pages.requests.size(), 3u);
    EXPECT_TRUE(b.search.listedinkelvin());
}

// STOP while the trigger is armed for a search (a choice just made): the trigger is disarmed, so
// no search follows the stopped one.
TEST(FormulaSearch, StopDisarmsATriggerArmedForASearch) {
    SearchBench b;
    b.pages.onfetch = [&](const std::string& url) {
        if (url != compound("C78784")) return;
        b.search.settrigger("search");
        b.search.Command1_Click(); // STOP
    };
    b.search.Command1_Click();
    EXPECT_EQ(b.search.trigger().word(), "");
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true}));
}

// A trigger while a stopped search ends asks for one more search after it, not one inside it.
TEST(FormulaSearch, ATriggerWhileAStoppedSearchEndsFollowsIt) {
    SearchBench b;
    int triggers = 0;
    b.pages.onfetch = [&](const std::string& url) {
        if (url != compound("C78784") || triggers++) return;
        b.search.Command1_Click(); // STOP
        b.window.now.formula = "C6H14";
        b.search.searchtriggered();
    };
    b.search.Command1_Click();
    EXPECT_EQ(b.window.enables, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(b.window.column(3).size(), 5u); // C6H14, listed after the stopped C5H12 search
}

// No result page and no cached copy: one message names the server and the reason, the empty
// list says so in its area; nothing is cached.
TEST(FormulaSearch, AResultPageThatCannotBeHadIsSaid) {
    SearchBench b;
    b.pages.pages.erase(server::formulaurl("C5H12"));
    b.pages.reason = "Host not found";
    b.search.dosearch(b.window.now);
    ASSERT_EQ(b.window.messagebox.texts.size(), 1u);
    const std::string& text = b.window.messagebox.texts[0];
    EXPECT_TRUE(text.starts_with("The search results for C5H12 could not be had from " +
                                 std::string(server::host()) + ": Host not found"))
        << text;
    EXPECT_EQ(b.window.note, "No answer from chemdata.sample.test: Host not found");
    EXPECT_EQ(b.window.listcount(), 0u);
    EXPECT_TRUE(b.cachefiles().empty());
}

// "Go to NIST Every Time" with the server gone: the cached pages are shown, and said to be.
TEST(FormulaSearch, FailingForcedFetchesShowCachedCopies) {
    SearchBench b;
    b.search.dosearch(b.window.now);
    const Strings files = b.cachefiles();
    b.pages.pages.clear();
    b.pages.reason = "Connection refused";
    b.window.now.iforcenew = true;
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.window.column(2), (Strings{"BP 282.6", "BP 301", "BP 309.2"}));
    ASSERT_EQ(b.window.messagebox.texts.size(), 1u);
    EXPECT_TRUE(b.window.messagebox.texts[0].starts_with(
        "Pages could not be fetched anew from " + std::string(server::host()) +
        " (Connection refused). 4 cached copies were shown instead."))
        << b.window.messagebox.texts[0];
    EXPECT_EQ(b.cachefiles(), files);
}

// A server that answers says nothing.
TEST(FormulaSearch, AWorkingServerBringsNoMessage) {
    SearchBench b;
    b.window.now.iforcenew = true;
    b.search.dosearch(b.window.now);
    b.search.dosearch(b.window.now);
    EXPECT_TRUE(b.window.messagebox.texts.empty());
}
