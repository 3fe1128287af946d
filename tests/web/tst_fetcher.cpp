// The page fetcher over a scripted transfer: body assembly, failures, title bar and wait.

#include "../table.h"
#include "web/fetcher.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

using Strings = std::vector<std::string>;

struct FakeTransfer : Transfer {
    std::string starterror; // not empty: the request cannot be started
    std::string body;
    std::size_t read = 0;
    std::vector<int> states;
    bool succeeded = true, running = false;
    std::vector<int> chunksizes;
    int cancels = 0;
    Strings requests;

    bool Execute(const std::string& url, const std::string& operation, const std::string& input,
                 const std::string& headers, std::string& error) override {
        requests.push_back(operation + " " + url + "|" + input + "|" + headers);
        if (!starterror.empty()) error = starterror;
        running = running || starterror.empty();
        read = 0;
        return starterror.empty();
    }
    bool StillExecuting() const override { return running; }
    std::string GetChunk(int size) override {
        chunksizes.push_back(size);
        const std::string chunk = body.substr(std::min(read, body.size()), std::size_t(size));
        read += chunk.size();
        return chunk;
    }
    bool Succeeded() const override { return succeeded; }
    void Cancel() override {
        ++cancels;
        succeeded = running = false;
    }
    std::string OpenURL(const std::string&) override { return {}; }
};

// Title bar, event loop and message boxes of the window, recording what they are asked.
struct Window : TitleBar, EventLoop, MessageBoxes {
    FakeTransfer& transfer;
    Strings captions, messages, captionswhilewaiting;
    std::vector<int> sleeps;
    int doeventcalls = 0;
    explicit Window(FakeTransfer& t) : transfer(t) {}
    void setcaption(const std::string& text) override { captions.push_back(text); }
    void doevents() override { ++doeventcalls; }
    // While the window lets events run, the transfer reports its states, then ends.
    void waitforevents(int) override {
        captionswhilewaiting.push_back(captions.empty() ? "" : captions.back());
        for (int state : transfer.states) {
            if (transfer.running && transfer.StateChanged) transfer.StateChanged(state);
        }
        transfer.running = false;
    }
    void sleep(int ms) override { sleeps.push_back(ms); }
    Answer message(const std::string& text, Buttons b) override {
        messages.push_back(text + (b == Buttons::ok ? "" : " [OK/Cancel]"));
        return Answer::ok;
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
        const qsizetype most = Fetcher::maxbody;
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
        FakeTransfer transfer;
        transfer.body = body.toStdString();
        transfer.states.assign(states.begin(), states.end());
        transfer.succeeded = succeeded;
        Window window(transfer);
        std::string shtml = "old";
        Fetcher fetcher(transfer, window, window, window, &shtml);
        fetcher.setstitle("Kestrix");

        QCOMPARE(qb(fetcher.getHTMLpage(url, "2/5: ")), returned ? body : QByteArray());
        if (returned) QCOMPARE(qb(shtml), body);
        QCOMPARE(transfer.requests, Strings{"GET " + url + "||"});
        const std::string retrieving = "retrieving 2/5: " + url + "...";
        QCOMPARE(window.captions, (Strings{retrieving, "Kestrix"}));
        QCOMPARE(window.captionswhilewaiting.at(0), retrieving);
        QVERIFY(window.messages.empty());
        QVERIFY(window.sleeps.empty()); // waits on the transfer, not for a fixed time
        for (int size : transfer.chunksizes) QCOMPARE(size, 10000);
        if (reads >= 0) QCOMPARE(int(transfer.chunksizes.size()), reads);
        QCOMPARE(transfer.cancels, body.size() > qsizetype(Fetcher::maxbody) ? 1 : 0);
    }

    void requestnotstarted() {
        FakeTransfer transfer;
        transfer.starterror = "Unable to connect: malformed URL";
        transfer.running = true; // an earlier request still runs and ends meanwhile
        transfer.states = {transferstate::responsecompleted};
        transfer.body = "earlier page";
        Window window(transfer);
        Fetcher fetcher(transfer, window, window, window);
        fetcher.setstitle("Kestrix");
        QCOMPARE(fetcher.getHTMLpage("bad url", ""), std::string());
        QCOMPARE(window.messages, Strings{"Unable to connect: malformed URL"});
        QCOMPARE(window.captions, (Strings{"retrieving bad url...", "Kestrix"}));
        QVERIFY(!transfer.running);
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
        FakeTransfer transfer;
        Window window(transfer);
        Fetcher fetcher(transfer, window, window, window);
        fetcher.wait(r[0].toDouble());
        QByteArrayList sleeps;
        for (int ms : window.sleeps) sleeps << QByteArray::number(ms);
        QCOMPARE(sleeps.join(' '), r[1]);
        QCOMPARE(window.doeventcalls, 0);
        QVERIFY(window.captionswhilewaiting.empty());
    }

    void handlerdetachedwithfetcher() {
        FakeTransfer transfer;
        Window window(transfer);
        {
            Fetcher fetcher(transfer, window, window, window);
            QVERIFY(bool(transfer.StateChanged));
        }
        QVERIFY(!transfer.StateChanged);
    }
};

QTEST_APPLESS_MAIN(TestFetcher)
#include "tst_fetcher.moc"
