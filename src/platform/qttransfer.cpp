#include "platform/qttransfer.h"

#include <QEventLoop>
#include <QNetworkReply>

namespace kestrix {

QtTransfer::QtTransfer(int timeoutms, QObject* parent) : QObject(parent), timeoutms_(timeoutms) {
    manager_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, &QtTransfer::Cancel);
}

QtTransfer::~QtTransfer() {
    if (reply_) reply_->abort();
}

QNetworkRequest QtTransfer::request(const std::string& url) const {
    const QByteArray bytes(url.data(), static_cast<qsizetype>(url.size()));
    QNetworkRequest request(QUrl::fromEncoded(bytes, QUrl::TolerantMode));
    request.setTransferTimeout(timeoutms_);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

bool QtTransfer::statusok() const {
    if (!reply_) return false;
    // No status means no HTTP answer at all.
    const int code = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return code >= 200 && code < 300;
}

bool QtTransfer::Execute(const std::string& url, const std::string& operation, const std::string&,
                         const std::string&, std::string& error) {
    if (running_) {
        error = "Still executing last request";
        return false;
    }
    if (operation != "GET") {
        error = "Unsupported operation " + operation;
        return false;
    }
    const QNetworkRequest req = request(url);
    if (!req.url().isValid() || req.url().host().isEmpty()) {
        error = "URL is malformed: " + url;
        return false;
    }
    running_ = true;
    succeeded_ = false;
    failed_ = false;
    reply_ = manager_.get(req);
    connect(reply_, &QNetworkReply::readyRead, this, &QtTransfer::readyread);
    connect(reply_, &QNetworkReply::finished, this, &QtTransfer::finished);
    deadline_.start(deadlinems());
    return true;
}

void QtTransfer::readyread() {
    if (!reply_ || failed_) return;
    if (!statusok()) {
        // An error page is no page: never hand its body to the caller.
        failed_ = true;
        reply_->abort();
        return;
    }
    if (StateChanged) StateChanged(transferstate::responsereceived);
}

void QtTransfer::finished() {
    QNetworkReply* reply = reply_;
    if (!reply) return;
    deadline_.stop();
    if (reply->error() != QNetworkReply::NoError || !statusok()) failed_ = true;
    if (!failed_ && StateChanged) StateChanged(transferstate::responsecompleted);
    if (failed_ && StateChanged) StateChanged(transferstate::error);
    succeeded_ = !failed_;
    running_ = false;
    reply_ = nullptr;
    reply->deleteLater();
}

std::string QtTransfer::GetChunk(int size) {
    if (!reply_ || failed_) return {};
    const QByteArray chunk = reply_->read(size);
    return std::string(chunk.constData(), static_cast<std::size_t>(chunk.size()));
}

void QtTransfer::Cancel() {
    failed_ = true;
    if (reply_) reply_->abort();
}

std::string QtTransfer::OpenURL(const std::string& url) {
    const QNetworkRequest req = request(url);
    if (!req.url().isValid() || req.url().host().isEmpty()) return {};
    QNetworkReply* reply = manager_.get(req);
    QByteArray body;
    bool toolarge = false;
    QEventLoop loop;
    connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        body += reply->readAll();
        if (std::size_t(body.size()) > maxbodybytes) {
            toolarge = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(deadlinems(), reply, &QNetworkReply::abort);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    body += reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok =
        !toolarge && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
    reply->deleteLater();
    if (!ok) return {};
    return std::string(body.constData(), static_cast<std::size_t>(body.size()));
}

} // namespace kestrix
