// The real window against a server that asks it to wait or refuses it, as the real transfer
// hands over its headers and bodies: the User-Agent of every request, a Retry-After read and
// waited out, a challenge in a 503's body, and a refusal in the middle of a forced search. The
// waits' lengths and the other faults are the manners' and the search's own tests.

#include <QTest>

#include "samplevalues.h"
#include "ui/form1.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {
const QString host = QString::fromLatin1(samplehost);
}

class TestPolite : public QObject, WindowFixture {
    Q_OBJECT
    SampleValues values_;

    void cachedasserved() { QCOMPARE(notasserved(values_), QString()); }

  private slots:
    void initTestCase() { QVERIFY(startserver(QStringLiteral("server"))); }
    void cleanup() { closewindow(); }

    void useragentofeveryrequest() {
        newwindow();
        search(QStringLiteral("C5H12"));
        const QString agent = QStringLiteral("Kestrix/1.0d3 (Qt %1)").arg(qVersion());
        QCOMPARE(server_.agents(), QStringList(7, agent));
    }

    // A 429 with "Retry-After: 2" for one page: the title bar says the wait the server asked
    // for, the page is asked once more and cached as served. (How long the wait takes is the
    // manners' own test, on a clock.)
    void retryafterwaitedout() {
        newwindow();
        setrules("1* ID=C78784 status 429 Retry-After: 2\n");
        QStringList titles;
        connect(form_.get(), &QWidget::windowTitleChanged, this,
                [&](const QString& title) { titles << title; });
        search(QStringLiteral("C5H12"));
        const QString page = "/cgi/cbook.cgi?ID=C78784&Units=SI&Mask=7";
        QCOMPARE(server_.requests().filter(QStringLiteral("ID=C78784")), (QStringList{page, page}));
        QCOMPARE(titles.filter(QStringLiteral("waiting")),
                 QStringList{"waiting 2 s, as the server asked, before retrieving 2/3: http://" +
                             host + page + "..."});
        QCOMPARE(column(2), (QStringList{"BP 282.6", "BP 301", "BP 309.2"}));
        QVERIFY(messages_.texts.empty());
        cachedasserved();
    }

    // A challenge instead of the result page: one message, nothing cached, no compound page
    // asked for.
    void challengedresultpage_data() {
        QTest::addColumn<QByteArray>("rule");
        // A 403 and a challenge under 200 are the search's failure matrix; a 503 is a request
        // to wait unless the real transfer hands over the body that says otherwise.
        QTest::newRow("503") << QByteArray("Formula= answer 503 challenge.htm");
    }
    void challengedresultpage() {
        QFETCH(QByteArray, rule);
        newwindow();
        setrules(rule);
        search(QStringLiteral("C5H12"));
        QCOMPARE(
            server_.requests(),
            QStringList{"/cgi/cbook.cgi?Formula=C5H12&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on"});
        QVERIFY(cachefiles(cache_).isEmpty());
        QCOMPARE(column(1), QStringList());
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        QCOMPARE(messages_.texts[0],
                 "The server " + host.toStdString() +
                     " refused the requests of this search. Please try again later.");
    }

    // Refused in the middle of a search that fetches every page anew: no further request, and
    // the cached copies are shown, as when the server fails otherwise; cached files untouched.
    void refusedmidsearch() {
        newwindow();
        search(QStringLiteral("C5H12"));
        const QStringList files = cachefiles(cache_);
        form_->optGotoNIST->trigger();
        setrules("ID=C78784 status 403\n");
        server_.clearlog();
        search(QStringLiteral("C5H12"));
        QCOMPARE(server_.requests(),
                 (QStringList{"/cgi/cbook.cgi?Formula=C5H12&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on",
                              "/cgi/cbook.cgi?ID=C109660&Units=SI&Mask=7",
                              "/cgi/cbook.cgi?ID=C78784&Units=SI&Mask=7"}));
        QCOMPARE(column(3), (QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
        QCOMPARE(column(2), (QStringList{"BP 282.6", "BP 301", "BP 309.2"}));
        const std::string server = host.toStdString();
        QCOMPARE(messages_.texts,
                 Strings{"The server " + server +
                         " refused the requests of this search. Please try again later.\r\n\r\n"
                         "Pages could not be fetched anew from " +
                         server +
                         " (the server refused the requests). 2 cached copies were shown "
                         "instead."});
        QCOMPARE(cachefiles(cache_), files);
        cachedasserved();
        // The next search asks again, every page anew.
        setrules({});
        server_.clearlog();
        messages_ = MessageRecorder();
        search(QStringLiteral("C5H12"));
        QCOMPARE(server_.requests(),
                 (QStringList{"/cgi/cbook.cgi?Formula=C5H12&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on",
                              "/cgi/cbook.cgi?ID=C109660&Units=SI&Mask=7",
                              "/cgi/cbook.cgi?ID=C78784&Units=SI&Mask=7",
                              "/cgi/cbook.cgi?ID=C463821&Units=SI&Mask=7"}));
        QCOMPARE(column(2), (QStringList{"BP 282.6", "BP 301", "BP 309.2"}));
        QVERIFY(messages_.texts.empty());
    }
};

QTEST_MAIN(TestPolite)
#include "tst_polite.moc"
