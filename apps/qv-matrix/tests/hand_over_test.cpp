#include "apps/qv-matrix/hand_over.h"
#include "platform/tests/qt_test_app.h"

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Longer than 255 characters, where a path split in two parts would break.
QString longPath()
{
    QString path = "/home/user";
    for (int i = 0; path.size() < 700; ++i)
        path += QStringLiteral("/folder number %1 with spaces, commas & ümlauts").arg(i);
    return path + "/setup.PRE";
}

struct Server {
    QTemporaryDir dir;
    QString name = dir.path() + "/handover";
    qv::HandOverServer server;
    QSignalSpy received{&server, &qv::HandOverServer::pathReceived};
    Server() { EXPECT_TRUE(server.listen(name)); }
};

} // namespace

TEST(HandOver, TheWholePathArrivesAtTheRunningInstance)
{
    Server s;
    const QString path = longPath();
    std::atomic<bool> sent = false;
    std::thread sender([&] { sent = qv::SendHandOver(s.name, path); });
    EXPECT_TRUE(s.received.wait(5000));
    sender.join();
    EXPECT_TRUE(sent) << "the sender learns that the path was taken";
    ASSERT_EQ(s.received.count(), 1);
    EXPECT_EQ(s.received[0][0].toString(), path);
    EXPECT_GT(path.size(), 255);
}

TEST(HandOver, NobodyListeningAndSecondServersAreRefused)
{
    QTemporaryDir dir;
    EXPECT_FALSE(qv::SendHandOver(dir.path() + "/nobody", "/p/x.PRE", 500));

    Server s;
    qv::HandOverServer second;
    EXPECT_FALSE(second.listen(s.name)) << "a second copy does not take the name over";
    EXPECT_TRUE(s.server.isListening());
}

TEST(HandOver, AStaleSocketIsTakenOverAndGarbageIsDropped)
{
    QTemporaryDir dir;
    const QString name = dir.path() + "/handover";
    {
        qv::HandOverServer crashed;
        ASSERT_TRUE(crashed.listen(name));
    }
    // What a crash leaves behind: the socket file without a listener.
    QFile stale(name);
    if (!stale.exists()) {
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.close();
    }
    qv::HandOverServer server;
    ASSERT_TRUE(server.listen(name));
    QSignalSpy received(&server, &qv::HandOverServer::pathReceived);

    std::thread garbage([&] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(2000))
            return;
        QByteArray message("QVMX");
        char length[4];
        qToBigEndian<quint32>(quint32(qv::kHandOverMaxBytes + 1), length);
        message.append(length, 4);
        socket.write(message);
        socket.waitForBytesWritten(2000);
        socket.waitForDisconnected(2000);
    });
    std::thread wrongMagic([&] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(2000))
            return;
        socket.write("GET / HTTP/1.0\r\n\r\n");
        socket.waitForBytesWritten(2000);
        socket.waitForDisconnected(2000);
    });
    EXPECT_FALSE(received.wait(500));
    garbage.join();
    wrongMagic.join();
    EXPECT_EQ(received.count(), 0) << "an oversized or foreign message is dropped";

    std::thread good([&] { qv::SendHandOver(name, "/p/after.PRE"); });
    EXPECT_TRUE(received.wait(5000)) << "and the server keeps serving";
    good.join();
    EXPECT_EQ(received.value(0).value(0).toString(), "/p/after.PRE");
}

TEST(HandOver, ASecondQvMatrixPassesItsFileAndEndsWithoutAWindow)
{
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const QString previous = qEnvironmentVariable("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    const QString name = qv::HandOverServerName();
    qputenv("XDG_RUNTIME_DIR", previous.toUtf8());
    ASSERT_EQ(name, runtime.path() + "/qv-matrix-handover");

    qv::HandOverServer server;
    ASSERT_TRUE(server.listen(name));
    QSignalSpy received(&server, &qv::HandOverServer::pathReceived);
    QProcess second;
    second.setProcessEnvironment(env);
    const QString path = longPath();
    second.start(QV_MATRIX_PATH, {path});
    ASSERT_TRUE(second.waitForStarted(5000));
    EXPECT_TRUE(received.wait(20000));
    EXPECT_EQ(received.value(0).value(0).toString(), path);
    ASSERT_TRUE(second.waitForFinished(20000)) << "it would stay running if it had opened its window";
    EXPECT_EQ(second.exitCode(), 0);
}
