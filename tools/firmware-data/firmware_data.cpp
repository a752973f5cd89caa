// The firmware items of the embedded data: the two FPGA probes and the two
// stages of the simulated I/O module's FPGA loader.
//
// The probes follow their description instruction for instruction: XREPEAT
// 0; XENDIR and XENDDR Run-Test/Idle; Test-Logic-Reset, Run-Test/Idle;
// XRUNTEST 0; the 30-bit instruction 0x3FFFFFC9; three times a 33-bit data
// register with TDO mask 0x000FFFFFFF checked against the identity with zero
// TDI; then XREPEAT 32, Test-Logic-Reset, Run-Test/Idle, the 30-bit all-ones
// instruction, a 2-bit data shift with an empty mask, and XCOMPLETE. That
// makes 109 bytes.
//
// The loaders are our own: a header the simulated boot loader checks (RUN-code
// ID 3, the version, the loader register it reports) and a body of a text
// naming it followed by pseudo-random filler. Their sizes give HEX texts of
// about 63 and 62 KB.
#include "firmware_data.h"

#include "sim/io_firmware_image.h"
#include "updater/intel_hex.h"

namespace qvtools {

namespace {

using namespace qv::xsvf;

constexpr uint32_t kInstructionBits = 30;
constexpr uint32_t kIdcodeInstruction = 0x3FFFFFC9;
constexpr uint32_t kBypassInstruction = 0x3FFFFFFF;
constexpr uint32_t kIdcodeScanBits = 33;
constexpr uint64_t kIdcodeMask = 0x000FFFFFFF;
constexpr int kIdcodeChecks = 3;
constexpr uint32_t kBypassScanBits = 2;
constexpr size_t kBytesPerRecord = 16;

struct LoaderStage {
    qv::sim::IoFirmwareHeader header;
    size_t codeBytes;
    uint32_t seed;
};

// Stage 1 reports the old register value (11) that has the host install stage 2.
const LoaderStage kStages[] = {
    {{3, 3, 11, 11, "QV-Sim I/O FPGA loader stage 1 v3.11"}, 22336, 0x5EED0001},
    {{3, 3, 14, 14, "QV-Sim I/O FPGA loader stage 2 v3.14"}, 21984, 0x5EED0002},
};

std::vector<uint8_t> LoaderCode(const LoaderStage& stage, int number)
{
    const std::string text = "qv-instrument-sim I/O module FPGA loader, stage " + std::to_string(number) +
                             ", version " + std::to_string(stage.header.runMajor) + "." +
                             std::to_string(stage.header.runMinor) +
                             ". A test image for the simulator, made by tools/firmware-data; no firmware of any "
                             "device.";
    std::vector<uint8_t> code(text.begin(), text.end());
    code.push_back(0);
    // xorshift32: the same filler on every machine.
    uint32_t x = stage.seed;
    while (code.size() < stage.codeBytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        code.push_back(uint8_t(x >> 24));
    }
    code.resize(stage.codeBytes);
    return code;
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

} // namespace

std::vector<Instruction> ProbeProgram(uint64_t expectedIdcode)
{
    std::vector<Instruction> program = Preamble();
    program.push_back(Sir(kInstructionBits, VectorOf(kIdcodeInstruction, kInstructionBits)));
    for (int i = 0; i < kIdcodeChecks; ++i) {
        program.push_back(SdrSize(kIdcodeScanBits));
        program.push_back(TdoMask(VectorOf(kIdcodeMask, kIdcodeScanBits)));
        program.push_back(SdrTdo(VectorOf(0, kIdcodeScanBits), VectorOf(expectedIdcode, kIdcodeScanBits)));
    }
    const std::vector<Instruction> tail{
        Repeat(32),
        State(TapState::TestLogicReset),
        State(TapState::RunTestIdle),
        Sir(kInstructionBits, VectorOf(kBypassInstruction, kInstructionBits)),
        SdrSize(kBypassScanBits),
        TdoMask(VectorOf(0, kBypassScanBits)),
        Sdr(VectorOf(0, kBypassScanBits)),
        Complete(),
    };
    program.insert(program.end(), tail.begin(), tail.end());
    return program;
}

std::string LoaderHexText(int stage)
{
    const LoaderStage& s = kStages[stage == 2 ? 1 : 0];
    const auto image = qv::sim::ioFirmwareImage(s.header, LoaderCode(s, stage == 2 ? 2 : 1));
    std::string text;
    for (const auto& record : qv::ihex::ImageRecords(image, qv::sim::kIoApplicationStart, kBytesPerRecord))
        text += qv::ihex::FormatRecord(record) + "\r\n";
    return text;
}

std::vector<DataItem> FirmwareDataItems()
{
    return {
        {"VP_20.xsvf", Encode(ProbeProgram(0x00F1266093))},
        {"VP_30.xsvf", Encode(ProbeProgram(0x00F127E093))},
        {"FPGA_PRG.hex", Bytes(LoaderHexText(1))},
        {"FPGA_PRG14.hex", Bytes(LoaderHexText(2))},
    };
}

} // namespace qvtools
