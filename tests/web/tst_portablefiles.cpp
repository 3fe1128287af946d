// The page cache's files as Windows and Linux both take them: one rule for safe names.

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "core/query.h"
#include "web/cache.h"
#include "web/cachenames.h"

using namespace kestrix;

namespace {

struct NameRow {
    const char* why;
    std::string name;
    bool safe;
};

const std::vector<NameRow> namerows = {
    {"compound page", "C5H12-CAS-109-66-0-thermo.htm", true},
    {"result page", "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", true},
    {"escaped name", "name-%2E%2E%2FC5H12.htm", true},
    {"leading space", " C5H12.csv", true},
    {"space before the extension", "C5H12 .csv", true},
    {"UTF-8", "Pentan\xc3\xa9-thermo.htm", true},
    {"a device name leads a longer name", "CON-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", true},
    {"device name inside", "xCON.csv", true},
    {"longer than a device", "conman.htm", true},
    {"COM10", "COM10.htm", true},
    {"COM0", "COM0", true},
    {"LPT without number", "LPT.htm", true},
    {"empty", "", false},
    {"dot", ".", false},
    {"dot dot", "..", false},
    {"slash", "../etc", false},
    {"backslash", "a\\b", false},
    {"less", "a<b", false},
    {"greater", "a>b", false},
    {"colon, a Windows data stream", "C:x", false},
    {"quote", "a\"b", false},
    {"bar", "a|b", false},
    {"question mark", "a?b", false},
    {"star", "C*-X1-", false},
    {"tab", "a\tb", false},
    {"unit separator", "a\x1f", false},
    {"delete", "a\x7f", false},
    {"nul byte", std::string("a\0b", 3), false},
    {"trailing dot", "C5H12.", false},
    {"three dots", "...", false},
    {"trailing space", "C5H12.htm ", false},
    {"CON", "CON", false},
    {"con.csv", "con.csv", false},
    {"cobalt nitride", "CoN.csv", false},
    {"praseodymium nitride", "PrN.htm", false},
    {"phosphorus and radon", "PRn.htm", false},
    {"PRN", "PRN", false},
    {"aux", "aux", false},
    {"two extensions", "NUL.tar.gz", false},
    {"space before the extension of a device", "nul .txt", false},
    {"COM1", "COM1", false},
    {"com9.gif", "com9.gif", false},
    {"Lpt1.htm", "Lpt1.htm", false},
    {"LPT9", "LPT9", false},
    {"COM superscript one", "COM\xc2\xb9.htm", false},
    {"lpt superscript three", "lpt\xc2\xb3", false},
    {"console input", "CONIN$", false},
    {"console output", "conout$.txt", false},
    {"Latin-1 byte", "Pentan\xe9.htm", false},
    {"cut UTF-8", "Pentan\xc3", false},
    {"overlong slash",
     "a\xc0\xaf"
     "b",
     false},
    {"surrogate", "a\xed\xa0\x80", false},
};

class Names : public testing::TestWithParam<NameRow> {};

TEST_P(Names, SafeOnEverySystemOrRefused) {
    const NameRow& row = GetParam();
    EXPECT_EQ(safename(row.name), row.safe);
    EXPECT_EQ(cachepath("dir/", row.name).value_or("<none>"),
              row.safe ? "dir/" + row.name : "<none>");
}

INSTANTIATE_TEST_SUITE_P(Rows, Names, testing::ValuesIn(namerows),
                         [](const testing::TestParamInfo<NameRow>& info) {
                             std::string tag;
                             for (const char c : std::string(info.param.why)) {
                                 if (std::isalnum(static_cast<unsigned char>(c))) tag += c;
                             }
                             return tag;
                         });

// Formulas that spell a device name: a search writes its files, a tabulation of them cannot be
// named after the formula.
TEST(DeviceFormulas, SearchFilesAreSafeTabulationsAreNot) {
    for (const std::string formula : {"CON", "CoN", "PrN", "PRn"}) {
        const Query query = classifyquery(formula);
        ASSERT_EQ(query.kind, QueryKind::formula) << formula;
        const std::string key = searchkey(query);
        for (const std::string& file :
             {resultpagename(query), identifiername(key, "X1", "thermo"),
              compoundpagename(key, "CAS-109-66-0", "thermo"), drawingname("X1")}) {
            EXPECT_TRUE(safename(file)) << file;
        }
        EXPECT_FALSE(safename(tabulationname(formula, false))) << formula;
        EXPECT_FALSE(safename(tabulationname(formula, true))) << formula;
    }
}

} // namespace
