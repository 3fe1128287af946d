#include "compound/links.h"

#include <string_view>

#include "web/server.h"

namespace kestrix {

namespace {
// Today's catalogue search of the supplier for a CAS number, and today's public compound
// database in place of a search service that no longer exists.
constexpr std::string_view aldrichsearch = "https://www.sigmaaldrich.com/US/en/search/";
constexpr std::string_view aldrichquery = "?focus=products&page=1&perpage=30&sort=relevance&term=";
constexpr std::string_view pubchemsearch = "https://pubchem.ncbi.nlm.nih.gov/#query=";
} // namespace

std::string linktarget(Link link, const std::string& tag) {
    switch (link) {
    case Link::details:
        return tag;
    case Link::threed:
        return server::threedprefix() + tag;
    case Link::msds:
        return std::string(aldrichsearch) + tag + std::string(aldrichquery) + tag + "&type=product";
    case Link::chemfinder:
        return std::string(pubchemsearch) + tag;
    case Link::nist:
        return server::chemistryhome();
    }
    return {};
}

} // namespace kestrix
