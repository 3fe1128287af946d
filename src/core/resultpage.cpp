#include "core/resultpage.h"

#include "core/number.h"
#include "core/text.h"

namespace kestrix {

namespace {

constexpr std::string_view listmarker = "Click on the name to see more data.";
constexpr std::string_view crlf = "\r\n";
constexpr std::string_view structurefile = "Str3File=";
constexpr std::string_view idquery = "?ID=";
constexpr std::string_view casitem = "<li><strong>CAS Registry Number:</strong>";
// An identifier is short: only this much of the page after its marker is looked at.
constexpr std::size_t idwindow = 200;

// The identifier after marker, up to the next double quote or "&"; empty without the marker.
std::string identifierafter(const std::string& page, std::string_view marker) {
    const auto p = page.find(marker);
    if (p == std::string::npos) return {};
    std::string rest = page.substr(p + marker.size(), idwindow);
    std::string id = strextr(rest, "\"");
    return strextr(id, "&");
}

// A single-match search answers with the compound's own page instead of a list.
ResultPage readcompoundpage(const std::string& page) {
    ResultPage result;
    if (page.find(structurefile) == std::string::npos && page.find(casitem) == std::string::npos) {
        return result;
    }
    std::string id = identifierafter(page, structurefile);
    if (id.empty()) id = identifierafter(page, idquery);
    std::string heading = page;
    strextr(heading, "<h1 id=\"Top\">");
    std::string name = asciilower(strextr(heading, "</h1>"));
    if (id.empty() || name.empty() || id.find('<') != std::string::npos) return result;
    result.total = 1;
    result.items.push_back({id, name});
    return result;
}

} // namespace

ResultPage readresultpage(std::string page) {
    strsub(page, "\n", crlf);
    if (page.find(listmarker) == std::string::npos) return readcompoundpage(page);
    // Cutting views of the page keeps a long list linear: no cut copies the rest of the page.
    std::string_view rest = page;
    strextrview(rest, listmarker);

    ResultPage result;
    for (std::size_t p = rest.find("ID="); p != std::string::npos; p = rest.find("ID=", p + 3)) {
        countup(result.total);
    }

    while (!rest.empty()) {
        strextrview(rest, "<li>");
        std::string_view line = strextrview(rest, crlf);
        strextrview(line, "href=\"");
        strextrview(line, "ID=");
        const std::string_view id = strextrview(line, "&");
        if (id.empty()) break;
        strextrview(line, ">");
        std::string name = asciilower(strextrview(line, "</a>"));
        if (name.empty()) break;
        result.items.push_back({std::string(id), std::move(name)});
    }
    return result;
}

} // namespace kestrix
