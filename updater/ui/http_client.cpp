#include "http_client.h"

#include <QCryptographicHash>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace qv {

THTTP::THTTP(QObject* parent) : QObject(parent)
{
    timeout_->setSingleShot(true);
    connect(timeout_, &QTimer::timeout, this, [this] {
        timedOut_ = true;
        if (reply_)
            reply_->abort();
    });
}

THTTP::~THTTP()
{
    // A check cut short by the window closing reports nothing.
    if (reply_) {
        reply_->disconnect(this);
        reply_->abort();
    }
}

bool THTTP::CheckVersion(const UpdateServer& server, int serial, std::function<void(const VersionCheck&)> done)
{
    if (busy())
        return false;
    server_ = server;
    serial_ = serial;
    done_ = std::move(done);
    check_.emplace();
    AskNext();
    return true;
}

void THTTP::AskNext()
{
    if (!check_)
        return;
    const std::optional<std::string> field = check_->nextField();
    if (!field) {
        const VersionCheck check = *check_;
        const auto done = std::move(done_);
        check_.reset();
        done_ = nullptr;
        done(check);
        return;
    }
    const QByteArray id =
        QCryptographicHash::hash(QByteArray::fromStdString(FieldQueryIdText(*field, serial_)), QCryptographicHash::Md5)
            .toHex();
    QNetworkRequest request(QUrl(QString::fromStdString(FieldQueryUrl(server_, id.toStdString(), serial_, *field))));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    body_.clear();
    tooLong_ = false;
    timedOut_ = false;
    reply_ = http_->get(request);
    // The reply stops taking bytes off the connection once it holds more than a field.
    reply_->setReadBufferSize(kReplyLimit + 1);
    connect(reply_, &QNetworkReply::readyRead, this, &THTTP::ReplyData);
    connect(reply_, &QNetworkReply::finished, this, &THTTP::ReplyFinished);
    timeout_->start(readTimeoutMs_);
}

void THTTP::ReplyData()
{
    if (!reply_ || tooLong_)
        return;
    body_ += reply_->read(kReplyLimit + 1 - body_.size());
    if (body_.size() > kReplyLimit) {
        tooLong_ = true;
        reply_->abort();
    }
}

void THTTP::ReplyFinished()
{
    timeout_->stop();
    QNetworkReply* reply = reply_;
    if (!reply || !check_)
        return;
    if (!timedOut_ && reply->error() == QNetworkReply::NoError)
        ReplyData();
    reply_ = nullptr;
    reply->disconnect(this);
    check_->take(Outcome(*reply));
    reply->deleteLater();
    // The next query, or the outcome with its message box, from the event
    // loop rather than from inside the reply's signal.
    QMetaObject::invokeMethod(this, &THTTP::AskNext, Qt::QueuedConnection);
}

std::optional<std::string> THTTP::Outcome(QNetworkReply& reply) const
{
    if (timedOut_ || tooLong_ || reply.error() != QNetworkReply::NoError)
        return std::nullopt;
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status < 200 || status > 299)
        return std::nullopt;
    return body_.toStdString();
}

} // namespace qv
