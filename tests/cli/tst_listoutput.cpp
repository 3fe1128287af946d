// The command line's output of the result list: JSON with its escaping and nulls, CSV quoting,
// aligned columns counted in characters, and page text that is not UTF-8.

#include <gtest/gtest.h>

#include "search/listoutput.h"

using namespace kestrix;

namespace {

// Result list entries: sort key, identifier, property column, display name, record rest.
const std::string dimethylpropane = "0282.600\tC463821\tBP 282.6\t2,2-dimethylpropane\t"
                                    "Formula=C5H12|Molecular Weight=72.1488|CAS Reg=463-82-1|"
                                    "file=a.htm";
const std::string quoted = "0301.000\tU1\tBP ?\tsay \"hi\"\tFormula=C4H8D2|file=";
const std::string latin1 = "0309.200\tC109660\tBP 309.2\tp\xe9ntane\tFormula=C5H12|Molecular "
                           "Weight=72.1488|CAS Reg=109-66-0|file=b.htm";

struct JsonRow {
    const char* label;
    std::string entry;
    bool iskelvin;
    std::string object;
};

const JsonRow jsonrows[] = {
    {"kelvin", dimethylpropane, true,
     R"({"name": "2,2-dimethylpropane", "id": "C463821", "cas": "463-82-1", "formula": "C5H12", )"
     R"("mw": 72.1488, "property": "BP", "value": 282.6, "unit": "K"})"},
    {"celsius", "0009.000\tC1\tMP -11.8\tx\tFormula=C5H12", false,
     R"({"name": "x", "id": "C1", "cas": null, "formula": "C5H12", "mw": null, "property": "MP", )"
     R"("value": -11.8, "unit": "C"})"},
    {"no value, no CAS, no weight", quoted, true,
     R"({"name": "say \"hi\"", "id": "U1", "cas": null, "formula": "C4H8D2", "mw": null, )"
     R"("property": "BP", "value": null, "unit": "K"})"},
    {"control characters and backslashes", "?\tC2\tBP ?\ta\\b\x01\x7f\n\tFormula=X", true,
     R"({"name": "a\\b\u0001\u007f\n", "id": "C2", "cas": null, "formula": "X", "mw": null, )"
     R"("property": "BP", "value": null, "unit": "K"})"},
    {"latin-1 becomes utf-8", latin1, true,
     R"({"name": "péntane", "id": "C109660", "cas": "109-66-0", "formula": "C5H12", )"
     R"("mw": 72.1488, "property": "BP", "value": 309.2, "unit": "K"})"},
    {"utf-8 stays", "1\tC3\tBP 1\t\xce\xb1-pinene\tMolecular Weight=178.", true,
     R"({"name": "α-pinene", "id": "C3", "cas": null, "formula": null, "mw": 178, )"
     R"("property": "BP", "value": 1, "unit": "K"})"},
    {"a weight that is no number", "1\tC4\tBP 2\tz\tMolecular Weight=72.15 g/mol", true,
     R"({"name": "z", "id": "C4", "cas": null, "formula": null, "mw": null, )"
     R"("property": "BP", "value": 2, "unit": "K"})"},
};

class Json : public testing::TestWithParam<JsonRow> {};

} // namespace

TEST_P(Json, OneObjectPerEntry) {
    const JsonRow& row = GetParam();
    EXPECT_EQ(writelist({row.entry}, row.iskelvin, OutputFormat::json),
              "[\n  " + row.object + "\n]\n");
}
INSTANTIATE_TEST_SUITE_P(Rows, Json, testing::ValuesIn(jsonrows), [](const auto& info) {
    std::string name = info.param.label;
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST(ListOutput, JsonOfSeveralAndOfNone) {
    EXPECT_EQ(writelist({}, true, OutputFormat::json), "[]\n");
    EXPECT_EQ(writelist({dimethylpropane, quoted}, true, OutputFormat::json),
              "[\n  " + jsonrows[0].object + ",\n  " + jsonrows[2].object + "\n]\n");
}

TEST(ListOutput, CsvQuotesWhatNeedsIt) {
    EXPECT_EQ(writelist({dimethylpropane, quoted, latin1}, true, OutputFormat::csv),
              "Name,BP (Kelvin),CAS#,Formula,MW\r\n"
              "\"2,2-dimethylpropane\",282.6,463-82-1,C5H12,72.1488\r\n"
              "\"say \"\"hi\"\"\",,,C4H8D2,\r\n"
              "péntane,309.2,109-66-0,C5H12,72.1488\r\n");
}

TEST(ListOutput, TsvIsTheCopyTextInUtf8) {
    EXPECT_EQ(writelist({latin1}, false, OutputFormat::tsv),
              "Name\tBP (oC)\tCAS#\tFormula\tMW\n"
              "péntane\t309.2\t109-66-0\tC5H12\t72.1488\n");
}

TEST(ListOutput, TableColumnsAlignByCharacters) {
    EXPECT_EQ(writelist({dimethylpropane, quoted, latin1}, true, OutputFormat::table),
              "Name                 BP (Kelvin)  CAS#      Formula  MW\n"
              "2,2-dimethylpropane  282.6        463-82-1  C5H12    72.1488\n"
              "say \"hi\"                                    C4H8D2\n"
              "péntane              309.2        109-66-0  C5H12    72.1488\n");
}

namespace {

struct NumberRow {
    const char* text;
    const char* json; // nullptr: null
};

const NumberRow numbers[] = {
    {"72.1488", "72.1488"}, {"-11.8", "-11.8"}, {"1e3", "1e3"}, {"178.", "178"},
    {"0012", "12"},         {"?", nullptr},     {"", nullptr},  {"nan", nullptr},
    {"inf", nullptr},       {"1 K", nullptr},   {"-", nullptr},
};

class Number : public testing::TestWithParam<NumberRow> {};

} // namespace

TEST_P(Number, AsJson) {
    const auto number = jsonnumber(GetParam().text);
    if (GetParam().json) {
        EXPECT_EQ(number, std::optional<std::string>(GetParam().json));
    } else {
        EXPECT_EQ(number, std::nullopt);
    }
}
INSTANTIATE_TEST_SUITE_P(Rows, Number, testing::ValuesIn(numbers));
