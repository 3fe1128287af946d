// Searches against pages in the shapes the server uses today: linked summary labels, "&deg;",
// and a formula with a single match answered by the compound's own page.

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support.h"
#include "ui/form1.h"
#include "ui/listbox.h"

using namespace kestrix;
using namespace kestrix::test;

class TestToday : public QObject {
    Q_OBJECT
  private:
    SampleServer server_;
    QTemporaryDir home_;
    MessageRecorder messages_;
    OpenRecorder opener_;

    QStringList column(const Form1& form, int n) const {
        QStringList out;
        for (const std::string& entry : form.List1->entries()) {
            out << QString::fromStdString(entry).section(QLatin1Char('\t'), n, n);
        }
        return out;
    }

  private slots:
    void initTestCase() {
        QVERIFY(server_.start(QStringLiteral("today")));
        qputenv("http_proxy", server_.proxy().toLatin1());
        qputenv("no_proxy", "");
    }

    void isomers() {
        freshcache(home_.path() + QStringLiteral("/isomers"));
        Form1 form(Services{&messages_, &opener_, 3000});
        form.Timer1->stop();
        form.txtMF->setText(QStringLiteral("C6H14"));
        form.Command1_Click();
        QCOMPARE(column(form, 3), (QStringList{"2,2-dimethylbutane", "2,3-dimethylbutane",
                                               "2-methylpentane", "3-methylpentane", "hexane"}));
        QCOMPARE(column(form, 2),
                 (QStringList{"BP 322.9", "BP 331.1", "BP 333.4", "BP 336.4", "BP 341.9"}));
        QCOMPARE(form.Label2->toPlainText(),
                 QStringLiteral("CAS# 75-83-2\nMF C6H14 MW 86.1754\n2,2-dimethylbutane\n\n"
                                "BP 322.9 Kelvin"));
        const QString rest = column(form, 4).last();
        QVERIFY(rest.contains(QStringLiteral("|S&#176;<sub>gas</sub>=388.4|")));
        QVERIFY(rest.contains(QStringLiteral("|~<sub>f</sub>H&#176;<sub>gas</sub>=-166.9|")));
        QVERIFY(messages_.texts.empty());
    }

    void singlematch() {
        const std::string cache = freshcache(home_.path() + QStringLiteral("/single"));
        Form1 form(Services{&messages_, &opener_, 3000});
        form.Timer1->stop();
        form.txtMF->setText(QStringLiteral("CH4"));
        form.Command1_Click();
        QCOMPARE(column(form, 3), QStringList{"methane"});
        QCOMPARE(column(form, 1), QStringList{"C74828"});
        QCOMPARE(column(form, 2), QStringList{"BP 111.7"});
        QVERIFY(column(form, 4).first().contains(QStringLiteral("Molecular Weight=16.0425|")));
        QVERIFY(cachefiles(cache).contains(QStringLiteral("CH4-CAS-74-82-8-thermo.htm")));
    }
};

QTEST_MAIN(TestToday)
#include "tst_today.moc"
