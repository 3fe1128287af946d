#include "ui/layout.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QObject>
#include <QWidget>
#include <cmath>

namespace kestrix::layout {

namespace {

// The extra width is shared: the result list takes half, the panel side the rest.
enum class Share { none, list, panel, all };

// How a control follows a larger client area: by which share it moves right and grows wider,
// and whether it moves down or grows taller by all of the extra height.
struct Follow {
    Share x = Share::none;
    bool down = false;
    Share w = Share::none;
    bool tall = false;
};

constexpr Follow fixed{};
constexpr Follow list{Share::none, false, Share::list, true};
constexpr Follow margin{Share::none, false, Share::none, true};      // Frame3
constexpr Follow panel{Share::list, false, Share::panel, true};      // Frame1
constexpr Follow text{Share::none, false, Share::panel, false};      // Label2, in Frame1
constexpr Follow picture{Share::none, false, Share::panel, true};    // Picture1, in Frame1
constexpr Follow bottomleft{Share::none, true, Share::none, false};  // the check boxes
constexpr Follow bottompanel{Share::list, true, Share::none, false}; // the compound links
constexpr Follow bottomtext{Share::list, true, Share::panel, false}; // Label4
constexpr Follow corner{Share::all, true, Share::none, false};       // the NIST link

struct Place {
    const char* name;
    int left, top, width, height; // twips; link labels size themselves: only their corner
    Follow follow;
};

constexpr Place places[] = {
    {"Label1", 120, 120, 1695, 375, fixed},
    {"txtMF", 120, 360, 1935, 375, fixed},
    {"Command1", 2160, 360, 1455, 375, fixed},
    {"Label5", 3720, 120, 1695, 375, fixed},
    {"txtSearch", 3720, 360, 1935, 375, fixed},
    {"Combo1", 120, 840, 975, 315, fixed},
    {"Option1_0", 1200, 880, 975, 255, fixed},
    {"Option1_1", 2280, 880, 975, 255, fixed},
    {"List1", -4560, 1200, 10815, 3960, list},
    {"Frame3", 0, 1200, 100, 3975, margin},
    {"Frame2", 120, 1250, 1655, 3735, fixed},
    {"Frame1", 6200, 1080, 4215, 4095, panel},
    {"Label2", 120, 240, 3975, 1695, text},
    {"Picture1", 480, 2040, 2895, 1935, picture},
    {"Check1_2", 120, 5280, 1935, 255, bottomleft},
    {"Check1_0", 2040, 5280, 1935, 255, bottomleft},
    {"Check1_3", 120, 5520, 1935, 255, bottomleft},
    {"Check1_1", 2040, 5520, 1935, 255, bottomleft},
    {"lbl3D", 6240, 5280, 0, 0, bottompanel},
    {"lblMSDS", 7320, 5280, 0, 0, bottompanel},
    {"lblChemFinder", 8160, 5280, 0, 0, bottompanel},
    {"lblDetails", 9360, 5280, 0, 0, bottompanel},
    {"Label4", 4200, 5520, 6015, 855, bottomtext},
    {"Label6", 9720, 6400, 0, 0, corner},
};

int share(Share part, int extra) {
    const int half = extra / 2;
    switch (part) {
    case Share::list:
        return half;
    case Share::panel:
        return extra - half;
    case Share::all:
        return extra;
    case Share::none:
        break;
    }
    return 0;
}

// A caption that needs more room than its design width (another font, another scale) gets it
// to the right, rather than being cut off.
void widentofit(QWidget* widget) {
    const auto* label = qobject_cast<QLabel*>(widget);
    const bool caption = (label && !label->text().isEmpty() && !label->wordWrap()) ||
                         qobject_cast<QAbstractButton*>(widget);
    const int needed = widget->sizeHint().width();
    if (caption && needed > widget->width()) widget->resize(needed, widget->height());
}

class Follower : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) arrange(static_cast<QWidget*>(watched));
        return false;
    }
};

} // namespace

int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

QSize designsize() {
    return QSize(px(designwidth), px(designheight));
}

std::optional<QRect> place(const QString& name, QSize client) {
    const int dw = std::max(0, client.width() - designsize().width());
    const int dh = std::max(0, client.height() - designsize().height());
    for (const Place& p : places) {
        if (name != QLatin1String(p.name)) continue;
        const Follow& f = p.follow;
        const int width = p.width ? px(p.width) + share(f.w, dw) : 0;
        const int height = p.height ? px(p.height) + (f.tall ? dh : 0) : 0;
        return QRect(px(p.left) + share(f.x, dw), px(p.top) + (f.down ? dh : 0), width, height);
    }
    return std::nullopt;
}

void arrange(QWidget* client) {
    const QSize size = client->size();
    for (QWidget* widget : client->findChildren<QWidget*>()) {
        const auto at = place(widget->objectName(), size);
        if (!at) continue;
        if (at->isEmpty()) {
            widget->move(at->topLeft());
        } else {
            widget->setGeometry(*at);
            widentofit(widget);
        }
    }
    // Frame2 lies over the left edge of the list, covering its property column.
    auto* list = client->findChild<QWidget*>(QStringLiteral("List1"));
    auto* frame = client->findChild<QWidget*>(QStringLiteral("Frame2"));
    if (list && frame) {
        frame->setGeometry(0, list->y() + px(50), frame->width(), list->height() - px(100));
    }
}

void follow(QWidget* client) {
    client->installEventFilter(new Follower(client));
}

} // namespace kestrix::layout
