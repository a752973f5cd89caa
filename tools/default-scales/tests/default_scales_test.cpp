#include "default_scales.h"

#include "data/embedded_data.h"
#include "scale/preview_geometry.h"
#include "scale/scale_stream.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

qv::ScaleTable TableOf(const std::array<uint8_t, qv::kScaleTableBytes>& bytes)
{
    qv::ScaleTable t{};
    for (size_t i = 0; i < t.size(); ++i)
        t[i] = uint16_t(bytes[2 * i] << 8 | bytes[2 * i + 1]);
    return t;
}

TEST(DefaultScales, CommittedItemsAreWhatTheRecordsMake)
{
    for (auto& scale : qvtools::DefaultScales()) {
        SCOPED_TRACE(scale.item);
        std::array<uint8_t, qv::kScaleTableBytes> bytes{};
        std::string error;
        ASSERT_TRUE(qvtools::DefaultScaleBytes(scale, bytes, error)) << error;
        const auto item = qv::EmbeddedData(scale.item);
        EXPECT_EQ(std::vector<uint8_t>(item.begin(), item.end()), std::vector<uint8_t>(bytes.begin(), bytes.end()))
            << "regenerate with make-default-scales data/items";
    }
}

TEST(DefaultScales, CommittedLibraryHoldsTheRecords)
{
    const auto item = qv::EmbeddedData("DefaultScales");
    EXPECT_EQ(std::vector<uint8_t>(item.begin(), item.end()), qv::ScaleLibraryBytes(qvtools::DefaultScaleLibrary()))
        << "regenerate with make-default-scales data/items";
}

TEST(DefaultScales, EveryLineLandsOnThePreview)
{
    for (auto& scale : qvtools::DefaultScales()) {
        SCOPED_TRACE(scale.item);
        std::array<uint8_t, qv::kScaleTableBytes> bytes{};
        std::string error;
        ASSERT_TRUE(qvtools::DefaultScaleBytes(scale, bytes, error)) << error;
        const auto table = TableOf(bytes);
        const auto stream = qv::ReadScaleStream(table);
        ASSERT_TRUE(stream.complete);
        EXPECT_FALSE(stream.labels.empty());
        for (const auto& group : stream.groups)
            for (uint16_t a : group.amplitudes) {
                EXPECT_GE(qv::PreviewY(table, a), qv::kPreviewTop) << a;
                EXPECT_LE(qv::PreviewY(table, a), qv::kPreviewBottom) << a;
            }
    }
}

} // namespace
