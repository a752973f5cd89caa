#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qv {

// Software backups: packages that put the backed-up software back when they
// are installed. QV-Update's ("0004") restarts the instrument in BIOS mode
// and writes the whole flash image from address 0; QV-Matrix's ("0001")
// writes the program memory back and then says it was restored. Both items
// carry the mask of the instrument's type only, so a backup goes back onto
// an instrument of the same type.
//
// A backup needs a known type (1 to 32): with mask 0 it would go onto any
// instrument. The builders return nothing, with the reason in error, for
// another type.

// QV-Update's backup of a flash image; the file is never shorter than 2048
// bytes (the rest of the fill of '0' stays at its end).
std::optional<std::vector<uint8_t>> BuildUpdateBackup(std::span<const uint8_t> image, int type, int serial,
                                                      std::string& error);
// Builds it and writes it atomically over any file of that name.
bool WriteUpdateBackup(const std::string& path, std::span<const uint8_t> image, int type, int serial,
                       std::string& error);

// QV-Matrix's backup of the program memory read from address 0.
std::optional<std::vector<uint8_t>> BuildMatrixBackup(std::span<const uint8_t> program, int type,
                                                      const std::string& serialText, std::string& error);
// Builds it and writes it atomically under WithCdpExtension(name); returns
// the name written, nothing on failure.
std::optional<std::string> WriteMatrixBackup(const std::string& name, std::span<const uint8_t> program, int type,
                                             const std::string& serialText, std::string& error);

// ".CDP" appended to a file name unless its last four characters, in upper
// case, are ".CDP".
std::string WithCdpExtension(const std::string& name);

} // namespace qv
