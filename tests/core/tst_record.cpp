// Reading a compound record back: getfield, as the tabulation looks values up, and the items
// the compound panel shows.

#include <gtest/gtest.h>

#include <string>

#include "core/record.h"

using namespace kestrix;

namespace {

const std::string summary = "Formula=C5H12|Molecular Weight=72.1488|CAS Reg=109-66-0";

struct FieldRow {
    const char* name;
    std::string field, record, value;
};
const FieldRow fieldrows[] = {
    {"first item", "Formula", summary, "C5H12"},
    {"last item", "CAS Reg", summary, "109-66-0"},
    {"empty value", "T<sub>c</sub>", "T<sub>c</sub>=|P<sub>c</sub>=33.7", ""},
    {"case matters", "formula", summary, ""},
    {"file item", "file", "x=1|file=C5H12-CAS-1-thermo.htm", "C5H12-CAS-1-thermo.htm"},
    {"cut at 100", "v", "v=" + std::string(120, 'x'), std::string(100, 'x')},
    {"first occurrence, anywhere", "H", "~<sub>vap</sub>H= 26.4 |H=1", "26.4"},
    {"missing", "Str3File", summary, ""},
};

TEST(Record, GetfieldTakesTheFirstKeyAnywhere) {
    for (const FieldRow& row : fieldrows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(getfield(row.field, row.record), row.value);
    }
}

// A record rest, then formula, weight, CAS number, 3-D reference and file as read.
struct ItemsRow {
    const char *name, *rest;
    const char *formula, *weight, *cas, *str3file, *file;
};
const ItemsRow itemsrows[] = {
    {"all",
     "Formula=C5H12|Molecular Weight=72.1|CAS Reg=109-66-0|Str3File=C1|T<sub>c</sub>=469.7|"
     "file=f.htm",
     "C5H12", "72.1", "109-66-0", "C1", "f.htm"},
    {"last occurrence wins, blanks trimmed", "Formula=C5|Formula= C5H12 |file=f", "C5H12", "", "",
     "", "f"},
    {"empty items and items without a key skipped", "||junk|=x|CAS Reg=1-2", "", "", "1-2", "", ""},
    {"a value holding =", "Str3File=a=b", "", "", "", "a=b", ""},
    {"keys by case", "formula=x|FILE=y", "", "", "", "", ""},
};

TEST(Record, LastitemsReadsItemByItemTheLastKeyWinning) {
    for (const ItemsRow& row : itemsrows) {
        SCOPED_TRACE(row.name);
        const RecordItems i = lastitems(row.rest);
        EXPECT_EQ(i.formula, row.formula);
        EXPECT_EQ(i.molecularweight, row.weight);
        EXPECT_EQ(i.casreg, row.cas);
        EXPECT_EQ(i.str3file, row.str3file);
        EXPECT_EQ(i.file, row.file);
    }
}

} // namespace
