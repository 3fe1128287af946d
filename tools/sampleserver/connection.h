#pragma once
// One client connection of the sample server: it reads one request, answers it (normally or as
// a misbehaviour rule says) and closes. A CONNECT, when the server has a certificate, turns the
// connection into a TLS tunnel in which one more request is read and answered the same way.
// The object deletes itself when the connection ends.

#include "requestlog.h"
#include "routing.h"
#include "rules.h"

#include <QObject>
#include <QSslConfiguration>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <optional>

namespace kestrix::sampleserver {

struct Settings {
    QString datadir;                      // the sample folder
    std::optional<QSslConfiguration> tls; // certificate and key; nullopt: CONNECT gets 405
    bool httpsonly = false;               // answer requests outside TLS with a 301 to https
    bool hsts = false;                    // answers over TLS carry Strict-Transport-Security
    int latencyms = 0;                    // how long every answer waits
};

// What all connections of the server share.
struct Context {
    Settings settings;
    Rules rules;
    RequestLog log;      // the request targets
    RequestLog agentlog; // the User-Agent of each request, line by line with log
};

class Connection : public QObject {
    Q_OBJECT

  public:
    // Takes ownership of socket, which is a QSslSocket when context.settings.tls is set.
    Connection(QTcpSocket* socket, Context& context);

  private:
    void readrequest();
    void respond(const QByteArray& head); // once the latency has passed
    void opentunnel();
    void answer(const QByteArray& target);
    void later(std::function<void()> step); // step after the latency
    QByteArray head(Response r, qint64 contentlength) const;
    void send(const Response& r); // the whole response, then close
    void sendtrickled(QByteArray bytes, int msperstep, qint64 bytesperstep);
    void sendoversize(qint64 bodybytes);
    void writefiller(); // more of an oversize body as the socket drains
    void finish();      // close once everything written has gone

    QTcpSocket* socket_;
    Context& context_;
    const Settings& settings_;
    QByteArray received_;
    bool answered_ = false;
    bool tls_ = false;   // the tunnel is open: what is read now came over TLS
    QByteArray trickle_; // what is still to be trickled
    qint64 tricklestep_ = 1;
    QTimer trickletimer_;
    qint64 fillerleft_ = 0; // bytes of an oversize body still to be written
};

} // namespace kestrix::sampleserver
