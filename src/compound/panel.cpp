#include "compound/panel.h"

#include "core/entry.h"
#include "core/record.h"
#include "core/text.h"

namespace kestrix {

std::string showGif(const std::string& swhat, bool ishowprop, bool ishowpic, bool iskelvin,
                    Panel& panel, ImageContext& images) {
    const Entry entry = readentry(swhat);
    std::string property = entry.property;
    if (property.starts_with("BP") || property.starts_with("MP")) {
        property += iskelvin ? " Kelvin" : " oC";
    }
    panel.setcaption(entry.name);
    panel.clearlinks();

    const RecordItems items = readrecord(entry.rest);
    if (!items.file.empty()) {
        panel.setlink(Link::details, "details...", images.scachedir + items.file);
        if (!items.str3file.empty()) panel.setlink(Link::threed, "3D-Chime", items.str3file);
        if (!items.casreg.empty()) {
            panel.setlink(Link::msds, "Aldrich", items.casreg);
            panel.setlink(Link::chemfinder, "PubChem", items.casreg);
        }
    }

    std::string second;
    if (!items.formula.empty()) second += " MF " + items.formula;
    if (!items.molecularweight.empty()) second += " MW " + items.molecularweight;
    second = trimblanks(second);

    const std::string crlf = "\r\n";
    std::string text = "CAS# " + items.casreg + crlf + second + crlf + entry.name + crlf + crlf;
    if (ishowprop) text += property;
    panel.setdatatext(text);
    images.picture.clear();
    return ishowpic ? getgif(entry.id, images) : std::string();
}

} // namespace kestrix
