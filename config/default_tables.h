#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

// The tables the 5.00 upgrade copies into the image. The programs take them
// from the embedded data; tests hand in their own.
struct DefaultTables {
    std::span<const uint8_t> colour; // 256 bytes at 0x0400
    std::span<const uint8_t> font;   // 2816 bytes at 0x3400
    std::span<const uint8_t> leqM;   // 256 bytes at 0x0C00
    std::span<const uint8_t> dmu1;   // 256 bytes at 0x1A00
    std::span<const uint8_t> dmu2;   // 256 bytes at 0x1B00
};

// The items "Colour", "Font", "LeqM", "DMU1" and "DMU2".
DefaultTables EmbeddedDefaultTables();

// Names of the tables that are missing or not of their size.
std::vector<std::string> UnusableDefaultTables(const DefaultTables& tables);

} // namespace qv
