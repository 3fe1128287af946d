#include "web/safename.h"

#include "core/text.h"
#include "core/utf8.h"

namespace kestrix {

namespace {

// The names Windows takes for a device in every folder, in any letter case and with any
// extension ("con.csv" is the console); spaces before the extension do not count.
bool devicename(std::string_view name) {
    std::string base = asciilower(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (const std::string_view device : {"con", "prn", "aux", "nul", "conin$", "conout$"}) {
        if (base == device) return true;
    }
    if (!base.starts_with("com") && !base.starts_with("lpt")) return false;
    const std::string_view number = std::string_view(base).substr(3);
    // Windows reads the superscripts 1, 2 and 3 (UTF-8 C2 B9, C2 B2, C2 B3) as digits too.
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xc2\xb9" ||
           number == "\xc2\xb2" || number == "\xc2\xb3";
}

} // namespace

bool safename(std::string_view name) {
    // One rule on every system, so that a page cache can move from one to another.
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name) {
        if (c < 32 || c == 127 ||
            std::string_view("/\\<>:\"|?*").find(char(c)) != std::string_view::npos) {
            return false;
        }
    }
    // Windows drops a trailing dot or space, and the name would open another file.
    if (name.back() == '.' || name.back() == ' ') return false;
    return isutf8(name) && !devicename(name);
}

} // namespace kestrix
