#include "support.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include "ui/form1.h"
#include "ui/listbox.h"

namespace kestrix::test {

bool SampleServer::start(const QString& datafolder, const QString& rulesfile) {
    static int counter = 0;
    logfile_ = QDir::tempPath() + QStringLiteral("/kestrix-server-%1-%2.log")
                                      .arg(QCoreApplication::applicationPid())
                                      .arg(++counter);
    QFile::remove(logfile_);
    const QString data = QDir::isAbsolutePath(datafolder)
                             ? datafolder
                             : QStringLiteral(KESTRIX_TEST_DATA "/") + datafolder;
    QStringList arguments = {QStringLiteral("--data"), data,
                             QStringLiteral("--port"), QStringLiteral("0"),
                             QStringLiteral("--log"),  logfile_};
    if (!rulesfile.isEmpty()) arguments << QStringLiteral("--rules") << rulesfile;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(KESTRIX_SAMPLE_SERVER), arguments);
    if (!process_.waitForStarted(5000)) return false;
    while (process_.waitForReadyRead(5000)) {
        while (process_.canReadLine()) {
            const QString line = QString::fromLatin1(process_.readLine()).trimmed();
            if (line.startsWith(QLatin1String("listening on 127.0.0.1:"))) {
                port_ = line.section(QLatin1Char(':'), -1).toInt();
                return port_ > 0;
            }
        }
    }
    return false;
}

void SampleServer::stop() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    if (!logfile_.isEmpty()) QFile::remove(logfile_);
}

QStringList SampleServer::requests() const {
    QFile log(logfile_);
    if (!log.open(QIODevice::ReadOnly)) return {};
    QStringList lines;
    for (const QByteArray& line : log.readAll().split('\n')) {
        if (!line.trimmed().isEmpty()) lines << QString::fromLatin1(line.trimmed());
    }
    return lines;
}

void SampleServer::clearlog() {
    QFile log(logfile_);
    if (log.exists()) log.resize(0);
}

std::string freshcache(const QString& base) {
    QDir(base).removeRecursively();
    QDir().mkpath(base);
    qputenv("XDG_CACHE_HOME", base.toLocal8Bit());
    return (base + QStringLiteral("/kestrix/webdata/")).toStdString();
}

QStringList cachefiles(const std::string& dir) {
    QStringList names = QDir(QString::fromStdString(dir))
                            .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    return names;
}

} // namespace kestrix::test

namespace kestrix::test {

QStringList filesbelow(const QString& dir) {
    QStringList out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(dir);
    while (it.hasNext()) out << base.relativeFilePath(it.next());
    out.sort();
    return out;
}

} // namespace kestrix::test

namespace kestrix::test {

QByteArray readfile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writefile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

WindowFixture::~WindowFixture() = default;

bool WindowFixture::startserver(const QString& folder) {
    rules_ = home_.path() + QStringLiteral("/rules");
    setrules({});
    if (!server_.start(folder, rules_)) return false;
    qputenv("http_proxy", server_.proxy().toLatin1());
    qputenv("no_proxy", "");
    return true;
}

void WindowFixture::setrules(const QByteArray& text) {
    writefile(rules_, text);
}

void WindowFixture::newwindow(bool keepcache) {
    form_.reset();
    if (!keepcache) {
        cache_ = freshcache(home_.path() + QStringLiteral("/home%1/cache").arg(++windows_));
    }
    messages_ = MessageRecorder();
    opener_ = OpenRecorder();
    form_ = std::make_unique<Form1>(Services{&messages_, &opener_, timeoutms_});
    form_->Timer1->stop();
    server_.clearlog();
}

qint64 WindowFixture::search(const QString& formula) {
    form_->txtMF->setText(formula);
    QElapsedTimer clock;
    clock.start();
    form_->Command1_Click();
    return clock.elapsed();
}

QStringList WindowFixture::column(int n) const {
    QStringList out;
    for (const std::string& entry : form_->List1->entries()) {
        out << QString::fromStdString(entry).section(QLatin1Char('\t'), n, n);
    }
    return out;
}

QString WindowFixture::homeofwindow() const {
    return home_.path() + QStringLiteral("/home%1").arg(windows_);
}

} // namespace kestrix::test
