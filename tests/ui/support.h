#pragma once
// Recorders for the window's seams and the sample server as a child process.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/seams.h"
#include "ui/services.h"

namespace kestrix::test {

class MessageRecorder : public MessageBoxes {
  public:
    Answer message(const std::string& text, Buttons buttons) override {
        texts.push_back(text);
        this->buttons.push_back(buttons);
        if (onmessage) onmessage(text);
        return answer;
    }
    std::vector<std::string> texts;
    std::vector<Buttons> buttons;
    Answer answer = Answer::ok;
    std::function<void(const std::string&)> onmessage;
};

class OpenRecorder : public DocumentOpener {
  public:
    void open(const std::string& target) override { targets.push_back(target); }
    std::vector<std::string> targets;
};

// The project's sample server on a free loopback port, serving a folder of tests/data (or an
// absolute folder).
class SampleServer {
  public:
    ~SampleServer() { stop(); }
    // Starts it; false when it did not come up.
    bool start(const QString& datafolder, const QString& rulesfile = {});
    void stop();
    int port() const { return port_; }
    QString proxy() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    // The request targets received so far, one per request.
    QStringList requests() const;
    void clearlog();

  private:
    QProcess process_;
    QString logfile_;
    int port_ = 0;
};

// Points the per-user cache at a fresh folder; returns the page cache directory.
std::string freshcache(const QString& base);

// Every file directly in dir, sorted.
QStringList cachefiles(const std::string& dir);

// Every file below dir, as paths relative to it, sorted.
QStringList filesbelow(const QString& dir);

QByteArray readfile(const QString& path);
// Writes bytes to path, creating its folder; false on failure.
bool writefile(const QString& path, const QByteArray& bytes);

} // namespace kestrix::test

namespace kestrix {
class Form1;
}

namespace kestrix::test {

// What the window tests share: the sample server with a rules file, recorders, and one window
// at a time, each with a page cache of its own under home_/homeN/cache.
class WindowFixture {
  protected:
    ~WindowFixture();
    // Starts the server on a folder of tests/data (or an absolute one) and points the proxy at it.
    bool startserver(const QString& folder);
    void setrules(const QByteArray& text);
    // A window with a fresh page cache (or the last one), its automatic search stopped.
    void newwindow(bool keepcache = false);
    // One search from the button, as the user would; returns its duration in milliseconds.
    qint64 search(const QString& formula);
    // Field n of every list entry, in list order.
    QStringList column(int n) const;
    QString homeofwindow() const;

    SampleServer server_;
    QTemporaryDir home_;
    QString rules_;
    MessageRecorder messages_;
    OpenRecorder opener_;
    std::unique_ptr<Form1> form_;
    std::string cache_;
    int windows_ = 0;
    int timeoutms_ = 3000;
};

} // namespace kestrix::test
