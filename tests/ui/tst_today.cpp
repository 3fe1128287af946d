// Searches against pages in the shapes the server uses today: linked summary labels, "&deg;",
// and a formula with a single match answered by the compound's own page.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ui/form1.h"
#include "ui/listbox.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

class TestToday : public QObject, WindowFixture {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(startserver(QStringLiteral("today"))); }
    void cleanup() { form_.reset(); }

    void isomers() {
        newwindow();
        search(QStringLiteral("C6H14"));
        QCOMPARE(column(3), (QStringList{"2,2-dimethylbutane", "2,3-dimethylbutane",
                                         "2-methylpentane", "3-methylpentane", "hexane"}));
        QCOMPARE(column(2),
                 (QStringList{"BP 322.9", "BP 331.1", "BP 333.4", "BP 336.4", "BP 341.9"}));
        QCOMPARE(form_->Label2->toPlainText(),
                 QStringLiteral("CAS# 75-83-2\nMF C6H14 MW 86.1754\n2,2-dimethylbutane\n\n"
                                "BP 322.9 Kelvin"));
        const QString rest = column(4).last();
        QVERIFY(rest.contains(QStringLiteral("|S&#176;<sub>gas</sub>=388.4|")));
        QVERIFY(rest.contains(QStringLiteral("|~<sub>f</sub>H&#176;<sub>gas</sub>=-166.9|")));
        QVERIFY(messages_.texts.empty());
    }

    void singlematch() {
        newwindow();
        search(QStringLiteral("CH4"));
        QCOMPARE(column(3), QStringList{"methane"});
        QCOMPARE(column(1), QStringList{"C74828"});
        QCOMPARE(column(2), QStringList{"BP 111.7"});
        QVERIFY(column(4).first().contains(QStringLiteral("Molecular Weight=16.0425|")));
        QVERIFY(cachefiles(cache_).contains(QStringLiteral("CH4-CAS-74-82-8-thermo.htm")));
    }
};

QTEST_MAIN(TestToday)
#include "tst_today.moc"
