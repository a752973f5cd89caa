#include "hand_over.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QtEndian>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace qv {

namespace {

constexpr char kMagic[4] = {'Q', 'V', 'M', 'X'};
constexpr int kHeaderSize = 8;
constexpr char kAck = 0x06;

QString userTag()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    const QString user = qEnvironmentVariable("USERNAME");
    return user.isEmpty() ? QStringLiteral("user") : user;
#endif
}

} // namespace

QString HandOverServerName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + "/qv-matrix-handover";
    return "qv-matrix-handover-" + userTag();
}

bool SendHandOver(const QString& serverName, const QString& path, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    const QByteArray utf8 = path.toUtf8();
    QByteArray message(kMagic, 4);
    char length[4];
    qToBigEndian<quint32>(quint32(utf8.size()), length);
    message.append(length, 4);
    message.append(utf8);
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // Waiting for the answer tells a running instance from a dead socket.
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == kAck;
}

HandOverServer::HandOverServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &HandOverServer::acceptConnection);
}

HandOverServer::~HandOverServer() = default;

bool HandOverServer::listen(const QString& serverName)
{
    {
        QLocalSocket probe;
        probe.connectToServer(serverName);
        if (probe.waitForConnected(200))
            return false;
    }
    if (server_->listen(serverName))
        return true;
    QLocalServer::removeServer(serverName);
    return server_->listen(serverName);
}

bool HandOverServer::isListening() const
{
    return server_->isListening();
}

void HandOverServer::acceptConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        // A client that never completes its message is dropped.
        QTimer::singleShot(kHandOverTimeoutMs, socket, [socket] { socket->abort(); });
    }
}

void HandOverServer::readFrom(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < kHeaderSize)
        return;
    const QByteArray header = socket->peek(kHeaderSize);
    if (!header.startsWith(QByteArray(kMagic, 4))) {
        socket->abort();
        return;
    }
    const quint32 length = qFromBigEndian<quint32>(header.constData() + 4);
    if (length > quint32(kHandOverMaxBytes)) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < kHeaderSize + qint64(length))
        return;
    socket->read(kHeaderSize);
    const QString path = QString::fromUtf8(socket->read(length));
    socket->write(&kAck, 1);
    socket->flush();
    socket->disconnectFromServer();
    if (!path.isEmpty())
        emit pathReceived(path);
}

} // namespace qv
