// The window on its own: start-up state, names, enabling, messages, tab stops, About, the
// force-fresh switch and Exit. No request leaves the process: the search is never reached or
// ends at the empty-formula message.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "search/formulatext.h"
#include "ui/form1.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {
const std::string emptyformula(emptyformulamessage);
}

class TestForm1 : public QObject, WindowFixture {
    Q_OBJECT
  private slots:
    // Nothing may reach a real network, even if a search started by mistake.
    void initTestCase() { nonetwork(); }
    void cleanup() { form_.reset(); }

    void startupstate() {
        startwindow();
        Form1& f = *form_;
        QCOMPARE(f.windowTitle(),
                 QStringLiteral("National Institute of Standards and Technology Kestrix - "
                                "Chemistry Version 1.0d3"));
        QCOMPARE(f.stitle, f.windowTitle().toStdString());
        QCOMPARE(f.scachedir, cache_);
        QVERIFY(QDir(QString::fromStdString(cache_)).exists());
        QCOMPARE(f.crlf, std::string("\r\n"));
        QCOMPARE(f.isearching(), short(0));
        QCOMPARE(f.txtMF->text(), QStringLiteral("C5H12"));
        QCOMPARE(f.Combo1->count(), 2);
        QCOMPARE(f.Combo1->currentText(), QStringLiteral("BP"));
        QCOMPARE(f.Combo1->itemText(1), QStringLiteral("MP"));
        QVERIFY(f.Option1[0]->isChecked());
        QVERIFY(!f.Option1[1]->isChecked());
        QVERIFY(f.Check1[0]->isChecked() && f.Check1[1]->isChecked() && f.Check1[2]->isChecked());
        QVERIFY(!f.Check1[3]->isChecked());
        QVERIFY(f.Frame2->isHidden());
        for (LinkLabel* link : {f.lblDetails, f.lbl3D, f.lblMSDS, f.lblChemFinder}) {
            QVERIFY(link->text().isEmpty());
        }
        QCOMPARE(f.Label6->text(), QStringLiteral("NIST"));
        QVERIFY(!f.mnuCreateTab->isEnabled());
        QVERIFY(!f.mnuTabulateExcel->isEnabled());
        QVERIFY(f.optTemp->isChecked());
        QVERIFY(!f.OptPhaseChange->isChecked() && !f.optGasHS->isChecked());
        QVERIFY(!f.optGotoNIST->isChecked());
        QCOMPARE(f.List1->tabstops(), (std::vector<int>{100, 150, 190, 1220}));
        QCOMPARE(f.Frame2->y(), f.List1->y() + 3);
        QCOMPARE(f.Frame2->x(), 0);
        QVERIFY(f.List1->x() < 0);
        // Start-up's choice of "BP" armed the first search.
        QVERIFY(f.Timer1->isActive());
        QCOMPARE(f.triggerword(), std::string("search"));
        QVERIFY(f.Label4->text().contains(QStringLiteral("/chemistry)")));
        QVERIFY(f.Label4->text().contains(QStringLiteral("example.org")));
        f.Timer1->stop();
    }

    void controlnames() {
        newwindow();
        for (const char* name :
             {"Label1", "txtMF", "Command1", "Label5", "txtSearch", "Combo1", "List1", "Frame1",
              "Frame2", "Frame3", "Label2", "Picture1", "lbl3D", "lblMSDS", "lblChemFinder",
              "lblDetails", "Label4", "Label6"}) {
            QVERIFY2(form_->findChild<QWidget*>(QString::fromLatin1(name)), name);
        }
        const QStringList menus = {QStringLiteral("&File"), QStringLiteral("&Options"),
                                   QStringLiteral("&Tabulate"), QStringLiteral("&About")};
        QStringList shown;
        for (QAction* action : form_->menuBar()->actions()) shown << action->text();
        QCOMPARE(shown, menus);
        QStringList tab;
        for (QAction* action : form_->mnuTab->actions()) {
            tab << (action->isSeparator() ? QStringLiteral("-") : action->text());
        }
        QCOMPARE(tab, (QStringList{"&Temperatures", "-", "&Phase Change H, S", "-",
                                   "&Gas, Liquid, and Solid  H and S", "-", "&HTML Tabulation",
                                   "&Excel (CSV) Tabulation"}));
    }

    void setenables_data() {
        QTest::addColumn<bool>("tf");
        QTest::newRow("searching") << false;
        QTest::newRow("idle") << true;
    }
    void setenables() {
        QFETCH(bool, tf);
        newwindow();
        Form1& f = *form_;
        f.setenables(!tf);
        f.setenables(tf);
        QCOMPARE(f.Command1->text(), tf ? QStringLiteral("Search") : QStringLiteral("STOP"));
        QVERIFY(f.Command1->isEnabled());
        for (QWidget* w : {static_cast<QWidget*>(f.Combo1), static_cast<QWidget*>(f.txtMF),
                           static_cast<QWidget*>(f.List1)}) {
            QCOMPARE(w->isEnabled(), tf);
        }
        for (QCheckBox* box : f.Check1) QCOMPARE(box->isEnabled(), tf);
        QCOMPARE(f.mnuCreateTab->isEnabled(), tf);
        QCOMPARE(f.mnuTabulateExcel->isEnabled(), tf);
        QCOMPARE(f.mnuOpt->menuAction()->isEnabled(), tf);
        // Never touched: the unit buttons, the filter box, the Tabulate menu.
        QVERIFY(f.Option1[0]->isEnabled() && f.Option1[1]->isEnabled());
        QVERIFY(f.txtSearch->isEnabled());
        QVERIFY(f.mnuTab->menuAction()->isEnabled());
    }

    void emptyformulamessage() {
        newwindow();
        form_->txtMF->setText(QStringLiteral("   "));
        form_->Command1_Click();
        QCOMPARE(messages_.texts, std::vector<std::string>{emptyformula});
        QCOMPARE(form_->isearching(), short(0));
        QCOMPARE(form_->Command1->text(), QStringLiteral("Search"));
    }

    void wrongcasnumbermessage() {
        newwindow();
        form_->txtMF->setText(QStringLiteral(" 7732-18-4 "));
        form_->Command1_Click();
        QCOMPARE(messages_.texts, std::vector<std::string>{"7732-18-4 is not a CAS registry "
                                                           "number: its check digit would be 5."});
        QCOMPARE(form_->Command1->text(), QStringLiteral("Search"));
        QVERIFY(form_->txtMF->isEnabled());
        QVERIFY(cachefiles(cache_).isEmpty());
    }

    void settab_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("last");
        QTest::newRow("four") << QStringLiteral("100,150,190,1220") << 4 << 1220;
        QStringList many;
        for (int i = 1; i <= 25; ++i) many << QString::number(i * 10);
        QTest::newRow("twenty-five") << many.join(QLatin1Char(',')) << 21 << 210;
        QTest::newRow("none") << QString() << 0 << 0;
        QTest::newRow("adjacent commas") << QStringLiteral("100,,190") << 3 << 190;
    }
    void settab() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(int, last);
        newwindow();
        kestrix::settab(form_->List1, text.toStdString());
        const std::vector<int>& stops = form_->List1->tabstops();
        QCOMPARE(int(stops.size()), count);
        if (count > 0) QCOMPARE(stops.back(), last);
        if (text.contains(QLatin1String(",,"))) QCOMPARE(stops[1], 0);
    }

    void tabstopsplacefields() {
        newwindow();
        ListBox& list = *form_->List1;
        const double unit = list.dialogunit();
        QVERIFY(unit > 1);
        const std::vector<int> xs =
            list.fieldpositions(QStringLiteral("0309.200\tC1\tBP 309.2\tpentane\tFormula=C5H12"));
        QCOMPARE(int(xs.size()), 5);
        QCOMPARE(xs[0], 0);
        QCOMPARE(xs[1], int(100 * unit));
        QCOMPARE(xs[2], int(150 * unit));
        QCOMPARE(xs[3], int(190 * unit));
        QCOMPARE(xs[4], int(1220 * unit));
    }

    void aboutbox() {
        newwindow();
        form_->mnuAbout->trigger();
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        const std::string& text = messages_.texts.front();
        QVERIFY(
            text.starts_with("kestrix.exe version 1.0d3 was written by the Kestrix developers, "));
        QVERIFY(text.find("@example.org. ") != std::string::npos);
        QVERIFY(text.ends_with("Note that NIST does not necessarily use the preferred IUPAC name "
                               "in their database."));
        QCOMPARE(messages_.buttons.front(), Buttons::ok);
    }

    void gotonisttoggles() {
        newwindow();
        form_->optGotoNIST->trigger();
        QVERIFY(form_->optGotoNIST->isChecked());
        form_->optGotoNIST->trigger();
        QVERIFY(!form_->optGotoNIST->isChecked());
    }

    void exitendsprocessmidwait() {
        // The child runs a window that waits 30 seconds, and chooses Exit after 200 ms.
        QProcess child;
        child.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--exit-mid-wait")});
        QVERIFY(child.waitForStarted(5000));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(child.waitForFinished(10000));
        QVERIFY(clock.elapsed() < 10000);
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QVERIFY(!child.readAllStandardOutput().contains("wait returned"));
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--exit-mid-wait") {
        MessageRecorder messages;
        Form1 form(Services{&messages, nullptr});
        form.Timer1->stop();
        QTimer::singleShot(200, form.mnuExit, &QAction::trigger);
        form.wait(30);
        std::printf("wait returned\n");
        return 3;
    }
    TestForm1 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form1.moc"
