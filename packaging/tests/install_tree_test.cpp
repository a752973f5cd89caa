// The tree `cmake --install` makes of this build under a temporary DESTDIR,
// checked as the Debian package and `make install` carry it.
#include "matrix/ui/file_types.h"
#include "platform/qt/help_location.h"
#include "platform/tests/qt_test_app.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kProcessTimeoutMs = 120000;
const QStringList kPrograms = {"qv-matrix", "qv-update", "qv-tool", "qv-instrument-sim"};

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome RunProgram(const QString& program, const QStringList& arguments, const QStringList& environment = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& pair : environment)
        env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Outcome outcome;
    if (!process.waitForFinished(kProcessTimeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return outcome;
    outcome.exitCode = process.exitCode();
    outcome.out = QString::fromUtf8(process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(process.readAllStandardError());
    return outcome;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString DesktopValue(const QString& entry, const QString& key)
{
    const QRegularExpression line("^" + key + "=(.*)$", QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(ReadAll(entry))).captured(1);
}

QStringList Entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
}

// Options a text names: "--word" and switches such as "/DLM" or "/?".
QSet<QString> OptionsIn(const QString& text)
{
    static const QRegularExpression option(R"((?<![\w-])(--[a-z][a-z0-9-]*[a-z0-9])|(?:^|(?<=[\s\[(]))(/[A-Z?][A-Za-z0-9]*)(?![\w/.]))",
                                           QRegularExpression::MultilineOption);
    QSet<QString> out;
    for (auto it = option.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out << (m.captured(1).isEmpty() ? m.captured(2).toUpper() : m.captured(1));
    }
    return out;
}

// The commands a usage text lists in its sections whose heading names
// commands: the lowercase words that begin an entry ("flash read", "route").
QStringList CommandsIn(const QString& usage)
{
    static const QRegularExpression heading(R"(^\S.*\bcommands\b)", QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression entry(R"(^ {0,2}([a-z][a-z0-9]*(?: [a-z][a-z0-9]*)*)(?= |$))");
    QStringList out;
    bool inSection = false;
    for (const QString& line : usage.split('\n')) {
        if (line.trimmed().isEmpty())
            inSection = false;
        else if (heading.match(line).hasMatch())
            inSection = true;
        else if (inSection)
            if (const auto m = entry.match(line); m.hasMatch())
                out << m.captured(1);
    }
    return out;
}

QString Sorted(const QSet<QString>& set)
{
    QStringList list(set.begin(), set.end());
    list.sort();
    return list.join(' ');
}

class InstallTree : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root_ = std::make_unique<QTemporaryDir>();
        const Outcome install = RunProgram(QV_CMAKE, {"--install", QV_BUILD_DIR, "--prefix", "/usr"},
                                    {"DESTDIR=" + root_->path()});
        installed_ = install.exitCode == 0;
        installLog_ = install.out + install.err;
    }
    static void TearDownTestSuite() { root_.reset(); }

    void SetUp() override { ASSERT_TRUE(installed_) << installLog_.toStdString(); }

    static QString usr(const QString& path) { return root_->path() + "/usr/" + path; }

    static std::unique_ptr<QTemporaryDir> root_;
    static bool installed_;
    static QString installLog_;
};

std::unique_ptr<QTemporaryDir> InstallTree::root_;
bool InstallTree::installed_ = false;
QString InstallTree::installLog_;

TEST_F(InstallTree, HoldsTheProgramsAndTheirFilesAndNothingElse)
{
    EXPECT_EQ(Entries(usr("")), QStringList({"bin", "share"}));
    QStringList programs = kPrograms;
    programs.sort();
    EXPECT_EQ(Entries(usr("bin")), programs);
    EXPECT_EQ(Entries(usr("share")), QStringList({"applications", "doc", "icons", "man", "mime", "qv-suite"}));
    EXPECT_EQ(Entries(usr("share/doc/qv-suite")), QStringList({"changelog.gz", "copyright"}));
    EXPECT_EQ(RunProgram("gzip", {"-t", usr("share/doc/qv-suite/changelog.gz")}).exitCode, 0);

    for (const QString& program : kPrograms) {
        EXPECT_TRUE(QFileInfo(usr("bin/" + program)).isExecutable()) << program.toStdString();
        // Help needs no display and no instrument.
        const Outcome help = RunProgram(usr("bin/" + program), {"--help"});
        EXPECT_EQ(help.exitCode, 0) << program.toStdString() << help.err.toStdString();
        EXPECT_TRUE(help.out.startsWith("Usage: ")) << program.toStdString();
    }
}

TEST_F(InstallTree, MenuEntriesStartInstalledProgramsWithTheirIcons)
{
    EXPECT_EQ(Entries(usr("share/applications")), QStringList({"qv-matrix.desktop", "qv-update.desktop"}));
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    for (const QString& name : Entries(usr("share/applications"))) {
        const QString entry = usr("share/applications/" + name);
        if (!validator.isEmpty()) {
            const Outcome valid = RunProgram(validator, {entry});
            EXPECT_EQ(valid.exitCode, 0) << name.toStdString();
            EXPECT_EQ((valid.out + valid.err).toStdString(), "") << name.toStdString();
        }
        const QString program = DesktopValue(entry, "Exec").section(' ', 0, 0);
        EXPECT_TRUE(QFileInfo(usr("bin/" + program)).isExecutable()) << name.toStdString();
        const QString icon = DesktopValue(entry, "Icon");
        for (int size : qv::kThemeIconSizes) {
            const QImage picture(usr(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(icon)));
            EXPECT_EQ(picture.size(), QSize(size, size)) << name.toStdString() << " " << size;
        }
    }
    EXPECT_EQ(DesktopValue(usr("share/applications/qv-matrix.desktop"), "MimeType"),
              qv::FileTypeRegistry::mimeTypes().join(';') + ";");
}

TEST_F(InstallTree, FileTypesAreTheOnesTheProgramRegistersForOneUser)
{
    QTemporaryDir user;
    qv::FileTypeRegistry registry("/usr/bin/qv-matrix", user.path());
    registry.setRefreshCaches(false);
    QStringList packages;
    for (const QString& ext : qv::FileTypeRegistry::extensions()) {
        ASSERT_TRUE(registry.setAssociation(ext, true));
        const QString package = QFileInfo(registry.mimePackagePath(ext)).fileName();
        packages << package;
        EXPECT_EQ(ReadAll(usr("share/mime/packages/" + package)), ReadAll(registry.mimePackagePath(ext)))
            << package.toStdString();
    }
    packages.sort();
    EXPECT_EQ(Entries(usr("share/mime/packages")), packages);

    // The same icons in the same sizes, for the types and the program.
    QDirIterator icons(user.path() + "/icons", QDir::Files, QDirIterator::Subdirectories);
    int count = 0;
    while (icons.hasNext()) {
        const QString mine = icons.next();
        const QString installed = usr("share" + mine.mid(user.path().size()));
        EXPECT_EQ(QImage(installed), QImage(mine)) << installed.toStdString();
        ++count;
    }
    EXPECT_GT(count, 0);

    // The shared MIME database takes the packages as they are.
    const QString update = QStandardPaths::findExecutable("update-mime-database");
    if (update.isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed";
    ASSERT_EQ(RunProgram(update, {usr("share/mime")}).exitCode, 0);
    const QString globs = QString::fromUtf8(ReadAll(usr("share/mime/globs2")));
    for (const char* glob : {"application/x-qv-matrix-preset:*.pre", "application/x-qv-matrix-macro:*.mcr",
                             "application/x-qv-matrix-package:*.cdp"})
        EXPECT_TRUE(globs.contains(glob)) << glob;
}

TEST_F(InstallTree, TheInstalledProgramsFindTheHelpPages)
{
    EXPECT_EQ(qv::HelpFolder(usr("bin")), usr("share/qv-suite/help"));
    const QString source = QV_SOURCE_DIR "/docs/help";
    QDirIterator pages(source, QDir::Files, QDirIterator::Subdirectories);
    while (pages.hasNext()) {
        const QString page = pages.next();
        const QString installed = usr("share/qv-suite/help" + page.mid(source.size()));
        EXPECT_EQ(ReadAll(installed), ReadAll(page)) << installed.toStdString();
    }
    EXPECT_TRUE(qv::HelpPageUrl("qv-matrix.html", usr("bin")).isLocalFile());
}

TEST_F(InstallTree, ManualPagesRenderCleanlyAndNameTheProgramsRealOptions)
{
    const QString man = QStandardPaths::findExecutable("man");
    if (man.isEmpty())
        GTEST_SKIP() << "man is not installed";
    // Options the programs take without listing them in their usage.
    const QMap<QString, QSet<QString>> unlisted = {
        {"qv-matrix", {"--help"}},
        {"qv-update", {"--help", "/H", "/?", "/E", "/KEY", "/SKIP", "/VP30"}},
    };
    for (const QString& program : kPrograms) {
        const QString page = usr("share/man/man1/" + program + ".1.gz");
        ASSERT_TRUE(QFileInfo::exists(page)) << page.toStdString();
        const Outcome shown = RunProgram(man, {"--warnings", "-l", page}, {"MANWIDTH=80", "LC_ALL=C.UTF-8", "MANPAGER=cat"});
        EXPECT_EQ(shown.exitCode, 0) << program.toStdString();
        EXPECT_EQ(shown.err.toStdString(), "") << program.toStdString();
        // Wide, so that no option is broken across lines. The examples may
        // call the other programs.
        const QString text = RunProgram(man, {"-l", page}, {"MANWIDTH=250", "LC_ALL=C", "MANPAGER=cat"})
                                 .out.section("\nEXAMPLES\n", 0, 0);
        const QString usage = RunProgram(usr("bin/" + program), {"--help"}).out;

        const QSet<QString> listed = OptionsIn(usage);
        const QSet<QString> described = OptionsIn(text);
        EXPECT_TRUE(listed.contains("--port") || listed.contains("--serial")) << program.toStdString();
        EXPECT_EQ(Sorted(listed - described).toStdString(), "") << program.toStdString() << ": options the page leaves out";
        EXPECT_EQ(Sorted(described - listed - unlisted.value(program)).toStdString(), "")
            << program.toStdString() << ": options the program does not take";
        const QStringList commands = CommandsIn(usage);
        EXPECT_EQ(commands.isEmpty(), program != "qv-tool" && program != "qv-instrument-sim") << program.toStdString();
        for (const QString& command : commands) {
            const QRegularExpression entry("^\\s+" + QRegularExpression::escape(command) + "(\\s|$)",
                                           QRegularExpression::MultilineOption);
            EXPECT_TRUE(entry.match(text).hasMatch()) << program.toStdString() << ": " << command.toStdString();
        }
    }
}

} // namespace
