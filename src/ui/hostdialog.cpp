#include "ui/hostdialog.h"

#include <QInputDialog>
#include <QLineEdit>

#include "platform/textcodec.h"
#include "web/hostsetting.h"
#include "web/seams.h"
#include "web/server.h"

namespace kestrix {

bool askforhost(QWidget* parent, MessageBoxes& messages) {
    const std::string path = hostfilepath();
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ServerDialog"));
    dialog.setWindowTitle(QStringLiteral("Server"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setLabelText(
        shown("The host name of the NIST chemistry data server, as host or host:port. Kestrix "
              "keeps it in " +
              path + " for every later run."));
    std::string current = savedhost(path);
    if (current.empty() && !server::placeholder()) current = server::host();
    dialog.setTextValue(shown(current));
    dialog.setAccessibleName(QStringLiteral("Server host"));
    if (auto* box = dialog.findChild<QLineEdit*>()) box->setAccessibleName(QStringLiteral("Host"));
    for (;;) {
        if (dialog.exec() != QDialog::Accepted) return !server::placeholder();
        const std::string typed = dialog.textValue().toStdString();
        std::string problem;
        const std::string host = readhost(typed, &problem);
        if (host.empty()) {
            messages.message("\"" + typed + "\" is no server host: " + problem + ".");
            continue;
        }
        if (host == server::placeholderhost()) {
            messages.message(host + " is the placeholder that names no server.");
            continue;
        }
        if (const Failure kept = savehost(host, path); !kept.ok()) {
            messages.message("The host could not be kept in " + path + " (" + kept.reason +
                             "); it holds for this run only.");
        }
        if (server::hostfromenvironment()) {
            messages.message("KESTRIX_SERVER_HOST in the environment names " +
                             std::string(server::host()) + ", and stays the host while it does; " +
                             host + " is kept for the runs without it.");
        } else {
            server::sethost(host);
        }
        return !server::placeholder();
    }
}

} // namespace kestrix
