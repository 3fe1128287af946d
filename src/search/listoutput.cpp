#include "search/listoutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/number.h"
#include "core/utf8.h"
#include "search/listedrow.h"
#include "tabulate/listtext.h"

namespace kestrix {

namespace {

using Cells = std::vector<std::string>;

// The copy text's lines, cut at its tabs, each cell as UTF-8.
std::vector<Cells> copycells(const std::vector<ListedCompound>& entries, bool iskelvin) {
    const std::string text = listtext(entries, iskelvin);
    std::vector<Cells> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        Cells cells;
        std::size_t at = start;
        while (true) {
            const std::size_t tab = std::min(text.find('\t', at), end);
            cells.push_back(asutf8(std::string_view(text).substr(at, tab - at)));
            if (tab == end) break;
            at = tab + 1;
        }
        lines.push_back(std::move(cells));
        start = end + 1;
    }
    return lines;
}

std::string table(const std::vector<Cells>& lines) {
    std::vector<std::size_t> widths;
    for (const Cells& cells : lines) {
        widths.resize(std::max(widths.size(), cells.size()), 0);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            widths[i] = std::max(widths[i], utf8length(cells[i]));
        }
    }
    std::string out;
    for (const Cells& cells : lines) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) line += "  ";
            line += cells[i];
            line.append(widths[i] - utf8length(cells[i]), ' ');
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
    return out;
}

std::string joined(const std::vector<Cells>& lines, char separator, std::string_view end,
                   std::string (*cell)(const std::string&)) {
    std::string out;
    for (const Cells& cells : lines) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) out += separator;
            out += cell(cells[i]);
        }
        out += end;
    }
    return out;
}

std::string asis(const std::string& cell) {
    return cell;
}

std::string csvcell(const std::string& cell) {
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (const char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string textornull(const std::string& text) {
    return text.empty() ? "null" : jsonstring(text);
}

std::string json(const std::vector<ListedCompound>& entries) {
    if (entries.empty()) return "[]\n";
    std::string out = "[\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ListedRow row = listedrow(entries[i]);
        out += "  {\"name\": " + jsonstring(row.name) + ", \"id\": " + jsonstring(row.id) +
               ", \"cas\": " + textornull(row.cas) + ", \"formula\": " + textornull(row.formula) +
               ", \"mw\": " + jsonnumber(row.mw).value_or("null") +
               ", \"property\": " + jsonstring(row.property) +
               ", \"value\": " + jsonnumber(row.value).value_or("null") +
               ", \"unit\": " + jsonstring(row.unit) + "}";
        out += i + 1 < entries.size() ? ",\n" : "\n";
    }
    return out + "]\n";
}

// The grammar of a JSON number: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool isjsonnumber(std::string_view s) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        return i - from;
    };
    if (i < s.size() && s[i] == '-') ++i;
    if (i < s.size() && s[i] == '0') {
        ++i;
    } else if (digits() == 0) {
        return false;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (digits() == 0) return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == s.size();
}

} // namespace

std::optional<OutputFormat> outputformat(std::string_view word) {
    if (word == "table") return OutputFormat::table;
    if (word == "tsv") return OutputFormat::tsv;
    if (word == "csv") return OutputFormat::csv;
    if (word == "json") return OutputFormat::json;
    return std::nullopt;
}

std::string writelist(const std::vector<ListedCompound>& entries, bool iskelvin,
                      OutputFormat format) {
    switch (format) {
    case OutputFormat::table:
        return table(copycells(entries, iskelvin));
    case OutputFormat::tsv:
        return joined(copycells(entries, iskelvin), '\t', "\n", asis);
    case OutputFormat::csv:
        return joined(copycells(entries, iskelvin), ',', "\r\n", csvcell);
    case OutputFormat::json:
        return json(entries);
    }
    return {};
}

std::string jsonstring(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : asutf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += "\\u00";
                out += hex[byte >> 4];
                out += hex[byte & 15];
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::optional<std::string> jsonnumber(std::string_view text) {
    if (isjsonnumber(text)) return std::string(text);
    double d = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), d);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(d)) {
        return std::nullopt;
    }
    return plaindecimal(d);
}

} // namespace kestrix
