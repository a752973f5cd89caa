#pragma once

#include "config/preset_file.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace qv {

// What a file given to QV-Matrix is, by its last four characters.
enum class MatrixFileKind { Other, Preset, Macro, Package };
MatrixFileKind FileKindOf(const QString& path);

// QV-Matrix's command line: the system's own arguments (a file, "/A" "/O",
// "/DLM", "/I") and the options of this build (--port, --simulator,
// --traffic-log).
struct MatrixCommandLine {
    // The system's arguments in their order, without the options.
    QStringList arguments;
    std::vector<std::string> extraPorts; // --port PATH, repeatable
    bool simulator = false;              // --simulator
    QString trafficLog;                  // --traffic-log PATH
    VersionOverride versionOverride;     // "/A" "/O" + version
    // The first argument when it names a file: an absolute path as given, or
    // a relative one that exists, made absolute. Empty otherwise.
    QString filePath;
    bool downloadMode = false; // "/DLM" anywhere
    bool restartOnly = false;  // "/I" anywhere
    QStringList errors;        // options that could not be used
};

// arguments[0] is the program.
MatrixCommandLine ParseMatrixCommandLine(const QStringList& arguments);

// The usage text of --help and of a bad option.
QString MatrixUsageText();

} // namespace qv
