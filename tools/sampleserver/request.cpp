#include "request.h"

namespace kestrix::sampleserver {

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

std::optional<QByteArray> requesttarget(const QByteArray& head) {
    // The target is everything between the first and the last blank, so that a target with an
    // unencoded blank still reads.
    const QByteArray line = requestline(head);
    const qsizetype first = line.indexOf(' ');
    const qsizetype last = line.lastIndexOf(' ');
    if (first <= 0 || last <= first + 1 || !line.mid(last + 1).startsWith("HTTP/")) {
        return std::nullopt;
    }
    const QByteArray target = line.mid(first + 1, last - first - 1);
    if (target.startsWith('/')) return target;
    const qsizetype scheme = target.indexOf("://");
    if (scheme <= 0) return std::nullopt;
    const qsizetype path = target.indexOf('/', scheme + 3);
    if (path < 0) return QByteArray("/");
    return target.mid(path);
}

} // namespace kestrix::sampleserver
