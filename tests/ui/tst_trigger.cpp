// The search trigger in the window and what arms it: one pending word, Enter, the sort pair,
// "show property" and the tabulation groups, on the window's real timer. No request leaves the
// process: every search ends at the empty-formula message. The trigger's timing is the search's
// own test, on a clock.

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
    // Nothing more can run: the timer is off, and the word it ran is no longer pending.
    void ran() {
        QVERIFY(!form_->Timer1->isActive());
        QCOMPARE(form_->triggerword(), std::string());
    }

  private slots:
    // Nothing may reach a real network, even if a search started by mistake.
    void initTestCase() { nonetwork(); }
    void cleanup() { form_.reset(); }

    void triggerrunslastwordonce() {
        newwindow();
        form_->txtMF->clear();
        form_->settrigger("tab");
        form_->settrigger("search");
        QTRY_COMPARE(messages_.texts, Strings{emptyformula});
        ran();
        QVERIFY(!form_->mnuTab->isVisible()); // the earlier word was replaced, not run
    }

    // Arming the trigger while its own action runs is not lost: the action runs once more.
    void triggerarmedduringactionrunsagain() {
        newwindow();
        form_->txtMF->clear();
        messages_.onmessage = [this](const std::string&) {
            if (messages_.texts.size() == 1) form_->settrigger("search");
        };
        form_->settrigger("search");
        QTRY_COMPARE(messages_.texts, (Strings{emptyformula, emptyformula}));
        ran();
    }

    void enterstartsasearch() {
        newwindow();
        form_->txtMF->setText(QStringLiteral("  "));
        QTest::keyClick(form_->txtMF, Qt::Key_Return);
        QCOMPARE(form_->triggerword(), std::string("search"));
        QTRY_COMPARE(messages_.texts, Strings{emptyformula});
        ran();
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
        QTRY_COMPARE(messages_.texts, Strings{emptyformula}); // exactly one search ran
        ran();
    }

    void showpropertytogglesframe() {
        newwindow();
        form_->show();
        QTest::mouseClick(form_->Check1[0], Qt::LeftButton, {},
                          QPoint(5, form_->Check1[0]->height() / 2));
        QVERIFY(!form_->Check1[0]->isChecked());
        QVERIFY(form_->Frame2->isVisible());
        QTest::mouseClick(form_->Check1[0], Qt::LeftButton, {},
                          QPoint(5, form_->Check1[0]->height() / 2));
        QVERIFY(form_->Frame2->isHidden());
        QVERIFY(!form_->Timer1->isActive()); // no search
    }

    void tabulationgroupsreopenmenu() {
        newwindow();
        form_->show();
        form_->optTemp->trigger();
        QCOMPARE(form_->triggerword(), std::string("tab"));
        QTRY_VERIFY_WITH_TIMEOUT(form_->mnuTab->isVisible(), 1000);
        form_->mnuTab->hide();
    }
};

QTEST_MAIN(TestTrigger)
#include "tst_trigger.moc"
