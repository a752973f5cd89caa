#pragma once

#include "link/matrix_transfer.h"
#include "main_view.h"

#include <string>

namespace qv {

class ConfigImage;

// The reads of a remote control connection: the label and routing area, the
// label block and options block of every preset and the preset names come
// straight from the instrument's memory into the image, at the same offsets;
// everything else keeps what it held. Each step shows "Connecting to " +
// the type name + its own text in the transfer window. False when the user
// cancelled a read: the image then holds the steps read before it.
bool ReadRemoteConfiguration(MatrixTransfer& transfer, ConfigImage& image, MainView& view,
                             const std::string& typeName);

} // namespace qv
