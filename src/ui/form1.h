#pragma once
// The one window: its controls under their own names, the window-level state, and the
// handlers that tie the search, the compound panel and the tabulation to them.

#include <QMainWindow>
#include <array>
#include <memory>
#include <random>
#include <string>

#include "compound/panel.h"
#include "web/fetcher.h"
#include "web/images.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace kestrix {

class DocumentOpener;
class LinkLabel;
class ListBox;
class QtEvents;
class QtTransfer;

// What the window uses of the desktop; tests put recorders in place.
struct Services {
    MessageBoxes* messages = nullptr; // QMessageBox when null
    DocumentOpener* opener = nullptr; // the desktop's default programs when null
    int transfertimeoutms = 30000;
    double searchpause = 2; // seconds after a search that fetched its result page
};

class Form1 : public QMainWindow, private TitleBar, private Panel {
    Q_OBJECT
  public:
    explicit Form1(Services services = {});
    ~Form1() override;

    // The window-level state.
    const std::string crlf = "\r\n";
    std::string stitle;
    short isearching = 0;
    std::string shtml;
    std::string scachedir;

    // The controls.
    QLabel* Label1;
    QLineEdit* txtMF;
    QPushButton* Command1;
    QLabel* Label5;
    QLineEdit* txtSearch;
    QComboBox* Combo1;
    std::array<QRadioButton*, 2> Option1;
    ListBox* List1;
    QFrame* Frame3;
    QFrame* Frame2;
    QFrame* Frame1;
    QPlainTextEdit* Label2;
    QLabel* Picture1;
    std::array<QCheckBox*, 4> Check1;
    LinkLabel* lbl3D;
    LinkLabel* lblMSDS;
    LinkLabel* lblChemFinder;
    LinkLabel* lblDetails;
    QLabel* Label4;
    LinkLabel* Label6;
    QTimer* Timer1;
    QtTransfer* Inet1;

    QMenu* mnuF;
    QAction* mnuExit;
    QMenu* mnuOpt;
    QAction* mnuClearCache;
    QAction* optGotoNIST;
    QMenu* mnuTab;
    QAction* optTemp;
    QAction* OptPhaseChange;
    QAction* optGasHS;
    QAction* mnuCreateTab;
    QAction* mnuTabulateExcel;
    QAction* mnuAbout;

    // The procedures of the window.
    void settab(ListBox* l, const std::string& ptstring);
    void setenables(bool tf);
    void settrigger(const std::string& swhat);
    void Command1_Click();
    void dosearch(bool ishowprop, bool ishowpic, bool isortprop, bool isortalpha, bool iforcenew,
                  const std::string& swhat, bool iskelvin);
    void List1_Click();
    void Check1_Click(int index);
    void tabulatedata(bool isexcel);
    void wait(double t) { fetcher_->wait(t); }
    std::string getHTMLpage(const std::string& surl, const std::string& cap) {
        return fetcher_->getHTMLpage(surl, cap);
    }
    // The pending action word of the search trigger.
    const std::string& triggerword() const { return triggerword_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildcontrols();
    void buildmenus();
    void Form_Load();
    void Timer1_Timer();
    void openlink(LinkLabel* label, Link link);
    void about();
    bool checkedbox(int index) const;
    MessageBoxes& messages() { return *messages_; }

    // TitleBar and Panel.
    void setcaption(const std::string& text) override;
    void setdatatext(const std::string& text) override;
    void setlink(Link link, const std::string& caption, const std::string& tag) override;
    void emptylinkcaptions() override;
    void clearpicture() override;
    void getgif(const std::string& sid) override;

    std::unique_ptr<MessageBoxes> ownmessages_;
    std::unique_ptr<DocumentOpener> ownopener_;
    std::unique_ptr<QtEvents> events_;
    std::unique_ptr<Fetcher> fetcher_;
    std::unique_ptr<Picture> picture_;
    MessageBoxes* messages_;
    DocumentOpener* opener_;
    std::string triggerword_;
    bool intick_ = false;
    double searchpause_ = 2;
    std::mt19937 random_;
};

} // namespace kestrix
