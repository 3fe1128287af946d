#include "compound/links.h"

#include <string_view>

#include "web/server.h"

namespace kestrix {

namespace {
constexpr std::string_view aldrichsearch =
    "http://www.sigmaaldrich.com/cgi-bin/hsrun/Suite7/Suite/"
    "Suite.hjx;start=Suite.HsAdvancedSearch.formAction?Scope=CASSearch&search.x=10&search.y=15&"
    "btnSearch.x=1&Collection=rescatalog&MaxResults=100000&Query=";
constexpr std::string_view chemfindersearch =
    "http://chemfinder.cambridgesoft.com/result.asp?polyQuery=";
} // namespace

std::string linktarget(Link link, const std::string& tag) {
    switch (link) {
    case Link::details:
        return tag;
    case Link::threed:
        return server::threedprefix() + tag;
    case Link::msds:
        return std::string(aldrichsearch) + tag;
    case Link::chemfinder:
        return std::string(chemfindersearch) + tag;
    case Link::nist:
        return server::chemistryhome();
    }
    return {};
}

} // namespace kestrix
