// Cutting values out of compound pages, in the page shapes of then and now.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "compound/extract.h"

using namespace kestrix;

namespace {

const char* sgas = "S&#176;<sub>gas</sub>";
const char* vap = "<sub>vap</sub>H";

struct ValueRow {
    const char *name, *page, *field, *value;
};
const ValueRow valuerows[] = {
    {"summary, subscripts removed",
     "<li><strong>Formula:</strong> C<sub>5</sub>H<sub>12</sub></li>", "Formula", "C5H12"},
    {"summary, linked label",
     "<li><strong><a title=\"f\" href=\"/f\">Formula</a>:</strong> C<sub>5</sub>H<sub>12</sub>"
     "</li>",
     "Formula", "C5H12"},
    {"summary, linked weight in lower case",
     "<li><strong><a href=\"/w\">Molecular weight</a>:</strong> 72.1488</li>", "Molecular Weight",
     "72.1488"},
    {"summary, old marker wins",
     "<a>CAS Reg</a>:</strong> 9</li><li><strong>CAS Registry Number:</strong> 109-66-0</li>",
     "CAS Reg", "109-66-0"},
    {"summary, missing", "<li>Formula: C5H12</li>", "Formula", ""},
    {"table, uncertainty dropped",
     "<tr><td>T<sub>boil</sub></td><td class=\"r\">309.2 &plusmn; 0.3</td>", "T<sub>boil</sub>",
     "309.2"},
    {"table, up to the tag", "<td>P<sub>c</sub></td><td>33.7</td>", "P<sub>c</sub>", "33.7"},
    {"table, first occurrence", "T<sub>c</sub><td>1</td>T<sub>c</sub><td>2</td>", "T<sub>c</sub>",
     "1"},
    {"table, triple-point pressure", "<td>P<sub>triple</sub></td><td>0.0001</td>",
     "P<sub>triple</sub>", "0.0001"},
    {"table, no cell after the name", "<td>T<sub>boil</sub></td></tr>", "T<sub>boil</sub>", ""},
    {"table, missing", "<td>T<sub>fus</sub></td><td>143</td>", "T<sub>boil</sub>", ""},
    {"no fallback without a degree sign", "<td>T<sub>boil</sub at 1 atm></td><td>300</td>",
     "T<sub>boil</sub>", ""},
    {"degree as &deg;", "<td>S&deg;<sub>gas</sub></td><td>349.56 &plusmn; 0.1</td>", sgas,
     "349.56"},
    {"&deg;, label inside the subscript", "<td>S&deg;<sub>gas,1 bar</sub></td><td>349.0</td>", sgas,
     "349.0"},
    {"&#176; preferred", "S&deg;<sub>gas</sub><td>1</td>S&#176;<sub>gas</sub><td>2", sgas, "2"},
    {"&ordm; is no degree sign", "<td>S&ordm;<sub>gas</sub></td><td>5</td>", sgas, ""},
    {"formation as &deg;", "<td>&Delta;<sub>f</sub>H&deg;<sub>liquid</sub></td><td>-173.5</td>",
     "<sub>f</sub>H&#176;<sub>liquid</sub>", "-173.5"},
    {"phase change with temperature",
     "<td>&Delta;<sub>vap</sub>H</td><td>26.4 &plusmn; 0.1</td><td class=\"r\">298.150</td>", vap,
     "26.4 @298.15 Kelvin"},
    {"phase change, temperature 0", "<sub>vap</sub>H<td>26.4</td><td>0</td>", vap, "26.4"},
    {"phase change, no number", "<sub>vap</sub>H<td>26.4</td><td>N/A</td>", vap, "26.4"},
    {"phase change, no further cell", "<sub>vap</sub>H<td>26.4</td>", vap, "26.4"},
    {"structure file", "<a href=\"/cgi/cbook.cgi/C109660.mol?Str3File=C109660\">", "Str3File",
     "C109660"},
    {"structure file missing", "<a href=\"/x.mol\">", "Str3File", ""},
    {"unrecognized", "<td>T<sub>x</sub></td><td>1</td>", "T<sub>x</sub>", ""},
};

TEST(Extract, OneValueOfAPage) {
    for (const ValueRow& row : valuerows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(extractvalue(row.page, row.field, fieldgroup(row.field)), row.value);
    }
}

const std::string page = "<li><strong>Formula:</strong> C<sub>5</sub>H<sub>12</sub></li>"
                         "<li><strong>CAS Registry Number:</strong> 109-66-0</li>"
                         "<td>&Delta;<sub>vap</sub>H</td><td>26.4</td><td>298.15</td>"
                         "<td>T<sub>boil</sub></td><td>309.2</td>";

TEST(Extract, TheRecordOfAFieldList) {
    std::vector<std::string> unrecognized;
    std::optional<std::string> cas;
    const std::string record = extractrecord(
        page, "T<sub>boil</sub>|~<sub>vap</sub>H| Formula |Bogus~Name|CAS Reg|T<sub>boil</sub>",
        &cas, [&](const std::string& name) { unrecognized.push_back(name); });
    EXPECT_EQ(record, "|T<sub>boil</sub>=309.2|~<sub>vap</sub>H=26.4 @298.15 Kelvin"
                      "|Formula=C5H12|Bogus~Name=|CAS Reg=109-66-0|T<sub>boil</sub>=309.2");
    EXPECT_EQ(unrecognized, std::vector<std::string>{"BogusName"});
    EXPECT_EQ(cas, "109-66-0");
}

TEST(Extract, AnEmptyFieldListGivesAnEmptyRecordAndNoCasNumber) {
    std::optional<std::string> cas;
    EXPECT_EQ(extractrecord(page, "", &cas), "");
    EXPECT_FALSE(cas.has_value());
}

// An empty element is an item with an empty key, the place of a missing property.
TEST(Extract, AnEmptyElementIsAnItemWithAnEmptyKey) {
    std::optional<std::string> cas;
    EXPECT_EQ(extractrecord("", "|Formula|CAS Reg", &cas), "|=|Formula=|CAS Reg=");
    EXPECT_EQ(cas, "");
}

} // namespace
