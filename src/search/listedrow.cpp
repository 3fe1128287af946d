#include "search/listedrow.h"

#include "core/record.h"

namespace kestrix {

ListedRow listedrow(const ListedCompound& compound) {
    const RecordItems items = readrecord(compound.record);
    return {
        compound.name,         compound.id,       items.casreg,   items.formula,
        items.molecularweight, compound.property, compound.value, compound.iskelvin ? "K" : "C"};
}

} // namespace kestrix
