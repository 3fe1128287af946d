// readresultpage on arbitrary bytes: the items it reads hold an identifier and a lower-case
// name, and a list never has more items than counted identifiers.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/resultpage.h"
#include "split.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string page(reinterpret_cast<const char*>(data), size);
    const kestrix::ResultPage result = kestrix::readresultpage(page);

    const bool listed = page.find("Click on the name to see more data.") != std::string::npos;
    FUZZ_CHECK(result.total >= 0 && result.total <= 32767);
    FUZZ_CHECK(result.items.size() <= static_cast<std::size_t>(result.total) ||
               result.total == 32767);
    for (const kestrix::ResultItem& item : result.items) {
        FUZZ_CHECK(!item.id.empty() && !item.name.empty());
        FUZZ_CHECK(item.id.find('&') == std::string::npos);
        if (listed) FUZZ_CHECK(item.id.find("\r\n") == std::string::npos);
        if (listed) FUZZ_CHECK(item.name.find("\r\n") == std::string::npos);
        for (char c : item.name) FUZZ_CHECK(!(c >= 'A' && c <= 'Z'));
        FUZZ_CHECK(item.id.front() != ' ' && item.id.back() != ' ');
        FUZZ_CHECK(item.name.front() != ' ' && item.name.back() != ' ');
    }
    return 0;
}
