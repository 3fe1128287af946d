// The page fetcher over a scripted transfer: body assembly, failures, title bar and wait.

#include "fakes.h"
#include "table.h"
#include "web/fetcher.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

// The window around a fetch: while it waits for events, the transfer reports its states.
struct Window {
    FakeTransfer transfer;
    TitleRecorder titles;
    EventRecorder events;
    MessageRecorder messages;
    Strings captionswhilewaiting;
    Window() {
        events.onwait = [this] {
            captionswhilewaiting.push_back(titles.captions.empty() ? "" : titles.captions.back());
            transfer.deliver();
        };
    }
};

const std::string url = "http://host.invalid/cgi/cbook.cgi?ID=C1&Units=SI&Mask=7";

} // namespace

class TestFetcher : public QObject {
    Q_OBJECT
  private slots:
    void getHTMLpage_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QList<int>>("states");
        QTest::addColumn<bool>("succeeded");
        QTest::addColumn<bool>("returned"); // the body comes back, else empty text
        QTest::addColumn<int>("reads");     // GetChunk calls, -1: not counted
        QByteArray mixed;
        for (int i = 0; i < 25000; ++i) mixed += char(i % 251);
        const QList<int> done{transferstate::responsecompleted};
        const qsizetype most = maxbodybytes;
        QTest::newRow("three chunks") << mixed << done << true << true << 4;
        QTest::newRow("exactly one chunk") << QByteArray(10000, 'x') << done << true << true << 2;
        QTest::newRow("second delivery reads one empty chunk")
            << QByteArray("abc")
            << QList<int>{transferstate::responsereceived, transferstate::responsecompleted} << true
            << true << 3;
        QTest::newRow("empty body") << QByteArray() << done << true << true << 1;
        QTest::newRow("error status") << QByteArray("<h1>404</h1>") << done << false << false << 2;
        QTest::newRow("failed request")
            << QByteArray() << QList<int>{transferstate::error} << false << false << 0;
        QTest::newRow("largest body") << QByteArray(most, 'y') << done << true << true << -1;
        QTest::newRow("body too large") << QByteArray(most + 1, 'z') << done << true << false << -1;
    }
    void getHTMLpage() {
        QFETCH(QByteArray, body);
        QFETCH(QList<int>, states);
        QFETCH(bool, succeeded);
        QFETCH(bool, returned);
        QFETCH(int, reads);
        Window window;
        FakeTransfer& transfer = window.transfer;
        transfer.body = body.toStdString();
        transfer.states.assign(states.begin(), states.end());
        transfer.succeeded = succeeded;
        std::string shtml = "old";
        Fetcher fetcher(transfer, window.titles, window.events, window.messages, &shtml);
        fetcher.setstitle("Kestrix");

        TransferResult result;
        QCOMPARE(qb(fetcher.getHTMLpage(url, "2/5: ", &result)), returned ? body : QByteArray());
        QCOMPARE(qb(shtml), returned ? body : QByteArray());
        QCOMPARE(result.succeeded, returned);
        QCOMPARE(transfer.requests, Strings{"GET " + url + "||"});
        const std::string retrieving = "retrieving 2/5: " + url + "...";
        QCOMPARE(window.titles.captions, (Strings{retrieving, "Kestrix"}));
        QCOMPARE(window.captionswhilewaiting.at(0), retrieving);
        QVERIFY(window.messages.texts.empty());
        QVERIFY(window.events.sleeps.empty()); // waits on the transfer, not for a fixed time
        for (int size : transfer.chunksizes) QCOMPARE(size, 10000);
        if (reads >= 0) QCOMPARE(int(transfer.chunksizes.size()), reads);
        QCOMPARE(transfer.cancels, body.size() > qsizetype(maxbodybytes) ? 1 : 0);
    }

    void requestnotstarted() {
        Window window;
        FakeTransfer& transfer = window.transfer;
        transfer.starterror = "Unable to connect: malformed URL";
        Fetcher fetcher(transfer, window.titles, window.events, window.messages);
        fetcher.setstitle("Kestrix");
        TransferResult result;
        QCOMPARE(fetcher.getHTMLpage("bad url", "", &result), std::string());
        QCOMPARE(window.messages.texts, Strings{"Unable to connect: malformed URL"});
        QCOMPARE(window.titles.captions, (Strings{"retrieving bad url...", "Kestrix"}));
        QCOMPARE(result.reason, std::string("Unable to connect: malformed URL"));
        QVERIFY(window.captionswhilewaiting.empty()); // nothing to wait for
    }

    void wait_data() {
        addrows({{"zero", "0", ""},
                 {"negative", "-1", ""},
                 {"two seconds", "2", "2000"},
                 {"fraction", "0.25", "250"},
                 {"beyond the int range", "3e6", "2147483647 852516353"}});
    }
    void wait() {
        QFETCH(QByteArrayList, r);
        Window window;
        kestrix::wait(r[0].toDouble(), window.events);
        QByteArrayList sleeps;
        for (int ms : window.events.sleeps) sleeps << QByteArray::number(ms);
        QCOMPARE(sleeps.join(' '), r[1]);
        QCOMPARE(window.events.doeventcalls, 0);
        QVERIFY(window.captionswhilewaiting.empty());
    }

    // A fetch that starts while another waits (an event handler running inside the wait): each
    // gets its own page and its own outcome, whichever ends first.
    void nestedfetchesowntheirpages_data() {
        QTest::addColumn<bool>("innerfails");
        QTest::newRow("both succeed") << false;
        QTest::newRow("the inner one fails") << true;
    }
    void nestedfetchesowntheirpages() {
        QFETCH(bool, innerfails);
        Window window;
        FakeTransfer& transfer = window.transfer;
        const std::string other = "http://host.invalid/cgi/cbook.cgi?ID=C2&Units=SI&Mask=7";
        transfer.bodies = {{url, "page one"}, {other, "page two"}};
        if (innerfails) transfer.failing = {other};
        transfer.states = {transferstate::responsecompleted};
        std::string shtml;
        Fetcher fetcher(transfer, window.titles, window.events, window.messages, &shtml);
        std::string inner;
        TransferResult innerresult;
        window.events.onwait = [&] {
            if (transfer.live.size() == 1 && inner.empty() && !innerresult.status) {
                inner = fetcher.getHTMLpage(other, "", &innerresult);
                innerresult.status = innerresult.status ? innerresult.status : -1;
                return;
            }
            transfer.deliver();
        };
        TransferResult outer;
        QCOMPARE(fetcher.getHTMLpage(url, "", &outer), std::string("page one"));
        QVERIFY(outer.succeeded);
        QCOMPARE(inner, innerfails ? std::string() : std::string("page two"));
        QCOMPARE(innerresult.succeeded, !innerfails);
        QCOMPARE(shtml, std::string("page one")); // the last page fetched
    }
};

QTEST_APPLESS_MAIN(TestFetcher)
#include "tst_fetcher.moc"
