#pragma once
// Services of the one window that procedures below the window call. The window implements
// them; tests implement them with recorders.

#include <string>

namespace kestrix {

enum class Buttons { ok, okcancel };
enum class Answer { ok, cancel };

// Modal message boxes with the default caption.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual Answer message(const std::string& text, Buttons buttons = Buttons::ok) = 0;
};

// The title bar, which is also the status line.
class TitleBar {
  public:
    virtual ~TitleBar() = default;
    virtual void setcaption(const std::string& text) = 0;
};

// Letting pending window events run while a long operation waits.
class EventLoop {
  public:
    virtual ~EventLoop() = default;
    // Runs the events that are pending now and returns.
    virtual void doevents() = 0;
    // Runs events for up to ms milliseconds, returning early once an event was handled.
    virtual void waitforevents(int ms) = 0;
    // Runs events for ms milliseconds.
    virtual void sleep(int ms) = 0;
};

} // namespace kestrix
