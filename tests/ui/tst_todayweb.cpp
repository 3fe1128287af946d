// The real window against a server of today's kind: https only (a plain request is redirected),
// drawings only at today's address, its own TLS certificate. And the window against no server
// at all, with the real transfer's reason.

#include <QAction>
#include <QLabel>
#include <QSslConfiguration>
#include <QTest>

#include "certificate.h"
#include "ui/form1.h"
#include "ui/listbox.h"
#include "web/server.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {
const QString options = QStringLiteral("&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on");
}

class TestTodayWeb : public QObject, WindowFixture {
    Q_OBJECT
    TestCertificate certificate_;

    // The requests the server answered, without the tunnels they came through.
    QStringList asked() const {
        QStringList out;
        for (const QString& request : server_.requests()) {
            if (!request.startsWith(QLatin1String("CONNECT "))) out << request;
        }
        return out;
    }
    // The requests of one compound: its page, and its drawing at the addresses given.
    static QStringList compound(const QString& id, bool older) {
        QStringList out{"https /cgi/cbook.cgi?ID=" + id + "&Units=SI&Mask=7"};
        if (older) out << "https /cgi/cbook.cgi?Reduced=" + id;
        return out << "https /cgi/cbook.cgi?Struct=" + id + "&Type=Color";
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
    // try of the older one; a new run learns both again.
    void coldsearchesofatodaysserver() {
        const QString c5h12 = "/cgi/cbook.cgi?Formula=C5H12" + options;
        const QString c6h14 = "/cgi/cbook.cgi?Formula=C6H14" + options;
        newwindow();
        search(QStringLiteral("C5H12"));
        QCOMPARE(column(3), (QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}));
        QVERIFY(!form_->Picture1->pixmap().isNull());
        QVERIFY(messages_.texts.empty());
        const QStringList cold = QStringList{c5h12, "https " + c5h12} + compound("C109660", true) +
                                 compound("C78784", false) + compound("C463821", false);
        QCOMPARE(asked(), cold);
        for (const char* id : {"C109660", "C78784", "C463821"}) {
            QCOMPARE(readfile(QString::fromStdString(cache_) + id + ".gif"),
                     readfile(QStringLiteral(KESTRIX_TEST_DATA "/server/image/") + id + ".gif"));
        }

        const char* isomers[] = {"C110543", "C107835", "C96140", "C75832", "C79298"};
        server_.clearlog();
        search(QStringLiteral("C6H14"));
        QCOMPARE(column(3), (QStringList{"2,2-dimethylbutane", "2,3-dimethylbutane",
                                         "2-methylpentane", "3-methylpentane", "hexane"}));
        QStringList expected{"https " + c6h14};
        for (const char* id : isomers) expected += compound(id, false);
        QCOMPARE(asked(), expected);

        newwindow(); // a new run learns again
        search(QStringLiteral("C6H14"));
        expected = QStringList{c6h14, "https " + c6h14};
        for (const char* id : isomers) expected += compound(id, id == isomers[0]);
        QCOMPARE(asked(), expected);
    }

    // No server at all: one message names the host and the reason, the empty list says so once
    // the message is closed, and nothing is cached.
    void noserver() {
        newwindow();
        qputenv("http_proxy", "http://127.0.0.1:9");
        search(QStringLiteral("C5H12"));
        qputenv("http_proxy", server_.proxy().toLatin1());
        const std::string host(server::host());
        QCOMPARE(messages_.texts, Strings{"The search results for C5H12 could not be had from " +
                                          host + ": the connection was refused"});
        // Once the message is closed, the empty list still says why.
        QCOMPARE(form_->List1->note(),
                 QString::fromStdString("No answer from " + host + ": the connection was refused"));
        QVERIFY(cachefiles(cache_).isEmpty());
    }
};

QTEST_MAIN(TestTodayWeb)
#include "tst_todayweb.moc"
