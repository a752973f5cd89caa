#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace qv {

// The single-instance hand-over: a second QV-Matrix started with a file
// passes the whole path to the running one over a local socket of the user.
// Message: "QVMX", the UTF-8 length as 4 bytes big-endian, the UTF-8 path.
// The receiver answers one byte once it holds the whole path.

// The socket of this user: in XDG_RUNTIME_DIR when there is one, else a
// per-user name in the temporary folder.
QString HandOverServerName();

inline constexpr int kHandOverTimeoutMs = 5000;
// Far beyond any real path; keeps a stray client from filling memory.
inline constexpr int kHandOverMaxBytes = 1 << 20;

// Passes path to the running instance. False when none takes it.
bool SendHandOver(const QString& serverName, const QString& path, int timeoutMs = kHandOverTimeoutMs);

// The running instance's end.
class HandOverServer : public QObject {
    Q_OBJECT

public:
    explicit HandOverServer(QObject* parent = nullptr);
    ~HandOverServer() override;

    // False when another instance listens already or the name is unusable;
    // a socket left behind by a crashed instance is taken over.
    bool listen(const QString& serverName);
    bool isListening() const;

signals:
    void pathReceived(const QString& path);

private:
    void acceptConnection();
    void readFrom(QLocalSocket* socket);

    QLocalServer* server_ = nullptr;
};

} // namespace qv
