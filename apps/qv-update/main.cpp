// qv-update: QV-Update's window, or with --batch its command-line job
// without one; --check-updates asks the update server, also without one.
#include "batch_prompter.h"
#include "batch_run.h"
#include "check_updates.h"
#include "host_machine.h"
#include "update_application.h"
#include "update_version.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string UsageText()
{
    std::string help;
    for (char c : qv::CommandLineHelpText())
        if (c != '\r')
            help += c;
    return "Usage: qv-update [parameters] [options]\n\n" + help + "\n\n" + qv::CommandLineOptionsText();
}

std::vector<std::string> Arguments(const QStringList& all)
{
    std::vector<std::string> words;
    for (qsizetype i = 1; i < all.size(); ++i)
        words.push_back(all[i].toStdString());
    return words;
}

} // namespace

int main(int argc, char* argv[])
{
    bool batch = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(UsageText().c_str(), stdout);
            return 0;
        }
        batch |= std::strcmp(argv[i], "--batch") == 0 || std::strcmp(argv[i], "--check-updates") == 0;
    }
    if (batch) {
        // No window and no display.
        QCoreApplication app(argc, argv);
        qv::UpdateCommandLine line =
            qv::ParseUpdateCommandLine(Arguments(QCoreApplication::arguments()), QDir::currentPath().toStdString());
        if (!line.errors.empty()) {
            for (const std::string& error : line.errors)
                std::fprintf(stderr, "qv-update: %s\n", error.c_str());
            std::fputs(qv::CommandLineOptionsText().c_str(), stderr);
            return qv::kExitUsage;
        }
        qv::HostMachine machine(line);
        qv::BatchPrompter prompter;
        const qv::UpdateServices services = machine.services(prompter);
        if (line.checkUpdates)
            return qv::RunUpdateCheck(services.updateServer, services.webAddress, qv::UpdateVersionText(),
                                      qv::TCheckUpdateLink::kReadTimeoutMs);
        return qv::RunBatch(line, services);
    }
    QApplication app(argc, argv);
    // "/R" without a file writes memory.cod where the caller started us.
    qv::UpdateCommandLine line =
        qv::ParseUpdateCommandLine(Arguments(QApplication::arguments()), QDir::currentPath().toStdString());
    if (!line.errors.empty()) {
        for (const std::string& error : line.errors)
            std::fprintf(stderr, "qv-update: %s\n", error.c_str());
        std::fputs(qv::CommandLineOptionsText().c_str(), stderr);
        return qv::kExitUsage;
    }
    qv::UpdateApplication application(line);
    return application.run();
}
