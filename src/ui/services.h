#pragma once
// The window system's services behind the seams that the procedures call.

#include <QWidget>
#include <string>

#include "core/seams.h"

namespace kestrix {

// Hands a URL or a local file to the program the desktop associates with it.
class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    virtual void open(const std::string& target) = 0;
};

class DesktopOpener : public DocumentOpener {
  public:
    void open(const std::string& target) override;
};

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

} // namespace kestrix
