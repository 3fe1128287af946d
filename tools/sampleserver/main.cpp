// kestrix-sample-server: the project's own stand-in for the NIST chemistry data server. It serves
// the sample pages and structure drawings of a sample folder (tests/data/server, tests/data/today)
// on 127.0.0.1, so that the tests and the demo can search without the network. Clients reach it
// directly or as their HTTP proxy. A rules file makes chosen requests fail in chosen ways (error
// status, delay, stall, trickle, truncation, oversize bodies, redirects, wrong bodies), and a log
// file records every request target.
//
//   kestrix-sample-server --data DIR [--port N] [--log FILE] [--rules FILE]
//
// Once listening it prints "listening on 127.0.0.1:PORT" on its own line.

#include "connection.h"
#include "requestlog.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTcpServer>
#include <csignal>
#include <cstdio>

using namespace kestrix::sampleserver;

namespace {

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "kestrix-sample-server: %s\n", qPrintable(message));
    std::exit(2);
}

} // namespace

int main(int argc, char* argv[]) {
    std::signal(SIGPIPE, SIG_IGN); // a client that hangs up must not end the server
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("kestrix-sample-server");

    QCommandLineParser parser;
    parser.setApplicationDescription("Serves sample NIST chemistry data pages on 127.0.0.1.");
    parser.addHelpOption();
    const QCommandLineOption data("data", "The sample folder (formula/, compound/, image/).",
                                  "DIR");
    const QCommandLineOption port("port", "The port to listen on; 0 for any free port.", "N", "0");
    const QCommandLineOption log("log", "Append every request target to FILE.", "FILE");
    const QCommandLineOption rules("rules", "Misbehaviour rules, read on every request.", "FILE");
    parser.addOptions({data, port, log, rules});
    parser.process(app);

    if (!parser.positionalArguments().isEmpty()) fail("unexpected argument; see --help");
    Settings settings;
    settings.datadir = parser.value(data);
    settings.rulesfile = parser.value(rules);
    if (settings.datadir.isEmpty()) fail("--data DIR is required");
    if (!QDir(settings.datadir).exists()) fail("no sample folder " + settings.datadir);
    bool ok = false;
    const uint portnumber = parser.value(port).toUInt(&ok);
    if (!ok || portnumber > 65535) fail("bad port " + parser.value(port));

    RequestLog requestlog;
    if (!requestlog.open(parser.value(log))) fail("cannot open the log " + parser.value(log));

    QTcpServer server;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            new Connection(socket, settings, requestlog);
        }
    });
    if (!server.listen(QHostAddress::LocalHost, quint16(portnumber))) {
        fail("cannot listen: " + server.errorString());
    }
    std::printf("listening on 127.0.0.1:%u\n", unsigned(server.serverPort()));
    std::fflush(stdout);
    return app.exec();
}
