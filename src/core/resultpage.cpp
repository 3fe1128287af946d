#include "core/resultpage.h"

#include "core/text.h"

namespace kestrix {

namespace {

constexpr std::string_view listmarker = "Click on the name to see more data.";
constexpr std::string_view crlf = "\r\n";

// A single-match search answers with the compound's own page instead of a list.
ResultPage readcompoundpage(const std::string& page) {
    ResultPage result;
    if (page.find("Str3File=") == std::string::npos &&
        page.find("<li><strong>CAS Registry Number:</strong>") == std::string::npos) {
        return result;
    }
    std::string id;
    if (const auto p = page.find("Str3File="); p != std::string::npos) {
        std::string rest = page.substr(p + 9, 200);
        id = strextr(rest, "\"");
        rest = id;
        id = strextr(rest, "&");
    }
    if (id.empty()) {
        if (const auto p = page.find("?ID="); p != std::string::npos) {
            std::string rest = page.substr(p + 4, 200);
            id = strextr(rest, "\"");
            rest = id;
            id = strextr(rest, "&");
        }
    }
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
        if (result.total < 32767) ++result.total;
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
