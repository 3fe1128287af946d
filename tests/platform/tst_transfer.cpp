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
        // Read only once the response is complete, so that the chunks are the whole body's.
        transfer.StateChanged = [&](int state) {
            if (state != transferstate::responsecompleted) return;
            for (;;) {
                const std::string chunk = transfer.GetChunk(10000);
                if (chunk.empty()) break;
                read << int(chunk.size());
            }
            ++empties;
        };
        std::string error;
        QVERIFY(transfer.Execute(page(id.constData()), "GET", "", "", error));
        QTRY_VERIFY_WITH_TIMEOUT(!transfer.StillExecuting(), 5000);
        QVERIFY(transfer.Succeeded());
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
