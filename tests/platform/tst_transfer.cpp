// The transfer component over the network stack and the page fetcher on top of it, against
// the sample server: chunks, empty and failed answers, a stalled server, a redirect, the
// title bar, and that a small page costs milliseconds.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "fakes.h"
#include "files.h"
#include "platform/desktop.h"
#include "platform/qttransfer.h"
#include "sampleserver.h"
#include "web/fetcher.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const std::string host = "http://chemdata.nist.invalid";
std::string page(const char* id) {
    return host + "/cgi/cbook.cgi?ID=" + id + "&Units=SI&Mask=7";
}

} // namespace

class TestTransfer : public QObject {
    Q_OBJECT
  private:
    QTemporaryDir data_;
    SampleServer server_;

    void write(const QString& relative, const QByteArray& bytes) {
        QVERIFY(writefile(data_.path() + relative, bytes));
    }

  private slots:
    void initTestCase() {
        write("/compound/B10000.htm", QByteArray(10000, 'x'));
        write("/compound/B25001.htm", QByteArray(25001, 'y'));
        write("/compound/EMPTY.htm", {});
        write("/compound/SMALL.htm", "<html>small</html>");
        QVERIFY(server_.start(data_.path()));
        server_.setrules("ID=ERR status 404\nID=STALL stall\nID=MOVED redirect " +
                         QByteArray::fromStdString(page("SMALL")) + "\n");
        qputenv("http_proxy", server_.proxy().toLatin1());
        qputenv("no_proxy", "");
    }

    void chunks_data() {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("exactly 10000 bytes") << QByteArray("B10000") << QList<int>{10000};
        QTest::newRow("25001 bytes") << QByteArray("B25001") << QList<int>{10000, 10000, 5001};
    }
    void chunks() {
        QFETCH(QByteArray, id);
        QFETCH(QList<int>, sizes);
        QtTransfer transfer(3000);
        QList<int> read;
        int empties = 0;
        std::string error;
        const auto request = transfer.Execute(page(id.constData()), "GET", "", "", error);
        QVERIFY(request);
        // Read only once the response is complete, so that the chunks are the whole body's.
        request->StateChanged = [&](int state) {
            if (state != transferstate::responsecompleted) return;
            for (;;) {
                const std::string chunk = request->GetChunk(10000);
                if (chunk.empty()) break;
                read << int(chunk.size());
            }
            ++empties;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!request->StillExecuting(), 5000);
        QVERIFY(request->result().succeeded);
        QCOMPARE(read, sizes);
        QCOMPARE(empties, 1); // the drain ended on the first empty chunk
    }

    void fetches_data() {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("small page") << QByteArray("SMALL") << QByteArray("<html>small</html>");
        QTest::newRow("empty body") << QByteArray("EMPTY") << QByteArray();
        QTest::newRow("error status") << QByteArray("ERR") << QByteArray();
        QTest::newRow("missing page") << QByteArray("NONE") << QByteArray();
        QTest::newRow("stalled server") << QByteArray("STALL") << QByteArray();
        QTest::newRow("redirect") << QByteArray("MOVED") << QByteArray("<html>small</html>");
    }
    void fetches() {
        QFETCH(QByteArray, id);
        QFETCH(QByteArray, body);
        QtTransfer transfer(500);
        TitleRecorder captions;
        QtEvents events;
        MessageRecorder messages;
        Fetcher fetcher(transfer, captions, events, messages);
        fetcher.setstitle("the title");
        const std::string url = page(id.constData());
        QElapsedTimer clock;
        clock.start();
        const std::string text = fetcher.getHTMLpage(url, "2/5: ");
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(QByteArray::fromStdString(text), body);
        QVERIFY(messages.texts.empty());
        QCOMPARE(captions.captions,
                 (std::vector<std::string>{"retrieving 2/5: " + url + "...", "the title"}));
        // A finished transfer returns at once; only the stalled one waits for its time-out.
        if (id != "STALL") QVERIFY2(elapsed < 900, qPrintable(QString::number(elapsed)));
        if (id == "STALL") QVERIFY(elapsed >= 450);
    }

    void requestthatcannotstart() {
        QtTransfer transfer(500);
        TitleRecorder captions;
        QtEvents events;
        MessageRecorder messages;
        Fetcher fetcher(transfer, captions, events, messages);
        QCOMPARE(fetcher.getHTMLpage("http://", ""), std::string());
        QCOMPARE(messages.texts.size(), std::size_t(1));
        QVERIFY(!messages.texts.front().empty());
        QCOMPARE(captions.captions.size(), std::size_t(2));
    }

    // Two requests at once, the first answered last: each reads its own body and outcome.
    void overlappingrequests() {
        server_.setrules("ID=B10000 delay 300\nID=ERR status 404\nID=STALL stall\n");
        QtTransfer transfer(3000);
        std::string error;
        const auto slow = transfer.Execute(page("B10000"), "GET", "", "", error);
        const auto fast = transfer.Execute(page("SMALL"), "GET", "", "", error);
        const auto failing = transfer.Execute(page("ERR"), "GET", "", "", error);
        QVERIFY(slow && fast && failing);
        std::string slowbody, fastbody;
        const auto drain = [](TransferRequest& request, std::string& body) {
            request.StateChanged = [&request, &body](int) {
                for (std::string chunk; !(chunk = request.GetChunk(10000)).empty();) body += chunk;
            };
        };
        drain(*slow, slowbody);
        drain(*fast, fastbody);
        QTRY_VERIFY_WITH_TIMEOUT(!fast->StillExecuting() && !failing->StillExecuting(), 5000);
        QVERIFY(slow->StillExecuting());
        QTRY_VERIFY_WITH_TIMEOUT(!slow->StillExecuting(), 5000);
        QCOMPARE(fastbody, std::string("<html>small</html>"));
        QCOMPARE(slowbody, std::string(10000, 'x'));
        QVERIFY(slow->result().succeeded && fast->result().succeeded);
        QCOMPARE(failing->result().status, 404);
        QVERIFY(!failing->result().succeeded);
        server_.setrules("ID=ERR status 404\nID=STALL stall\nID=MOVED redirect " +
                         QByteArray::fromStdString(page("SMALL")) + "\n");
    }

    void image() {
        QtTransfer transfer(500);
        QCOMPARE(QByteArray::fromStdString(
                     transfer.OpenURL(host + "/cgi/cbook.cgi?ID=B10000&Units=SI&Mask=7")),
                 QByteArray(10000, 'x'));
        QCOMPARE(transfer.OpenURL(page("ERR")), std::string());
        QCOMPARE(transfer.OpenURL(page("STALL")), std::string());
    }
};

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
