// The window as a desktop window: at the design size every control sits where the design puts
// it, in reading order, uncovered and inside the window, the list's hidden columns out of sight;
// larger, the list and the panel grow and the bottom rows keep to the bottom; never smaller than
// the design; Ctrl+C copies the list for a spreadsheet.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ui/form1.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

// The controls directly on the client area that take clicks or show text, none covering
// another; the list and the frames over it are checked on their own.
const char* const controls[] = {"Label1",     "txtMF",     "Command1",  "Label5",   "txtSearch",
                                "Combo1",     "Option1_0", "Option1_1", "Check1_0", "Check1_1",
                                "Check1_2",   "Check1_3",  "lbl3D",     "lblMSDS",  "lblChemFinder",
                                "lblDetails", "Label4",    "Label6",    "Frame1"};

// How two controls sit to each other, as the design shows them.
enum class Side { leftof, above };
struct Order {
    const char *first, *second;
    Side side;
};
const Order reading[] = {
    {"Label1", "txtMF", Side::above},           {"Label5", "txtSearch", Side::above},
    {"txtMF", "Command1", Side::leftof},        {"Command1", "txtSearch", Side::leftof},
    {"txtMF", "Combo1", Side::above},           {"Combo1", "Option1_0", Side::leftof},
    {"Option1_0", "Option1_1", Side::leftof},   {"Combo1", "List1", Side::above},
    {"Option1_1", "List1", Side::above},        {"List1", "Check1_2", Side::above},
    {"Check1_2", "Check1_0", Side::leftof},     {"Check1_2", "Check1_3", Side::above},
    {"Check1_3", "Check1_1", Side::leftof},     {"Check1_0", "Check1_1", Side::above},
    {"Frame1", "lbl3D", Side::above},           {"lbl3D", "lblMSDS", Side::leftof},
    {"lblMSDS", "lblChemFinder", Side::leftof}, {"lblChemFinder", "lblDetails", Side::leftof},
    {"lblDetails", "Label4", Side::above},      {"Check1_0", "Label4", Side::leftof},
    {"Label2", "Picture1", Side::above},        {"Label4", "Label6", Side::above},
};

bool rowsoverlap(const QRect& a, const QRect& b) {
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

} // namespace

class TestWindow : public QObject, WindowFixture {
    Q_OBJECT
    QWidget* client() const { return form_->centralWidget(); }
    QWidget* widget(const char* name) const {
        return form_->findChild<QWidget*>(QString::fromLatin1(name));
    }
    // A control's place on the client area.
    QRect at(const char* name) const {
        QWidget* w = widget(name);
        return QRect(w->mapTo(client(), QPoint(0, 0)), w->size());
    }
    // What of it shows: a label's caption takes its top left corner, the rest of the label
    // (the design's labels are taller than their text) may lie under the next control.
    QRect shown(const char* name) const {
        const QRect place = at(name);
        const auto* label = qobject_cast<QLabel*>(widget(name));
        if (!label) return place;
        const int height =
            label->wordWrap() ? label->heightForWidth(place.width()) : label->sizeHint().height();
        return QRect(place.topLeft(), QSize(std::min(place.width(), label->sizeHint().width()),
                                            std::min(place.height(), height)));
    }

    void resize(int width, int height) {
        form_->resize(width, height);
        QCoreApplication::processEvents();
    }

    // Where the design puts things, as seen on the client area of any size: each control shown
    // whole inside it and in reading order, uncovered, none over another; the list reaching
    // past the left edge so that its first visible column is the property, which Frame2 covers
    // in every row when "show property" is off; the names between Frame2 and the panel.
    void checkplaces() {
        const QRect area = client()->rect();
        for (const char* name : controls) {
            QWidget* w = widget(name);
            QVERIFY2(w && w->isVisible(), name);
            QVERIFY2(area.contains(at(name)) && !shown(name).isEmpty(), name);
            if (qobject_cast<QFrame*>(w) && !qobject_cast<QLabel*>(w)) continue;
            QWidget* hit = client()->childAt(shown(name).center());
            QVERIFY2(hit == w || w->isAncestorOf(hit), name);
        }
        for (std::size_t i = 0; i < std::size(controls); ++i) {
            for (std::size_t j = i + 1; j < std::size(controls); ++j) {
                const char *a = controls[i], *b = controls[j];
                const QRect common = shown(a).intersected(shown(b));
                // The design's check box rows share one line of pixels.
                QVERIFY2(common.width() <= 1 || common.height() <= 1,
                         qPrintable(
                             QStringLiteral("%1 over %2").arg(QLatin1String(a), QLatin1String(b))));
            }
        }
        for (const Order& o : reading) {
            const QRect a = shown(o.first), b = shown(o.second);
            // One line of pixels may be shared, as the design's neighbours share it.
            const bool ok = o.side == Side::above ? a.bottom() <= b.top()
                                                  : a.right() <= b.left() && rowsoverlap(a, b);
            QVERIFY2(ok,
                     qPrintable(QStringLiteral("%1 %2 %3")
                                    .arg(QLatin1String(o.first),
                                         QLatin1String(o.side == Side::above ? "above" : "left of"),
                                         QLatin1String(o.second))));
        }
        QVERIFY(at("Frame1").contains(at("Label2")) && at("Frame1").contains(at("Picture1")));

        // The list's columns on the client area: the sort key and the identifier start left of
        // its edge (they are never drawn), the property is the first column that shows.
        ListBox& list = *form_->List1;
        const QRect listed = at("List1");
        QVERIFY(listed.left() < 0 && area.contains(listed.adjusted(-listed.left(), 0, 0, 0)));
        const std::vector<int> xs = list.fieldpositions(
            QStringLiteral("0309.200\tC10043922\tBP 309.2\tpentane\tFormula=C5H12"));
        const int origin = listed.left() + 2; // the delegate's margin
        const int property = origin + xs[2], name = origin + xs[3];
        QVERIFY2(property >= 0 && origin + xs[1] < 0, qPrintable(QString::number(property)));
        form_->Check1[showproperty]->setChecked(false);
        form_->Check1_Click(showproperty);
        const QRect cover = at("Frame2");
        QVERIFY(cover.left() <= property && cover.right() < name);
        QVERIFY(name + 8 * list.dialogunit() < at("Frame1").left()); // the names show
        for (int row = 0; row < list.count(); ++row) {
            const QRect r = list.visualItemRect(list.item(row));
            const int middle = list.viewport()->mapTo(client(), r.center()).y();
            if (middle > listed.bottom()) break;
            QVERIFY2(middle > cover.top() && middle < cover.bottom(),
                     qPrintable(QString::number(row)));
        }
        form_->Check1[showproperty]->setChecked(true);
        form_->Check1_Click(showproperty);
        QVERIFY(form_->Frame2->isHidden());
    }

  private slots:
    void initTestCase() { QVERIFY(startserver(QStringLiteral("server"))); }
    void cleanup() { form_.reset(); }

    // At the design size: the places, and a click on the button's place starts a search.
    void designplaces() {
        newwindow();
        form_->show();
        QCOMPARE(client()->size(), QSize(711, 444)); // 10665 x 6660 twips
        const QPoint button = at("Command1").center();
        QCOMPARE(client()->childAt(button), form_->Command1);
        QTest::mouseClick(client()->childAt(button), Qt::LeftButton, {},
                          form_->Command1->mapFrom(client(), button));
        QTRY_VERIFY(form_->Command1->text() == QLatin1String("Search") &&
                    form_->List1->count() == 3);
        checkplaces(); // with the links' captions of the compound shown
    }

    // At 1400 x 900 the list grows both ways, the panel moves and grows with the right-hand
    // side, the bottom rows and the corner link keep their distance to the edges, and the
    // places still hold.
    void growswiththewindow() {
        newwindow();
        form_->show();
        search(QStringLiteral("C5H12"));
        const QSize before = client()->size();
        const QRect list = at("List1"), panel = at("Frame1"), picture = at("Picture1"),
                    box = at("Check1_2"), link = at("lbl3D"), corner = at("Label6"),
                    text = at("Label4");
        resize(1400, 900);
        const QSize after = client()->size();
        const int dw = after.width() - before.width(), dh = after.height() - before.height();
        QVERIFY(dw > 600 && dh > 400);
        checkplaces();
        // The list: same top-left corner, to the same distance from the bottom, wider.
        QCOMPARE(at("List1").topLeft(), list.topLeft());
        QCOMPARE(after.height() - at("List1").bottom(), before.height() - list.bottom());
        QVERIFY(at("List1").width() > list.width() + dw / 3);
        // The panel: keeps its overlap with the list and its distances to the right and bottom.
        QCOMPARE(at("List1").right() - at("Frame1").left(), list.right() - panel.left());
        QCOMPARE(after.width() - at("Frame1").right(), before.width() - panel.right());
        QCOMPARE(after.height() - at("Frame1").bottom(), before.height() - panel.bottom());
        QCOMPARE(at("Frame1").top(), panel.top());
        QVERIFY(at("Picture1").width() > picture.width() &&
                at("Picture1").height() > picture.height());
        // The bottom rows keep to the bottom; the links move with the panel.
        QCOMPARE(at("Check1_2").left(), box.left());
        QCOMPARE(after.height() - at("Check1_2").top(), before.height() - box.top());
        QCOMPARE(after.height() - at("lbl3D").top(), before.height() - link.top());
        QCOMPARE(at("lbl3D").left() - at("Frame1").left(), link.left() - panel.left());
        QCOMPARE(after.height() - at("Label4").top(), before.height() - text.top());
        QCOMPARE(after.width() - at("Label6").left(), before.width() - corner.left());
        QCOMPARE(after.height() - at("Label6").top(), before.height() - corner.top());
        // More of the list shows: all 40 rows of a long list would fit where 9 did.
        QVERIFY(form_->List1->viewport()->height() > 2 * list.height());
        QVERIFY(!form_->Picture1->pixmap().isNull());

        resize(300, 200); // never below the design size
        QCOMPARE(client()->size(), before);
        QCOMPARE(at("List1"), list);
    }

    // Ctrl+C in the list: a header and one row per compound, tab-separated, in the list's unit.
    void copyasrows() {
        newwindow();
        form_->show();
        form_->Option1[celsius]->setChecked(true);
        search(QStringLiteral("C5H12"));
        form_->List1->setFocus();
        QTest::keyClick(form_->List1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Name\tBP (oC)\tCAS#\tFormula\tMW\n"
                                "2,2-dimethylpropane\t9.4\t463-82-1\tC5H12\t72.1488\n"
                                "2-methylbutane\t28\t78-78-4\tC5H12\t72.1488\n"
                                "pentane\t36\t109-66-0\tC5H12\t72.1488\n"));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
