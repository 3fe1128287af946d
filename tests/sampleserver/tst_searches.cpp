// The sample server's searches by name and by CAS number over the sample folders, the compound
// routes beside them, and rules on the new addresses. Requests go out as raw bytes, so that the
// percent-encoding arrives exactly as written in the tables.

#include "client.h"

#include "core/resultpage.h"

using namespace kestrix::test;

namespace {

// The options the search sends after a name.
const QByteArray nameoptions = "&Units=SI&cTG=on&cTC=on&cTP=on";
const QByteArray nomatch = "<h1>No Matching Species Found</h1>";

struct Answer {
    int status = 0;
    QByteArray body;
};

Answer ask(const SampleServer& server, const QByteArray& query) {
    const QByteArray raw =
        exchange(quint16(server.port()),
                 "GET " + cgi + query + " HTTP/1.1\r\nHost: " + host.toLatin1() + "\r\n\r\n");
    const qsizetype end = raw.indexOf("\r\n\r\n");
    if (!raw.startsWith("HTTP/1.1 ") || end < 0) return {};
    return {raw.mid(9, 3).toInt(), raw.mid(end + 4)};
}

QByteArray samplefile(const QString& relative) {
    return readfile(QStringLiteral(KESTRIX_TEST_DATA "/") + relative);
}

// The items of a list page as the program reads them: "ID name", the name lower-cased.
QStringList listitems(const QByteArray& body) {
    QStringList items;
    for (const kestrix::ResultItem& item : kestrix::readresultpage(body.toStdString()).items) {
        items << QString::fromStdString(item.id + ' ' + item.name);
    }
    return items;
}

} // namespace

class TestSearches : public QObject {
    Q_OBJECT

    SampleServer server_; // tests/data/server
    SampleServer today_;  // tests/data/today

    // The answer to query from the folder, checked against what the table expects: a compound
    // page (a file of tests/data), the items of a list page, or the no-match page.
    void check(const QString& folder, const QByteArray& query, int status, const QString& page,
               const QStringList& list) {
        const Answer a = ask(folder == QLatin1String("today") ? today_ : server_, query);
        QCOMPARE(a.status, status);
        if (status != 200) return;
        if (!page.isEmpty()) {
            const QByteArray expected = samplefile(page);
            QVERIFY(!expected.isEmpty());
            QCOMPARE(a.body, expected);
        } else if (!list.isEmpty()) {
            QVERIFY(a.body.contains("Click on the name to see more data."));
            QCOMPARE(listitems(a.body), list);
        } else {
            QVERIFY2(a.body.contains(nomatch), a.body.left(200).constData());
        }
    }

  private slots:
    void initTestCase() {
        QVERIFY(server_.start(QStringLiteral("server")));
        QVERIFY(today_.start(QStringLiteral("today")));
    }
    void init() { server_.setrules({}); }

    void namesearch_data() {
        QTest::addColumn<QByteArray>("name");  // as sent, before the search's options
        QTest::addColumn<QString>("page");     // the one compound's page; empty: none
        QTest::addColumn<QStringList>("list"); // the items of a list page; empty: none
        const QStringList none;
        QTest::newRow("heading, one match")
            << QByteArray("Radon") << "server/compound/C10043922.htm" << none;
        QTest::newRow("other name, one match")
            << QByteArray("Neopentane") << "server/compound/C463821.htm" << none;
        QTest::newRow("case ignored")
            << QByteArray("nEOPENTane") << "server/compound/C463821.htm" << none;
        QTest::newRow("part of a name")
            << QByteArray("deutero") << "server/compound/U123456.htm" << none;
        QTest::newRow("+ as blank")
            << QByteArray("Amyl+hydride") << "server/compound/C109660.htm" << none;
        QTest::newRow("%20 as blank")
            << QByteArray("amyl%20HYDRIDE") << "server/compound/C109660.htm" << none;
        QTest::newRow("blanks around ignored")
            << QByteArray("++radon%20") << "server/compound/C10043922.htm" << none;
        QTest::newRow("%2B is a plus, not a blank")
            << QByteArray("Amyl%2Bhydride") << QString() << none;
        QTest::newRow("several, ordered by id")
            << QByteArray("pentane") << QString()
            << QStringList{"C107835 pentane, 2-methyl-", "C109660 pentane",
                           "C463821 propane, 2,2-dimethyl-", "C78784 butane, 2-methyl-",
                           "C96140 pentane, 3-methyl-"};
        QTest::newRow("several, percent-encoded comma")
            << QByteArray("Butane%2C+2%2C") << QString()
            << QStringList{"C75832 butane, 2,2-dimethyl-", "C79298 butane, 2,3-dimethyl-"};
        QTest::newRow("several, by other names only")
            << QByteArray("SKELLYSOLVE") << QString()
            << QStringList{"C109660 pentane", "C110543 hexane"};
        QTest::newRow("no match across two other names")
            << QByteArray("hydride%3B+Skellysolve") << QString() << none;
        QTest::newRow("none") << QByteArray("octane") << QString() << none;
        QTest::newRow("empty") << QByteArray("") << QString() << none;
        QTest::newRow("blanks only") << QByteArray("+%20+") << QString() << none;
    }
    void namesearch() {
        QFETCH(QByteArray, name);
        QFETCH(QString, page);
        QFETCH(QStringList, list);
        check(QStringLiteral("server"), "Name=" + name + nameoptions, 200, page, list);
    }

    // The CAS route in both page shapes, and the compound routes it sits beside.
    void idsearch_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("page"); // the answer's file; empty: the no-match page
        QTest::newRow("CAS, older shape") << "server" << QByteArray("ID=109-66-0&Units=SI") << 200
                                          << "server/compound/C109660.htm";
        QTest::newRow("CAS of seven digits first")
            << "server" << QByteArray("ID=10043-92-2&Units=SI") << 200
            << "server/compound/C10043922.htm";
        QTest::newRow("CAS, today's shape")
            << "today" << QByteArray("ID=74-82-8&Units=SI") << 200 << "today/compound/C74828.htm";
        QTest::newRow("CAS without further keys")
            << "today" << QByteArray("ID=110-54-3") << 200 << "today/compound/C110543.htm";
        QTest::newRow("CAS of another folder")
            << "server" << QByteArray("ID=74-82-8&Units=SI") << 200 << QString();
        QTest::newRow("CAS unknown")
            << "server" << QByteArray("ID=106-97-9&Units=SI") << 200 << QString();
        QTest::newRow("compound id") << "server" << QByteArray("ID=C106978&Units=SI&Mask=7") << 200
                                     << "server/compound/C106978.htm";
        QTest::newRow("compound id of nine characters")
            << "server" << QByteArray("ID=C10043922&Units=SI&Mask=7") << 200
            << "server/compound/C10043922.htm";
        QTest::newRow("compound without CAS")
            << "server" << QByteArray("ID=U123456&Units=SI&Mask=7") << 200
            << "server/compound/U123456.htm";
        QTest::newRow("unknown compound id")
            << "server" << QByteArray("ID=C106979&Units=SI") << 404 << QString();
        QTest::newRow("CAS short of a part")
            << "server" << QByteArray("ID=109-66&Units=SI") << 404 << QString();
        QTest::newRow("CAS with letters")
            << "server" << QByteArray("ID=109-6a-0&Units=SI") << 404 << QString();
    }
    void idsearch() {
        QFETCH(QString, folder);
        QFETCH(QByteArray, query);
        QFETCH(int, status);
        QFETCH(QString, page);
        check(folder, query, status, page, {});
    }

    void formulasearch_data() {
        QTest::addColumn<QByteArray>("formula");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("list");
        QTest::newRow("three, one without CAS")
            << QByteArray("C4H10") << QString()
            << QStringList{"C106978 butane", "C75285 propane, 2-methyl-",
                           "U123456 butane, dideutero-"};
        QTest::newRow("single match is the compound page")
            << QByteArray("Rn") << "server/compound/C10043922.htm" << QStringList();
        QTest::newRow("none") << QByteArray("C4H11") << QString() << QStringList();
    }
    void formulasearch() {
        QFETCH(QByteArray, formula);
        QFETCH(QString, page);
        QFETCH(QStringList, list);
        check(QStringLiteral("server"),
              "Formula=" + formula + "&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on", 200, page, list);
    }

    void rules_data() {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("page"); // the answer's file; empty: not looked at
        QTest::newRow("status on a name")
            << QByteArray("Name=pentane status 503") << QByteArray("Name=pentane" + nameoptions)
            << 503 << QString();
        QTest::newRow("name as sent, percent-encoded")
            << QByteArray("Name=Amyl%20hydride status 429 Retry-After: 2")
            << QByteArray("Name=Amyl%20hydride" + nameoptions) << 429 << QString();
        QTest::newRow("other name, no rule")
            << QByteArray("Name=pentane status 503") << QByteArray("Name=Radon" + nameoptions)
            << 200 << "server/compound/C10043922.htm";
        QTest::newRow("status on a CAS number")
            << QByteArray("ID=109-66-0 status 500") << QByteArray("ID=109-66-0&Units=SI") << 500
            << QString();
        QTest::newRow("delay on a CAS number")
            << QByteArray("ID=10043-92-2 delay 20") << QByteArray("ID=10043-92-2&Units=SI") << 200
            << "server/compound/C10043922.htm";
        QTest::newRow("list cut short")
            << QByteArray("Formula=C5H12 answer 200 cutshort.htm")
            << QByteArray("Formula=C5H12&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on") << 200
            << "server/cutshort.htm";
        QTest::newRow("body from a file for a name")
            << QByteArray("Name=radon body formula/C4H10.htm")
            << QByteArray("Name=radon" + nameoptions) << 200 << "server/formula/C4H10.htm";
    }
    void rules() {
        QFETCH(QByteArray, rule);
        QFETCH(QByteArray, query);
        QFETCH(int, status);
        QFETCH(QString, page);
        server_.setrules(rule + '\n');
        const Answer a = ask(server_, query);
        QCOMPARE(a.status, status);
        if (!page.isEmpty()) QCOMPARE(a.body, samplefile(page));
    }

    // What was searched for comes back on the list page as text, never as markup.
    void listshowsnameastext() {
        QTemporaryDir data;
        for (const char* id : {"C1", "C2"}) {
            const QByteArray page = "<h1 id=\"Top\">Butan-1-ol, <i>tert</i>-" + QByteArray(id) +
                                    "</h1>\n<ul>\n<li><strong>Other names:</strong> x</li>\n";
            QVERIFY(writefile(data.filePath(QStringLiteral("compound/%1.htm").arg(id)), page));
        }
        SampleServer server;
        QVERIFY(server.start(data.path()));
        const Answer b = ask(server, "Name=%3Ci%3Etert" + nameoptions);
        QCOMPARE(listitems(b.body),
                 (QStringList{"C1 butan-1-ol, <i>tert</i>-c1", "C2 butan-1-ol, <i>tert</i>-c2"}));
        QVERIFY(b.body.contains("A name search for &quot;&lt;i&gt;tert&quot; found 2"));
        QVERIFY(!b.body.contains("&quot;<i>"));
    }

    // The list cut short keeps the list marker after the server's note, and only two items.
    void cutshort() {
        const QByteArray page = samplefile(QStringLiteral("server/cutshort.htm"));
        const qsizetype note = page.indexOf(
            "Due to the large number of matching species, only the first 2 are displayed.");
        QVERIFY(note > 0);
        QVERIFY(note < page.indexOf("Click on the name to see more data."));
        QCOMPARE(listitems(page), (QStringList{"C109660 pentane", "C78784 butane, 2-methyl-"}));
    }
};

QTEST_GUILESS_MAIN(TestSearches)
#include "tst_searches.moc"
