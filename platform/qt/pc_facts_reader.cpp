#include "pc_facts_reader.h"

#include <QFile>
#include <QNetworkInterface>
#include <QSysInfo>

#if defined(Q_OS_UNIX)
#include <pwd.h>
#include <unistd.h>
#endif

namespace qv {

namespace {

// /proc files report no size; they are read to their end.
std::string FileText(const char* path)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

std::optional<double> CpuMhz()
{
    if (const std::optional<double> mhz = ParseCpuMhz(FileText("/proc/cpuinfo")))
        return mhz;
    // Processors whose cpuinfo has no clock may still tell it through cpufreq, in kHz.
    bool ok = false;
    const qint64 khz =
        QByteArray::fromStdString(FileText("/sys/devices/system/cpu/cpu0/cpufreq/scaling_cur_freq")).trimmed().toLongLong(&ok);
    return ok && khz > 0 ? std::optional<double>(double(khz) / 1000.0) : std::nullopt;
}

QString UserName()
{
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString name = qEnvironmentVariable(variable);
        if (!name.isEmpty())
            return name;
    }
#if defined(Q_OS_UNIX)
    // Started without a login environment (a service, a container).
    if (const passwd* entry = getpwuid(getuid()))
        return QString::fromLocal8Bit(entry->pw_name);
#endif
    return {};
}

bool Networked()
{
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning) &&
            !flags.testFlag(QNetworkInterface::IsLoopBack))
            return true;
    }
    return false;
}

} // namespace

PcFacts ReadPcFacts()
{
    PcFacts facts;
    facts.system = (QSysInfo::prettyProductName() + ", " + QSysInfo::kernelType() + " " + QSysInfo::kernelVersion())
                       .toStdString();
    facts.cpuMhz = CpuMhz();
    facts.computerName = QSysInfo::machineHostName().toStdString();
    facts.userName = UserName().toStdString();
    facts.networked = Networked();
    facts.uptimeSeconds = ParseUptime(FileText("/proc/uptime"));
    const MemoryFigures memory = ParseMemInfo(FileText("/proc/meminfo"));
    facts.totalMemoryKb = memory.totalKb;
    facts.availableMemoryKb = memory.availableKb;
    return facts;
}

} // namespace qv
