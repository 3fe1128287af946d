// The text primitives and the numeric reading that every parser is built from.

#include <QTest>

#include <algorithm>
#include <optional>
#include <random>

#include "core/number.h"
#include "core/text.h"
#include "table.h"

using namespace kestrix;
using namespace kestrix::test;

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

} // namespace

class TestText : public QObject {
    Q_OBJECT
  private slots:
    void strextr_data() {
        // clang-format off
        addrows({{"blanks trimmed", "  abc | def  ", "|", "abc", "def"},
                 {"no delimiter", " abc ", "|", "abc", ""},
                 {"empty text", "", "|", "", ""},
                 {"adjacent delimiters", "a||b", "|", "a", "|b"},
                 {"long delimiter", "x</a> y</a>", "</a>", "x", "y</a>"},
                 {"tabs kept", "x\t|\ty", "|", "x\t", "\ty"},
                 {"case matters", "aXbxc", "x", "aXb", "c"},
                 {"empty delimiter keeps the text", "abc", "", "", "abc"}});
        // clang-format on
        QTest::newRow("beyond 32767")
            << QByteArrayList{QByteArray(40000, 'x') + "| y", "|", QByteArray(40000, 'x'), "y"};
    }
    void strextr() {
        QFETCH(QByteArrayList, r);
        std::string text = r[0].toStdString();
        QCOMPARE(qb(kestrix::strextr(text, r[1].toStdString())), r[2]);
        QCOMPARE(qb(text), r[3]);
        std::string_view view(r[0].constData(), r[0].size());
        QCOMPARE(qb(std::string(strextrview(view, r[1].toStdString()))), r[2]);
        QCOMPARE(qb(std::string(view)), r[3]);
    }

    void strextrsequenceandtail() {
        std::string st = "a||b";
        QCOMPARE(kestrix::strextr(st, "|"), std::string("a"));
        QCOMPARE(kestrix::strextr(st, "|"), std::string());
        QCOMPARE(kestrix::strextr(st, "|"), std::string("b"));
        QVERIFY(st.empty());
        st = " ab | cd | ef ";
        QCOMPARE(strextrtail(st, "|"), std::string("cd | ef"));
        QCOMPARE(st, std::string("ab"));
        QCOMPARE(strextrtail(st, "|"), std::string("ab"));
        QVERIFY(st.empty());
    }

    void strsub_data() {
        // clang-format off
        addrows({{"restart from 1", "aaab", "ab", "b", "b"},
                 {"line feeds", "a\nb", "\n", "\r\n", "a\r\nb"},
                 {"crlf already there", "a\r\nb", "\n", "\r\n", "a\r\r\nb"},
                 {"character 31 replaced too", "a\x1f" "b", "a", "aa", "aaaab"},
                 {"equal texts", "xyx", "x", "x", "xyx"},
                 {"removal", "&#171;x&#187;", "&#171;", "", "x&#187;"},
                 {"same length, overlapping", "-n-n-", "-n-", "-N-", "-N-N-"},
                 {"growing", "aab", "ab", "bba", "bbbbaa"},
                 {"empty ch1", "abc", "", "x", "abc"}});
        // clang-format on
    }
    void strsub() {
        QFETCH(QByteArrayList, r);
        std::string text = r[0].toStdString();
        kestrix::strsub(text, r[1].toStdString(), r[2].toStdString());
        QCOMPARE(qb(text), r[3]);
    }

    // The fast replacement against the plain restart-from-1 rule on many small inputs.
    void strsubmatchesrestartrule() {
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
            kestrix::strsub(got, ch1, ch2);
            if (got != *expected) {
                QFAIL(("'" + qb(s).toPercentEncoding() + "' '" + qb(ch1) + "' -> '" + qb(ch2) +
                       "': got '" + qb(got).toPercentEncoding() + "'")
                          .constData());
            }
            ++compared;
        }
        QVERIFY(compared > 25000);
    }

    void strsublargetexts() {
        std::string page;
        for (int i = 0; i < 100000; ++i) page += "line \n";
        page.resize(1 << 20, '.');
        const auto lines = std::count(page.begin(), page.end(), '\n');
        kestrix::strsub(page, "\n", "\r\n");
        QCOMPARE(static_cast<long>(page.size()), (1L << 20) + lines);
        QCOMPARE(page.find(" \n"), std::string::npos);
        // Every replacement makes a new occurrence with the text before it.
        std::string cascade(1 << 20, 'a');
        cascade += 'b';
        kestrix::strsub(cascade, "ab", "b");
        QCOMPARE(cascade, std::string("b"));
    }

    void parsestringforinteger_data() {
        // clang-format off
        addrows({{"list", "100,150,190,1220", ",", "100", "150,190,1220"},
                 {"last", "1220", ",", "1220", ""},
                 {"leading separator", ",150", ",", "0", "150"},
                 {"trailing separator", "100,", ",", "100", ""},
                 {"half to even down", "12.5,x", ",", "12", "x"},
                 {"half to even up", "13.5", ",", "14", ""},
                 {"one character skipped", "7<>8", "<>", "7", ">8"},
                 {"no trimming", "1 2, x", ",", "12", " x"},
                 {"upper limit", "32767,", ",", "32767", ""},
                 {"lower limit", "-32768.5,", ",", "-32768", ""},
                 {"above", "32767.5,1", ",", "fails", "32767.5,1"},
                 {"below", "-32769,1", ",", "fails", "-32769,1"}});
        // clang-format on
    }
    void parsestringforinteger() {
        QFETCH(QByteArrayList, r);
        std::string text = r[0].toStdString();
        const auto got = kestrix::parsestringforinteger(text, r[1].toStdString());
        QCOMPARE(got ? QByteArray::number(*got) : QByteArray("fails"), r[2]);
        QCOMPARE(qb(text), r[3]);
    }

    void numericvalue_data() {
        // clang-format off
        addrows({{"decimal", "309.2", "309.2"}, {"locant", "2-methylbutane", "2"},
                 {"comma", "1,3-butadiene", "1"}, {"word", "butane", "0"}, {"empty", "", "0"},
                 {"question mark", "?", "0"}, {"blanks inside", " 1 2", "12"},
                 {"tab and line feed", "\t-\n3.5e2x", "-350"}, {"D exponent", "1.5D1", "15"},
                 {"negative exponent", "25e-2", "0.25"}, {"dangling exponent", "2e", "2"},
                 {"point first", "-.5", "-0.5"}, {"second point", "1.2.3", "1.2"},
                 {"double sign", "--1", "0"}, {"carriage return", "1\r2", "1"},
                 {"too large", "1e999", "0"}});
        // clang-format on
    }
    void numericvalue() {
        QFETCH(QByteArrayList, r);
        QCOMPARE(kestrix::numericvalue(r[0].toStdString()), r[1].toDouble());
    }

    void numberformats() {
        // clang-format off
        const std::initializer_list<std::pair<double, const char*>> plain = {
            {309.2, "309.2"}, {36, "36"}, {-11.8, "-11.8"}, {0.001, "0.001"},
            {2.5e-7, "0.00000025"}, {1.0 / 3, "0.333333333333333"},
            {1.2345678901234567e17, "123456789012346000"}, {-0.0, "0"}};
        const std::initializer_list<std::pair<const char*, const char*>> keys = {
            {"36", "0036.000"}, {"27.7", "0027.700"}, {"-11.8", "-0011.800"}, {"523", "0523.000"},
            {"12345.6", "12345.600"}, {"1.23456", "0001.235"}, {"?", "?"}, {"", ""}};
        // clang-format on
        for (const auto& [value, text] : plain) QCOMPARE(plaindecimal(value), std::string(text));
        for (const auto& [value, key] : keys) {
            const std::string got = formatsortkey(value);
            QCOMPARE(got, std::string(key));
            QCOMPARE(issortkeynumber(got), got.find('.') != std::string::npos);
        }
        for (const char* text : {"036.000", "0036.00", "0036.000x", "pentane"}) {
            QVERIFY2(!issortkeynumber(text), text);
        }
    }

    void asciilower() {
        QCOMPARE(kestrix::asciilower("Pentane, 2-METHYL- @[`{"),
                 std::string("pentane, 2-methyl- @[`{"));
        // Latin-1 and UTF-8 letters stay as they are.
        QCOMPARE(kestrix::asciilower("\xC4\xD6 \xC3\x84X"), std::string("\xC4\xD6 \xC3\x84x"));
    }
};

QTEST_APPLESS_MAIN(TestText)
#include "tst_text.moc"
