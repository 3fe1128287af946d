#pragma once
// A result list entry: sort key, identifier, property column, display name and record rest,
// joined by tabs.

#include <string>

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

// Orders entries as the list shows them: numeric sort keys in ascending numeric order first,
// then all other texts; letters without regard to case. Returns <0, 0 or >0.
int compareentries(std::string_view a, std::string_view b);

} // namespace kestrix
