// "Check for updates...": the server address from the settings or the
// command line, and the bodies the web server sends back, one per field.
// The input: the address on the first line, then a body per line.
#include "fuzz/fuzz_input.h"
#include "updater/version_check.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const std::string address = input.line();
    if (const auto server = ParseUpdateServer(address)) {
        Expect(!server->host.empty() && server->port > 0 && server->port <= 65535, "a host and a port");
        Expect(server->basePath.front() == '/' && server->basePath.back() == '/', "a base path within slashes");
        FieldQueryUrl(*server, FieldQueryIdText(kVersionFields[0], kVersionCheckSerial), kVersionCheckSerial,
                      kVersionFields[0]);
        const std::string written =
            server->scheme + "://" + server->host + ":" + std::to_string(server->port) + server->basePath;
        const auto again = ParseUpdateServer(written);
        Expect(again && again->scheme == server->scheme && again->host == server->host &&
                   again->port == server->port && again->basePath == server->basePath,
               "a server address reads back as written");
    }
    if (const auto version = ParseProgramVersion(address))
        Expect(ParseProgramVersion(VersionText(*version)) == version, "a version reads back as written");

    VersionCheck check;
    while (!check.finished() && !input.empty()) {
        const std::string body = input.line();
        ReadFieldValue(body);
        check.take(body.empty() ? std::nullopt : std::optional(body));
    }
    const VersionCheckResult result = CheckResult(check, {1, 4, 0, 0});
    Expect(ParseProgramVersion(result.version).has_value(), "the server's version reads as a version");
    VersionCheckOutcome(result, "www.example.com");
    return 0;
}
