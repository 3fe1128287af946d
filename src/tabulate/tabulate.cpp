#include "tabulate/tabulate.h"

#include "core/fields.h"
#include "core/record.h"
#include "core/text.h"

namespace kestrix {

std::string tabulationfieldlist(bool temperatures, bool phasechange, bool gasliquidsolid) {
    using fields::joined;
    std::string list;
    if (phasechange) list += "|" + joined(fields::phasechange);
    if (gasliquidsolid) list += "|" + joined(fields::gas) + joined(fields::liquidsolid);
    if (temperatures || list.empty()) list = "|" + joined(fields::temperatures) + list;
    return list;
}

namespace {

// "&amp;", "&#176;", "&#x3b1;": an ampersand that begins a character entity.
bool isentity(std::string_view text) {
    std::size_t i = 1;
    const auto isalnum = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    };
    if (i < text.size() && text[i] == '#') ++i;
    const std::size_t start = i;
    while (i < text.size() && i - start < 32 && isalnum(text[i])) ++i;
    return i > start && i < text.size() && text[i] == ';';
}

// A plain decimal number, as a spreadsheet reads one: "-146.8", "+3", "1.5e3".
bool isnumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t exponent = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++exponent;
        if (exponent == 0) return false;
    }
    return i == text.size();
}

std::string headerlabel(const std::string& name) {
    if (name.find("T<") != std::string::npos) return name + "<br>" + std::string(unitlabel(true));
    if (name.find("P<") != std::string::npos) return name + "<br>bar";
    if (name.find(">H") != std::string::npos) return name + "<br>kJ/mol";
    return name;
}

std::string quoted(std::string_view text) {
    std::string field = "\"";
    for (char c : text) {
        field += c;
        if (c == '"') field += '"';
    }
    return field + "\"";
}

// Server text as HTML text: it can hold no markup. Character entities the names carry
// ("&alpha;", "&#945;") stay entities.
std::string htmltext(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else if (c == '\'') {
            out += "&#39;";
        } else if (c == '&' && !isentity(text.substr(i))) {
            out += "&amp;";
        } else {
            out += c;
        }
    }
    return out;
}

// A cell a spreadsheet would read as a formula gets a leading apostrophe; numbers stay numbers.
std::string spreadsheettext(std::string_view text) {
    if (text.empty() || std::string_view("=+-@\t\r").find(text[0]) == std::string_view::npos ||
        isnumber(text)) {
        return std::string(text);
    }
    return "'" + std::string(text);
}

// A value stays bare unless it would otherwise spread over several fields or lines.
std::string bare(std::string_view text) {
    if (text.find_first_of(",\"\r\n") != std::string_view::npos) return quoted(text);
    return std::string(text);
}

// Walks the field list, numbering the groups by the empty elements before them.
template <typename Visit> void eachfield(std::string list, Visit visit) {
    int group = 0;
    while (!list.empty()) {
        const std::string name = strextr(list, "|");
        if (name.empty()) {
            ++group;
        } else {
            visit(name, std::to_string(group));
        }
    }
}

} // namespace

Tabulation tabulate(const std::vector<ListedCompound>& compounds, const std::string& fieldlist,
                    const TableLinks& links) {
    const std::string crlf = "\r\n";
    std::string html =
        "<style>.t1{background-color:#CCCCCC} .t2{background-color:#CCFFCC} "
        ".t3{background-color:#CCCCFF} .t4{background-color:#CCFFFF}</style>" +
        crlf +
        "<table cellspacing=0 cellpadding=3><tr><td class=t1 valign=top><b>Name</b></td><td "
        "class=t1 valign=top><b>Structure</b></td><td class=T1>&nbsp;</td><td class=t1 "
        "valign=top><b>Formula</b></td><td class=t1 valign=top><b>MW</b></td><td class=t1 "
        "valign=top><b>CAS#</b></td>";
    std::string csv = R"("Name","Structure","","Formula","MW","CAS#")";

    eachfield(fieldlist, [&](const std::string& name, const std::string& group) {
        const std::string label = headerlabel(name);
        html += "<td class=t" + group + " valign=top nowrap><b>" + label + "&nbsp;</b></td>";
        csv += "," + quoted(label);
    });
    html += "</tr>";
    csv += crlf;

    for (const ListedCompound& compound : compounds) {
        const std::string& sid = compound.id;
        const std::string& name = compound.name;
        const std::string& rest = compound.record;
        const std::string weight = getfield(fields::molecularweight, rest);
        const std::string formula = getfield(fields::formula, rest);
        const std::string cas = getfield(fields::casreg, rest);
        const std::string file = getfield(fields::file, rest);
        const std::string str3file = getfield(fields::str3file, rest);
        const std::string drawing = links.drawing(sid);

        html += crlf + "<tr><td class=t1 valign=top><a target=_blank href=" + htmltext(file) + ">" +
                htmltext(name) + "</a></td>";
        csv += crlf + quoted(spreadsheettext(name));
        if (!str3file.empty()) {
            html += "<td class=t1 valign=top><img border=0 src=" + htmltext(drawing) +
                    "></td><td class=t1 valign=top><a target=_blank href=" +
                    htmltext(links.threedprefix + str3file) + ">3D</a></td>";
            csv += "," + quoted(drawing) + "," + quoted(links.threedprefix + str3file);
        } else {
            html += "<td class=t1 valign=top colspan=2><img src=" + htmltext(drawing) + "></td>";
            csv += "," + quoted(drawing) + ",";
        }
        html += "<td class=t1 valign=top>" + htmltext(formula) + "</td><td class=t1 valign=top>" +
                htmltext(weight) + "</td><td class=t1 valign=top>" + htmltext(cas) + "</td>";
        csv += "," + quoted(spreadsheettext(formula)) + "," + quoted(spreadsheettext(weight)) +
               "," + quoted(spreadsheettext(cas));

        eachfield(fieldlist, [&](const std::string& field, const std::string& group) {
            const std::string value = getfield(field, rest);
            html += "<td class=t" + group + " valign=top>" + htmltext(value) + "&nbsp;</td>";
            csv += "," + bare(spreadsheettext(value));
        });
        html += "</tr>" + crlf;
        csv += crlf;
    }
    html += "</table>";

    strsub(html, "~", "Delta_");
    strsub(html, "@", "<br>@");
    strsub(csv, "~", "Delta_");
    strsub(csv, "<br>", " ");
    strsub(csv, "<sub>", "_");
    strsub(csv, "</sub>", "");
    strsub(csv, "&#176;", "o");
    return {std::move(html), std::move(csv)};
}

} // namespace kestrix
