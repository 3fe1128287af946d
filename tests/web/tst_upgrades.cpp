// Which hosts are asked over https, from what their answers showed.

#include "table.h"
#include "web/upgrades.h"

using namespace kestrix;
using namespace kestrix::test;

class TestUpgrades : public QObject {
    Q_OBJECT
  private slots:
    // An answer (asked, answered, s: with Strict-Transport-Security), then an address and what
    // it becomes.
    void upgrades_data() {
        addrows({{"redirect to https on the same host", "http://a.test/x", "https://a.test/x", "",
                  "http://a.test/y?q=1", "https://a.test/y?q=1"},
                 {"the host in any case, the default port dropped", "http://A.test:80/x",
                  "https://a.test/x", "", "http://a.TEST/y", "https://a.test/y"},
                 {"another port kept", "http://a.test/x", "https://a.test/x", "",
                  "http://a.TEST:8080/y", "https://a.test:8080/y"},
                 {"a host set with its port keeps it", "http://h.test:8080/x",
                  "https://h.test:8443/x", "", "http://h.test:8080/y?q", "https://h.test:8443/y?q"},
                 {"other hosts stay", "http://a.test/x", "https://a.test/x", "", "http://b.test/y",
                  "http://b.test/y"},
                 {"redirect to another host", "http://a.test/x", "https://b.test/x", "",
                  "http://a.test/y", "http://a.test/y"},
                 {"redirect to http", "http://a.test/x", "http://a.test/z", "", "http://a.test/y",
                  "http://a.test/y"},
                 {"strict transport over https", "https://a.test/x", "https://a.test/x", "s",
                  "http://a.test/y", "https://a.test/y"},
                 {"strict transport over http is no promise", "http://a.test/x", "http://a.test/x",
                  "s", "http://a.test/y", "http://a.test/y"},
                 {"plain answer", "http://a.test/x", "http://a.test/x", "", "http://a.test/y",
                  "http://a.test/y"},
                 {"https asked stays", "http://a.test/x", "https://a.test/x", "",
                  "https://a.test/y", "https://a.test/y"},
                 {"no path", "http://a.test/x", "https://a.test/x", "", "http://a.test",
                  "https://a.test"}});
    }
    void upgrades() {
        QFETCH(QByteArrayList, r);
        HttpsUpgrades upgrades;
        QCOMPARE(qb(upgrades.apply(r[3].toStdString())), r[3]); // nothing known yet
        upgrades.observe(r[0].toStdString(), r[1].toStdString(), r[2] == "s");
        QCOMPARE(qb(upgrades.apply(r[3].toStdString())), r[4]);
    }
};

QTEST_APPLESS_MAIN(TestUpgrades)
#include "tst_upgrades.moc"
