#pragma once

#include "updater/version_check.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <optional>

class QNetworkReply;

namespace qv {

// The HTTP side of the version check: one client for the life of the main
// window, one field query at a time. Queries run while the event loop runs;
// nothing waits for them.
class THTTP : public QObject {
    Q_OBJECT

public:
    // A field is a few digits; a longer reply is no field and is not read on.
    static constexpr qint64 kReplyLimit = 256;
    static constexpr int kMaxRedirects = 5;

    explicit THTTP(QObject* parent = nullptr);
    ~THTTP() override;

    // The time one query may take, from the request to the reply's last byte.
    void setReadTimeout(int ms) { readTimeoutMs_ = ms; }
    int readTimeout() const { return readTimeoutMs_; }

    bool busy() const { return check_.has_value(); }
    // Asks the server field by field; done runs once the check is over.
    // Refused (false) while a check runs.
    bool CheckVersion(const UpdateServer& server, int serial, std::function<void(const VersionCheck&)> done);

private:
    void AskNext();
    void ReplyData();
    void ReplyFinished();
    // The body, or nothing when the query failed.
    std::optional<std::string> Outcome(QNetworkReply& reply) const;

    QNetworkAccessManager* http_ = new QNetworkAccessManager(this);
    QTimer* timeout_ = new QTimer(this);
    int readTimeoutMs_ = 10000;
    UpdateServer server_;
    int serial_ = 0;
    std::optional<VersionCheck> check_;
    std::function<void(const VersionCheck&)> done_;
    QPointer<QNetworkReply> reply_;
    QByteArray body_;
    bool tooLong_ = false;
    bool timedOut_ = false;
};

} // namespace qv
