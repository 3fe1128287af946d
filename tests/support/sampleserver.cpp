#include "sampleserver.h"

#include "web/server.h"

#include <QDir>
#include <QFile>

#include "files.h"

namespace kestrix::test {

namespace {

QByteArrayList lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QByteArrayList result = file.readAll().split('\n');
    result.removeLast(); // after the last line end
    return result;
}

} // namespace

bool SampleServer::start(const QString& datafolder, const QStringList& options) {
    const QString data = QDir::isAbsolutePath(datafolder)
                             ? datafolder
                             : QStringLiteral(KESTRIX_TEST_DATA "/") + datafolder;
    setrules({});
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(KESTRIX_SAMPLE_SERVER),
                   QStringList{"--data", data, "--port", "0", "--log", path("log"), "--agent-log",
                               path("agents"), "--rules", path("rules"), "--exit-with-parent"} +
                       options);
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
}

void SampleServer::setrules(const QByteArray& text) {
    writefile(path("rules"), text);
}

QStringList SampleServer::requests() const {
    QStringList out;
    for (const QByteArray& line : lines(path("log"))) {
        if (!line.trimmed().isEmpty()) out << QString::fromLatin1(line.trimmed());
    }
    return out;
}

QStringList SampleServer::agents() const {
    QStringList out;
    for (const QByteArray& line : lines(path("agents"))) out << QString::fromLatin1(line);
    return out;
}

void SampleServer::clearlog() {
    for (const char* name : {"log", "agents"}) {
        QFile log(path(name));
        if (log.exists()) log.resize(0);
    }
}

void usesamplehost(const QString& config) {
    qputenv("KESTRIX_SERVER_HOST", samplehost);
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    server::sethost(samplehost);
}

} // namespace kestrix::test
