#include "ui/controls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "platform/textcodec.h"
#include "ui/layout.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"
#include "web/server.h"

namespace kestrix {

namespace {

QFont sansserif(double points) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

// The name is the object name too; the layout places the widget by it.
template <typename Item> Item* named(Item* item, const char* name) {
    item->setObjectName(QString::fromLatin1(name));
    return item;
}

} // namespace

void Form1Controls::setupcontrols(QMainWindow* window) {
    window->setObjectName(QStringLiteral("Form1"));
    window->setFont(sansserif(8.25));
    window->setWindowTitle(
        QStringLiteral("National Institute of Standards and Technology Kestrix - Chemistry"));
    auto* client = new QWidget(window);
    // The window grows, never below the design size; the controls follow its size.
    client->setMinimumSize(layout::designsize());
    window->setCentralWidget(client);
    const auto label = [client](const char* name, const QString& text) {
        auto* label = named(new QLabel(text, client), name);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    };
    Label1 = label("Label1", QStringLiteral("Molecular Formula"));
    txtMF = named(new QLineEdit(QStringLiteral("C5H12"), client), "txtMF");
    txtMF->setToolTip(QStringLiteral(
        "A molecular formula (C5H12), a CAS registry number (109-66-0) or a compound name "
        "(pentane)"));
    txtMF->setPlaceholderText(QStringLiteral("formula, CAS number or name"));
    Command1 = named(new QPushButton(QStringLiteral("Search"), client), "Command1");
    Label5 = label("Label5", QStringLiteral("name must contain...."));
    txtSearch = named(new QLineEdit(client), "txtSearch");
    Combo1 = named(new QComboBox(client), "Combo1");
    Option1[kelvin] = named(new QRadioButton(QStringLiteral("Kelvin"), client), "Option1_0");
    Option1[kelvin]->setChecked(true);
    Option1[celsius] = named(new QRadioButton(QStringLiteral("Celcius"), client), "Option1_1");

    List1 = named(new ListBox(client), "List1");
    List1->setFont(sansserif(12));
    Frame3 = named(new QFrame(client), "Frame3");
    Frame2 = named(new QFrame(client), "Frame2");
    Frame1 = named(new QFrame(client), "Frame1");
    for (QFrame* frame : {Frame3, Frame2, Frame1}) frame->setAutoFillBackground(true);
    Label2 = named(new QPlainTextEdit(Frame1), "Label2");
    Label2->setFont(sansserif(12));
    Label2->setReadOnly(true);
    QPalette face = Label2->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    Label2->setPalette(face);
    Picture1 = named(new QLabel(Frame1), "Picture1");
    Picture1->setAlignment(Qt::AlignCenter);

    const char* checkcaptions[] = {"show property", "show structures", "sort by property",
                                   "sort alphabetically"};
    const char* checknames[] = {"Check1_0", "Check1_1", "Check1_2", "Check1_3"};
    for (int i = 0; i < int(Check1.size()); ++i) {
        Check1[i] =
            named(new QCheckBox(QString::fromLatin1(checkcaptions[i]), client), checknames[i]);
        Check1[i]->setChecked(i != sortalphabetically);
    }

    const auto link = [client](const char* name, const char* caption) {
        return named(new LinkLabel(QString::fromLatin1(caption), client), name);
    };
    lbl3D = link("lbl3D", "3-D Chime");
    lblMSDS = link("lblMSDS", "MSDS");
    lblChemFinder = link("lblChemFinder", "ChemFinder");
    lblDetails = link("lblDetails", "NIST");
    Label6 = link("Label6", "NIST");

    Label4 = label("Label4", {});
    Label4->setWordWrap(true);
    showintro();

    Timer1 = named(new QTimer(window), "Timer1");
    Timer1->setInterval(10);

    setupaccess();
    txtMF->setFocus();
    // Every control at its design place, and following the window's size from now on.
    layout::arrange(client);
    layout::follow(client);
    setupmenus(window);
}

void Form1Controls::showintro() {
    const std::string home = server::chemistryhome();
    Label4->setText(QStringLiteral("KESTRIX.EXE searches at the National Institute of Standards "
                                   "and Technology Chemistry Kestrix (%1) for information based "
                                   "on molecular formula. You can find the program at %2")
                        .arg(shown(home.substr(0, home.size() - 1)),
                             QStringLiteral("http://kestrix.example.org/")));
}

void Form1Controls::setupaccess() {
    Label1->setBuddy(txtMF);
    Label5->setBuddy(txtSearch);
    const auto name = [](QWidget* widget, const char* text, const char* description = nullptr) {
        widget->setAccessibleName(QString::fromLatin1(text));
        if (description) widget->setAccessibleDescription(QString::fromLatin1(description));
    };
    name(txtMF, "Molecular formula, CAS number or name",
         "What to search for: a molecular formula such as C5H12, a CAS registry number such as "
         "109-66-0, or a compound name such as pentane. Enter searches.");
    name(Command1, "Search", "Searches for the text of the formula box; while searching, stops.");
    name(txtSearch, "Name must contain", "Lists only the compounds whose name contains this text.");
    name(Combo1, "Property",
         "The property listed beside each compound: boiling point (BP) or "
         "melting point (MP).");
    name(Option1[kelvin], "Kelvin");
    name(Option1[celsius], "Celsius");
    name(List1, "Compounds found",
         "Each row: the compound's name, the property, its value and "
         "unit. Ctrl+C copies the list.");
    name(Label2, "Compound data",
         "The CAS number, formula, molecular weight, name and property "
         "of the compound selected.");
    name(Picture1, "Structure drawing");
    name(lbl3D, "3-D structure file");
    name(lblMSDS, "Supplier's catalogue and safety data sheet");
    name(lblChemFinder, "Public compound database");
    name(lblDetails, "Stored NIST page of the compound");
    name(Label6, "NIST chemistry home page");
    name(Label4, "About the program");
    // A read-only text box still takes Tab for itself unless told.
    Label2->setTabChangesFocus(true);

    // Tab goes through the controls as they read: row by row, left to right.
    QWidget* order[] = {txtMF,
                        Command1,
                        txtSearch,
                        Combo1,
                        Option1[kelvin],
                        Option1[celsius],
                        List1,
                        Label2,
                        Check1[sortbyproperty],
                        Check1[showproperty],
                        lbl3D,
                        lblMSDS,
                        lblChemFinder,
                        lblDetails,
                        Check1[sortalphabetically],
                        Check1[showstructures],
                        Label6};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void Form1Controls::setupmenus(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    mnuF = named(bar->addMenu(QStringLiteral("&File")), "mnuF");
    mnuExit = named(mnuF->addAction(QStringLiteral("E&xit")), "mnuExit");
    mnuOpt = named(bar->addMenu(QStringLiteral("&Options")), "mnuOpt");
    mnuClearCache = named(mnuOpt->addAction(QStringLiteral("&Clear Cache")), "mnuClearCache");
    optGotoNIST = named(mnuOpt->addAction(QStringLiteral("&Go to NIST Every Time")), "optGotoNIST");
    optGotoNIST->setCheckable(true);
    mnuServer = named(mnuOpt->addAction(QString::fromUtf8("&Server\u2026")), "mnuServer");

    mnuTab = named(bar->addMenu(QStringLiteral("&Tabulate")), "mnuTab");
    optTemp = named(mnuTab->addAction(QStringLiteral("&Temperatures")), "optTemp");
    named(mnuTab->addSeparator(), "sepT1");
    OptPhaseChange =
        named(mnuTab->addAction(QStringLiteral("&Phase Change H, S")), "OptPhaseChange");
    named(mnuTab->addSeparator(), "sept4");
    optGasHS =
        named(mnuTab->addAction(QStringLiteral("&Gas, Liquid, and Solid  H and S")), "optGasHS");
    named(mnuTab->addSeparator(), "sept2");
    for (QAction* group : {optTemp, OptPhaseChange, optGasHS}) group->setCheckable(true);
    optTemp->setChecked(true);
    mnuCreateTab = named(mnuTab->addAction(QStringLiteral("&HTML Tabulation")), "mnuCreateTab");
    mnuTabulateExcel =
        named(mnuTab->addAction(QStringLiteral("&Excel (CSV) Tabulation")), "mnuTabulateExcel");
    mnuAbout = named(bar->addAction(QStringLiteral("&About")), "mnuAbout");
}

} // namespace kestrix
