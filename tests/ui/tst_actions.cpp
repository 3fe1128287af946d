// What the user can do while a search runs and after it, with the real window against a slow
// sample server: the unit buttons clicked, the property box, "show structures", STOP and the
// button while a stopped search ends, clicks on the list, "Clear Cache", and the title bar.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "samplevalues.h"
#include "ui/form1.h"
#include "ui/listbox.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

// The requests of a cold C5H12 search, in order.
const QStringList cold{"/cgi/cbook.cgi?Formula=C5H12&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on",
                       "/cgi/cbook.cgi?ID=C109660&Units=SI&Mask=7",
                       "/cgi/cbook.cgi?Reduced=C109660",
                       "/cgi/cbook.cgi?ID=C78784&Units=SI&Mask=7",
                       "/cgi/cbook.cgi?Reduced=C78784",
                       "/cgi/cbook.cgi?ID=C463821&Units=SI&Mask=7",
                       "/cgi/cbook.cgi?Reduced=C463821"};

} // namespace

class TestActions : public QObject, WindowFixture {
    Q_OBJECT
    SampleValues values_;
    QStringList panels_; // every text the data box showed

    // A shown window whose panel texts are recorded.
    void window(bool automatic = false) {
        if (automatic) {
            startwindow();
        } else {
            newwindow();
        }
        panels_.clear();
        connect(form_->Label2, &QPlainTextEdit::textChanged, this,
                [this] { panels_ << form_->Label2->toPlainText(); });
        form_->show();
    }
    void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2));
    }
    // Runs action once the server has been asked for n compound pages.
    void aftercompounds(int n, std::function<void()> action) {
        auto* poll = new QTimer(form_.get());
        connect(poll, &QTimer::timeout, this, [this, n, poll, action] {
            if (server_.requests().filter(QStringLiteral("?ID=")).size() < n) return;
            poll->stop();
            poll->deleteLater();
            action();
        });
        poll->start(10);
    }
    // Every value the list and the data box showed is the compound's value in the unit shown.
    void unitsagree(bool listinkelvin) {
        for (const QString& text : panels_) {
            const auto line = readpanel(text);
            if (!line) continue;
            QCOMPARE(values_.value(line->name, line->swhat, line->iskelvin), line->value);
        }
        const QStringList names = column(3), properties = column(2);
        for (int i = 0; i < names.size(); ++i) {
            const auto expected = values_.value(names[i].toStdString(), "BP", listinkelvin);
            QCOMPARE("BP " + QString::fromStdString(expected.value_or("none")), properties[i]);
        }
    }

  private slots:
    void initTestCase() {
        pause_ = 0.1;
        QVERIFY(startserver(QStringLiteral("server")));
    }
    void cleanup() { closewindow(); }

    void unitbuttonsclicked() {
        window();
        search(QStringLiteral("C5H12"));
        click(form_->Option1[celsius]);
        QVERIFY(waitidle());
        QCOMPARE(column(2), (QStringList{"BP 9.4", "BP 28", "BP 36"}));
        QVERIFY(form_->Label2->toPlainText().endsWith(QStringLiteral("BP 9.4 oC")));
        click(form_->Option1[kelvin]);
        QVERIFY(waitidle());
        QCOMPARE(column(2), (QStringList{"BP 282.6", "BP 301", "BP 309.2"}));
        unitsagree(true);
    }

    void choosingmeltingpoints() {
        window();
        search(QStringLiteral("C5H12"));
        form_->Combo1->setFocus();
        QTest::keyClick(form_->Combo1, Qt::Key_Down);
        QCOMPARE(form_->Combo1->currentText(), QStringLiteral("MP"));
        QVERIFY(waitidle());
        QCOMPARE(column(2), (QStringList{"MP 113.3", "MP 143.5", "MP 256.6"}));
        QVERIFY(form_->Label2->toPlainText().endsWith(QStringLiteral("MP 113.3 Kelvin")));
    }

    // "show structures" off and on again: the drawing goes and comes back from the cache, with
    // no search and no request.
    void showstructuresredrawspanel() {
        window();
        search(QStringLiteral("C5H12"));
        const auto shown = [this] {
            return form_->Picture1->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        };
        // 2,2-dimethylpropane's drawing, fitted into the box.
        const QImage drawing =
            QImage(QStringLiteral(KESTRIX_TEST_DATA "/server/image/C463821.gif"))
                .scaled(shown().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(shown(), drawing);
        server_.clearlog();
        click(form_->Check1[showstructures]);
        QVERIFY(form_->Picture1->pixmap().isNull());
        click(form_->Check1[showstructures]);
        QCOMPARE(shown(), drawing);
        QCOMPARE(server_.requests(), QStringList());
        QVERIFY(!form_->Timer1->isActive()); // no search
    }

    void listignoresclickswhiledisabled() {
        window();
        search(QStringLiteral("C5H12"));
        setrules("ID= delay 200\n");
        form_->optGotoNIST->trigger();
        server_.clearlog();
        int rowwhilesearching = -1;
        QString textwhilesearching;
        aftercompounds(2, [&] {
            rowwhilesearching = form_->List1->currentRow();
            textwhilesearching = form_->Label2->toPlainText();
            clickrow(form_->List1->count() - 1);
            QCOMPARE(form_->List1->currentRow(), rowwhilesearching);
            QCOMPARE(form_->Label2->toPlainText(), textwhilesearching);
        });
        search(QStringLiteral("C5H12"));
        QVERIFY(rowwhilesearching >= 0);
    }

    // Clicking the entry that is shown already shows it again: a drawing that failed is asked
    // for once more.
    void clickonselectedentryshowsitagain() {
        window();
        setrules("Reduced=C463821 status 500\nStruct=C463821 status 500\n");
        search(QStringLiteral("C5H12"));
        QCOMPARE(form_->List1->currentRow(), 0);
        QVERIFY(form_->Picture1->pixmap().isNull());
        setrules({});
        server_.clearlog();
        clickrow(0);
        QCOMPARE(server_.requests(), QStringList{"/cgi/cbook.cgi?Reduced=C463821"});
        QVERIFY(!form_->Picture1->pixmap().isNull());
        clickrow(0); // cached now: shown again without a request
        QCOMPARE(server_.requests(), QStringList{"/cgi/cbook.cgi?Reduced=C463821"});
        QVERIFY(!form_->Picture1->pixmap().isNull());
    }

    // STOP while the second compound is in transfer: the button read "STOP", that compound's
    // transfer is aborted and it is not listed, nothing after it is asked for, no drawing.
    void stopabortsthecompoundintransfer() {
        window();
        setrules("ID=C78784 stall\n");
        QString caption;
        aftercompounds(2, [&] {
            QTimer::singleShot(100, form_.get(), [&] {
                caption = form_->Command1->text();
                click(form_->Command1);
            });
        });
        search(QStringLiteral("C5H12"));
        QCOMPARE(caption, QStringLiteral("STOP"));
        QCOMPARE(form_->Command1->text(), QStringLiteral("Search"));
        QCOMPARE(form_->isearching(), short(0));
        // Had the transfer not been aborted, its time-out would have ended it: the compound
        // listed without a value and named in a message.
        QCOMPARE(column(1), QStringList{"C109660"});
        QCOMPARE(server_.requests(), cold.mid(0, 4));
        QVERIFY(messages_.texts.empty());
        QCOMPARE(notasserved(values_), QString());
    }

    // A unit click during a search started from the button stops it; the search then runs
    // again in the new unit.
    void unitclickstopsandsearchesagain() {
        window();
        setrules("ID= delay 200\n");
        aftercompounds(1, [&] { click(form_->Option1[celsius]); });
        click(form_->Command1);
        QVERIFY(waitidle());
        // Pentane's transfer aborted by the stop, then the search in Celsius from the cached
        // result page.
        QCOMPARE(server_.requests(), (QStringList{cold[0], cold[1]} + cold.mid(1)));
        QCOMPARE(column(2), (QStringList{"BP 9.4", "BP 28", "BP 36"}));
        unitsagree(false);
    }

    // A unit click during the automatic first search is not lost, and the panel never labels
    // a kelvin value with the Celsius sign.
    void unitclickduringautomaticsearch() {
        setrules("ID= delay 200\n");
        server_.clearlog();
        window(true);
        aftercompounds(1, [&] { click(form_->Option1[celsius]); });
        QVERIFY(waitidle());
        QVERIFY(form_->Option1[celsius]->isChecked());
        QCOMPARE(column(2), (QStringList{"BP 9.4", "BP 28", "BP 36"}));
        QVERIFY(form_->Label2->toPlainText().endsWith(QStringLiteral("BP 9.4 oC")));
        unitsagree(false);
    }

    void titlebarduringcoldsearch() {
        window();
        QStringList titles;
        connect(form_.get(), &QWidget::windowTitleChanged, this,
                [&](const QString& title) { titles << title; });
        search(QStringLiteral("C5H12"));
        const QString stitle = QString::fromStdString(form_->stitle);
        const auto retrieving = [](const std::string& cap, const std::string& url) {
            return QString::fromStdString("retrieving " + cap + url + "...");
        };
        QStringList expected = {retrieving("", server::formulaurl("C5H12")), stitle};
        const char* order[][2] = {{"C109660", "pentane"},
                                  {"C78784", "2-methylbutane"},
                                  {"C463821", "2,2-dimethylpropane"}};
        for (int i = 0; i < 3; ++i) {
            expected << retrieving(std::to_string(i + 1) + "/3: ", server::compoundurl(order[i][0]))
                     << stitle << order[i][1] << retrieving("", server::imageurl(order[i][0]))
                     << stitle;
        }
        expected << "2,2-dimethylpropane"; // the first entry, shown at the end
        QCOMPARE(titles, expected);
    }

    void clearcachefromthemenu() {
        window();
        search(QStringLiteral("C5H12"));
        const QStringList files = cachefiles(cache_);
        const std::string ask = "This will clear all 10 files in directory " + cache_ + ".";
        messages_.answer = Answer::cancel;
        form_->mnuClearCache->trigger();
        QCOMPARE(messages_.texts, Strings{ask});
        QCOMPARE(cachefiles(cache_), files);
        messages_.answer = Answer::ok;
        form_->mnuClearCache->trigger();
        QCOMPARE(messages_.texts, (Strings{ask, ask, "Directory " + cache_ + " cleared."}));
        QVERIFY(cachefiles(cache_).isEmpty());
        server_.clearlog();
        search(QStringLiteral("C5H12"));
        QCOMPARE(server_.requests(), cold); // everything fetched again
    }
};

QTEST_MAIN(TestActions)
#include "tst_actions.moc"
