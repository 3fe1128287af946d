// The program from its command line, end to end: the kestrix binary run without any display
// against the sample server through the proxy. Exit statuses, the requests each kind of question
// asks, the page cache shared with the window (repeated, forced and offline searches), the
// server's manners, tabulation files byte for byte as the window writes them, a terminal's
// progress bar, and the window started with a query.

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <pty.h>
#include <unistd.h>

#include "ui/form1.h"
#include "windowfixture.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

const QByteArray formulaoptions = "&NoIon=on&Units=SI&cTG=on&cTC=on&cTP=on";
const QByteArray nameoptions = "&Units=SI&cTG=on&cTC=on&cTP=on";

QString formula(const char* f) {
    return QStringLiteral("/cgi/cbook.cgi?Formula=") + f + formulaoptions;
}
QString name(const char* encoded) {
    return QStringLiteral("/cgi/cbook.cgi?Name=") + encoded + nameoptions;
}
QString compound(const char* id) {
    return QStringLiteral("/cgi/cbook.cgi?ID=%1&Units=SI&Mask=7").arg(QLatin1String(id));
}

struct Run {
    int status = -1;
    QByteArray out, err;
};

// The first field of every line of tab-separated output but the header.
QStringList names(const QByteArray& tsv) {
    QStringList out;
    const QList<QByteArray> lines = tsv.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!lines[i].isEmpty()) out << QString::fromUtf8(lines[i].split('\t').first());
    }
    return out;
}

} // namespace

class TestCommandLine : public QObject, WindowFixture {
    Q_OBJECT

    QTemporaryDir homes_;
    int runs_ = 0;
    QString cachebase_; // XDG_CACHE_HOME of the program's runs

    // A page cache of its own for the runs that follow; returns its directory.
    QString freshprogramcache() {
        cachebase_ = homes_.filePath(QStringLiteral("run%1").arg(++runs_));
        return cachebase_ + QStringLiteral("/kestrix/webdata/");
    }
    QString programcache() const { return cachebase_ + QStringLiteral("/kestrix/webdata/"); }

    // No display of any kind: a program that made a window could not start.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "KESTRIX_SERVER_HOST", "COLUMNS"}) {
            env.remove(QLatin1String(name));
        }
        env.insert(QStringLiteral("http_proxy"), server_.proxy());
        env.insert(QStringLiteral("no_proxy"), QString());
        env.insert(QStringLiteral("XDG_CACHE_HOME"), cachebase_);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), homes_.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("KESTRIX_SERVER_HOST"), QString::fromLatin1(samplehost));
        return env;
    }

    Run kestrix(const QStringList& args, QProcessEnvironment env = {}) {
        if (env.isEmpty()) env = environment();
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(KESTRIX_PROGRAM), args);
        Run run;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }

    // The program with a terminal as its standard output and error; returns what the terminal
    // showed.
    QByteArray onterminal(const QStringList& args) {
        int master = -1, slave = -1;
        winsize size{};
        size.ws_col = 70;
        size.ws_row = 24;
        if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) return {};
        QProcess process;
        process.setProcessEnvironment(environment());
        process.setChildProcessModifier([slave] {
            dup2(slave, STDOUT_FILENO);
            dup2(slave, STDERR_FILENO);
        });
        process.start(QStringLiteral(KESTRIX_PROGRAM), args);
        const bool finished = process.waitForFinished(60000);
        ::close(slave);
        QByteArray shown;
        char buffer[4096];
        // With the program ended and the other side closed, the terminal reads to its end.
        for (ssize_t n; finished && (n = ::read(master, buffer, sizeof buffer)) > 0;) {
            shown.append(buffer, n);
        }
        ::close(master);
        if (!finished) process.kill();
        return shown;
    }

    QByteArray programfile(const QString& file) const { return readfile(programcache() + file); }

  private slots:
    void initTestCase() {
        QVERIFY(homes_.isValid());
        QVERIFY(startserver(QStringLiteral("server")));
        pause_ = 0;
    }
    void init() {
        setrules({});
        server_.clearlog();
    }
    void cleanup() { closewindow(); }

    void statuses_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("rules");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("listed");   // in list order
        QTest::addColumn<QStringList>("requests"); // all of them, in order
        QTest::addColumn<QString>("said");         // a part of standard error; empty: nothing
        const QByteArray none;
        QTest::newRow("formula") << QStringList{"search", "C5H12"} << none << 0
                                 << QStringList{"2,2-dimethylpropane", "2-methylbutane", "pentane"}
                                 << QStringList{formula("C5H12"), compound("C109660"),
                                                compound("C78784"), compound("C463821")}
                                 << QString();
        QTest::newRow("formula with a compound without CAS number")
            << QStringList{"search", "C4H10"} << none << 0
            << QStringList{"2-methylpropane", "dideuterobutane", "butane"}
            << QStringList{formula("C4H10"), compound("C106978"), compound("C75285"),
                           compound("U123456")}
            << QString();
        QTest::newRow("name of several")
            << QStringList{"search", "Skellysolve"} << none << 0 << QStringList{"pentane", "hexane"}
            << QStringList{name("Skellysolve"), compound("C109660"), compound("C110543")}
            << QString();
        QTest::newRow("name with blank and commas")
            << QStringList{"search", "Butane,", "2,"} << none << 0
            << QStringList{"2,2-dimethylbutane", "2,3-dimethylbutane"}
            << QStringList{name("Butane%2C%202%2C"), compound("C75832"), compound("C79298")}
            << QString();
        QTest::newRow("name of a single match")
            << QStringList{"search", "Neopentane"} << none << 0
            << QStringList{"2,2-dimethylpropane"}
            << QStringList{name("Neopentane"), compound("C463821")} << QString();
        QTest::newRow("CAS number")
            << QStringList{"search", "109-66-0"} << none << 0 << QStringList{"pentane"}
            << QStringList{"/cgi/cbook.cgi?ID=109-66-0&Units=SI", compound("C109660")} << QString();
        QTest::newRow("wrong check digit")
            << QStringList{"search", "109-66-1"} << none << 2 << QStringList() << QStringList()
            << "109-66-1 is not a CAS registry number: its check digit would be 0.";
        QTest::newRow("unknown option")
            << QStringList{"search", "C5H12", "--bogus"} << none << 2 << QStringList()
            << QStringList() << "unknown option --bogus";
        QTest::newRow("unknown name")
            << QStringList{"search", "octane"} << none << 1 << QStringList()
            << QStringList{name("octane")} << "Nothing was found for octane.";
        QTest::newRow("server error")
            << QStringList{"search", "C5H12"} << QByteArray("Formula=C5H12 status 500") << 3
            << QStringList() << QStringList{formula("C5H12")} << "status 500";
        QTest::newRow("challenged name search")
            << QStringList{"search", "pentane"}
            << QByteArray("Name=pentane answer 403 challenge.htm") << 3 << QStringList()
            << QStringList{name("pentane")} << "refused the requests";
        QTest::newRow("asked to wait, then answered")
            << QStringList{"search", "Rn"} << QByteArray("1* Formula=Rn status 429 Retry-After: 1")
            << 0 << QStringList{"radon"}
            << QStringList{formula("Rn"), formula("Rn"), compound("C10043922")} << QString();
    }
    void statuses() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, rules);
        QFETCH(int, status);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, requests);
        QFETCH(QString, said);
        freshprogramcache();
        setrules(rules);
        const Run run = kestrix(args + QStringList{"--format", "tsv"});
        QCOMPARE(run.status, status);
        QCOMPARE(names(run.out), listed);
        QCOMPARE(server_.requests(), requests);
        if (said.isEmpty()) {
            QCOMPARE(run.err, QByteArray());
        } else {
            QVERIFY2(run.err.contains(said.toUtf8()), run.err.constData());
        }
        // Not a terminal: no progress bar.
        QVERIFY(!run.err.contains('\r'));
        for (const QString& agent : server_.agents()) {
            QVERIFY2(agent.startsWith(QLatin1String("Kestrix/1.0d3 (Qt ")), qPrintable(agent));
        }
    }

    void jsoninCelsius() {
        freshprogramcache();
        const Run run = kestrix({"search", "109-66-0", "--format", "json", "--celsius"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray("[\n  {\"name\": \"pentane\", \"id\": \"C109660\", \"cas\": "
                                     "\"109-66-0\", \"formula\": \"C5H12\", \"mw\": 72.1488, "
                                     "\"property\": \"BP\", \"value\": 36, \"unit\": \"C\"}\n]\n"));
    }

    // Repeated, forced and offline searches by name over one page cache.
    void pagecache() {
        freshprogramcache();
        const QStringList pentane{"search", "pentane", "--property", "MP", "--sort", "name"};
        const Run first = kestrix(pentane);
        QCOMPARE(first.status, 0);
        // By the first 8 characters of the name, then by identifier, as the window sorts.
        QCOMPARE(names(first.out), (QStringList{"2,2-dimethylpropane", "2-methylpentane",
                                                "2-methylbutane", "3-methylpentane", "pentane"}));
        QCOMPARE(server_.requests().size(), 6);
        server_.clearlog();
        QCOMPARE(kestrix(pentane).out, first.out);
        QCOMPARE(server_.requests(), QStringList());
        QCOMPARE(kestrix(pentane + QStringList{"--force"}).out, first.out);
        QCOMPARE(server_.requests().size(), 6);

        // Offline, a compound the cache lacks is named, and listed without values.
        server_.clearlog();
        QVERIFY(QFile::remove(programcache() + "name-pentane-CAS-109-66-0-thermo.htm"));
        QVERIFY(QFile::remove(programcache() + "name-pentane-CAS-78-78-4-thermo.htm"));
        const Run lacking = kestrix(pentane + QStringList{"--offline"});
        QCOMPARE(lacking.status, 0);
        QCOMPARE(lacking.err, QByteArray("Not in the page cache: pentane, 2-methylbutane.\n"));
        QVERIFY(lacking.out.endsWith("\npentane\t\t\t\t\n"));
        QCOMPARE(names(lacking.out).size(), 5);

        // Nothing cached at all: nothing listed, nothing asked.
        freshprogramcache();
        const Run empty = kestrix({"search", "C6H14", "--offline"});
        QCOMPARE(empty.status, 3);
        QVERIFY(empty.err.startsWith("The search results for C6H14 are not in the page cache "));
        QCOMPARE(server_.requests(), QStringList());
    }

    // The host as the environment sets it, and as --host overrides it: every address uses it,
    // as the base address kept with each cached compound page shows.
    void host() {
        freshprogramcache();
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("KESTRIX_SERVER_HOST"), QStringLiteral("env.example.test"));
        QCOMPARE(kestrix({"search", "109-66-0"}, env).status, 0);
        const QString page = QStringLiteral("cas-109-66-0-CAS-109-66-0-thermo.htm");
        QVERIFY(programfile(page).startsWith("<base href=http://env.example.test/cgi/cbook.cgi?"
                                             "ID=C109660&Units=SI&Mask=7>"));
        QCOMPARE(
            kestrix({"search", "109-66-0", "--force", "--host", "cli.example.test"}, env).status,
            0);
        QVERIFY(programfile(page).startsWith("<base href=http://cli.example.test/"));
    }

    // The tabulation files of the command line are those of the window's menu, byte for byte.
    void tabulation_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("allgroups");
        QTest::addColumn<QString>("file");    // without its extension
        QTest::addColumn<QString>("drawing"); // of a compound listed
        QTest::newRow("formula, temperatures") << "C5H12" << false << "C5H12"
                                               << "C109660";
        QTest::newRow("formula, every group") << "C6H14" << true << "C6H14"
                                              << "C110543";
        QTest::newRow("name") << "pentane" << false << "name-pentane"
                              << "C96140";
        QTest::newRow("CAS number") << "109-66-0" << true << "cas-109-66-0"
                                    << "C109660";
    }
    void tabulation() {
        QFETCH(QString, query);
        QFETCH(bool, allgroups);
        QFETCH(QString, file);
        QFETCH(QString, drawing);
        newwindow();
        form_->OptPhaseChange->setChecked(allgroups);
        form_->optGasHS->setChecked(allgroups);
        search(query);
        QVERIFY(waitidle());
        form_->mnuCreateTab->trigger();
        form_->mnuTabulateExcel->trigger();
        const QString window = QString::fromStdString(cache_);
        QCOMPARE(opener_.targets,
                 (std::vector<std::string>{(window + file + ".htm").toStdString(),
                                           (window + file + ".csv").toStdString()}));

        freshprogramcache();
        QStringList args{"tabulate", query};
        if (allgroups)
            args << "--groups"
                 << "temperatures,phase,gas";
        const Run run = kestrix(args);
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out,
                 (programcache() + file + ".htm\n" + programcache() + file + ".csv\n").toUtf8());
        for (const char* extension : {".htm", ".csv"}) {
            const QByteArray written = programfile(file + extension);
            QVERIFY(!written.isEmpty());
            QCOMPARE(written, readfile(window + file + extension));
        }
        // The table's drawings were fetched with it, as the window fetches them.
        QVERIFY(QFile::exists(programcache() + drawing + ".gif"));
    }

    void onaterminal() {
        freshprogramcache();
        const QByteArray shown = onterminal({"search", "C5H12"});
        // The progress bar, rewritten in place and cleared at the end...
        QVERIFY2(shown.contains("\r[....................] 1 of 3 pentane\x1b[K"),
                 shown.constData());
        QVERIFY(shown.contains("] 3 of 3 2,2-dimethylpropane\x1b[K"));
        QVERIFY(shown.contains("\r\x1b[K"));
        // ...and the compounds as a table.
        QVERIFY(shown.contains("Name                 BP (Kelvin)  CAS#      Formula  MW\r\n"));
        QVERIFY(shown.contains("pentane              309.2        109-66-0  C5H12    72.1488\r\n"));
    }

    void helpandversion() {
        const Run version = kestrix({"--version"});
        QCOMPARE(version.out, QByteArray("kestrix 1.0d3\n"));
        const Run bogus = kestrix({"--bogus"});
        QCOMPARE(bogus.status, 2);
        QCOMPARE(bogus.out, QByteArray());
        QVERIFY(bogus.err.startsWith("kestrix: unknown option --bogus\nUsage: kestrix"));
    }

    // kestrix QUERY: the window's start-up search asks for the query, not C5H12.
    void windowwithquery() {
        freshprogramcache();
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(QStringLiteral(KESTRIX_PROGRAM), {"-platform", "offscreen", "Rn"});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(server_.requests().size() >= 2, 20000);
        process.kill();
        process.waitForFinished();
        QCOMPARE(server_.requests().mid(0, 2), (QStringList{formula("Rn"), compound("C10043922")}));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
