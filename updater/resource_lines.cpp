#include "resource_lines.h"

#include "data/embedded_data.h"

namespace qv {

std::vector<std::string> SplitResourceLines(std::span<const uint8_t> text)
{
    std::vector<std::string> lines;
    std::string line;
    for (uint8_t byte : text) {
        line += char(byte);
        if (byte == '\n') {
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

std::vector<std::string> LoadResourceLines(std::string_view name)
{
    return SplitResourceLines(EmbeddedData(name));
}

} // namespace qv
