#pragma once
// A result list entry: sort key, identifier, property column, display name and record rest,
// joined by tabs. Built once per listed compound; read back by the panel and the tabulation.

#include <string>
#include <string_view>

namespace kestrix {

struct EntryChoices {
    bool isortalpha = false;
    bool isortprop = true;
    bool iskelvin = true;
};

// Builds the entry from a compound record ('|T<sub>boil</sub>=309.2|Formula=C5H12|file=x.htm').
// draw is a uniform random number in [0, 1); it is the sort key when sorting neither way.
std::string buildentry(std::string record, const std::string& sid, const std::string& swhat,
                       const std::string& name, const EntryChoices& choices, double draw);

// The property value as listed: "?" for no usable value (empty, 0 or "9999"), else the value in
// kelvin, or in Celsius when iskelvin is false.
std::string propertyvalue(const std::string& v, bool iskelvin);

// The five fields of an entry, each trimmed of blanks. The record rest keeps any further tabs.
struct Entry {
    std::string sortkey;
    std::string id;
    std::string property;
    std::string name;
    std::string rest;
};

// Cuts an entry at its tabs from the left; missing fields are empty.
Entry readentry(std::string_view entry);

} // namespace kestrix
