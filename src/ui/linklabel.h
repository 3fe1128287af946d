#pragma once
// A label that looks like a link, sizes itself to its caption, and keeps a Tag. It opens with a
// click, or with Enter or Space when it has the focus; without a caption it offers no link and
// takes no focus.

#include <QLabel>
#include <string>

namespace kestrix {

class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(const QString& caption, QWidget* parent = nullptr);

    void setcaption(const QString& caption);
    std::string tag;

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kestrix
