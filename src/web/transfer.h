#pragma once
// The HTTP transfer component: one request at a time, its body read in chunks while the
// transfer reports state changes.

#include <functional>
#include <string>

namespace kestrix {

namespace transferstate {
inline constexpr int responsereceived = 8;
inline constexpr int error = 11;
inline constexpr int responsecompleted = 12;
} // namespace transferstate

class Transfer {
  public:
    virtual ~Transfer() = default;

    // Starts a GET and returns at once. False when the request cannot be started; error then
    // holds the description.
    virtual bool Execute(const std::string& url, const std::string& operation,
                         const std::string& inputdata, const std::string& headers,
                         std::string& error) = 0;
    // True from the start of a request until it has ended, successfully or not.
    virtual bool StillExecuting() const = 0;
    // The next part of the body, at most size bytes; empty when it is exhausted.
    virtual std::string GetChunk(int size) = 0;
    // True when the last request ended with a complete body under a 2xx status.
    virtual bool Succeeded() const = 0;
    // Abandons the running request; it then counts as failed.
    virtual void Cancel() = 0;
    // Fetches the whole body as bytes and returns when the transfer has ended; empty when
    // nothing came or the request failed.
    virtual std::string OpenURL(const std::string& url) = 0;

    // The state-change event: delivered on the window's thread while it lets events run.
    std::function<void(int state)> StateChanged;
};

} // namespace kestrix
