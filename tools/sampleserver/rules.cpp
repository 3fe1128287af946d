#include "rules.h"

#include <QFile>

namespace kestrix::sampleserver {

std::optional<Rule> findrule(const QString& path, const QByteArray& target) {
    if (path.isEmpty()) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QByteArray line = raw.simplified();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const qsizetype afterpattern = line.indexOf(' ');
        if (afterpattern < 0) continue; // a substring without an action
        if (!target.contains(line.left(afterpattern))) continue;
        const QByteArray rest = line.mid(afterpattern + 1);
        const qsizetype afteraction = rest.indexOf(' ');
        if (afteraction < 0) return Rule{rest, {}};
        return Rule{rest.left(afteraction), rest.mid(afteraction + 1)};
    }
    return std::nullopt;
}

} // namespace kestrix::sampleserver
