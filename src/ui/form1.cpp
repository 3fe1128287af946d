#include "ui/form1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QTimer>

#include "core/fields.h"
#include "core/version.h"
#include "platform/textcodec.h"
#include "ui/listbox.h"
#include "ui/parts.h"
#include "web/cache.h"
#include "web/server.h"

namespace kestrix {

Form1::Form1(Services services) {
    setupcontrols(this);
    Inet1 = new QtTransfer(services.timeoutms, this);
    Inet1->setObjectName(QStringLiteral("Inet1"));
    parts_ = std::make_unique<Parts>(*this, services);
    connecthandlers();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    stitle = windowTitle().toStdString() + " Version " + std::string(version);
    for (std::string_view code : fields::propertycodes) Combo1->addItem(shown(std::string(code)));
    Combo1->setCurrentIndex(0);

    scachedir = defaultcachedir();
    createcachedir(scachedir);
    parts_->images.scachedir = scachedir;
    settab(List1, "100,150,190,1220");
    // Frame2 lies over the left edge of the list: the layout keeps it there (layout::arrange).
    Frame2->setVisible(!Check1[showproperty]->isChecked());
    parts_->view.restorecaption();
    parts_->view.clearlinks();
    mnuCreateTab->setEnabled(false);
    mnuTabulateExcel->setEnabled(false);
    refreshcompletions();
    // With no server named, nothing is asked of any, not even at start-up; the list says why.
    if (server::placeholder()) {
        Timer1->stop();
        parts_->search.cleartrigger();
        List1->setnote(QStringLiteral(
            "No server host is set, so Kestrix asks no server. Choose Options, Server\u2026 to "
            "name the NIST chemistry data server; it is kept for every later run. (The "
            "environment variable KESTRIX_SERVER_HOST names one too.)"));
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    // The unload ends the program at once, also from inside a search, a transfer or a wait;
    // the nested event loops must not keep it alive. Cache files are replaced atomically, so
    // nothing is left half written.
    event->accept();
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace kestrix
