#include "web/upgrades.h"

#include "core/text.h"

namespace kestrix {

namespace {

constexpr std::string_view http = "http://";
constexpr std::string_view https = "https://";

// The parts of an address of the given scheme: host (lower case), port as written (empty for
// none) and the rest from the path on; ok is false for another scheme.
struct Address {
    bool ok = false;
    std::string host, port;
    std::string_view rest;
    std::string authority() const { return port.empty() ? host : host + ":" + port; }
};

Address parse(std::string_view url, std::string_view scheme) {
    Address a;
    if (url.size() < scheme.size() || asciilower(url.substr(0, scheme.size())) != scheme) return a;
    std::string_view authority = url.substr(scheme.size());
    const auto end = authority.find_first_of("/?#");
    a.rest = end == std::string_view::npos ? std::string_view() : authority.substr(end);
    authority = authority.substr(0, end);
    if (const auto at = authority.rfind('@'); at != std::string_view::npos) {
        authority.remove_prefix(at + 1);
    }
    const auto colon = authority.find(':');
    a.host = asciilower(authority.substr(0, colon));
    if (colon != std::string_view::npos) a.port = std::string(authority.substr(colon + 1));
    a.ok = !a.host.empty();
    return a;
}

} // namespace

std::string HttpsUpgrades::apply(const std::string& url) const {
    Address a = parse(url, http);
    if (!a.ok) return url;
    if (const auto to = redirected_.find(a.authority()); to != redirected_.end()) {
        return std::string(https) + to->second + std::string(a.rest);
    }
    if (!hosts_.count(a.host)) return url;
    // Port 80 is http's own; https has its own default.
    if (a.port == "80") a.port.clear();
    return std::string(https) + a.authority() + std::string(a.rest);
}

void HttpsUpgrades::observe(std::string_view asked, std::string_view answered,
                            bool stricttransport) {
    const Address secure = parse(answered, https);
    if (!secure.ok) return;
    const Address plain = parse(asked, http);
    if (plain.ok && plain.host == secure.host) {
        hosts_.insert(secure.host);
        redirected_[plain.authority()] = secure.authority();
    }
    if (stricttransport) hosts_.insert(secure.host);
}

} // namespace kestrix
