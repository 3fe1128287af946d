// Inputs that the fuzz targets (fuzz/) found to break the core, kept as test rows.

#include <gtest/gtest.h>

#include <string>

#include "core/entry.h"
#include "core/number.h"
#include "core/sortedentries.h"

using namespace kestrix;

namespace {

// A value beyond about 1.8e305 overflowed when scaled to thousandths and gave the sort key
// "inf", which sorted after the keys that are not numbers.
struct HugeRow {
    const char *value, *leading;
};
const HugeRow hugerows[] = {
    {"1e306", "1000000000000000"},
    {"1.7e308", "16999999999999999"},
    {"-1e306", "-1000000000000000"},
    {"-11.8", "-0011.800"},
};

TEST(Regressions, AHugeValueHasANumericSortKey) {
    for (const HugeRow& row : hugerows) {
        SCOPED_TRACE(row.value);
        const std::string key = formatsortkey(plaindecimal(numericvalue(row.value)));
        EXPECT_TRUE(issortkeynumber(key)) << key;
        EXPECT_TRUE(key.starts_with(row.leading)) << key;
    }
}

TEST(Regressions, AHugeValueSortsAmongTheNumbers) {
    const EntryChoices kelvin{false, true, true};
    SortedEntries list;
    list.add(listcompound("|T<sub>boil</sub>=|file=a", "X1", "BP", "a", kelvin, 0));
    list.add(listcompound("|T<sub>boil</sub>=1e306|file=b", "X2", "BP", "b", kelvin, 0));
    list.add(listcompound("|T<sub>boil</sub>=309.2|file=c", "X3", "BP", "c", kelvin, 0));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.at(0).sortkey + " " + list.at(0).id, "0309.200 X3");
    EXPECT_EQ(list.at(1).id, "X2");
    EXPECT_EQ(list.at(2).sortkey + " " + list.at(2).id, "? X1");
}

} // namespace
