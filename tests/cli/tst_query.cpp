// The three kinds of question: how the box text is classified, which address each kind asks
// and under which names its pages are cached.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/query.h"
#include "web/cache.h"
#include "web/cachenames.h"
#include "web/server.h"

using namespace kestrix;

namespace {

struct KindRow {
    const char* typed;
    QueryKind kind;
    const char* text;  // as searched
    int expectedcheck; // the right check digit of a wrong CAS number; -1 otherwise
};

// The CAS numbers are published ones: pentane, radon, water, formaldehyde, caffeine.
const KindRow kinds[] = {
    {"C5H12", QueryKind::formula, "C5H12", -1},
    {"  C5H12 ", QueryKind::formula, "C5H12", -1},
    {"CO", QueryKind::formula, "CO", -1},
    {"Co", QueryKind::formula, "Co", -1},
    {"co", QueryKind::name, "co", -1},
    {"CH4O", QueryKind::formula, "CH4O", -1},
    {"ch4o", QueryKind::name, "ch4o", -1},
    {"Ch4O", QueryKind::name, "Ch4O", -1}, // "Ch" is no element
    {"CL2", QueryKind::name, "CL2", -1},   // nor is "L"
    {"Cl2", QueryKind::formula, "Cl2", -1},
    {"C4H8D2", QueryKind::formula, "C4H8D2", -1},
    {"Rn", QueryKind::formula, "Rn", -1},
    {"Og", QueryKind::formula, "Og", -1},
    {"Uuo", QueryKind::name, "Uuo", -1},
    {"C5 H12", QueryKind::name, "C5 H12", -1},
    {"C5H12+", QueryKind::name, "C5H12+", -1},
    {"C5H12/..", QueryKind::name, "C5H12/..", -1},
    {"Pentane", QueryKind::name, "Pentane", -1},
    {"pentane", QueryKind::name, "pentane", -1},
    {"2,2-dimethylpropane", QueryKind::name, "2,2-dimethylpropane", -1},
    {"109-66-0", QueryKind::cas, "109-66-0", -1},
    {" 109-66-0 ", QueryKind::cas, "109-66-0", -1},
    {"10043-92-2", QueryKind::cas, "10043-92-2", -1},
    {"7732-18-5", QueryKind::cas, "7732-18-5", -1},
    {"50-00-0", QueryKind::cas, "50-00-0", -1},
    {"58-08-2", QueryKind::cas, "58-08-2", -1},
    {"109-66-1", QueryKind::cas, "109-66-1", 0},
    {"7732-18-4", QueryKind::cas, "7732-18-4", 5},
    {"58-08-9", QueryKind::cas, "58-08-9", 2},
    {"1-23-4", QueryKind::name, "1-23-4", -1},               // one leading digit
    {"12345678-12-3", QueryKind::name, "12345678-12-3", -1}, // eight
    {"109-6-0", QueryKind::name, "109-6-0", -1},
    {"109-66-00", QueryKind::name, "109-66-00", -1},
    {"109-66-0-1", QueryKind::name, "109-66-0-1", -1},
    {"1O9-66-0", QueryKind::name, "1O9-66-0", -1},
    {"", QueryKind::none, "", -1},
    {"   ", QueryKind::none, "", -1},
};

class Classify : public testing::TestWithParam<KindRow> {};

} // namespace

TEST_P(Classify, KindTextAndCheckDigit) {
    const KindRow& row = GetParam();
    const Query query = classifyquery(row.typed);
    EXPECT_EQ(query.kind, row.kind);
    EXPECT_EQ(query.text, row.text);
    EXPECT_EQ(query.expectedcheck, row.expectedcheck);
}
INSTANTIATE_TEST_SUITE_P(Rows, Classify, testing::ValuesIn(kinds));

namespace {

struct AddressRow {
    const char* typed;
    const char* path; // the address after "http://" and the host
};

const AddressRow addresses[] = {
    {"C5H12", "/cgi/cbook.cgi?Formula=C5H12&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on"},
    {"pentane", "/cgi/cbook.cgi?Name=pentane&Units=SI&cTG=on&cTC=on&cTP=on"},
    {"2,2-dimethylpropane",
     "/cgi/cbook.cgi?Name=2%2C2-dimethylpropane&Units=SI&cTG=on&cTC=on&cTP=on"},
    {" amyl hydride ", "/cgi/cbook.cgi?Name=amyl%20hydride&Units=SI&cTG=on&cTC=on&cTP=on"},
    {"a.b_c~d+e&f=g", "/cgi/cbook.cgi?Name=a.b_c~d%2Be%26f%3Dg&Units=SI&cTG=on&cTC=on&cTP=on"},
    {"\xce\xb1-pinene", "/cgi/cbook.cgi?Name=%CE%B1-pinene&Units=SI&cTG=on&cTC=on&cTP=on"},
    {"109-66-0", "/cgi/cbook.cgi?ID=109-66-0&Units=SI"},
};

class Address : public testing::TestWithParam<AddressRow> {};

} // namespace

TEST_P(Address, EachKindAsksItsOwnSearch) {
    EXPECT_EQ(server::searchurl(classifyquery(GetParam().typed)),
              "http://" + std::string(server::host()) + GetParam().path);
}
INSTANTIATE_TEST_SUITE_P(Rows, Address, testing::ValuesIn(addresses));

namespace {

struct NameRow {
    const char* typed;
    const char* resultpage;
    const char* tabulation; // the HTML tabulation of the box text as typed
};

const NameRow names[] = {
    {"C5H12", "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", "C5H12.htm"},
    {" C5H12", "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm", " C5H12.htm"},
    {"pentane", "name-pentane-&Units=SI&cTG=on&cTC=on&cTP=on.htm", "name-pentane.htm"},
    {"2,2-dimethylpropane", "name-2%2C2%2Ddimethylpropane-&Units=SI&cTG=on&cTC=on&cTP=on.htm",
     "name-2%2C2%2Ddimethylpropane.htm"},
    {"../../etc/passwd", "name-%2E%2E%2F%2E%2E%2Fetc%2Fpasswd-&Units=SI&cTG=on&cTC=on&cTP=on.htm",
     "name-%2E%2E%2F%2E%2E%2Fetc%2Fpasswd.htm"},
    {"a b [c]", "name-a%20b%20%5Bc%5D-&Units=SI&cTG=on&cTC=on&cTP=on.htm",
     "name-a%20b%20%5Bc%5D.htm"},
    {"\xce\xb1-pinene", "name-%CE%B1%2Dpinene-&Units=SI&cTG=on&cTC=on&cTP=on.htm",
     "name-%CE%B1%2Dpinene.htm"},
    {"109-66-0", "cas-109-66-0-&Units=SI.htm", "cas-109-66-0.htm"},
};

class CacheName : public testing::TestWithParam<NameRow> {};

} // namespace

TEST_P(CacheName, ResultPageAndTabulation) {
    EXPECT_EQ(resultpagename(classifyquery(GetParam().typed)), GetParam().resultpage);
    EXPECT_EQ(tabulationname(GetParam().typed, false), GetParam().tabulation);
}
INSTANTIATE_TEST_SUITE_P(Rows, CacheName, testing::ValuesIn(names));

namespace {

// Every file a search and its tabulations would write for the query: the result page, the
// identifier and compound page files of one compound with a CAS number and one without, and
// both tabulations.
std::vector<std::string> filesof(const std::string& typed) {
    const Query query = classifyquery(typed);
    const std::string key = searchkey(query);
    const std::string noncas = identifiername(key, "U123456", "thermo");
    return {resultpagename(query),
            identifiername(key, "C109660", "thermo"),
            compoundpagename(key, "CAS-109-66-0", "thermo"),
            noncas,
            noncas + ".htm",
            tabulationname(typed, false),
            tabulationname(typed, true)};
}

// Names chosen to look like other kinds' files, or like the other files of a name.
const std::vector<std::string> hostile = {
    "C5H12",
    "Rn",
    "pentane",
    "Pentane",
    "pentane-CAS-109-66-0-thermo",
    "pentane-C109660-thermo",
    "pentane-U123456-thermo",
    "pentane-&Units=SI&cTG=on&cTC=on&cTP=on",
    "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on",
    "C5H12-CAS-109-66-0-thermo",
    "name-pentane",
    "cas-109-66-0",
    "109-66-0",
    "10-96-60",
    ".",
    "..",
    "../x",
    "a\\b",
    "a\nb",
    "%2E",
    ".htm",
    "pentane.htm",
    std::string(300, 'a'),
    std::string(299, 'a') + "b",
    std::string(200, '/'),
    std::string(100, '\xe9'),
};

} // namespace

TEST(CacheNames, NoTwoQueriesShareAFileAndEveryNameIsSafe) {
    std::map<std::string, std::string> owner; // file name -> the query that writes it
    for (const std::string& typed : hostile) {
        for (const std::string& file : filesof(typed)) {
            EXPECT_TRUE(safename(file)) << file;
            EXPECT_LE(file.size(), 255u) << typed;
            const auto [at, added] = owner.emplace(file, typed);
            EXPECT_TRUE(added || at->second == typed)
                << file << " of " << typed << " and of " << at->second;
        }
    }
}

TEST(CacheNames, LongNamesAreCutAndToldApartByTheirWhole) {
    const std::string a = searchkey(classifyquery(std::string(300, 'a')));
    const std::string b = searchkey(classifyquery(std::string(299, 'a') + "b"));
    EXPECT_NE(a, b);
    EXPECT_EQ(a.substr(0, 10), "name-aaaaa");
    EXPECT_LT(a.size(), 150u);
    // A cut never splits a "%XX": here the cut would fall right after a "%".
    const std::string c = searchkey(classifyquery("a" + std::string(100, '\xe9')));
    const std::size_t hash = c.find('_');
    ASSERT_NE(hash, std::string::npos);
    EXPECT_EQ(c.substr(hash - 3, 4), "%E9_") << c;
}
