// Structure drawings: cached as <identifier>.gif, fetched once as bytes.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "../table.h"
#include "web/cache.h"
#include "web/images.h"
#include "web/server.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

using Strings = std::vector<std::string>;

// The transfer's byte fetch, the title bar and the picture box, recording their calls.
struct Recorder : Transfer, TitleBar, Picture {
    std::string answer;
    Strings opened, captions, picture;
    bool Execute(const std::string&, const std::string&, const std::string&, const std::string&,
                 std::string&) override {
        return false;
    }
    bool StillExecuting() const override { return false; }
    std::string GetChunk(int) override { return {}; }
    bool Succeeded() const override { return false; }
    void Cancel() override {}
    std::string OpenURL(const std::string& url) override {
        opened.push_back(url);
        return answer;
    }
    void setcaption(const std::string& text) override { captions.push_back(text); }
    void clear() override { picture.push_back("clear"); }
    void load(const std::string& path) override { picture.push_back("load " + path); }
};

} // namespace

class TestImages : public QObject {
    Q_OBJECT
    QTemporaryDir tmp_;
    std::string dir_;
    Recorder r_;

    void show(const std::string& sid) {
        ImageContext context{dir_, "Kestrix", r_, r_, r_};
        getgif(sid, context);
    }

  private slots:
    void init() {
        dir_ = tmp_.path().toStdString() + "/" + QTest::currentTestFunction() + "/";
        QVERIFY(QDir().mkpath(QString::fromStdString(dir_)));
        r_ = Recorder();
    }

    void cached() {
        QVERIFY(puttofile("GIF89a old", dir_ + "X1.gif"));
        show("X1");
        QVERIFY(r_.opened.empty());
        QVERIFY(r_.captions.empty());
        QCOMPARE(r_.picture, (Strings{"clear", "load " + dir_ + "X1.gif"}));
    }

    void fetched() {
        r_.answer = std::string("GIF89a\0\r\n\xff", 10);
        show("X1");
        const std::string url =
            "http://" + std::string(server::host()) + "/cgi/cbook.cgi?Reduced=X1";
        QCOMPARE(r_.opened, Strings{url});
        QCOMPARE(r_.captions, (Strings{"retrieving " + url + "...", "Kestrix"}));
        QCOMPARE(loadfromfile(dir_ + "X1.gif"), r_.answer);
        QCOMPARE(r_.picture, (Strings{"clear", "load " + dir_ + "X1.gif"}));
        show("X1"); // from the file now
        QCOMPARE(r_.opened.size(), std::size_t(1));
    }

    void nothingreceived() {
        show("X2");
        QCOMPARE(r_.opened.size(), std::size_t(1));
        QVERIFY(!QFile::exists(QString::fromStdString(dir_ + "X2.gif")));
        QCOMPARE(r_.picture, Strings{"clear"});
        QCOMPARE(r_.captions, Strings{"retrieving " + server::imageurl("X2") + "..."});
    }

    void unsafeidentifier() {
        r_.answer = "GIF89a";
        for (const char* sid : {"../X1", "a/X1", "X1\n"}) show(sid);
        QVERIFY(r_.opened.empty());
        QCOMPARE(r_.picture, (Strings{"clear", "clear", "clear"}));
        QVERIFY(QDir(tmp_.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestImages)
#include "tst_images.moc"
