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
    FakeTransfer transfer_;
    TitleRecorder titles_;
    PictureRecorder picture_;

    void show(const std::string& sid) {
        ImageContext context{dir_, "Kestrix", transfer_, titles_, picture_};
        getgif(sid, context);
    }

  private slots:
    void init() {
        dir_ = tmp_.path().toStdString() + "/" + QTest::currentTestFunction() + "/";
        QVERIFY(QDir().mkpath(QString::fromStdString(dir_)));
        transfer_ = FakeTransfer();
        titles_ = TitleRecorder();
        picture_ = PictureRecorder();
    }

    void cached() {
        QVERIFY(puttofile("GIF89a old", dir_ + "X1.gif"));
        show("X1");
        QVERIFY(transfer_.opened.empty());
        QVERIFY(titles_.captions.empty());
        QCOMPARE(picture_.calls, (Strings{"clear", "show GIF89a old"}));
    }

    void fetched() {
        const std::string url =
            "http://" + std::string(server::host()) + "/cgi/cbook.cgi?Reduced=X1";
        const std::string bytes("GIF89a\0\r\n\xff", 10);
        transfer_.answers[url] = bytes;
        show("X1");
        QCOMPARE(transfer_.opened, Strings{url});
        QCOMPARE(titles_.captions, (Strings{"retrieving " + url + "...", "Kestrix"}));
        QCOMPARE(loadfromfile(dir_ + "X1.gif"), bytes);
        QCOMPARE(picture_.calls, (Strings{"clear", "show " + bytes}));
        show("X1"); // from the file now
        QCOMPARE(transfer_.opened.size(), std::size_t(1));
    }

    void nothingreceived() {
        show("X2");
        QCOMPARE(transfer_.opened.size(), std::size_t(1));
        QVERIFY(!QFile::exists(QString::fromStdString(dir_ + "X2.gif")));
        QCOMPARE(picture_.calls, Strings{"clear"});
        QCOMPARE(titles_.captions, Strings{"retrieving " + server::imageurl("X2") + "..."});
    }

    // A drawing that cannot be stored is still shown from the bytes received.
    void notstored() {
        transfer_.answers[server::imageurl("X3")] = "GIF89a new";
        dir_ += "missing/";
        show("X3");
        QCOMPARE(picture_.calls, (Strings{"clear", "show GIF89a new"}));
        QVERIFY(!QFile::exists(QString::fromStdString(dir_ + "X3.gif")));
    }

    void unsafeidentifier() {
        for (const char* sid : {"../X1", "a/X1", "X1\n"}) {
            transfer_.answers[server::imageurl(sid)] = "GIF89a";
            show(sid);
        }
        QVERIFY(transfer_.opened.empty());
        QCOMPARE(picture_.calls, (Strings{"clear", "clear", "clear"}));
        QVERIFY(QDir(tmp_.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestImages)
#include "tst_images.moc"
