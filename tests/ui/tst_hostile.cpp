// A misbehaving server and hostile pages over the real transfer: every search ends by itself,
// says what it could not have and why, writes nothing outside the page cache, caches no error
// page or truncated page, shows server text as text, and crashes nothing.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "ui/form1.h"
#include "ui/listbox.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

QByteArray contents(const QString& path) {
    return readfile(path);
}
void write(const QString& path, const QByteArray& bytes) {
    QVERIFY(writefile(path, bytes));
}

const QString host = QString::fromLatin1(samplehost);

QString served(const QString& relative) {
    return QStringLiteral(KESTRIX_TEST_DATA "/server/") + relative;
}

} // namespace

class TestHostile : public QObject, WindowFixture {
    Q_OBJECT
    SampleValues values_;
    // A search that must end by itself, leaving the window idle.
    void searchtoend(const QString& formula) {
        search(formula);
        QCOMPARE(form_->Command1->text(), QStringLiteral("Search"));
        QCOMPARE(form_->isearching(), short(0));
    }
    QStringList properties() const { return column(2); }

    // Everything the window wrote lies directly in the page cache directory.
    void nothingoutsidethecache() {
        for (const QString& file : filesbelow(homeofwindow())) {
            QVERIFY2(file.startsWith(QStringLiteral("cache/kestrix/webdata/")) &&
                         !file.mid(22).contains(QLatin1Char('/')),
                     qPrintable(file));
        }
    }

    // The messages shown.
    QStringList said() const {
        QStringList out;
        for (const std::string& text : messages_.texts) out << QString::fromStdString(text);
        return out;
    }

  private slots:
    void initTestCase() {
        timeoutms_ = 1500;
        QVERIFY(startserver(QStringLiteral("server")));
    }
    void cleanup() { closewindow(); }

    // The rule, then the words the search's one message gives as the reason. A 500 is
    // tst_trust's; the waits a 503 asks for are the manners' own tests.
    void badcompoundanswer_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QString>("why");
        QTest::newRow("never answers") << QByteArray("ID=C78784 stall") << "time-out";
        QTest::newRow("one byte a second") << QByteArray("ID=C78784 trickle 1000") << "time-out";
        QTest::newRow("closes mid-body") << QByteArray("ID=C78784 truncate 200") << "cut short";
        QTest::newRow("100 MiB body") << QByteArray("ID=C78784 oversize 100") << "too large";
        QTest::newRow("404") << QByteArray("ID=C78784 status 404") << "status 404";
        QTest::newRow("redirect loop") << QByteArray("ID=C78784 redirectloop") << "status 302";
    }
    // The compound is listed without a value, the one message names it with the reason, and
    // the cache holds the other two compounds as served and nothing of this one.
    void badcompoundanswer() {
        QFETCH(QByteArray, rule);
        QFETCH(QString, why);
        newwindow();
        setrules(rule + "\nReduced=C78784 status 404\nStruct=C78784 status 404\n");
        searchtoend(QStringLiteral("C5H12"));
        QCOMPARE(column(3), (QStringList{"2,2-dimethylpropane", "pentane", "2-methylbutane"}));
        QCOMPARE(properties(), (QStringList{"BP 282.6", "BP 309.2", "BP ?"}));
        QCOMPARE(said(), QStringList{"Not had from " + host + ": 2-methylbutane (" + why + ")."});
        QCOMPARE(cachefiles(cache_),
                 (QStringList{"C109660.gif", "C463821.gif",
                              "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm",
                              "C5H12-C109660-thermo", "C5H12-C463821-thermo",
                              "C5H12-CAS-109-66-0-thermo.htm", "C5H12-CAS-463-82-1-thermo.htm"}));
        QCOMPARE(notasserved(values_), QString());
        nothingoutsidethecache();
    }

    // The rule, then the reason the message gives.
    void badresultpage_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QString>("why");
        QTest::newRow("never answers") << QByteArray("Formula= stall") << "no answer came in time";
        QTest::newRow("closes mid-body") << QByteArray("Formula= truncate 300")
                                         << "the connection closed before the whole answer came";
        QTest::newRow("100 MiB body")
            << QByteArray("Formula= oversize 100") << "the answer was too large";
        QTest::newRow("redirect loop")
            << QByteArray("Formula= redirectloop") << "the server answered with status 302";
        QTest::newRow("404") << QByteArray("Formula= status 404")
                             << "the server answered with status 404";
        QTest::newRow("500") << QByteArray("Formula= status 500")
                             << "the server answered with status 500";
    }
    // No list, one message with the reason, nothing cached; once the server is well again the
    // next search lists.
    void badresultpage() {
        QFETCH(QByteArray, rule);
        QFETCH(QString, why);
        newwindow();
        setrules(rule);
        searchtoend(QStringLiteral("C5H12"));
        QCOMPARE(column(3), QStringList());
        QCOMPARE(said(), QStringList{"The search results for C5H12 could not be had from " + host +
                                     ": " + why});
        QCOMPARE(cachefiles(cache_), QStringList());
        nothingoutsidethecache();
        setrules({});
        messages_ = MessageRecorder();
        searchtoend(QStringLiteral("C5H12"));
        QCOMPARE(column(3), (QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
        QCOMPARE(said(), QStringList());
    }

    // An HTML page in answer to a drawing is never stored as one; at both addresses, the
    // compound shows no drawing and the next showing asks again.
    void imagethatisnotagif() {
        newwindow();
        setrules("Reduced=C463821 body compound/C463821.htm\n"
                 "Struct=C463821 body compound/C463821.htm\n");
        searchtoend(QStringLiteral("C5H12"));
        QVERIFY(!cachefiles(cache_).contains(QStringLiteral("C463821.gif")));
        QCOMPARE(form_->List1->currentRow(), 0);
        QVERIFY(form_->Picture1->pixmap().isNull());
        form_->List1->setCurrentRow(1);
        QVERIFY(!form_->Picture1->pixmap().isNull());
        server_.clearlog();
        form_->List1->setCurrentRow(0);
        QCOMPARE(server_.requests(), (QStringList{"/cgi/cbook.cgi?Reduced=C463821",
                                                  "/cgi/cbook.cgi?Struct=C463821&Type=Color"}));
        QVERIFY(form_->Picture1->pixmap().isNull());
    }

    void hostilepages() {
        // A folder of generated pages served by a second server.
        const QString data = home_.path() + QStringLiteral("/generated");
        QByteArray list = "<html><body><p>Click on the name to see more data.</p>\n<ol>\n";
        for (int i = 1; i <= 2000; ++i) {
            list += "<li><a href=\"/cgi/cbook.cgi?ID=X" + QByteArray::number(i) +
                    "&Units=SI\">Compound " + QByteArray::number(i) + "</a></li>\n";
        }
        write(data + "/formula/C9H20.htm", list + "</ol></body></html>\n");

        QByteArray odd = "<p>Click on the name to see more data.</p>\n"
                         "<li><a href=\"/cgi/cbook.cgi?ID=../up&Units=SI\">Up</a></li>\n"
                         "<li><a href=\"/cgi/cbook.cgi?ID=a/b&Units=SI\">Slash</a></li>\n"
                         "<li><a href=\"/cgi/cbook.cgi?ID=c\\d&Units=SI\">Back\\slash</a></li>\n"
                         "<li><a href=\"/cgi/cbook.cgi?ID=U1&Units=SI\">Caf\xc3\xa9 <i>|=\t"
                         "x</a></li>\n"
                         "<li><a href=\"/cgi/cbook.cgi?ID=U2&Units=SI\">Big</a></li>\n";
        write(data + "/formula/C1H1.htm", odd);
        const QByteArray pentane = contents(served(QStringLiteral("compound/C109660.htm")));
        QByteArray evil = pentane;
        evil.replace("109-66-0", "../../evil");
        write(data + "/compound/U1.htm", evil.replace("72.1488", "72|x=y\t\xc3\xa9<b>"));
        QByteArray big;
        while (big.size() < 5 * 1024 * 1024) {
            big += "<!-- filler line that holds no marker at all, only words. -->\n";
        }
        write(data + "/compound/U2.htm", big + pentane);
        QByteArray slashed = pentane;
        write(data + "/compound/a/b.htm", slashed.replace("109-66-0", "12/34\\56"));

        SampleServer generated;
        QVERIFY(generated.start(data));
        qputenv("http_proxy", generated.proxy().toLatin1());

        newwindow();
        form_->Check1[1]->setChecked(false); // no drawings for 2000 compounds
        searchtoend(QStringLiteral("C9H20"));
        // No value for any: in the order of their names, each as the page names it.
        QStringList names;
        for (int i = 1; i <= 2000; ++i) names << QStringLiteral("compound %1").arg(i);
        names.sort();
        QCOMPARE(column(3), names);
        QCOMPARE(properties(), QStringList(2000, QStringLiteral("BP ?")));
        QString notfound;
        for (int i = 1; i <= 10; ++i)
            notfound += QStringLiteral("compound %1 (status 404), ").arg(i);
        QCOMPARE(said(), QStringList{"Not had from " + host + ": " + notfound.chopped(2) +
                                     " and 1990 more."});

        form_->Check1[1]->setChecked(true);
        messages_ = MessageRecorder();
        searchtoend(QStringLiteral("C1H1"));
        // Server text stays text: the markup and the tab of a name, a path for a CAS number. The
        // markers past 5 MiB are found; the unsafe identifiers are asked for and not found.
        const QString cafe = QString::fromUtf8("caf\xc3\xa9 <i>|=\tx");
        QCOMPARE(column(1), (QStringList{"U1", "U2", "../up", "a/b", "c\\d"}));
        QCOMPARE(column(3), (QStringList{cafe, "big", "up", "slash", "back\\slash"}));
        QCOMPARE(properties(), (QStringList{"BP 309.2", "BP 309.2", "BP ?", "BP ?", "BP ?"}));
        QCOMPARE(form_->Label2->toPlainText(),
                 "CAS# ../../evil\nMF C5H12 MW 72\n" + cafe + "\n\nBP 309.2 Kelvin");
        form_->List1->setFocus();
        QTest::keyClick(form_->List1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QString::fromUtf8("Name\tBP (Kelvin)\tCAS#\tFormula\tMW\n"
                                   "caf\xc3\xa9 <i>|= x\t309.2\t../../evil\tC5H12\t72\n"
                                   "big\t309.2\t109-66-0\tC5H12\t72.1488\n"
                                   "up\t\t\t\t\nslash\t\t\t\t\nback\\slash\t\t\t\t\n"));
        QCOMPARE(said(), QStringList{"Not had from " + host +
                                     ": up (status 404), slash (status 404), back\\slash "
                                     "(status 404)."});
        // Nothing under a name made of server text that leaves the cache.
        QCOMPARE(cachefiles(cache_),
                 (QStringList{"C1H1-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm",
                              "C1H1-CAS-109-66-0-thermo.htm", "C1H1-U2-thermo",
                              "C9H20-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm"}));
        nothingoutsidethecache();
        qputenv("http_proxy", server_.proxy().toLatin1());
    }

    void killedmidsearch() {
        newwindow();
        form_.reset();
        setrules("ID= delay 150\n");
        server_.clearlog();
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(QStringLiteral(KESTRIX_PROGRAM), {});
        QVERIFY(child.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(server_.requests().size() >= 4, 10000);
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(5000));
        setrules({});

        // The next start searches again from what the killed one left.
        messages_ = MessageRecorder();
        form_ = std::make_unique<Form1>(Services{&messages_, &opener_, 1500, 0});
        form_->Timer1->stop();
        searchtoend(QStringLiteral("C5H12"));
        QCOMPARE(column(3), (QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
        QCOMPARE(properties(), (QStringList{"BP 282.6", "BP 301", "BP 309.2"}));
        QCOMPARE(said(), QStringList());
        QCOMPARE(notasserved(values_), QString());
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
