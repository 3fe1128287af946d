#include "connection.h"

#include "request.h"
#include "rules.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdio>

namespace kestrix::sampleserver {

namespace {

constexpr qsizetype maxhead = 64 * 1024;
constexpr qint64 mebibyte = 1024 * 1024;
constexpr qint64 backlog = 256 * 1024; // how much an oversize body keeps queued on the socket

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

// The number in a rule's argument; nullopt when it is missing or not a number >= 0.
std::optional<qint64> count(const QByteArray& argument) {
    bool ok = false;
    const qint64 n = argument.toLongLong(&ok);
    if (!ok || n < 0) return std::nullopt;
    return n;
}

Response badrule(const Rule& rule) {
    std::fprintf(stderr, "kestrix-sample-server: bad rule '%s %s'\n", rule.action.constData(),
                 rule.argument.constData());
    return statuspage(500);
}

} // namespace

Connection::Connection(QTcpSocket* socket, const Settings& settings, RequestLog& log)
    : socket_(socket), settings_(settings), log_(log) {
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
        socket_->write(trickle_.left(1));
        trickle_.remove(0, 1);
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
    const std::optional<QByteArray> target = requesttarget(head);
    if (!target) {
        log_.write(requestline(head));
        send(statuspage(400));
        return;
    }
    log_.write(*target);
    answer(*target);
}

void Connection::answer(const QByteArray& target) {
    const std::optional<Rule> rule = findrule(settings_.rulesfile, target);
    if (!rule) {
        send(route(settings_.datadir, target));
        return;
    }
    const QByteArray& action = rule->action;
    const std::optional<qint64> n = count(rule->argument);
    const bool numeric = action == "status" || action == "delay" || action == "trickle" ||
                         action == "truncate" || action == "oversize";
    if (numeric && !n) {
        send(badrule(*rule));
        return;
    }
    const int ms = int(std::min<qint64>(n.value_or(0), 24 * 3600 * 1000));
    if (action == "status") {
        send(*n >= 100 && *n <= 999 ? statuspage(int(*n)) : badrule(*rule));
    } else if (action == "delay") {
        QTimer::singleShot(ms, this, [this, target] { send(route(settings_.datadir, target)); });
    } else if (action == "stall") {
        // Say nothing; the connection ends when the client closes it.
    } else if (action == "trickle") {
        const Response r = route(settings_.datadir, target);
        sendtrickled(responsehead(r, r.body.size()) + r.body, ms);
    } else if (action == "truncate") {
        const Response r = route(settings_.datadir, target);
        socket_->write(responsehead(r, r.body.size()) + r.body.left(*n));
        finish();
    } else if (action == "oversize") {
        sendoversize(*n * mebibyte);
    } else if (action == "redirect") {
        send(rule->argument.isEmpty() ? badrule(*rule) : redirect(rule->argument));
    } else if (action == "redirectloop") {
        send(redirect(target));
    } else if (action == "body") {
        Response r = route(settings_.datadir, target);
        QFile file(QDir(settings_.datadir).filePath(QString::fromLocal8Bit(rule->argument)));
        if (!file.open(QIODevice::ReadOnly)) {
            send(statuspage(404));
            return;
        }
        r.status = 200;
        r.location.clear();
        r.body = file.readAll();
        send(r);
    } else {
        send(badrule(*rule));
    }
}

void Connection::send(const Response& r) {
    socket_->write(responsehead(r, r.body.size()) + r.body);
    finish();
}

void Connection::sendtrickled(QByteArray bytes, int msperbyte) {
    trickle_ = std::move(bytes);
    trickletimer_.start(msperbyte);
}

void Connection::sendoversize(qint64 bodybytes) {
    Response r;
    socket_->write(responsehead(r, bodybytes));
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
