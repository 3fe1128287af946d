#include "web/cachenames.h"

#include <cstdint>

#include "core/text.h"
#include "web/server.h"

namespace kestrix {

namespace {

// The compound files' pattern, with "$$$" replaced by what tells them apart.
std::string compoundfile(std::string_view smw, std::string_view part, std::string_view ext) {
    std::string name = std::string(smw) + "-$$$-" + std::string(ext);
    strsub(name, "$$$", part);
    return name;
}

// An escaped name longer than this is cut, so that every file of its search stays well within
// the file system's 255 bytes.
constexpr std::size_t longestname = 120;

// FNV-1a, 64 bits, as 16 hex digits.
std::string hashtext(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    static constexpr char hex[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4) out[std::size_t(i)] = hex[hash & 15];
    return out;
}

std::string escapedname(std::string_view name) {
    std::string escaped = percentencoded(name, "");
    if (escaped.size() <= longestname) return escaped;
    std::size_t cut = longestname;
    // Never inside a "%XX".
    if (escaped[cut - 1] == '%')
        cut -= 1;
    else if (escaped[cut - 2] == '%')
        cut -= 2;
    return escaped.substr(0, cut) + "_" + hashtext(name);
}

} // namespace

std::string resultpagename(std::string_view formula) {
    return std::string(formula) + "-" + std::string(server::searchoptions) + ".htm";
}

std::string searchkey(const Query& query) {
    switch (query.kind) {
    case QueryKind::cas:
        return "cas-" + query.text;
    case QueryKind::name:
        return "name-" + escapedname(query.text);
    case QueryKind::formula:
    case QueryKind::none:
        break;
    }
    return query.text;
}

std::string resultpagename(const Query& query) {
    switch (query.kind) {
    case QueryKind::cas:
        return searchkey(query) + "-" + std::string(server::casoptions) + ".htm";
    case QueryKind::name:
        return searchkey(query) + "-" + std::string(server::nameoptions) + ".htm";
    case QueryKind::formula:
    case QueryKind::none:
        break;
    }
    return resultpagename(query.text);
}

std::string cachedquestion(std::string_view filename) {
    constexpr std::string_view ext = ".htm";
    if (!filename.ends_with(ext)) return {};
    std::string_view stem = filename.substr(0, filename.size() - ext.size());
    std::string question;
    for (std::string_view options :
         {server::searchoptions, server::casoptions, server::nameoptions}) {
        const std::string tail = "-" + std::string(options);
        if (!stem.ends_with(tail)) continue;
        const std::string_view key = stem.substr(0, stem.size() - tail.size());
        if (key.starts_with("cas-")) {
            question = key.substr(4);
        } else if (key.starts_with("name-")) {
            question = percentdecoded(key.substr(5));
        } else {
            question = key;
        }
        break;
    }
    // Only a question that names this very file again is one: a cut name, a compound's page or
    // a tabulation is not.
    const Query query = classifyquery(question);
    if (query.kind == QueryKind::none || query.expectedcheck >= 0 ||
        resultpagename(query) != filename) {
        return {};
    }
    return question;
}

std::string identifiername(std::string_view smw, std::string_view sid, std::string_view sfileext) {
    return compoundfile(smw, sid, sfileext);
}

std::string compoundpagename(std::string_view smw, std::string_view cas,
                             std::string_view sfileext) {
    return compoundfile(smw, cas, sfileext) + ".htm";
}

std::string drawingname(std::string_view sid) {
    return std::string(sid) + ".gif";
}

std::string tabulationname(std::string_view text, bool isexcel) {
    const Query query = classifyquery(text);
    const bool bykey = query.kind == QueryKind::name || query.kind == QueryKind::cas;
    return (bykey ? searchkey(query) : std::string(text)) + (isexcel ? ".csv" : ".htm");
}

} // namespace kestrix
