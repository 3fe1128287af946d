// A misbehaving server and hostile pages: every search ends by itself, writes nothing outside
// the page cache, caches no error page or truncated page, and crashes nothing.

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
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

QString served(const QString& relative) {
    return QStringLiteral(KESTRIX_TEST_DATA "/server/") + relative;
}

} // namespace

class TestHostile : public QObject, WindowFixture {
    Q_OBJECT
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

    // Every cached compound page is the base line and the whole page as served.
    void cachedpagesarewhole() {
        const QString dir = QString::fromStdString(cache_);
        for (const QString& name : cachefiles(cache_)) {
            if (!name.contains(QStringLiteral("-CAS-"))) continue;
            const QByteArray page = contents(dir + name);
            const qsizetype base = page.indexOf("\r\n");
            QVERIFY(page.startsWith("<base href=") && base > 0);
            const QByteArray url = page.mid(11, base - 12);
            const QByteArray id = url.mid(url.indexOf("ID=") + 3).split('&').first();
            QCOMPARE(page.mid(base + 2), contents(served(QStringLiteral("compound/") +
                                                         QString::fromLatin1(id) + ".htm")));
        }
    }

  private slots:
    void initTestCase() {
        timeoutms_ = 1500;
        QVERIFY(startserver(QStringLiteral("server")));
    }
    void cleanup() { closewindow(); }

    // The rule, then the words the search's one message gives as the reason.
    void badcompoundanswer_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QString>("why");
        QTest::newRow("never answers") << QByteArray("ID=C78784 stall") << "time-out";
        QTest::newRow("one byte a second") << QByteArray("ID=C78784 trickle 1000") << "time-out";
        QTest::newRow("closes mid-body") << QByteArray("ID=C78784 truncate 200") << "cut short";
        QTest::newRow("100 MiB body") << QByteArray("ID=C78784 oversize 100") << "too large";
        QTest::newRow("404") << QByteArray("ID=C78784 status 404") << "status 404";
        QTest::newRow("500") << QByteArray("ID=C78784 status 500") << "status 500";
        // Asked to wait (5 s without a Retry-After), asked once more, in vain.
        QTest::newRow("503") << QByteArray("ID=C78784 status 503") << "asked to wait";
        QTest::newRow("redirect loop") << QByteArray("ID=C78784 redirectloop") << "status 302";
    }
    // The compound is listed without a value, and the one message names it with the reason.
    void badcompoundanswer() {
        QFETCH(QByteArray, rule);
        QFETCH(QString, why);
        newwindow();
        setrules(rule + "\nReduced=C78784 status 404\nStruct=C78784 status 404\n");
        searchtoend(QStringLiteral("C5H12"));
        QCOMPARE(properties(), (QStringList{"BP 282.6", "BP 309.2", "BP ?"}));
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        const std::string said = "Not had from " + std::string(server::host()) +
                                 ": 2-methylbutane (" + why.toStdString() + ").";
        QVERIFY2(messages_.texts[0].starts_with(said), messages_.texts[0].c_str());
        const QStringList files = cachefiles(cache_);
        QVERIFY2(files.filter(QStringLiteral("C78784")).isEmpty(), qPrintable(files.join(' ')));
        QVERIFY(files.filter(QStringLiteral("78-78-4")).isEmpty());
        QVERIFY(files.contains(QStringLiteral("C5H12-CAS-109-66-0-thermo.htm")));
        cachedpagesarewhole();
        nothingoutsidethecache();
    }

    void badresultpage_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::newRow("closes mid-body") << QByteArray("Formula= truncate 300");
        QTest::newRow("100 MiB body") << QByteArray("Formula= oversize 100");
        QTest::newRow("redirect loop") << QByteArray("Formula= redirectloop");
        QTest::newRow("500") << QByteArray("Formula= status 500");
    }
    void badresultpage() {
        QFETCH(QByteArray, rule);
        newwindow();
        setrules(rule);
        searchtoend(QStringLiteral("C5H12"));
        QCOMPARE(form_->List1->listcount(), 0);
        QVERIFY(cachefiles(cache_).isEmpty());
        nothingoutsidethecache();
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
        QCOMPARE(form_->List1->listcount(), 2000);
        QCOMPARE(properties().count(QStringLiteral("BP ?")), 2000);

        form_->Check1[1]->setChecked(true);
        searchtoend(QStringLiteral("C1H1"));
        QCOMPARE(form_->List1->listcount(), 5);
        QVERIFY(properties().contains(QStringLiteral("BP 309.2"))); // markers past 5 MiB
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
        form_ = std::make_unique<Form1>(Services{&messages_, &opener_, 1500});
        form_->Timer1->stop();
        searchtoend(QStringLiteral("C5H12"));
        QCOMPARE(properties().size(), 3);
        QVERIFY(!properties().contains(QStringLiteral("BP ?")));
        cachedpagesarewhole();
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
