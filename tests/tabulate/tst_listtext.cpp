// The result list as clipboard text: a header, one tab-separated row per entry.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/listedcompound.h"
#include "tabulate/listtext.h"

using namespace kestrix;

namespace {

const char* pentane = "0309.200\tC1\tBP 309.2\tpentane\tFormula=C5H12|Molecular Weight="
                      "72.1488|CAS Reg=109-66-0|file=f.htm";
const char* unknown = "?\tC2\tBP ?\tmystery\tFormula=C5H12|CAS Reg=|file=";
const char* melting = "0143.500\tC1\tMP 143.5\tpentane\tCAS Reg=109-66-0";

// One entry or none (empty), the unit, then the text.
struct TextRow {
    const char *name, *entry;
    bool kelvin;
    const char* text;
};
const TextRow textrows[] = {
    {"kelvin", pentane, true,
     "Name\tBP (Kelvin)\tCAS#\tFormula\tMW\npentane\t309.2\t109-66-0\tC5H12\t72.1488\n"},
    {"no value is an empty cell", unknown, false,
     "Name\tBP (oC)\tCAS#\tFormula\tMW\nmystery\t\t\tC5H12\t\n"},
    {"melting points", melting, true,
     "Name\tMP (Kelvin)\tCAS#\tFormula\tMW\npentane\t143.5\t109-66-0\t\t\n"},
    {"empty list", "", true, "Name\tProperty (Kelvin)\tCAS#\tFormula\tMW\n"},
};

TEST(ListText, HeaderAndOneRow) {
    for (const TextRow& row : textrows) {
        SCOPED_TRACE(row.name);
        std::vector<ListedCompound> entries;
        if (*row.entry) entries.push_back(readentry(row.entry, row.kelvin));
        EXPECT_EQ(listtext(entries, row.kelvin), row.text);
    }
}

TEST(ListText, RowsInListOrderLineBreaksAsBlanks) {
    const std::vector<ListedCompound> entries = {
        readentry("a\tC1\tBP 1\tfirst\tCAS Reg=1-1"),
        readentry("b\tC2\tBP 2\tsecond,\r\nname\tCAS Reg=2-2")};
    EXPECT_EQ(listtext(entries, true), "Name\tBP (Kelvin)\tCAS#\tFormula\tMW\nfirst\t1\t1-1\t\t\n"
                                       "second,  name\t2\t2-2\t\t\n");
}

} // namespace
