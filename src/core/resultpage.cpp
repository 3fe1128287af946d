#include "core/resultpage.h"

#include <algorithm>

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

constexpr std::string_view cutshortsentence =
    "due to the large number of matching species, only the first";

bool isblank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

int listedonly(std::string_view page) {
    // The text with every run of blanks as one blank, in lower case, so that the sentence is
    // found however the page breaks its lines.
    std::string text;
    text.reserve(page.size());
    for (char c : page) {
        if (isblank(c)) {
            if (!text.empty() && text.back() != ' ') text += ' ';
        } else {
            text += c;
        }
    }
    text = asciilower(text);
    const auto at = text.find(cutshortsentence);
    if (at == std::string::npos) return 0;
    std::size_t p = at + cutshortsentence.size();
    while (p < text.size() && text[p] == ' ') ++p;
    long long n = 0;
    bool digits = false;
    for (; p < text.size() && ((text[p] >= '0' && text[p] <= '9') || (digits && text[p] == ','));
         ++p) {
        if (text[p] == ',') continue;
        digits = true;
        n = std::min<long long>(n * 10 + (text[p] - '0'), maxshort);
    }
    return digits && n > 0 ? static_cast<int>(n) : -1;
}

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
    // Only the part before the list can say that the list is cut short.
    result.listedonly = listedonly(std::string_view(page).substr(0, page.find(listmarker)));
    if (result.listedonly < 0) result.listedonly = static_cast<int>(result.items.size());
    return result;
}

} // namespace kestrix
