#include "web/server.h"

#include <cstdlib>

#include "core/text.h"
#include "core/version.h"
#include "web/hostsetting.h"

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

namespace {
std::string& chosenhost() {
    static std::string chosen = [] {
        const char* environment = std::getenv("KESTRIX_SERVER_HOST");
        // The saved host is read only when it can count.
        const std::string saved = environment && environment[0] ? std::string() : savedhost();
        return choosehost(environment, saved, KESTRIX_SERVER_HOST);
    }();
    return chosen;
}
} // namespace

std::string choosehost(const char* environment, const std::string& saved, std::string_view built) {
    if (environment && environment[0]) return environment;
    return saved.empty() ? std::string(built) : saved;
}

bool hostfromenvironment() {
    const char* set = std::getenv("KESTRIX_SERVER_HOST");
    return set && set[0];
}

std::string_view host() {
    return chosenhost();
}

void sethost(std::string chosen) {
    chosenhost() = std::move(chosen);
}

std::string useragent(std::string_view toolkit) {
    return "Kestrix/" + std::string(version) + " (" + std::string(toolkit) + ")";
}

bool placeholder() {
    return host() == placeholderhost();
}

std::string_view placeholderhost() {
    return KESTRIX_PLACEHOLDER_HOST;
}

std::string formulaurl(std::string_view formula) {
    std::string url = base() + "/cgi/cbook.cgi?Formula=$FORMULA_$OPTIONS_";
    strsub(url, "$FORMULA_", formula);
    strsub(url, "$OPTIONS_", searchoptions);
    return url;
}

std::string nameurl(std::string_view name) {
    return base() + "/cgi/cbook.cgi?Name=" + percentencoded(name, "-._~") +
           std::string(nameoptions);
}

std::string casurl(std::string_view cas) {
    return base() + "/cgi/cbook.cgi?ID=" + std::string(cas) + std::string(casoptions);
}

std::string searchurl(const Query& query) {
    switch (query.kind) {
    case QueryKind::cas:
        return casurl(query.text);
    case QueryKind::name:
        return nameurl(query.text);
    case QueryKind::formula:
    case QueryKind::none:
        break;
    }
    return formulaurl(query.text);
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
