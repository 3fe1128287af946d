// The tabulation field list, the field lookup and the HTML and CSV texts, byte for byte.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tabulate/tabulate.h"

using namespace kestrix;

namespace {

using Strings = std::vector<std::string>;

const std::string prefix = "http://3d.test/x?S=";
const std::string temps =
    "|T<sub>fus</sub>|T<sub>triple</sub>|T<sub>boil</sub>|T<sub>c</sub>|P<sub>c</sub>";
const std::string phase = "|~<sub>vap</sub>H|~<sub>vap</sub>S|~<sub>fus</sub>H|~<sub>fus</sub>S";
const std::string gas = "|~<sub>f</sub>H&#176;<sub>gas</sub>|S&#176;<sub>gas</sub>"
                        "|~<sub>f</sub>H&#176;<sub>liquid</sub>|S&#176;<sub>liquid</sub>"
                        "|~<sub>f</sub>H&#176;<sub>solid</sub>|S&#176;<sub>solid</sub>";

const std::string htmlstart =
    "<style>.t1{background-color:#CCCCCC} .t2{background-color:#CCFFCC} "
    ".t3{background-color:#CCCCFF} .t4{background-color:#CCFFFF}</style>\r\n"
    "<table cellspacing=0 cellpadding=3><tr><td class=t1 valign=top><b>Name</b></td>"
    "<td class=t1 valign=top><b>Structure</b></td><td class=T1>&nbsp;</td>"
    "<td class=t1 valign=top><b>Formula</b></td><td class=t1 valign=top><b>MW</b></td>"
    "<td class=t1 valign=top><b>CAS#</b></td>";
const std::string csvstart = "\"Name\",\"Structure\",\"\",\"Formula\",\"MW\",\"CAS#\"";

// Header cells of one group, and value cells of one group.
std::string heads(int group, const Strings& labels) {
    std::string out;
    for (const std::string& l : labels) {
        out += "<td class=t" + std::to_string(group) + " valign=top nowrap><b>" + l +
               "&nbsp;</b></td>";
    }
    return out;
}
std::string cells(int group, const Strings& values) {
    std::string out;
    for (const std::string& v : values) {
        out += "<td class=t" + std::to_string(group) + " valign=top>" + v + "&nbsp;</td>";
    }
    return out;
}

const std::string tempheads =
    heads(2, {"T<sub>fus</sub><br>Kelvin", "T<sub>triple</sub><br>Kelvin",
              "T<sub>boil</sub><br>Kelvin", "T<sub>c</sub><br>Kelvin", "P<sub>c</sub><br>bar"});
const std::string tempcsv =
    ",\"T_fus Kelvin\",\"T_triple Kelvin\",\"T_boil Kelvin\",\"T_c Kelvin\",\"P_c bar\"";
const Strings phaselabels{"Delta_<sub>vap</sub>H<br>kJ/mol", "Delta_<sub>vap</sub>S",
                          "Delta_<sub>fus</sub>H<br>kJ/mol", "Delta_<sub>fus</sub>S"};
const std::string phasecsv =
    ",\"Delta__vapH kJ/mol\",\"Delta__vapS\",\"Delta__fusH kJ/mol\",\"Delta__fusS\"";

// The checked groups (temperatures, phase change, gas/liquid/solid) and the field list.
struct GroupsRow {
    bool temperatures, phasechange, gasliquidsolid;
    std::string list;
};
const GroupsRow groupsrows[] = {
    {false, false, false, "|" + temps},
    {true, false, false, "|" + temps},
    {false, true, false, "|" + phase},
    {false, false, true, "|" + gas},
    {true, true, false, "|" + temps + "|" + phase},
    {true, false, true, "|" + temps + "|" + gas},
    {false, true, true, "|" + phase + "|" + gas},
    {true, true, true, "|" + temps + "|" + phase + "|" + gas},
};

TEST(Tabulate, FieldListInGroupOrderTemperaturesWhenNoneIsChecked) {
    for (const GroupsRow& row : groupsrows) {
        SCOPED_TRACE(testing::Message()
                     << row.temperatures << row.phasechange << row.gasliquidsolid);
        EXPECT_EQ(tabulationfieldlist(row.temperatures, row.phasechange, row.gasliquidsolid),
                  row.list);
    }
}

struct TableRow {
    const char* name;
    std::string fieldlist;
    Strings entries;
    std::string html, csv;
};

std::vector<TableRow> tablerows() {
    std::vector<TableRow> rows;
    rows.push_back({"empty list",
                    "|" + temps,
                    {},
                    htmlstart + tempheads + "</tr></table>",
                    csvstart + tempcsv + "\r\n"});

    const std::string pentane =
        "0309.200\tX1\tBP 309.2\tpentane\tFormula=C5H12|Molecular Weight=72.1488|CAS Reg="
        "109-66-0|Str3File=C109660|T<sub>fus</sub>=143.5|T<sub>triple</sub>=|T<sub>boil"
        "</sub>=309.2|T<sub>c</sub>=469.7|P<sub>c</sub>=33.7|file=C5H12-CAS-109-66-0-thermo."
        "htm";
    const std::string neopentane = "?\tX2\tBP ?\tneopentane\tFormula=C5H12|Molecular Weight="
                                   "72.15|CAS Reg=463-82-1|Str3File=|T<sub>boil</sub>=282.6"
                                   "|file=C5H12-CAS-463-82-1-thermo.htm";
    rows.push_back(
        {"temperatures, one without 3-D reference",
         "|" + temps,
         {pentane, neopentane},
         htmlstart + tempheads +
             "</tr>\r\n<tr><td class=t1 valign=top><a target=_blank "
             "href=C5H12-CAS-109-66-0-thermo.htm>pentane</a></td><td class=t1 valign=top>"
             "<img border=0 src=X1.gif></td><td class=t1 valign=top><a target=_blank "
             "href=http://3d.test/x?S=C109660>3D</a></td><td class=t1 valign=top>C5H12"
             "</td><td class=t1 valign=top>72.1488</td><td class=t1 valign=top>109-66-0"
             "</td>" +
             cells(2, {"143.5", "", "309.2", "469.7", "33.7"}) +
             "</tr>\r\n\r\n<tr><td class=t1 valign=top><a target=_blank "
             "href=C5H12-CAS-463-82-1-thermo.htm>neopentane</a></td><td class=t1 "
             "valign=top colspan=2><img src=X2.gif></td><td class=t1 valign=top>C5H12</td>"
             "<td class=t1 valign=top>72.15</td><td class=t1 valign=top>463-82-1</td>" +
             cells(2, {"", "", "282.6", "", ""}) + "</tr>\r\n</table>",
         csvstart + tempcsv +
             "\r\n\r\n\"pentane\",\"X1.gif\",\"http://3d.test/x?S=C109660\",\"C5H12\","
             "\"72.1488\",\"109-66-0\",143.5,,309.2,469.7,33.7\r\n\r\n\"neopentane\","
             "\"X2.gif\",,\"C5H12\",\"72.15\",\"463-82-1\",,,282.6,,\r\n"});

    const std::string all = "k\tX1\tBP 1\tpentane\tT<sub>boil</sub>=309.2|~<sub>vap</sub>H="
                            "26.4 @298.15 Kelvin|S&#176;<sub>gas</sub>=349.6|Str3File=S1";
    rows.push_back(
        {"all groups",
         "|" + temps + "|" + phase + "|" + gas,
         {all},
         htmlstart + tempheads + heads(3, phaselabels) +
             heads(4, {"Delta_<sub>f</sub>H&#176;<sub>gas</sub><br>kJ/mol", "S&#176;<sub>gas</sub>",
                       "Delta_<sub>f</sub>H&#176;<sub>liquid</sub><br>kJ/mol",
                       "S&#176;<sub>liquid</sub>",
                       "Delta_<sub>f</sub>H&#176;<sub>solid</sub><br>kJ/mol",
                       "S&#176;<sub>solid</sub>"}) +
             "</tr>\r\n<tr><td class=t1 valign=top><a target=_blank href=>pentane</a>"
             "</td><td class=t1 valign=top><img border=0 src=X1.gif></td><td class=t1 "
             "valign=top><a target=_blank href=http://3d.test/x?S=S1>3D</a></td><td "
             "class=t1 valign=top></td><td class=t1 valign=top></td><td class=t1 "
             "valign=top></td>" +
             cells(2, {"", "", "309.2", "", ""}) +
             cells(3, {"26.4 <br>@298.15 Kelvin", "", "", ""}) +
             cells(4, {"", "349.6", "", "", "", ""}) + "</tr>\r\n</table>",
         csvstart + tempcsv + phasecsv +
             ",\"Delta__fHo_gas kJ/mol\",\"So_gas\",\"Delta__fHo_liquid kJ/mol\","
             "\"So_liquid\",\"Delta__fHo_solid kJ/mol\",\"So_solid\"\r\n\r\n\"pentane\","
             "\"X1.gif\",\"http://3d.test/x?S=S1\",\"\",\"\",\"\",,,309.2,,,26.4 @298.15 "
             "Kelvin,,,,,349.6,,,,\r\n"});

    // Server text stays text: markup is escaped (an entity kept), and a spreadsheet cell that
    // would begin a formula gets an apostrophe; numbers stay numbers.
    const std::string hostile = "k\tX5\tBP ?\t<img src=x onerror=f()> &alpha; A&B\t"
                                "CAS Reg=1-2|~<sub>vap</sub>H=-5.1|~<sub>vap</sub>S==1+1|"
                                "~<sub>fus</sub>H=@x|~<sub>fus</sub>S=+cmd|file=f.htm";
    rows.push_back({"markup and formulas in server text",
                    "|" + phase,
                    {hostile},
                    htmlstart + heads(2, phaselabels) +
                        "</tr>\r\n<tr><td class=t1 valign=top><a target=_blank href=f.htm>&lt;img "
                        "src=x onerror=f()&gt; &alpha; A&amp;B</a></td><td class=t1 valign=top "
                        "colspan=2><img src=X5.gif></td><td class=t1 valign=top></td><td class=t1 "
                        "valign=top></td><td class=t1 valign=top>1-2</td>" +
                        cells(2, {"-5.1", "=1+1", "<br>@x", "+cmd"}) + "</tr>\r\n</table>",
                    csvstart + phasecsv +
                        "\r\n\r\n\"<img src=x onerror=f()> &alpha; A&B\",\"X5.gif\",,\"\",\"\","
                        "\"1-2\",-5.1,'=1+1,'@x,'+cmd\r\n"});

    // A name that holds "|" stays whole: the entry is cut at its tabs.
    const std::string piped = "k\tX4\tBP ?\ta|b\tCAS Reg=1-2|file=f.htm";
    rows.push_back({"name holding a bar",
                    "|" + phase,
                    {piped},
                    htmlstart + heads(2, phaselabels) +
                        "</tr>\r\n<tr><td class=t1 valign=top><a target=_blank href=f.htm>a|b</a>"
                        "</td><td class=t1 valign=top colspan=2><img src=X4.gif></td><td class=t1 "
                        "valign=top></td><td class=t1 valign=top></td><td class=t1 valign=top>1-2"
                        "</td>" +
                        cells(2, {"", "", "", ""}) + "</tr>\r\n</table>",
                    csvstart + phasecsv + "\r\n\r\n\"a|b\",\"X4.gif\",,\"\",\"\",\"1-2\",,,,\r\n"});

    const std::string odd = "k\tX3\tBP ?\tmethyl~ester \"a\"\tFormula=C5H10O2|CAS Reg=554-12-1"
                            "|~<sub>vap</sub>H=a,b|~<sub>vap</sub>S=say \"hi\"|~<sub>fus</sub>"
                            "H=5 @200 Kelvin|~<sub>fus</sub>S=x~y|file=f@1.htm";
    rows.push_back(
        {"phase change only, odd values",
         "|" + phase,
         {odd},
         htmlstart + heads(2, phaselabels) +
             "</tr>\r\n<tr><td class=t1 valign=top><a target=_blank href=f<br>@1.htm>"
             "methylDelta_ester &quot;a&quot;</a></td><td class=t1 valign=top colspan=2><img "
             "src=X3.gif></td><td class=t1 valign=top>C5H10O2</td><td class=t1 valign=top>"
             "</td><td class=t1 valign=top>554-12-1</td>" +
             cells(2, {"a,b", "say &quot;hi&quot;", "5 <br>@200 Kelvin", "xDelta_y"}) +
             "</tr>\r\n</table>",
         csvstart + phasecsv +
             "\r\n\r\n\"methylDelta_ester \"\"a\"\"\",\"X3.gif\",,\"C5H10O2\",\"\","
             "\"554-12-1\",\"a,b\",\"say \"\"hi\"\"\",5 @200 Kelvin,xDelta_y\r\n"});
    return rows;
}

TEST(Tabulate, HtmlAndCsvByteForByte) {
    const TableLinks links{prefix, [](std::string_view sid) { return std::string(sid) + ".gif"; }};
    for (const TableRow& row : tablerows()) {
        SCOPED_TRACE(row.name);
        std::vector<ListedCompound> list;
        for (const std::string& e : row.entries) list.push_back(readentry(e));
        const Tabulation t = tabulate(list, row.fieldlist, links);
        EXPECT_EQ(t.html, row.html);
        EXPECT_EQ(t.csv, row.csv);
    }
}

} // namespace
