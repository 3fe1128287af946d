#pragma once
// Reading the head of one HTTP request: where it ends, which target it names and its headers.

#include <QByteArray>
#include <optional>

namespace kestrix::sampleserver {

// The length of the head (request line, headers and the blank line) at the front of data, or
// -1 while the blank line has not arrived. Lines may end in CR LF or in a bare LF.
qsizetype headlength(const QByteArray& data);

// The request line: the head's first line without its line end.
QByteArray requestline(const QByteArray& head);

// The method of the request line ("GET", "CONNECT", ...); empty when there is none.
QByteArray requestmethod(const QByteArray& head);

// The target of the request line as path and query. An absolute-form target, as a client sends
// it through a proxy ("http://host/path?query"), loses its scheme and host. nullopt when the
// line is not "METHOD TARGET HTTP/x.y".
std::optional<QByteArray> requesttarget(const QByteArray& head);

// The target of the request line exactly as sent ("host:443" for a CONNECT); nullopt as above.
std::optional<QByteArray> rawtarget(const QByteArray& head);

// The value of the first header called name (case-insensitive), trimmed; nullopt when absent.
std::optional<QByteArray> headervalue(const QByteArray& head, const QByteArray& name);

// The host the request is meant for, without port: the host of an absolute-form target, else
// that of the Host header; empty when neither names one.
QByteArray requesthost(const QByteArray& head);

} // namespace kestrix::sampleserver
