#pragma once
// What the window tests share: the sample server with a rules file, the recorders, and one
// window at a time, each with a page cache of its own under home_/homeN/cache.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "fakes.h"
#include "files.h"
#include "sampleserver.h"
#include "samplevalues.h"

namespace kestrix {
class Form1;
}

namespace kestrix::test {

class WindowFixture {
  protected:
    // Names the sample host, as a user names their server (usesamplehost).
    WindowFixture();
    ~WindowFixture();
    // Starts the server on a folder of tests/data (or an absolute one) and points the proxy at
    // it; further server options as given.
    bool startserver(const QString& folder, const QStringList& options = {});
    void setrules(const QByteArray& text);
    // A window with a fresh page cache (or the last one), its automatic search not started.
    void newwindow(bool keepcache = false);
    // A window with a fresh page cache whose automatic search is armed, as at a real start.
    void startwindow();
    // One search from the button, as the user would; returns when it has ended.
    void search(const QString& formula);
    // Waits until no search runs and none is armed; false after timeoutms without that.
    bool waitidle(int timeoutms = 20000);
    // Clicks the list entry at row as the user would.
    void clickrow(int row);
    // The first file of the window's page cache that does not hold what the server served
    // under its name (tabulations, the program's own, aside); empty when there is none.
    QString notasserved(const SampleValues& values) const;
    // What every test does after each case: the window closed, the server well again.
    void closewindow();
    // Points the proxy nowhere, so that nothing can reach a real network.
    static void nonetwork();
    // Field n of every list entry, in list order: 0 sort key, 1 identifier, 2 property column
    // ("BP 309.2"), 3 name, 4 record.
    QStringList column(int n) const;
    QString homeofwindow() const;

    SampleServer server_;
    QTemporaryDir home_;
    MessageRecorder messages_;
    OpenRecorder opener_;
    std::unique_ptr<Form1> form_;
    std::string cache_;
    int windows_ = 0;
    int timeoutms_ = 3000;
    // Seconds after a search that fetched its result page: none, as the search's own tests
    // check that pause on a fake event loop.
    double pause_ = 0;
};

} // namespace kestrix::test
