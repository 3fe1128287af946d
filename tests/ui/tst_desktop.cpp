// The window as a day at the desk meets it: no server named yet, a search to follow, a list the
// server cut short, a box that offers what the cache holds, keyboard and screen readers. Texts
// are read off the controls as shown.

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "ui/form1.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const QString nohostnote = QString::fromUtf8(
    "No server host is set, so Kestrix asks no server. Choose Options, Server\u2026 to name the "
    "NIST chemistry data server; it is kept for every later run. (The environment variable "
    "KESTRIX_SERVER_HOST names one too.)");

// Answers every host dialog that comes up with the next text of typed, OK each time.
class DialogAnswerer : public QObject {
  public:
    explicit DialogAnswerer(QStringList typed) : typed_(std::move(typed)) {
        connect(&poll_, &QTimer::timeout, this, [this] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!dialog || dialog->objectName() != QLatin1String("ServerDialog")) return;
            shown << dialog->textValue();
            if (typed_.isEmpty()) return dialog->reject();
            dialog->setTextValue(typed_.takeFirst());
            dialog->accept();
        });
        poll_.start(20);
    }
    QStringList shown; // what each dialog held when it came up

  private:
    QStringList typed_;
    QTimer poll_;
};

} // namespace

class TestDesktop : public QObject, WindowFixture {
    Q_OBJECT
    QString configfile() const { return home_.path() + QStringLiteral("/config/kestrix/server"); }
    void showactive() {
        form_->show();
        QApplication::setActiveWindow(form_.get());
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void writeincache(const QString& name) {
        QFile file(QString::fromStdString(cache_) + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
    }

  private slots:
    void initTestCase() { QVERIFY(startserver(QStringLiteral("server"))); }
    void cleanup() {
        closewindow();
        QFile::remove(configfile());
        usesamplehost(home_.path() + QStringLiteral("/config"));
    }

    // With the placeholder host in effect the window asks nothing, not even at start-up, and
    // says why; Search opens the host dialog, which refuses what names no server, and the
    // host entered is searched at once and kept for later runs.
    void nohostasksnothing() {
        qunsetenv("KESTRIX_SERVER_HOST");
        server::sethost(std::string(server::placeholderhost()));
        startwindow();
        showactive();
        QTest::qWait(300);
        QVERIFY(!form_->Timer1->isActive());
        QCOMPARE(form_->List1->note(), nohostnote);
        QVERIFY(form_->List1->findChild<QLabel*>(QStringLiteral("List1Note"))->isVisible());
        QCOMPARE(server_.requests(), QStringList());

        // Cancelled: still nothing asked, the note unchanged.
        {
            DialogAnswerer answerer({});
            search(QStringLiteral("C5H12"));
            QCOMPARE(answerer.shown, QStringList{QString()});
        }
        QCOMPARE(server_.requests(), QStringList());
        QCOMPARE(form_->List1->note(), nohostnote);
        QVERIFY(!QFile::exists(configfile()));

        DialogAnswerer answerer({QStringLiteral("no host!"),
                                 QString::fromLatin1(server::placeholderhost()),
                                 QString::fromLatin1(samplehost)});
        search(QStringLiteral("C5H12"));
        QVERIFY(waitidle());
        // Shown again after each refusal, with what was typed to mend.
        const QStringList shown{QString(), "no host!",
                                QString::fromLatin1(server::placeholderhost())};
        QCOMPARE(answerer.shown, shown);
        QCOMPARE(messages_.texts.size(), size_t(2));
        QVERIFY(QString::fromStdString(messages_.texts[0]).startsWith("\"no host!\" is no server"));
        QCOMPARE(QString::fromStdString(messages_.texts[1]),
                 QString::fromLatin1(server::placeholderhost()) +
                     " is the placeholder that names no server.");
        QCOMPARE(column(3), (QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
        QCOMPARE(server_.requests().value(0),
                 "/cgi/cbook.cgi?Formula=C5H12&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on");
        QCOMPARE(form_->List1->note(), QString());
        QFile kept(configfile());
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray(samplehost) + '\n');
    }

    // During a slow search the bar across the list's bottom edge counts the compound pages,
    // n of the result page's N, moves no control, and is gone when the window is idle.
    void progressduringasearch() {
        newwindow();
        showactive();
        const QRect list = form_->List1->geometry();
        QProgressBar* bar = form_->List1->progress();
        setrules("ID= delay 300\n");
        QStringList seen;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (!bar->isVisible()) return;
            if (seen.isEmpty() || seen.last() != bar->text()) seen << bar->text();
            QVERIFY(form_->List1->rect().contains(bar->geometry()));
            QCOMPARE(bar->geometry().bottom(), form_->List1->rect().bottom() - 1);
        });
        watch.start(25);
        search(QStringLiteral("C5H12"));
        QVERIFY(waitidle());
        watch.stop();
        QCOMPARE(seen, (QStringList{"1 of 3", "2 of 3", "3 of 3"}));
        QVERIFY(!bar->isVisible());
        QCOMPARE(form_->List1->geometry(), list);
    }

    // A result page that says the server listed only some: the one message tells it, with the
    // number read from the page; the list holds what was listed.
    void cutshortlisttold() {
        newwindow();
        setrules("Formula=C5H12 answer 200 cutshort.htm\n");
        search(QStringLiteral("C5H12"));
        QCOMPARE(column(1), (QStringList{"C78784", "C109660"}));
        QCOMPARE(messages_.texts,
                 Strings{"The server listed only the first 2 compounds it found for C5H12; a "
                         "narrower question shows the rest."});
    }

    // The formula box offers the questions whose result pages the cache holds (formulas, names,
    // CAS numbers), filtered as typed; choosing one searches it.
    void completionfromthecache() {
        newwindow();
        writeincache(QStringLiteral("C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm"));
        writeincache(QStringLiteral("C4H10-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm"));
        writeincache(QStringLiteral("cas-109-66-0-&Units=SI.htm"));
        writeincache(
            QStringLiteral("name-2%2C2%2Ddimethylpropane-&Units=SI&cTG=on&cTC=on&cTP=on.htm"));
        writeincache(QStringLiteral("C5H12-C109660-thermo")); // no question of its own
        newwindow(true);
        showactive();
        QCompleter* completer = form_->txtMF->completer();
        QVERIFY(completer);
        form_->txtMF->setFocus();
        form_->txtMF->clear();
        QTest::keyClicks(form_->txtMF, QStringLiteral("c"));
        QAbstractItemView* popup = completer->popup();
        QTRY_VERIFY(popup->isVisible());
        QStringList offered;
        for (int row = 0; row < popup->model()->rowCount(); ++row) {
            offered << popup->model()->index(row, 0).data().toString();
        }
        QCOMPARE(offered, (QStringList{"C4H10", "C5H12"}));
        form_->txtMF->clear();
        QTest::keyClicks(form_->txtMF, QStringLiteral("1"));
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->model()->rowCount(), 1);
        QCOMPARE(popup->model()->index(0, 0).data().toString(), QStringLiteral("109-66-0"));
        form_->txtMF->clear();
        QTest::keyClicks(form_->txtMF, QStringLiteral("2,2"));
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->model()->index(0, 0).data().toString(),
                 QStringLiteral("2,2-dimethylpropane"));
        // Chosen from the pop-up with the keyboard: searched.
        form_->txtMF->clear();
        QTest::keyClicks(form_->txtMF, QStringLiteral("c5"));
        QTRY_VERIFY(popup->isVisible());
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        // The cached page lists nothing, so the search ends offline and says so.
        QTRY_COMPARE(form_->List1->note(), QStringLiteral("Nothing was found for C5H12."));
        QVERIFY(waitidle());
        QCOMPARE(form_->txtMF->text(), QStringLiteral("C5H12"));
        QCOMPARE(server_.requests(), QStringList());
    }

    // What a screen reader is told: each control's name, and each row as name, value and unit.
    void accessiblenames() {
        newwindow();
        showactive();
        search(QStringLiteral("C5H12"));
        const auto name = [](QObject* object) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
            return face ? face->text(QAccessible::Name) : QStringLiteral("(none)");
        };
        for (QWidget* control : std::initializer_list<QWidget*>{
                 form_->txtMF, form_->Command1, form_->txtSearch, form_->Combo1, form_->Option1[0],
                 form_->Option1[1], form_->List1, form_->Label2, form_->Picture1, form_->Check1[0],
                 form_->Check1[1], form_->Check1[2], form_->Check1[3], form_->lbl3D, form_->lblMSDS,
                 form_->lblChemFinder, form_->lblDetails, form_->Label6}) {
            QVERIFY2(!name(control).isEmpty(), qPrintable(control->objectName()));
        }
        QCOMPARE(name(form_->txtMF), QStringLiteral("Molecular formula, CAS number or name"));
        QCOMPARE(name(form_->List1), QStringLiteral("Compounds found"));
        QCOMPARE(name(form_->lblDetails), QStringLiteral("Stored NIST page of the compound"));
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(form_->List1);
        QVERIFY(list);
        QStringList rows;
        for (int i = 0; i < list->childCount(); ++i)
            rows << list->child(i)->text(QAccessible::Name);
        QCOMPARE(rows, (QStringList{"2,2-dimethylpropane, BP 282.6 kelvin",
                                    "2-methylbutane, BP 301 kelvin", "pentane, BP 309.2 kelvin"}));
    }

    // Escape while the page of a compound never answers is STOP: the window is idle at once.
    void escapestops() {
        newwindow();
        showactive();
        setrules("ID=C78784 stall\n");
        QTimer::singleShot(400, form_.get(),
                           [this] { QTest::keyClick(form_->txtMF, Qt::Key_Escape); });
        search(QStringLiteral("C5H12"));
        QCOMPARE(form_->Command1->text(), QStringLiteral("Search"));
        QCOMPARE(form_->isearching(), short(0));
        QVERIFY(form_->txtMF->isEnabled());
        // Had the stalled transfer run out its time, the compound would be listed without a value
        // and named in a message.
        QCOMPARE(column(1), QStringList{"C109660"});
        QVERIFY(messages_.texts.empty());
    }

    // A focused link label opens with Enter or Space, the target a click opens.
    void linkopenswiththekeyboard() {
        newwindow();
        showactive();
        search(QStringLiteral("C5H12"));
        const QRect at = form_->lblDetails->rect();
        QTest::mouseClick(form_->lblDetails, Qt::LeftButton, {}, at.center());
        QCOMPARE(opener_.targets.size(), size_t(1));
        form_->lblDetails->setFocus();
        QTest::keyClick(form_->lblDetails, Qt::Key_Return);
        QTest::keyClick(form_->lblDetails, Qt::Key_Space);
        QCOMPARE(opener_.targets, Strings(3, opener_.targets[0]));
        QVERIFY(QFile::exists(QString::fromStdString(opener_.targets[0])));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
