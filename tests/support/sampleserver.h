#pragma once
// The project's sample server as a child process on a free loopback port, with its own request
// log, User-Agent log and rules file; for the tests and the search benchmarks.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "samplehost.h"

namespace kestrix::test {

// Names the sample host in the environment and for this process's addresses, and points the
// user's configuration folder at config, so that no saved host of the machine's user counts.
void usesamplehost(const QString& config);

class SampleServer {
  public:
    ~SampleServer() { stop(); }
    // Serves a folder of tests/data (or an absolute folder) with further server options; false
    // when it did not come up.
    bool start(const QString& datafolder, const QStringList& options = {});
    void stop();
    int port() const { return port_; }
    QString proxy() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    // Replaces the misbehaviour rules; the server reads them at every request.
    void setrules(const QByteArray& text);
    // The request targets received so far, one per request.
    QStringList requests() const;
    // The User-Agent of each request so far, empty where there was none.
    QStringList agents() const;
    void clearlog();

  private:
    QString path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

} // namespace kestrix::test
