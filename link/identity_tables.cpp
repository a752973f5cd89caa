#include "identity_tables.h"

#include <array>
#include <cstdio>

namespace qv {

namespace {

constexpr std::array<std::string_view, 15> kMatrixNames = {
    "Unknown",   "RVT470S-A",  "RVT470S-B",     "RVT470D",   "RVT470D-X",
    "RVT120S",   "RVT230",     "RVT560",        "RVT890",    "RVT230S",
    "RVT470S-C", "RVT470S-SR", "Not Connected", "BIOS-Mode", "RX4471K",
};

constexpr std::array<std::string_view, 25> kUpdateNames = {
    "Unknown Instrument",
    "RVT470S-A",
    "RVT470S-B",
    "RVT470D",
    "RVT470D-X",
    "RVT120S",
    "RVT230",
    "RVT560",
    "RVT890",
    "RVT230S",
    "RVT470S-C",
    "RVT470S-SR",
    "Not Connected",
    "Instrument in BIOS-Mode",
    "RX4471K (2.00)",
    "RX4471K",
    "RX4412K (2.00)",
    "RX4412K",
    "RX4433K",
    "RX4455K",
    "Unused",
    "Unused",
    "Unused",
    "Unused",
    "RX4480 Series",
};

constexpr std::array<int, 25> kFlashSectors = {
    4096, 1024, 1024, 1024, 2048, 1024, 512,  512,  512,  1024, 1024, 1024, 0,
    2048, 2048, 2048, 2048, 2048, 2048, 2048, 2048, 2048, 2048, 2048, 2048,
};

// Inclusive serial ranges; a serial in none of them is unknown.
struct SerialRange {
    int first;
    int last;
    int matrixCode;
    int updateCode;
};

constexpr std::array<SerialRange, 15> kSerialRanges = {{
    {2000, 5999, 4, 4},
    {6000, 6099, 1, 1},
    {6100, 6499, 2, 2},
    {6500, 7999, 3, 3},
    {8000, 9999, 4, 4},
    {10000, 19999, 5, 5},
    {20000, 24999, 6, 6},
    {25000, 25999, 7, 7},
    {26000, 26999, 8, 8},
    {30000, 39999, 9, 9},
    {40000, 44999, 10, 10},
    {45000, 49999, 11, 11},
    {50000, 59999, 14, 14},
    {60000, 65000, 14, 16},
    {65001, 65534, 0, 16},
}};

constexpr std::array<BiosTypeEntry, 22> kBiosTypes = {{
    {"RVT470S-A", 1},  {"RVT470S-B", 2},   {"RVT470D", 3},    {"RVT470D-X", 4},   {"RX4360K", 4},
    {"RX4366K", 4},    {"RX4366K-W", 4},   {"RVT120S", 5},    {"RVT230", 6},      {"RVT560", 7},
    {"RVT890", 8},     {"RVT230S", 9},     {"RX4123N", 9},    {"RVT470S-C", 10},  {"RX4360N-C", 10},
    {"RVT470S-SR", 11}, {"RX4360N-SR", 11}, {"RX4471K", 14},  {"RX4412K", 16},    {"RX4433K", 14},
    {"RX4455K", 14},   {"480 Series", 24},
}};
constexpr size_t kMatrixBiosTypes = 17;

// Board codes of the I/O interface that tell the newer mainboards apart.
constexpr std::string_view kBoardVp30 = "201";
constexpr std::string_view kBoard480 = "300";

std::span<const std::string_view> names(Program program)
{
    if (program == Program::Matrix)
        return kMatrixNames;
    return kUpdateNames;
}

} // namespace

int TypeCount(Program program)
{
    return int(names(program).size());
}

std::string TypeName(Program program, int code)
{
    auto table = names(program);
    if (code < 0 || size_t(code) >= table.size())
        code = kTypeUnknown;
    return std::string(table[size_t(code)]);
}

int TypeFromSerial(Program program, int serial)
{
    for (const auto& r : kSerialRanges)
        if (serial >= r.first && serial <= r.last)
            return program == Program::Matrix ? r.matrixCode : r.updateCode;
    return kTypeUnknown;
}

int TypeFromSerial(int serial, std::string_view boardCode, bool vp30Switch)
{
    int code = TypeFromSerial(Program::Update, serial);
    if (code == 14 && (boardCode == kBoardVp30 || vp30Switch))
        return 15;
    if (code == 14 && boardCode == kBoard480)
        return 24;
    if (code == 16 && boardCode == kBoardVp30)
        return 17;
    return code;
}

std::string ProgramBlocks(int code)
{
    return code == 4 ? "2048" : "1024";
}

int FlashSectors(int code)
{
    if (code < 0 || size_t(code) >= kFlashSectors.size())
        code = kTypeUnknown;
    return kFlashSectors[size_t(code)];
}

bool MatrixTransfersRefused(int code)
{
    switch (code) {
    case 1:
    case 2:
    case 6:
    case 7:
    case 8:
    case 14:
        return true;
    default:
        return false;
    }
}

std::string UnsupportedTypeText(int code)
{
    return "The connected " + TypeName(Program::Matrix, code) + " is not supported by this program." + "\r" +
           "Please see helpfile for suported RVT´s.";
}

std::span<const BiosTypeEntry> BiosTypeList(Program program)
{
    std::span<const BiosTypeEntry> all = kBiosTypes;
    return program == Program::Matrix ? all.first(kMatrixBiosTypes) : all;
}

std::string ModuleText(int code, SlotKind slot, Program program)
{
    const bool update = program == Program::Update;
    if (code == 0x00)
        return "Not installed.";
    if (slot == SlotKind::Input) {
        switch (code) {
        case 0x11:
            return "Analogue Input Module, 1-AES 2-ANA (11)";
        case 0x22:
            return "2 Channel Digital Input Module, 2-AES (22)";
        case 0x24:
            return "4 Channel Digital Input Module, 4-AES (24)";
        case 0x31:
            return "96 KHz Analogue Input Module, 1-AES 2-ANA (31)";
        case 0x32:
            if (update)
                return "96 KHz Analogue BNC-Input Module, 1-AES 2-ANA (32)";
            break;
        case 0x51:
            if (update)
                return "Analogue BNC-Input Module, 1-AES 2-ANA (51)";
            break;
        case 0x64:
            return "8 Channel Analog Input Module, 8-ANA (64)";
        case 0xA2:
            return "SDI DeEmbedder, SDI (A2)";
        case 0xE2:
            return "HD-SDI DeEmbedder, HD-SDI (E2)";
        default:
            break;
        }
    } else {
        switch (code) {
        case 0x10:
            return "GPIO Module (10)";
        case 0x11:
            return "Analogue Output Module, 1-AES 2-ANA (11)";
        default:
            break;
        }
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", unsigned(code));
    return std::string("Unknown Module (") + hex + ")";
}

} // namespace qv
