// The result list as clipboard text: a header, one tab-separated row per entry.

#include "core/listedcompound.h"
#include "table.h"
#include "tabulate/listtext.h"

using namespace kestrix;
using namespace kestrix::test;

class TestListText : public QObject {
    Q_OBJECT
  private slots:
    void listtext_data() {
        const char* pentane = "0309.200\tC1\tBP 309.2\tpentane\tFormula=C5H12|Molecular Weight="
                              "72.1488|CAS Reg=109-66-0|file=f.htm";
        const char* unknown = "?\tC2\tBP ?\tmystery\tFormula=C5H12|CAS Reg=|file=";
        const char* melting = "0143.500\tC1\tMP 143.5\tpentane\tCAS Reg=109-66-0";
        // Entries joined by "|" (one, two or none), k for kelvin, then the text.
        addrows({{"kelvin", pentane, "k",
                  "Name\tBP (Kelvin)\tCAS#\tFormula\tMW\npentane\t309.2\t109-66-0\tC5H12\t"
                  "72.1488\n"},
                 {"no value is an empty cell", unknown, "",
                  "Name\tBP (oC)\tCAS#\tFormula\tMW\nmystery\t\t\tC5H12\t\n"},
                 {"melting points", melting, "k",
                  "Name\tMP (Kelvin)\tCAS#\tFormula\tMW\npentane\t143.5\t109-66-0\t\t\n"},
                 {"empty list", "", "k", "Name\tProperty (Kelvin)\tCAS#\tFormula\tMW\n"}});
    }
    void listtext() {
        QFETCH(QByteArrayList, r);
        std::vector<ListedCompound> entries;
        if (!r[0].isEmpty()) entries.push_back(readentry(r[0].toStdString(), r[1] == "k"));
        QCOMPARE(qb(kestrix::listtext(entries, r[1] == "k")), r[2]);
    }

    void rowsinlistorder() {
        const std::vector<ListedCompound> entries = {
            readentry("a\tC1\tBP 1\tfirst\tCAS Reg=1-1"),
            readentry("b\tC2\tBP 2\tsecond,\r\nname\tCAS Reg=2-2")};
        QCOMPARE(kestrix::listtext(entries, true),
                 std::string("Name\tBP (Kelvin)\tCAS#\tFormula\tMW\nfirst\t1\t1-1\t\t\n"
                             "second,  name\t2\t2-2\t\t\n"));
    }
};

QTEST_APPLESS_MAIN(TestListText)
#include "tst_listtext.moc"
