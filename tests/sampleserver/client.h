#pragma once
// What the sample server tests share: a client that fetches through the server, raw
// exchanges, and a sample folder with a certificate for the TLS cases.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSslConfiguration>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "certificate.h"
#include "files.h"
#include "sampleserver.h"

namespace kestrix::test {

inline const QString host = QStringLiteral("chemdata.nist.invalid");
inline const QByteArray cgi = "/cgi/cbook.cgi?";
inline const QByteArray connectline = "CONNECT chemdata.nist.invalid:443";
inline constexpr int timeoutms = 10000;

inline QNetworkProxy proxyof(const SampleServer& server) {
    return QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"),
                         quint16(server.port()));
}

inline QByteArrayList bytes(const QStringList& lines) {
    QByteArrayList out;
    for (const QString& line : lines) out << line.toLatin1();
    return out;
}

struct Reply {
    QNetworkReply::NetworkError error = QNetworkReply::TimeoutError;
    int status = 0;
    QByteArray body;
    QUrl url; // where the answer came from, after redirects
    QHash<QByteArray, QByteArray> headers;
    qint64 ms = 0;
};

inline Reply get(QNetworkAccessManager& manager, const QNetworkRequest& request) {
    QElapsedTimer clock;
    clock.start();
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutms, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) loop.exec();
    Reply r;
    r.ms = clock.elapsed();
    if (reply->isFinished()) {
        r.error = reply->error();
        r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        r.body = reply->readAll();
        r.url = reply->url();
        for (const auto& [name, value] : reply->rawHeaderPairs()) r.headers[name.toLower()] = value;
    }
    reply->abort();
    reply->deleteLater();
    return r;
}

// The answer to request, asked through server as the proxy.
inline Reply through(const SampleServer& server, const QNetworkRequest& request) {
    QNetworkAccessManager manager;
    manager.setProxy(proxyof(server));
    return get(manager, request);
}

// All the server says to request, sent over a plain socket.
inline QByteArray exchange(quint16 port, const QByteArray& request) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(timeoutms)) return {};
    socket.write(request);
    QByteArray answer;
    while (socket.state() == QAbstractSocket::ConnectedState &&
           socket.waitForReadyRead(timeoutms)) {
        answer += socket.readAll();
    }
    return answer + socket.readAll();
}

// A sample folder and a certificate for the placeholder host, made once per test run.
class ServerTestBase {
  protected:
    QTemporaryDir data_;
    TestCertificate certificate_;

    QStringList tlsoptions() const { return certificate_.serveroptions(); }
    QString datadir() const { return data_.path(); }

    // A request for url that trusts the test's certificate.
    QNetworkRequest request(const QByteArray& url) const {
        QNetworkRequest r(QUrl(QString::fromLatin1(url)));
        QSslConfiguration ssl = r.sslConfiguration();
        ssl.addCaCertificates(certificate_.trusted());
        r.setSslConfiguration(ssl);
        return r;
    }
    static QByteArray https(const QByteArray& query) {
        return "https://" + host.toLatin1() + cgi + query;
    }
    static QByteArray http(const QByteArray& query) {
        return "http://" + host.toLatin1() + cgi + query;
    }

    // Writes the sample folder and makes the certificate; false when either failed.
    bool prepare() {
        const std::pair<const char*, QByteArray> files[] = {
            {"compound/C1.htm", "<html>compound one</html>\n"},
            {"compound/C2.htm", QByteArray(4000, 'b')},
            {"compound/C3.htm", QByteArray(100, 'c')},
            {"formula/CH4.htm", "<html>methane</html>\n"},
            {"challenge.htm", "<html>are you a person?</html>\n"},
            {"image/A.gif", "GIF89a A"},
            {"image/B.png", "\x89PNG B"},
            {"image/C.gif", "GIF89a C"},
            {"image/C.png", "\x89PNG C"}};
        if (!data_.isValid()) return false;
        for (const auto& [name, bytes] : files) {
            if (!writefile(data_.filePath(QLatin1String(name)), bytes)) return false;
        }
        return certificate_.make(host);
    }
};

} // namespace kestrix::test
