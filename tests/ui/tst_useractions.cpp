// Random sequences of what a user does during and between searches, against a sample server
// that answers slowly, now and then not at all, and now and then never; after a STOP nothing
// else happens until the window is idle. After each sequence, once the window is quiet: every
// cache file holds what the server served under its name, no message but the program's own
// appeared, every value showed under its own unit, and a search of each formula lists what a
// cold search in a fresh window lists. (How soon STOP leaves the window idle is a measurement,
// not a check here: the search's own tests check that nothing is asked or waited for after it,
// tst_actions that a stalled transfer is aborted.)
//
// A sequence is reproducible from its seed (the actions; their timing is the machine's).
// KESTRIX_ACTION_SEEDS="FIRST-LAST" runs other seeds than the fixed ones.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <random>
#include <set>

#include "samplevalues.h"
#include "ui/form1.h"
#include "ui/listbox.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const QStringList formulas = {"C5H12", "C6H14"};
const QStringList filters = {"", "", "methyl", "ane", "hex"};

// The seeds to run: the fixed ones, or those the environment names.
std::vector<unsigned> seeds() {
    const QByteArray range = qgetenv("KESTRIX_ACTION_SEEDS");
    unsigned first = 1, last = 16;
    if (!range.isEmpty()) {
        const QList<QByteArray> ends = range.split('-');
        first = ends.first().toUInt();
        last = ends.last().toUInt();
    }
    std::vector<unsigned> out;
    for (unsigned seed = first; seed <= last; ++seed) out.push_back(seed);
    return out;
}

} // namespace

class TestUserActions : public QObject, WindowFixture {
    Q_OBJECT
    SampleValues values_;
    QStringList panels_;
    QStringList log_; // the actions of the running sequence
    std::set<QString> used_;
    bool stoppending_ = false; // a STOP was clicked and its search has not yet ended
    // At once: well within the 2 s transfer time-out that would otherwise end a stalled page
    // (STOP to idle takes about a millisecond; BENCHMARKS.md).
    QDeadlineTimer stopbound_;
    qsizetype requestsatstop_ = 0; // the server's log at STOP: no request starts after it
    QStringList stuck_;            // the sequences whose STOP did not leave the window idle

    void watchstops(unsigned seed) {
        if (!stoppending_) return;
        const bool idle =
            form_->Command1->text() == QLatin1String("Search") && form_->txtMF->isEnabled();
        if (!idle && !stopbound_.hasExpired()) return;
        if (!idle) stuck_ << "still busy: " + context(seed);
        // The one request in flight at STOP may reach the server's log just after it.
        if (server_.requests().size() > requestsatstop_ + 1) {
            stuck_ << "asked after STOP: " + server_.requests().mid(requestsatstop_).join(' ') +
                          "; " + context(seed);
        }
        stoppending_ = false;
    }

    void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(5, widget->height() / 2));
    }

    // One action of the user, chosen by r; actions on disabled controls change nothing, as for
    // a user.
    void act(std::mt19937& r) {
        Form1& f = *form_;
        const bool optionsmenu = f.mnuOpt->menuAction()->isEnabled();
        switch (std::uniform_int_distribution<int>(0, 17)(r)) {
        case 0:
            log_ << "button";
            click(f.Command1);
            break;
        case 1:
            log_ << "kelvin";
            click(f.Option1[kelvin]);
            break;
        case 2:
            log_ << "celsius";
            click(f.Option1[celsius]);
            break;
        case 3:
            log_ << "property";
            f.Combo1->setFocus();
            QTest::keyClick(f.Combo1, f.Combo1->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
            break;
        case 4:
        case 5:
        case 6:
        case 7: {
            const int box = std::uniform_int_distribution<int>(0, 3)(r);
            log_ << "check " + QString::number(box);
            click(f.Check1[box]);
            break;
        }
        case 8: {
            const QString filter = filters[std::uniform_int_distribution<int>(0, 4)(r)];
            log_ << "filter " + filter;
            f.txtSearch->setText(filter);
            break;
        }
        case 9: {
            const QString formula = formulas[std::uniform_int_distribution<int>(0, 1)(r)];
            log_ << "formula " + formula;
            if (!f.txtMF->isEnabled()) break;
            f.txtMF->setText(formula);
            QTest::keyClick(f.txtMF, Qt::Key_Return);
            break;
        }
        case 10: {
            const int rows = f.List1->count();
            log_ << "list click";
            if (rows > 0) clickrow(std::uniform_int_distribution<int>(0, rows - 1)(r));
            break;
        }
        case 11:
            log_ << "go to NIST";
            if (optionsmenu) f.optGotoNIST->trigger();
            break;
        case 12: {
            messages_.answer = r() % 2 ? Answer::ok : Answer::cancel;
            log_ << "clear cache";
            if (optionsmenu) f.mnuClearCache->trigger();
            break;
        }
        case 13:
            log_ << "HTML";
            if (f.mnuCreateTab->isEnabled()) f.mnuCreateTab->trigger();
            break;
        case 14:
            log_ << "CSV";
            if (f.mnuTabulateExcel->isEnabled()) f.mnuTabulateExcel->trigger();
            break;
        case 15:
        case 16:
            log_ << "STOP";
            if (f.Command1->text() != QLatin1String("STOP")) break;
            click(f.Command1);
            stoppending_ = true;
            requestsatstop_ = server_.requests().size();
            stopbound_.setRemainingTime(1000);
            break;
        default:
            log_ << "wait";
            QTest::qWait(500);
            break;
        }
        used_.insert(f.txtMF->text());
    }

    // Plays the actions one after another from timers, as the user's clicks arrive: an action
    // may land while a search runs (nested inside it, as window events are) or between them.
    void play(std::mt19937& r, int actions) {
        int scheduled = 0, started = 0;
        std::function<void()> next;
        // Nothing else happens until a STOP has been seen to end its search.
        std::function<void()> run = [&] {
            if (stoppending_) return QTimer::singleShot(10, form_.get(), run);
            ++started;
            next(); // the next one is on its way before this one runs, perhaps a search
            act(r);
        };
        next = [&] {
            if (scheduled == actions) return;
            ++scheduled;
            QTimer::singleShot(std::uniform_int_distribution<int>(0, 200)(r), form_.get(), run);
        };
        next();
        // Until the last action has run: a timer still pending would outlive next.
        while (started < actions) QTest::qWait(20);
    }

    QString context(unsigned seed) const {
        return QStringLiteral("seed %1: %2").arg(seed).arg(log_.join(QStringLiteral(", ")));
    }

    // The page cache holds only what the server served, byte for byte, under each name.
    void cacheiswhole(unsigned seed) {
        const QString wrong = notasserved(values_);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong + " is not as served; " + context(seed)));
    }

    void messagesareourown(unsigned seed) {
        for (const std::string& text : messages_.texts) {
            const bool own =
                text.starts_with("This will clear all ") ||
                text.starts_with("Directory " + cache_) ||
                text.starts_with("The search results for ") ||
                text.starts_with("Pages could not be fetched anew from ") ||
                text.starts_with("Not had from " + std::string(server::host()) + ": ") ||
                text.starts_with("The server " + std::string(server::host()) + " refused");
            QVERIFY2(own, qPrintable(QString::fromStdString(text) + "; " + context(seed)));
        }
    }

    // Every panel showed its value in the unit it named; the list is in the panel's unit.
    void unitsagree(unsigned seed) {
        for (const QString& text : panels_) {
            const auto line = readpanel(text);
            if (!line || line->value == "?") continue; // a page that failed has no value
            QVERIFY2(values_.value(line->name, line->swhat, line->iskelvin) == line->value,
                     qPrintable(text + "; " + context(seed)));
        }
        const auto shown = readpanel(form_->Label2->toPlainText());
        if (!shown) return;
        const QStringList names = column(3), properties = column(2);
        for (int i = 0; i < names.size(); ++i) {
            if (properties[i].endsWith(QLatin1String(" ?"))) continue;
            const auto value = values_.value(names[i].toStdString(), shown->swhat, shown->iskelvin);
            QVERIFY2(properties[i] ==
                         QString::fromStdString(shown->swhat + " " + value.value_or("")),
                     qPrintable(properties[i] + " under " + form_->Label2->toPlainText() + "; " +
                                context(seed)));
        }
    }

    // A search of each formula in this window lists what a cold search lists in a fresh one.
    void searcheslikecold(unsigned seed) {
        setrules({});
        Form1& f = *form_;
        f.optGotoNIST->setChecked(false);
        f.Check1[sortbyproperty]->setChecked(true);
        f.Check1[sortalphabetically]->setChecked(false);
        f.txtSearch->clear();
        const bool iskelvin = f.Option1[kelvin]->isChecked();
        const int property = f.Combo1->currentIndex();
        std::map<QString, QStringList> here;
        for (const QString& formula : used_) {
            search(formula);
            here[formula] = QStringList();
            for (const ListedCompound& e : form_->List1->compounds())
                here[formula] << QString::fromStdString(entrytext(e));
        }
        for (const QString& formula : used_) {
            newwindow();
            form_->Option1[iskelvin ? kelvin : celsius]->setChecked(true);
            form_->Combo1->setCurrentIndex(property);
            form_->Timer1->stop();
            search(formula);
            QStringList cold;
            for (const ListedCompound& e : form_->List1->compounds())
                cold << QString::fromStdString(entrytext(e));
            QVERIFY2(here[formula] == cold,
                     qPrintable(formula + " lists otherwise; " + context(seed)));
        }
    }

  private slots:
    void initTestCase() {
        pause_ = 0.1;
        timeoutms_ = 2000;
        QVERIFY(startserver(QStringLiteral("server")));
    }
    void cleanup() { closewindow(); }

    void sequence_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : seeds()) QTest::addRow("seed %u", seed) << seed;
    }
    void sequence() {
        QFETCH(unsigned, seed);
        std::mt19937 r(seed);
        // Half the sequences begin with the automatic first search, half from the button.
        const bool automatic = r() % 2;
        if (automatic) {
            startwindow();
        } else {
            newwindow();
        }
        form_->show();
        panels_.clear();
        log_.clear();
        used_.clear();
        connect(form_->Label2, &QPlainTextEdit::textChanged, this,
                [this] { panels_ << form_->Label2->toPlainText(); });
        // Slow pages and drawings, and a few answers that fail once or twice.
        QByteArray rules = "1* ID=C" + QByteArray(r() % 2 ? "78784" : "110543") + " status 500\n" +
                           "2* Reduced=C" + QByteArray(r() % 2 ? "109660" : "96140") +
                           " truncate 100\n" + "1* ID=C463821 truncate 300\n";
        if (r() % 3 == 0) rules += "1* Formula=C6H14 status 503\n";
        // Now and then the server asks to wait, or refuses a request.
        if (r() % 3 == 0) rules += "1* ID=C96140 status 429 Retry-After: 1\n";
        if (r() % 5 == 0) rules += "1* ID=C75832 status 403\n";
        // Now and then a page never answers, until the transfer's time-out: pentane's each time.
        if (r() % 2 == 0) rules += r() % 2 ? "ID=C109660& stall\n" : "2* ID=C107835& stall\n";
        rules += "Formula= trickle 5 1000\nID= trickle 10 400\nReduced= trickle 5 400\n"
                 "Struct= trickle 5 400\n";
        setrules(rules);
        form_->txtMF->setText(formulas[int(r() % 2)]);
        used_.insert(form_->txtMF->text());
        if (!automatic) QTimer::singleShot(0, form_.get(), [this] { click(form_->Command1); });
        stoppending_ = false;
        stuck_.clear();
        QTimer stops;
        connect(&stops, &QTimer::timeout, this, [this, seed] { watchstops(seed); });
        stops.start(5);
        play(r, 12 + int(r() % 12));
        QVERIFY2(waitidle(60000), qPrintable("never quiet; " + context(seed)));
        stops.stop();
        QVERIFY2(stuck_.isEmpty(), qPrintable(stuck_.join('\n')));
        cacheiswhole(seed);
        messagesareourown(seed);
        unitsagree(seed);
        searcheslikecold(seed);
    }
};

QTEST_MAIN(TestUserActions)
#include "tst_useractions.moc"
