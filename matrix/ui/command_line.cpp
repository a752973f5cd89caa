#include "command_line.h"

#include "platform/host/port_names.h"

#include <QDir>
#include <QFileInfo>

namespace qv {

namespace {

bool isSwitch(const QString& argument)
{
    const QString upper = argument.toUpper();
    return upper == "/A" || upper == "/DLM" || upper == "/I";
}

// On Windows a full path holds ":\"; here an absolute path does. A bare
// switch such as "/I" looks absolute too, so switches are excluded.
QString fileArgument(const QString& first)
{
    if (first.isEmpty() || isSwitch(first))
        return {};
    if (QDir::isAbsolutePath(first))
        return first;
    const QFileInfo info(first);
    return info.isFile() ? info.absoluteFilePath() : QString();
}

} // namespace

MatrixFileKind FileKindOf(const QString& path)
{
    const QString ext = path.right(4).toUpper();
    if (ext == ".PRE")
        return MatrixFileKind::Preset;
    if (ext == ".MCR")
        return MatrixFileKind::Macro;
    if (ext == ".CDP")
        return MatrixFileKind::Package;
    return MatrixFileKind::Other;
}

MatrixCommandLine ParseMatrixCommandLine(const QStringList& arguments)
{
    MatrixCommandLine out;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "--port" || a == "--traffic-log") {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                out.errors << a + " needs a value.";
                continue;
            }
            const QString value = arguments[++i];
            if (a == "--port")
                out.extraPorts.push_back(portNameFromArgument(value.toStdString()));
            else
                out.trafficLog = value;
        } else if (a == "--simulator") {
            out.simulator = true;
        } else if (a.startsWith("--")) {
            out.errors << "Unknown option " + a + ".";
        } else {
            out.arguments << a;
        }
    }

    std::vector<std::string> system;
    for (const QString& a : out.arguments)
        system.push_back(a.toStdString());
    out.versionOverride = VersionOverrideFromArguments(system);
    for (const QString& a : out.arguments) {
        out.downloadMode |= a.toUpper() == "/DLM";
        out.restartOnly |= a.toUpper() == "/I";
    }
    if (!out.arguments.isEmpty())
        out.filePath = fileArgument(out.arguments.first());
    return out;
}

QString MatrixUsageText()
{
    return QStringLiteral(
        "Usage: qv-matrix [FILE] [/A /Oversion] [/DLM] [/I] [--port PATH]... [--simulator] [--traffic-log PATH]\n"
        "  FILE               a preset (.PRE), macro (.MCR) or package (.CDP) to open\n"
        "  /A /Oversion       override the software version of opened files\n"
        "  /DLM               restart the instrument in download mode and end\n"
        "  /I                 restart the instrument and end\n"
        "  --port PATH        offer a device the system does not list (repeatable)\n"
        "  --simulator        offer the simulated instrument as port \"SIM\"\n"
        "  --traffic-log PATH log the serial traffic to PATH\n");
}

} // namespace qv
