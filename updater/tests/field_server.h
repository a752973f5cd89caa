#pragma once

// A web server on 127.0.0.1 for the version check: it answers each field
// query from a table and notes whatever a request carries wrongly.
#include <QByteArray>
#include <QCryptographicHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <QUrlQuery>

#include <map>
#include <string>
#include <vector>

namespace qv::test {

class FieldServer : public QObject {
public:
    enum class Kind {
        Body,     // 200 with the body
        Status,   // the status, with the body
        Silent,   // never answers
        Redirect, // sends the client to the same address again
        Huge,     // 200 with a megabyte of body
        Close,    // closes the connection without a word
    };
    struct Answer {
        Kind kind = Kind::Body;
        std::string body;
        int status = 200;
    };

    explicit FieldServer(std::map<std::string, Answer> answers, QString basePath = QStringLiteral("/"))
        : answers_(std::move(answers)), basePath_(std::move(basePath))
    {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        });
    }

    QString url() const { return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(basePath_); }
    // The fields asked, in order, one entry per request.
    const std::vector<std::string>& fields() const { return fields_; }
    // The same without repeats of one request (a client may send a request
    // again when the connection closed under it).
    std::vector<std::string> fieldsAsked() const
    {
        std::vector<std::string> asked;
        for (const std::string& field : fields_)
            if (asked.empty() || asked.back() != field)
                asked.push_back(field);
        return asked;
    }
    const std::vector<std::string>& faults() const { return faults_; }

private:
    void Read(QTcpSocket* socket)
    {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        const qsizetype end = request.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> line = request.left(request.indexOf("\r\n")).split(' ');
        request.clear();
        if (line.size() != 3 || line[0] != "GET") {
            faults_.push_back("request line " + line.join(' ').toStdString());
            socket->disconnectFromHost();
            return;
        }
        Reply(socket, line[1]);
    }

    void Reply(QTcpSocket* socket, const QByteArray& target)
    {
        QUrl url(QStringLiteral("http://127.0.0.1") + QString::fromLatin1(target));
        url.setPort(server_.serverPort());
        const QUrlQuery query(url);
        const std::string field = query.queryItemValue(QStringLiteral("field")).toStdString();
        fields_.push_back(field);
        Check(url.path() == basePath_ + "get_qvupdate_userinfo.php", "path " + url.path().toStdString());
        Check(query.queryItemValue(QStringLiteral("serial")) == QStringLiteral("8000"), "serial of " + field);
        Check(query.queryItems().size() == 3, "parameters of " + field);
        const QByteArray id = QCryptographicHash::hash("QV-Update" + QByteArray::fromStdString(field) + "8000",
                                                       QCryptographicHash::Md5)
                                  .toHex();
        Check(query.queryItemValue(QStringLiteral("id")).toLatin1() == id, "id of " + field);
        if (field == "EXEVerMajor")
            Check(id == "8fa5d8989ce7e0d5e374eca5a22d1f62", "digest of QV-UpdateEXEVerMajor8000");

        const auto it = answers_.find(field);
        const Answer answer = it == answers_.end() ? Answer{Kind::Status, "no such field", 404} : it->second;
        switch (answer.kind) {
        case Kind::Body:
        case Kind::Status:
            Send(socket, answer.status, QByteArray::fromStdString(answer.body));
            break;
        case Kind::Silent:
            break;
        case Kind::Redirect:
            Send(socket, 302, {}, "Location: " + url.toEncoded() + "\r\n");
            break;
        case Kind::Huge:
            // Read to its end, it would make a field of 2.
            Send(socket, 200, "2" + QByteArray(1 << 20, ' '));
            break;
        case Kind::Close:
            socket->abort();
            break;
        }
    }

    static void Send(QTcpSocket* socket, int status, const QByteArray& body, const QByteArray& headers = {})
    {
        socket->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: text/plain\r\n" + headers +
                      "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    void Check(bool ok, const std::string& what)
    {
        if (!ok)
            faults_.push_back(what);
    }

    QTcpServer server_;
    std::map<std::string, Answer> answers_;
    QString basePath_;
    std::map<QTcpSocket*, QByteArray> pending_;
    std::vector<std::string> fields_;
    std::vector<std::string> faults_;
};

// Four plain answers, major to build.
inline std::map<std::string, FieldServer::Answer> FieldAnswers(const char* major, const char* minor,
                                                               const char* release, const char* build)
{
    return {{"EXEVerMajor", {FieldServer::Kind::Body, major}},
            {"EXEVerMinor", {FieldServer::Kind::Body, minor}},
            {"EXEVerRelease", {FieldServer::Kind::Body, release}},
            {"EXEVerBuild", {FieldServer::Kind::Body, build}}};
}

} // namespace qv::test
