#pragma once
// A label that looks like a link, sizes itself to its caption, and keeps a Tag.

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
};

} // namespace kestrix
