#include "core/query.h"

#include <algorithm>
#include <array>

#include "core/text.h"

namespace kestrix {

namespace {

// The elements, and D and T, which the server's formulas use for deuterium and tritium.
constexpr std::array<std::string_view, 120> symbols = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",
    "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn",
    "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh",
    "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd",
    "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re",
    "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac", "Th",
    "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr", "Rf", "Db",
    "Sg", "Bh", "Hs", "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og", "D",  "T"};

bool isdecimal(char c) {
    return c >= '0' && c <= '9';
}
bool iscapital(char c) {
    return c >= 'A' && c <= 'Z';
}
bool issmall(char c) {
    return c >= 'a' && c <= 'z';
}

bool alldigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), isdecimal);
}

} // namespace

bool isformula(std::string_view text) {
    if (text.empty()) return false;
    std::size_t at = 0;
    while (at < text.size()) {
        // No symbol starts with a small letter, so a symbol is one capital and at most one
        // small letter after it.
        if (!iscapital(text[at])) return false;
        std::size_t end = at + 1;
        if (end < text.size() && issmall(text[end])) ++end;
        const std::string_view symbol = text.substr(at, end - at);
        if (std::find(symbols.begin(), symbols.end(), symbol) == symbols.end()) return false;
        while (end < text.size() && isdecimal(text[end])) ++end;
        at = end;
    }
    return true;
}

int cascheckdigit(std::string_view digits) {
    int sum = 0;
    int weight = 1;
    for (auto c = digits.rbegin(); c != digits.rend(); ++c, ++weight) sum += (*c - '0') * weight;
    return sum % 10;
}

Query classifyquery(std::string_view typed) {
    Query query;
    query.text = trimblanks(typed);
    const std::string& t = query.text;
    if (t.empty()) return query;
    if (isformula(t)) {
        query.kind = QueryKind::formula;
        return query;
    }
    const std::size_t first = t.find('-');
    const std::size_t second = first == std::string::npos ? first : t.find('-', first + 1);
    if (second != std::string::npos) {
        const std::string_view lead = std::string_view(t).substr(0, first);
        const std::string_view middle = std::string_view(t).substr(first + 1, second - first - 1);
        const std::string_view check = std::string_view(t).substr(second + 1);
        if (lead.size() >= 2 && lead.size() <= 7 && middle.size() == 2 && check.size() == 1 &&
            alldigits(lead) && alldigits(middle) && alldigits(check)) {
            query.kind = QueryKind::cas;
            const int expected = cascheckdigit(std::string(lead) + std::string(middle));
            if (check[0] - '0' != expected) query.expectedcheck = expected;
            return query;
        }
    }
    query.kind = QueryKind::name;
    return query;
}

std::string percentencoded(std::string_view text, std::string_view keep) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (iscapital(c) || issmall(c) || isdecimal(c) || keep.find(c) != std::string_view::npos) {
            out += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += hex[byte >> 4];
            out += hex[byte & 15];
        }
    }
    return out;
}

std::string percentdecoded(std::string_view text) {
    const auto hexvalue = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexvalue(text[i + 1]) >= 0 &&
            hexvalue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexvalue(text[i + 1]) * 16 + hexvalue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace kestrix
