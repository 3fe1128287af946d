// Reading the compounds of a formula search's result page.

#include "core/resultpage.h"
#include "table.h"

using namespace kestrix;

namespace {
const QByteArray head = "<a href=\"?ID=ZZ&x\">x</a>\nClick on the name to see more data.</p>\n";

QByteArray item(const char* id, const char* name) {
    return QByteArray("<li><a href=\"/cgi/cbook.cgi?ID=") + id + "&amp;Units=SI\">" + name +
           "</a> (other text)</li>\n";
}
} // namespace

class TestResultPage : public QObject {
    Q_OBJECT
  private slots:
    void readresultpage_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<int>("total");
        QTest::addColumn<QStringList>("items"); // id, name, id, name...
        QTest::newRow("two items")
            << head + item("C109660", "Pentane") + item("C78784", "Butane, 2-Methyl-") << 2
            << QStringList{"C109660", "pentane", "C78784", "butane, 2-methyl-"};
        QTest::newRow("crlf line ends")
            << head + item("C1", "A").replace("\n", "\r\n") + item("C2", "B") << 2
            << QStringList{"C1", "a", "C2", "b"};
        QTest::newRow("stops at an item without identifier")
            << head + item("C1", "a") + "<li><a href=\"/x\">no id</a></li>\n" + item("C3", "c") << 2
            << QStringList{"C1", "a"};
        QTest::newRow("stops at an empty name")
            << head + item("C1", "") + item("C2", "b") << 2 << QStringList{};
        QTest::newRow("no marker, no compound page")
            << "<p>No matching compounds</p>" + item("C1", "a") << 0 << QStringList{};
        QTest::newRow("compound page by structure file")
            << QByteArray("<h1 id=\"Top\">Methane</h1>\n<a href=\"/cgi/cbook.cgi?ID=C1&a=b\">"
                          "<a href=\"/cgi/cbook.cgi/C74828.mol?Str3File=C74828\">3d</a>")
            << 1 << QStringList{"C74828", "methane"};
        QTest::newRow("compound page by CAS item")
            << QByteArray("<h1 id=\"Top\">Neon</h1><li><strong>CAS Registry Number:</strong> "
                          "7440-01-9</li><a href=\"/cgi/cbook.cgi?ID=C7440019&Units=SI\">")
            << 1 << QStringList{"C7440019", "neon"};
        QTest::newRow("compound page without heading")
            << QByteArray("<a href=\"/x.mol?Str3File=C74828\">3d</a>") << 0 << QStringList{};
    }
    void readresultpage() {
        QFETCH(QByteArray, page);
        QFETCH(int, total);
        QFETCH(QStringList, items);
        const ResultPage result = kestrix::readresultpage(page.toStdString());
        QCOMPARE(result.total, total);
        QStringList got;
        for (const ResultItem& i : result.items) {
            got << QString::fromStdString(i.id) << QString::fromStdString(i.name);
        }
        QCOMPARE(got, items);
    }

    void totalcapped() {
        std::string page = head.toStdString();
        for (int i = 0; i < 40000; ++i) page += "ID=";
        QCOMPARE(kestrix::readresultpage(page).total, 32767);
    }
};

QTEST_APPLESS_MAIN(TestResultPage)
#include "tst_resultpage.moc"
