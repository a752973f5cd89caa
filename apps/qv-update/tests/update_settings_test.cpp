// QV-Update.INI: made at start like QV-Matrix's, and the maker's web
// address read from it.
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

TEST(UpdateSettings, TheFileIsMadeOnceAndItsWebAddressRead)
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
    }
    EXPECT_EQ(Contents(path), "[Settings]\nWebAddress=\n") << "made with the key to fill in";

    const QByteArray edited = "; the maker\n[settings]\nwebaddress = https://maker.example/update \n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(edited);
    }
    {
        qv::HostMachine machine(qv::UpdateCommandLine{});
        EXPECT_EQ(machine.services(prompter).webAddress, "https://maker.example/update");
    }
    EXPECT_EQ(Contents(path), edited) << "an existing file is only read";
    qputenv("XDG_CONFIG_HOME", old);
}

} // namespace
