#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <string>

namespace qv::test {

// Points the settings, data and hand-over folders of the program at folders
// of the test's own.
struct ProgramFolders {
    QTemporaryDir config, data, runtime, work;
    QByteArray old[3] = {qgetenv("XDG_CONFIG_HOME"), qgetenv("XDG_DATA_HOME"), qgetenv("XDG_RUNTIME_DIR")};
    explicit ProgramFolders(const QByteArray& ini)
    {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        QDir(config.path()).mkpath("QV-Matrix");
        QFile file(iniPath());
        if (file.open(QIODevice::WriteOnly))
            file.write(ini);
    }
    ~ProgramFolders()
    {
        qputenv("XDG_CONFIG_HOME", old[0]);
        qputenv("XDG_DATA_HOME", old[1]);
        qputenv("XDG_RUNTIME_DIR", old[2]);
    }
    std::string path(const char* name) const { return work.filePath(name).toStdString(); }
    QString iniPath() const { return config.path() + "/QV-Matrix/QV-Matrix.INI"; }
};

} // namespace qv::test
