#pragma once
// Reading values back out of a compound record ("|key=value|...|file=NAME"), where neither "|"
// nor "=" is escaped. The design reads records two ways, both here: getfield, the tabulation's
// lookup, takes the first "key=" anywhere; lastitems reads item by item, the last key winning.

#include <string>
#include <string_view>

namespace kestrix {

// The value of the first "swhat=" anywhere in slist: at most 100 characters after the "=", cut
// at "|" and trimmed. Empty text when there is none.
std::string getfield(std::string_view swhat, std::string_view slist);

// The items the compound panel, the list text and the command line show.
struct RecordItems {
    std::string formula;
    std::string molecularweight;
    std::string casreg;
    std::string str3file;
    std::string file;
};

// Read item by item: the key is the text before the item's first "=", the value the trimmed
// rest; when a key occurs twice, the last one counts.
RecordItems lastitems(std::string rest);

} // namespace kestrix
