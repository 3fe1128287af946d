#include "search/listedrow.h"

#include "core/entry.h"
#include "core/record.h"
#include "core/text.h"

namespace kestrix {

ListedRow listedrow(const std::string& entry, bool iskelvin) {
    const Entry e = readentry(entry);
    std::string value = e.property;
    std::string property = strextr(value, " ");
    const RecordItems items = readrecord(e.rest);
    return {e.name,
            e.id,
            items.casreg,
            items.formula,
            items.molecularweight,
            std::move(property),
            std::move(value),
            iskelvin ? "K" : "C"};
}

} // namespace kestrix
