#include "fpga_image.h"

#include "jtag_chain.h"

#include <algorithm>

namespace qv::sim {

namespace {

using namespace qv::xsvf;

constexpr uint32_t kIdcodeScanBits = 32 + 1; // the FPGA's IDCODE and the companion's bypass bit
constexpr uint64_t kIdcodeMask = 0x0FFFFFFF;  // the revision may differ
constexpr uint32_t kStartupClocks = 12;

// The chain's instruction: the FPGA's in the low bits, the companion bypassing.
Instruction Select(uint16_t fpgaInstruction)
{
    const uint32_t value = uint32_t(JtagChain::kCompanionBypass) << JtagChain::kFpgaIrBits | fpgaInstruction;
    return Sir(JtagChain::kChainIrBits, VectorOf(value, JtagChain::kChainIrBits));
}

// Bytes first bit first from each high bit, and one more bit at the end that
// stays in the companion's bypass register.
Vector ScanOf(std::span<const uint8_t> bytes)
{
    const size_t bits = 8 * bytes.size();
    Vector v(VectorBytes(uint32_t(bits + 1)), 0);
    for (size_t i = 0; i < bits; ++i)
        SetVectorBit(v, i, bytes[i / 8] & 0x80 >> (i % 8));
    return v;
}

} // namespace

std::vector<Instruction> fpgaConfigurationProgram(uint32_t idcode, std::span<const uint8_t> bitstream, size_t chunkBytes)
{
    chunkBytes = std::max<size_t>(chunkBytes, 1);
    std::vector<Instruction> program = Preamble();
    const std::vector<Instruction> check{
        Select(JtagChain::kIdcode),
        SdrSize(kIdcodeScanBits),
        TdoMask(VectorOf(kIdcodeMask, kIdcodeScanBits)),
        SdrTdo(VectorOf(0, kIdcodeScanBits), VectorOf(idcode, kIdcodeScanBits)),
        Select(JtagChain::kConfigIn),
    };
    program.insert(program.end(), check.begin(), check.end());
    uint32_t sdrBits = kIdcodeScanBits;
    for (size_t at = 0; at < bitstream.size(); at += chunkBytes) {
        const auto chunk = bitstream.subspan(at, std::min(chunkBytes, bitstream.size() - at));
        const uint32_t bits = uint32_t(8 * chunk.size() + 1);
        if (bits != sdrBits) {
            // Nothing comes back from the configuration port worth comparing.
            program.push_back(SdrSize(bits));
            program.push_back(TdoMask(VectorOf(0, bits)));
            sdrBits = bits;
        }
        program.push_back(Sdr(ScanOf(chunk)));
    }
    program.push_back(RunTest(kStartupClocks));
    program.push_back(Select(JtagChain::kStart));
    program.push_back(RunTest(0));
    program.push_back(Select(JtagChain::kBypass));
    program.push_back(Complete());
    return program;
}

} // namespace qv::sim
