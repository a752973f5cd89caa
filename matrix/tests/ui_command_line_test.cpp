#include "matrix/ui/command_line.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

qv::MatrixCommandLine parse(QStringList arguments)
{
    arguments.prepend("qv-matrix");
    return qv::ParseMatrixCommandLine(arguments);
}

} // namespace

TEST(MatrixCommandLine, OptionsOfThisBuildAndTheSystemsSwitches)
{
    struct Case {
        QStringList arguments;
        QString filePath;
        bool downloadMode;
        bool restartOnly;
        bool overrideEnabled;
        uint16_t overrideVersion;
        QStringList systemArguments;
    } cases[] = {
        {{}, "", false, false, false, 0, {}},
        {{"/home/u/setup.PRE"}, "/home/u/setup.PRE", false, false, false, 0, {"/home/u/setup.PRE"}},
        {{"/A", "/O05.10"}, "", false, false, true, 0x0510, {"/A", "/O05.10"}},
        {{"/a", "/O5.3"}, "", false, false, true, 0x0503, {"/a", "/O5.3"}},
        {{"/dlm"}, "", true, false, false, 0, {"/dlm"}},
        {{"--simulator", "/I"}, "", false, true, false, 0, {"/I"}},
        // A switch in first place is no path, though it looks absolute.
        {{"/I", "/home/u/x.PRE"}, "", false, true, false, 0, {"/I", "/home/u/x.PRE"}},
        {{"/home/u/x.PRE", "/DLM"}, "/home/u/x.PRE", true, false, false, 0, {"/home/u/x.PRE", "/DLM"}},
        {{"relative-that-does-not-exist.PRE"}, "", false, false, false, 0, {"relative-that-does-not-exist.PRE"}},
    };
    for (const Case& c : cases) {
        const qv::MatrixCommandLine cl = parse(c.arguments);
        const QString label = c.arguments.join(' ');
        EXPECT_EQ(cl.filePath, c.filePath) << label.toStdString();
        EXPECT_EQ(cl.downloadMode, c.downloadMode) << label.toStdString();
        EXPECT_EQ(cl.restartOnly, c.restartOnly) << label.toStdString();
        EXPECT_EQ(cl.versionOverride.enabled, c.overrideEnabled) << label.toStdString();
        EXPECT_EQ(cl.versionOverride.version, c.overrideVersion) << label.toStdString();
        EXPECT_EQ(cl.arguments, c.systemArguments) << label.toStdString();
        EXPECT_TRUE(cl.errors.isEmpty()) << label.toStdString();
    }
}

TEST(MatrixCommandLine, PortsSimulatorAndTrafficLog)
{
    const qv::MatrixCommandLine cl =
        parse({"--port", "/dev/pts/7", "/home/u/m.MCR", "--port", "3", "--simulator", "--traffic-log", "/tmp/t.log"});
    EXPECT_EQ(cl.extraPorts, (std::vector<std::string>{"/dev/pts/7", "COM3"})) << "a bare number means COM n";
    EXPECT_TRUE(cl.simulator);
    EXPECT_EQ(cl.trafficLog, "/tmp/t.log");
    EXPECT_EQ(cl.filePath, "/home/u/m.MCR") << "options do not count as the first argument";

    EXPECT_EQ(parse({"--bogus"}).errors, (QStringList{"Unknown option --bogus."}));
    EXPECT_EQ(parse({"--traffic-log"}).errors, (QStringList{"--traffic-log needs a value."}));
}

TEST(MatrixCommandLine, ARelativeFileThatExistsIsMadeAbsolute)
{
    QTemporaryDir dir;
    QFile file(dir.path() + "/setup.pre");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_EQ(parse({"setup.pre"}).filePath, dir.path() + "/setup.pre");
    QDir::setCurrent(old);
}

TEST(MatrixCommandLine, FilesAreToldApartByTheirLastFourCharacters)
{
    using Kind = qv::MatrixFileKind;
    const std::pair<QString, Kind> cases[] = {
        {"/x/a.PRE", Kind::Preset}, {"/x/a.pre", Kind::Preset},  {"/x/a.Mcr", Kind::Macro},
        {"/x/a.CDP", Kind::Package}, {"/x/a.380", Kind::Other},  {"/x/a.PRES", Kind::Other},
        {"PRE", Kind::Other},        {"", Kind::Other},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(qv::FileKindOf(path), kind) << path.toStdString();
}
