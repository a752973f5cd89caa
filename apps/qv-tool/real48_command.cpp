// qv-tool real48: the 6-byte reals of scale library files.
#include "commands.h"
#include "file_commands.h"

#include "scale/real48.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

namespace qvtool {

namespace {

constexpr int kPrintedDigits = 12;

int Encode(const std::string& text)
{
    // from_chars: the same digits whatever locale the program runs in.
    const std::string_view digits = text.size() > 1 && text[0] == '+' ? std::string_view(text).substr(1) : text;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec == std::errc::result_out_of_range)
        return FileFail(text + " is outside the Real48 range");
    if (ec != std::errc() || end != digits.data() + digits.size())
        return FileFail(text + " is not a number");
    const auto bytes = qv::EncodeReal48(value);
    if (!bytes)
        return FileFail(text + " is outside the Real48 range");
    for (uint8_t b : *bytes)
        std::printf("%02X", b);
    std::printf("\n");
    return kExitOk;
}

int Decode(const std::string& text)
{
    qv::Real48 bytes{};
    if (text.size() != 2 * bytes.size())
        return FileFail(text + " is not 12 hexadecimal digits");
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char* first = text.data() + 2 * i;
        const auto [end, ec] = std::from_chars(first, first + 2, bytes[i], 16);
        if (ec != std::errc() || end != first + 2)
            return FileFail(text + " is not 12 hexadecimal digits");
    }
    char out[64];
    const auto end = std::to_chars(out, out + sizeof out, qv::DecodeReal48(bytes), std::chars_format::general,
                                   kPrintedDigits).ptr;
    std::printf("%.*s\n", int(end - out), out);
    return kExitOk;
}

int RunReal48(const std::vector<std::string>& words)
{
    if (words.size() == 3 && words[1] == "encode")
        return Encode(words[2]);
    if (words.size() == 3 && words[1] == "decode")
        return Decode(words[2]);
    return FileUsage("real48 needs encode VALUE or decode HEX12");
}

const FileCommandRegistration kReal48Registration{
    "real48",
    "real48 encode VALUE              VALUE as a Real48: 12 uppercase hex digits, byte 0 first\n"
    "real48 decode HEX12              the value of a Real48 (12 hex digits, byte 0 first)",
    RunReal48};

} // namespace

} // namespace qvtool
