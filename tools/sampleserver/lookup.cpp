#include "lookup.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <vector>

namespace kestrix::sampleserver {

namespace {

// What a search by name or CAS number sees of one compound page.
struct Compound {
    QByteArray id; // the page's file name without ".htm"
    QByteArray page;
    QByteArray heading;
    QByteArray cas; // empty when the page has no CAS registry number
    QByteArrayList othernames;
};

// The text of page between start and the next end, trimmed; empty without both.
QByteArray between(const QByteArray& page, const QByteArray& start, const QByteArray& end) {
    const qsizetype from = page.indexOf(start);
    if (from < 0) return {};
    const qsizetype begin = from + start.size();
    const qsizetype to = page.indexOf(end, begin);
    if (to < 0) return {};
    return page.mid(begin, to - begin).trimmed();
}

// Every compound page of the sample folder, by id. Read at every search, like the pages the
// other routes serve, so that the folder can change while the server runs.
std::vector<Compound> compounds(const QString& datadir) {
    const QDir folder(QDir(datadir).filePath(QStringLiteral("compound")));
    std::vector<Compound> all;
    for (const QString& name : folder.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        Compound c;
        c.id = name.chopped(4).toLatin1();
        c.page = file.readAll();
        c.heading = between(c.page, "<h1 id=\"Top\">", "</h1>");
        c.cas = between(c.page, "<strong>CAS Registry Number:</strong>", "</li>");
        const QByteArray others = between(c.page, "<strong>Other names:</strong>", "</li>");
        // Each name on its own: a search never matches across the "; " between two names.
        for (const QByteArray& other : others.split(';')) {
            if (!other.trimmed().isEmpty()) c.othernames << other.trimmed();
        }
        all.push_back(std::move(c));
    }
    std::sort(all.begin(), all.end(),
              [](const Compound& a, const Compound& b) { return a.id < b.id; });
    return all;
}

bool named(const Compound& c, const QByteArray& lowername) {
    if (c.heading.toLower().contains(lowername)) return true;
    return std::any_of(c.othernames.begin(), c.othernames.end(), [&](const QByteArray& other) {
        return other.toLower().contains(lowername);
    });
}

int hexdigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool digits(const QByteArray& part, qsizetype min, qsizetype max) {
    return part.size() >= min && part.size() <= max &&
           std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The name as the page shows it back: what was searched for must not become markup.
QByteArray escaped(const QByteArray& text) {
    QByteArray out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A result list of the formula search's shape, one item per compound.
QByteArray listpage(const QByteArray& name, const std::vector<const Compound*>& found) {
    QByteArray page = "<html>\n<head>\n"
                      "<meta http-equiv=\"Content-Type\" content=\"text/html; "
                      "charset=iso-8859-1\">\n"
                      "<title>Search Results</title>\n</head>\n<body>\n<h1>Search Results</h1>\n"
                      "<p>A name search for &quot;" +
                      escaped(name) + "&quot; found " + QByteArray::number(found.size()) +
                      " matching species.</p>\n"
                      "<p>Click on the name to see more data.</p>\n<ol>\n";
    for (const Compound* c : found) {
        page += "<li><a href=\"/cgi/cbook.cgi?ID=" + c->id + "&Units=SI\">" + c->heading +
                "</a></li>\n";
    }
    page += "</ol>\n<hr>\n<p><small>\xA9 2018 copyright by the U.S. Secretary of Commerce on "
            "behalf of the United States of America. All rights reserved.</small></p>\n"
            "</body>\n</html>\n";
    return page;
}

} // namespace

QByteArray percentdecoded(const QByteArray& value) {
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value.at(i);
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < value.size() && hexdigit(value.at(i + 1)) >= 0 &&
                   hexdigit(value.at(i + 2)) >= 0) {
            out += char(hexdigit(value.at(i + 1)) * 16 + hexdigit(value.at(i + 2)));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

bool casnumber(const QByteArray& value) {
    const QByteArrayList parts = value.split('-');
    return parts.size() == 3 && digits(parts[0], 2, 7) && digits(parts[1], 2, 2) &&
           digits(parts[2], 1, 1);
}

std::optional<QByteArray> namesearch(const QString& datadir, const QByteArray& encodedname) {
    const QByteArray name = percentdecoded(encodedname).trimmed();
    if (name.isEmpty()) return std::nullopt;
    const QByteArray lowername = name.toLower();
    const std::vector<Compound> all = compounds(datadir);
    std::vector<const Compound*> found;
    for (const Compound& c : all) {
        if (named(c, lowername)) found.push_back(&c);
    }
    if (found.empty()) return std::nullopt;
    if (found.size() == 1) return found.front()->page;
    return listpage(name, found);
}

std::optional<QByteArray> cassearch(const QString& datadir, const QByteArray& cas) {
    for (const Compound& c : compounds(datadir)) {
        if (!c.cas.isEmpty() && c.cas == cas) return c.page;
    }
    return std::nullopt;
}

} // namespace kestrix::sampleserver
