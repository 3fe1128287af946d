// The command line's output of the result list: JSON with its escaping and nulls, CSV quoting,
// aligned columns counted in characters, and page text that is not UTF-8.

#include <gtest/gtest.h>

#include "search/listoutput.h"

using namespace kestrix;

namespace {

// Result list entries: sort key, identifier, property column, display name, record rest.
const std::string dimethylpropane = "0282.600\tC463821\tBP 282.6\t2,2-dimethylpropane\t"
                                    "Formula=C5H12|Molecular Weight=72.1488|CAS Reg=463-82-1";
const std::string quoted = "0301.000\tU1\tBP ?\tsay \"hi\"\tFormula=C4H8D2|file=";
const std::string latin1 = "0309.200\tC109660\tBP 309.2\tp\xe9ntane\tFormula=C5H12|Molecular "
                           "Weight=72.1488|CAS Reg=109-66-0|file=b.htm";

struct JsonRow {
    std::string entry;
    bool iskelvin;
    std::string object;
};

const JsonRow jsonrows[] = {
    {dimethylpropane, true,
     R"({"name": "2,2-dimethylpropane", "id": "C463821", "cas": "463-82-1", "formula": "C5H12", )"
     R"("mw": 72.1488, "property": "BP", "value": 282.6, "unit": "K"})"},
    {quoted, true,
     R"({"name": "say \"hi\"", "id": "U1", "cas": null, "formula": "C4H8D2", "mw": null, )"
     R"("property": "BP", "value": null, "unit": "K"})"},
    {"?\tC2\tMP -11.8\ta\\b\x01\x7f\n\xe9\tMolecular Weight=72.15 g/mol", false,
     R"({"name": "a\\b\u0001\u007f\né", "id": "C2", "cas": null, "formula": null, "mw": null, )"
     R"("property": "MP", "value": -11.8, "unit": "C"})"},
    {"1\tC3\tBP 1\t\xce\xb1-pinene\tMolecular Weight=178.", true,
     R"({"name": "α-pinene", "id": "C3", "cas": null, "formula": null, "mw": 178, )"
     R"("property": "BP", "value": 1, "unit": "K"})"},
};

// The compounds the entries name, listed in kelvin or Celsius.
std::vector<ListedCompound> listed(std::initializer_list<std::string> entries, bool iskelvin) {
    std::vector<ListedCompound> out;
    for (const std::string& entry : entries) out.push_back(readentry(entry, iskelvin));
    return out;
}

class Json : public testing::TestWithParam<JsonRow> {};

} // namespace

TEST_P(Json, OneObjectPerEntry) {
    EXPECT_EQ(writelist(listed({GetParam().entry}, GetParam().iskelvin), GetParam().iskelvin,
                        OutputFormat::json),
              "[\n  " + GetParam().object + "\n]\n");
}
INSTANTIATE_TEST_SUITE_P(Rows, Json, testing::ValuesIn(jsonrows));

TEST(ListOutput, JsonOfSeveralAndOfNone) {
    EXPECT_EQ(writelist(listed({}, true), true, OutputFormat::json), "[]\n");
    EXPECT_EQ(writelist(listed({dimethylpropane, quoted}, true), true, OutputFormat::json),
              "[\n  " + jsonrows[0].object + ",\n  " + jsonrows[1].object + "\n]\n");
}

TEST(ListOutput, CsvQuotesWhatNeedsIt) {
    EXPECT_EQ(writelist(listed({dimethylpropane, quoted, latin1}, true), true, OutputFormat::csv),
              "Name,BP (Kelvin),CAS#,Formula,MW\r\n"
              "\"2,2-dimethylpropane\",282.6,463-82-1,C5H12,72.1488\r\n"
              "\"say \"\"hi\"\"\",,,C4H8D2,\r\n"
              "péntane,309.2,109-66-0,C5H12,72.1488\r\n");
}

TEST(ListOutput, TableColumnsAlignByCharacters) {
    EXPECT_EQ(writelist(listed({dimethylpropane, quoted, latin1}, true), true, OutputFormat::table),
              "Name                 BP (Kelvin)  CAS#      Formula  MW\n"
              "2,2-dimethylpropane  282.6        463-82-1  C5H12    72.1488\n"
              "say \"hi\"                                    C4H8D2\n"
              "péntane              309.2        109-66-0  C5H12    72.1488\n");
}

TEST(ListOutput, TsvIsTheCopyTextInUtf8) {
    EXPECT_EQ(writelist(listed({latin1}, false), false, OutputFormat::tsv),
              "Name\tBP (oC)\tCAS#\tFormula\tMW\npéntane\t309.2\t109-66-0\tC5H12\t72.1488\n");
}
