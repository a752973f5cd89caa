#pragma once

#include "cdp_writer.h"

#include <optional>
#include <string>
#include <string_view>

namespace qv {

// A package described as text, one statement a line:
//   version 0001                 the format version (0001 when left out)
//   description TEXT             the package's title
//   item KIND MASK ADDRESS PAYLOAD [size=N] TEXT
// Items are listed in table order. PAYLOAD is "-" (none), a number (the
// 16-bit value; one byte for kind 22) or "@FILE" (a data block, the file
// relative to the manifest's folder). size=N sets the header's size field of
// a kind without a data block (kind 21 carries its progress size there).
// Numbers are decimal, "$" + hex or "0x" + hex. In TEXT "\r" and "\n" are
// line breaks, "\\" a backslash and "\xHH" any byte. Blank lines and lines
// starting with "#" are ignored.

// Parses manifest text. Errors read "NAME:LINE: what".
std::optional<CdpDraft> ParseCdpManifest(std::string_view text, const std::string& folder, const std::string& name,
                                         std::string& error);

// Reads and parses a manifest file.
std::optional<CdpDraft> ReadCdpManifest(const std::string& path, std::string& error);

// The escapes of manifest texts both ways: what EscapeCdpText writes,
// UnescapeCdpText reads back. Nothing for a malformed escape.
std::string EscapeCdpText(std::string_view text);
std::optional<std::string> UnescapeCdpText(std::string_view text);

} // namespace qv
