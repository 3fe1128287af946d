#include "search/listedrow.h"

namespace kestrix {

ListedRow listedrow(const ListedCompound& compound) {
    const RecordItems& items = compound.items;
    return {compound.name,         compound.id,
            items.casreg,          items.formula,
            items.molecularweight, compound.property,
            compound.value,        std::string(unitsymbol(compound.iskelvin))};
}

} // namespace kestrix
