#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::sim {

// Makes linkPath a symbolic link to target. An old symbolic link there is
// replaced; any other file is left alone and reported.
bool makeDeviceLink(const std::string& target, const std::string& linkPath, std::string& error);

// Removes linkPath if it is still our link to target.
void removeDeviceLink(const std::string& target, const std::string& linkPath);

// Writes through a temporary file in the same folder and a rename, so a
// failed write leaves an old file intact.
bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

} // namespace qv::sim
