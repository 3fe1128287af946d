#include "compound/panel.h"

#include "core/text.h"
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

void showGif(const std::string& swhat, bool ishowprop, bool ishowpic, bool iskelvin,
             const std::string& scachedir, Panel& panel) {
    std::string rest = swhat;
    strextr(rest, "\t");
    const std::string sid = strextr(rest, "\t");
    std::string property = strextr(rest, "\t");
    const std::string name = strextr(rest, "\t");

    if (property.starts_with("BP") || property.starts_with("MP")) {
        property += iskelvin ? " Kelvin" : " oC";
    }
    panel.setcaption(name);
    panel.emptylinkcaptions();

    std::string formula, weight, cas, str3file, file;
    while (!rest.empty()) {
        std::string value = strextr(rest, "|");
        if (value.empty()) continue;
        const std::string key = strextr(value, "=");
        if (key == "Formula") formula = value;
        if (key == "Molecular Weight") weight = value;
        if (key == "CAS Reg") cas = value;
        if (key == "Str3File") str3file = value;
        if (key == "file") file = value;
    }

    if (!file.empty()) {
        panel.setlink(Link::details, "details...", scachedir + file);
        if (!str3file.empty()) panel.setlink(Link::threed, "3D-Chime", str3file);
        if (!cas.empty()) {
            panel.setlink(Link::msds, "Aldrich", cas);
            panel.setlink(Link::chemfinder, "ChemFinder", cas);
        }
    }

    std::string second;
    if (!formula.empty()) second += " MF " + formula;
    if (!weight.empty()) second += " MW " + weight;
    second = trimblanks(second);

    const std::string crlf = "\r\n";
    std::string text = "CAS# " + cas + crlf + second + crlf + name + crlf + crlf;
    if (ishowprop) text += property;
    panel.setdatatext(text);
    panel.clearpicture();
    if (ishowpic) panel.getgif(sid);
}

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
