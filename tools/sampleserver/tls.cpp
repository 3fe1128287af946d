#include "tls.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>

namespace kestrix::sampleserver {

namespace {

std::optional<QByteArray> readfile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

} // namespace

std::optional<QSslConfiguration> loadtls(const QString& certfile, const QString& keyfile,
                                         QString& error) {
    if (!QSslSocket::supportsSsl()) {
        error = "this Qt has no TLS backend";
        return std::nullopt;
    }
    const std::optional<QByteArray> certpem = readfile(certfile);
    const QList<QSslCertificate> chain =
        certpem ? QSslCertificate::fromData(*certpem, QSsl::Pem) : QList<QSslCertificate>();
    if (chain.isEmpty()) {
        error = "no PEM certificate in " + certfile;
        return std::nullopt;
    }
    const std::optional<QByteArray> keypem = readfile(keyfile);
    QSslKey key;
    for (const QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec}) {
        if (keypem && key.isNull()) key = QSslKey(*keypem, algorithm, QSsl::Pem);
    }
    if (key.isNull()) {
        error = "no PEM private key in " + keyfile;
        return std::nullopt;
    }
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificateChain(chain);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone); // clients bring no certificate
    return configuration;
}

void Listener::incomingConnection(qintptr descriptor) {
    QTcpSocket* socket = tls_ ? new QSslSocket(this) : new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    addPendingConnection(socket);
}

} // namespace kestrix::sampleserver
