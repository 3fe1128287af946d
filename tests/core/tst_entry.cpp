// Result list entries: property column, sort key and the order of the list.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/entry.h"
#include "core/listedcompound.h"
#include "core/sortedentries.h"

using namespace kestrix;

namespace {

using Strings = std::vector<std::string>;

// The boiling point on the record, the name, flags (a: alphabetical, p: by property, k: kelvin)
// and the random draw; then the sort key and the property value of the entry.
struct BuildRow {
    const char *name, *boil, *compound, *flags;
    double draw;
    const char *sortkey, *value;
};
const BuildRow buildrows[] = {
    {"celsius by property", "309.2", "pentane", "p", 0.1, "0036.000", "36"},
    {"kelvin", "309.2", "pentane", "pk", 0.1, "0309.200", "309.2"},
    {"empty value", "", "pentane", "pk", 0.1, "?", "?"},
    {"9999 is no value", "9999", "pentane", "p", 0.1, "?", "?"},
    {"negative celsius", "261.4", "pentane", "p", 0.1, "-0011.800", "-11.8"},
    {"alphabetical", "309.2", "2-methylpentane", "apk", 0.1, "2-methyl", "309.2"},
    {"alphabetical, short", "309.2", "ethane", "ak", 0.1, "ethane", "309.2"},
    {"random", "309.2", "pentane", "k", 0.4567, "0457.000", "309.2"},
    {"random, half down", "309.2", "pentane", "k", 0.0005, "0000.000", "309.2"},
    {"random, half up", "309.2", "pentane", "k", 0.0015, "0002.000", "309.2"},
};

TEST(Entry, BuildEntryKeyAndValueByTheChoices) {
    for (const BuildRow& row : buildrows) {
        SCOPED_TRACE(row.name);
        const std::string flags = row.flags;
        const EntryChoices choices{flags.find('a') != std::string::npos,
                                   flags.find('p') != std::string::npos,
                                   flags.find('k') != std::string::npos};
        const std::string record = std::string("|T<sub>boil</sub>=") + row.boil + "|Formula=C5H12";
        EXPECT_EQ(buildentry(record, "X1", "BP", row.compound, choices, row.draw),
                  std::string(row.sortkey) + "\tX1\tBP " + row.value + "\t" + row.compound +
                      "\tFormula=C5H12");
    }
}

TEST(Entry, WithoutASecondItemTheRecordRestIsEmpty) {
    EXPECT_EQ(buildentry("|T=1", "X1", "BP", "n", {}, 0), "0001.000\tX1\tBP 1\tn\t");
}

struct ReadRow {
    const char *name, *entry;
    const char *sortkey, *id, *property, *value, *compound, *record;
};
const ReadRow readrows[] = {
    {"whole", "0309.200\tX1\tBP 309.2\tpentane\tFormula=C5H12|file=f", "0309.200", "X1", "BP",
     "309.2", "pentane", "Formula=C5H12|file=f"},
    {"blanks trimmed, tabs kept in the rest", " k \t X1 \tBP ?\t a b \t r\ts ", "k", "X1", "BP",
     "?", "a b", "r\ts"},
    {"short", "k\tX1", "k", "X1", "", "", "", ""},
    {"empty", "", "", "", "", "", "", ""},
};

TEST(Entry, ReadEntryCutsAtTabs) {
    for (const ReadRow& row : readrows) {
        SCOPED_TRACE(row.name);
        const ListedCompound e = readentry(row.entry);
        EXPECT_EQ(e.sortkey, row.sortkey);
        EXPECT_EQ(e.id, row.id);
        EXPECT_EQ(e.property, row.property);
        EXPECT_EQ(e.value, row.value);
        EXPECT_EQ(e.name, row.compound);
        EXPECT_EQ(e.record, row.record);
    }
}

// Read back, the entry text is the one it was read from.
TEST(Entry, AnEntryInItsFullShapeReadsBackAsItWas) {
    const std::string entry = "0309.200\tX1\tBP 309.2\tpentane\tFormula=C5H12|file=f";
    EXPECT_EQ(entrytext(readentry(entry)), entry);
}

struct ValueRow {
    const char *name, *value;
    bool kelvin;
    const char* listed;
};
const ValueRow valuerows[] = {
    {"309.2 C", "309.2", false, "36"},
    {"300.9 C", "300.9", false, "27.7"},
    {"261.4 C", "261.4", false, "-11.8"},
    {"whole C", "301", false, "28"},
    {"decimal truncated, not its binary neighbour", "1024.35", false, "751.2"},
    {"just below a tenth", "1024.34", false, "751.1"},
    {"kelvin kept", "300.90", true, "300.9"},
    {"exponent", "1.5e3", true, "1500"},
    {"zero", "0.0", true, "?"},
    {"text", "n/a", false, "?"},
    {"empty", "", false, "?"},
};

TEST(Entry, PropertyValueInTheListedUnit) {
    for (const ValueRow& row : valuerows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(propertyvalue(row.value, row.kelvin), row.listed);
    }
}

// Sort key and identifier of an entry text: the text up to its second tab.
std::string keyandid(const std::string& entry) {
    const auto first = entry.find('\t');
    return entry.substr(0, first == std::string::npos ? first : entry.find('\t', first + 1));
}

struct OrderRow {
    const char* name;
    Strings ordered;
};
const OrderRow orderrows[] = {
    {"numeric keys, then others",
     {"-0011.800\tb", "-0001.000\ta", "0000.500\tz", "0036.000\tc", "0309.200\tc", "12345.600\ta",
      "?\ta", "?\tb"}},
    {"letters without case",
     {"2-methyl\tX1\tb", "2-methyl\tX2\ta", "butane\tX9", "Ethane\tX0", "ethanol\tX0",
      "PENTANE\tX3"}},
    {"equal keys by the rest",
     {"0036.000\tX1\tBP 36", "0036.000\tx2\tBP 36", "0036.000\tX3\tBP 36"}},
};

TEST(Entry, TheListOrderWhateverTheOrderOfAdding) {
    std::mt19937 random(7);
    for (const OrderRow& row : orderrows) {
        SCOPED_TRACE(row.name);
        Strings want;
        for (const std::string& e : row.ordered) want.push_back(keyandid(e));
        Strings shuffled = row.ordered;
        for (int round = 0; round < 20; ++round) {
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            SortedEntries list;
            for (const std::string& e : shuffled) list.add(readentry(e));
            Strings got;
            for (const ListedCompound& e : list.entries()) got.push_back(e.sortkey + "\t" + e.id);
            ASSERT_EQ(got, want) << "round " << round;
        }
    }
}

TEST(Entry, AddReportsTheInsertionPosition) {
    SortedEntries list;
    EXPECT_EQ(list.add(readentry("0036.000\tA")), 0u);
    EXPECT_EQ(list.add(readentry("0010.000\tB")), 0u);
    EXPECT_EQ(list.add(readentry("?\tC")), 2u);
    EXPECT_EQ(list.add(readentry("0036.000\tA")), 2u); // after the equal entry
    EXPECT_EQ(list.add(readentry("-0100.000\tD")), 0u);
    Strings ids;
    for (const ListedCompound& e : list.entries()) ids.push_back(e.id);
    EXPECT_EQ(ids, (Strings{"D", "B", "A", "A", "C"}));
    EXPECT_EQ(compareentries("Abc\tx", "abC\tx"), 0);
}

} // namespace
