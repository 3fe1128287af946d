#include "files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace kestrix::test {

std::string freshcache(const QString& base) {
    QDir(base).removeRecursively();
    QDir().mkpath(base);
    qputenv("XDG_CACHE_HOME", base.toLocal8Bit());
    return (base + QStringLiteral("/kestrix/webdata/")).toStdString();
}

QStringList cachefiles(const std::string& dir) {
    return QDir(QString::fromStdString(dir))
        .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QStringList filesbelow(const QString& dir) {
    QStringList out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    const QDir base(dir);
    while (it.hasNext()) out << base.relativeFilePath(it.next());
    out.sort();
    return out;
}

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

} // namespace kestrix::test
