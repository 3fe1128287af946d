#pragma once
// What the web layer needs of the window and the desktop: message boxes, the title bar, letting
// window events run, the HTTP transfer component and the picture box. The window and the
// platform implement them; tests implement them with recorders.

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "web/failure.h"

namespace kestrix {

// A transfer that receives nothing for this long ends; one still running after twice this
// (a server dripping its answer) ends too.
inline constexpr int transfertimeoutms = 30000;
// An answer larger than this counts as a failed transfer, so that memory stays bounded.
inline constexpr std::size_t maxbodybytes = std::size_t{32} << 20;

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
    // Puts the title text back, the caption of a window that is doing nothing.
    virtual void restorecaption() = 0;
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

// The time, for the rules that depend on it: calendar time for dates the server sends, a
// steady clock for the gaps between requests. Tests set both.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
    virtual std::chrono::steady_clock::time_point steady() const = 0;
};

// The computer's own clocks.
const Clock& systemclock();

namespace transferstate {
inline constexpr int responsereceived = 8;
inline constexpr int error = 11;
inline constexpr int responsecompleted = 12;
} // namespace transferstate

// What became of a request once it has ended: ok() for a complete body under a 2xx status, and
// what the answer said beside its body.
struct TransferResult : Failure {
    std::string retryafter; // the answer's Retry-After header, as sent
    std::string errorpage;  // the start of the body of an answer that was no page
};

// A failed result of the given kind, with its reason in words.
inline TransferResult failed(Fault fault, std::string reason, int status = 0) {
    TransferResult result;
    static_cast<Failure&>(result) = failure(fault, std::move(reason), status);
    return result;
}

// One request of the transfer component, owned by the call that started it: its body and its
// outcome belong to that call alone, whatever other requests run meanwhile.
class TransferRequest {
  public:
    virtual ~TransferRequest() = default;
    // True from the start of the request until it has ended, successfully or not.
    virtual bool StillExecuting() const = 0;
    // The next part of the body, at most size bytes; empty when it is exhausted.
    virtual std::string GetChunk(int size) = 0;
    // Abandons the request; it then counts as failed.
    virtual void Cancel() = 0;
    // The outcome, once the request no longer executes.
    virtual TransferResult result() const = 0;

    // The state-change event: delivered on the window's thread while it lets events run.
    std::function<void(int state)> StateChanged;
};

// A request that could not be started: it has ended already, with Fault::notstarted and why.
class UnstartedRequest : public TransferRequest {
  public:
    explicit UnstartedRequest(std::string reason) : reason_(std::move(reason)) {}
    bool StillExecuting() const override { return false; }
    std::string GetChunk(int) override { return {}; }
    void Cancel() override {}
    TransferResult result() const override { return failed(Fault::notstarted, reason_); }

  private:
    std::string reason_;
};

// The HTTP transfer component.
class Transfer {
  public:
    virtual ~Transfer() = default;

    // Starts a GET and returns at once. A request that cannot be started has ended already,
    // with Fault::notstarted and the description as its reason.
    virtual std::unique_ptr<TransferRequest> Execute(const std::string& url,
                                                     const std::string& operation,
                                                     const std::string& inputdata,
                                                     const std::string& headers) = 0;
};

// The picture box of the compound panel.
class Picture {
  public:
    virtual ~Picture() = default;
    virtual void clear() = 0;
    // Shows the image the bytes hold; bytes that are no image leave the box empty.
    virtual void show(const std::string& bytes) = 0;
};

} // namespace kestrix
