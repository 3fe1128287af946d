// Reading a compound record back: getfield, as the tabulation looks values up, and the items
// the compound panel shows.

#include "core/record.h"
#include "table.h"

using namespace kestrix;
using namespace kestrix::test;

class TestRecord : public QObject {
    Q_OBJECT
  private slots:
    // field name, record, value
    void getfield_data() {
        const char* summary = "Formula=C5H12|Molecular Weight=72.1488|CAS Reg=109-66-0";
        const QByteArray long120 = "v=" + QByteArray(120, 'x'), first100(100, 'x');
        addrows({{"first item", "Formula", summary, "C5H12"},
                 {"last item", "CAS Reg", summary, "109-66-0"},
                 {"empty value", "T<sub>c</sub>", "T<sub>c</sub>=|P<sub>c</sub>=33.7", ""},
                 {"case matters", "formula", summary, ""},
                 {"file item", "file", "x=1|file=C5H12-CAS-1-thermo.htm", "C5H12-CAS-1-thermo.htm"},
                 {"cut at 100", "v", long120.constData(), first100.constData()},
                 {"first occurrence, anywhere", "H", "~<sub>vap</sub>H= 26.4 |H=1", "26.4"},
                 {"missing", "Str3File", summary, ""}});
    }
    void getfield() {
        QFETCH(QByteArrayList, r);
        QCOMPARE(qb(kestrix::getfield(r[0].toStdString(), r[1].toStdString())), r[2]);
    }

    // A record rest, then formula, weight, CAS number, 3-D reference and file as read.
    void lastitems_data() {
        addrows(
            {{"all",
              "Formula=C5H12|Molecular Weight=72.1|CAS Reg=109-66-0|Str3File=C1|"
              "T<sub>c</sub>=469.7|file=f.htm",
              "C5H12/72.1/109-66-0/C1/f.htm"},
             {"last occurrence wins, blanks trimmed", "Formula=C5|Formula= C5H12 |file=f",
              "C5H12////f"},
             {"empty items and items without a key skipped", "||junk|=x|CAS Reg=1-2", "//1-2//"},
             {"a value holding =", "Str3File=a=b", "///a=b/"},
             {"keys by case", "formula=x|FILE=y", "////"}});
    }
    void lastitems() {
        QFETCH(QByteArrayList, r);
        const RecordItems i = kestrix::lastitems(r[0].toStdString());
        QCOMPARE(qb(i.formula + "/" + i.molecularweight + "/" + i.casreg + "/" + i.str3file + "/" +
                    i.file),
                 r[1]);
    }
};

QTEST_APPLESS_MAIN(TestRecord)
#include "tst_record.moc"
