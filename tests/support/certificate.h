#pragma once
// A self-signed certificate for the server host, made for one test run, so that a
// TLS sample server can be trusted without turning verification off.

#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kestrix::test {

class TestCertificate {
  public:
    // Makes the key and certificate for host with openssl; false when that failed.
    bool make(const QString& host);
    // The sample server's options that make it speak TLS with this certificate.
    QStringList serveroptions() const;
    const QList<QSslCertificate>& trusted() const { return trusted_; }

  private:
    QTemporaryDir dir_;
    QList<QSslCertificate> trusted_;
};

} // namespace kestrix::test
