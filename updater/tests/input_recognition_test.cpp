// The input box: which page and text each command and file type selects.
#include "updater/input_recognition.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using qv::InputKind;

const std::string kExecute = "Press NEXT to execute the command.";

TEST(InputRecognition, CommandsAndFiles)
{
    // Files "exist" only when listed here.
    const std::set<std::string> files = {
        "/u/fpga.xsvf", "/u/io.hex",  "/u/dolby.xdd", "/u/x.380",    "/u/y.000",   "/u/delay.xAD",
        "/u/in.XB0",    "/u/cfg.pre", "/u/pkg.CDP",   "/u/odd.bad",  "/u/note.txt",
    };
    const qv::FileExists exists = [&](const std::string& path) { return files.count(path) > 0; };
    struct Case {
        std::string text;
        InputKind kind;
        std::string page;
        std::string info;
    } cases[] = {
        {"CMD/.SP15,20", InputKind::SendText, "", kExecute},
        {"CMD/", InputKind::SendText, "", kExecute},
        {"FAST/x.380", InputKind::FastFlash, "FILE", kExecute},
        {"RVT/R", InputKind::Command, "RVT/R", kExecute},
        {"RVT/DLM", InputKind::Command, "FILE", kExecute},
        {"MCU/KEYD", InputKind::Command, "FILE", kExecute},
        {"MCU/KEYU", InputKind::Command, "FILE", kExecute},
        {"MCU/BIOS", InputKind::Command, "FILE", "Press NEXT to reboot the instrument in BIOS mode."},
        {"MCU/FPGAReload", InputKind::Command, "FILE", "Press NEXT to reload the FPGA."},
        {"MCU/ERASE", InputKind::Command, "FILE", "Press NEXT to erase the I/O flash."},
        {"ETH/RESET", InputKind::Command, "FILE", "Press NEXT to reset the ethernet settings."},
        {"HELP", InputKind::Command, "HELP", kExecute},
        {"help", InputKind::Command, "HELP", kExecute},
        {"MCU/FPGA", InputKind::Command, "FILE", kExecute},
        {"mcu/fpga", InputKind::Command, "FILE", kExecute},
        {"RVT/I", InputKind::Command, "FILE", kExecute},
        // Exact commands in another case are no commands, and no files either.
        {"rvt/i", InputKind::None, "", kExecute},
        {"mcu/erase", InputKind::None, "", kExecute},
        {"MCU/FPGARELOAD", InputKind::None, "", kExecute},
        {"RVT/I ", InputKind::None, "", kExecute},
        // Files by their last four characters, any case, when they exist.
        {"/u/fpga.xsvf", InputKind::MainboardFpga, "FILE", kExecute},
        {"/u/io.hex", InputKind::IoFirmware, "FILE", kExecute},
        {"/u/dolby.xdd", InputKind::ModuleFirmware, "FILE", kExecute},
        {"/u/delay.xAD", InputKind::ModuleFirmware, "FILE", kExecute},
        {"/u/in.XB0", InputKind::ModuleFirmware, "FILE", kExecute},
        {"/u/x.380", InputKind::DspFile, "FILE", kExecute},
        {"/u/y.000", InputKind::DspFile, "FILE", kExecute},
        {"/u/odd.bad", InputKind::DspFile, "FILE", kExecute},
        {"/u/cfg.pre", InputKind::ConfigurationFile, "PRE", kExecute},
        {"/u/pkg.CDP", InputKind::Package, "", kExecute},
        {"/u/note.txt", InputKind::None, "", kExecute},
        {"/u/missing.380", InputKind::None, "", kExecute},
        {"/u/missing.CDP", InputKind::None, "", kExecute},
        {"", InputKind::None, "", kExecute},
    };
    for (const auto& c : cases) {
        const qv::InputRecognition r = qv::RecognizeInput(c.text, exists);
        EXPECT_EQ(r.kind, c.kind) << c.text;
        EXPECT_EQ(r.page, c.page) << c.text;
        EXPECT_EQ(r.info, c.info) << c.text;
    }
}

TEST(InputRecognition, FileTypesByName)
{
    struct Case {
        std::string name;
        bool known;
        int sector; // -1: no DSP file
    } cases[] = {
        {"a.380", true, 0x380}, {"a.000", true, 0},     {"A.FfF", true, 0xFFF}, {"a.xB1", true, -1},
        {"a.XSVF", true, -1},   {"a.Hex", true, -1},    {"a.PRE", true, -1},    {"a.cdp", true, -1},
        {"a.38", false, -1},    {"a.3800", false, -1},  {"a.x1", false, -1},    {"a.xG0", false, -1},
        {"380", false, -1},     {"a.txt", false, -1},   {".380", true, 0x380},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qv::IsKnownFileType(c.name), c.known) << c.name;
        EXPECT_EQ(qv::DspStartSector(c.name), c.sector) << c.name;
    }
}

} // namespace
