// Result list entries: property column, sort key and the order of the list.

#include <algorithm>
#include <random>

#include "core/entry.h"
#include "core/listedcompound.h"
#include "core/sortedentries.h"
#include "table.h"

using namespace kestrix;
using namespace kestrix::test;

class TestEntry : public QObject {
    Q_OBJECT
  private slots:
    // First item's value, name, flags (a: alphabetical, p: by property, k: kelvin), draw,
    // then the sort key and the property value of the entry.
    void buildentry_data() {
        // clang-format off
        addrows({{"celsius by property", "309.2", "pentane", "p", "0.1", "0036.000", "36"},
                 {"kelvin", "309.2", "pentane", "pk", "0.1", "0309.200", "309.2"},
                 {"empty value", "", "pentane", "pk", "0.1", "?", "?"},
                 {"9999 is no value", "9999", "pentane", "p", "0.1", "?", "?"},
                 {"negative celsius", "261.4", "pentane", "p", "0.1", "-0011.800", "-11.8"},
                 {"alphabetical", "309.2", "2-methylpentane", "apk", "0.1", "2-methyl", "309.2"},
                 {"alphabetical, short", "309.2", "ethane", "ak", "0.1", "ethane", "309.2"},
                 {"random", "309.2", "pentane", "k", "0.4567", "0457.000", "309.2"},
                 {"random, half down", "309.2", "pentane", "k", "0.0005", "0000.000", "309.2"},
                 {"random, half up", "309.2", "pentane", "k", "0.0015", "0002.000", "309.2"}});
        // clang-format on
    }
    void buildentry() {
        QFETCH(QByteArrayList, r);
        const EntryChoices choices{r[2].contains('a'), r[2].contains('p'), r[2].contains('k')};
        const std::string record = "|T<sub>boil</sub>=" + r[0].toStdString() + "|Formula=C5H12";
        QCOMPARE(qb(kestrix::buildentry(record, "X1", "BP", r[1].toStdString(), choices,
                                        r[3].toDouble())),
                 r[4] + "\tX1\tBP " + r[5] + "\t" + r[1] + "\tFormula=C5H12");
        // Without a second item the record rest is empty.
        QCOMPARE(qb(kestrix::buildentry("|T=1", "X1", "BP", "n", {}, 0)),
                 QByteArray("0001.000\tX1\tBP 1\tn\t"));
    }

    // The entry, then its five fields as read, joined by "/".
    void readentry_data() {
        addrows({{"whole", "0309.200\tX1\tBP 309.2\tpentane\tFormula=C5H12|file=f",
                  "0309.200/X1/BP/309.2/pentane/Formula=C5H12|file=f"},
                 {"blanks trimmed, tabs kept in the rest", " k \t X1 \tBP ?\t a b \t r\ts ",
                  "k/X1/BP/?/a b/r\ts"},
                 {"short", "k\tX1", "k/X1////"},
                 {"empty", "", "/////"}});
    }
    void readentry() {
        QFETCH(QByteArrayList, r);
        const ListedCompound e = kestrix::readentry(r[0].toStdString());
        QCOMPARE(qb(e.sortkey + "/" + e.id + "/" + e.property + "/" + e.value + "/" + e.name + "/" +
                    e.record),
                 r[1]);
        // Read back, the entry text is the one it was read from, once in its full shape.
        if (r[0].count('\t') == 4 && !r[0].startsWith(' ')) QCOMPARE(qb(entrytext(e)), r[0]);
    }

    void propertyvalue_data() {
        // clang-format off
        addrows({{"309.2 C", "309.2", "", "36"}, {"300.9 C", "300.9", "", "27.7"},
                 {"261.4 C", "261.4", "", "-11.8"}, {"whole C", "301", "", "28"},
                 {"decimal truncated, not its binary neighbour", "1024.35", "", "751.2"},
                 {"just below a tenth", "1024.34", "", "751.1"},
                 {"kelvin kept", "300.90", "k", "300.9"}, {"exponent", "1.5e3", "k", "1500"},
                 {"zero", "0.0", "k", "?"}, {"text", "n/a", "", "?"}, {"empty", "", "", "?"}});
        // clang-format on
    }
    void propertyvalue() {
        QFETCH(QByteArrayList, r);
        QCOMPARE(qb(kestrix::propertyvalue(r[0].toStdString(), r[1] == "k")), r[2]);
    }

    void listorder_data() {
        QTest::addColumn<QStringList>("ordered");
        QTest::newRow("numeric keys, then others")
            << QStringList{"-0011.800\tb", "-0001.000\ta", "0000.500\tz", "0036.000\tc",
                           "0309.200\tc",  "12345.600\ta", "?\ta",        "?\tb"};
        QTest::newRow("letters without case")
            << QStringList{"2-methyl\tX1\tb", "2-methyl\tX2\ta", "butane\tX9",
                           "Ethane\tX0",      "ethanol\tX0",     "PENTANE\tX3"};
        QTest::newRow("equal keys by the rest")
            << QStringList{"0036.000\tX1\tBP 36", "0036.000\tx2\tBP 36", "0036.000\tX3\tBP 36"};
    }
    void listorder() {
        QFETCH(QStringList, ordered);
        std::vector<std::string> shuffled;
        for (const QString& e : ordered) shuffled.push_back(e.toStdString());
        std::mt19937 random(7);
        for (int round = 0; round < 20; ++round) {
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            SortedEntries list;
            for (const std::string& e : shuffled) list.add(kestrix::readentry(e));
            QStringList got, want;
            for (const ListedCompound& e : list.entries())
                got << QString::fromStdString(entrytext(e));
            for (const QString& e : ordered)
                want << QString::fromStdString(entrytext(kestrix::readentry(e.toStdString())));
            QCOMPARE(got, want);
        }
    }

    void insertionposition() {
        SortedEntries list;
        QCOMPARE(list.add(kestrix::readentry("0036.000\tA")), std::size_t(0));
        QCOMPARE(list.add(kestrix::readentry("0010.000\tB")), std::size_t(0));
        QCOMPARE(list.add(kestrix::readentry("?\tC")), std::size_t(2));
        QCOMPARE(list.add(kestrix::readentry("0036.000\tA")),
                 std::size_t(2)); // after the equal entry
        QCOMPARE(list.add(kestrix::readentry("-0100.000\tD")), std::size_t(0));
        QVERIFY(compareentries("Abc\tx", "abC\tx") == 0);
    }
};

QTEST_APPLESS_MAIN(TestEntry)
#include "tst_entry.moc"
