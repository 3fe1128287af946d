// Which files of the page cache are result pages, and of which question: the formulas, CAS
// numbers and names the cache can answer without the network.

#include <gtest/gtest.h>

#include "scratch.h"
#include "web/cache.h"
#include "web/cachenames.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

TEST(CacheNames, ReadsTheQuestionBackFromAResultPagesName) {
    struct Case {
        std::string file, question; // question empty: no result page
    };
    const Case cases[] = {
        {"C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", "C5H12"},
        {"Co-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", "Co"},
        {"cas-109-66-0-&Units=SI.htm", "109-66-0"},
        {"name-pentane-&Units=SI&cTG=on&cTC=on&cTP=on.htm", "pentane"},
        {"name-2%2C2%2Ddimethylpropane-&Units=SI&cTG=on&cTC=on&cTP=on.htm", "2,2-dimethylpropane"},
        {"name-co-&Units=SI&cTG=on&cTC=on&cTP=on.htm", "co"},
        {"name-%C3%A9ther-&Units=SI&cTG=on&cTC=on&cTP=on.htm", "\xc3\xa9ther"},
        // Not result pages, or not of a question that names this very file.
        {"C5H12-CAS-109-66-0-thermo.htm", ""},
        {"C5H12-C109660-thermo", ""},
        {"C109660.gif", ""},
        {"C5H12.htm", ""},
        {"C5H12.csv", ""},
        {"cas-109-66-1-&Units=SI.htm", ""}, // a wrong check digit is never asked
        {"cas-109-66-0-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", ""},
        {"name-Pentane-&Units=SI&cTG=on&cTC=on&cTP=on.htm", "Pentane"},
        {"name-pentane%20-&Units=SI&cTG=on&cTC=on&cTP=on.htm", ""},
        {"name-" + std::string(120, 'a') + "_0123456789abcdef-&Units=SI&cTG=on&cTC=on&cTP=on.htm",
         ""},
        {"-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", ""},
        {"pentane-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(cachedquestion(c.file), c.question);
    }
}

TEST(CacheNames, EveryQuestionAskedIsFoundAgain) {
    for (const char* asked : {"C5H12", "CH4O", "109-66-0", "7732-18-5", "pentane",
                              "2,2-dimethylpropane", "water (liquid)", "\xc3\xa9ther"}) {
        SCOPED_TRACE(asked);
        EXPECT_EQ(cachedquestion(resultpagename(classifyquery(asked))), asked);
    }
}

TEST(CacheNames, TheCacheFolderOffersItsQuestionsSorted) {
    ScratchDir scratch;
    for (const char* name :
         {"name-pentane-&Units=SI&cTG=on&cTC=on&cTP=on.htm",
          "C6H14-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm",
          "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", "cas-109-66-0-&Units=SI.htm",
          "C5H12-CAS-109-66-0-thermo.htm", "C109660.gif", "C5H12.csv"}) {
        ASSERT_TRUE(writebytes(scratch.path() / name, "x"));
    }
    EXPECT_EQ(cachedquestions(scratch.dir()),
              (std::vector<std::string>{"109-66-0", "C5H12", "C6H14", "pentane"}));
    EXPECT_TRUE(cachedquestions(scratch.dir() + "missing/").empty());
}

} // namespace
