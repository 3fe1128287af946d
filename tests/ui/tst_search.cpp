// The whole search, the compound panel and the tabulation with the real window, against the
// sample server through an HTTP proxy on loopback: what the search's own tests cannot show,
// the automatic first search on the real timer, the real transfer's bytes in the cache, the
// controls' choices reaching the search, the real list, links and menus.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "ui/form1.h"
#include "ui/linklabel.h"
#include "ui/listbox.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const QString options = QStringLiteral("&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on");

QByteArray contents(const std::string& path) {
    return readfile(QString::fromStdString(path));
}

} // namespace

class TestSearch : public QObject, WindowFixture {
    Q_OBJECT
    SampleValues values_;
    QStringList names() const { return column(3); }
    QStringList properties() const { return column(2); }

  private slots:
    void initTestCase() { QVERIFY(startserver(QStringLiteral("server"))); }
    void cleanup() { closewindow(); }

    void automaticfirstsearch() {
        cache_ = freshcache(home_.path() + QStringLiteral("/first"));
        server_.clearlog();
        form_ = std::make_unique<Form1>(Services{&messages_, &opener_, 3000, 0});
        // The highlight as the list's selection shows it: the search's own selections are no
        // clicks, so the list's row signal stays quiet.
        QStringList highlighted;
        connect(form_->List1->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [&](const QModelIndex& current) { highlighted << current.data().toString(); });
        // The trigger starts the search by itself; the whole search runs inside the wait.
        QTRY_VERIFY_WITH_TIMEOUT(form_->List1->listcount() == 3 && form_->isearching() == 0, 10000);
        QCOMPARE(form_->Command1->text(), QStringLiteral("Search"));
        QVERIFY(messages_.texts.empty());

        QCOMPARE(names(), (QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
        QCOMPARE(properties(), (QStringList{"BP 282.6", "BP 301", "BP 309.2"}));
        // Each new entry highlighted as it came, then the first one shown.
        // Each row reads as name, property, value and unit.
        QCOMPARE(highlighted,
                 (QStringList{"pentane, BP 309.2 kelvin", "2-methylbutane, BP 301 kelvin",
                              "2,2-dimethylpropane, BP 282.6 kelvin"}));

        // The requests, in page order, none overlapping: result page, then each compound's
        // page and drawing.
        QCOMPARE(server_.requests(), (QStringList{"/cgi/cbook.cgi?Formula=C5H12" + options,
                                                  "/cgi/cbook.cgi?ID=C109660&Units=SI&Mask=7",
                                                  "/cgi/cbook.cgi?Reduced=C109660",
                                                  "/cgi/cbook.cgi?ID=C78784&Units=SI&Mask=7",
                                                  "/cgi/cbook.cgi?Reduced=C78784",
                                                  "/cgi/cbook.cgi?ID=C463821&Units=SI&Mask=7",
                                                  "/cgi/cbook.cgi?Reduced=C463821"}));

        // Every page and drawing stored byte for byte as it came over the wire.
        QStringList expected = {"C109660.gif",
                                "C463821.gif",
                                "C5H12-&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on.htm",
                                "C5H12-C109660-thermo",
                                "C5H12-C463821-thermo",
                                "C5H12-C78784-thermo",
                                "C5H12-CAS-109-66-0-thermo.htm",
                                "C5H12-CAS-463-82-1-thermo.htm",
                                "C5H12-CAS-78-78-4-thermo.htm",
                                "C78784.gif"};
        expected.sort();
        QCOMPARE(cachefiles(cache_), expected);
        QCOMPARE(notasserved(values_), QString());

        // The first entry is shown at the end.
        QCOMPARE(form_->List1->currentRow(), 0);
        QCOMPARE(form_->windowTitle(), QStringLiteral("2,2-dimethylpropane"));
        QCOMPARE(form_->Label2->toPlainText(),
                 QStringLiteral("CAS# 463-82-1\nMF C5H12 MW 72.1488\n2,2-dimethylpropane\n\n"
                                "BP 282.6 Kelvin"));
        QVERIFY(!form_->Picture1->pixmap().isNull());
        QVERIFY(form_->mnuCreateTab->isEnabled());
    }

    // The filter box reaches the search: only the names holding its text are asked for.
    void namefilter() {
        newwindow();
        form_->txtSearch->setText(QStringLiteral("methyl"));
        search(QStringLiteral("C5H12"));
        QCOMPARE(names(), (QStringList{"2,2-dimethylpropane", "2-methylbutane"}));
        QCOMPARE(server_.requests().filter(QStringLiteral("ID=")),
                 (QStringList{"/cgi/cbook.cgi?ID=C78784&Units=SI&Mask=7",
                              "/cgi/cbook.cgi?ID=C463821&Units=SI&Mask=7"}));
    }

    // The sort boxes and the unit buttons reach the search.
    void sortedalphabeticallyandinCelsius() {
        newwindow();
        form_->Check1[2]->setChecked(false);
        form_->Check1[3]->setChecked(true);
        form_->Option1[1]->setChecked(true);
        search(QStringLiteral("C6H14"));
        QCOMPARE(names(), (QStringList{"2,2-dimethylbutane", "2,3-dimethylbutane",
                                       "2-methylpentane", "3-methylpentane", "hexane"}));
        QCOMPARE(properties(),
                 (QStringList{"BP 49.7", "BP 57.9", "BP 60.2", "BP 63.2", "BP 68.7"}));
        QCOMPARE(form_->Label2->toPlainText(),
                 QStringLiteral("CAS# 75-83-2\nMF C6H14 MW 86.1754\n2,2-dimethylbutane\n\n"
                                "BP 49.7 oC"));
    }

    // A click on an entry shows it; a click on each link opens its target; "show property"
    // off leaves the data text ending after the name.
    void panelandlinks() {
        newwindow();
        form_->show();
        search(QStringLiteral("C5H12"));
        clickrow(2);
        QCOMPARE(form_->windowTitle(), QStringLiteral("pentane"));
        QCOMPARE(form_->Label2->toPlainText(),
                 QStringLiteral("CAS# 109-66-0\nMF C5H12 MW 72.1488\npentane\n\nBP 309.2 Kelvin"));
        QCOMPARE(form_->lblDetails->text(), QStringLiteral("details..."));
        QCOMPARE(form_->lbl3D->text(), QStringLiteral("3D-Chime"));
        QCOMPARE(form_->lblMSDS->text(), QStringLiteral("Aldrich"));
        QCOMPARE(form_->lblChemFinder->text(), QStringLiteral("PubChem"));
        for (LinkLabel* link : {form_->lblDetails, form_->lbl3D, form_->lblMSDS,
                                form_->lblChemFinder, form_->Label6}) {
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
        }
        const std::string nist = "http://" + std::string(server::host());
        QCOMPARE(
            opener_.targets,
            (Strings{cache_ + "C5H12-CAS-109-66-0-thermo.htm",
                     nist + "/cgi/cbook.cgi/nist-3d.mol?Str3File=C109660",
                     "https://www.sigmaaldrich.com/US/en/search/109-66-0?focus=products&"
                     "page=1&perpage=30&sort=relevance&term=109-66-0&type=product",
                     "https://pubchem.ncbi.nlm.nih.gov/#query=109-66-0", nist + "/chemistry/"}));

        QTest::mouseClick(form_->Check1[0], Qt::LeftButton, {},
                          QPoint(5, form_->Check1[0]->height() / 2));
        QCOMPARE(form_->Label2->toPlainText(),
                 QStringLiteral("CAS# 109-66-0\nMF C5H12 MW 72.1488\npentane\n\n"));
    }

    void tabulationfiles() {
        newwindow();
        search(QStringLiteral("C5H12"));
        form_->Option1[1]->setChecked(true); // Celsius changes no tabulated value
        form_->mnuCreateTab->trigger();
        form_->mnuTabulateExcel->trigger();
        QCOMPARE(opener_.targets,
                 (std::vector<std::string>{cache_ + "C5H12.htm", cache_ + "C5H12.csv"}));
        const QByteArray html = contents(cache_ + "C5H12.htm");
        QVERIFY(html.startsWith("<style>.t1{"));
        QVERIFY(html.contains("<td class=t2 valign=top>309.2&nbsp;</td>"));
        QVERIFY(html.endsWith("</table>"));
        const QByteArray csv = contents(cache_ + "C5H12.csv");
        QVERIFY(csv.startsWith("\"Name\",\"Structure\",\"\",\"Formula\",\"MW\",\"CAS#\",\"T_fus "
                               "Kelvin\",\"T_triple Kelvin\",\"T_boil Kelvin\",\"T_c Kelvin\","
                               "\"P_c bar\"\r\n\r\n\"2,2-dimethylpropane\",\"C463821.gif\""));
        QVERIFY(csv.contains(",309.2,"));
        QVERIFY(messages_.texts.empty());
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
