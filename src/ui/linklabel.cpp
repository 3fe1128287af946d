#include "ui/linklabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace kestrix {

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(parent) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    setFont(font);
    // The palette's own link colour, readable on light and dark backgrounds alike.
    setForegroundRole(QPalette::Link);
    setCursor(Qt::PointingHandCursor);
    setcaption(caption);
}

void LinkLabel::setcaption(const QString& caption) {
    setText(caption);
    setFocusPolicy(caption.isEmpty() ? Qt::NoFocus : Qt::StrongFocus);
    setAccessibleDescription(caption.isEmpty() ? QString() : QStringLiteral("link"));
    adjustSize();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A label without a caption offers no link, whatever target it last had.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        !text().isEmpty()) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (!text().isEmpty() &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.backgroundColor = palette().color(backgroundRole());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

} // namespace kestrix
