#include "connection.h"

#include "request.h"

#include <QDir>
#include <QFile>
#include <QSslSocket>
#include <algorithm>
#include <cstdio>

namespace kestrix::sampleserver {

namespace {

constexpr qsizetype maxhead = 64 * 1024;
constexpr qint64 mebibyte = 1024 * 1024;
constexpr qint64 backlog = 256 * 1024; // how much an oversize body keeps queued on the socket
constexpr qint64 maxms = 24 * 3600 * 1000;

// 64 KiB of filler: lines of 64 bytes each.
const QByteArray& fillerblock() {
    static const QByteArray block = [] {
        const QByteArray line = "<p>" + QByteArray(56, 'x') + "</p>\n";
        QByteArray b;
        for (int i = 0; i < 1024; ++i) b += line;
        return b;
    }();
    return block;
}

Response badrule(const Rule& rule) {
    std::fprintf(stderr, "kestrix-sample-server: bad rule '%s %s'\n", rule.action.constData(),
                 rule.argument.constData());
    return statuspage(500);
}

// The bytes of name in the sample folder; nullopt when unreadable.
std::optional<QByteArray> readdatafile(const QString& datadir, const QByteArray& name) {
    QFile file(QDir(datadir).filePath(QString::fromLocal8Bit(name)));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

} // namespace

Connection::Connection(QTcpSocket* socket, Context& context)
    : socket_(socket), context_(context), settings_(context.settings) {
    socket_->setParent(this);
    connect(socket_, &QTcpSocket::readyRead, this, &Connection::readrequest);
    connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this] {
        trickletimer_.stop();
        fillerleft_ = 0;
        socket_->abort();
        deleteLater();
    });
    connect(socket_, &QTcpSocket::bytesWritten, this, &Connection::writefiller);
    connect(&trickletimer_, &QTimer::timeout, this, [this] {
        if (trickle_.isEmpty()) {
            trickletimer_.stop();
            finish();
            return;
        }
        socket_->write(trickle_.left(tricklestep_));
        trickle_.remove(0, tricklestep_);
    });
    readrequest();
}

void Connection::readrequest() {
    const QByteArray data = socket_->readAll();
    if (answered_) return; // anything after the first request is ignored
    received_ += data;
    const qsizetype length = headlength(received_);
    if (length < 0) {
        if (received_.size() > maxhead) {
            answered_ = true;
            send(statuspage(400));
        }
        return;
    }
    answered_ = true;
    const QByteArray head = received_.left(length);
    received_.clear();

    const QByteArray scheme = tls_ ? "https " : "";
    const bool tunnel = !tls_ && requestmethod(head) == "CONNECT";
    const std::optional<QByteArray> target = tunnel ? rawtarget(head) : requesttarget(head);
    if (!target) {
        context_.log.write(scheme + requestline(head));
    } else {
        context_.log.write(tunnel ? "CONNECT " + *target : scheme + *target);
    }
    context_.agentlog.write(headervalue(head, "User-Agent").value_or(QByteArray()));
    later([this, head] { respond(head); });
}

void Connection::respond(const QByteArray& head) {
    const bool tunnel = !tls_ && requestmethod(head) == "CONNECT";
    const std::optional<QByteArray> target = tunnel ? rawtarget(head) : requesttarget(head);
    if (!target) {
        send(statuspage(400));
    } else if (tunnel) {
        if (settings_.tls) {
            opentunnel();
        } else {
            send(statuspage(405));
        }
    } else if (settings_.httpsonly && !tls_) {
        const QByteArray host = requesthost(head);
        send(host.isEmpty() ? statuspage(400) : redirect("https://" + host + *target, 301));
    } else {
        answer(*target);
    }
}

void Connection::opentunnel() {
    auto* ssl = qobject_cast<QSslSocket*>(socket_);
    if (!ssl) { // the listener makes QSslSockets whenever there is a certificate
        send(statuspage(500));
        return;
    }
    // In unencrypted mode this goes out before anything of the handshake; the client speaks
    // first there anyway, once it has read this.
    ssl->write("HTTP/1.1 200 Connection established\r\n\r\n");
    ssl->setSslConfiguration(*settings_.tls);
    tls_ = true;
    answered_ = false;
    ssl->startServerEncryption();
}

void Connection::answer(const QByteArray& target) {
    const std::optional<Rule> rule = context_.rules.find(target);
    if (!rule) {
        send(route(settings_.datadir, target));
        return;
    }
    const std::optional<Action> action = parseaction(*rule);
    if (!action) {
        send(badrule(*rule));
        return;
    }
    const Action& a = *action;
    const int ms = int(std::min(a.number, maxms));
    switch (a.kind) {
    case Action::Status: {
        Response r = statuspage(int(a.number));
        if (!a.header.isEmpty()) r.headers << a.header;
        send(r);
        break;
    }
    case Action::Answer:
    case Action::Body: {
        Response r = route(settings_.datadir, target);
        const std::optional<QByteArray> body = readdatafile(settings_.datadir, a.text);
        if (!body) {
            send(statuspage(404));
            break;
        }
        r.status = 200;
        r.location.clear();
        r.body = *body;
        if (a.kind == Action::Answer) {
            r.status = int(a.number);
            r.contenttype = htmltype;
            r.headers.clear();
            if (!a.header.isEmpty()) r.headers << a.header;
        }
        send(r);
        break;
    }
    case Action::Delay:
        QTimer::singleShot(ms, this, [this, target] { send(route(settings_.datadir, target)); });
        break;
    case Action::Stall: // say nothing; the connection ends when the client closes it
        break;
    case Action::Trickle: {
        const Response r = route(settings_.datadir, target);
        sendtrickled(head(r, r.body.size()) + r.body, ms, a.step);
        break;
    }
    case Action::Truncate: {
        const Response r = route(settings_.datadir, target);
        socket_->write(head(r, r.body.size()) + r.body.left(a.number));
        finish();
        break;
    }
    case Action::Oversize:
        sendoversize(a.number * mebibyte);
        break;
    case Action::Redirect:
        send(redirect(a.text));
        break;
    case Action::Loop:
        send(redirect(target));
        break;
    }
}

void Connection::later(std::function<void()> step) {
    if (settings_.latencyms <= 0) {
        step();
    } else {
        QTimer::singleShot(settings_.latencyms, this, std::move(step));
    }
}

QByteArray Connection::head(Response r, qint64 contentlength) const {
    if (tls_ && settings_.hsts) r.headers << "Strict-Transport-Security: max-age=31536000";
    return responsehead(r, contentlength);
}

void Connection::send(const Response& r) {
    socket_->write(head(r, r.body.size()) + r.body);
    finish();
}

void Connection::sendtrickled(QByteArray bytes, int msperstep, qint64 bytesperstep) {
    trickle_ = std::move(bytes);
    tricklestep_ = bytesperstep;
    trickletimer_.start(msperstep);
}

void Connection::sendoversize(qint64 bodybytes) {
    Response r;
    socket_->write(head(r, bodybytes));
    fillerleft_ = bodybytes;
    if (fillerleft_ == 0) {
        finish();
        return;
    }
    writefiller();
}

void Connection::writefiller() {
    if (fillerleft_ == 0) return;
    while (fillerleft_ > 0 && socket_->bytesToWrite() < backlog) {
        const QByteArray& block = fillerblock();
        const qint64 piece = std::min<qint64>(fillerleft_, block.size());
        socket_->write(piece == block.size() ? block : block.left(piece));
        fillerleft_ -= piece;
    }
    if (fillerleft_ == 0) finish();
}

void Connection::finish() {
    // disconnectFromHost() closes only after the queued bytes are written; disconnected() then
    // deletes this object.
    socket_->disconnectFromHost();
}

} // namespace kestrix::sampleserver
