#pragma once
// Reading the head of one HTTP request: where it ends and which target it names.

#include <QByteArray>
#include <optional>

namespace kestrix::sampleserver {

// The length of the head (request line, headers and the blank line) at the front of data, or
// -1 while the blank line has not arrived. Lines may end in CR LF or in a bare LF.
qsizetype headlength(const QByteArray& data);

// The request line: the head's first line without its line end.
QByteArray requestline(const QByteArray& head);

// The target of the request line as path and query. An absolute-form target, as a client sends
// it through a proxy ("http://host/path?query"), loses its scheme and host. nullopt when the
// line is not "METHOD TARGET HTTP/x.y".
std::optional<QByteArray> requesttarget(const QByteArray& head);

} // namespace kestrix::sampleserver
