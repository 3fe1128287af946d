#pragma once
// Files as the window tests look at them: page caches, sample folders, whole contents.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>

namespace kestrix::test {

// Points the per-user cache at a fresh folder; returns the page cache directory.
std::string freshcache(const QString& base);

// Every file directly in dir, sorted.
QStringList cachefiles(const std::string& dir);

// Every file below dir, as paths relative to it, sorted.
QStringList filesbelow(const QString& dir);

QByteArray readfile(const QString& path);
// Writes bytes to path, creating its folder; false on failure.
bool writefile(const QString& path, const QByteArray& bytes);

} // namespace kestrix::test
