#include "lcd_geometry.h"

namespace qv {

namespace {

constexpr uint32_t kBlockBytes = 128;
constexpr uint32_t kSingleScreenBase = 0x40000;
constexpr uint32_t kSingleScreenStride = 1536;
constexpr uint32_t kThreeScreenStride = 2160;
constexpr uint32_t kThreeScreenBases[kScreenCount] = {0x40168, 0x6A468, 0x948D0};

int CeilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

} // namespace

ScreenSource ScreenSourceFor(int type, int screen)
{
    if (type != kThreeScreenType || screen < 1 || screen > kScreenCount)
        return {kSingleScreenBase, kSingleScreenStride};
    const uint32_t base = kThreeScreenBases[screen - 1];
    return {base, base == kSingleScreenBase ? kSingleScreenStride : kThreeScreenStride};
}

bool OnScreen(const LcdRect& rect)
{
    return !rect.empty() && rect.left >= 0 && rect.top >= 0 && rect.right <= kLcdWidth && rect.bottom <= kLcdHeight;
}

std::optional<UploadPlan> PlanUpload(const LcdRect& rect, uint32_t stride)
{
    if (!OnScreen(rect) || stride == 0)
        return std::nullopt;
    UploadPlan plan;
    plan.firstGroup = CeilDiv(rect.left, kLcdGroupWidth) - 1;
    if (plan.firstGroup < 0)
        plan.firstGroup = 0;
    plan.columns = CeilDiv(rect.width(), kLcdGroupWidth);
    plan.blocksPerColumn = CeilDiv(kLcdRowBytes * rect.height(), int(kBlockBytes));
    plan.startOffset = uint32_t(plan.firstGroup) * stride + uint32_t(kLcdRowBytes * rect.top);
    for (int g = 0; g <= plan.columns; ++g) {
        const ColumnRead read{plan.startOffset + uint32_t(g) * stride, plan.blocksPerColumn};
        // A stride too wide for the buffer would write past its end.
        if (read.offset + uint32_t(read.blocks) * kBlockBytes > kVideoBufferSize)
            return std::nullopt;
        plan.reads.push_back(read);
    }
    return plan;
}

} // namespace qv
