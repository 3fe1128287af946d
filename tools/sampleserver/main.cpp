// kestrix-sample-server: the project's own stand-in for the NIST chemistry data server. It serves
// the sample pages and structure drawings of a sample folder (tests/data/server, tests/data/today)
// on 127.0.0.1, and answers searches by formula, by name and by CAS number from them, so that
// the tests and the demo can search without the network. Clients reach it directly or as their
// HTTP proxy; given a certificate it also opens TLS tunnels for https through the proxy. A
// rules file makes chosen requests fail in chosen ways (error status with a header, chosen
// bodies, delay, stall, trickle, truncation, oversize bodies, redirects), for every match or only
// the first N. A log file records every request target, an agent log every User-Agent.
//
//   kestrix-sample-server --data DIR [--port N] [--log FILE] [--agent-log FILE] [--rules FILE]
//                         [--tls-cert FILE --tls-key FILE] [--https-only] [--hsts]
//                         [--latency MS] [--exit-with-parent]
//
// Once listening it prints "listening on 127.0.0.1:PORT" on its own line.

#include "connection.h"
#include "tls.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <unistd.h>

using namespace kestrix::sampleserver;

namespace {

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "kestrix-sample-server: %s\n", qPrintable(message));
    std::exit(2);
}

// The number of option, at most max; fails on anything else.
uint number(const QCommandLineParser& parser, const QCommandLineOption& option, uint max) {
    bool ok = false;
    const uint n = parser.value(option).toUInt(&ok);
    if (!ok || n > max) fail("bad --" + option.names().first() + ' ' + parser.value(option));
    return n;
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
    const QCommandLineOption agentlog(
        "agent-log", "Append the User-Agent of every request to FILE (empty line for none).",
        "FILE");
    const QCommandLineOption rules(
        "rules", "Misbehaviour rules, read on every request: \"[N*] SUBSTRING ACTION [ARGS]\".",
        "FILE");
    const QCommandLineOption cert(
        "tls-cert", "PEM certificate: answer CONNECT by opening a TLS tunnel.", "FILE");
    const QCommandLineOption key("tls-key", "PEM private key of --tls-cert.", "FILE");
    const QCommandLineOption httpsonly(
        "https-only", "Answer every request outside TLS with a 301 to its https address.");
    const QCommandLineOption hsts("hsts", "Send Strict-Transport-Security with answers over TLS.");
    const QCommandLineOption latency("latency", "Delay every answer by MS milliseconds.", "MS",
                                     "0");
    const QCommandLineOption withparent(
        "exit-with-parent", "End when the process that started the server ends, however it ends.");
    parser.addOptions(
        {data, port, log, agentlog, rules, cert, key, httpsonly, hsts, latency, withparent});
    parser.process(app);
    // A test that crashes must not leave its server running.
    if (parser.isSet(withparent) && (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() == 1)) {
        return 0;
    }

    if (!parser.positionalArguments().isEmpty()) fail("unexpected argument; see --help");
    Context context;
    Settings& settings = context.settings;
    settings.datadir = parser.value(data);
    if (settings.datadir.isEmpty()) fail("--data DIR is required");
    if (!QDir(settings.datadir).exists()) fail("no sample folder " + settings.datadir);
    const uint portnumber = number(parser, port, 65535);
    settings.latencyms = int(number(parser, latency, 3600 * 1000));
    settings.httpsonly = parser.isSet(httpsonly);
    settings.hsts = parser.isSet(hsts);
    if (parser.isSet(cert) != parser.isSet(key)) fail("--tls-cert and --tls-key go together");
    if (parser.isSet(cert)) {
        QString error;
        settings.tls = loadtls(parser.value(cert), parser.value(key), error);
        if (!settings.tls) fail(error);
    }
    context.rules = Rules(parser.value(rules));
    if (!context.log.open(parser.value(log))) fail("cannot open the log " + parser.value(log));
    if (!context.agentlog.open(parser.value(agentlog))) {
        fail("cannot open the agent log " + parser.value(agentlog));
    }

    Listener server(settings.tls.has_value());
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            new Connection(socket, context);
        }
    });
    if (!server.listen(QHostAddress::LocalHost, quint16(portnumber))) {
        fail("cannot listen: " + server.errorString());
    }
    std::printf("listening on 127.0.0.1:%u\n", unsigned(server.serverPort()));
    std::fflush(stdout);
    return app.exec();
}
