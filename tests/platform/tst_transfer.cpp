// The transfer component over the network stack and the page fetcher on top of it, against
// the sample server: chunks, empty and failed answers and why they failed, a stalled server, a
// redirect, the title bar, and STOP aborting a real transfer.

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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

    static QByteArray rules() {
        return "ID=ERR status 404\nID=STALL stall\nID=CUT truncate 100\nID=MOVED redirect " +
               QByteArray::fromStdString(page("SMALL")) + "\n";
    }
    void write(const QString& relative, const QByteArray& bytes) {
        QVERIFY(writefile(data_.path() + relative, bytes));
    }

  private slots:
    void initTestCase() {
        write("/compound/B10000.htm", QByteArray(10000, 'x'));
        write("/compound/B25001.htm", QByteArray(25001, 'y'));
        write("/compound/EMPTY.htm", {});
        write("/compound/SMALL.htm", "<html>small</html>");
        write("/compound/CUT.htm", QByteArray(5000, 'c'));
        QVERIFY(server_.start(data_.path()));
        server_.setrules(rules());
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
        const auto request = transfer.Execute(page(id.constData()), "GET", "", "");
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
        QVERIFY(request->result().ok());
        QCOMPARE(read, sizes);
        QCOMPARE(empties, 1); // the drain ended on the first empty chunk
    }

    // What a fetch gives back, and why it failed when it did.
    void fetches_data() {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("fault");
        QTest::newRow("small page")
            << QByteArray("SMALL") << QByteArray("<html>small</html>") << int(Fault::none);
        QTest::newRow("empty body") << QByteArray("EMPTY") << QByteArray() << int(Fault::none);
        QTest::newRow("error status") << QByteArray("ERR") << QByteArray() << int(Fault::status);
        QTest::newRow("missing page") << QByteArray("NONE") << QByteArray() << int(Fault::status);
        QTest::newRow("stalled server")
            << QByteArray("STALL") << QByteArray() << int(Fault::timeout);
        QTest::newRow("cut short") << QByteArray("CUT") << QByteArray() << int(Fault::cutshort);
        QTest::newRow("redirect") << QByteArray("MOVED") << QByteArray("<html>small</html>")
                                  << int(Fault::none);
    }
    void fetches() {
        QFETCH(QByteArray, id);
        QFETCH(QByteArray, body);
        QFETCH(int, fault);
        QtTransfer transfer(500);
        TitleRecorder captions;
        QtEvents events;
        MessageRecorder messages;
        Fetcher fetcher(transfer, captions, events, messages);
        captions.stitle = "the title";
        const std::string url = page(id.constData());
        TransferResult result;
        const std::string text = fetcher.getHTMLpage(url, "2/5: ", &result);
        QCOMPARE(QByteArray::fromStdString(text), body);
        QCOMPARE(int(result.fault), fault);
        QCOMPARE(result.ok(), fault == int(Fault::none));
        QVERIFY(messages.texts.empty());
        QCOMPARE(captions.captions,
                 (std::vector<std::string>{"retrieving 2/5: " + url + "...", "the title"}));
    }

    // No server listens: no answer at all.
    void refusedconnection() {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        QtTransfer transfer(3000);
        TitleRecorder captions;
        QtEvents events;
        MessageRecorder messages;
        Fetcher fetcher(transfer, captions, events, messages);
        TransferResult result;
        const std::string url = "http://127.0.0.1:" + std::to_string(port) + "/cgi/cbook.cgi?ID=X";
        QCOMPARE(fetcher.getHTMLpage(url, "", &result), std::string());
        QCOMPARE(int(result.fault), int(Fault::noanswer));
        QCOMPARE(result.status, 0);
    }

    // STOP aborts the real transfer of a page that never answers, long before its time-out,
    // and no further request starts.
    void stopabortsastalledpage() {
        QtTransfer transfer(30000);
        TitleRecorder captions;
        QtEvents events;
        MessageRecorder messages;
        Fetcher fetcher(transfer, captions, events, messages);
        bool stopped = false;
        fetcher.setstop([&] { return stopped; });
        server_.clearlog();
        QTimer::singleShot(200, [&] { stopped = true; });
        TransferResult result;
        QCOMPARE(fetcher.getHTMLpage(page("STALL"), "", &result), std::string());
        QCOMPARE(int(result.fault), int(Fault::stopped));
        QCOMPARE(fetcher.getHTMLpage(page("SMALL"), "", &result), std::string());
        QCOMPARE(int(result.fault), int(Fault::stopped));
        QCOMPARE(server_.requests().size(), 1);
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
        const auto slow = transfer.Execute(page("B10000"), "GET", "", "");
        const auto fast = transfer.Execute(page("SMALL"), "GET", "", "");
        const auto failing = transfer.Execute(page("ERR"), "GET", "", "");
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
        QVERIFY(slow->result().ok() && fast->result().ok());
        QCOMPARE(failing->result().status, 404);
        QVERIFY(!failing->result().ok());
        server_.setrules(rules());
    }
};

QTEST_MAIN(TestTransfer)
#include "tst_transfer.moc"
