// tabulate() on arbitrary list entries (the input cut at zero bytes; the first byte chooses
// the groups). The CSV text must read back as one header and one row per entry, each with the
// six fixed columns and one per field of the list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/listedcompound.h"
#include "core/text.h"
#include "split.h"
#include "tabulate/tabulate.h"

namespace {

// The records of a CSV text (fields separated by ",", records by CR LF, quoted fields with
// doubled quotes), blank lines dropped; each record given as its number of fields. An empty
// result when the text is not well-formed.
std::vector<std::size_t> csvrecords(const std::string& csv, bool& wellformed) {
    std::vector<std::size_t> records;
    std::size_t fields = 1;
    bool empty = true; // the record so far is an empty line
    std::size_t i = 0;
    wellformed = true;
    while (i < csv.size()) {
        const char c = csv[i];
        if (c == '"') {
            // A quoted field: up to the closing quote; must be followed by , CR LF or the end.
            ++i;
            for (;;) {
                if (i >= csv.size()) {
                    wellformed = false;
                    return records;
                }
                if (csv[i] == '"') {
                    if (i + 1 < csv.size() && csv[i + 1] == '"') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            empty = false;
            if (i < csv.size() && csv[i] != ',' && csv.compare(i, 2, "\r\n") != 0) {
                wellformed = false;
                return records;
            }
        } else if (c == ',') {
            ++fields;
            empty = false;
            ++i;
        } else if (csv.compare(i, 2, "\r\n") == 0) {
            if (!empty) records.push_back(fields);
            fields = 1;
            empty = true;
            i += 2;
        } else if (c == '\r' || c == '\n') {
            wellformed = false; // a bare line break outside quotes
            return records;
        } else {
            empty = false;
            ++i;
        }
    }
    if (!empty) records.push_back(fields);
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t groups = data[0];
    std::vector<std::string> entries = kestrix::fuzz::splitinput(data + 1, size - 1, '\0');
    if (entries.size() > 200) entries.resize(200);
    const std::string fieldlist =
        kestrix::tabulationfieldlist((groups & 1) != 0, (groups & 2) != 0, (groups & 4) != 0);

    std::size_t fieldcount = 0;
    for (std::string list = fieldlist; !list.empty();) {
        if (!kestrix::strextr(list, "|").empty()) ++fieldcount;
    }
    FUZZ_CHECK(fieldcount >= 4);

    const kestrix::TableLinks links{"prefix?Str3File=",
                                    [](std::string_view sid) { return std::string(sid) + ".gif"; }};
    std::vector<kestrix::ListedCompound> compounds;
    for (const std::string& entry : entries) compounds.push_back(kestrix::readentry(entry));
    const kestrix::Tabulation table = kestrix::tabulate(compounds, fieldlist, links);
    FUZZ_CHECK(table.html.ends_with("</table>"));

    bool wellformed = false;
    const std::vector<std::size_t> records = csvrecords(table.csv, wellformed);
    FUZZ_CHECK(wellformed);
    FUZZ_CHECK(records.size() == entries.size() + 1);
    for (std::size_t fields : records) FUZZ_CHECK(fields == 6 + fieldcount);
    return 0;
}
