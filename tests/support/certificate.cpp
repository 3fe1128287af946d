#include "certificate.h"

#include <QProcess>

namespace kestrix::test {

bool TestCertificate::make(const QString& host) {
    QProcess openssl;
    openssl.setWorkingDirectory(dir_.path());
    openssl.start("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-subj",
                              "/CN=" + host, "-addext", "subjectAltName=DNS:" + host, "-days", "2",
                              "-keyout", "key.pem", "-out", "cert.pem"});
    if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) return false;
    trusted_ = QSslCertificate::fromPath(dir_.filePath("cert.pem"));
    return trusted_.size() == 1;
}

QStringList TestCertificate::serveroptions() const {
    return {"--tls-cert", dir_.filePath("cert.pem"), "--tls-key", dir_.filePath("key.pem")};
}

} // namespace kestrix::test
