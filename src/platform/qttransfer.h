#pragma once
// The HTTP transfer component over QNetworkAccessManager: redirects followed, the system proxy
// honoured, a request time-out, and any final status other than 2xx counted as a failure.
// timeoutms ends a transfer that receives nothing for that long; a transfer that still runs
// after twice that time (a server dripping its answer) is ended too. Requests may overlap; each
// belongs to the call that started it. A host found to want https is asked over https directly.

#include <QNetworkAccessManager>
#include <QObject>

#include "web/seams.h"
#include "web/upgrades.h"

namespace kestrix {

class QtTransfer : public QObject, public Transfer {
    Q_OBJECT
  public:
    explicit QtTransfer(int timeoutms = transfertimeoutms, QObject* parent = nullptr);

    std::unique_ptr<TransferRequest> Execute(const std::string& url, const std::string& operation,
                                             const std::string& inputdata,
                                             const std::string& headers) override;

  private:
    // A transfer still running this long after its start has gone on too long.
    int deadlinems() const { return 2 * timeoutms_; }
    QNetworkRequest request(const std::string& url) const;

    QNetworkAccessManager manager_;
    HttpsUpgrades upgrades_;
    int timeoutms_;
};

} // namespace kestrix
