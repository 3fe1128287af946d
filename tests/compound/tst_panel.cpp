// The compound panel filled from one result list entry, and the link targets.

#include "compound/links.h"
#include "compound/panel.h"
#include "fakes.h"
#include "table.h"
#include "web/server.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const char* full = "Formula=C5H12|Molecular Weight=72.1488|CAS Reg=109-66-0|Str3File=C1|"
                   "T<sub>c</sub>=469.7|file=f.htm";
const QByteArray lines = "CAS# 109-66-0\r\nMF C5H12 MW 72.1488\r\npentane\r\n\r\n";
const QByteArrayList links{"link 0 details... /c/f.htm", "link 1 3D-Chime C1",
                           "link 2 Aldrich 109-66-0", "link 3 PubChem 109-66-0"};

QByteArrayList bytes(const Strings& calls) {
    QByteArrayList out;
    for (const std::string& call : calls) out << qb(call);
    return out;
}

} // namespace

class TestPanel : public QObject {
    Q_OBJECT
  private slots:
    // Property column, record rest, flags (p: show property, k: kelvin), the links offered
    // (indexes into links), the data text ("+": the lines of the full record, then the rest).
    void showGif_data() {
        // clang-format off
        addrows({{"kelvin", "BP 309.2", full, "pk", "0123", "+BP 309.2 Kelvin"},
                 {"celsius", "MP -129.8", full, "p", "0123", "+MP -129.8 oC"},
                 {"no unit for other columns", "bp 309", full, "pk", "0123", "+bp 309"},
                 {"property hidden", "BP 309.2", full, "k", "0123", "+"},
                 {"no 3-D reference", "BP ?", "Molecular Weight=72.1|CAS Reg=109-66-0"
                  "|Str3File=|file=f.htm", "k", "023",
                  "CAS# 109-66-0\r\nMW 72.1\r\npentane\r\n\r\n"},
                 {"no CAS number, last occurrence wins", "BP ?", "||Formula=C5|CAS Reg=|junk|"
                  "Formula= C5H12 |Str3File=C1|file=f.htm", "k", "01",
                  "CAS# \r\nMF C5H12\r\npentane\r\n\r\n"},
                 {"no file, no links", "BP ?", "Formula=C5H12|CAS Reg=1-2|Str3File=C1|file=", "k",
                  "", "CAS# 1-2\r\nMF C5H12\r\npentane\r\n\r\n"},
                 {"empty record rest", "BP ?", "", "k", "", "CAS# \r\n\r\npentane\r\n\r\n"}});
        // clang-format on
    }
    void showGif() {
        QFETCH(QByteArrayList, r);
        PanelRecorder panel;
        PageRecorder pages;
        PictureRecorder picture;
        pages.drawings[server::imageurl("X1")] = "GIF89a";
        // The drawing cannot be stored in "/c/"; it shows all the same.
        ImageContext images{"/c/", pages, picture};
        const std::string entry =
            "0309.200\tX1\t" + r[0].toStdString() + "\tpentane\t" + r[1].toStdString();
        const ListedCompound compound = readentry(entry, r[2].contains('k'));
        kestrix::showGif(compound, r[2].contains('p'), true, panel, images);
        QByteArrayList expected{"caption pentane", "clear links"};
        for (char i : r[3]) expected << links[i - '0'];
        expected << "text " + (r[4].startsWith('+') ? lines + r[4].mid(1) : r[4]);
        QCOMPARE(bytes(panel.calls), expected);
        QCOMPARE(picture.calls, (Strings{"clear", "clear", "show GIF89a"}));

        picture.calls.clear();
        kestrix::showGif(compound, true, false, panel, images);
        QCOMPARE(picture.calls, Strings{"clear"}); // no drawing asked for
        QCOMPARE(pages.opened.size(), std::size_t(1));
    }

    void linktarget_data() {
        const std::string nist = "http://" + std::string(server::host());
        const std::string threed = nist + "/cgi/cbook.cgi/nist-3d.mol?Str3File=C109660";
        const std::string home = nist + "/chemistry/";
        addrows({{"details", "0", "/c/f.htm", "/c/f.htm"},
                 {"details, empty tag", "0", "", ""},
                 {"3-D", "1", "C109660", threed.c_str()},
                 {"catalogue", "2", "109-66-0",
                  "https://www.sigmaaldrich.com/US/en/search/109-66-0?focus=products&page=1&"
                  "perpage=30&sort=relevance&term=109-66-0&type=product"},
                 {"compound database, tag as it stands", "3", "109 66&0",
                  "https://pubchem.ncbi.nlm.nih.gov/#query=109 66&0"},
                 {"home", "4", "ignored", home.c_str()}});
    }
    void linktarget() {
        QFETCH(QByteArrayList, r);
        QCOMPARE(qb(kestrix::linktarget(Link(r[0].toInt()), r[1].toStdString())), r[2]);
    }
};

QTEST_APPLESS_MAIN(TestPanel)
#include "tst_panel.moc"
