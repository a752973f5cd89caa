// QV-Update.INI: made at start like QV-Matrix's, and the maker's web
// address and update server read from it.
#include "apps/qv-update/host_machine.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(UpdateSettings, TheFileIsMadeOnceAndItsAddressesRead)
{
    QTemporaryDir config;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const QString path = config.path() + "/QV-Update/QV-Update.INI";
    EXPECT_EQ(qv::UpdateSettingsPath(), path);
    qv::ScriptedPrompter prompter;
    {
        qv::HostMachine machine(qv::UpdateCommandLine{});
        EXPECT_EQ(machine.services(prompter).webAddress, "");
        EXPECT_EQ(machine.services(prompter).updateServer, "");
    }
    EXPECT_EQ(Contents(path), "[Settings]\nWebAddress=\nUpdateServer=\n") << "made with the keys to fill in";

    const QByteArray edited = "; the maker\n[settings]\nwebaddress = https://maker.example/update \n"
                              "UPDATESERVER= updates.maker.test:8080\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(edited);
    }
    {
        qv::HostMachine machine(qv::UpdateCommandLine{});
        EXPECT_EQ(machine.services(prompter).webAddress, "https://maker.example/update");
        EXPECT_EQ(machine.services(prompter).updateServer, "updates.maker.test:8080");
    }
    {
        qv::UpdateCommandLine line;
        line.updateServer = "http://127.0.0.1:5000/";
        qv::HostMachine machine(line);
        EXPECT_EQ(machine.services(prompter).updateServer, "http://127.0.0.1:5000/") << "the command line wins";
    }
    EXPECT_EQ(Contents(path), edited) << "an existing file is only read";
    qputenv("XDG_CONFIG_HOME", old);
}

} // namespace
