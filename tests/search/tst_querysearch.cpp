// Searches by name and by CAS number through the formula search: the request each kind asks,
// the names its pages are cached under, and answers of several compounds, one and none.

#include <gtest/gtest.h>

#include <filesystem>

#include "fakewindow.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const std::string nomatch = "<h1>No Matching Species Found</h1>";

} // namespace

TEST(QuerySearch, ANameListsItsListPageAndCachesUnderItsKey) {
    SearchBench b;
    // The server's answer to a name is a list page of the formula list's shape.
    const std::string page = b.pages.pages.at(server::formulaurl("C5H12"));
    b.pages.pages[server::nameurl("pentane")] = page;
    b.window.now.formula = " pentane ";
    b.search.dosearch(b.window.now);

    EXPECT_EQ(b.window.column(3), (Strings{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
    ASSERT_EQ(b.pages.requests.size(), 4u);
    EXPECT_EQ(b.pages.requests[0], "http://" + std::string(server::host()) +
                                       "/cgi/cbook.cgi?Name=pentane&Units=SI&cTG=on&cTC=on&cTP=on");
    EXPECT_EQ(
        b.cachefiles(),
        (Strings{"C109660.gif", "C463821.gif", "C78784.gif",
                 "name-pentane-&Units=SI&cTG=on&cTC=on&cTP=on.htm", "name-pentane-C109660-thermo",
                 "name-pentane-C463821-thermo", "name-pentane-C78784-thermo",
                 "name-pentane-CAS-109-66-0-thermo.htm", "name-pentane-CAS-463-82-1-thermo.htm",
                 "name-pentane-CAS-78-78-4-thermo.htm"}));
    EXPECT_EQ(b.cached("name-pentane-&Units=SI&cTG=on&cTC=on&cTP=on.htm"), page);
    EXPECT_TRUE(b.window.messagebox.texts.empty());

    // Asked again, everything is found under the same names.
    b.search.dosearch(b.window.now);
    EXPECT_EQ(b.pages.requests.size(), 4u);
    EXPECT_EQ(b.window.column(3).size(), 3u);
}

TEST(QuerySearch, ACasNumberIsAnsweredWithTheCompoundsOwnPage) {
    SearchBench b;
    b.pages.pages[server::casurl("109-66-0")] = b.pages.pages.at(server::compoundurl("C109660"));
    b.window.now.formula = "109-66-0";
    b.search.dosearch(b.window.now);

    EXPECT_EQ(b.window.column(3), Strings{"pentane"});
    EXPECT_EQ(b.window.column(2), Strings{"BP 309.2"});
    EXPECT_EQ(b.pages.requests, (Strings{"http://" + std::string(server::host()) +
                                             "/cgi/cbook.cgi?ID=109-66-0&Units=SI",
                                         "1/1: " + server::compoundurl("C109660")}));
    EXPECT_EQ(b.cachefiles(),
              (Strings{"C109660.gif", "cas-109-66-0-&Units=SI.htm", "cas-109-66-0-C109660-thermo",
                       "cas-109-66-0-CAS-109-66-0-thermo.htm"}));
}

TEST(QuerySearch, ANameWithPathSeparatorsStaysInTheCache) {
    SearchBench b;
    const std::string url = server::nameurl("../C5H12");
    EXPECT_TRUE(url.ends_with("?Name=..%2FC5H12&Units=SI&cTG=on&cTC=on&cTP=on"));
    b.pages.pages[url] = nomatch;
    b.window.now.formula = "../C5H12";
    b.search.dosearch(b.window.now);

    EXPECT_EQ(b.window.listcount(), 0u);
    EXPECT_TRUE(b.window.messagebox.texts.empty());
    EXPECT_EQ(b.cachefiles(), Strings{"name-%2E%2E%2FC5H12-&Units=SI&cTG=on&cTC=on&cTP=on.htm"});
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(b.home) / ".." /
                                         "C5H12-&Units=SI&cTG=on&cTC=on&cTP=on.htm"));
}
