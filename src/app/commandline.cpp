#include "app/commandline.h"

#include <QCoreApplication>
#include <cstdlib>
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/desktop.h"
#include "platform/qttransfer.h"
#include "search/console.h"
#include "web/cache.h"

namespace kestrix {

namespace {

int terminalcolumns() {
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS"); columns && std::atoi(columns) > 0) {
        return std::atoi(columns);
    }
    return 80;
}

} // namespace

int runcommandline(const Command& command, int& argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrix"));
    QtTransfer transfer;
    QtEvents events;
    Console console{std::cout, std::cerr, isatty(STDOUT_FILENO) == 1, isatty(STDERR_FILENO) == 1,
                    terminalcolumns()};
    return runcommand(command, transfer, events, defaultcachedir(), console);
}

} // namespace kestrix
