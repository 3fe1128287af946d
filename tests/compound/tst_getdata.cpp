// getdata: the compound record, from the page cache or fetched and stored.

#include <QDir>
#include <QTemporaryDir>

#include "compound/getdata.h"
#include "fakes.h"
#include "table.h"
#include "web/cache.h"
#include "web/server.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const std::string fields = "T<sub>boil</sub>|Formula|CAS Reg|Str3File";

std::string compoundpage(const std::string& cas, const std::string& boil) {
    return "<h1 id=\"Top\">Pentane</h1><li><strong>Formula:</strong> C<sub>5</sub>H<sub>12</sub>"
           "</li>\n<li><strong>CAS Registry Number:</strong> " +
           cas + "</li><a href=\"/cgi/cbook.cgi/C109660.mol?Str3File=C109660\">3d</a><tr><td>" +
           "T<sub>boil</sub></td><td>" + boil + " &plusmn; 0.2</td></tr>";
}

std::string stored(const std::string& page) {
    return "<base href=" + server::compoundurl("X1") + ">\r\n" + page;
}

} // namespace

class TestGetdata : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    std::string dir_;
    PageRecorder pages_;
    MessageRecorder messages_;
    PanelRecorder links_;

    std::string get(const std::string& smw, const std::string& sid, bool force = false,
                    const std::string& list = fields, const std::string& ext = "thermo") {
        CompoundContext context{dir_, pages_, messages_, links_};
        return getdata(smw, sid, list, ext, "1/3: ", force, context);
    }
    QStringList files() const {
        return QDir(QString::fromStdString(dir_)).entryList(QDir::Files | QDir::Hidden);
    }
    std::string file(const std::string& name) const { return loadfromfile(dir_ + name); }
    void put(const std::string& name, const std::string& text) {
        QVERIFY(puttofile(text, dir_ + name));
    }

  private slots:
    void init() {
        static int n = 0;
        dir_ = tmp_.path().toStdString() + "/" + std::to_string(++n) + "/";
        QVERIFY(QDir().mkpath(QString::fromStdString(dir_)));
        pages_ = PageRecorder();
        pages_.otherwise = compoundpage("109-66-0", "309.2");
        messages_ = MessageRecorder();
        links_ = PanelRecorder();
    }

    void fetchedandstored() {
        const std::string record = get("C5H12", "X1");
        QCOMPARE(record, std::string("|T<sub>boil</sub>=309.2|Formula=C5H12|CAS Reg=109-66-0"
                                     "|Str3File=C109660|file=C5H12-CAS-109-66-0-thermo.htm"));
        const std::string url =
            "http://" + std::string(server::host()) + "/cgi/cbook.cgi?ID=X1&Units=SI&Mask=7";
        QCOMPARE(pages_.requests, Strings{"1/3: " + url});
        QCOMPARE(links_.calls, Strings{"empty links"});
        QVERIFY(messages_.texts.empty());
        QCOMPARE(files(), (QStringList{"C5H12-CAS-109-66-0-thermo.htm", "C5H12-X1-thermo"}));
        QCOMPARE(file("C5H12-X1-thermo"), std::string("CAS-109-66-0"));
        QCOMPARE(file("C5H12-CAS-109-66-0-thermo.htm"),
                 "<base href=" + url + ">\r\n" + pages_.otherwise);
    }

    void fromcacheandforcenew() {
        put("C5H12-X1-thermo", "CAS-109-66-0");
        put("C5H12-CAS-109-66-0-thermo.htm", stored(compoundpage("109-66-0", "300.1")));
        QVERIFY(get("C5H12", "X1").starts_with("|T<sub>boil</sub>=300.1|"));
        QVERIFY(pages_.requests.empty());
        QCOMPARE(file("C5H12-CAS-109-66-0-thermo.htm"), stored(compoundpage("109-66-0", "300.1")));
        QVERIFY(get("C5H12", "X1", true).starts_with("|T<sub>boil</sub>=309.2|"));
        QCOMPARE(pages_.requests.size(), std::size_t(1));
        QCOMPARE(file("C5H12-CAS-109-66-0-thermo.htm"), stored(pages_.otherwise));
    }

    // Identifier file and compound page file as found ("-": missing): the page is fetched.
    void fetchedagain_data() {
        addrows({{"identifier not CAS-", "109-66-0", "page"},
                 {"identifier empty", "", "page"},
                 {"identifier missing", "-", "page"},
                 {"page file empty", "CAS-109-66-0", ""},
                 {"page file missing", "CAS-109-66-0", "-"},
                 {"page name not safe", "CAS-../x", "page"}});
    }
    void fetchedagain() {
        QFETCH(QByteArrayList, r);
        if (r[0] != "-") put("C5H12-X1-thermo", r[0].toStdString());
        if (r[1] != "-") put("C5H12-CAS-109-66-0-thermo.htm", r[1].toStdString());
        QVERIFY(get("C5H12", "X1").starts_with("|T<sub>boil</sub>=309.2|"));
        QCOMPARE(pages_.requests.size(), std::size_t(1));
        QCOMPARE(file("C5H12-X1-thermo"), std::string("CAS-109-66-0"));
        QCOMPARE(file("C5H12-CAS-109-66-0-thermo.htm"), stored(pages_.otherwise));
    }

    void withoutcasnumber() {
        pages_.otherwise = "<h1 id=\"Top\">x</h1><td>T<sub>boil</sub></td><td>250</td>";
        QCOMPARE(get("C5H12", "X1"), std::string("|T<sub>boil</sub>=250|Formula=|CAS Reg="
                                                 "|Str3File=|file=C5H12-X1-thermo.htm"));
        QCOMPARE(files(), QStringList{"C5H12-X1-thermo.htm"});
        QCOMPARE(file("C5H12-X1-thermo.htm"), stored(pages_.otherwise));
        // A second compound without a CAS number keeps a page of its own.
        const std::string first = pages_.otherwise;
        pages_.otherwise = "<h1 id=\"Top\">y</h1><td>T<sub>boil</sub></td><td>260</td>";
        QVERIFY(get("C5H12", "X2").ends_with("|file=C5H12-X2-thermo.htm"));
        QCOMPARE(files(), (QStringList{"C5H12-X1-thermo.htm", "C5H12-X2-thermo.htm"}));
        QCOMPARE(file("C5H12-X1-thermo.htm"), stored(first));
    }

    void failedfetch() {
        pages_.otherwise.clear();
        // No page stored, so no file to point the details link at.
        QCOMPARE(get("C5H12", "X1"),
                 std::string("|T<sub>boil</sub>=|Formula=|CAS Reg=|Str3File=|file="));
        QVERIFY(files().isEmpty());
    }

    void fieldlists() {
        QCOMPARE(get("C5H12", "X1", false, ""), std::string("|file="));
        QCOMPARE(get("C5H12", "X1", false, "Formula|~Bogus"),
                 std::string("|Formula=C5H12|~Bogus=|file="));
        QCOMPARE(messages_.texts, Strings{"Bogus"});
        QCOMPARE(links_.calls, (Strings{"empty links", "empty links"}));
    }

    void emptyextension() {
        QVERIFY(get("C5H12", "X1", false, fields, "").ends_with("|file=C5H12-CAS-109-66-0-.htm"));
        QCOMPARE(files(), (QStringList{"C5H12-CAS-109-66-0-.htm", "C5H12-X1-"}));
    }

    void wildcards() {
        // A formula pattern's compound page would have a "*" in its name, which no file may
        // have on Windows: matched by an identifier file or not, the page is fetched, a file of
        // that name is never read, and nothing is stored.
        put("C5H12-X1-thermo", "CAS-109-66-0");
        put("C5H*-CAS-109-66-0-thermo.htm", stored(compoundpage("109-66-0", "301")));
        QVERIFY(get("C5H*", "X1").starts_with("|T<sub>boil</sub>=309.2|"));
        QVERIFY(get("C9*", "X1").ends_with("|Str3File=C109660|file="));
        QCOMPARE(pages_.requests.size(), std::size_t(2));
        QCOMPARE(files(), (QStringList{"C5H*-CAS-109-66-0-thermo.htm", "C5H12-X1-thermo"}));
        QCOMPARE(file("C5H12-X1-thermo"), std::string("CAS-109-66-0"));
    }

    void unsafenames() {
        QVERIFY(get("C5H12", "../X1").ends_with("|file=C5H12-CAS-109-66-0-thermo.htm"));
        QCOMPARE(files(), QStringList{"C5H12-CAS-109-66-0-thermo.htm"});
        QVERIFY(QDir(QString::fromStdString(dir_ + "..")).entryList(QDir::Files).isEmpty());
        pages_.otherwise = compoundpage("109/66", "309.2");
        QVERIFY(get("C6H14", "X2").ends_with("|CAS Reg=109/66|Str3File=C109660|file="));
        QCOMPARE(files(), QStringList{"C5H12-CAS-109-66-0-thermo.htm"});
    }
};

QTEST_APPLESS_MAIN(TestGetdata)
#include "tst_getdata.moc"
