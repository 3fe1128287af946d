#pragma once
// What the sample server answers to a request target when no rule interferes: the routing of
// "/cgi/cbook.cgi" queries to the files of the sample folder, and the small pages it makes itself.

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

namespace kestrix::sampleserver {

inline constexpr const char* htmltype = "text/html; charset=ISO-8859-1";
inline constexpr const char* giftype = "image/gif";
inline constexpr const char* pngtype = "image/png";

struct Response {
    int status = 200;
    QByteArray contenttype = htmltype;
    QByteArray body;
    QByteArray location;    // the Location header of a redirect; empty for none
    QByteArrayList headers; // further header lines ("Name: value")
};

// The answer to target (path and query) from the sample folder datadir:
//   Formula=X&...  -> formula/X.htm, or a "No Matching Species Found" page (status 200)
//   Name=X&...     -> the one compound's page, a list page of several, or that no-match page
//                     (lookup.h; X percent-decoded)
//   ID=N-N-N&...   -> the page of the compound with that CAS number, or the no-match page
//   ID=X&...       -> compound/X.htm, or 404
//   Reduced=X      -> image/X.gif, or 404
//   Struct=X&...   -> image/X.gif, else image/X.png, or 404 (the drawing address of today)
// Only the first key of the query counts; X is taken as sent, but for a name. Any other path or
// key gives 404.
Response route(const QString& datadir, const QByteArray& target);

// A small HTML page "Error N" with status N.
Response statuspage(int status);

// A redirect to location, 302 unless status says otherwise.
Response redirect(const QByteArray& location, int status = 302);

// The status line and headers of r for a body of contentlength bytes, blank line included.
QByteArray responsehead(const Response& r, qint64 contentlength);

} // namespace kestrix::sampleserver
