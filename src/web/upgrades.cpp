#include "web/upgrades.h"

#include "core/text.h"

namespace kestrix {

namespace {

constexpr std::string_view http = "http://";
constexpr std::string_view https = "https://";

// The host of an address of the given scheme, without a port, lower case; empty for another
// scheme.
std::string hostof(std::string_view url, std::string_view scheme) {
    if (url.size() < scheme.size() || asciilower(url.substr(0, scheme.size())) != scheme) {
        return {};
    }
    std::string_view rest = url.substr(scheme.size());
    rest = rest.substr(0, rest.find_first_of("/?#"));
    if (const auto at = rest.rfind('@'); at != std::string_view::npos) rest.remove_prefix(at + 1);
    return asciilower(rest.substr(0, rest.find(':')));
}

} // namespace

std::string HttpsUpgrades::apply(const std::string& url) const {
    const std::string host = hostof(url, http);
    if (host.empty() || !hosts_.count(host)) return url;
    // A port named for http would be the wrong one for https: the default port is taken.
    std::string_view rest = std::string_view(url).substr(http.size());
    const auto end = rest.find_first_of("/?#");
    const std::string_view path = end == std::string_view::npos ? "" : rest.substr(end);
    return std::string(https) + host + std::string(path);
}

void HttpsUpgrades::observe(std::string_view asked, std::string_view answered,
                            bool stricttransport) {
    const std::string secure = hostof(answered, https);
    if (secure.empty()) return;
    if (stricttransport || hostof(asked, http) == secure) hosts_.insert(secure);
}

} // namespace kestrix
