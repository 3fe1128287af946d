#include "compound/extract.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/fields.h"
#include "core/number.h"
#include "core/text.h"

namespace kestrix {

namespace {

// A name as the page is searched for it: without "~".
std::string withouttilde(std::string_view name) {
    std::string searchname(name);
    strsub(searchname, "~", "");
    return searchname;
}

template <typename Names> void append(std::vector<std::string>& to, const Names& names) {
    for (std::string_view name : names) to.push_back(withouttilde(name));
}

bool among(const std::vector<std::string>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Today's pages write the degree sign as "&deg;" and may continue a label inside its
// subscript ("S&deg;<sub>gas,1 bar</sub>"); tried only when the name itself is absent.
std::string_view afterquantityname(std::string_view page, std::string_view name) {
    auto p = page.find(name);
    if (p != std::string_view::npos) return page.substr(p + name.size());
    std::string alternative(name);
    if (alternative.find("&#176;") == std::string::npos) return page.substr(page.size());
    strsub(alternative, "&#176;", "&deg;");
    p = page.find(alternative);
    if (p == std::string_view::npos && alternative.ends_with("</sub>")) {
        alternative.resize(alternative.size() - 6);
        p = page.find(alternative);
    }
    if (p == std::string_view::npos) return page.substr(page.size());
    return page.substr(p + alternative.size());
}

// Cuts the text before the first ch off st (whole st when ch is absent), trimmed, and leaves
// the trimmed rest in st, like strextr; returns the part after the marker for a missing one.
std::string_view cut(std::string_view& st, std::string_view ch) {
    return strextrview(st, ch);
}

std::string tablevalue(std::string_view rest) {
    cut(rest, "<td");
    cut(rest, ">");
    std::string_view value = cut(rest, " ");
    return std::string(cut(value, "<"));
}

std::string phasechangevalue(std::string_view rest) {
    cut(rest, "<td");
    cut(rest, ">");
    std::string_view valuetext = cut(rest, "<");
    std::string value(cut(valuetext, " "));
    cut(rest, "<td");
    cut(rest, ">");
    const double temperature = numericvalue(cut(rest, ">"));
    if (temperature != 0) value += " @" + plaindecimal(temperature) + " Kelvin";
    return value;
}

std::string summaryvalue(std::string_view page, std::string_view name) {
    std::string_view rest = page;
    std::string marker = "<li><strong>" + std::string(name);
    std::string value;
    if (page.find(marker) != std::string_view::npos) {
        cut(rest, marker);
        cut(rest, ">");
        value = cut(rest, "</li>");
    } else {
        // Today's pages link the label: <li><strong><a ...>Formula</a>:</strong> ...</li>
        marker = ">" + std::string(name) + "</a>:</strong>";
        auto p = page.find(marker);
        if (p == std::string_view::npos && name == fields::molecularweight) {
            marker = ">Molecular weight</a>:</strong>";
            p = page.find(marker);
        }
        if (p == std::string_view::npos) return {};
        rest = page.substr(p + marker.size());
        value = cut(rest, "</li>");
    }
    strsub(value, "<sub>", "");
    strsub(value, "</sub>", "");
    return value;
}

} // namespace

FieldGroup fieldgroup(std::string_view name) {
    static const std::vector<std::string> tablenames = [] {
        std::vector<std::string> names{withouttilde(fields::ptriple)};
        append(names, fields::temperatures);
        append(names, fields::gas);
        append(names, fields::liquidsolid);
        return names;
    }();
    static const std::vector<std::string> phasenames = [] {
        std::vector<std::string> names;
        append(names, fields::phasechange);
        return names;
    }();
    static const std::vector<std::string> summarynames = [] {
        std::vector<std::string> names;
        append(names, std::array{fields::formula, fields::molecularweight, fields::casreg});
        return names;
    }();
    if (among(tablenames, name)) return FieldGroup::table;
    if (among(phasenames, name)) return FieldGroup::phasechange;
    if (among(summarynames, name)) return FieldGroup::summary;
    if (name == fields::str3file) return FieldGroup::structurefile;
    return FieldGroup::unrecognized;
}

std::string extractvalue(std::string_view page, std::string_view searchname, FieldGroup group) {
    switch (group) {
    case FieldGroup::table:
        return tablevalue(afterquantityname(page, searchname));
    case FieldGroup::phasechange:
        return phasechangevalue(afterquantityname(page, searchname));
    case FieldGroup::summary:
        return summaryvalue(page, searchname);
    case FieldGroup::structurefile: {
        std::string_view rest = page;
        cut(rest, std::string(searchname) + "=");
        return std::string(cut(rest, "\""));
    }
    case FieldGroup::unrecognized:
        break;
    }
    return {};
}

std::string extractrecord(std::string_view page, std::string fieldlist,
                          std::optional<std::string>* cas,
                          const std::function<void(const std::string&)>& unrecognized) {
    std::string record;
    while (!fieldlist.empty()) {
        const std::string key = strextr(fieldlist, "|");
        const std::string searchname = withouttilde(key);
        const FieldGroup group = fieldgroup(searchname);
        const std::string value = extractvalue(page, searchname, group);
        if (group == FieldGroup::unrecognized && unrecognized) unrecognized(searchname);
        if (searchname == fields::casreg && cas) *cas = value;
        record += "|" + key + "=" + value;
    }
    return record;
}

bool listsfield(std::string fieldlist, std::string_view searchname) {
    while (!fieldlist.empty()) {
        if (withouttilde(strextr(fieldlist, "|")) == searchname) return true;
    }
    return false;
}

} // namespace kestrix
