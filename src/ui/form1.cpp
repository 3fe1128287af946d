#include "ui/form1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "core/text.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"
#include "ui/qttransfer.h"
#include "ui/services.h"
#include "ui/textcodec.h"
#include "web/cache.h"
#include "web/server.h"

namespace kestrix {

namespace {

constexpr const char* version = "1.0d3";
constexpr const char* designcaption =
    "National Institute of Standards and Technology Kestrix - Chemistry";

// Positions are given in twips; 15 twips make one device-independent pixel.
int px(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}
QRect twips(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

QFont sansserif(double points) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

class PictureBox : public Picture {
  public:
    explicit PictureBox(QLabel* label) : label_(label) {}
    void clear() override { label_->clear(); }
    void load(const std::string& path) override {
        QPixmap picture;
        if (picture.load(QFile::decodeName(QByteArray::fromStdString(path)))) {
            label_->setPixmap(picture);
        } else {
            label_->clear();
        }
    }

  private:
    QLabel* label_;
};

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

Form1::Form1(Services services)
    : messages_(services.messages), opener_(services.opener), searchpause_(services.searchpause) {
    if (!messages_) {
        ownmessages_ = std::make_unique<QtMessageBoxes>(this);
        messages_ = ownmessages_.get();
    }
    if (!opener_) {
        ownopener_ = std::make_unique<DesktopOpener>();
        opener_ = ownopener_.get();
    }
    setObjectName(QStringLiteral("Form1"));
    setFont(sansserif(8.25));
    setWindowTitle(QString::fromLatin1(designcaption));
    Inet1 = named(new QtTransfer(services.transfertimeoutms, this), "Inet1");
    events_ = std::make_unique<QtEvents>();
    fetcher_ = std::make_unique<Fetcher>(*Inet1, static_cast<TitleBar&>(*this), *events_,
                                         *messages_, &shtml);
    buildcontrols();
    buildmenus();
    picture_ = std::make_unique<PictureBox>(Picture1);
    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildcontrols() {
    auto* client = new QWidget(this);
    client->setMinimumSize(px(10665), px(6660));
    setCentralWidget(client);

    Label1 = named(new QLabel(QStringLiteral("Molecular Formula"), client), "Label1");
    Label1->setGeometry(twips(120, 120, 1695, 375));
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtMF = named(new QLineEdit(QStringLiteral("C5H12"), client), "txtMF");
    txtMF->setGeometry(twips(120, 360, 1935, 375));
    Command1 = named(new QPushButton(QStringLiteral("Search"), client), "Command1");
    Command1->setGeometry(twips(2160, 360, 1455, 375));
    Label5 = named(new QLabel(QStringLiteral("name must contain...."), client), "Label5");
    Label5->setGeometry(twips(3720, 120, 1695, 375));
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtSearch = named(new QLineEdit(client), "txtSearch");
    txtSearch->setGeometry(twips(3720, 360, 1935, 375));
    Combo1 = named(new QComboBox(client), "Combo1");
    Combo1->setGeometry(twips(120, 840, 975, 315));
    Option1[0] = named(new QRadioButton(QStringLiteral("Kelvin"), client), "Option1_0");
    Option1[0]->setGeometry(twips(1200, 880, 975, 255));
    Option1[0]->setChecked(true);
    Option1[1] = named(new QRadioButton(QStringLiteral("Celcius"), client), "Option1_1");
    Option1[1]->setGeometry(twips(2280, 880, 975, 255));

    List1 = named(new ListBox(client), "List1");
    List1->setGeometry(twips(-4560, 1200, 10815, 3960));
    List1->setFont(sansserif(12));
    Frame3 = named(new QFrame(client), "Frame3");
    Frame3->setGeometry(twips(0, 1200, 100, 3975));
    Frame3->setAutoFillBackground(true);
    Frame2 = named(new QFrame(client), "Frame2");
    Frame2->setGeometry(twips(120, 1250, 1655, 3735));
    Frame2->setAutoFillBackground(true);
    Frame1 = named(new QFrame(client), "Frame1");
    Frame1->setGeometry(twips(6200, 1080, 4215, 4095));
    Frame1->setAutoFillBackground(true);
    Label2 = named(new QPlainTextEdit(Frame1), "Label2");
    Label2->setGeometry(twips(120, 240, 3975, 1695));
    Label2->setFont(sansserif(12));
    Label2->setReadOnly(true);
    QPalette face = Label2->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    Label2->setPalette(face);
    Picture1 = named(new QLabel(Frame1), "Picture1");
    Picture1->setGeometry(twips(480, 2040, 2895, 1935));
    Picture1->setAlignment(Qt::AlignCenter);

    const std::array<const char*, 4> checkcaptions = {"show property", "show structures",
                                                      "sort by property", "sort alphabetically"};
    const std::array<QRect, 4> checkplaces = {
        twips(2040, 5280, 1935, 255), twips(2040, 5520, 1935, 255), twips(120, 5280, 1935, 255),
        twips(120, 5520, 1935, 255)};
    for (int i = 0; i < 4; ++i) {
        Check1[i] = new QCheckBox(QString::fromLatin1(checkcaptions[i]), client);
        Check1[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        Check1[i]->setGeometry(checkplaces[i]);
        Check1[i]->setChecked(i != 3);
        connect(Check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
    }

    lbl3D = named(new LinkLabel(QStringLiteral("3-D Chime"), client), "lbl3D");
    lbl3D->move(px(6240), px(5280));
    lblMSDS = named(new LinkLabel(QStringLiteral("MSDS"), client), "lblMSDS");
    lblMSDS->move(px(7320), px(5280));
    lblChemFinder = named(new LinkLabel(QStringLiteral("ChemFinder"), client), "lblChemFinder");
    lblChemFinder->move(px(8160), px(5280));
    lblDetails = named(new LinkLabel(QStringLiteral("NIST"), client), "lblDetails");
    lblDetails->move(px(9360), px(5280));
    Label6 = named(new LinkLabel(QStringLiteral("NIST"), client), "Label6");
    Label6->move(px(9720), px(6400));

    const std::string home = server::chemistryhome();
    Label4 = named(new QLabel(client), "Label4");
    Label4->setGeometry(twips(4200, 5520, 6015, 855));
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label4->setText(
        QStringLiteral("KESTRIX.EXE searches at the National Institute of Standards and "
                       "Technology Chemistry Kestrix (%1) for information based on molecular "
                       "formula. You can find the program at %2")
            .arg(shown(home.substr(0, home.size() - 1)),
                 QStringLiteral("http://kestrix.example.org/")));

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(txtMF, &QLineEdit::returnPressed, this, [this] { settrigger("search"); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { settrigger("search"); });
    for (QRadioButton* option : Option1) {
        connect(option, &QRadioButton::clicked, this, [this] { settrigger("search"); });
    }
    connect(List1, &QListWidget::currentRowChanged, this, &Form1::List1_Click);
    connect(lblDetails, &LinkLabel::clicked, this, [this] { openlink(lblDetails, Link::details); });
    connect(lbl3D, &LinkLabel::clicked, this, [this] { openlink(lbl3D, Link::threed); });
    connect(lblMSDS, &LinkLabel::clicked, this, [this] { openlink(lblMSDS, Link::msds); });
    connect(lblChemFinder, &LinkLabel::clicked, this,
            [this] { openlink(lblChemFinder, Link::chemfinder); });
    connect(Label6, &LinkLabel::clicked, this, [this] { openlink(Label6, Link::nist); });

    // Focus order of the design.
    QWidget* order[] = {txtMF,     Command1, Check1[0], Check1[1], Check1[2],  Check1[3],
                        txtSearch, List1,    Label2,    Combo1,    Option1[0], Option1[1]};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    txtMF->setFocus();
}

void Form1::buildmenus() {
    QMenuBar* bar = menuBar();
    mnuF = named(bar->addMenu(QStringLiteral("&File")), "mnuF");
    mnuExit = named(mnuF->addAction(QStringLiteral("E&xit")), "mnuExit");
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);

    mnuOpt = named(bar->addMenu(QStringLiteral("&Options")), "mnuOpt");
    mnuClearCache = named(mnuOpt->addAction(QStringLiteral("&Clear Cache")), "mnuClearCache");
    connect(mnuClearCache, &QAction::triggered, this,
            [this] { clearcache(scachedir, messages()); });
    optGotoNIST = named(mnuOpt->addAction(QStringLiteral("&Go to NIST Every Time")), "optGotoNIST");
    optGotoNIST->setCheckable(true);

    mnuTab = named(bar->addMenu(QStringLiteral("&Tabulate")), "mnuTab");
    optTemp = named(mnuTab->addAction(QStringLiteral("&Temperatures")), "optTemp");
    named(mnuTab->addSeparator(), "sepT1");
    OptPhaseChange =
        named(mnuTab->addAction(QStringLiteral("&Phase Change H, S")), "OptPhaseChange");
    named(mnuTab->addSeparator(), "sept4");
    optGasHS =
        named(mnuTab->addAction(QStringLiteral("&Gas, Liquid, and Solid  H and S")), "optGasHS");
    named(mnuTab->addSeparator(), "sept2");
    for (QAction* group : {optTemp, OptPhaseChange, optGasHS}) {
        group->setCheckable(true);
        connect(group, &QAction::triggered, this, [this] { settrigger("tab"); });
    }
    optTemp->setChecked(true);
    mnuCreateTab = named(mnuTab->addAction(QStringLiteral("&HTML Tabulation")), "mnuCreateTab");
    connect(mnuCreateTab, &QAction::triggered, this, [this] { tabulatedata(false); });
    mnuTabulateExcel =
        named(mnuTab->addAction(QStringLiteral("&Excel (CSV) Tabulation")), "mnuTabulateExcel");
    connect(mnuTabulateExcel, &QAction::triggered, this, [this] { tabulatedata(true); });

    mnuAbout = named(bar->addAction(QStringLiteral("&About")), "mnuAbout");
    connect(mnuAbout, &QAction::triggered, this, &Form1::about);
}

void Form1::Form_Load() {
    random_.seed(
        static_cast<unsigned>(std::chrono::system_clock::now().time_since_epoch().count()));
    stitle = windowTitle().toStdString() + " Version " + version;
    Combo1->addItem(QStringLiteral("BP"));
    Combo1->addItem(QStringLiteral("MP"));
    Combo1->setCurrentIndex(0);

    scachedir = defaultcachedir();
    createcachedir(scachedir);
    settab(List1, "100,150,190,1220");
    Frame2->setGeometry(0, List1->y() + px(50), Frame2->width(), List1->height() - px(100));
    Frame2->setVisible(!Check1[0]->isChecked());
    fetcher_->setstitle(stitle);
    setcaption(stitle);
    emptylinkcaptions();
    mnuCreateTab->setEnabled(false);
    mnuTabulateExcel->setEnabled(false);
}

void Form1::settab(ListBox* l, const std::string& ptstring) {
    std::vector<int> stops;
    std::string copy = ptstring;
    while (!copy.empty() && stops.size() < 21) {
        const auto stop = parsestringforinteger(copy, ",");
        if (!stop) break;
        stops.push_back(*stop);
    }
    l->settabstops(std::move(stops));
}

void Form1::setenables(bool tf) {
    isearching = tf ? 0 : -1;
    Combo1->setEnabled(tf);
    for (QCheckBox* box : Check1) box->setEnabled(tf);
    mnuCreateTab->setEnabled(tf);
    mnuTabulateExcel->setEnabled(tf);
    mnuOpt->menuAction()->setEnabled(tf);
    txtMF->setEnabled(tf);
    List1->setEnabled(tf);
    Command1->setText(isearching ? QStringLiteral("STOP") : QStringLiteral("Search"));
}

void Form1::settrigger(const std::string& swhat) {
    triggerword_ = swhat;
    // While the trigger's own action runs, arming it again is dropped.
    if (!intick_ && !Timer1->isActive()) Timer1->start();
}

void Form1::Timer1_Timer() {
    Timer1->stop();
    intick_ = true;
    if (triggerword_ == "search") {
        Command1_Click();
    } else if (triggerword_ == "tab") {
        menuBar()->setActiveAction(mnuTab->menuAction());
    }
    intick_ = false;
}

bool Form1::checkedbox(int index) const {
    return Check1[index]->isChecked();
}

void Form1::Check1_Click(int index) {
    switch (index) {
    case 0:
        Frame2->setVisible(!Check1[0]->isChecked());
        if (List1->currentRow() >= 0) List1_Click();
        break;
    case 1:
        if (List1->currentRow() >= 0) List1_Click();
        break;
    case 2:
    case 3:
        if (Check1[0]->isEnabled()) {
            QCheckBox* partner = Check1[5 - index];
            const bool waschecked = partner->isChecked();
            Check1[0]->setEnabled(false);
            partner->setChecked(false);
            // Unchecking the partner clicks it too; the disabled box 0 keeps that click from
            // touching the pair again.
            if (waschecked) Check1_Click(5 - index);
            Check1[0]->setEnabled(true);
        }
        settrigger("search");
        break;
    default:
        break;
    }
}

void Form1::List1_Click() {
    if (!List1->isEnabled() || List1->currentRow() < 0) return;
    List1->setEnabled(false);
    showGif(List1->entry(List1->currentRow()), checkedbox(0), checkedbox(1),
            Option1[0]->isChecked(), scachedir, *this);
    List1->setEnabled(true);
    List1->setFocus();
}

void Form1::setcaption(const std::string& text) {
    setWindowTitle(shown(text));
}

void Form1::setdatatext(const std::string& text) {
    Label2->setPlainText(shown(text));
}

void Form1::setlink(Link link, const std::string& caption, const std::string& tag) {
    LinkLabel* label = link == Link::details      ? lblDetails
                       : link == Link::threed     ? lbl3D
                       : link == Link::msds       ? lblMSDS
                       : link == Link::chemfinder ? lblChemFinder
                                                  : Label6;
    label->setcaption(shown(caption));
    label->tag = tag;
}

void Form1::emptylinkcaptions() {
    for (LinkLabel* label : {lblDetails, lbl3D, lblMSDS, lblChemFinder}) label->setcaption({});
}

void Form1::clearpicture() {
    Picture1->clear();
}

void Form1::getgif(const std::string& sid) {
    ImageContext context{scachedir, stitle, *Inet1, *this, *picture_};
    kestrix::getgif(sid, context);
}

void Form1::openlink(LinkLabel* label, Link link) {
    opener_->open(linktarget(link, label->tag));
}

void Form1::about() {
    messages().message(std::string("kestrix.exe version ") + version +
                       " was written by the Kestrix developers, kestrix@example.org. Note that "
                       "NIST does not necessarily use the preferred IUPAC name in their "
                       "database.");
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
