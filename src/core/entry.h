#pragma once
// Listing a compound: its place in the list order, its property value in the chosen unit, and
// the record items that go with it.

#include <string>
#include <string_view>

#include "core/listedcompound.h"

namespace kestrix {

struct EntryChoices {
    bool isortalpha = false;
    bool isortprop = true;
    bool iskelvin = true;
};

// The compound listed from its record ('|T<sub>boil</sub>=309.2|Formula=C5H12|file=x.htm', the
// property item first), identifier sid, property code swhat and display name. draw is a uniform
// random number in [0, 1); it is the sort key when sorting neither way.
ListedCompound listcompound(std::string record, const std::string& sid, const std::string& swhat,
                            const std::string& name, const EntryChoices& choices, double draw);

// The same compound as entry text (see entrytext).
std::string buildentry(std::string record, const std::string& sid, const std::string& swhat,
                       const std::string& name, const EntryChoices& choices, double draw);

// The property value as listed: "?" for no usable value (empty, 0 or "9999"), else the value in
// kelvin, or in Celsius when iskelvin is false.
std::string propertyvalue(const std::string& v, bool iskelvin);

} // namespace kestrix
