#include <QApplication>
#include <QLineEdit>
#include <cstdio>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "core/version.h"
#include "search/arguments.h"
#include "ui/form1.h"

namespace {

std::vector<std::string> argumentsof(int argc, char* argv[]) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

int usageerror(const kestrix::Command& command) {
    std::fprintf(stderr, "kestrix: %s\n%s", command.error.c_str(), kestrix::usagetext().c_str());
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    using kestrix::CommandKind;
    // The command line is decided before any application object, so that it needs no display.
    kestrix::Command command = kestrix::parsearguments(argumentsof(argc, argv));
    switch (command.kind) {
    case CommandKind::help:
        std::fputs(kestrix::helptext().c_str(), stdout);
        return 0;
    case CommandKind::version:
        std::printf("kestrix %.*s\n", int(kestrix::version.size()), kestrix::version.data());
        return 0;
    case CommandKind::usage:
        return usageerror(command);
    case CommandKind::search:
    case CommandKind::tabulate:
        return kestrix::runcommandline(command, argc, argv);
    case CommandKind::window:
        break;
    }

    QApplication app(argc, argv);
    // The toolkit has taken its own options out of argv; whatever option is left is unknown.
    command = kestrix::parsearguments(argumentsof(argc, argv));
    if (!command.toolkitoptions.empty()) {
        command.error = "unknown option " + command.toolkitoptions.front();
        return usageerror(command);
    }
    QApplication::setApplicationName(QStringLiteral("Kestrix"));
    QApplication::setDesktopFileName(QStringLiteral("kestrix"));
    kestrix::Form1 window;
    // The start-up search searches the query given instead of the box's own formula.
    if (!command.query.empty()) window.txtMF->setText(QString::fromLocal8Bit(command.query));
    window.show();
    return app.exec();
}
