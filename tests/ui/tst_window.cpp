// The window as a desktop window: at the design size every control sits where the design puts
// it; larger, the list and the panel grow and the bottom rows keep to the bottom; never smaller
// than the design; Ctrl+C copies the list for a spreadsheet.

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

QRect twips(int left, int top, int width, int height) {
    const auto px = [](int t) { return int(std::lround(t / 15.0)); };
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace

class TestWindow : public QObject, WindowFixture {
    Q_OBJECT
    QWidget* client() const { return form_->centralWidget(); }

    void resize(int width, int height) {
        form_->resize(width, height);
        QCoreApplication::processEvents();
    }

  private slots:
    void initTestCase() { QVERIFY(startserver(QStringLiteral("server"))); }
    void cleanup() { form_.reset(); }

    // The design's places, and a click there lands on the control.
    void designsize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("formula box") << "txtMF" << twips(120, 360, 1935, 375);
        QTest::newRow("button") << "Command1" << twips(2160, 360, 1455, 375);
        QTest::newRow("list") << "List1" << twips(-4560, 1200, 10815, 3960);
        QTest::newRow("panel") << "Frame1" << twips(6200, 1080, 4215, 4095);
        QTest::newRow("data box") << "Label2" << twips(120, 240, 3975, 1695);
        QTest::newRow("picture") << "Picture1" << twips(480, 2040, 2895, 1935);
        QTest::newRow("sort by property") << "Check1_2" << twips(120, 5280, 1935, 255);
        QTest::newRow("text") << "Label4" << twips(4200, 5520, 6015, 855);
        QTest::newRow("property cover") << "Frame2" << QRect(0, 83, 110, 257);
    }
    void designsize() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        newwindow();
        form_->show();
        QCOMPARE(client()->size(), twips(0, 0, 10665, 6660).size());
        auto* widget = form_->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), place);
        if (name == QLatin1String("Command1")) {
            QCOMPARE(client()->childAt(place.center()), widget);
            QTest::mouseClick(widget, Qt::LeftButton, {},
                              widget->mapFrom(client(), place.center()));
            QTRY_VERIFY(form_->Command1->text() == QLatin1String("Search") &&
                        form_->List1->count() == 3);
        }
    }

    // At 1400 x 900 the list grows both ways, the panel moves and grows with the right-hand
    // side, the bottom rows and the corner link keep their distance to the edges, and Frame2
    // still covers the property column.
    void growswiththewindow() {
        newwindow();
        form_->show();
        search(QStringLiteral("C5H12"));
        const QSize before = client()->size();
        const auto at = [this](QWidget* w) { return w->geometry(); };
        const QRect list = at(form_->List1), panel = at(form_->Frame1),
                    picture = at(form_->Picture1), box = at(form_->Check1[sortbyproperty]),
                    corner = at(form_->Label6), text = at(form_->Label4);
        resize(1400, 900);
        const QSize after = client()->size();
        const int dw = after.width() - before.width(), dh = after.height() - before.height();
        QVERIFY(dw > 600 && dh > 400);
        QCOMPARE(at(form_->List1).height(), list.height() + dh);
        QVERIFY(at(form_->List1).width() > list.width() + dw / 3);
        // The list and the panel keep their overlap: the list's growth is the panel's move.
        QCOMPARE(at(form_->List1).right() - at(form_->Frame1).left(), list.right() - panel.left());
        QCOMPARE(at(form_->Frame1).left() - panel.left(), dw / 2);
        QCOMPARE(at(form_->Frame1).right(), panel.right() + dw);
        QCOMPARE(at(form_->Picture1).size(), picture.size() + QSize(dw - dw / 2, dh));
        QCOMPARE(after.height() - at(form_->Check1[sortbyproperty]).top(),
                 before.height() - box.top());
        QCOMPARE(after.width() - at(form_->Label6).left(), before.width() - corner.left());
        QCOMPARE(after.height() - at(form_->Label6).top(), before.height() - corner.top());
        QCOMPARE(after.height() - at(form_->Label4).top(), before.height() - text.top());
        QCOMPARE(at(form_->Frame2).top(), at(form_->List1).top() + 3);
        QCOMPARE(at(form_->Frame2).height(), at(form_->List1).height() - 7);
        // More of the list shows: all 40 rows of a long list would fit where 9 did.
        QVERIFY(form_->List1->viewport()->height() > 2 * list.height());
        QVERIFY(!form_->Picture1->pixmap().isNull());

        resize(300, 200); // never below the design size
        QCOMPARE(client()->size(), before);
        QCOMPARE(at(form_->List1), list);
    }

    // Ctrl+C in the list: a header and one row per compound, tab-separated, in the list's unit.
    void copyasrows() {
        newwindow();
        form_->show();
        form_->Option1[celsius]->setChecked(true);
        search(QStringLiteral("C5H12"));
        form_->List1->setFocus();
        QTest::keyClick(form_->List1, Qt::Key_C, Qt::ControlModifier);
        const QStringList rows =
            QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0], QStringLiteral("Name\tBP (oC)\tCAS#\tFormula\tMW"));
        QCOMPARE(rows[1].split(QLatin1Char('\t')),
                 (QStringList{"2,2-dimethylpropane", "9.4", "463-82-1", "C5H12", "72.1488"}));
        QCOMPARE(rows[3].split(QLatin1Char('\t')),
                 (QStringList{"pentane", "36", "109-66-0", "C5H12", "72.1488"}));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
