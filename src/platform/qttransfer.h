#pragma once
// The HTTP transfer component over QNetworkAccessManager: redirects followed, the system proxy
// honoured, a request time-out, and any final status other than 2xx counted as a failure.
// timeoutms ends a transfer that receives nothing for that long; a transfer that still runs
// after twice that time (a server dripping its answer) is ended too.

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "web/seams.h"

class QNetworkReply;

namespace kestrix {

class QtTransfer : public QObject, public Transfer {
    Q_OBJECT
  public:
    explicit QtTransfer(int timeoutms = transfertimeoutms, QObject* parent = nullptr);
    ~QtTransfer() override;

    bool Execute(const std::string& url, const std::string& operation, const std::string& inputdata,
                 const std::string& headers, std::string& error) override;
    bool StillExecuting() const override { return running_; }
    std::string GetChunk(int size) override;
    bool Succeeded() const override { return succeeded_; }
    void Cancel() override;
    std::string OpenURL(const std::string& url) override;

  private:
    // A transfer still running this long after its start has gone on too long.
    int deadlinems() const { return 2 * timeoutms_; }
    QNetworkRequest request(const std::string& url) const;
    bool statusok() const;
    void readyread();
    void finished();

    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> reply_;
    QTimer deadline_;
    int timeoutms_;
    bool running_ = false;
    bool succeeded_ = false;
    bool failed_ = false;
};

} // namespace kestrix
