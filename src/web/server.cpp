#include "web/server.h"

#include <cstdlib>

#include "core/text.h"
#include "core/version.h"

namespace kestrix::server {

namespace {

std::string base() {
    return "http://" + std::string(host());
}

std::string compoundurltemplate() {
    std::string url = base() + "/cgi/cbook.cgi?ID=$ID_&Units=SI&Mask=$MASK_";
    strsub(url, "$MASK_", "7");
    return url;
}

} // namespace

std::string_view host() {
    static const std::string chosen = [] {
        const char* set = std::getenv("KESTRIX_SERVER_HOST");
        return std::string(set && set[0] ? set : KESTRIX_SERVER_HOST);
    }();
    return chosen;
}

std::string useragent(std::string_view toolkit) {
    return "Kestrix/" + std::string(version) + " (" + std::string(toolkit) + ")";
}

bool placeholder() {
    return host() == KESTRIX_PLACEHOLDER_HOST;
}

std::string formulaurl(std::string_view formula) {
    std::string url = base() + "/cgi/cbook.cgi?Formula=$FORMULA_$OPTIONS_";
    strsub(url, "$FORMULA_", formula);
    strsub(url, "$OPTIONS_", searchoptions);
    return url;
}

std::string compoundurl(std::string_view id) {
    std::string url = compoundurltemplate();
    strsub(url, "$ID_", id);
    return url;
}

std::string imageurl(std::string_view id) {
    return base() + "/cgi/cbook.cgi?Reduced=" + std::string(id);
}

std::string structureurl(std::string_view id) {
    return base() + "/cgi/cbook.cgi?Struct=" + std::string(id) + "&Type=Color";
}

std::string threedprefix() {
    return base() + "/cgi/cbook.cgi/nist-3d.mol?Str3File=";
}

std::string chemistryhome() {
    return base() + "/chemistry/";
}

} // namespace kestrix::server
