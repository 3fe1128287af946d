// The window's handlers: enabling, the search trigger, the check boxes, the list, the links and
// the menus.

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStringListModel>
#include <QTimer>

#include "compound/links.h"
#include "compound/panel.h"
#include "core/version.h"
#include "platform/textcodec.h"
#include "search/tabulatedata.h"
#include "tabulate/listtext.h"
#include "ui/form1.h"
#include "ui/hostdialog.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"
#include "ui/parts.h"
#include "web/cache.h"
#include "web/server.h"

namespace kestrix {

namespace {
// The other box of the sort pair.
int sortpartner(int index) {
    return index == sortbyproperty ? sortalphabetically : sortbyproperty;
}
} // namespace

void Form1::connecthandlers() {
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(txtMF, &QLineEdit::returnPressed, this, [this] { settrigger("search"); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { settrigger("search"); });
    for (QRadioButton* option : Option1) {
        connect(option, &QRadioButton::clicked, this, [this] { settrigger("search"); });
    }
    for (int i = 0; i < int(Check1.size()); ++i) {
        connect(Check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
    }
    connect(List1, &QListWidget::currentRowChanged, this, &Form1::List1_Click);
    connect(List1, &ListBox::currentclicked, this, &Form1::List1_Click);
    connect(List1, &ListBox::copyrequested, this, [this] {
        const std::string text = listtext(List1->compounds(), parts_->search.listedinkelvin());
        QGuiApplication::clipboard()->setText(shown(text));
    });
    const std::pair<LinkLabel*, Link> links[] = {{lblDetails, Link::details},
                                                 {lbl3D, Link::threed},
                                                 {lblMSDS, Link::msds},
                                                 {lblChemFinder, Link::chemfinder},
                                                 {Label6, Link::nist}};
    for (auto [label, link] : links) {
        connect(label, &LinkLabel::clicked, this,
                [this, label, link] { parts_->opener->open(linktarget(link, label->tag)); });
    }
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuClearCache, &QAction::triggered, this, [this] {
        clearcache(scachedir, messages());
        refreshcompletions();
    });
    connect(mnuServer, &QAction::triggered, this, [this] {
        if (askforhost() && List1->listcount() == 0) {
            List1->setnote(
                shown("The server is " + std::string(server::host()) + ". Search asks it."));
        }
    });
    // Escape while searching is STOP; otherwise it leaves the controls alone.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (parts_->search.searching()) Command1_Click();
    });
    completions_ = new QStringListModel(this);
    auto* completer = new QCompleter(completions_, this);
    completer->setObjectName(QStringLiteral("txtMFCompleter"));
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    txtMF->setCompleter(completer);
    // Choosing a question the cache holds searches it.
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& question) {
                txtMF->setText(question);
                settrigger("search");
            });
    for (QAction* group : {optTemp, OptPhaseChange, optGasHS}) {
        connect(group, &QAction::triggered, this, [this] { settrigger("tab"); });
    }
    connect(mnuCreateTab, &QAction::triggered, this, [this] { tabulatedata(false); });
    connect(mnuTabulateExcel, &QAction::triggered, this, [this] { tabulatedata(true); });
    connect(mnuAbout, &QAction::triggered, this, [this] {
        messages().message("kestrix.exe version " + std::string(version) +
                           " was written by the Kestrix developers, kestrix@example.org. Note "
                           "that NIST does not necessarily use the preferred IUPAC name in their "
                           "database.");
    });
}

short Form1::isearching() const {
    return parts_->search.searching() ? -1 : 0;
}

void Form1::setenables(bool tf) {
    if (tf) {
        List1->hideprogress();
        refreshcompletions();
    }
    Combo1->setEnabled(tf);
    for (QCheckBox* box : Check1) box->setEnabled(tf);
    mnuCreateTab->setEnabled(tf);
    mnuTabulateExcel->setEnabled(tf);
    mnuOpt->menuAction()->setEnabled(tf);
    txtMF->setEnabled(tf);
    List1->setEnabled(tf);
    Command1->setText(tf ? QStringLiteral("Search") : QStringLiteral("STOP"));
}

void Form1::settrigger(const std::string& swhat) {
    const auto due = parts_->search.settrigger(swhat);
    if (!Timer1->isActive()) Timer1->start(int(due.count()));
}

void Form1::Timer1_Timer() {
    // Disarmed before the action, so that a choice made while a triggered search runs arms it
    // again; the search itself keeps any search from starting inside it.
    Timer1->stop();
    const Trigger& trigger = parts_->search.trigger();
    // A timer may fire a little early: the rest is waited out.
    if (trigger.armed() && trigger.remaining().count() > 0) {
        Timer1->start(int(trigger.remaining().count()));
        return;
    }
    if (parts_->search.triggerfired()) menuBar()->setActiveAction(mnuTab->menuAction());
}

const std::string& Form1::triggerword() const {
    return parts_->search.trigger().word();
}

void Form1::Command1_Click() {
    parts_->search.Command1_Click();
}

void Form1::Check1_Click(int index) {
    switch (index) {
    case showproperty:
        Frame2->setVisible(!Check1[showproperty]->isChecked());
        if (List1->currentRow() >= 0) List1_Click();
        break;
    case showstructures:
        if (List1->currentRow() >= 0) List1_Click();
        break;
    case sortbyproperty:
    case sortalphabetically:
        if (Check1[showproperty]->isEnabled()) {
            QCheckBox* partner = Check1[sortpartner(index)];
            const bool waschecked = partner->isChecked();
            Check1[showproperty]->setEnabled(false);
            partner->setChecked(false);
            // Unchecking the partner clicks it too; the disabled box 0 keeps that click from
            // touching the pair again.
            if (waschecked) Check1_Click(sortpartner(index));
            Check1[showproperty]->setEnabled(true);
        }
        settrigger("search");
        break;
    default:
        break;
    }
}

void Form1::List1_Click() {
    if (!List1->isEnabled() || List1->currentRow() < 0) return;
    parts_->search.showentry(static_cast<std::size_t>(List1->currentRow()));
}

void Form1::tabulatedata(bool isexcel) {
    const TabulationChoices choices{optTemp->isChecked(), OptPhaseChange->isChecked(),
                                    optGasHS->isChecked()};
    TabulationContext context{scachedir, messages(), *parts_->opener};
    kestrix::tabulatedata(isexcel, choices, List1->compounds(), txtMF->text().toStdString(),
                          context);
}

void Form1::wait(double t) {
    kestrix::wait(t, parts_->events);
}

MessageBoxes& Form1::messages() {
    return *parts_->messages;
}

bool Form1::askforhost() {
    const bool set = kestrix::askforhost(this, messages());
    showintro();
    return set;
}

void Form1::refreshcompletions() {
    QStringList questions;
    for (const std::string& question : cachedquestions(scachedir)) questions << shown(question);
    completions_->setStringList(questions);
}

} // namespace kestrix
