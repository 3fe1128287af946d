// The three kinds of question: how the box text is classified, which address each kind asks
// and under which names its pages are cached.

#include <gtest/gtest.h>

#include <map>

#include "core/query.h"
#include "web/cache.h"
#include "web/cachenames.h"
#include "web/safename.h"
#include "web/server.h"

using namespace kestrix;

namespace {

struct KindRow {
    const char* typed;
    QueryKind kind;
    int expectedcheck; // the right check digit of a wrong CAS number; -1 otherwise
};

// The CAS numbers are published ones: pentane, radon, water, caffeine.
const KindRow kinds[] = {
    {"  C5H12 ", QueryKind::formula, -1},
    {"CO", QueryKind::formula, -1},
    {"Co", QueryKind::formula, -1},
    {"co", QueryKind::name, -1},
    {"CH4O", QueryKind::formula, -1},
    {"ch4o", QueryKind::name, -1},
    {"Ch4O", QueryKind::name, -1},
    {"CL2", QueryKind::name, -1},
    {"C4H8D2", QueryKind::formula, -1},
    {"Og", QueryKind::formula, -1},
    {"Uuo", QueryKind::name, -1},
    {"C5 H12", QueryKind::name, -1},
    {"C5H12/..", QueryKind::name, -1},
    {"Pentane", QueryKind::name, -1},
    {"2,2-dimethylpropane", QueryKind::name, -1},
    {" 109-66-0 ", QueryKind::cas, -1},
    {"10043-92-2", QueryKind::cas, -1},
    {"58-08-2", QueryKind::cas, -1},
    {"109-66-1", QueryKind::cas, 0},
    {"7732-18-4", QueryKind::cas, 5},
    {"1-23-4", QueryKind::name, -1},
    {"12345678-12-3", QueryKind::name, -1},
    {"109-6-0", QueryKind::name, -1},
    {"109-66-00", QueryKind::name, -1},
    {"1O9-66-0", QueryKind::name, -1},
    {"   ", QueryKind::none, -1},
};

class Classify : public testing::TestWithParam<KindRow> {};

} // namespace

TEST_P(Classify, KindAndCheckDigit) {
    const Query query = classifyquery(GetParam().typed);
    EXPECT_EQ(query.kind, GetParam().kind);
    EXPECT_EQ(query.expectedcheck, GetParam().expectedcheck);
}
INSTANTIATE_TEST_SUITE_P(Rows, Classify, testing::ValuesIn(kinds));

namespace {

struct NameRow {
    const char* typed;
    const char* address;    // after "http://" and the host
    const char* resultpage; // its cache file
    const char* tabulation; // the HTML tabulation of the box text as typed
};

const NameRow names[] = {
    {" C5H12", "/cgi/cbook.cgi?Formula=C5H12&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on",
     "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", " C5H12.htm"},
    {"2,2-dimethylpropane",
     "/cgi/cbook.cgi?Name=2%2C2-dimethylpropane&Units=SI&cTG=on&cTC=on&cTP=on",
     "name-2%2C2%2Ddimethylpropane-&Units=SI&cTG=on&cTC=on&cTP=on.htm",
     "name-2%2C2%2Ddimethylpropane.htm"},
    {"../a b~c_d", "/cgi/cbook.cgi?Name=..%2Fa%20b~c_d&Units=SI&cTG=on&cTC=on&cTP=on",
     "name-%2E%2E%2Fa%20b%7Ec%5Fd-&Units=SI&cTG=on&cTC=on&cTP=on.htm",
     "name-%2E%2E%2Fa%20b%7Ec%5Fd.htm"},
    {"\xce\xb1-pinene", "/cgi/cbook.cgi?Name=%CE%B1-pinene&Units=SI&cTG=on&cTC=on&cTP=on",
     "name-%CE%B1%2Dpinene-&Units=SI&cTG=on&cTC=on&cTP=on.htm", "name-%CE%B1%2Dpinene.htm"},
    {"109-66-0", "/cgi/cbook.cgi?ID=109-66-0&Units=SI", "cas-109-66-0-&Units=SI.htm",
     "cas-109-66-0.htm"},
};

class Names : public testing::TestWithParam<NameRow> {};

} // namespace

TEST_P(Names, AddressResultPageAndTabulation) {
    const NameRow& row = GetParam();
    EXPECT_EQ(server::searchurl(classifyquery(row.typed)),
              "http://" + std::string(server::host()) + row.address);
    EXPECT_EQ(resultpagename(classifyquery(row.typed)), row.resultpage);
    EXPECT_EQ(tabulationname(row.typed, false), row.tabulation);
}
INSTANTIATE_TEST_SUITE_P(Rows, Names, testing::ValuesIn(names));

TEST(CacheNames, NoTwoQueriesShareAFileAndEveryNameIsSafe) {
    // Names chosen to look like other kinds' files, or like the other files of a name.
    const std::vector<std::string> hostile = {"C5H12",
                                              "pentane",
                                              "pentane-CAS-109-66-0-thermo",
                                              "pentane-U123456-thermo",
                                              "pentane-&Units=SI&cTG=on&cTC=on&cTP=on",
                                              "C5H12-CAS-109-66-0-thermo",
                                              "name-pentane",
                                              "cas-109-66-0",
                                              "109-66-0",
                                              "..",
                                              "a\\b\nc",
                                              "%2E",
                                              std::string(300, 'a'),
                                              std::string(299, 'a') + "b",
                                              std::string(200, '/'),
                                              std::string(100, '\xe9')};
    std::map<std::string, std::string> owner; // file name -> the query that writes it
    for (const std::string& typed : hostile) {
        // Every file a search and its tabulations write: result page, identifier and page
        // files of a compound with a CAS number and of one without, both tabulations.
        const Query query = classifyquery(typed);
        const std::string key = searchkey(query);
        const std::string noncas = identifiername(key, "U123456", "thermo");
        for (const std::string& file :
             {resultpagename(query), identifiername(key, "C109660", "thermo"),
              compoundpagename(key, "CAS-109-66-0", "thermo"), noncas, noncas + ".htm",
              tabulationname(typed, false), tabulationname(typed, true)}) {
            EXPECT_TRUE(safename(file)) << file;
            EXPECT_LE(file.size(), 200u) << typed;
            const auto [at, added] = owner.emplace(file, typed);
            EXPECT_TRUE(added || at->second == typed) << file << " also of " << at->second;
        }
    }
}

TEST(CacheNames, ALongNameIsCutBetweenEscapes) {
    // Cut at its 120th character, the escaped name would end inside a "%E9".
    const std::string key = searchkey(classifyquery("a" + std::string(100, '\xe9')));
    EXPECT_EQ(key.substr(0, 7), "name-a%");
    EXPECT_EQ(key.size(), 5 + 1 + 39 * 3 + 1 + 16);
    EXPECT_EQ(key.substr(5 + 1 + 39 * 3 - 3, 4), "%E9_");
}
