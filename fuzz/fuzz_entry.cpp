// buildentry from an arbitrary record, getfield on arbitrary records against a plain
// reference, and the result list order: compareentries is a consistent order on the inserted
// entries and SortedEntries keeps them in it.
//
// The input is cut at zero bytes: record, identifier, display name, then entries to insert.
// The first byte chooses the sort and unit options and the random draw.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/entry.h"
#include "core/listedcompound.h"
#include "core/number.h"
#include "core/record.h"
#include "core/sortedentries.h"
#include "split.h"

namespace {

int sign(int x) {
    return (x > 0) - (x < 0);
}

std::string referencegetfield(std::string_view swhat, std::string_view slist) {
    const std::string marker = std::string(swhat) + "=";
    const auto p = slist.find(marker);
    if (p == std::string_view::npos) return {};
    std::string_view value = slist.substr(p + marker.size(), 100);
    value = value.substr(0, value.find('|'));
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
    return std::string(value);
}

void checkentry(const std::string& record, const std::string& sid, const std::string& name,
                std::uint8_t options) {
    kestrix::EntryChoices choices;
    choices.isortalpha = (options & 1) != 0;
    choices.isortprop = (options & 2) != 0;
    choices.iskelvin = (options & 4) != 0;
    const double draw = (options >> 3) / 32.0;
    const std::string swhat = (options & 128) != 0 ? "MP" : "BP";

    const std::string entry = kestrix::buildentry(record, sid, swhat, name, choices, draw);
    // The entry text and the compound it names are one.
    FUZZ_CHECK(kestrix::entrytext(kestrix::listcompound(record, sid, swhat, name, choices, draw)) ==
               entry);
    // The key, the identifier, then the property column: swhat, a blank and the value.
    std::string key = name.substr(0, 8);
    if (!choices.isortalpha) {
        key = entry.substr(0, entry.find('\t'));
        FUZZ_CHECK(kestrix::issortkeynumber(key) || (choices.isortprop && key == "?"));
    }
    FUZZ_CHECK(entry.starts_with(key + "\t" + sid + "\t" + swhat + " "));
    FUZZ_CHECK(kestrix::compareentries(entry, entry) == 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t options = data[0];
    const auto parts = kestrix::fuzz::splitinput(data + 1, size - 1, '\0');
    const std::string record = kestrix::fuzz::part(parts, 0);
    const std::string sid = kestrix::fuzz::part(parts, 1);
    const std::string name = kestrix::fuzz::part(parts, 2);

    checkentry(record, sid, name, options);

    for (std::string_view swhat : {"Formula", "Molecular Weight", "CAS Reg", "file", "", "T"}) {
        FUZZ_CHECK(kestrix::getfield(swhat, record) == referencegetfield(swhat, record));
    }
    FUZZ_CHECK(kestrix::getfield(sid, record) == referencegetfield(sid, record));

    // Insertion keeps the order, after equal entries, and the order is antisymmetric and
    // transitive on what was inserted.
    kestrix::SortedEntries list;
    std::vector<std::string> inserted;
    for (std::size_t i = 0; i < parts.size() && i < 64; ++i) {
        const std::string text = kestrix::entrytext(kestrix::readentry(parts[i]));
        const std::size_t at = list.add(kestrix::readentry(parts[i]));
        FUZZ_CHECK(at < list.size() && kestrix::entrytext(list.at(at)) == text);
        if (at > 0)
            FUZZ_CHECK(kestrix::compareentries(kestrix::entrytext(list.at(at - 1)), text) <= 0);
        if (at + 1 < list.size())
            FUZZ_CHECK(kestrix::compareentries(text, kestrix::entrytext(list.at(at + 1))) < 0);
        inserted.push_back(text);
    }
    for (std::size_t i = 0; i + 1 < list.size(); ++i) {
        FUZZ_CHECK(kestrix::compareentries(kestrix::entrytext(list.at(i)),
                                           kestrix::entrytext(list.at(i + 1))) <= 0);
    }
    const std::size_t n = std::min<std::size_t>(inserted.size(), 12);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const int ij = kestrix::compareentries(inserted[i], inserted[j]);
            FUZZ_CHECK(sign(ij) == -sign(kestrix::compareentries(inserted[j], inserted[i])));
            for (std::size_t k = 0; k < n; ++k) {
                const int jk = kestrix::compareentries(inserted[j], inserted[k]);
                const int ik = kestrix::compareentries(inserted[i], inserted[k]);
                if (ij <= 0 && jk <= 0) FUZZ_CHECK(ik <= 0);
            }
        }
    }
    return 0;
}
