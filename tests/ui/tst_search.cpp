// The whole search, the compound panel and the tabulation with the real window, against the
// sample server through an HTTP proxy on loopback.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
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

QString field(const std::string& entry, int n) {
    return QString::fromStdString(entry).section(QLatin1Char('\t'), n, n);
}

QByteArray contents(const std::string& path) {
    return readfile(QString::fromStdString(path));
}

} // namespace

class TestSearch : public QObject, WindowFixture {
    Q_OBJECT
    QStringList names() const { return column(3); }
    QStringList properties() const { return column(2); }

  private slots:
    void initTestCase() { QVERIFY(startserver(QStringLiteral("server"))); }
    void cleanup() { closewindow(); }

    void automaticfirstsearch() {
        cache_ = freshcache(home_.path() + QStringLiteral("/first"));
        server_.clearlog();
        form_ = std::make_unique<Form1>(Services{&messages_, &opener_, 3000});
        // The highlight as the list's selection shows it: the search's own selections are no
        // clicks, so the list's row signal stays quiet.
        QSignalSpy highlights(form_->List1->selectionModel(), &QItemSelectionModel::currentChanged);
        // The trigger starts the search by itself; the whole search runs inside the wait.
        QTRY_VERIFY_WITH_TIMEOUT(form_->List1->listcount() == 3 && form_->isearching() == 0, 10000);
        const int duringsearch = int(highlights.count());
        QCOMPARE(form_->Command1->text(), QStringLiteral("Search"));
        QVERIFY(messages_.texts.empty());

        QCOMPARE(names(), (QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
        QCOMPARE(properties(), (QStringList{"BP 282.6", "BP 301", "BP 309.2"}));
        QCOMPARE(field(entrytext(form_->List1->compound(0)), 0), QStringLiteral("0282.600"));
        QCOMPARE(field(entrytext(form_->List1->compound(0)), 1), QStringLiteral("C463821"));
        QVERIFY(duringsearch >= 3); // each new entry was highlighted while adding

        // The requests, in page order, none overlapping: result page, then each compound's
        // page and drawing.
        const QString host = QString::fromLatin1(server::host().data(), server::host().size());
        Q_UNUSED(host);
        QCOMPARE(server_.requests(), (QStringList{"/cgi/cbook.cgi?Formula=C5H12" + options,
                                                  "/cgi/cbook.cgi?ID=C109660&Units=SI&Mask=7",
                                                  "/cgi/cbook.cgi?Reduced=C109660",
                                                  "/cgi/cbook.cgi?ID=C78784&Units=SI&Mask=7",
                                                  "/cgi/cbook.cgi?Reduced=C78784",
                                                  "/cgi/cbook.cgi?ID=C463821&Units=SI&Mask=7",
                                                  "/cgi/cbook.cgi?Reduced=C463821"}));

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
        QCOMPARE(contents(cache_ + "C5H12-C109660-thermo"), QByteArray("CAS-109-66-0"));
        const QByteArray page = contents(cache_ + "C5H12-CAS-109-66-0-thermo.htm");
        QVERIFY(page.startsWith(
            QByteArray::fromStdString("<base href=" + server::compoundurl("C109660") + ">\r\n")));
        QFile served(QStringLiteral(KESTRIX_TEST_DATA "/server/compound/C109660.htm"));
        QVERIFY(served.open(QIODevice::ReadOnly));
        QVERIFY(page.endsWith(served.readAll()));

        // The first entry is shown at the end.
        QCOMPARE(form_->List1->currentRow(), 0);
        QCOMPARE(form_->windowTitle(), QStringLiteral("2,2-dimethylpropane"));
        QVERIFY(form_->Label2->toPlainText().startsWith(QStringLiteral("CAS# 463-82-1\n")));
        QVERIFY(!form_->Picture1->pixmap().isNull());
        QVERIFY(form_->mnuCreateTab->isEnabled());
    }

    void secondsearchreadsthecache() {
        newwindow();
        search(QStringLiteral("C5H12"));
        const QStringList first = cachefiles(cache_);
        newwindow(true);
        QSignalSpy highlights(form_->List1->selectionModel(), &QItemSelectionModel::currentChanged);
        search(QStringLiteral("  C5H12 "));
        QVERIFY(server_.requests().isEmpty());
        QCOMPARE(highlights.count(), 1); // only the final selection of the first entry
        QCOMPARE(names(), (QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
        QCOMPARE(cachefiles(cache_), first);
        QCOMPARE(form_->windowTitle(), QStringLiteral("2,2-dimethylpropane"));
    }

    void gotonisteverytimefetchesagain() {
        newwindow();
        search(QStringLiteral("C5H12"));
        server_.clearlog();
        form_->optGotoNIST->trigger();
        search(QStringLiteral("C5H12"));
        const QStringList requests = server_.requests();
        QCOMPARE(requests.size(), 4); // result page and compound pages; drawings stay cached
        QVERIFY(requests.front().startsWith(QStringLiteral("/cgi/cbook.cgi?Formula=C5H12")));
        QCOMPARE(names().size(), 3);
    }

    void namefilter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("methyl") << QStringLiteral("methyl")
                                << QStringList{"2,2-dimethylpropane", "2-methylbutane"};
        QTest::newRow("case matters") << QStringLiteral("Pent") << QStringList{};
        QTest::newRow("ane") << QStringLiteral(" ane ")
                             << QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"};
    }
    void namefilter() {
        QFETCH(QString, filter);
        QFETCH(QStringList, listed);
        newwindow();
        form_->txtSearch->setText(filter);
        search(QStringLiteral("C5H12"));
        QCOMPARE(names(), listed);
        // Compounds left out are not even fetched.
        QCOMPARE(server_.requests().filter(QStringLiteral("ID=")).size(), int(listed.size()));
    }

    void sortedalphabeticallyandinCelsius() {
        newwindow();
        form_->Check1[2]->setChecked(false);
        form_->Check1[3]->setChecked(true);
        form_->Option1[1]->setChecked(true);
        search(QStringLiteral("C6H14"));
        QCOMPARE(names(), (QStringList{"2,2-dimethylbutane", "2,3-dimethylbutane",
                                       "2-methylpentane", "3-methylpentane", "hexane"}));
        QCOMPARE(field(entrytext(form_->List1->compound(0)), 0), QStringLiteral("2,2-dime"));
        QVERIFY(form_->Label2->toPlainText().endsWith(QStringLiteral(" oC")));
        const QStringList values = properties();
        for (const QString& value : values) QVERIFY(value.startsWith(QStringLiteral("BP ")));
        QVERIFY(values.contains(QStringLiteral("BP 68.7"))); // hexane, 341.9 K
    }

    void errorpageisnotcached_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::newRow("503") << QByteArray("Formula= status 503\n");
        QTest::newRow("404") << QByteArray("Formula= status 404\n");
        QTest::newRow("stalled") << QByteArray("Formula= stall\n");
    }
    void errorpageisnotcached() {
        QFETCH(QByteArray, rule);
        newwindow();
        setrules(rule);
        search(QStringLiteral("C5H12"));
        QVERIFY(names().isEmpty());
        // One message says which server gave no result page.
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        QVERIFY(messages_.texts[0].starts_with("The search results for C5H12 could not be had "
                                               "from " +
                                               std::string(server::host()) + ": "));
        QVERIFY(cachefiles(cache_).isEmpty());
        // Once the server is well again, the next search fetches and lists.
        setrules({});
        search(QStringLiteral("C5H12"));
        QCOMPARE(names().size(), 3);
    }

    void compounderrorpagesarenotcached() {
        newwindow();
        setrules("ID=C78784 status 500\nReduced=C78784 status 500\nStruct=C78784 status 500\n");
        search(QStringLiteral("C5H12"));
        QCOMPARE(names().size(), 3);
        QVERIFY(properties().contains(QStringLiteral("BP ?")));
        const QStringList files = cachefiles(cache_);
        QVERIFY(files.filter(QStringLiteral("C78784")).isEmpty());
        QVERIFY(files.contains(QStringLiteral("C5H12-C109660-thermo")));
    }

    void panelandlinks() {
        newwindow();
        search(QStringLiteral("C5H12"));
        form_->List1->setCurrentRow(2);
        QCOMPARE(form_->windowTitle(), QStringLiteral("pentane"));
        QCOMPARE(form_->Label2->toPlainText(),
                 QStringLiteral("CAS# 109-66-0\nMF C5H12 MW 72.1488\npentane\n\nBP 309.2 Kelvin"));
        QCOMPARE(form_->lblDetails->text(), QStringLiteral("details..."));
        QCOMPARE(form_->lbl3D->text(), QStringLiteral("3D-Chime"));
        QCOMPARE(form_->lblMSDS->text(), QStringLiteral("Aldrich"));
        QCOMPARE(form_->lblChemFinder->text(), QStringLiteral("PubChem"));
        form_->show();
        for (LinkLabel* link : {form_->lblDetails, form_->lbl3D, form_->lblMSDS,
                                form_->lblChemFinder, form_->Label6}) {
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(2, 2));
        }
        QCOMPARE(opener_.targets.size(), std::size_t(5));
        QCOMPARE(opener_.targets[0], cache_ + "C5H12-CAS-109-66-0-thermo.htm");
        QCOMPARE(opener_.targets[1], server::threedprefix() + "C109660");
        QVERIFY(
            opener_.targets[2].starts_with("https://www.sigmaaldrich.com/US/en/search/109-66-0?"));
        QVERIFY(opener_.targets[2].ends_with("&term=109-66-0&type=product"));
        QCOMPARE(opener_.targets[3],
                 std::string("https://pubchem.ncbi.nlm.nih.gov/#query=109-66-0"));
        QCOMPARE(opener_.targets[4], server::chemistryhome());

        // Without "show property" the data text ends after the name's line breaks.
        QTest::mouseClick(form_->Check1[0], Qt::LeftButton, {},
                          QPoint(5, form_->Check1[0]->height() / 2));
        QVERIFY(form_->Label2->toPlainText().endsWith(QStringLiteral("pentane\n\n")));
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

    void tabulationwithunsafeorunwritablename() {
        newwindow();
        search(QStringLiteral("C5H12"));
        // Not a formula but a name: escaped, it names a file in the cache.
        form_->txtMF->setText(QStringLiteral("../C5H12"));
        form_->mnuCreateTab->trigger();
        QVERIFY(messages_.texts.empty());
        QCOMPARE(opener_.targets, std::vector<std::string>{cache_ + "name-%2E%2E%2FC5H12.htm"});
        // A missing page cache directory: one message with the write's error, nothing opened.
        QDir(QString::fromStdString(cache_)).removeRecursively();
        form_->txtMF->setText(QStringLiteral("C5H12"));
        form_->mnuTabulateExcel->trigger();
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        QVERIFY(messages_.texts[0].find("C5H12.csv") != std::string::npos);
        QCOMPARE(opener_.targets.size(), std::size_t(1));
    }
};

QTEST_MAIN(TestSearch)
#include "tst_search.moc"
