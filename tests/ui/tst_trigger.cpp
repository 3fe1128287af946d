// The search trigger in the window and what arms it: one pending word, Enter, the sort pair,
// "show property" and the tabulation groups. No request leaves the process: every search ends
// at the empty-formula message. The trigger's timing is the search's own test, on a clock.

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "search/formulatext.h"
#include "ui/form1.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {
const std::string emptyformula(emptyformulamessage);
}

class TestTrigger : public QObject, WindowFixture {
    Q_OBJECT
  private slots:
    // Nothing may reach a real network, even if a search started by mistake.
    void initTestCase() { nonetwork(); }
    void cleanup() { form_.reset(); }

    void triggerrunslastwordonce() {
        newwindow();
        form_->txtMF->clear();
        form_->settrigger("tab");
        form_->settrigger("search");
        waittrigger();
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        QVERIFY(!form_->Timer1->isActive());
        waittrigger();
        QCOMPARE(messages_.texts.size(), std::size_t(1));
    }

    // Arming the trigger while its own action runs is not lost: the action runs once more.
    void triggerarmedduringactionrunsagain() {
        newwindow();
        form_->txtMF->clear();
        messages_.onmessage = [this](const std::string&) {
            if (messages_.texts.size() == 1) form_->settrigger("search");
        };
        form_->settrigger("search");
        waittrigger();
        waittrigger();
        QCOMPARE(messages_.texts.size(), std::size_t(2));
        QVERIFY(!form_->Timer1->isActive());
    }

    void enterarmssearch() {
        newwindow();
        form_->txtMF->setText(QStringLiteral("C6H14"));
        QTest::keyClick(form_->txtMF, Qt::Key_Return);
        QVERIFY(form_->Timer1->isActive());
        QCOMPARE(form_->triggerword(), std::string("search"));
        QCOMPARE(form_->txtMF->text(), QStringLiteral("C6H14"));
        form_->Timer1->stop();
    }

    void otherkeysarmnothing() {
        newwindow();
        QTest::keyClicks(form_->txtMF, QStringLiteral("h2o"));
        QCOMPARE(form_->txtMF->text(), QStringLiteral("C5H12h2o"));
        QVERIFY(!form_->Timer1->isActive());
    }

    void sortpair_data() {
        QTest::addColumn<int>("clicked");
        QTest::addColumn<bool>("byproperty");
        QTest::addColumn<bool>("alphabetically");
        QTest::newRow("alphabetically while by property") << 3 << false << true;
        QTest::newRow("unchecking by property") << 2 << false << false;
    }
    void sortpair() {
        QFETCH(int, clicked);
        QFETCH(bool, byproperty);
        QFETCH(bool, alphabetically);
        newwindow();
        form_->txtMF->clear();
        form_->show();
        QTest::mouseClick(form_->Check1[clicked], Qt::LeftButton, {},
                          QPoint(5, form_->Check1[clicked]->height() / 2));
        QCOMPARE(form_->Check1[2]->isChecked(), byproperty);
        QCOMPARE(form_->Check1[3]->isChecked(), alphabetically);
        QVERIFY(form_->Check1[0]->isEnabled());
        waittrigger();
        waittrigger();
        QCOMPARE(messages_.texts.size(), std::size_t(1)); // exactly one search ran
    }

    void showpropertytogglesframe() {
        newwindow();
        form_->show();
        QTest::mouseClick(form_->Check1[0], Qt::LeftButton, {},
                          QPoint(5, form_->Check1[0]->height() / 2));
        QVERIFY(!form_->Check1[0]->isChecked());
        QVERIFY(form_->Frame2->isVisible());
        QVERIFY(!form_->Timer1->isActive());
    }

    void tabulationgroupsreopenmenu() {
        newwindow();
        form_->show();
        form_->optTemp->trigger();
        QVERIFY(!form_->optTemp->isChecked());
        QCOMPARE(form_->triggerword(), std::string("tab"));
        QTRY_VERIFY_WITH_TIMEOUT(form_->mnuTab->isVisible(), 1000);
        form_->mnuTab->hide();
    }
};

QTEST_MAIN(TestTrigger)
#include "tst_trigger.moc"
