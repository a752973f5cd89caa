// None of this is firmware of any device: the program block is filler from
// a fixed generator, the RUN code carries a text naming it and filler, and
// the FPGA images configure the simulator's FPGAs with filler bitstreams.
#include "example_payloads.h"

#include "sim/default_memory.h"
#include "sim/fpga_image.h"
#include "sim/io_firmware_image.h"
#include "sim/io_module_options.h"
#include "updater/intel_hex.h"
#include "updater/xsvf.h"

namespace qvtools {

namespace {

constexpr size_t kProgramBytes = 1024;
// The block of the version area that holds the marker.
constexpr size_t kVersionBlockBytes = 128;
constexpr size_t kRunCodeBytes = 1200;
constexpr size_t kBitstreamBytes = 1500;
constexpr size_t kScanBytes = 512;
constexpr size_t kBytesPerRecord = 16;

// xorshift32: the same filler on every machine.
std::vector<uint8_t> Filler(size_t n, uint32_t seed)
{
    std::vector<uint8_t> bytes;
    uint32_t x = seed;
    while (bytes.size() < n) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes.push_back(uint8_t(x >> 24));
    }
    return bytes;
}

std::vector<uint8_t> VersionBlock()
{
    std::vector<uint8_t> block(kVersionBlockBytes, 0);
    const std::vector<uint8_t> marker = qv::sim::pairReversed("SOFTWARE VERSION 5.40    ");
    std::copy(marker.begin(), marker.end(), block.begin());
    return block;
}

std::vector<uint8_t> RunCodeHex()
{
    const std::string text = "Example RUN code 4.20 for the simulated I/O module; no firmware of any device.";
    std::vector<uint8_t> code(text.begin(), text.end());
    const auto filler = Filler(kRunCodeBytes - code.size(), 0xE8A4F1E5);
    code.insert(code.end(), filler.begin(), filler.end());
    const auto image = qv::sim::ioFirmwareImage({3, 4, 20, 14, "Example RUN code 4.20"}, code);
    std::string hex;
    for (const auto& record : qv::ihex::ImageRecords(image, qv::sim::kIoApplicationStart, kBytesPerRecord))
        hex += qv::ihex::FormatRecord(record) + "\r\n";
    return {hex.begin(), hex.end()};
}

std::vector<uint8_t> FpgaImage(uint32_t idcode, uint32_t seed)
{
    return qv::xsvf::Encode(
        qv::sim::fpgaConfigurationProgram(idcode, Filler(kBitstreamBytes, seed), kScanBytes));
}

} // namespace

std::vector<ExamplePayload> ExamplePayloads()
{
    return {
        {"program.bin", Filler(kProgramBytes, 0xE8A4F1E1)},
        {"version.bin", VersionBlock()},
        {"io-firmware.hex", RunCodeHex()},
        {"board.xsvf", FpgaImage(qv::sim::kVp20Idcode, 0xE8A4F1E2)},
        {"module-b0.xsvf", FpgaImage(qv::sim::kSlotFpgaIdcode, 0xE8A4F1E3)},
    };
}

} // namespace qvtools
