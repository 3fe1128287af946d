// What the real window shows when the network fails: the one message naming what could not
// be had, the offline repeat, a refused guess, an unwritable cache and the links after a
// failed search. The values are read off the sample pages.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/form1.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const QString host = QString::fromLatin1(samplehost);

// The C5H12 search as listed in kelvin, sorted by boiling point.
const QStringList pentanes{"2,2-dimethylpropane", "2-methylbutane", "pentane"};
const QStringList pentaneids{"C463821", "C78784", "C109660"};

} // namespace

class TestTrust : public QObject, WindowFixture {
    Q_OBJECT
    SampleValues values_;
    QStringList shown(const std::vector<std::string>& texts) const {
        QStringList out;
        for (const auto& text : texts) out << QString::fromStdString(text);
        return out;
    }

  private slots:
    void initTestCase() { QVERIFY(startserver(QStringLiteral("server"))); }
    void cleanup() {
        setrules("");
        closewindow();
    }

    // A compound page answered 500 stays listed without a value, and the message says why.
    void statusononecompound() {
        newwindow();
        setrules("ID=C78784 status 500\n");
        search(QStringLiteral("C5H12"));
        // No value sorts last.
        QCOMPARE(column(3), (QStringList{"2,2-dimethylpropane", "pentane", "2-methylbutane"}));
        QCOMPARE(column(2), (QStringList{"BP 282.6", "BP 309.2", "BP ?"}));
        QCOMPARE(shown(messages_.texts),
                 QStringList{"Not had from " + host + ": 2-methylbutane (status 500)."});
        // Its error page is kept nowhere; the others' pages and all drawings as served.
        QCOMPARE(cachefiles(cache_),
                 (QStringList{"C109660.gif", "C463821.gif",
                              "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm",
                              "C5H12-C109660-thermo", "C5H12-C463821-thermo",
                              "C5H12-CAS-109-66-0-thermo.htm", "C5H12-CAS-463-82-1-thermo.htm",
                              "C78784.gif"}));
        QCOMPARE(notasserved(values_), QString());
    }

    // A compound without a CAS number is found in the cache like any other: the repeat asks
    // nothing and lists the same values.
    void offlinerepeatwithoutcasnumber() {
        newwindow();
        search(QStringLiteral("C4H10"));
        const QStringList values{"BP 261.4", "BP 272.5", "BP 272.7"};
        const QStringList names{"2-methylpropane", "dideuterobutane", "butane"};
        QCOMPARE(column(2), values);
        QCOMPARE(column(3), names);
        QVERIFY(cachefiles(cache_).contains(QStringLiteral("C4H10-U123456-thermo.htm")));
        QCOMPARE(notasserved(values_), QString());
        newwindow(true);
        search(QStringLiteral("C4H10"));
        QCOMPARE(server_.requests(), QStringList());
        QCOMPARE(column(2), values);
        QCOMPARE(column(3), names);
        QVERIFY(messages_.texts.empty());
    }

    // A 403 at the design's drawing address is a guess refused: the search goes on, and the
    // drawings come from today's address.
    void refusedguessatdrawingaddress() {
        newwindow();
        setrules("Reduced= status 403\n");
        search(QStringLiteral("C5H12"));
        QCOMPARE(column(1), pentaneids);
        QCOMPARE(column(2), (QStringList{"BP 282.6", "BP 301", "BP 309.2"}));
        QVERIFY(messages_.texts.empty());
        // One try of the older address, then today's for the rest of the run.
        QCOMPARE(server_.requests().filter(QStringLiteral("Reduced=")),
                 QStringList{"/cgi/cbook.cgi?Reduced=C109660"});
        QCOMPARE(server_.requests().filter(QStringLiteral("Struct=")),
                 (QStringList{"/cgi/cbook.cgi?Struct=C109660&Type=Color",
                              "/cgi/cbook.cgi?Struct=C78784&Type=Color",
                              "/cgi/cbook.cgi?Struct=C463821&Type=Color"}));
        QVERIFY(!form_->Picture1->pixmap().isNull());
        QCOMPARE(notasserved(values_), QString());
    }

    // A file where the cache folder should be: the search goes on from the network, says so
    // once, and no link points to a page that was not stored.
    void unwritablecache() {
        newwindow();
        QDir(QString::fromStdString(cache_)).removeRecursively();
        QVERIFY(writefile(QString::fromStdString(cache_).chopped(1), "not a folder"));
        search(QStringLiteral("C5H12"));
        QCOMPARE(column(3), pentanes);
        QCOMPARE(shown(messages_.texts),
                 QStringList{"The page cache " + QString::fromStdString(cache_) +
                             " could not be written (Not a directory); the search went on "
                             "without it."});
        // The page was not stored: the panel offers no link of the compound at all.
        form_->show();
        for (LinkLabel* link :
             {form_->lblDetails, form_->lbl3D, form_->lblMSDS, form_->lblChemFinder}) {
            QCOMPARE(link->text(), QString());
            QCOMPARE(link->tag, std::string());
            QTest::mouseClick(link, Qt::LeftButton);
        }
        QTest::mouseClick(form_->Label6, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(opener_.targets, Strings{"http://" + host.toStdString() + "/chemistry/"});
    }

    // A 9-character identifier (radon's) lies wholly left of the visible columns: nothing of
    // it is drawn left of the property column.
    void longidentifierstayshidden() {
        newwindow();
        form_->show();
        search(QStringLiteral("Rn"));
        QCOMPARE(column(1), QStringList{"C10043922"});
        QCOMPARE(column(2), QStringList{"BP 211.3"});
        ListBox* list = form_->List1;
        const QRect row = list->visualItemRect(list->item(0));
        const int property =
            2 + list->fieldpositions(QStringLiteral("0211.300\tC10043922\tBP 211.3\tradon"))[2];
        QVERIFY(property > 0);
        list->setCurrentRow(-1);
        list->clearSelection();
        const QImage image = list->viewport()->grab().toImage();
        const QRgb background = image.pixel(row.left() + 1, row.top() + 1);
        for (int y = row.top(); y <= row.bottom(); ++y) {
            for (int x = row.left(); x < property - 1; ++x) {
                QVERIFY2(image.pixel(x, y) == background,
                         qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
            }
        }
        // and the property column itself is drawn
        bool ink = false;
        for (int y = row.top(); y <= row.bottom() && !ink; ++y)
            for (int x = property; x < row.right() && !ink; ++x)
                ink = image.pixel(x, y) != background;
        QVERIFY(ink);
    }

    // The links of the compound shown before go with the panel when a search fails.
    void linksafterfailedsearch() {
        newwindow();
        form_->show();
        search(QStringLiteral("C5H12"));
        QTest::mouseClick(form_->lblDetails, Qt::LeftButton, {}, QPoint(2, 2));
        const Strings page{cache_ + "C5H12-CAS-463-82-1-thermo.htm"};
        QCOMPARE(opener_.targets, page);
        setrules("Formula=C6H14 status 500\n");
        search(QStringLiteral("C6H14"));
        QCOMPARE(form_->List1->listcount(), std::size_t(0));
        for (LinkLabel* link :
             {form_->lblDetails, form_->lbl3D, form_->lblMSDS, form_->lblChemFinder}) {
            QCOMPARE(link->text(), QString());
            QCOMPARE(link->tag, std::string());
            QTest::mouseClick(link, Qt::LeftButton);
        }
        QCOMPARE(opener_.targets, page); // no click after the failed search opened anything
        QCOMPARE(shown(messages_.texts),
                 QStringList{"The search results for C6H14 could not be had from " + host +
                             ": the server answered with status 500"});
    }
};

QTEST_MAIN(TestTrust)
#include "tst_trust.moc"
