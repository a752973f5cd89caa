#pragma once

#include "packages/cdp_format.h"
#include "packages/cdp_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qv::test {

inline CdpDraftItem Item(uint32_t mask, uint16_t kind, uint32_t address, std::string description,
                         std::vector<uint8_t> payload = {})
{
    CdpDraftItem item;
    item.mask = mask;
    item.kind = kind;
    item.address = address;
    item.description = std::move(description);
    item.payload = std::move(payload);
    return item;
}

// One item of each payload class: a data block for type 4, a word and a
// message for every type.
inline CdpDraft SampleDraft(const std::string& version = "0001")
{
    CdpDraft d;
    d.version = version;
    d.description = "Sample package";
    d.items = {
        Item(0x00000008, kCdpSoftwareBlock, 0x1000, "Writing software", {1, 2, 3, 4, 5}),
        Item(0, kCdpWriteWord, 0x1C010, "Setting a word", CdpValuePayload(kCdpWriteWord, 0x1234)),
        Item(0, kCdpInformation, 0, "Done.\rPress OK."),
    };
    return d;
}

inline std::vector<uint8_t> Build(const CdpDraft& draft)
{
    std::string error;
    auto bytes = BuildCdp(draft, error);
    EXPECT_TRUE(bytes) << error;
    return bytes.value_or(std::vector<uint8_t>{});
}

} // namespace qv::test
