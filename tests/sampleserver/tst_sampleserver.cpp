// The sample server from outside: the drawing route, rule answers with headers, limited rules,
// the agent log, trickle and latency.

#include "client.h"

using namespace kestrix::test;

class TestSampleServer : public QObject, ServerTestBase {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY2(prepare(), "no sample folder or no test certificate"); }

    void structroute_data() {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("gif") << QByteArray("Struct=A&Type=Color") << 200 << QByteArray("image/gif")
                             << QByteArray("GIF89a A");
        QTest::newRow("png when no gif") << QByteArray("Struct=B&Type=Color") << 200
                                         << QByteArray("image/png") << QByteArray("\x89PNG B");
        QTest::newRow("gif before png") << QByteArray("Struct=C&Type=Color") << 200
                                        << QByteArray("image/gif") << QByteArray("GIF89a C");
        QTest::newRow("neither") << QByteArray("Struct=D&Type=Color") << 404 << QByteArray()
                                 << QByteArray();
        QTest::newRow("no leaving the folder") << QByteArray("Struct=../compound/C1&Type=Color")
                                               << 404 << QByteArray() << QByteArray();
        QTest::newRow("Reduced stays gif only")
            << QByteArray("Reduced=B") << 404 << QByteArray() << QByteArray();
    }
    void structroute() {
        QFETCH(QByteArray, query);
        QFETCH(int, status);
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, body);
        SampleServer server;
        QVERIFY(server.start(datadir()));
        QNetworkAccessManager manager;
        manager.setProxy(QNetworkProxy::NoProxy);
        const Reply r =
            get(manager,
                request("http://127.0.0.1:" + QByteArray::number(server.port()) + cgi + query));
        QCOMPARE(r.status, status);
        if (status != 200) return;
        QCOMPARE(r.headers.value("content-type"), type);
        QCOMPARE(r.body, body);
    }

    void ruleanswers_data() {
        QTest::addColumn<QByteArray>("rules");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("header"); // "name: value" expected; empty: none
        QTest::addColumn<QByteArray>("body");   // expected body; empty: not checked
        const QByteArray challenge = "<html>are you a person?</html>\n";
        QTest::newRow("Retry-After seconds")
            << QByteArray("ID=C1 status 429 Retry-After: 2") << QByteArray("ID=C1") << 429
            << QByteArray("retry-after: 2") << QByteArray();
        QTest::newRow("Retry-After date, blanks kept")
            << QByteArray("ID=C1  status 503 Retry-After: Wed, 09 Dec 2026  10:00:00 GMT")
            << QByteArray("ID=C1") << 503
            << QByteArray("retry-after: Wed, 09 Dec 2026  10:00:00 GMT") << QByteArray();
        QTest::newRow("status alone") << QByteArray("ID=C1 status 404") << QByteArray("ID=C1")
                                      << 404 << QByteArray() << QByteArray();
        QTest::newRow("tabs between words")
            << QByteArray("ID=C1\tstatus\t429\tRetry-After: 7") << QByteArray("ID=C1") << 429
            << QByteArray("retry-after: 7") << QByteArray();
        QTest::newRow("answer page")
            << QByteArray("Formula= answer 403 challenge.htm") << QByteArray("Formula=CH4") << 403
            << QByteArray("content-type: text/html; charset=ISO-8859-1") << challenge;
        QTest::newRow("answer page with header")
            << QByteArray("Formula= answer 403 challenge.htm X-Challenge: on")
            << QByteArray("Formula=CH4") << 403 << QByteArray("x-challenge: on") << challenge;
        QTest::newRow("answer ok page for a drawing")
            << QByteArray("Struct= answer 200 challenge.htm") << QByteArray("Struct=A") << 200
            << QByteArray("content-type: text/html; charset=ISO-8859-1") << challenge;
        QTest::newRow("answer missing file")
            << QByteArray("ID= answer 403 none.htm") << QByteArray("ID=C1") << 404 << QByteArray()
            << QByteArray();
        QTest::newRow("not a header line")
            << QByteArray("ID=C1 status 429 soon") << QByteArray("ID=C1") << 500 << QByteArray()
            << QByteArray();
        QTest::newRow("answer without file")
            << QByteArray("ID=C1 answer 403") << QByteArray("ID=C1") << 500 << QByteArray()
            << QByteArray();
        QTest::newRow("trickle of no bytes")
            << QByteArray("ID=C1 trickle 5 0") << QByteArray("ID=C1") << 500 << QByteArray()
            << QByteArray();
    }
    void ruleanswers() {
        QFETCH(QByteArray, rules);
        QFETCH(QByteArray, query);
        QFETCH(int, status);
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, body);
        SampleServer server;
        QVERIFY(server.start(datadir()));
        server.setrules(rules + '\n');
        const Reply r = through(server, request(http(query)));
        QCOMPARE(r.status, status);
        if (!header.isEmpty()) {
            const qsizetype colon = header.indexOf(':');
            QCOMPARE(r.headers.value(header.left(colon)), header.mid(colon + 2));
        } else {
            QVERIFY(!r.headers.contains("retry-after"));
        }
        if (!body.isEmpty()) QCOMPARE(r.body, body);
    }

    void limitedrules_data() {
        QTest::addColumn<QByteArray>("rules");
        QTest::addColumn<QByteArrayList>("queries");
        QTest::addColumn<QList<int>>("statuses");
        const QByteArrayList c1x3{"ID=C1", "ID=C1", "ID=C1"};
        QTest::newRow("once, then routing") << QByteArray("1* ID=C1 status 429 Retry-After: 2")
                                            << c1x3 << QList<int>{429, 200, 200};
        QTest::newRow("twice, then the next line")
            << QByteArray("2* ID=C1 status 503\nID=C1 status 404") << c1x3
            << QList<int>{503, 503, 404};
        QTest::newRow("counted per line text")
            << QByteArray("1* ID=C1 status 503\n1* ID=C1 status 429") << c1x3
            << QList<int>{503, 429, 200};
        QTest::newRow("other targets use none up")
            << QByteArray("1* ID=C1 status 503") << QByteArrayList{"ID=C2", "ID=C1", "ID=C1"}
            << QList<int>{200, 503, 200};
        QTest::newRow("zero times")
            << QByteArray("0* ID=C1 status 503") << c1x3.mid(1) << QList<int>{200, 200};
        QTest::newRow("unlimited")
            << QByteArray("ID=C1 status 503") << c1x3 << QList<int>{503, 503, 503};
    }
    void limitedrules() {
        QFETCH(QByteArray, rules);
        QFETCH(QByteArrayList, queries);
        QFETCH(QList<int>, statuses);
        SampleServer server;
        QVERIFY(server.start(datadir()));
        server.setrules(rules + '\n');
        QList<int> got;
        for (const QByteArray& query : queries) got << through(server, request(http(query))).status;
        QCOMPARE(got, statuses);
    }

    // With --exit-with-parent the server ends when its parent is killed, so that a test that
    // crashes leaves no server behind.
    void exitswithparent() {
        QProcess parent;
        parent.start("bash", {"-c", "\"$0\" --data \"$1\" --port 0 --exit-with-parent & wait",
                              KESTRIX_SAMPLE_SERVER, datadir()});
        QVERIFY(parent.waitForReadyRead(10000));
        const QByteArray line = parent.readLine().trimmed();
        QVERIFY(line.startsWith("listening on 127.0.0.1:"));
        const quint16 port = quint16(line.mid(line.lastIndexOf(':') + 1).toUInt());
        parent.kill();
        QVERIFY(parent.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(
            [port] {
                QTcpSocket socket;
                socket.connectToHost(QStringLiteral("127.0.0.1"), port);
                return !socket.waitForConnected(200);
            }(),
            5000);
    }

    void agentlog() {
        SampleServer server;
        QVERIFY(server.start(datadir()));
        QNetworkRequest first = request(http("ID=C1"));
        first.setHeader(QNetworkRequest::UserAgentHeader, "Kestrix/1.0 (test)");
        QCOMPARE(through(server, first).status, 200);
        QVERIFY(exchange(server.port(), "GET /cgi/cbook.cgi?ID=C2 HTTP/1.1\r\n\r\n")
                    .startsWith("HTTP/1.1 200 "));
        QNetworkRequest third = request(http("Formula=CH4"));
        third.setHeader(QNetworkRequest::UserAgentHeader, "other");
        QCOMPARE(through(server, third).status, 200);
        QCOMPARE(bytes(server.requests()),
                 QByteArrayList({cgi + "ID=C1", cgi + "ID=C2", cgi + "Formula=CH4"}));
        QCOMPARE(bytes(server.agents()), QByteArrayList({"Kestrix/1.0 (test)", "", "other"}));
    }

    // A whole body arrives, no sooner than the steps take and well within the time out that a
    // byte per step would exceed.
    void trickle_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("minms");
        QTest::newRow("1000 bytes each 20 ms")
            << QByteArray("ID=C2 trickle 20 1000") << QByteArray("ID=C2") << 4000 << 80;
        QTest::newRow("a byte each 2 ms")
            << QByteArray("ID=C3 trickle 2") << QByteArray("ID=C3") << 100 << 300;
    }
    void trickle() {
        QFETCH(QByteArray, rule);
        QFETCH(QByteArray, query);
        QFETCH(int, size);
        QFETCH(int, minms);
        SampleServer server;
        QVERIFY(server.start(datadir()));
        server.setrules(rule + '\n');
        const Reply r = through(server, request(http(query)));
        QCOMPARE(r.error, QNetworkReply::NoError);
        QCOMPARE(r.body.size(), size);
        QVERIFY2(r.ms >= minms, QByteArray::number(r.ms).constData());
    }

    void latency_data() {
        QTest::addColumn<bool>("tls");
        QTest::addColumn<int>("minms");
        QTest::newRow("plain") << false << 300;
        QTest::newRow("tunnel: CONNECT and request") << true << 600;
    }
    void latency() {
        QFETCH(bool, tls);
        QFETCH(int, minms);
        SampleServer server;
        QVERIFY(server.start(datadir(), tlsoptions() << "--latency"
                                                     << "300"));
        const Reply r = through(server, request(tls ? https("ID=C1") : http("ID=C1")));
        QCOMPARE(r.status, 200);
        QVERIFY2(r.ms >= minms, QByteArray::number(r.ms).constData());
    }
};

QTEST_MAIN(TestSampleServer)
#include "tst_sampleserver.moc"
