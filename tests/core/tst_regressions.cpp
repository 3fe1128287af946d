// Inputs that the fuzz targets (fuzz/) found to break the pure layers, kept as test rows.

#include <QTest>

#include <string>

#include "core/entry.h"
#include "core/number.h"
#include "core/sortedentries.h"

using namespace kestrix;

class TestRegressions : public QObject {
    Q_OBJECT
  private slots:
    // A value beyond about 1.8e305 overflowed when scaled to thousandths and gave the sort
    // key "inf", which sorted after the keys that are not numbers.
    void hugesortkey_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("leading");
        QTest::newRow("1e306") << QByteArray("1e306") << QByteArray("1000000000000000");
        QTest::newRow("1.7e308") << QByteArray("1.7e308") << QByteArray("16999999999999999");
        QTest::newRow("-1e306") << QByteArray("-1e306") << QByteArray("-1000000000000000");
        QTest::newRow("ordinary") << QByteArray("-11.8") << QByteArray("-0011.800");
    }
    void hugesortkey() {
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, leading);
        const std::string key = formatsortkey(plaindecimal(numericvalue(value.toStdString())));
        QVERIFY2(issortkeynumber(key), key.c_str());
        QVERIFY2(key.starts_with(leading.toStdString()), key.c_str());
    }

    void hugevaluesortsamongnumbers() {
        const EntryChoices kelvin{false, true, true};
        SortedEntries list;
        list.add(listcompound("|T<sub>boil</sub>=|file=a", "X1", "BP", "a", kelvin, 0));
        list.add(listcompound("|T<sub>boil</sub>=1e306|file=b", "X2", "BP", "b", kelvin, 0));
        list.add(listcompound("|T<sub>boil</sub>=309.2|file=c", "X3", "BP", "c", kelvin, 0));
        QCOMPARE(list.size(), std::size_t{3});
        QCOMPARE(list.at(0).sortkey + " " + list.at(0).id, std::string("0309.200 X3"));
        QCOMPARE(list.at(1).id, std::string("X2"));
        QCOMPARE(list.at(2).sortkey + " " + list.at(2).id, std::string("? X1"));
    }
};

QTEST_APPLESS_MAIN(TestRegressions)
#include "tst_regressions.moc"
