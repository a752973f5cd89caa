// The firmware transfers' replies and decisions, their messages, and the
// module selection without its window.
#include "updater/firmware_codec.h"
#include "updater/firmware_results.h"
#include "updater/module_selection.h"

#include <gtest/gtest.h>

namespace {

using qv::MessageKind;

TEST(FirmwareCodec, ModuleComplaintsDuringAHexDownload)
{
    const std::pair<const char*, int> cases[] = {
        {"E500 HEX record error", 261}, {"E501", 262},         {"xx E502 CRC error yy", 263},
        {"E503 Address error", 264},    {"e502 in lower case", 515}, {"Not OK", 515}, {"", 515},
    };
    for (const auto& [reply, code] : cases)
        EXPECT_EQ(qv::fw::ClassifyHexReply(reply), code) << reply;
    EXPECT_EQ(qv::fw::HexReplyText(263),
              "I/O CRC Error.\r\rPlease disconnect the instrument from the computer,\rthen repower the instrument and "
              "try again.\r\r");
    EXPECT_EQ(qv::fw::HexReplyText(261), "Can not decode HEX file.\r\rPlease try another file.\r\r");
    EXPECT_EQ(qv::fw::HexReplyText(515), "");
}

TEST(FirmwareCodec, SecondLoaderStageAndProgressSteps)
{
    const std::pair<int, bool> registers[] = {{-1, false}, {0, true},    {5, true},    {11, true},
                                              {12, false}, {14, false}, {240, true}, {241, false}};
    for (const auto& [value, second] : registers)
        EXPECT_EQ(qv::fw::NeedsLoaderSecondStage(value), second) << value;

    EXPECT_EQ(qv::fw::TransferSteps(0, 1024), 1);
    EXPECT_EQ(qv::fw::TransferSteps(1024, 1024), 2);
    EXPECT_EQ(qv::fw::TransferSteps(1025, 1024), 3);
    EXPECT_EQ(qv::fw::TransferSteps(101, 50), 4);
}

struct Expected {
    int code;
    MessageKind kind;
    std::string text;
};

void ExpectMessages(const std::vector<Expected>& cases, const auto& message)
{
    for (const Expected& c : cases) {
        const auto shown = message(c.code);
        if (c.text.empty()) {
            EXPECT_FALSE(shown) << c.code;
            continue;
        }
        ASSERT_TRUE(shown) << c.code;
        EXPECT_EQ(shown->kind, c.kind) << c.code;
        EXPECT_EQ(shown->text, c.text) << c.code;
    }
}

const std::string kRepower =
    "Please disconnect the instrument from the computer, then repower the instrument and try again.";

TEST(FirmwareMessages, IoFirmware)
{
    ExpectMessages(
        {
            {256, MessageKind::Information, "The I/O Firmware was updated correctly."},
            {257, MessageKind::Error,
             "A unknown error was encountered while updating the I/O Firmware.\r\r" + kRepower + "\r\rIOFW_LOAD_UNKNOWN"},
            {258, MessageKind::Error, "The file \"/u/fw.hex\" was not found.\r\rIOFW_LOAD_FILE_NOT_FOUND"},
            {259, MessageKind::Warning,
             "The I/O firmware is not in BOOT-Load Mode.\r\r" + kRepower + "\r\rIOFW_NOT_BOOTMODE"},
            {260, MessageKind::Warning,
             "An error occoured while erasing the flash memory for the I/O firmware.\r\r" + kRepower +
                 "\r\rIOFW_FLASH_ERASE_ERROR"},
            {262, MessageKind::Error, ""},
            {515, MessageKind::Error, ""},
            {1025, MessageKind::Error,
             "An error was encountered while updating the I/O Firmware.\r\rUnknown Result: 0x4E\r\r" + kRepower},
        },
        [](int code) { return qv::IoFirmwareMessage(code, "/u/fw.hex", 0x4E); });
}

TEST(FirmwareMessages, MainboardFpga)
{
    const std::string error = "An error was encountered while updating the FPGA.\r\r";
    ExpectMessages(
        {
            {0, MessageKind::Information, "The FPGA code was updated correctly."},
            {1, MessageKind::Error, "A unknown error was encountered while updating the FPGA.\rXSVF_ERROR_UNKNOWN"},
            {2, MessageKind::Error, error + "XSVF_ERROR_TDOMISMATCH"},
            {3, MessageKind::Error, error + "XSVF_ERROR_MAXRETRIES"},
            {4, MessageKind::Error, error + "XSVF_ERROR_ILLEGALCMD"},
            {6, MessageKind::Error, error + "XSVF_ERROR_DATAOVERFLOW"},
            {7, MessageKind::Error, "XSVF_ERROR_LAST"},
            {27, MessageKind::Error, error + "Unknown Result: 0x1B"},
            {241, MessageKind::Warning,
             "The I/O firmware does not support JTAG upgrade.\rPlease contact technical support.\r\rXSVF_NOT_SUPPORTED"},
            {242, MessageKind::Warning,
             "The I/O module is not in RUN-Mode.\rPlease contact technical support.\r\rXSVF_NOT_RUNMODE"},
            {243, MessageKind::Error,
             "The file \"/u/a.xsvf\" was not found.\rPlease specify another filename.\r\rXSVF_FILE_NOT_FOUND"},
            {qv::kTransferStopped, MessageKind::Error,
             "The I/O module stopped answering while the FPGA was updated.\r\r" + kRepower},
            {qv::kTransferCanceled, MessageKind::Warning, "The FPGA update was canceled by user."},
            {qv::kTransferOverrun, MessageKind::Error,
             "The I/O module asked for more than the image holds.\r\r" + kRepower},
        },
        [](int code) { return qv::MainboardFpgaMessage(code, "/u/a.xsvf", 0x1B); });
}

TEST(FirmwareMessages, ExpansionModule)
{
    const std::string error = "An error was encountered while updating the FPGA in slot #4.\r\r";
    ExpectMessages(
        {
            {0, MessageKind::Error, ""},
            {27, MessageKind::Error, ""},
            {1, MessageKind::Error,
             "A unknown error was encountered while updating the FPGA in slot #4.\rXSVF_ERROR_UNKNOWN"},
            {2, MessageKind::Error, error + "XSVF_ERROR_TDOMISMATCH"},
            {6, MessageKind::Error, error + "XSVF_ERROR_DATAOVERFLOW"},
            {7, MessageKind::Error, error + "Unknown Result: 0xC1"},
            {244, MessageKind::Error, error + "Unknown Result: 0xC1"},
            {1281, MessageKind::Error, error + "Unknown Result: 0xC1"},
            {242, MessageKind::Warning,
             "The I/O module is not in RUN-Mode.\rPlease contact technical support.\r\rXSVF_NOT_RUNMODE"},
            {qv::kTransferStopped, MessageKind::Error,
             "The module in slot #4 stopped answering while its FPGA was updated.\r\r" + kRepower},
            {qv::kTransferOverrun, MessageKind::Error,
             "The module in slot #4 asked for more than its image holds.\r\r" + kRepower},
        },
        [](int code) { return qv::SlotFpgaMessage(code, 4, "/u/m.xB0", 0xC1); });
}

TEST(ModuleSelection, SlotsThatHoldTheTargetAreOffered)
{
    qv::ModuleSelection s(0xB0, {0xB0, 0, 0xC0, 0xB0, 255, 0, 0});
    EXPECT_EQ(s.line(0), "Slot #1 - 8 Channel Analogue Input Module, 8-ANA (B0).");
    EXPECT_EQ(s.line(1), "Slot #2 - No module detected (00).");
    EXPECT_EQ(s.line(2), "Slot #3 - 8 Channel Analogue Output Module, 8-ANA (C0).");
    EXPECT_EQ(s.line(4), "Slot #5 - Unknown Module (FF).");
    for (int i = 0; i < qv::ModuleSelection::kSlots; ++i) {
        const bool target = i == 0 || i == 3;
        EXPECT_EQ(s.enabled(i), target) << i;
        EXPECT_EQ(s.checked(i), target) << i;
    }
    EXPECT_TRUE(s.okEnabled());

    s.setChecked(0, false);
    s.setChecked(2, true); // greyed: stays as it is
    EXPECT_EQ(s.slotIds(), (std::array<uint8_t, 7>{0, 0, 0xC0, 0xB0, 255, 0, 0}));
    EXPECT_TRUE(s.okEnabled());
    s.setChecked(3, false);
    EXPECT_FALSE(s.okEnabled()) << "OK needs a checked slot";
    s.setChecked(0, true);
    EXPECT_EQ(s.slotIds()[0], 0xB0);
    EXPECT_TRUE(s.okEnabled());
}

TEST(ModuleSelection, NoSlotForATargetThatIsNoModule)
{
    const std::array<uint8_t, 7> ids{0, 0, 255, 0, 0, 0, 0};
    for (uint8_t target : {uint8_t(0x00), uint8_t(0xFF), uint8_t(0xDD)}) {
        qv::ModuleSelection s(target, ids);
        EXPECT_FALSE(s.okEnabled()) << int(target);
    }
    EXPECT_EQ(qv::ModuleSelection(0xDD, ids).noneDetectedText(), "No Dolby-E Decoder Module (DD) detected.");
}

} // namespace
