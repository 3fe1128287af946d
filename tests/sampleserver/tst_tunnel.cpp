// The sample server's TLS side: tunnels through the proxy, a server that answers plain requests
// with a redirect to https, and HSTS.

#include "client.h"

using namespace kestrix::test;

class TestTunnel : public QObject, ServerTestBase {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY2(prepare(), "no sample folder or no test certificate"); }

    void tunnel_data() {
        QTest::addColumn<QByteArray>("rules");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("page") << QByteArray() << QByteArray("ID=C1") << 200
                              << QByteArray("<html>compound one</html>\n");
        QTest::newRow("drawing") << QByteArray() << QByteArray("Struct=B&Type=Color") << 200
                                 << QByteArray("\x89PNG B");
        QTest::newRow("rules apply inside")
            << QByteArray("ID=C1 status 503\n") << QByteArray("ID=C1") << 503 << QByteArray();
    }
    void tunnel() {
        QFETCH(QByteArray, rules);
        QFETCH(QByteArray, query);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        SampleServer server;
        QVERIFY(server.start(datadir(), tlsoptions()));
        server.setrules(rules);
        const Reply r = through(server, request(https(query)));
        QCOMPARE(r.status, status);
        if (!body.isEmpty()) QCOMPARE(r.body, body);
        QCOMPARE(bytes(server.requests()), QByteArrayList({connectline, "https " + cgi + query}));
    }

    // Verification stays on: the same fetch without trusting the certificate fails.
    void tunnelUntrusted() {
        SampleServer server;
        QVERIFY(server.start(datadir(), tlsoptions()));
        const Reply r = through(server, QNetworkRequest(QUrl(QString::fromLatin1(https("ID=C1")))));
        QCOMPARE(r.error, QNetworkReply::SslHandshakeFailedError);
        QCOMPARE(bytes(server.requests()), QByteArrayList{connectline});
    }

    void connectWithoutCertificate() {
        SampleServer server;
        QVERIFY(server.start(datadir()));
        const QByteArray answer = exchange(
            server.port(), connectline + " HTTP/1.1\r\nHost: chemdata.nist.invalid:443\r\n\r\n");
        QVERIFY2(answer.startsWith("HTTP/1.1 405 "), answer.constData());
        QCOMPARE(bytes(server.requests()), QByteArrayList{connectline});
    }

    void httpsonly_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("location");
        const QByteArray page = "https://chemdata.nist.invalid/cgi/cbook.cgi?ID=C1";
        QTest::newRow("absolute-form") << QByteArray("GET http://chemdata.nist.invalid/cgi/"
                                                     "cbook.cgi?ID=C1 HTTP/1.1\r\nHost: x\r\n")
                                       << QByteArray("301 Moved Permanently") << page;
        QTest::newRow("absolute-form with port")
            << QByteArray("GET http://chemdata.nist.invalid:8080/cgi/cbook.cgi?ID=C1 HTTP/1.1\r\n")
            << QByteArray("301 Moved Permanently") << page;
        QTest::newRow("Host header") << QByteArray("GET /cgi/cbook.cgi?ID=C1 HTTP/1.1\r\n"
                                                   "host: chemdata.nist.invalid:80\r\n")
                                     << QByteArray("301 Moved Permanently") << page;
        QTest::newRow("no host") << QByteArray("GET /cgi/cbook.cgi?ID=C1 HTTP/1.1\r\n")
                                 << QByteArray("400 Bad Request") << QByteArray();
    }
    void httpsonly() {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, location);
        SampleServer server;
        QVERIFY(server.start(datadir(), tlsoptions() << "--https-only"));
        const QByteArray answer = exchange(server.port(), head + "\r\n");
        QVERIFY2(answer.startsWith("HTTP/1.1 " + status + "\r\n"), answer.constData());
        QCOMPARE(answer.contains("\r\nLocation: " + location + "\r\n"), !location.isEmpty());
        QCOMPARE(bytes(server.requests()), QByteArrayList{"/cgi/cbook.cgi?ID=C1"});
    }

    void httpsonlyFollowed() {
        SampleServer server;
        QVERIFY(server.start(datadir(), tlsoptions() << "--https-only"));
        const Reply r = through(server, request(http("ID=C1")));
        QCOMPARE(r.status, 200);
        QCOMPARE(r.url.toString().toLatin1(), https("ID=C1"));
        QCOMPARE(r.body, QByteArray("<html>compound one</html>\n"));
        QCOMPARE(bytes(server.requests()),
                 QByteArrayList({cgi + "ID=C1", connectline, "https " + cgi + "ID=C1"}));
    }

    void hsts_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("tls");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("over TLS") << QStringList{"--hsts"} << true
                                  << QByteArray("max-age=31536000");
        QTest::newRow("over TLS, not asked for") << QStringList() << true << QByteArray();
        QTest::newRow("plain http") << QStringList{"--hsts"} << false << QByteArray();
    }
    void hsts() {
        QFETCH(QStringList, options);
        QFETCH(bool, tls);
        QFETCH(QByteArray, header);
        SampleServer server;
        QVERIFY(server.start(datadir(), tlsoptions() + options));
        const Reply r = through(server, request(tls ? https("ID=C1") : http("ID=C1")));
        QCOMPARE(r.status, 200);
        QCOMPARE(r.headers.value("strict-transport-security"), header);
    }
};

QTEST_MAIN(TestTunnel)
#include "tst_tunnel.moc"
