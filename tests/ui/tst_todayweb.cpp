// The real window against a server of today's kind: https only (a plain request is redirected),
// drawings only at today's address, its own TLS certificate. And the window against no server
// at all.

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QSslConfiguration>
#include <QTest>

#include "certificate.h"
#include "ui/form1.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

class TestTodayWeb : public QObject, WindowFixture {
    Q_OBJECT
    TestCertificate certificate_;

    int count(const QString& prefix) const {
        return int(server_.requests()
                       .filter(QRegularExpression("^" + QRegularExpression::escape(prefix)))
                       .size());
    }

  private slots:
    void initTestCase() {
        QVERIFY(certificate_.make(
            QString::fromLatin1(server::host().data(), qsizetype(server::host().size()))));
        // Trusted as the program's transfers find it: added to the default configuration.
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(certificate_.trusted());
        QSslConfiguration::setDefaultConfiguration(ssl);
        QVERIFY(startserver(QStringLiteral("server"), certificate_.serveroptions()
                                                          << QStringLiteral("--https-only")));
        setrules("Reduced= status 404\n");
    }
    void cleanup() { form_.reset(); }

    // One redirect in a run, then https directly; the drawings from today's address after one
    // try of the older one. The request counts of a cold search are printed for the record.
    void coldsearchesofatodaysserver() {
        newwindow();
        search(QStringLiteral("C5H12"));
        QCOMPARE(column(3), (QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
        QVERIFY(!form_->Picture1->pixmap().isNull());
        QVERIFY(messages_.texts.empty());
        const int plain = count("/"), secure = count("https ");
        QCOMPARE(plain, 1);              // the one redirect
        QCOMPARE(secure, 1 + 3 + 1 + 3); // result page, pages, one older drawing, drawings
        qInfo("cold C5H12: %d requests (%d redirected), %d connections", plain + secure, plain,
              count("CONNECT"));
        for (const char* id : {"C109660", "C78784", "C463821"}) {
            QCOMPARE(readfile(QString::fromStdString(cache_) + id + ".gif"),
                     readfile(QStringLiteral(KESTRIX_TEST_DATA "/server/image/") + id + ".gif"));
        }

        server_.clearlog();
        search(QStringLiteral("C6H14"));
        QCOMPARE(column(3).size(), 5);
        QCOMPARE(count("/"), 0);
        QCOMPARE(count("https "), 1 + 5 + 5);
        QVERIFY(server_.requests().filter(QStringLiteral("Reduced=")).isEmpty());
        qInfo("then C6H14 in the same run: %d requests", count("https "));

        newwindow(); // a new run learns again
        search(QStringLiteral("C6H14"));
        QCOMPARE(count("/"), 1);
        QCOMPARE(count("https "), 1 + 5 + 1 + 5);
        qInfo("cold C6H14: %d requests (1 redirected)", count("/") + count("https "));
    }

    // No server at all: one message names the host and the reason, and, with the placeholder
    // host of this build, how to set a real one; nothing is cached.
    void noserver() {
        newwindow();
        qputenv("http_proxy", "http://127.0.0.1:9");
        search(QStringLiteral("C5H12"));
        qputenv("http_proxy", server_.proxy().toLatin1());
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        const std::string& text = messages_.texts[0];
        QVERIFY2(text.starts_with("The search results for C5H12 could not be had from " +
                                  std::string(server::host()) + ": "),
                 text.c_str());
        QCOMPARE(text.find("KESTRIX_SERVER_HOST") != std::string::npos, server::placeholder());
        QVERIFY(cachefiles(cache_).isEmpty());
    }

    // "Go to NIST Every Time" with the server gone: the cached pages still fill the list.
    void forcedwithoutaserver() {
        newwindow();
        search(QStringLiteral("C5H12"));
        const QStringList before = column(2);
        form_->optGotoNIST->trigger();
        qputenv("http_proxy", "http://127.0.0.1:9");
        search(QStringLiteral("C5H12"));
        qputenv("http_proxy", server_.proxy().toLatin1());
        QCOMPARE(column(2), before);
        QCOMPARE(messages_.texts.size(), std::size_t(1));
        QVERIFY2(messages_.texts[0].find("4 cached copies were shown") != std::string::npos,
                 messages_.texts[0].c_str());
    }
};

QTEST_MAIN(TestTodayWeb)
#include "tst_todayweb.moc"
