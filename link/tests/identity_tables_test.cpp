#include "link/identity_tables.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(TypeFromSerial, RangeBoundariesInBothPrograms)
{
    struct Case {
        int serial;
        int matrix;
        int update;
    };
    const Case cases[] = {
        {-1, 0, 0},      {0, 0, 0},       {1999, 0, 0},    {2000, 4, 4},    {5999, 4, 4},
        {6000, 1, 1},    {6099, 1, 1},    {6100, 2, 2},    {6499, 2, 2},    {6500, 3, 3},
        {7999, 3, 3},    {8000, 4, 4},    {9999, 4, 4},    {10000, 5, 5},   {19999, 5, 5},
        {20000, 6, 6},   {24999, 6, 6},   {25000, 7, 7},   {25999, 7, 7},   {26000, 8, 8},
        {26999, 8, 8},   {27000, 0, 0},   {27500, 0, 0},   {29999, 0, 0},   {30000, 9, 9},
        {39999, 9, 9},   {40000, 10, 10}, {44999, 10, 10}, {45000, 11, 11}, {49999, 11, 11},
        {50000, 14, 14}, {59999, 14, 14}, {60000, 14, 16}, {65000, 14, 16}, {65001, 0, 16},
        {65534, 0, 16},  {65535, 0, 0},   {65536, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.serial);
        EXPECT_EQ(TypeFromSerial(Program::Matrix, c.serial), c.matrix);
        EXPECT_EQ(TypeFromSerial(Program::Update, c.serial), c.update);
        EXPECT_EQ(TypeFromSerial(c.serial, "", false), c.update);
    }
}

TEST(TypeFromSerial, UpdateRefinesByBoardCodeAndSwitch)
{
    struct Case {
        int serial;
        const char* board;
        bool vp30;
        int code;
    };
    const Case cases[] = {
        {55000, "300", false, 24}, {55000, "201", false, 15}, {55000, "", true, 15},
        {55000, "300", true, 15}, // the switch is tested first
        {55000, "", false, 14},    {55000, "200", false, 14}, {62000, "201", false, 17},
        {62000, "300", false, 16}, {62000, "", true, 16},     {65001, "201", false, 17},
        {12345, "201", true, 5},   {65535, "300", true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.serial) + " board '" + c.board + "' vp30 " + std::to_string(c.vp30));
        EXPECT_EQ(TypeFromSerial(c.serial, c.board, c.vp30), c.code);
    }
    EXPECT_EQ(TypeName(Program::Update, TypeFromSerial(55000, "300", false)), "RX4480 Series");
}

TEST(TypeName, EachProgramsNamesAndSafeFallback)
{
    struct Case {
        Program program;
        int code;
        const char* name;
    };
    const Case cases[] = {
        {Program::Matrix, 0, "Unknown"},
        {Program::Matrix, 13, "BIOS-Mode"},
        {Program::Matrix, 14, "RX4471K"},
        {Program::Matrix, 15, "Unknown"},
        {Program::Matrix, -1, "Unknown"},
        {Program::Update, 0, "Unknown Instrument"},
        {Program::Update, 12, "Not Connected"},
        {Program::Update, 13, "Instrument in BIOS-Mode"},
        {Program::Update, 14, "RX4471K (2.00)"},
        {Program::Update, 15, "RX4471K"},
        {Program::Update, 23, "Unused"},
        {Program::Update, 24, "RX4480 Series"},
        {Program::Update, 25, "Unknown Instrument"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(TypeName(c.program, c.code), c.name);
    }
}

TEST(TypeName, NamesFitTheProgramsFields)
{
    for (int code = 0; code < TypeCount(Program::Matrix); ++code)
        EXPECT_LE(TypeName(Program::Matrix, code).size(), 13u) << code;
    for (int code = 0; code < TypeCount(Program::Update); ++code)
        EXPECT_LE(TypeName(Program::Update, code).size(), 24u) << code;
}

TEST(TypeProperties, BlocksSectorsAndMatrixTransfers)
{
    EXPECT_EQ(ProgramBlocks(4), "2048");
    for (int code : {0, 3, 5, 13, 14})
        EXPECT_EQ(ProgramBlocks(code), "1024") << code;

    struct Sectors {
        int code;
        int sectors;
    };
    for (auto [code, sectors] : {Sectors{0, 4096}, Sectors{3, 1024}, Sectors{4, 2048}, Sectors{8, 512},
                                 Sectors{12, 0}, Sectors{13, 2048}, Sectors{24, 2048}, Sectors{25, 4096},
                                 Sectors{-3, 4096}})
        EXPECT_EQ(FlashSectors(code), sectors) << code;

    for (int code : {1, 2, 6, 7, 8, 14})
        EXPECT_TRUE(MatrixTransfersRefused(code)) << code;
    for (int code : {0, 3, 4, 5, 9, 10, 11, 12, 13})
        EXPECT_FALSE(MatrixTransfersRefused(code)) << code;
    EXPECT_EQ(UnsupportedTypeText(6),
              "The connected RVT230 is not supported by this program.\rPlease see helpfile for suported RVT\u00B4s.");
}

TEST(BiosTypeList, MatrixShowsTheFirst17OfUpdates22)
{
    auto matrix = BiosTypeList(Program::Matrix);
    auto update = BiosTypeList(Program::Update);
    ASSERT_EQ(matrix.size(), 17u);
    ASSERT_EQ(update.size(), 22u);
    EXPECT_EQ(matrix.back().name, "RX4360N-SR");
    for (size_t i = 0; i < matrix.size(); ++i) {
        EXPECT_EQ(matrix[i].name, update[i].name);
        EXPECT_EQ(matrix[i].code, update[i].code);
    }
    // Every entry must name a real model of its program, never a state.
    for (auto [program, list] : {std::pair{Program::Matrix, matrix}, std::pair{Program::Update, update}})
        for (const auto& e : list) {
            EXPECT_LE(e.name.size(), 11u) << e.name;
            EXPECT_GT(e.code, 0) << e.name;
            EXPECT_LT(e.code, TypeCount(program)) << e.name;
            EXPECT_NE(e.code, kTypeNotConnected) << e.name;
            EXPECT_NE(e.code, kTypeBiosMode) << e.name;
        }
    EXPECT_EQ(update[6].name, "RX4366K-W");
    EXPECT_EQ(update[6].code, 4);
    EXPECT_EQ(update[18].code, 16);
    EXPECT_EQ(update[21].name, "480 Series");
    EXPECT_EQ(update[21].code, 24);
}

TEST(ModuleText, BySlotKindAndProgram)
{
    struct Case {
        int code;
        SlotKind slot;
        Program program;
        const char* text;
    };
    const auto In = SlotKind::Input;
    const auto Out = SlotKind::Output;
    const auto M = Program::Matrix;
    const auto U = Program::Update;
    const Case cases[] = {
        {0x00, In, M, "Not installed."},
        {0x00, Out, U, "Not installed."},
        {0x11, In, M, "Analogue Input Module, 1-AES 2-ANA (11)"},
        {0x11, Out, M, "Analogue Output Module, 1-AES 2-ANA (11)"},
        {0x10, Out, U, "GPIO Module (10)"},
        {0x10, In, U, "Unknown Module (10)"},
        {0x22, Out, M, "Unknown Module (22)"},
        {0x24, In, M, "4 Channel Digital Input Module, 4-AES (24)"},
        {0x32, In, U, "96 KHz Analogue BNC-Input Module, 1-AES 2-ANA (32)"},
        {0x32, In, M, "Unknown Module (32)"},
        {0x51, In, U, "Analogue BNC-Input Module, 1-AES 2-ANA (51)"},
        {0x51, In, M, "Unknown Module (51)"},
        {0x64, In, U, "8 Channel Analog Input Module, 8-ANA (64)"},
        {0xE2, In, M, "HD-SDI DeEmbedder, HD-SDI (E2)"},
        {0xE2, Out, M, "Unknown Module (E2)"},
        {0x05, In, M, "Unknown Module (5)"},
        {0xAB, Out, U, "Unknown Module (AB)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(ModuleText(c.code, c.slot, c.program), c.text);
    }
}

} // namespace
} // namespace qv
