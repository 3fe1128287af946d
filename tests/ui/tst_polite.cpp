// The real window against a server that asks it to wait or refuses it: the User-Agent of every
// request, a Retry-After waited out, a wait in vain, and refusals of the result page and in the
// middle of a search.

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "samplevalues.h"
#include "ui/form1.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

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
        QCOMPARE(server_.agents().size(), 7);
        for (const QString& sent : server_.agents()) QCOMPARE(sent, agent);
    }

    // A 429 with "Retry-After: 2" for one page: asked once more about 2 s later, and that page
    // cached as served. A server that answers plainly costs no pause at all.
    void retryafterwaitedout() {
        newwindow();
        setrules("1* ID=C78784 status 429 Retry-After: 2\n");
        std::vector<qint64> asked; // when each request for that page arrived
        QElapsedTimer clock;
        clock.start();
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            const qsizetype n = server_.requests().filter(QStringLiteral("ID=C78784")).size();
            while (qsizetype(asked.size()) < n) asked.push_back(clock.elapsed());
        });
        poll.start(10);
        search(QStringLiteral("C5H12"));
        QCOMPARE(asked.size(), std::size_t(2));
        const qint64 gap = asked[1] - asked[0];
        QVERIFY2(gap >= 1900 && gap < 3500, qPrintable(QString::number(gap)));
        QCOMPARE(column(2), (QStringList{"BP 282.6", "BP 301", "BP 309.2"}));
        QVERIFY(messages_.texts.empty());
        QVERIFY(cachefiles(cache_).contains(QStringLiteral("C5H12-CAS-78-78-4-thermo.htm")));
        cachedasserved();
    }

    // Asked to wait twice for the same page: its fields stay empty, nothing of it is cached,
    // and the search's message names it.
    void askedtowaittwice() {
        newwindow();
        setrules("2* ID=C78784 status 429 Retry-After: 1\n");
        search(QStringLiteral("C5H12"));
        QCOMPARE(server_.requests().filter(QStringLiteral("ID=C78784")).size(), 2);
        QVERIFY(column(2).contains(QStringLiteral("BP ?")));
        QVERIFY(!cachefiles(cache_).contains(QStringLiteral("C5H12-C78784-thermo")));
        QVERIFY(cachefiles(cache_).filter(QStringLiteral("78-78-4")).isEmpty());
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        QVERIFY2(messages_.texts[0].find("2-methylbutane (asked to wait).") != std::string::npos,
                 messages_.texts[0].c_str());
        cachedasserved();
    }

    // A challenge instead of the result page: one message, nothing cached, no compound page
    // asked for.
    void challengedresultpage_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::newRow("403") << QByteArray("Formula= answer 403 challenge.htm");
        QTest::newRow("503") << QByteArray("Formula= answer 503 challenge.htm");
        QTest::newRow("200") << QByteArray("Formula= answer 200 challenge.htm");
    }
    void challengedresultpage() {
        QFETCH(QByteArray, rule);
        newwindow();
        setrules(rule);
        search(QStringLiteral("C5H12"));
        QCOMPARE(server_.requests().size(), 1);
        QVERIFY(cachefiles(cache_).isEmpty());
        QCOMPARE(column(1), QStringList());
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        QCOMPARE(messages_.texts[0],
                 "The server " + std::string(server::host()) +
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
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        QVERIFY2(messages_.texts[0].starts_with("The server " + std::string(server::host()) +
                                                " refused the requests of this search.") &&
                     messages_.texts[0].find("2 cached copies were shown instead.") !=
                         std::string::npos,
                 messages_.texts[0].c_str());
        QCOMPARE(cachefiles(cache_), files);
        cachedasserved();
        // The next search asks again.
        setrules({});
        server_.clearlog();
        search(QStringLiteral("C5H12"));
        QCOMPARE(column(3).size(), 3);
    }
};

QTEST_MAIN(TestPolite)
#include "tst_polite.moc"
