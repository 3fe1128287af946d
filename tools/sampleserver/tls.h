#pragma once
// TLS for the sample server: the server certificate and key, and a listener whose sockets can
// turn into TLS servers once a client has opened a tunnel with CONNECT.

#include <QSslConfiguration>
#include <QString>
#include <QTcpServer>
#include <optional>

namespace kestrix::sampleserver {

// The server side configuration for the PEM files certfile and keyfile (an RSA or EC key
// without a pass phrase); nullopt, with a message in error, when either cannot be read.
std::optional<QSslConfiguration> loadtls(const QString& certfile, const QString& keyfile,
                                         QString& error);

class Listener : public QTcpServer {
  public:
    // With tls, the pending connections are QSslSockets (unencrypted until told otherwise);
    // without, plain QTcpSockets.
    explicit Listener(bool tls) : tls_(tls) {}

  protected:
    void incomingConnection(qintptr descriptor) override;

  private:
    bool tls_;
};

} // namespace kestrix::sampleserver
