#pragma once
// The window's design: every control and menu under its own name (as its object name too),
// with its caption, font and initial state, placed where the design puts it.

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace kestrix {

class LinkLabel;
class ListBox;

// The indexes of the option check boxes Check1 and the unit buttons Option1.
enum CheckBox { showproperty, showstructures, sortbyproperty, sortalphabetically };
enum UnitButton { kelvin, celsius };

class Form1Controls {
  public:
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

    QMenu* mnuF;
    QAction* mnuExit;
    QMenu* mnuOpt;
    QAction* mnuClearCache;
    QAction* optGotoNIST;
    QAction* mnuServer; // names the server host, which is kept for later runs
    QMenu* mnuTab;
    QAction* optTemp;
    QAction* OptPhaseChange;
    QAction* optGasHS;
    QAction* mnuCreateTab;
    QAction* mnuTabulateExcel;
    QAction* mnuAbout;

  protected:
    // Creates the controls and menus of window in their design state.
    void setupcontrols(QMainWindow* window);
    // The explanatory text, which names the server's home page.
    void showintro();

  private:
    void setupmenus(QMainWindow* window);
    // Names and descriptions for screen readers, and the keyboard's reading order.
    void setupaccess();
};

} // namespace kestrix
