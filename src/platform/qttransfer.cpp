#include "platform/qttransfer.h"

#include "web/server.h"

#include <QNetworkReply>
#include <QPointer>
#include <QTimer>
#include <tuple>

namespace kestrix {

namespace {

int statusof(const QNetworkReply& reply) {
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

// Of an answer that is no page, this much is kept: enough to tell a challenge page.
constexpr qsizetype errorpagebytes = 64 * 1024;

// No status means no HTTP answer at all.
bool statusok(int status) {
    return status >= 200 && status < 300;
}

// Why a reply is no page: its kind, and words a user can act on.
std::pair<Fault, std::string> faultof(const QNetworkReply& reply, bool bodystarted) {
    const int status = statusof(reply);
    if (status != 0 && !statusok(status)) {
        return {Fault::status, "the server answered with status " + std::to_string(status)};
    }
    switch (reply.error()) {
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return {Fault::timeout, "no answer came in time"};
    case QNetworkReply::RemoteHostClosedError:
        if (status != 0 || bodystarted) {
            return {Fault::cutshort, "the connection closed before the whole answer came"};
        }
        return {Fault::noanswer, "the connection closed before an answer came"};
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::ProxyConnectionRefusedError:
        return {Fault::noanswer, "the connection was refused"};
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ProxyNotFoundError:
        return {Fault::noanswer, "the host name was not found"};
    default:
        return {status != 0 ? Fault::cutshort : Fault::noanswer, reply.errorString().toStdString()};
    }
}

std::string addressof(const QNetworkReply& reply) {
    return reply.url().toString(QUrl::FullyEncoded).toStdString();
}

// One request: its reply, its deadline and its outcome.
class QtRequest : public QObject, public TransferRequest {
  public:
    QtRequest(QNetworkReply* reply, int deadlinems, HttpsUpgrades& upgrades, std::string asked)
        : reply_(reply), upgrades_(upgrades), asked_(std::move(asked)) {
        connect(reply, &QNetworkReply::readyRead, this, &QtRequest::readyread);
        connect(reply, &QNetworkReply::finished, this, &QtRequest::finished);
        deadline_.setSingleShot(true);
        connect(&deadline_, &QTimer::timeout, this, [this] {
            timedout_ = true;
            Cancel();
        });
        deadline_.start(deadlinems);
    }
    ~QtRequest() override {
        if (!reply_) return;
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
    }

    bool StillExecuting() const override { return running_; }

    std::string GetChunk(int size) override {
        if (!reply_ || failed_) return {};
        const QByteArray chunk = reply_->read(size);
        return std::string(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    }

    void Cancel() override {
        failed_ = true;
        if (reply_ && running_) reply_->abort();
    }

    TransferResult result() const override { return result_; }

  private:
    void readyread() {
        if (!reply_) return;
        if (!statusok(statusof(*reply_))) {
            // An error page is no page: never hand its body to the caller. Its start is kept,
            // for it may say why (a challenge page, say).
            failed_ = true;
            errorpage_ += reply_->read(errorpagebytes - errorpage_.size());
            if (errorpage_.size() >= errorpagebytes) reply_->abort();
            return;
        }
        if (failed_) return;
        bodystarted_ = true;
        if (StateChanged) StateChanged(transferstate::responsereceived);
    }

    void finished() {
        deadline_.stop();
        upgrades_.observe(asked_, addressof(*reply_),
                          reply_->hasRawHeader("Strict-Transport-Security"));
        const int status = statusof(*reply_);
        if (reply_->error() != QNetworkReply::NoError || !statusok(status)) failed_ = true;
        if (StateChanged) {
            StateChanged(failed_ ? transferstate::error : transferstate::responsecompleted);
        }
        result_.status = status;
        if (timedout_) {
            result_.fault = Fault::timeout;
            result_.reason = "the answer took too long";
        } else if (failed_) {
            std::tie(result_.fault, result_.reason) = faultof(*reply_, bodystarted_);
        }
        result_.retryafter = reply_->rawHeader("Retry-After").toStdString();
        result_.errorpage = errorpage_.toStdString();
        running_ = false;
    }

    QPointer<QNetworkReply> reply_;
    HttpsUpgrades& upgrades_;
    std::string asked_;
    QTimer deadline_;
    bool running_ = true;
    bool failed_ = false;
    bool timedout_ = false;
    bool bodystarted_ = false;
    QByteArray errorpage_;
    TransferResult result_;
};

} // namespace

QtTransfer::QtTransfer(int timeoutms, QObject* parent) : QObject(parent), timeoutms_(timeoutms) {
    manager_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

QNetworkRequest QtTransfer::request(const std::string& url) const {
    const QByteArray bytes(url.data(), static_cast<qsizetype>(url.size()));
    QNetworkRequest request(QUrl::fromEncoded(bytes, QUrl::TolerantMode));
    request.setTransferTimeout(timeoutms_);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QString::fromStdString(server::useragent("Qt " + std::string(qVersion()))));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

std::unique_ptr<TransferRequest> QtTransfer::Execute(const std::string& url,
                                                     const std::string& operation,
                                                     const std::string&, const std::string&) {
    if (operation != "GET") {
        return std::make_unique<UnstartedRequest>("Unsupported operation " + operation);
    }
    const std::string asked = upgrades_.apply(url);
    const QNetworkRequest req = request(asked);
    if (!req.url().isValid() || req.url().host().isEmpty()) {
        return std::make_unique<UnstartedRequest>("URL is malformed: " + url);
    }
    return std::make_unique<QtRequest>(manager_.get(req), deadlinems(), upgrades_, asked);
}

} // namespace kestrix
