// Times whole searches with the real window against the sample server on loopback: a cold
// search beside curl fetching the same pages, a warm search, the memory of a long list, and
// start-up to the first painted window. Prints one line per figure, medians of several runs.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "fakes.h"
#include "files.h"
#include "sampleserver.h"
#include "ui/form1.h"
#include "ui/listbox.h"

using namespace kestrix;

namespace {

// A sample folder with a formula of n compounds, each a copy of pentane's page and drawing.
QString makedata(const QString& dir, const QString& formula, int n) {
    const QString data = dir + "/data-" + formula;
    QDir().mkpath(data + "/formula");
    QDir().mkpath(data + "/compound");
    QDir().mkpath(data + "/image");
    const QByteArray page = test::readfile(KESTRIX_TEST_DATA "/server/compound/C109660.htm");
    const QByteArray image = test::readfile(KESTRIX_TEST_DATA "/server/image/C109660.gif");
    QByteArray list = "<html><body><p>Click on the name to see more data.</p>\n<ol>\n";
    for (int i = 1; i <= n; ++i) {
        const QByteArray id = "X" + QByteArray::number(i);
        list += "<li><a href=\"/cgi/cbook.cgi?ID=" + id + "&Units=SI\">Compound " +
                QByteArray::number(i) + "</a></li>\n";
        QByteArray copy = page;
        copy.replace("109-66-0", "1000-" + QByteArray::number(i) + "-0");
        copy.replace("309.2", QByteArray::number(250 + i % 200) + ".5");
        test::writefile(data + "/compound/" + id + ".htm", copy);
        test::writefile(data + "/image/" + id + ".gif", image);
    }
    test::writefile(data + "/formula/" + formula + ".htm", list + "</ol></body></html>\n");
    return data;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// One search in a fresh window; returns milliseconds from the click to the last entry shown.
double searchonce(const QString& formula, const QString& cachebase, bool fresh) {
    if (fresh) QDir(cachebase).removeRecursively();
    qputenv("XDG_CACHE_HOME", cachebase.toLocal8Bit());
    test::MessageRecorder messages;
    messages.onmessage = [](const std::string& text) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    };
    test::OpenRecorder opener;
    Form1 form(Services{&messages, &opener, transfertimeoutms, 0});
    form.Timer1->stop();
    form.txtMF->setText(formula);
    QElapsedTimer clock;
    clock.start();
    form.Command1_Click();
    return clock.nsecsElapsed() / 1e6;
}

// STOP while compound X2's page never answers (the server stalls it); returns milliseconds
// from the STOP click to the idle window.
double stoponce(const test::SampleServer& server, const QString& cachebase) {
    QDir(cachebase).removeRecursively();
    qputenv("XDG_CACHE_HOME", cachebase.toLocal8Bit());
    test::MessageRecorder messages;
    test::OpenRecorder opener;
    Form1 form(Services{&messages, &opener, transfertimeoutms, 0});
    form.Timer1->stop();
    form.txtMF->setText(QStringLiteral("C40H1"));
    QElapsedTimer sincestop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (server.requests().filter(QStringLiteral("ID=X2&")).isEmpty()) return;
        poll.stop();
        sincestop.start();
        form.Command1_Click();
    });
    poll.start(5);
    form.Command1_Click();
    return sincestop.isValid() ? sincestop.nsecsElapsed() / 1e6 : -1;
}

long peakkb() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The sample server stands in for the real one, named as a user names a server.
    qputenv("KESTRIX_SERVER_HOST", test::samplehost);
    if (argc > 1 && QByteArray(argv[1]) == "--paint") {
        // Child mode: report when the window has painted for the first time.
        qputenv("http_proxy", "http://127.0.0.1:9");
        Form1 form;
        form.Timer1->stop();
        struct Painted : QObject {
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::Paint) {
                    std::printf("painted\n");
                    std::fflush(stdout);
                    std::_Exit(0);
                }
                return false;
            }
        } painted;
        form.installEventFilter(&painted);
        form.show();
        return app.exec();
    }

    const int runs = 5;
    QTemporaryDir dir;
    qputenv("no_proxy", "");

    // Cold search for 40 compounds beside curl fetching the same 41 pages and 40 drawings.
    {
        test::SampleServer server;
        if (!server.start(makedata(dir.path(), "C40H1", 40))) return 1;
        const QString proxy = server.proxy();
        qputenv("http_proxy", proxy.toLatin1());
        QStringList urls = {"http://chemdata.nist.invalid/cgi/cbook.cgi?Formula=C40H1&NoIon=on&"
                            "Units=SI&cTG=on&cTC=on&cTP=on"};
        for (int i = 1; i <= 40; ++i) {
            urls << QString("http://chemdata.nist.invalid/cgi/cbook.cgi?ID=X%1&Units=SI&Mask=7")
                        .arg(i)
                 << QString("http://chemdata.nist.invalid/cgi/cbook.cgi?Reduced=X%1").arg(i);
        }
        std::vector<double> cold, curl;
        for (int r = 0; r < runs; ++r) {
            cold.push_back(searchonce("C40H1", dir.path() + "/cold", true));
            QProcess fetch;
            QElapsedTimer clock;
            clock.start();
            fetch.start("curl", QStringList{"-s", "-x", proxy, "-o", "/dev/null"} + urls);
            fetch.waitForFinished(60000);
            curl.push_back(clock.nsecsElapsed() / 1e6);
        }
        std::printf("cold search, 40 compounds: %.1f ms (curl, same 81 requests: %.1f ms; "
                    "ratio %.2f)\n",
                    median(cold), median(curl), median(cold) / median(curl));

        // The same search against a server that answers one 429, without Retry-After, halfway:
        // a 5 s wait, then a second between the starts of the remaining requests. Once.
        server.setrules("1* ID=X20& status 429\n");
        server.clearlog();
        const double polite = searchonce("C40H1", dir.path() + "/cold", true);
        std::printf("cold search, 40 compounds, one 429 halfway: %.0f ms, %d requests\n", polite,
                    int(server.requests().size()));
    }

    // STOP during a page that never answers.
    {
        test::SampleServer server;
        if (!server.start(makedata(dir.path(), "C40H1", 40))) return 1;
        qputenv("http_proxy", server.proxy().toLatin1());
        server.setrules("ID=X2& stall\n");
        std::vector<double> stop;
        for (int r = 0; r < runs; ++r) {
            server.clearlog();
            stop.push_back(stoponce(server, dir.path() + "/stop"));
        }
        std::printf("STOP to idle during a stalled compound page: %.1f ms\n", median(stop));
    }

    // Warm search for 100 compounds, everything cached.
    {
        test::SampleServer server;
        if (!server.start(makedata(dir.path(), "C100H1", 100))) return 1;
        qputenv("http_proxy", server.proxy().toLatin1());
        searchonce("C100H1", dir.path() + "/warm", true);
        std::vector<double> warm;
        for (int r = 0; r < runs; ++r)
            warm.push_back(searchonce("C100H1", dir.path() + "/warm", false));
        std::printf("warm search, 100 compounds: %.1f ms\n", median(warm));
    }

    // Peak memory with 2000 entries listed.
    {
        test::SampleServer server;
        if (!server.start(makedata(dir.path(), "C2000H1", 2000))) return 1;
        qputenv("http_proxy", server.proxy().toLatin1());
        const double ms = searchonce("C2000H1", dir.path() + "/long", true);
        std::printf("cold search, 2000 compounds: %.0f ms; peak resident memory %.1f MB\n", ms,
                    peakkb() / 1024.0);
    }

    // The search trigger: from a choice that arms it to the search it starts (here one that
    // ends at once, at the empty-formula message), in a real window's event loop.
    {
        std::vector<double> trigger;
        for (int r = 0; r < 20; ++r) {
            test::MessageRecorder messages;
            QElapsedTimer clock;
            double at = -1;
            messages.onmessage = [&](const std::string&) { at = clock.nsecsElapsed() / 1e6; };
            Form1 form(Services{&messages, nullptr, 3000});
            form.txtMF->clear(); // the start-up search, and each one after, ends at once
            while (messages.texts.empty()) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            }
            clock.start();
            form.settrigger("search");
            while (at < 0 && clock.elapsed() < 2000) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            }
            trigger.push_back(at);
        }
        std::printf("search trigger, arming to the search: %.1f ms (designed: 10 ms)\n",
                    median(trigger));
    }

    // Start-up to the first painted window, in a new process each time.
    {
        std::vector<double> startup;
        for (int r = 0; r < runs; ++r) {
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("XDG_CACHE_HOME", dir.path() + "/startup");
            child.setProcessEnvironment(environment);
            QElapsedTimer clock;
            clock.start();
            child.start(QCoreApplication::applicationFilePath(), {"--paint"});
            child.waitForReadyRead(10000);
            startup.push_back(clock.nsecsElapsed() / 1e6);
            child.waitForFinished(5000);
        }
        std::printf("start-up to first painted window: %.1f ms\n", median(startup));
    }
    return 0;
}
