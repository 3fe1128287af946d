#pragma once
// One client connection of the sample server: it reads one request, answers it (normally or as
// a misbehaviour rule says) and closes. The object deletes itself when the connection ends.

#include "requestlog.h"
#include "routing.h"

#include <QObject>
#include <QTcpSocket>
#include <QTimer>

namespace kestrix::sampleserver {

struct Settings {
    QString datadir;   // the sample folder
    QString rulesfile; // the misbehaviour rules; empty for none
};

class Connection : public QObject {
    Q_OBJECT

  public:
    // Takes ownership of socket.
    Connection(QTcpSocket* socket, const Settings& settings, RequestLog& log);

  private:
    void readrequest();
    void answer(const QByteArray& target);
    void send(const Response& r); // the whole response, then close
    void sendtrickled(QByteArray bytes, int msperbyte);
    void sendoversize(qint64 bodybytes);
    void writefiller(); // more of an oversize body as the socket drains
    void finish();      // close once everything written has gone

    QTcpSocket* socket_;
    const Settings& settings_;
    RequestLog& log_;
    QByteArray received_;
    bool answered_ = false;
    QByteArray trickle_; // what is still to be trickled
    QTimer trickletimer_;
    qint64 fillerleft_ = 0; // bytes of an oversize body still to be written
};

} // namespace kestrix::sampleserver
