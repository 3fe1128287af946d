#include "routing.h"

#include "lookup.h"

#include <QDir>
#include <QFile>
#include <optional>
#include <utility>

namespace kestrix::sampleserver {

namespace {

const QByteArray nomatchpage = "<html>\n<head><title>Search Results</title></head>\n<body>\n"
                               "<h1>No Matching Species Found</h1>\n"
                               "<p>No species in the database matched the search.</p>\n"
                               "</body>\n</html>\n";

// A name from the query may not leave its folder.
bool safename(const QByteArray& name) {
    return !name.isEmpty() && !name.contains('/') && !name.contains('\\') && !name.contains('\0');
}

// The bytes of datadir/folder/name+suffix, or nullopt when the name is unsafe or the file
// unreadable.
std::optional<QByteArray> readsample(const QString& datadir, const char* folder,
                                     const QByteArray& name, const char* suffix) {
    if (!safename(name)) return std::nullopt;
    QFile file(QDir(datadir).filePath(QLatin1String(folder) + u'/' + QString::fromLatin1(name) +
                                      QLatin1String(suffix)));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

const char* reasonphrase(int status) {
    static const std::pair<int, const char*> phrases[] = {{200, "OK"},
                                                          {301, "Moved Permanently"},
                                                          {302, "Found"},
                                                          {400, "Bad Request"},
                                                          {403, "Forbidden"},
                                                          {404, "Not Found"},
                                                          {405, "Method Not Allowed"},
                                                          {429, "Too Many Requests"},
                                                          {500, "Internal Server Error"},
                                                          {502, "Bad Gateway"},
                                                          {503, "Service Unavailable"},
                                                          {504, "Gateway Timeout"}};
    for (const auto& [code, phrase] : phrases) {
        if (code == status) return phrase;
    }
    return "Status";
}

} // namespace

Response route(const QString& datadir, const QByteArray& target) {
    const qsizetype question = target.indexOf('?');
    if (question < 0 || target.left(question) != "/cgi/cbook.cgi") return statuspage(404);
    const QByteArray query = target.mid(question + 1);
    const qsizetype ampersand = query.indexOf('&');
    const QByteArray first = ampersand < 0 ? query : query.left(ampersand);
    const qsizetype equals = first.indexOf('=');
    if (equals < 0) return statuspage(404);
    const QByteArray key = first.left(equals);
    const QByteArray value = first.mid(equals + 1);

    Response r;
    if (key == "Formula") {
        r.body = readsample(datadir, "formula", value, ".htm").value_or(nomatchpage);
        return r;
    }
    if (key == "Name") {
        r.body = namesearch(datadir, value).value_or(nomatchpage);
        return r;
    }
    if (key == "ID" && casnumber(value)) {
        r.body = cassearch(datadir, value).value_or(nomatchpage);
        return r;
    }
    std::optional<QByteArray> body;
    if (key == "ID") {
        body = readsample(datadir, "compound", value, ".htm");
    } else if (key == "Reduced") {
        body = readsample(datadir, "image", value, ".gif");
        r.contenttype = giftype;
    } else if (key == "Struct") {
        body = readsample(datadir, "image", value, ".gif");
        r.contenttype = giftype;
        if (!body) {
            body = readsample(datadir, "image", value, ".png");
            r.contenttype = pngtype;
        }
    }
    if (!body) return statuspage(404);
    r.body = *body;
    return r;
}

Response statuspage(int status) {
    Response r;
    r.status = status;
    r.body = "<html><body><h1>Error " + QByteArray::number(status) + "</h1></body></html>";
    return r;
}

Response redirect(const QByteArray& location, int status) {
    Response r;
    r.status = status;
    r.location = location;
    r.body = "<html><body><h1>" + QByteArray(reasonphrase(status)) +
             "</h1><p>The page is <a href=\"" + location + "\">here</a>.</p></body></html>";
    return r;
}

QByteArray responsehead(const Response& r, qint64 contentlength) {
    QByteArray head = "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + reasonphrase(r.status) +
                      "\r\nContent-Type: " + r.contenttype +
                      "\r\nContent-Length: " + QByteArray::number(contentlength) + "\r\n";
    if (!r.location.isEmpty()) head += "Location: " + r.location + "\r\n";
    for (const QByteArray& line : r.headers) head += line + "\r\n";
    head += "Connection: close\r\n\r\n";
    return head;
}

} // namespace kestrix::sampleserver
