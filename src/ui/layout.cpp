#include "ui/layout.h"

#include <cmath>

namespace kestrix::layout {

namespace {

struct Place {
    const char* name;
    int left, top, width, height;
};

// Link labels size themselves to their captions: only their corner is placed.
constexpr Place places[] = {
    {"Label1", 120, 120, 1695, 375},     {"txtMF", 120, 360, 1935, 375},
    {"Command1", 2160, 360, 1455, 375},  {"Label5", 3720, 120, 1695, 375},
    {"txtSearch", 3720, 360, 1935, 375}, {"Combo1", 120, 840, 975, 315},
    {"Option1_0", 1200, 880, 975, 255},  {"Option1_1", 2280, 880, 975, 255},
    {"List1", -4560, 1200, 10815, 3960}, {"Frame3", 0, 1200, 100, 3975},
    {"Frame2", 120, 1250, 1655, 3735},   {"Frame1", 6200, 1080, 4215, 4095},
    {"Label2", 120, 240, 3975, 1695},    {"Picture1", 480, 2040, 2895, 1935},
    {"Check1_2", 120, 5280, 1935, 255},  {"Check1_0", 2040, 5280, 1935, 255},
    {"Check1_3", 120, 5520, 1935, 255},  {"Check1_1", 2040, 5520, 1935, 255},
    {"lbl3D", 6240, 5280, 0, 0},         {"lblMSDS", 7320, 5280, 0, 0},
    {"lblChemFinder", 8160, 5280, 0, 0}, {"lblDetails", 9360, 5280, 0, 0},
    {"Label4", 4200, 5520, 6015, 855},   {"Label6", 9720, 6400, 0, 0},
};

} // namespace

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect place(const QString& name) {
    for (const Place& p : places) {
        if (name == QLatin1String(p.name)) {
            return QRect(px(p.left), px(p.top), px(p.width), px(p.height));
        }
    }
    return {};
}

} // namespace kestrix::layout
