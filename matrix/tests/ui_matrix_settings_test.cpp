#include "matrix/ui/matrix_settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Points the configuration folder at a temporary one for the test.
struct ConfigHome {
    QTemporaryDir dir;
    QByteArray old = qgetenv("XDG_CONFIG_HOME");
    ConfigHome() { qputenv("XDG_CONFIG_HOME", dir.path().toUtf8()); }
    ~ConfigHome() { qputenv("XDG_CONFIG_HOME", old); }
    void write(const QByteArray& ini)
    {
        QDir().mkpath(dir.path() + "/QV-Matrix");
        QFile f(dir.path() + "/QV-Matrix/QV-Matrix.INI");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }
};

} // namespace

TEST(MatrixSettings, TrafficLogFromTheIniOrTheCommandLine)
{
    ConfigHome home;
    EXPECT_EQ(qv::MatrixSettingsPath(), home.dir.path() + "/QV-Matrix/QV-Matrix.INI");
    EXPECT_EQ(qv::TrafficLogSetting({"qv-matrix"}), "") << "off without a setting";

    home.write("[Settings]\r\nComInterface=COM1\r\nTrafficLog=/tmp/serial.log\r\n");
    EXPECT_EQ(qv::TrafficLogSetting({"qv-matrix"}), "/tmp/serial.log");
    EXPECT_EQ(qv::TrafficLogSetting({"qv-matrix", "--traffic-log", "/var/tmp/other.log"}), "/var/tmp/other.log");
}

TEST(MatrixSettings, FlashMirrorIsOffUnlessSet)
{
    ConfigHome home;
    EXPECT_FALSE(qv::FlashMirrorSetting());
    home.write("[Settings]\r\nFlashMirror=true\r\n");
    EXPECT_TRUE(qv::FlashMirrorSetting());
}
