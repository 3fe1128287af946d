#pragma once
// Reading the formula search's result page: the compounds it lists, in page order.

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

struct ResultItem {
    std::string id;   // the text after "ID=" up to "&"
    std::string name; // the link text, lower-cased (ASCII letters only), not yet normalized
};

struct ResultPage {
    int total = 0; // "ID=" occurrences after the list marker, a 16-bit count
    std::vector<ResultItem> items;
    // When the page says "Due to the large number of matching species, only the first N ...":
    // N, or the number of items when the sentence names none. 0 when the list is whole.
    int listedonly = 0;
};

// Reads the items after the list marker "Click on the name to see more data."; the list ends at
// the first item without an identifier or a name. A page without the marker that is itself a
// compound page (a single match) gives that one compound.
ResultPage readresultpage(std::string page);

// The N of the sentence by which a result page says it lists only the first N compounds, in any
// letter case and spacing; 0 without the sentence, -1 when it names no number.
int listedonly(std::string_view page);

} // namespace kestrix
