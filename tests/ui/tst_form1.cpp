// The window on its own: start-up state, menus, tab order, enabling during a search, tab stops,
// About and Exit. No request leaves the process: the search is never reached or ends at the
// empty-formula message.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "search/formulatext.h"
#include "ui/form1.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const std::string emptyformula(emptyformulamessage);

// The captions of a menu's items in order, "-" for a separator.
QStringList items(const QMenu* menu) {
    QStringList out;
    for (QAction* action : menu->actions()) {
        out << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return out;
}

} // namespace

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
        QCOMPARE(f.scachedir, cache_);
        QVERIFY(QDir(QString::fromStdString(cache_)).exists());
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
        // Start-up's choice of "BP" armed the first search.
        QVERIFY(f.Timer1->isActive());
        QCOMPARE(f.triggerword(), std::string("search"));
        QCOMPARE(
            f.Label4->text(),
            QStringLiteral("KESTRIX.EXE searches at the National Institute of Standards and "
                           "Technology Chemistry Kestrix (http://%1/chemistry) for "
                           "information based on molecular formula. You can find the "
                           "program at http://kestrix.example.org/")
                .arg(QString::fromLatin1(server::host().data(), qsizetype(server::host().size()))));
        f.Timer1->stop();
    }

    void menus() {
        newwindow();
        QStringList bar;
        for (QAction* action : form_->menuBar()->actions()) bar << action->text();
        QCOMPARE(bar, (QStringList{"&File", "&Options", "&Tabulate", "&About"}));
        QCOMPARE(items(form_->mnuF), QStringList{"E&xit"});
        QCOMPARE(items(form_->mnuOpt), (QStringList{"&Clear Cache", "&Go to NIST Every Time",
                                                    QString::fromUtf8("&Server\u2026")}));
        QCOMPARE(items(form_->mnuTab),
                 (QStringList{"&Temperatures", "-", "&Phase Change H, S", "-",
                              "&Gas, Liquid, and Solid  H and S", "-", "&HTML Tabulation",
                              "&Excel (CSV) Tabulation"}));
    }

    // Tab from the formula box visits the controls as they read, row by row, left to right, and
    // comes back; the pair of unit buttons is one stop (the arrow keys move within it), and a
    // link label offers no stop while it has no link.
    void taborder() {
        newwindow();
        form_->show();
        QApplication::setActiveWindow(form_.get());
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        const auto tabs = [this](int presses) {
            form_->txtMF->setFocus();
            QStringList visited;
            for (int i = 0; i < presses && QApplication::focusWidget(); ++i) {
                visited << QApplication::focusWidget()->objectName();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            return visited;
        };
        QCOMPARE(tabs(13), (QStringList{"txtMF", "Command1", "txtSearch", "Combo1", "Option1_0",
                                        "List1", "Label2", "Check1_2", "Check1_0", "Check1_3",
                                        "Check1_1", "Label6", "txtMF"}));
        // With a compound's links offered, they are stops in their row.
        for (LinkLabel* link :
             {form_->lbl3D, form_->lblMSDS, form_->lblChemFinder, form_->lblDetails}) {
            link->setcaption(QStringLiteral("link"));
        }
        QCOMPARE(tabs(17),
                 (QStringList{"txtMF", "Command1", "txtSearch", "Combo1", "Option1_0", "List1",
                              "Label2", "Check1_2", "Check1_0", "lbl3D", "lblMSDS", "lblChemFinder",
                              "lblDetails", "Check1_3", "Check1_1", "Label6", "txtMF"}));
    }

    // While a search runs (here: while it says the formula is empty) the controls that lead to
    // a search or a transfer are disabled and the button reads STOP; afterwards all are back.
    void enablingduringasearch() {
        newwindow();
        Form1& f = *form_;
        const std::pair<const char*, QObject*> controls[] = {
            {"formula box", f.txtMF},
            {"property box", f.Combo1},
            {"list", f.List1},
            {"show property", f.Check1[0]},
            {"show structures", f.Check1[1]},
            {"sort by property", f.Check1[2]},
            {"sort alphabetically", f.Check1[3]},
            {"HTML tabulation", f.mnuCreateTab},
            {"CSV tabulation", f.mnuTabulateExcel},
            {"Options menu", f.mnuOpt->menuAction()},
        };
        // Never disabled: the button, the unit buttons, the filter box, the Tabulate menu.
        const std::pair<const char*, QObject*> always[] = {
            {"button", f.Command1},
            {"Kelvin", f.Option1[0]},
            {"Celsius", f.Option1[1]},
            {"filter box", f.txtSearch},
            {"Tabulate menu", f.mnuTab->menuAction()},
        };
        const auto enabled = [](QObject* o) {
            if (auto* w = qobject_cast<QWidget*>(o)) return w->isEnabled();
            return qobject_cast<QAction*>(o)->isEnabled();
        };
        QString caption;
        QStringList wrong;
        messages_.onmessage = [&](const std::string&) {
            caption = f.Command1->text();
            for (auto [name, o] : controls) {
                if (enabled(o)) wrong << QStringLiteral("%1 enabled").arg(name);
            }
            for (auto [name, o] : always) {
                if (!enabled(o)) wrong << QStringLiteral("%1 disabled").arg(name);
            }
        };
        f.txtMF->setText(QStringLiteral("   "));
        f.Command1_Click();
        QCOMPARE(messages_.texts, std::vector<std::string>{emptyformula});
        QCOMPARE(caption, QStringLiteral("STOP"));
        QCOMPARE(wrong, QStringList());
        QCOMPARE(f.Command1->text(), QStringLiteral("Search"));
        QCOMPARE(f.isearching(), short(0));
        for (auto [name, o] : controls) QVERIFY2(enabled(o), name);
        for (auto [name, o] : always) QVERIFY2(enabled(o), name);
    }

    void settab_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("stops");
        QTest::newRow("four") << QStringLiteral("100,150,190,1220")
                              << QList<int>{100, 150, 190, 1220};
        QStringList many;
        for (int i = 1; i <= 25; ++i) many << QString::number(i * 10);
        QTest::newRow("twenty-five: the first 21")
            << many.join(QLatin1Char(','))
            << QList<int>{10,  20,  30,  40,  50,  60,  70,  80,  90,  100, 110,
                          120, 130, 140, 150, 160, 170, 180, 190, 200, 210};
        QTest::newRow("none") << QString() << QList<int>{};
        QTest::newRow("adjacent commas") << QStringLiteral("100,,190") << QList<int>{100, 0, 190};
        QTest::newRow("beyond 16 bits ends it")
            << QStringLiteral("100,40000,190") << QList<int>{100};
    }
    void settab() {
        QFETCH(QString, text);
        QFETCH(QList<int>, stops);
        newwindow();
        kestrix::settab(form_->List1, text.toStdString());
        QCOMPARE(form_->List1->tabstops(), (std::vector<int>(stops.begin(), stops.end())));
    }

    // Each field starts at the first tab stop right of the text before it.
    void fieldsatthetabstops() {
        newwindow();
        ListBox& list = *form_->List1;
        const double unit = list.dialogunit();
        QVERIFY(unit > 1);
        const auto at = [unit](std::initializer_list<int> stops) {
            std::vector<int> xs;
            for (int stop : stops) xs.push_back(int(stop * unit));
            return xs;
        };
        QCOMPARE(list.fieldpositions(
                     QStringLiteral("0309.200\tC109660\tBP 309.2\tpentane\tFormula=C5H12")),
                 at({0, 100, 150, 190, 1220}));
        // A property text reaching past the name's stop pushes the name to the next one.
        const QString wide = QStringLiteral("BP 309.2 WWWWWWWWWWWW");
        const int width = QFontMetrics(list.font()).horizontalAdvance(wide);
        QVERIFY(width > 40 * unit && width < 1000 * unit);
        QCOMPARE(list.fieldpositions("0309.200\tC109660\t" + wide + "\tpentane"),
                 at({0, 100, 150, 1220}));
        // Past the last stop, the default stops every 32 dialog units.
        const std::vector<int> xs = list.fieldpositions(QStringLiteral("a\tb\tc\td\te\tf"));
        QCOMPARE(int(xs.size()), 6);
        const int step = int(32 * unit);
        QVERIFY(xs[5] > xs[4] && xs[5] - xs[4] <= step && xs[5] % step == 0);
    }

    void aboutbox() {
        newwindow();
        form_->mnuAbout->trigger();
        QCOMPARE(messages_.texts,
                 std::vector<std::string>{
                     "kestrix.exe version 1.0d3 was written by the Kestrix developers, "
                     "kestrix@example.org. Note that NIST does not necessarily use the preferred "
                     "IUPAC name in their database."});
        QCOMPARE(messages_.buttons, std::vector<Buttons>{Buttons::ok});
    }

    // Exit in the middle of a wait ends the program at once, normally, without the wait's end.
    void exitendsprocessmidwait() {
        // The child runs a window that waits 30 seconds, and chooses Exit after 200 ms.
        QProcess child;
        child.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--exit-mid-wait")});
        QVERIFY(child.waitForStarted(5000));
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardOutput(), QByteArray());
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
