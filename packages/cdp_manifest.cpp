#include "cdp_manifest.h"

#include "cdp_format.h"
#include "platform/host/file_io.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <limits>

namespace qv {

std::string EscapeCdpText(std::string_view text)
{
    std::string out;
    for (char c : text) {
        const auto byte = uint8_t(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (byte < 0x20 || byte == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", unsigned(byte));
            out += hex;
        } else
            out += c;
    }
    return out;
}

std::optional<std::string> UnescapeCdpText(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return std::nullopt;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 'x': {
            unsigned value = 0;
            const char* first = text.data() + i + 1;
            if (text.size() - i - 1 < 2 || std::from_chars(first, first + 2, value, 16).ptr != first + 2)
                return std::nullopt;
            out += char(value);
            i += 2;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return out;
}

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Splits off the next blank-separated word; rest keeps what follows it.
std::string_view NextWord(std::string_view& rest)
{
    size_t start = 0;
    while (start < rest.size() && IsBlank(rest[start]))
        ++start;
    size_t end = start;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    std::string_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
}

std::string_view TrimLeft(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t maximum)
{
    int base = 10;
    if (text.starts_with("$")) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || value > maximum)
        return std::nullopt;
    return value;
}

class ManifestParser {
public:
    ManifestParser(const std::string& folder, const std::string& name) : folder_(folder), name_(name) {}

    std::optional<CdpDraft> parse(std::string_view text, std::string& error)
    {
        size_t lineNumber = 0;
        while (!text.empty()) {
            const size_t nl = text.find('\n');
            std::string_view line = text.substr(0, nl);
            text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
            ++lineNumber;
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            if (!statement(line)) {
                error = name_ + ":" + std::to_string(lineNumber) + ": " + problem_;
                return std::nullopt;
            }
        }
        return draft_;
    }

private:
    bool fail(std::string what)
    {
        problem_ = std::move(what);
        return false;
    }

    bool statement(std::string_view line)
    {
        line = TrimLeft(line);
        if (line.empty() || line.front() == '#')
            return true;
        const std::string_view keyword = NextWord(line);
        if (keyword == "version")
            return version(line);
        if (keyword == "description")
            return text(TrimLeft(line), draft_.description);
        if (keyword == "item")
            return item(line);
        return fail("unknown statement '" + std::string(keyword) + "'");
    }

    bool version(std::string_view rest)
    {
        const std::string_view v = NextWord(rest);
        if (v.empty() || v.size() > kCdpCodeCapacity || !TrimLeft(rest).empty())
            return fail("the format version is a word of 1 to 4 characters");
        draft_.version = std::string(v);
        return true;
    }

    bool text(std::string_view raw, std::string& into)
    {
        auto decoded = UnescapeCdpText(raw);
        if (!decoded)
            return fail("bad escape in text (use \\r, \\n, \\\\ or \\xHH)");
        if (decoded->size() > kCdpDescriptionCapacity)
            return fail("the text is longer than 255 characters");
        into = std::move(*decoded);
        return true;
    }

    bool item(std::string_view rest)
    {
        CdpDraftItem item;
        auto kind = ParseNumber(NextWord(rest), std::numeric_limits<uint16_t>::max());
        if (!kind)
            return fail("the kind is a number from 0 to 65535");
        item.kind = uint16_t(*kind);
        auto mask = ParseNumber(NextWord(rest), std::numeric_limits<uint32_t>::max());
        if (!mask)
            return fail("the type mask is a 32-bit number");
        item.mask = *mask;
        auto address = ParseNumber(NextWord(rest), std::numeric_limits<uint32_t>::max());
        if (!address)
            return fail("the address is a 32-bit number");
        item.address = *address;
        if (!payload(NextWord(rest), item))
            return false;
        std::string_view after = rest;
        if (std::string_view word = NextWord(after); word.starts_with("size=")) {
            auto size = ParseNumber(word.substr(5), std::numeric_limits<uint32_t>::max());
            if (!size)
                return fail("size= takes a 32-bit number");
            item.size = *size;
            rest = after;
        }
        if (!text(TrimLeft(rest), item.description))
            return false;
        draft_.items.push_back(std::move(item));
        return true;
    }

    bool payload(std::string_view word, CdpDraftItem& item)
    {
        const std::string kind = "kind " + std::to_string(item.kind);
        switch (CdpPayloadOf(item.kind)) {
        case CdpPayload::Block: {
            if (!word.starts_with("@") || word.size() == 1)
                return fail(kind + " needs its data as @FILE");
            std::filesystem::path file(word.substr(1));
            if (file.is_relative())
                file = std::filesystem::path(folder_) / file;
            std::string error;
            if (!ReadWholeFile(file.string(), item.payload, error))
                return fail(file.string() + ": " + error);
            if (item.payload.size() > std::numeric_limits<uint32_t>::max())
                return fail(file.string() + " is too large for an item");
            return true;
        }
        case CdpPayload::Word:
        case CdpPayload::Byte: {
            const bool byte = CdpPayloadOf(item.kind) == CdpPayload::Byte;
            auto value = ParseNumber(word, byte ? 0xFF : 0xFFFF);
            if (!value)
                return fail(kind + (byte ? " needs a value from 0 to 255" : " needs a value from 0 to 65535"));
            item.payload = CdpValuePayload(item.kind, uint16_t(*value));
            return true;
        }
        case CdpPayload::None:
            break;
        }
        if (word != "-")
            return fail(kind + " carries no data: write -");
        return true;
    }

    std::string folder_;
    std::string name_;
    std::string problem_;
    CdpDraft draft_;
};

} // namespace

std::optional<CdpDraft> ParseCdpManifest(std::string_view text, const std::string& folder, const std::string& name,
                                         std::string& error)
{
    return ManifestParser(folder, name).parse(text, error);
}

std::optional<CdpDraft> ReadCdpManifest(const std::string& path, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, error)) {
        error = path + ": " + error;
        return std::nullopt;
    }
    const std::string text(bytes.begin(), bytes.end());
    return ParseCdpManifest(text, std::filesystem::path(path).parent_path().string(), path, error);
}

} // namespace qv
