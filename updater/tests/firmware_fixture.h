#pragma once

// Firmware files of our own for the flow tests: a RUN code the simulated
// boot loader accepts, as Intel HEX, and XSVF images for the simulated FPGAs.
#include "sim/fpga_image.h"
#include "sim/io_firmware_image.h"
#include "updater/intel_hex.h"
#include "updater/xsvf.h"

#include <string>
#include <vector>

inline std::vector<uint8_t> Bitstream(size_t n)
{
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i)
        bytes[i] = uint8_t(i * 29 + i / 5);
    return bytes;
}

// A RUN code named name, version major.minor, as HEX text with line ends.
inline std::string RunCodeHex(const std::string& name, uint8_t major, uint8_t minor, size_t codeBytes = 600)
{
    qv::sim::IoFirmwareHeader header{3, major, minor, 14, name};
    const auto image = qv::sim::ioFirmwareImage(header, Bitstream(codeBytes));
    std::string text;
    for (const auto& record : qv::ihex::ImageRecords(image, qv::sim::kIoApplicationStart, 16))
        text += qv::ihex::FormatRecord(record) + "\r\n";
    return text;
}

inline std::vector<uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

// Configures an FPGA of this identity with the bitstream.
inline std::vector<uint8_t> FpgaImage(uint32_t idcode, const std::vector<uint8_t>& bitstream)
{
    return qv::xsvf::Encode(qv::sim::fpgaConfigurationProgram(idcode, bitstream, 512));
}
