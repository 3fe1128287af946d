#include "request.h"

#include <QByteArrayList>

namespace kestrix::sampleserver {

namespace {

// "host", "host:port", "[::1]:port" -> the host alone.
QByteArray hostofauthority(const QByteArray& authority) {
    if (authority.startsWith('[')) {
        const qsizetype close = authority.indexOf(']');
        return close < 0 ? QByteArray() : authority.left(close + 1);
    }
    const qsizetype colon = authority.indexOf(':');
    return colon < 0 ? authority : authority.left(colon);
}

} // namespace

qsizetype headlength(const QByteArray& data) {
    const qsizetype crlf = data.indexOf("\r\n\r\n");
    const qsizetype lf = data.indexOf("\n\n");
    if (crlf >= 0 && (lf < 0 || crlf < lf)) return crlf + 4;
    if (lf >= 0) return lf + 2;
    return -1;
}

QByteArray requestline(const QByteArray& head) {
    qsizetype end = head.indexOf('\n');
    if (end < 0) end = head.size();
    if (end > 0 && head.at(end - 1) == '\r') --end;
    return head.left(end);
}

QByteArray requestmethod(const QByteArray& head) {
    const QByteArray line = requestline(head);
    const qsizetype blank = line.indexOf(' ');
    return blank < 0 ? QByteArray() : line.left(blank);
}

std::optional<QByteArray> rawtarget(const QByteArray& head) {
    // The target is everything between the first and the last blank, so that a target with an
    // unencoded blank still reads.
    const QByteArray line = requestline(head);
    const qsizetype first = line.indexOf(' ');
    const qsizetype last = line.lastIndexOf(' ');
    if (first <= 0 || last <= first + 1 || !line.mid(last + 1).startsWith("HTTP/")) {
        return std::nullopt;
    }
    return line.mid(first + 1, last - first - 1);
}

std::optional<QByteArray> requesttarget(const QByteArray& head) {
    const std::optional<QByteArray> target = rawtarget(head);
    if (!target) return std::nullopt;
    if (target->startsWith('/')) return target;
    const qsizetype scheme = target->indexOf("://");
    if (scheme <= 0) return std::nullopt;
    const qsizetype path = target->indexOf('/', scheme + 3);
    if (path < 0) return QByteArray("/");
    return target->mid(path);
}

std::optional<QByteArray> headervalue(const QByteArray& head, const QByteArray& name) {
    const QByteArrayList lines = head.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            return line.mid(colon + 1).trimmed();
        }
    }
    return std::nullopt;
}

QByteArray requesthost(const QByteArray& head) {
    const QByteArray target = rawtarget(head).value_or(QByteArray());
    const qsizetype scheme = target.indexOf("://");
    if (!target.startsWith('/') && scheme > 0) {
        const qsizetype path = target.indexOf('/', scheme + 3);
        QByteArray authority = target.mid(scheme + 3, path < 0 ? -1 : path - scheme - 3);
        const qsizetype at = authority.lastIndexOf('@'); // user information is no part of it
        if (at >= 0) authority.remove(0, at + 1);
        return hostofauthority(authority);
    }
    return hostofauthority(headervalue(head, "Host").value_or(QByteArray()));
}

} // namespace kestrix::sampleserver
