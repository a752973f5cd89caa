// qv-tool cdp info|make: inspect a package as the programs check it, and
// build packages from a text manifest.
#include "commands.h"
#include "console_prompter.h"
#include "file_commands.h"
#include "packages/cdp_check.h"
#include "packages/cdp_format.h"
#include "packages/cdp_manifest.h"
#include "packages/cdp_selection.h"
#include "platform/host/file_io.h"
#include "tool_args.h"

#include <algorithm>
#include <cstdio>

namespace qvtool {

namespace {

const char* kCdpUsage =
    "cdp info FILE [--program matrix|update] [--type T]\n"
    "                                 check a package as the program does (default update), then\n"
    "                                 print its header and one line per item; selected= tells\n"
    "                                 whether the item runs on type code T (default 0)\n"
    "cdp make MANIFEST OUT            build a package from a text manifest, one statement a line:\n"
    "                                   version 0001       format version (0001 when left out)\n"
    "                                   description TEXT   the package's title\n"
    "                                   item KIND MASK ADDRESS PAYLOAD [size=N] TEXT\n"
    "                                 Items run in the order given. PAYLOAD is - (none), a number\n"
    "                                 (the 16-bit value; one byte for kind 22) or @FILE (the data\n"
    "                                 block; FILE relative to the manifest). size=N sets the size\n"
    "                                 field of a kind without data (kind 21's progress size).\n"
    "                                 In TEXT \\r and \\n are line breaks, \\\\ a backslash, \\xHH\n"
    "                                 any byte. Lines starting with # are comments.";

void PrintItem(size_t index, const qv::CdpItem& item, int type)
{
    std::printf("item=%zu offset=%u kind=%u mask=0x%08X address=0x%08X size=%u", index + 1, unsigned(item.offset),
                unsigned(item.kind), unsigned(item.mask), unsigned(item.address), unsigned(item.size));
    if (qv::CdpPayloadOf(item.kind) == qv::CdpPayload::Word)
        std::printf(" value=0x%04X", unsigned(item.value()));
    else if (qv::CdpPayloadOf(item.kind) == qv::CdpPayload::Byte)
        std::printf(" value=0x%02X", unsigned(item.value()));
    std::printf(" selected=%s description=%s\n", qv::IsItemSelected(item.mask, type) ? "yes" : "no",
                qv::EscapeCdpText(item.description).c_str());
}

int CdpInfo(const std::vector<std::string>& args)
{
    std::string path;
    qv::Program program = qv::Program::Update;
    int type = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--program" || a == "--type") {
            if (i + 1 == args.size())
                return FileUsage(a + " needs a value");
            const std::string& value = args[++i];
            if (a == "--program") {
                if (value != "matrix" && value != "update")
                    return FileUsage("--program is matrix or update");
                program = value == "matrix" ? qv::Program::Matrix : qv::Program::Update;
            } else {
                auto t = ParseNumber(value);
                if (!t || *t > 255)
                    return FileUsage("--type needs a type code from 0 to 255");
                type = int(*t);
            }
        } else if (a.starts_with("--") || !path.empty()) {
            return FileUsage("cdp info takes FILE [--program matrix|update] [--type T]");
        } else {
            path = a;
        }
    }
    if (path.empty())
        return FileUsage("cdp info needs FILE");

    std::vector<uint8_t> bytes;
    std::string error;
    if (!qv::ReadWholeFile(path, bytes, error))
        return FileFail("cannot read " + path + ": " + error);
    ConsolePrompter prompter;
    const qv::CdpCheck check = qv::VerifyFileHeader(program, bytes, prompter);
    if (!check.valid)
        return FileFail(prompter.lastError());

    const qv::CdpHeader& h = check.package.header;
    std::printf("magic=%s\nversion=%s\ndescription=%s\ncrc=%08X\ncount=%u\nsize=%zu\nprogram=%s\ntype=%d\n",
                qv::EscapeCdpText(h.magic).c_str(), qv::EscapeCdpText(h.version).c_str(),
                qv::EscapeCdpText(h.description).c_str(), unsigned(h.crc), unsigned(h.count), bytes.size(),
                program == qv::Program::Matrix ? "matrix" : "update", type);
    if (program == qv::Program::Update)
        std::printf("meant=%s\n", qv::MeantForInstrument(check.package, type) ? "yes" : "no");
    for (size_t i = 0; i < check.package.items.size(); ++i)
        PrintItem(i, check.package.items[i], type);
    return kExitOk;
}

int Make(const std::vector<std::string>& args)
{
    if (args.size() != 2)
        return FileUsage("cdp make needs MANIFEST OUT");
    const std::string& manifest = args[0];
    const std::string& out = args[1];
    std::string error;
    auto draft = qv::ReadCdpManifest(manifest, error);
    if (!draft)
        return FileFail(error);
    auto bytes = qv::BuildCdp(*draft, error);
    if (!bytes)
        return FileFail(manifest + ": " + error);
    if (!qv::WriteFileAtomically(out, *bytes, error))
        return FileFail("cannot write " + out + ": " + error);
    std::printf("%s: %zu items, %zu bytes, CRC %08X\n", out.c_str(), draft->items.size(), bytes->size(),
                unsigned(qv::GetLe32(*bytes, qv::kCdpCrcOffset)));
    return kExitOk;
}

int RunCdp(const std::vector<std::string>& words)
{
    const std::vector<std::string> args(words.begin() + std::min<std::ptrdiff_t>(2, std::ptrdiff_t(words.size())),
                                        words.end());
    if (words.size() >= 2 && words[1] == "info")
        return CdpInfo(args);
    if (words.size() >= 2 && words[1] == "make")
        return Make(args);
    return FileUsage("cdp needs info or make");
}

const FileCommandRegistration kCdp{"cdp", kCdpUsage, RunCdp};

} // namespace

} // namespace qvtool
