// Every field of the sample pages, in both page shapes the server has used, comes out as a
// chemist reads it on the page. The older shape's values must never change through the
// readings added for today's shape.

#include <QDir>
#include <QFile>
#include <QTest>

#include "compound/extract.h"
#include "core/fields.h"

using namespace kestrix;

namespace {

std::string fullfieldlist() {
    return fields::searchlist(fields::boilingpoint);
}

std::string page(const QString& relative) {
    QFile file(QStringLiteral(KESTRIX_TEST_DATA "/") + relative);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

} // namespace

class TestSamplePages : public QObject {
    Q_OBJECT
  private slots:
    void records_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("hascas");
        // The server has compounds without a CAS number; their pages have no CAS item at all.
        const QStringList withoutcas = {QStringLiteral("server/compound/U123456.htm")};
        QFile table(QStringLiteral(KESTRIX_TEST_DATA "/records.txt"));
        QVERIFY(table.open(QIODevice::ReadOnly));
        QStringList listed;
        for (const QByteArray& line : table.readAll().split('\n')) {
            if (line.isEmpty() || line.startsWith('#')) continue;
            const QList<QByteArray> parts = line.split('\t');
            const QString file = QString::fromLatin1(parts[0]);
            QTest::newRow(parts[0].constData()) << file << parts[1] << !withoutcas.contains(file);
            listed << file;
        }
        // Every sample compound page, of both shapes, has its record.
        QStringList pages;
        for (const char* folder : {"server", "today"}) {
            const QString compound = QLatin1String(folder) + QStringLiteral("/compound/");
            const QDir dir(QStringLiteral(KESTRIX_TEST_DATA "/") + compound);
            for (const QString& name : dir.entryList({QStringLiteral("*.htm")}, QDir::Files)) {
                pages << compound + name;
            }
        }
        listed.sort();
        pages.sort();
        QCOMPARE(listed, pages);
        for (const QString& file : withoutcas) QVERIFY2(pages.contains(file), qPrintable(file));
    }
    void records() {
        QFETCH(QString, file);
        QFETCH(QByteArray, record);
        QFETCH(bool, hascas);
        const std::string text = page(file);
        QVERIFY(!text.empty());
        std::optional<std::string> cas;
        QCOMPARE(QByteArray::fromStdString(extractrecord(text, fullfieldlist(), &cas)), record);
        QVERIFY(cas.has_value());
        QCOMPARE(!cas->empty(), hascas);
    }

    // "&ordm;" is a masculine ordinal, not a degree sign: a look-alike label never counts.
    void ordinalisnodegreesign_data() {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("look-alike before the real row")
            << QByteArray("<tr><td>S&ordm;<sub>gas</sub></td><td>999</td></tr>\n"
                          "<tr><td>S&deg;<sub>gas,1 bar</sub></td><td>388.4</td></tr>")
            << QByteArray("388.4");
        QTest::newRow("look-alike alone")
            << QByteArray("<tr><td>S&ordm;<sub>gas</sub></td><td>999</td></tr>") << QByteArray();
        QTest::newRow("comment cell")
            << QByteArray("<tr><td>x</td><td>0.5 &ordm;C</td></tr>") << QByteArray();
    }
    void ordinalisnodegreesign() {
        QFETCH(QByteArray, rows);
        QFETCH(QByteArray, value);
        const std::string text = "<table>" + rows.toStdString() + "</table>";
        QCOMPARE(QByteArray::fromStdString(
                     extractvalue(text, "S&#176;<sub>gas</sub>", FieldGroup::table)),
                 value);
    }
};

QTEST_APPLESS_MAIN(TestSamplePages)
#include "tst_samplepages.moc"
