#include "default_tables.h"

#include "data/embedded_data.h"
#include "image_layout.h"

namespace qv {

DefaultTables EmbeddedDefaultTables()
{
    return {EmbeddedData("Colour"), EmbeddedData("Font"), EmbeddedData("LeqM"), EmbeddedData("DMU1"),
            EmbeddedData("DMU2")};
}

std::vector<std::string> UnusableDefaultTables(const DefaultTables& tables)
{
    const struct {
        const char* name;
        std::span<const uint8_t> bytes;
        size_t size;
    } expected[] = {
        {"Colour", tables.colour, kColourTableSize}, {"Font", tables.font, kFontSize},
        {"LeqM", tables.leqM, kScaleSlotSize},       {"DMU1", tables.dmu1, kScaleSlotSize},
        {"DMU2", tables.dmu2, kScaleSlotSize},
    };
    std::vector<std::string> unusable;
    for (const auto& table : expected)
        if (table.bytes.size() != table.size)
            unusable.emplace_back(table.name);
    return unusable;
}

} // namespace qv
