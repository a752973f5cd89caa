// "/F" with a package, unattended: the exit status says whether the package
// went in, and "/SERIAL" picks the items of another instrument type.
#include "batch_fixture.h"

#include "packages/cdp_format.h"
#include "packages/cdp_writer.h"
#include "updater/tests/wizard_fixture.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

std::vector<uint8_t> PackageFile(std::vector<qv::CdpDraftItem> items)
{
    qv::CdpDraft draft;
    draft.description = "Batch package";
    draft.items = std::move(items);
    std::string error;
    auto bytes = qv::BuildCdp(draft, error);
    EXPECT_TRUE(bytes) << error;
    return bytes.value_or(std::vector<uint8_t>{});
}

qv::CdpDraftItem Block(uint32_t address, uint32_t mask, uint16_t kind = qv::kCdpSoftwareBlock)
{
    qv::CdpDraftItem item;
    item.kind = kind;
    item.mask = mask;
    item.address = address;
    item.description = "Block";
    if (kind == qv::kCdpSoftwareBlock)
        item.payload = Pattern(256);
    return item;
}

TEST(BatchPackage, ExitStatus)
{
    TempFolder files;
    const std::string type5 = files.write("type5.CDP", PackageFile({Block(0x2000, 1u << 4)}));
    const std::string type4 = files.write("type4.CDP", PackageFile({Block(0x2000, 1u << 3)}));
    auto damaged = PackageFile({Block(0x2000, 0)});
    damaged[300] ^= 0x40;
    const std::string crc = files.write("crc.CDP", damaged);
    const std::string future = files.write("future.CDP", PackageFile({Block(0x2000, 0), Block(0, 0, 10)}));
    const std::string upgrade = files.write("upgrade.CDP", PackageFile({Block(0, 0, qv::kCdpUpgradeTo510)}));
    const Texts otherType{"This file does not contain any valid data for this instrument.",
                          "This file does not contain any valid data for this instrument."};
    struct Case {
        const char* name;
        std::vector<std::string> words;
        bool garbledInDownloadMode;
        int status;
        bool written;
        Texts firstMessages; // the start of each message shown before the report
    } cases[] = {
        {"a package for the instrument", {"/F", type5, "/C", "SIM"}, false, qv::kExitDone, true, {}},
        {"one for the type /SERIAL names", {"/F", type4, "/SERIAL", "4321", "/C", "SIM"}, false, qv::kExitDone, true,
         {}},
        {"one for another type", {"/F", type4, "/C", "SIM"}, false, qv::kExitFailed, false, otherType},
        {"a /SERIAL of another type", {"/F", type5, "/SERIAL", "4321"}, false, qv::kExitFailed, false, otherType},
        {"a CRC error", {"/F", crc}, false, qv::kExitFailed, false, {"CRC Error.", "This file does not", "CRC Error."}},
        {"a kind it does not know", {"/F", future}, false, qv::kExitFailed, true, {"The software installation is not"}},
        {"a configuration that cannot be read",
         {"/F", upgrade},
         true,
         qv::kExitFailed,
         false,
         {"The software update was not completed.\rThe configuration could not be read from the instrument."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Batch b;
        if (c.garbledInDownloadMode)
            b.pump.add([&b] { b.instrument.options().corruptChecksumEvery = b.instrument.inDownloadMode() ? 1 : 0; });
        EXPECT_EQ(b.run(c.words), c.status) << ::testing::PrintToString(b.prompter.texts()) << b.errText;
        EXPECT_EQ(b.instrument.peek(0x2000, 256) == Pattern(256), c.written);
        const Texts shown = b.prompter.texts();
        ASSERT_GE(shown.size(), c.firstMessages.size());
        for (size_t i = 0; i < c.firstMessages.size(); ++i)
            EXPECT_TRUE(shown[i].starts_with(c.firstMessages[i])) << shown[i];
        // The report comes whatever the quiet flag says.
        if (c.status == qv::kExitDone) {
            ASSERT_FALSE(shown.empty());
            EXPECT_TRUE(shown.back().starts_with("The software installation is complete.")) << shown.back();
        }
        EXPECT_FALSE(b.port.isOpen());
        EXPECT_FALSE(b.instrument.inDownloadMode());
    }
}

} // namespace
