#include "requestlog.h"

namespace kestrix::sampleserver {

bool RequestLog::open(const QString& path) {
    if (path.isEmpty()) return true;
    file_.setFileName(path);
    return file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
}

void RequestLog::write(const QByteArray& line) {
    if (!file_.isOpen()) return;
    file_.write(line + '\n');
    file_.flush();
}

} // namespace kestrix::sampleserver
