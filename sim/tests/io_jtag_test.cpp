// JTAG through the I/O module: the XSVF player against the chain, and the
// "@ATJTAG" blocks as the host frames them.
#include "sim/fpga_image.h"
#include "sim/io_module.h"
#include "sim/jtag_chain.h"
#include "sim/virtual_instrument.h"
#include "sim/xsvf_player.h"
#include "sim_test_support.h"
#include "updater/xsvf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv::sim {
namespace {

using namespace qv::xsvf;
using test::Bitstream;
using test::Bytes;
using test::ModuleDriver;

constexpr uint32_t kIdcodeScan = 33; // the FPGA's IDCODE and the companion's bypass bit

Instruction Select(uint16_t fpgaInstruction)
{
    return Sir(30, VectorOf(uint32_t(0xFFFF) << 14 | fpgaInstruction, 30));
}

// Reset, select IDCODE, compare bits 0-27 against expected.
std::vector<Instruction> IdentityCheck(uint32_t expected, uint8_t repeat = 0)
{
    return {Repeat(repeat), State(TapState::TestLogicReset), State(TapState::RunTestIdle), Select(JtagChain::kIdcode),
            SdrSize(kIdcodeScan), TdoMask(VectorOf(0x0FFFFFFF, kIdcodeScan)),
            SdrTdo(VectorOf(0, kIdcodeScan), VectorOf(expected, kIdcodeScan)), Complete()};
}

Bytes Stream(std::vector<Instruction> program)
{
    return Encode(program);
}

Bytes Appended(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Played {
    bool finished = false;
    uint8_t status = 0xFF;
};

Played Play(JtagChain& chain, const Bytes& stream, size_t maxVectorBytes = 8192)
{
    XsvfPlayer player(chain, maxVectorBytes);
    player.feed(stream);
    return {player.finished(), player.status()};
}

// Bits in the order the FPGA takes them, packed as the chain keeps them.
Bytes Packed(const std::vector<bool>& bits)
{
    Bytes bytes((bits.size() + 7) / 8, 0);
    for (size_t i = 0; i < bits.size(); ++i)
        if (bits[i])
            bytes[i / 8] = uint8_t(bytes[i / 8] | 0x80 >> (i % 8));
    return bytes;
}

TEST(XsvfPlayer, StatusOfEachKindOfStream)
{
    const Bytes selectConfig = Stream({State(TapState::TestLogicReset), Select(JtagChain::kConfigIn)});
    const struct {
        const char* what;
        uint32_t idcode;
        Bytes stream;
        size_t maxVectorBytes;
        bool finished;
        uint8_t status;
    } cases[] = {
        {"identity matches", kVp20Idcode, Stream(IdentityCheck(kVp20Idcode)), 8192, true, XsvfPlayer::kSuccess},
        {"revision bits are not compared", 0xF1266093, Stream(IdentityCheck(kVp20Idcode)), 8192, true,
         XsvfPlayer::kSuccess},
        {"identity differs", kVp30Idcode, Stream(IdentityCheck(kVp20Idcode)), 8192, true, XsvfPlayer::kTdoMismatch},
        {"retries do not capture again", kVp30Idcode, Stream(IdentityCheck(kVp20Idcode, 5)), 8192, true,
         XsvfPlayer::kTdoMismatch},
        {"reserved opcode", kVp20Idcode, {0x07, 0x00, 0x05}, 8192, true, XsvfPlayer::kIllegalCommand},
        {"padding where XCOMPLETE belongs", kVp20Idcode, {0x07, 0x00, 0xFF, 0xFF}, 8192, true,
         XsvfPlayer::kIllegalCommand},
        {"no such TAP state", kVp20Idcode, {0x12, 0x10}, 8192, true, XsvfPlayer::kIllegalCommand},
        {"no such end state", kVp20Idcode, {0x14, 0x02}, 8192, true, XsvfPlayer::kIllegalCommand},
        {"data register longer than the player holds", kVp20Idcode, Stream({SdrSize(8 * 16 + 1)}), 16, true,
         XsvfPlayer::kDataOverflow},
        {"instruction longer than the player holds", kVp20Idcode, Stream({Sir(200, Vector(25, 0xFF))}), 16, true,
         XsvfPlayer::kDataOverflow},
        {"comment that never ends", kVp20Idcode, Appended({0x16}, Bytes(300, 'x')), 1, true,
         XsvfPlayer::kDataOverflow},
        {"the rest has not come yet", kVp20Idcode, Appended(selectConfig, {0x08, 0x00, 0x00}), 8192, false,
         XsvfPlayer::kSuccess},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        JtagChain chain(c.idcode);
        const Played p = Play(chain, c.stream, c.maxVectorBytes);
        EXPECT_EQ(p.finished, c.finished);
        EXPECT_EQ(p.status, c.status);
    }
}

TEST(XsvfPlayer, ConfiguresTheFpgaWhetherTheStreamComesWholeOrByteByByte)
{
    Bytes bitstream(3000);
    for (size_t i = 0; i < bitstream.size(); ++i)
        bitstream[i] = uint8_t(i * 31 + i / 7);
    const Bytes stream = Encode(fpgaConfigurationProgram(kVp20Idcode, bitstream, 256));

    JtagChain whole(kVp20Idcode);
    EXPECT_EQ(Play(whole, stream).status, XsvfPlayer::kSuccess);
    EXPECT_EQ(whole.configuration(), bitstream);
    EXPECT_EQ(whole.configurationBits(), 8 * bitstream.size());
    EXPECT_TRUE(whole.started());
    EXPECT_EQ(whole.state(), TapState::RunTestIdle);
    EXPECT_EQ(whole.instruction(), JtagChain::kBypass);

    JtagChain pieces(kVp20Idcode);
    XsvfPlayer player(pieces, 8192);
    for (size_t i = 0; i + 1 < stream.size(); ++i)
        ASSERT_FALSE(player.feed({&stream[i], 1})) << "finished early at byte " << i;
    EXPECT_TRUE(player.feed({&stream.back(), 1}));
    EXPECT_EQ(player.status(), XsvfPlayer::kSuccess);
    EXPECT_EQ(pieces.configuration(), bitstream);

    JtagChain other(kVp30Idcode);
    EXPECT_EQ(Play(other, stream).status, XsvfPlayer::kTdoMismatch);
    EXPECT_TRUE(other.configuration().empty()) << "nothing is loaded into the wrong device";
    EXPECT_FALSE(other.started());

    // A second configuration replaces the first.
    const Bytes second{0xC3, 0x3C};
    EXPECT_EQ(Play(whole, Encode(fpgaConfigurationProgram(kVp20Idcode, second, 256))).status, XsvfPlayer::kSuccess);
    EXPECT_EQ(whole.configuration(), second);
}

// XSDRB, XSDRC and XSDRE make one long scan: the FPGA takes every bit but the
// last, which stays in the companion's bypass register.
TEST(XsvfPlayer, SplitScansAndTheirTdoChecks)
{
    const Vector a{0x12}, b{0x34}, c{0x56};
    JtagChain chain(kVp20Idcode);
    const Bytes stream = Stream({State(TapState::TestLogicReset), State(TapState::RunTestIdle),
                                 Select(JtagChain::kConfigIn), SdrSize(8), {XSDRB, 0, 0, 0, {a}, {}},
                                 {XSDRC, 0, 0, 0, {b}, {}}, {XSDRE, 0, 0, 0, {c}, {}}, Complete()});
    EXPECT_EQ(Play(chain, stream).status, XsvfPlayer::kSuccess);
    std::vector<bool> bits;
    for (const Vector* v : {&a, &b, &c})
        for (size_t i = 0; i < 8; ++i)
            bits.push_back(VectorBit(*v, i));
    bits.pop_back();
    EXPECT_EQ(chain.configurationBits(), 23u);
    EXPECT_EQ(chain.configuration(), Packed(bits));

    // The IDCODE read in two pieces, checked piece by piece.
    const auto readIdcode = [](uint32_t highExpected) {
        return Stream({State(TapState::TestLogicReset), State(TapState::RunTestIdle), SdrSize(16),
                       TdoMask(VectorOf(0xFFFF, 16)),
                       {XSDRTDOB, 0, 0, 0, {VectorOf(0, 16), VectorOf(kVp20Idcode & 0xFFFF, 16)}, {}},
                       {XSDRTDOE, 0, 0, 0, {VectorOf(0, 16), VectorOf(highExpected, 16)}, {}}, Complete()});
    };
    JtagChain reader(kVp20Idcode);
    EXPECT_EQ(Play(reader, readIdcode(kVp20Idcode >> 16)).status, XsvfPlayer::kSuccess);
    EXPECT_EQ(Play(reader, readIdcode(0x0127)).status, XsvfPlayer::kTdoMismatch);
}

TEST(XsvfPlayer, IncrementingScans)
{
    // Nine-bit scans: address bits 4-7, data bits 0-3, bit 8 for the companion.
    JtagChain chain(kVp20Idcode);
    const Bytes stream = Stream({State(TapState::TestLogicReset), State(TapState::RunTestIdle),
                                 Select(JtagChain::kConfigIn), SdrSize(9),
                                 {XSETSDRMASKS, 0, 0, 0, {VectorOf(0x0F0, 9), VectorOf(0x00F, 9)}, {}},
                                 {XSDRINC, 2, 0, 0, {VectorOf(0, 9), {0x05}, {0x0A}}, {}}, Complete()});
    EXPECT_EQ(Play(chain, stream).status, XsvfPlayer::kSuccess);
    // Scans 0x000, 0x015 and 0x02A, each taken low bit first.
    EXPECT_EQ(chain.configuration(), (Bytes{0x00, 0xA8, 0x54}));
}

// The host's framing: a Checksum55 byte and 1023 bytes, the last block
// filled up with 0xFF.
std::vector<Bytes> Blocks(const Bytes& image)
{
    std::vector<Bytes> blocks;
    for (size_t at = 0; at < image.size() || blocks.empty(); at += 1023) {
        Bytes payload(1023, 0xFF);
        std::copy(image.begin() + std::ptrdiff_t(at),
                  image.begin() + std::ptrdiff_t(std::min(image.size(), at + 1023)), payload.begin());
        unsigned sum = 0;
        for (uint8_t x : payload)
            sum += x;
        Bytes block{uint8_t((sum & 0xFF) ^ 0x55)};
        block.insert(block.end(), payload.begin(), payload.end());
        blocks.push_back(block);
    }
    return blocks;
}

TEST(IoJtag, PlaysTheStreamBlockByBlock)
{
    const Bytes bitstream = Bitstream(2500);
    const auto blocks = Blocks(Encode(fpgaConfigurationProgram(kVp20Idcode, bitstream, 512)));
    ASSERT_GE(blocks.size(), 3u);

    IoModuleOptions o;
    o.jtagDamagedBlock = 2;
    ModuleDriver d(o);
    d.send("@AT+++\r");
    EXPECT_EQ(d.send("@ATJTAG\r"), "2");
    EXPECT_EQ(d.send(blocks[0]), Bytes{'2'});
    EXPECT_EQ(d.send(blocks[1]), Bytes{0xF0}) << "the damaged block is asked for again";
    for (size_t i = 1; i + 1 < blocks.size(); ++i)
        EXPECT_EQ(d.send(blocks[i]), Bytes{'2'});
    Bytes wrong = blocks.back();
    wrong[0] ^= 0x01;
    EXPECT_EQ(d.send(wrong), Bytes{0xF0}) << "a wrong checksum";
    EXPECT_EQ(d.send(blocks.back()), Bytes{0x00}) << "the player's status ends the transfer";
    EXPECT_FALSE(d.module.playingJtag());
    EXPECT_EQ(d.module.jtagChain().configuration(), bitstream);
    EXPECT_TRUE(d.module.jtagChain().started());
    EXPECT_EQ(d.send("@ATVER\r"), "I/O-Interface RUN 2.10\r\n") << "back in command mode";
}

TEST(IoJtag, RefusalsMismatchAndAHostThatGivesUp)
{
    IoModuleOptions notLoader;
    notLoader.runId = 1;
    ModuleDriver a(notLoader);
    a.send("@AT+++\r");
    EXPECT_EQ(a.send("@ATJTAG\r"), "\xF1") << "241: the RUN code is not the FPGA loader";

    IoModuleOptions bootMode;
    bootMode.systemMode = 1;
    ModuleDriver b(bootMode);
    b.send("@AT+++\r");
    EXPECT_EQ(b.send("@ATJTAG\r"), "\xF2") << "242: not in RUN mode";

    IoModuleOptions vp30;
    vp30.fpgaIdcode = kVp30Idcode;
    ModuleDriver c(vp30);
    c.send("@AT+++\r");
    c.send("@ATJTAG\r");
    EXPECT_EQ(c.send(Blocks(Stream(IdentityCheck(kVp20Idcode)))[0]), Bytes{0x02}) << "TDO mismatch";

    // A host that cancels between blocks: its next command is taken as
    // block data, but the one after its reply wait is heard.
    ModuleDriver d;
    d.send("@AT+++\r");
    d.send("@ATJTAG\r");
    EXPECT_EQ(d.send(Blocks(Encode(fpgaConfigurationProgram(kVp20Idcode, Bitstream(2500), 512)))[0]), Bytes{'2'});
    EXPECT_EQ(d.send("@AT+++\r"), "");
    d.pauseMs(1500);
    EXPECT_EQ(d.send("@ATLS\r"), "OK\r\n");
    EXPECT_FALSE(d.module.playingJtag());
}

// The identity check at the fast link speed, through the paced wire on
// virtual time.
TEST(IoJtag, IdentityCheckOverTheFastLink)
{
    InstrumentOptions options;
    options.ioModule.present = true;
    VirtualInstrument v(options);
    v.port.open("SIM");
    v.port.write("@AT+++\r@ATHS\r");
    v.clock.sleepMs(10);
    EXPECT_EQ(v.port.readText(100), "OK\r\nOK\r\n");

    v.port.write("@ATJTAG\r");
    v.clock.sleepMs(1);
    EXPECT_EQ(v.port.readText(100), "2");
    const int64_t before = v.clock.nowUs();
    const Bytes block = Blocks(Stream(IdentityCheck(kVp20Idcode)))[0];
    v.port.write(block.data(), block.size());
    EXPECT_NEAR(double(v.clock.nowUs() - before), 1024 * 10 * 1e6 / 115200, 100) << "the block's line time";
    v.clock.sleepMs(1);
    EXPECT_EQ(v.port.readText(100), std::string(1, '\0')) << "success";
}

} // namespace
} // namespace qv::sim
