#pragma once
// The one window: its controls under their own names, the window-level state, and the handlers
// that hand the user's actions to the formula search, the compound panel and the tabulation.

#include <QMainWindow>
#include <memory>
#include <string>

#include "ui/controls.h"
#include "ui/services.h"

class QStringListModel;

namespace kestrix {

class QtTransfer;

class Form1 : public QMainWindow, public Form1Controls {
    Q_OBJECT
  public:
    explicit Form1(Services services = {});
    ~Form1() override;

    // The window-level state.
    const std::string crlf = "\r\n";
    std::string stitle;
    // Whether a search is listing (-1) or not (0): the search's own state, shown here.
    short isearching() const;
    std::string shtml;
    std::string scachedir;

    // The HTTP transfer component.
    QtTransfer* Inet1;

    // The procedures and handlers of the window.
    void setenables(bool tf);
    void settrigger(const std::string& swhat);
    void Command1_Click();
    void List1_Click();
    void Check1_Click(int index);
    void tabulatedata(bool isexcel);
    void wait(double t);
    // The pending action word of the search trigger.
    const std::string& triggerword() const;
    // The server host dialog; true when a real host is then in effect.
    bool askforhost();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Parts;

    void connecthandlers();
    void Form_Load();
    void Timer1_Timer();
    MessageBoxes& messages();
    // The questions the page cache can answer, offered as the formula box is typed into.
    void refreshcompletions();

    std::unique_ptr<Parts> parts_;
    QStringListModel* completions_ = nullptr;
};

} // namespace kestrix
