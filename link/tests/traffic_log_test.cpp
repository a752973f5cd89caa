#include "link/traffic_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using LogDirection = qv::TrafficLog::Direction;

struct TempLog {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("qv-log-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    ~TempLog() { std::filesystem::remove(path); }
    std::string text() const
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

} // namespace

TEST(TrafficLog, WakeUpExchangeAfterNamedEntry)
{
    TempLog file;
    qv::TrafficLog log;
    log.start(file.path.string());
    log.named("SendBreak");
    log.byte(LogDirection::Tx, 0xA6);
    log.byte(LogDirection::Tx, 0x6D);
    log.byte(LogDirection::Rx, 0x05);
    EXPECT_EQ(file.text(), "DU-Ririd RS232 log file\r\n"
                           "\r\nSendBreak\r\n"
                           "\r\nTx: A6,6D"
                           "\r\nRx: 05");
}

TEST(TrafficLog, SixteenBytesPerLine)
{
    TempLog file;
    qv::TrafficLog log;
    log.start(file.path.string());
    for (int i = 0; i < 17; ++i)
        log.byte(LogDirection::Rx, uint8_t(i));
    EXPECT_EQ(file.text(), "DU-Ririd RS232 log file\r\n"
                           "\r\nRx: 00,01,02,03,04,05,06,07,08,09,0A,0B,0C,0D,0E,0F"
                           "\r\nRx: 10");
}

TEST(TrafficLog, NamedEntryKeepsDirectionAndCount)
{
    TempLog file;
    qv::TrafficLog log;
    log.start(file.path.string());
    log.byte(LogDirection::Tx, 0x11);
    log.named("ReadBDMA");
    log.byte(LogDirection::Tx, 0x80);
    EXPECT_EQ(file.text(), "DU-Ririd RS232 log file\r\n\r\nTx: 11\r\nReadBDMA\r\n,80");
}

TEST(TrafficLog, OffWithoutPathAndSilentWhenFileVanished)
{
    TempLog file;
    qv::TrafficLog off;
    off.start("");
    off.byte(LogDirection::Tx, 1);
    off.named("SendBreak");
    EXPECT_FALSE(off.enabled());
    EXPECT_FALSE(std::filesystem::exists(file.path));

    qv::TrafficLog log;
    log.start(file.path.string());
    std::filesystem::remove(file.path);
    log.byte(LogDirection::Tx, 1);
    EXPECT_FALSE(std::filesystem::exists(file.path)) << "entries go only to an existing log";
}

TEST(TrafficLog, StartReplacesAnOldLog)
{
    TempLog file;
    {
        std::ofstream old(file.path);
        old << "old content";
    }
    qv::TrafficLog log;
    log.start(file.path.string());
    EXPECT_EQ(file.text(), "DU-Ririd RS232 log file\r\n");
}
