#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// The software version text follows a marker in the 2048 bytes from 0x18000.
// Marker and text are stored pair-reversed, as the instrument keeps text.
inline constexpr char kVersionMarker[] = "OSTFAWERV RE";
inline constexpr size_t kVersionMarkerLength = 12;
inline constexpr size_t kVersionTextPairs = 6;

// The characters '0'-'9', '.' and ',' of the 12 characters after the marker,
// or nothing when the marker is not there.
std::optional<std::string> FindVersionText(const uint8_t* data, size_t n);

// The text as a decimal number; a comma counts as the decimal point only
// where allowed.
std::optional<double> ParseVersionNumber(const std::string& text, bool commaIsDecimal);

// QV-Update: 256 when nothing was read or found, 1 when the text is not a number.
inline constexpr double kUpdateVersionNotFound = 256;
double UpdateSoftwareVersion(const std::optional<std::vector<uint8_t>>& area);

// QV-Matrix: 0 when nothing was read or found, 1 when the text is not a
// number or the read was cancelled.
double MatrixSoftwareVersion(const std::optional<std::vector<uint8_t>>& area, bool cancelled);

} // namespace qv
