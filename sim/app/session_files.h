#pragma once

#include <string>

namespace qv::sim {

// Makes linkPath a symbolic link to target. An old symbolic link there is
// replaced; any other file is left alone and reported.
bool makeDeviceLink(const std::string& target, const std::string& linkPath, std::string& error);

// Removes linkPath if it is still our link to target.
void removeDeviceLink(const std::string& target, const std::string& linkPath);

} // namespace qv::sim
