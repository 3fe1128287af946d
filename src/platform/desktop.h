#pragma once
// The desktop's services behind the seams of the layers below the window: message boxes,
// letting events run, the picture box and opening documents, over Qt.

#include <QImage>
#include <string>

#include "search/seams.h"

class QLabel;
class QWidget;

namespace kestrix {

class QtMessageBoxes : public MessageBoxes {
  public:
    explicit QtMessageBoxes(QWidget* parent) : parent_(parent) {}
    Answer message(const std::string& text, Buttons buttons) override;

  private:
    QWidget* parent_;
};

class QtEvents : public EventLoop {
  public:
    void doevents() override;
    void waitforevents(int ms) override;
    void sleep(int ms) override;
};

// The picture box: a label showing an image of any format Qt reads, told by its bytes. The
// drawing keeps its own size, or the box's when that is smaller, and is scaled smoothly for
// the screen's pixels at any scale factor.
class PictureBox : public Picture {
  public:
    explicit PictureBox(QLabel* label);
    void clear() override;
    void show(const std::string& bytes) override;

  private:
    void draw();

    QLabel* label_;
    QImage image_;
};

// A URL goes to the default web browser, a file path to the default program for its type.
class DesktopOpener : public DocumentOpener {
  public:
    void open(const std::string& target) override;
};

} // namespace kestrix
