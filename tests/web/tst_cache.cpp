// The page cache: byte-exact files, safe names, the "*" lookup and clearing.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakes.h"
#include "table.h"
#include "web/cache.h"
#include "web/cachedfetch.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

void write(const std::string& path, const QByteArray& content = "x") {
    QFile f(QString::fromStdString(path));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray read(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestCache : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    std::string dir_; // with a trailing separator

    QStringList entries() const {
        return QDir(QString::fromStdString(dir_))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

  private slots:
    void init() {
        QDir(tmp_.path()).removeRecursively();
        dir_ = (tmp_.path() + "/c/").toStdString();
        createcachedir(dir_); // its parent is gone too
        createcachedir(dir_);
        QVERIFY(QFileInfo(QString::fromStdString(dir_)).isDir());
    }

    void roundtrip() {
        std::string bytes = "\r\n\n\r";
        for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
        std::string error = "untouched";
        QVERIFY(puttofile(bytes, dir_ + "page.htm", 0, &error));
        QCOMPARE(error, std::string("untouched"));
        QCOMPARE(read(dir_ + "page.htm"), qb(bytes));
        QCOMPARE(loadfromfile(dir_ + "page.htm"), bytes);
        QVERIFY(puttofile("short", dir_ + "page.htm"));
        QCOMPARE(read(dir_ + "page.htm"), QByteArray("short"));
        QVERIFY(puttofile("xy", dir_ + "at3", 3));
        QCOMPARE(read(dir_ + "at3"), QByteArray("\0\0xy", 4));
        // Written through temporary files that do not stay behind.
        QCOMPARE(entries(), (QStringList{"at3", "page.htm"}));
    }

    void loadpositions_data() {
        addrows({{"whole", "0", "abcdef", "0"},
                 {"from offset", "2", "cdef", "2"},
                 {"offset at end", "6", "", "6"},
                 {"first bytes", "-3", "abc", "0"},
                 {"more than the file", "-100", "abcdef", "0"}});
    }
    void loadpositions() {
        QFETCH(QByteArrayList, r);
        write(dir_ + "f", "abcdef");
        long pt = r[0].toLong();
        QCOMPARE(qb(loadfromfile(dir_ + "f", pt)), r[1]);
        QCOMPARE(pt, r[2].toLong());
    }

    void missingandunreadable() {
        QCOMPARE(loadfromfile(dir_ + "missing"), std::string());
        QVERIFY(!fileexists(dir_ + "missing"));
        QVERIFY(!QFile::exists(QString::fromStdString(dir_ + "missing")));
        QVERIFY(QDir().mkdir(QString::fromStdString(dir_ + "sub")));
        QCOMPARE(loadfromfile(dir_ + "sub"), std::string()); // a directory is no page
        QVERIFY(!fileexists(dir_ + "sub"));
        write(dir_ + "empty", {});
        QVERIFY(fileexists(dir_ + "empty"));
        long pt = -5;
        QCOMPARE(loadfromfile(dir_ + "empty", pt), std::string());
        QCOMPARE(pt, 0L);
    }

    void writefailures() {
        QVERIFY(QDir().mkdir(QString::fromStdString(dir_ + "sub")));
        for (const std::string& path : {dir_ + "nodir/f.htm", dir_ + "sub"}) {
            std::string error;
            QVERIFY(!puttofile("x", path, 0, &error));
            QVERIFY(!error.empty());
        }
        QCOMPARE(entries(), QStringList{"sub"});
    }

    void safename_data() {
        addrows({{"page", "C5H12-CAS-109-66-0-thermo.htm", "1"},
                 {"options", "C5H12-&NoIon=on&Units=SI.htm", "1"},
                 {"star", "C*-X1-", "0"},
                 {"three dots", "...", "0"},
                 {"empty", "", "0"},
                 {"dot", ".", "0"},
                 {"dot dot", "..", "0"},
                 {"slash", "../etc", "0"},
                 {"backslash", "a\\b", "0"},
                 {"line feed", "a\nb", "0"},
                 {"tab", "a\tb", "0"},
                 {"delete", "a\x7f", "0"}});
        QTest::newRow("nul") << QByteArrayList{QByteArray("a\0b", 3), "0"};
    }
    void safename() {
        QFETCH(QByteArrayList, r);
        const std::string name = r[0].toStdString();
        QCOMPARE(kestrix::safename(name), r[1] == "1");
        QCOMPARE(cachepath(dir_, name).value_or("<none>"), r[1] == "1" ? dir_ + name : "<none>");
    }

    void lookupbypattern() {
        write(dir_ + "C5H12-X1-thermo");
        write(dir_ + ".C5H12-X9-thermo");
        QCOMPARE(findfirstmatch(dir_, "c5h*-x1-THERMO"), std::string("C5H12-X1-thermo"));
        QCOMPARE(findfirstmatch(dir_, "*X1*"), std::string("C5H12-X1-thermo"));
        QCOMPARE(findfirstmatch(dir_, "C5H12-X1-thermo*"), std::string("C5H12-X1-thermo"));
        QCOMPARE(findfirstmatch(dir_, "*-X1"), std::string());
        QCOMPARE(findfirstmatch(dir_, "*X9*"), std::string()); // hidden
        QCOMPARE(resolvename(dir_, "c5h12-x1-thermo"), std::string("C5H12-X1-thermo"));
        QCOMPARE(resolvename(dir_, "C5H12-X1-thermo"), std::string("C5H12-X1-thermo"));
        QCOMPARE(resolvename(dir_, "c5h12-x2-thermo"), std::string());
        QCOMPARE(resolvename(dir_, "../c/C5H12-X1-thermo"), std::string());
    }

    void clearcache_data() { addrows({{"ok", "ok"}, {"cancel", "cancel"}}); }
    void clearcache() {
        QFETCH(QByteArrayList, r);
        for (const char* name : {"a.htm", "X1.gif", "C5H12-X1-thermo", ".hidden"}) {
            write(dir_ + name);
        }
        QVERIFY(QDir().mkdir(QString::fromStdString(dir_ + "sub")));
        write(dir_ + "sub/inner.htm");
        write(tmp_.path().toStdString() + "/outside");
        QVERIFY(QFile::link(tmp_.path() + "/outside", QString::fromStdString(dir_ + "link")));

        MessageRecorder messages;
        messages.answer = r[0] == "ok" ? Answer::ok : Answer::cancel;
        kestrix::clearcache(dir_, messages);
        const std::string ask = "This will clear all 3 files in directory " + dir_ + ".";
        QCOMPARE(messages.buttons.front(), Buttons::okcancel);
        if (r[0] == "ok") {
            QCOMPARE(messages.texts, (Strings{ask, "Directory " + dir_ + " cleared."}));
            QCOMPARE(messages.buttons.back(), Buttons::ok);
            QCOMPARE(entries(), (QStringList{".hidden", "link", "sub"}));
        } else {
            QCOMPARE(messages.texts, Strings{ask});
            QCOMPARE(entries().size(), 6);
        }
        QVERIFY(QFile::exists(QString::fromStdString(dir_ + "sub/inner.htm")));
        QVERIFY(QFile::exists(tmp_.path() + "/outside"));
    }

    void clearemptyormissing() {
        MessageRecorder messages;
        kestrix::clearcache(dir_, messages);
        kestrix::clearcache(dir_ + "missing/", messages);
        QVERIFY(messages.texts.empty());
    }

    // The cached copy ("-": none, "": empty, "html": not usable), forced or not, the fetch's
    // answer ("-": failed); then the body, where it came from (c: cache, f: fetched, b: the
    // copy because the fetch failed, n: nothing), whether the fetch ran, and the file after.
    void cachedfetch_data() {
        addrows(
            {{"copy", "old", "", "new", "old", "c", "", "old"},
             {"no copy", "-", "", "new", "new", "f", "y", "new"},
             {"empty copy counts as missing", "", "", "new", "new", "f", "y", "new"},
             {"a copy not taken counts as missing", "html", "", "new", "new", "f", "y", "new"},
             {"forced", "old", "force", "new", "new", "f", "y", "new"},
             {"failed fetch keeps the copy away", "-", "", "-", "", "n", "y", "-"},
             {"failed forced fetch shows the copy", "old", "force", "-", "old", "b", "y", "old"},
             {"failed forced fetch without a copy", "", "force", "-", "", "n", "y", ""}});
    }
    void cachedfetch() {
        QFETCH(QByteArrayList, r);
        const std::string path = dir_ + "page.htm";
        if (r[0] != "-") write(path, r[0]);
        bool fetched = false;
        const Fetched got = kestrix::cachedfetch(
            path, r[1] == "force",
            [&] {
                fetched = true;
                return r[2] == "-" ? std::string() : r[2].toStdString();
            },
            keepas(path), [](const std::string& copy) { return copy != "html"; });
        QCOMPARE(qb(got.body), r[3]);
        QCOMPARE(got.fromcache, r[4] == "c" || r[4] == "b");
        QCOMPARE(got.fellback, r[4] == "b");
        QCOMPARE(fetched, r[5] == "y");
        QCOMPARE(read(path), r[6] == "-" ? QByteArray("<missing>") : r[6]);
        QVERIFY(got.storeerror.empty());
    }

    void cachedfetchtellsafailedstore() {
        const Fetched got = kestrix::cachedfetch(
            dir_ + "missing/page.htm", false, [] { return std::string("new"); },
            keepas(dir_ + "missing/page.htm"));
        QCOMPARE(got.body, std::string("new"));
        // The reason alone: the caller names the folder once, in its own words.
        QCOMPARE(got.storeerror, std::string("No such file or directory"));
    }
};

QTEST_APPLESS_MAIN(TestCache)
#include "tst_cache.moc"
