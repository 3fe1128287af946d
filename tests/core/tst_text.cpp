// The text primitives and the numeric reading that every parser is built from.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>

#include "core/number.h"
#include "core/text.h"

using namespace kestrix;

namespace {

// Replacement by the plain rule: after every replacement search again from position 1; when
// ch1 occurs in ch2, go through character 31 in two passes. nullopt when it runs away.
std::optional<std::string> restartsub(std::string s, const std::string& ch1, const std::string& ch2,
                                      int& budget) {
    if (ch1.empty()) return s;
    if (ch2.find(ch1) != std::string::npos) {
        auto first = restartsub(s, ch1, "\x1f", budget);
        return first ? restartsub(*first, "\x1f", ch2, budget) : first;
    }
    for (auto p = s.find(ch1); p != std::string::npos; p = s.find(ch1)) {
        if (--budget < 0 || s.size() > 4096) return std::nullopt;
        s.replace(p, ch1.size(), ch2);
    }
    return s;
}

struct ExtractRow {
    const char* name;
    std::string text, delimiter, cut, rest;
};
const ExtractRow extractrows[] = {
    {"blanks trimmed", "  abc | def  ", "|", "abc", "def"},
    {"no delimiter", " abc ", "|", "abc", ""},
    {"empty text", "", "|", "", ""},
    {"adjacent delimiters", "a||b", "|", "a", "|b"},
    {"long delimiter", "x</a> y</a>", "</a>", "x", "y</a>"},
    {"tabs kept", "x\t|\ty", "|", "x\t", "\ty"},
    {"case matters", "aXbxc", "x", "aXb", "c"},
    {"empty delimiter keeps the text", "abc", "", "", "abc"},
    {"beyond 32767", std::string(40000, 'x') + "| y", "|", std::string(40000, 'x'), "y"},
};

TEST(Text, StrextrCutsAtTheFirstDelimiterOnTextAndView) {
    for (const ExtractRow& row : extractrows) {
        SCOPED_TRACE(row.name);
        std::string text = row.text;
        EXPECT_EQ(strextr(text, row.delimiter), row.cut);
        EXPECT_EQ(text, row.rest);
        std::string_view view = row.text;
        EXPECT_EQ(strextrview(view, row.delimiter), row.cut);
        EXPECT_EQ(view, row.rest);
    }
}

TEST(Text, StrextrInSequenceAndTheTailCut) {
    std::string st = "a||b";
    EXPECT_EQ(strextr(st, "|"), "a");
    EXPECT_EQ(strextr(st, "|"), "");
    EXPECT_EQ(strextr(st, "|"), "b");
    EXPECT_EQ(st, "");
    st = " ab | cd | ef ";
    EXPECT_EQ(strextrtail(st, "|"), "cd | ef");
    EXPECT_EQ(st, "ab");
    EXPECT_EQ(strextrtail(st, "|"), "ab");
    EXPECT_EQ(st, "");
}

struct SubRow {
    const char* name;
    const char *text, *ch1, *ch2, *result;
};
const SubRow subrows[] = {
    {"restart from 1", "aaab", "ab", "b", "b"},
    {"line feeds", "a\nb", "\n", "\r\n", "a\r\nb"},
    {"crlf already there", "a\r\nb", "\n", "\r\n", "a\r\r\nb"},
    {"character 31 replaced too", "a\037b", "a", "aa", "aaaab"},
    {"equal texts", "xyx", "x", "x", "xyx"},
    {"removal", "&#171;x&#187;", "&#171;", "", "x&#187;"},
    {"same length, overlapping", "-n-n-", "-n-", "-N-", "-N-N-"},
    {"growing", "aab", "ab", "bba", "bbbbaa"},
    {"empty ch1", "abc", "", "x", "abc"},
};

TEST(Text, StrsubSearchesAgainFromTheStart) {
    for (const SubRow& row : subrows) {
        SCOPED_TRACE(row.name);
        std::string text = row.text;
        strsub(text, row.ch1, row.ch2);
        EXPECT_EQ(text, row.result);
    }
}

// The fast replacement against the plain restart-from-1 rule on many small inputs.
TEST(Text, StrsubMatchesTheRestartRule) {
    std::mt19937 random(20240611);
    auto word = [&](std::size_t minlength, std::size_t maxlength, std::size_t letters) {
        std::string w(minlength + random() % (maxlength - minlength + 1), ' ');
        for (char& c : w) c = "ab\x1f"[random() % letters];
        return w;
    };
    int compared = 0;
    for (int i = 0; i < 30000; ++i) {
        const std::string s = word(0, 12, 3), ch1 = word(1, 3, 2), ch2 = word(0, 4, 2);
        int budget = 2000;
        const auto expected = restartsub(s, ch1, ch2, budget);
        if (!expected) continue;
        std::string got = s;
        strsub(got, ch1, ch2);
        ASSERT_EQ(got, *expected) << "text " << testing::PrintToString(s) << ", "
                                  << testing::PrintToString(ch1) << " -> "
                                  << testing::PrintToString(ch2);
        ++compared;
    }
    // The rule runs away on few inputs; nearly all are compared.
    EXPECT_GT(compared, 25000);
}

TEST(Text, StrsubOnLargeTexts) {
    std::string page;
    for (int i = 0; i < 100000; ++i) page += "line \n";
    page.resize(1 << 20, '.');
    const auto lines = std::count(page.begin(), page.end(), '\n');
    strsub(page, "\n", "\r\n");
    EXPECT_EQ(static_cast<long>(page.size()), (1L << 20) + lines);
    EXPECT_EQ(page.find(" \n"), std::string::npos);
    // Every replacement makes a new occurrence with the text before it.
    std::string cascade(1 << 20, 'a');
    cascade += 'b';
    strsub(cascade, "ab", "b");
    EXPECT_EQ(cascade, "b");
}

struct IntegerRow {
    const char* name;
    const char *text, *separator;
    std::optional<int> number;
    const char* rest;
};
const IntegerRow integerrows[] = {
    {"list", "100,150,190,1220", ",", 100, "150,190,1220"},
    {"last", "1220", ",", 1220, ""},
    {"leading separator", ",150", ",", 0, "150"},
    {"trailing separator", "100,", ",", 100, ""},
    {"half to even down", "12.5,x", ",", 12, "x"},
    {"half to even up", "13.5", ",", 14, ""},
    {"one character skipped", "7<>8", "<>", 7, ">8"},
    {"no trimming", "1 2, x", ",", 12, " x"},
    {"upper limit", "32767,", ",", 32767, ""},
    {"lower limit", "-32768.5,", ",", -32768, ""},
    {"above", "32767.5,1", ",", std::nullopt, "32767.5,1"},
    {"below", "-32769,1", ",", std::nullopt, "-32769,1"},
};

TEST(Text, ParseStringForInteger) {
    for (const IntegerRow& row : integerrows) {
        SCOPED_TRACE(row.name);
        std::string text = row.text;
        EXPECT_EQ(parsestringforinteger(text, row.separator), row.number);
        EXPECT_EQ(text, row.rest);
    }
}

struct NumberRow {
    const char* name;
    const char* text;
    double value;
};
const NumberRow numberrows[] = {
    {"decimal", "309.2", 309.2},
    {"locant", "2-methylbutane", 2},
    {"comma", "1,3-butadiene", 1},
    {"word", "butane", 0},
    {"empty", "", 0},
    {"question mark", "?", 0},
    {"blanks inside", " 1 2", 12},
    {"tab and line feed", "\t-\n3.5e2x", -350},
    {"D exponent", "1.5D1", 15},
    {"negative exponent", "25e-2", 0.25},
    {"dangling exponent", "2e", 2},
    {"point first", "-.5", -0.5},
    {"second point", "1.2.3", 1.2},
    {"double sign", "--1", 0},
    {"carriage return", "1\r2", 1},
    {"too large", "1e999", 0},
};

TEST(Number, NumericValueReadsTheLeadingNumber) {
    for (const NumberRow& row : numberrows) {
        SCOPED_TRACE(row.name);
        EXPECT_DOUBLE_EQ(numericvalue(row.text), row.value);
    }
}

struct DecimalRow {
    double value;
    const char* text;
};
const DecimalRow decimalrows[] = {
    {309.2, "309.2"},
    {36, "36"},
    {-11.8, "-11.8"},
    {0.001, "0.001"},
    {2.5e-7, "0.00000025"},
    {1.0 / 3, "0.333333333333333"},
    {1.2345678901234567e17, "123456789012346000"},
    {-0.0, "0"},
};

TEST(Number, PlainDecimal) {
    for (const DecimalRow& row : decimalrows) {
        EXPECT_EQ(plaindecimal(row.value), row.text) << row.text;
    }
}

struct SortKeyRow {
    const char *value, *key;
    bool isnumber;
};
const SortKeyRow sortkeyrows[] = {
    {"36", "0036.000", true},
    {"27.7", "0027.700", true},
    {"-11.8", "-0011.800", true},
    {"523", "0523.000", true},
    {"12345.6", "12345.600", true},
    {"1.23456", "0001.235", true},
    {"?", "?", false},
    {"", "", false},
};

TEST(Number, SortKeysAndWhatReadsAsOne) {
    for (const SortKeyRow& row : sortkeyrows) {
        SCOPED_TRACE(row.value);
        const std::string key = formatsortkey(row.value);
        EXPECT_EQ(key, row.key);
        EXPECT_EQ(issortkeynumber(key), row.isnumber);
    }
    for (const char* text : {"036.000", "0036.00", "0036.000x", "pentane"}) {
        EXPECT_FALSE(issortkeynumber(text)) << text;
    }
}

TEST(Text, AsciiLower) {
    EXPECT_EQ(asciilower("Pentane, 2-METHYL- @[`{"), "pentane, 2-methyl- @[`{");
    // Latin-1 and UTF-8 letters stay as they are.
    EXPECT_EQ(asciilower("\xC4\xD6 \xC3\x84X"), "\xC4\xD6 \xC3\x84x");
}

} // namespace
