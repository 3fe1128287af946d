#include "core/listedcompound.h"

#include "core/text.h"

namespace kestrix {

std::string_view unitlabel(bool iskelvin) {
    return iskelvin ? "Kelvin" : "oC";
}

std::string_view unitsymbol(bool iskelvin) {
    return iskelvin ? "K" : "C";
}

std::string propertycolumn(const ListedCompound& compound) {
    return compound.property + ' ' + compound.value;
}

std::string entrytext(const ListedCompound& compound) {
    return compound.sortkey + '\t' + compound.id + '\t' + propertycolumn(compound) + '\t' +
           compound.name + '\t' + compound.record;
}

ListedCompound readentry(std::string_view entry, bool iskelvin) {
    std::string rest(entry);
    ListedCompound compound;
    compound.sortkey = strextr(rest, "\t");
    compound.id = strextr(rest, "\t");
    std::string column = strextr(rest, "\t");
    compound.property = strextr(column, " ");
    compound.value = column;
    compound.iskelvin = iskelvin;
    compound.name = strextr(rest, "\t");
    compound.items = lastitems(rest);
    compound.record = std::move(rest);
    return compound;
}

} // namespace kestrix
