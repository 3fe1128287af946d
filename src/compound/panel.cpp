#include "compound/panel.h"

#include "core/fields.h"
#include "core/text.h"

namespace kestrix {

Failure showGif(const ListedCompound& compound, bool ishowprop, bool ishowpic, Panel& panel,
                ImageContext& images) {
    std::string property = propertycolumn(compound);
    if (!fields::propertyfield(compound.property).empty()) {
        property += " " + std::string(unitlabel(compound.iskelvin));
    }
    panel.setcaption(compound.name);
    panel.clearlinks();

    const RecordItems& items = compound.items;
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
    std::string text = "CAS# " + items.casreg + crlf + second + crlf + compound.name + crlf + crlf;
    if (ishowprop) text += property;
    panel.setdatatext(text);
    images.picture.clear();
    return ishowpic ? getgif(compound.id, images) : Failure();
}

} // namespace kestrix
