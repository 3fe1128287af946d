// extractrecord on arbitrary page bytes for the formula search's whole field list: every name
// is recognized, the record holds one item per name in list order, and each item's value is
// what extractvalue gives for it alone.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compound/extract.h"
#include "core/fields.h"
#include "core/text.h"
#include "split.h"

namespace {

std::string fullfieldlist() {
    return kestrix::fields::searchlist(kestrix::fields::boilingpoint);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string page(reinterpret_cast<const char*>(data), size);
    const std::string list = fullfieldlist();

    std::optional<std::string> cas;
    bool unrecognized = false;
    const std::string record =
        kestrix::extractrecord(page, list, &cas, [&](const std::string&) { unrecognized = true; });
    FUZZ_CHECK(!unrecognized);
    FUZZ_CHECK(cas.has_value());

    // Walk the record along the field list: "|" key "=" value for every name, in order.
    std::string names = list;
    std::string_view rest = record;
    while (!names.empty()) {
        const std::string key = kestrix::strextr(names, "|");
        std::string searchname = key;
        kestrix::strsub(searchname, "~", "");
        const kestrix::FieldGroup group = kestrix::fieldgroup(searchname);
        FUZZ_CHECK(group != kestrix::FieldGroup::unrecognized);
        const std::string value = kestrix::extractvalue(page, searchname, group);
        const std::string item = "|" + key + "=" + value;
        FUZZ_CHECK(rest.substr(0, item.size()) == item);
        rest.remove_prefix(item.size());
        if (searchname == "CAS Reg") FUZZ_CHECK(*cas == value);
        if (group == kestrix::FieldGroup::table) {
            FUZZ_CHECK(value.find(' ') == std::string::npos &&
                       value.find('<') == std::string::npos);
        }
        if (group == kestrix::FieldGroup::structurefile) {
            FUZZ_CHECK(value.find('"') == std::string::npos);
        }
        if (group == kestrix::FieldGroup::summary) {
            FUZZ_CHECK(value.find("</sub>") == std::string::npos); // removed last
        }
    }
    FUZZ_CHECK(rest.empty());

    // A recognized name that the list does not ask for.
    const std::string triple =
        kestrix::extractvalue(page, "P<sub>triple</sub>", kestrix::FieldGroup::table);
    FUZZ_CHECK(triple.find(' ') == std::string::npos);
    return 0;
}
