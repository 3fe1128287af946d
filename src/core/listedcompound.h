#pragma once
// A compound as the result list holds it: made once when it is listed; the list, the panel,
// the clipboard text, the tabulation and the list order all read its fields.

#include <string>
#include <string_view>

#include "core/record.h"

namespace kestrix {

struct ListedCompound {
    std::string sortkey;  // its place in the list order (a number, a name or a random draw)
    std::string id;       // the server's identifier, "C109660"
    std::string property; // the property code chosen, "BP" or "MP"
    std::string value;    // the property value in the listed unit; "?" for none
    bool iskelvin = true; // the unit of value: kelvin, else degrees Celsius
    std::string name;     // the display name
    std::string record;   // the record items after the property: "Formula=C5H12|...|file=x.htm"
    RecordItems items;    // the items of record that are shown, read once when it is listed
};

// The unit as the panel writes it after a value: "Kelvin" or "oC"; as data names it: "K" or "C".
std::string_view unitlabel(bool iskelvin);
std::string_view unitsymbol(bool iskelvin);

// The property column as the list shows it: "BP 309.2".
std::string propertycolumn(const ListedCompound& compound);

// The entry text: sort key, identifier, property column, name and record, joined by tabs. The
// list order is the order of these texts.
std::string entrytext(const ListedCompound& compound);

// The compound an entry text names, cut at its tabs from the left (the property column at its
// first blank; the record keeps any further tabs); missing fields are empty.
ListedCompound readentry(std::string_view entry, bool iskelvin = true);

} // namespace kestrix
