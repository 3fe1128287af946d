#pragma once
// Where the window's controls sit: the design's places in twips (15 to a pixel at the common
// 96 dots per inch), looked up by the control's object name.

#include <QRect>
#include <QString>

namespace kestrix::layout {

// The client area of the design.
inline constexpr int designwidth = 10665;
inline constexpr int designheight = 6660;

// Twips to device-independent pixels.
int px(int twips);

// The design place of the named control in pixels, relative to its parent; an empty rectangle
// for a name the design does not place.
QRect place(const QString& name);

} // namespace kestrix::layout
