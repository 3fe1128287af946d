#pragma once
// The request log: one line per request, the request target, written out at once.

#include <QFile>
#include <QString>

namespace kestrix::sampleserver {

class RequestLog {
  public:
    // Opens path for appending; an empty path logs nothing. False when the file cannot be opened.
    bool open(const QString& path);
    void write(const QByteArray& line);

  private:
    QFile file_;
};

} // namespace kestrix::sampleserver
