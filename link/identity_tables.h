#pragma once

#include "program.h"

#include <span>
#include <string>
#include <string_view>

namespace qv {

// Type codes with a fixed meaning in both programs.
inline constexpr int kTypeUnknown = 0;
inline constexpr int kTypeNotConnected = 12;
inline constexpr int kTypeBiosMode = 13;

// Number of type codes each program names (QV-Matrix 0-14, QV-Update 0-24).
int TypeCount(Program program);

// The name a program shows for a type code. A code outside the program's
// table gets that program's "Unknown" name.
std::string TypeName(Program program, int code);

// The plain serial-number rule, in the given program's column. Serials
// outside 0..65535 are unknown (0).
int TypeFromSerial(Program program, int serial);

// QV-Update's rule: the serial rule refined by the I/O interface's board
// code ("" without one) and the /VP30 switch.
int TypeFromSerial(int serial, std::string_view boardCode, bool vp30Switch);

// 128-byte program-memory blocks QV-Matrix backs up: "2048" or "1024".
std::string ProgramBlocks(int code);

// QV-Update's default number of 128-byte flash sectors to read; a code
// outside the table counts as unknown.
int FlashSectors(int code);

// True for the types QV-Matrix identifies but will not upload to or
// download from.
bool MatrixTransfersRefused(int code);

// The information QV-Matrix shows for such a type (name from its table).
std::string UnsupportedTypeText(int code);

// One entry of the list the user picks from when the instrument is in
// BIOS mode and cannot tell its type.
struct BiosTypeEntry {
    std::string_view name;
    int code;
};

// QV-Matrix offers the first 17 entries, QV-Update all 22.
std::span<const BiosTypeEntry> BiosTypeList(Program program);

enum class SlotKind { Input, Output };

// Text for the module code reported by an input or output slot.
std::string ModuleText(int code, SlotKind slot, Program program);

} // namespace qv
