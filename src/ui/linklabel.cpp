#include "ui/linklabel.h"

#include <QMouseEvent>

namespace kestrix {

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(parent) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(colours);
    setCursor(Qt::PointingHandCursor);
    setcaption(caption);
}

void LinkLabel::setcaption(const QString& caption) {
    setText(caption);
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

} // namespace kestrix
