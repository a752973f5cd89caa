#include "check_updates.h"

#include "batch_prompter.h"
#include "updater/ui/http_client.h"
#include "updater/update_command_line.h"

#include <QEventLoop>

namespace qv {

int RunUpdateCheck(const std::string& server, const std::string& webAddress, const std::string& programVersion,
                   int readTimeoutMs, std::FILE* out, std::FILE* err)
{
    const std::optional<UpdateServer> where = ParseUpdateServer(server);
    if (!where) {
        std::fprintf(err, "qv-update: %s %s\n", server.empty() ? kNoUpdateServerText : kUnusableUpdateServerText,
                     kUpdateServerHintText);
        return kExitUsage;
    }
    const ProgramVersion version = ParseProgramVersion(programVersion).value_or(ProgramVersion{});
    THTTP http;
    http.setReadTimeout(readTimeoutMs);
    QEventLoop loop;
    std::optional<VersionCheckResult> result;
    http.CheckVersion(*where, kVersionCheckSerial, [&](const VersionCheck& check) {
        result = CheckResult(check, version);
        loop.quit();
    });
    if (!result)
        loop.exec();
    const VersionCheckMessage message = VersionCheckOutcome(*result, webAddress);
    std::fputs(BatchPrompter::Line(message.kind, message.text).c_str(), out);
    const bool latest = result->upToDate && result->version != VersionText({});
    return latest ? kExitDone : kExitFailed;
}

} // namespace qv
