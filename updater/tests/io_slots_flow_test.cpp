// The expansion slots behind the SPI UART against the simulated module.
#include "io_fixture.h"

#include <gtest/gtest.h>

namespace {

using qv::sim::IoModuleOptions;

IoModuleOptions WithModules()
{
    IoModuleOptions o;
    o.slotModules[0] = {0xB0, 0x12, 0x21, 58, true};
    o.slotModules[2] = {0xC1, 0x13, 0x22, 60, true};
    o.slotModules[3] = {0xDD, 0x14, 0x23, 61, false}; // refuses the route
    o.slotModules[6] = {0xAD, 0x15, 0x24, 62, true};
    return o;
}

TEST(IoSlots, FourScansFillSlotInfo)
{
    IoBench b(WithModules());
    ASSERT_EQ(b.io.DetectIoInterface(false), qv::IOSTAT_OK);
    b.io.ScanSlots(qv::SlotQuery::ModuleId);
    b.io.ScanSlots(qv::SlotQuery::SoftwareVersion);
    b.io.ScanSlots(qv::SlotQuery::Temperature);
    b.io.ScanSlots(qv::SlotQuery::FirmwareVersion);

    struct Expected {
        uint8_t id, software, firmware, temperature;
    } expected[] = {
        {0xB0, 0x12, 0x21, 58}, {0, 0, 0, 0}, {0xC1, 0x13, 0x22, 60}, {255, 255, 255, 255},
        {0, 0, 0, 0},           {0, 0, 0, 0}, {0xAD, 0x15, 0x24, 62},
    };
    for (size_t i = 0; i < 7; ++i) {
        const qv::SlotInfo& s = b.io.slotInfo[i];
        EXPECT_EQ(s.moduleId, expected[i].id) << "slot " << i + 1;
        EXPECT_EQ(s.softwareVersion, expected[i].software) << "slot " << i + 1;
        EXPECT_EQ(s.firmwareVersion, expected[i].firmware) << "slot " << i + 1;
        EXPECT_EQ(s.temperature, expected[i].temperature) << "slot " << i + 1;
    }
    // Back to the mainboard DSP and the slow module link.
    EXPECT_EQ(b.module().spiDestination(), 8);
    EXPECT_FALSE(b.module().moduleLinkHigh());
}

TEST(IoSlots, ReadModuleIdsGoesOnAfterARefusedSlot)
{
    IoBench b(WithModules());
    const auto ids = b.io.ReadModuleIds();
    EXPECT_EQ(ids, (std::array<uint8_t, 7>{0xB0, 0, 0xC1, 255, 0, 0, 0xAD}));
    EXPECT_EQ(qv::at::ModuleName(ids[0]), "8 Channel Analogue Input Module, 8-ANA");
    EXPECT_EQ(qv::at::ModuleName(ids[3]), "Unknown Module");
}

TEST(IoSlots, ClosedPortEndsTheScanQuietly)
{
    IoBench b(WithModules());
    b.sim.port.close();
    const int64_t start = b.sim.clock.nowMs();
    const auto ids = b.io.ReadModuleIds();
    EXPECT_EQ(ids, (std::array<uint8_t, 7>{255, 255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(b.elapsedMs(start), 0);
}

} // namespace
