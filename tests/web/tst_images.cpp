// Structure drawings: cached as <identifier>.gif, fetched once as bytes.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakes.h"
#include "table.h"
#include "web/cache.h"
#include "web/images.h"
#include "web/server.h"

using namespace kestrix;
using namespace kestrix::test;

class TestImages : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    std::string dir_;
    PageRecorder pages_;
    PictureRecorder picture_;

    void show(const std::string& sid) {
        ImageContext context{dir_, pages_, picture_};
        getgif(sid, context);
    }

  private slots:
    void init() {
        dir_ = tmp_.path().toStdString() + "/" + QTest::currentTestFunction() + "-" +
               (QTest::currentDataTag() ? QTest::currentDataTag() : "") + "/";
        QVERIFY(QDir().mkpath(QString::fromStdString(dir_)));
        pages_ = PageRecorder();
        picture_ = PictureRecorder();
    }

    void cached() {
        QVERIFY(puttofile("GIF89a old", dir_ + "X1.gif"));
        show("X1");
        QVERIFY(pages_.opened.empty());
        QCOMPARE(picture_.calls, (Strings{"clear", "show GIF89a old"}));
    }

    void fetched() {
        const std::string url =
            "http://" + std::string(server::host()) + "/cgi/cbook.cgi?Reduced=X1";
        const std::string bytes("GIF89a\0\r\n\xff", 10);
        pages_.drawings[url] = bytes;
        show("X1");
        QCOMPARE(pages_.opened, Strings{url});
        QCOMPARE(loadfromfile(dir_ + "X1.gif"), bytes);
        QCOMPARE(picture_.calls, (Strings{"clear", "show " + bytes}));
        show("X1"); // from the file now
        QCOMPARE(pages_.opened.size(), std::size_t(1));
    }

    void nothingreceived() {
        show("X2");
        QCOMPARE(pages_.opened, (Strings{server::imageurl("X2"), server::structureurl("X2")}));
        QVERIFY(!QFile::exists(QString::fromStdString(dir_ + "X2.gif")));
        QCOMPARE(picture_.calls, Strings{"clear"});
        // Only the design's address is a guess.
        QCOMPARE(pages_.guesses, (std::vector<bool>{true, false}));
    }

    // What the older address (r[0]) and today's (r[1]) answer, with "-" for nothing; then the
    // addresses asked, in order (o: older, t: today's), and what is stored and shown.
    void fallback_data() {
        addrows(
            {{"older answers", "GIF89a old", "GIF89a new", "o", "GIF89a old"},
             {"older fails", "-", "GIF89a new", "ot", "GIF89a new"},
             {"older answers with a page", "<html>Error</html>", "GIF89a new", "ot", "GIF89a new"},
             {"a PNG", "-", "\x89PNG\r\n\x1a\n png", "ot", "\x89PNG\r\n\x1a\n png"},
             {"a JPEG", "-", "\xff\xd8\xff jpeg", "ot", "\xff\xd8\xff jpeg"},
             {"pages at both", "<html>a</html>", "<html>b</html>", "ot", "-"},
             {"nothing at both", "-", "-", "ot", "-"}});
    }
    void fallback() {
        QFETCH(QByteArrayList, r);
        if (r[0] != "-") pages_.drawings[server::imageurl("X1")] = r[0].toStdString();
        if (r[1] != "-") pages_.drawings[server::structureurl("X1")] = r[1].toStdString();
        ImageContext context{dir_, pages_, picture_};
        getgif("X1", context);
        Strings asked;
        for (char a : r[2])
            asked.push_back(a == 'o' ? server::imageurl("X1") : server::structureurl("X1"));
        QCOMPARE(pages_.opened, asked);
        const bool stored = r[3] != "-";
        QCOMPARE(QFile::exists(QString::fromStdString(dir_ + "X1.gif")), stored);
        if (stored) QCOMPARE(qb(loadfromfile(dir_ + "X1.gif")), r[3]);
        QCOMPARE(picture_.calls.back(), stored ? "show " + r[3].toStdString() : "clear");
        // Today's address answered: the next drawing of the run goes there first.
        QCOMPARE(context.usestructure, r[2] == "ot" && stored);
    }

    void todaysaddressremembered() {
        pages_.drawings[server::structureurl("X1")] = "GIF89a 1";
        pages_.drawings[server::structureurl("X2")] = "GIF89a 2";
        ImageContext context{dir_, pages_, picture_};
        getgif("X1", context);
        getgif("X2", context);
        QCOMPARE(pages_.opened, (Strings{server::imageurl("X1"), server::structureurl("X1"),
                                         server::structureurl("X2")}));
        QCOMPARE(loadfromfile(dir_ + "X2.gif"), std::string("GIF89a 2"));
    }

    // A page stored as a drawing by an older version counts as missing.
    void cachedpageisfetchedagain() {
        QVERIFY(puttofile("<html>Error</html>", dir_ + "X1.gif"));
        pages_.drawings[server::imageurl("X1")] = "GIF89a new";
        show("X1");
        QCOMPARE(pages_.opened.size(), std::size_t(1));
        QCOMPARE(loadfromfile(dir_ + "X1.gif"), std::string("GIF89a new"));
    }

    // A drawing that cannot be stored is still shown from the bytes received.
    void notstored() {
        pages_.drawings[server::imageurl("X3")] = "GIF89a new";
        dir_ += "missing/";
        show("X3");
        QCOMPARE(picture_.calls, (Strings{"clear", "show GIF89a new"}));
        QVERIFY(!QFile::exists(QString::fromStdString(dir_ + "X3.gif")));
    }

    void unsafeidentifier() {
        for (const char* sid : {"../X1", "a/X1", "X1\n"}) {
            pages_.drawings[server::imageurl(sid)] = "GIF89a";
            show(sid);
        }
        QVERIFY(pages_.opened.empty());
        QCOMPARE(picture_.calls, (Strings{"clear", "clear", "clear"}));
        QVERIFY(QDir(tmp_.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestImages)
#include "tst_images.moc"
