#include "qt_external_program.h"

#include <QCoreApplication>
#include <QProcess>

namespace qv {

bool QtExternalProgram::run(const std::string& arguments, const std::string& workingFolder, bool wait)
{
    const QStringList args = QProcess::splitCommand(QString::fromStdString(arguments));
    const QString folder = QString::fromStdString(workingFolder);
    if (!wait)
        return QProcess::startDetached(program_, args, folder);

    QProcess process;
    process.setProgram(program_);
    process.setArguments(args);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start();
    if (!process.waitForStarted())
        return false;
    while (process.state() != QProcess::NotRunning && !QCoreApplication::closingDown()) {
        host_.pump.pump();
        host_.clock.sleepMs(kPollMs);
        process.waitForFinished(0);
    }
    return true;
}

} // namespace qv
