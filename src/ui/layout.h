#pragma once
// Where the window's controls sit: the design's places in twips (15 to a pixel at the common
// 96 dots per inch), looked up by the control's object name, and how they follow a client area
// larger than the design's: the result list grows both ways, the compound panel moves and grows
// with the right-hand side, the bottom rows keep to the bottom.

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QWidget;

namespace kestrix::layout {

// The client area of the design.
inline constexpr int designwidth = 10665;
inline constexpr int designheight = 6660;

// Twips to device-independent pixels.
int px(int twips);

// The design size of the client area, in pixels.
QSize designsize();

// The place of the named control in pixels, relative to its parent, for a client area of the
// given size (the design's places at the design size); nullopt for a name the design does not
// place. A link label's place is its corner, an empty rectangle: it sizes itself.
std::optional<QRect> place(const QString& name, QSize client = designsize());

// Puts every named control under client at its place for client's size, and Frame2 over the
// left edge of the result list.
void arrange(QWidget* client);

// Keeps client's controls arranged whenever it is resized.
void follow(QWidget* client);

} // namespace kestrix::layout
