#include "scale/scale_library.h"

#include "scale_file_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class ScaleLibraryFile : public qv::test::ScaleFileTest {};

// A library that differs from the empty one, to see it left unchanged.
qv::ScaleLibrary Marked()
{
    qv::ScaleLibrary library;
    library.scales[4].setShortName("KEEP");
    return library;
}

TEST_F(ScaleLibraryFile, OnlyTheExactSizeIsALibrary)
{
    for (size_t size : {qv::kScaleLibrarySize - 1, qv::kScaleLibrarySize, qv::kScaleLibrarySize + 1, size_t(0)}) {
        SCOPED_TRACE(size);
        const std::string path = write("lib.dat", std::vector<uint8_t>(size, 0));
        qv::ScaleLibrary library = Marked();
        std::string error;
        const bool loaded = qv::LoadScaleLibrary(path, library, error);
        EXPECT_EQ(loaded, size == 49060);
        if (loaded) {
            EXPECT_EQ(qv::ScaleLibraryBytes(library), std::vector<uint8_t>(49060, 0));
        } else {
            EXPECT_EQ(error, "The file " + path + " is NOT a valid Scale Library");
            EXPECT_EQ(library.scales[4].shortName.text(), "KEEP");
        }
    }
}

TEST_F(ScaleLibraryFile, ZeroFileIsTheEmptyLibrary)
{
    qv::ScaleLibrary library = Marked();
    std::string error;
    ASSERT_TRUE(qv::LoadScaleLibrary(write("zero.dat", std::vector<uint8_t>(49060, 0)), library, error));
    for (const auto& r : library.scales) {
        EXPECT_EQ(r.shortName.text(), "");
        EXPECT_EQ(r.keyNo, 0);
        EXPECT_EQ(r.description.text(), "");
        EXPECT_EQ(r.analogueFlag, 0);
        EXPECT_EQ(r.dynamics, 0);
        EXPECT_EQ(r.referenceDb(), 0.0);
        for (const auto& line : r.lines) {
            EXPECT_EQ(line.kind, 0);
            EXPECT_EQ(line.valueDb(), 0.0);
            EXPECT_EQ(line.text.text(), "");
        }
        EXPECT_EQ(r.noteText(), "");
    }
}

TEST_F(ScaleLibraryFile, UnreadableFileReportsTheSystemReason)
{
    qv::ScaleLibrary library = Marked();
    std::string error;
    const std::string missing = (folder / "missing.dat").string();
    const std::pair<std::string, std::string> cases[] = {
        {missing, "Cannot open file " + missing + ": No such file or directory"},
        {"", "Cannot open file : No such file or directory"},
        {folder.string(), "Cannot read file " + folder.string() + ": Is a directory"},
    };
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(qv::LoadScaleLibrary(path, library, error));
        EXPECT_EQ(error, message);
        EXPECT_EQ(library.scales[4].shortName.text(), "KEEP");
    }
}

TEST_F(ScaleLibraryFile, EveryByteSurvivesALoadAndSave)
{
    // Bytes after string lengths, the spare byte of each line entry, codes
    // outside the tables, a length byte past the capacity: all carried.
    std::vector<uint8_t> bytes(49060);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 7 + 3);
    const std::string path = write("pattern.dat", bytes);
    qv::ScaleLibrary library;
    std::string error;
    ASSERT_TRUE(qv::LoadScaleLibrary(path, library, error));
    const std::string saved = (folder / "saved.dat").string();
    ASSERT_TRUE(qv::SaveScaleLibrary(saved, library, error)) << error;
    EXPECT_EQ(read(saved), bytes);
}

TEST(ScaleRecord, FieldsLieAtTheirOffsets)
{
    std::vector<uint8_t> bytes(qv::kScaleRecordSize, 0);
    const auto put = [&](size_t at, std::vector<uint8_t> v) { std::copy(v.begin(), v.end(), bytes.begin() + long(at)); };
    put(0, {3, 'V', 'U', '1', '!'});
    put(5, {7});
    put(6, {4, 'd', 'e', 's', 'c'});
    put(33, {1});
    put(34, {11});
    put(35, {0x84, 0, 0, 0, 0, 0xC8}); // -12.5
    const size_t line28 = 41 + 13 * 27;
    put(line28, {0x83, 0, 0, 0, 0, 0}); // 4.0
    put(line28 + 6, {2, '-', '6', 'x', 'x'});
    put(line28 + 11, {9, 0xEE});
    put(405, {'N', 'o', 't', 'e'});

    const auto r = qv::ReadScaleRecord(std::span<const uint8_t, qv::kScaleRecordSize>(bytes.data(), bytes.size()));
    EXPECT_EQ(r.shortName.text(), "VU1");
    EXPECT_EQ(r.keyNo, 7);
    EXPECT_EQ(r.description.text(), "desc");
    EXPECT_EQ(r.analogueFlag, 1);
    EXPECT_EQ(r.dynamics, 11);
    EXPECT_EQ(r.referenceDb(), -12.5);
    EXPECT_EQ(r.lines[27].valueDb(), 4.0);
    EXPECT_EQ(r.lines[27].text.text(), "-6");
    EXPECT_EQ(r.lines[27].kind, 9);
    EXPECT_EQ(r.lines[27].spare, 0xEE);
    EXPECT_EQ(r.noteText(), "Note");
}

TEST(ScaleRecord, ShortStringsKeepTheirCapacities)
{
    qv::ScaleRecord r;
    r.setShortName("AB");
    EXPECT_EQ(r.shortName.length, 2);
    EXPECT_EQ(std::string(r.shortName.chars.begin(), r.shortName.chars.end()), "AB  ");
    r.setShortName("LONGER");
    EXPECT_EQ(r.shortName.text(), "LONG");

    // Other short strings leave the bytes after the new text as they were.
    r.description.assign("abcdefghijklmnopqrstuvwxyz0123");
    EXPECT_EQ(r.description.text(), "abcdefghijklmnopqrstuvwxyz");
    r.description.assign("XY");
    EXPECT_EQ(r.description.text(), "XY");
    EXPECT_EQ(r.description.chars[2], 'c');

    // A length byte past the capacity reads as the capacity.
    r.lines[0].text.length = 200;
    r.lines[0].text.chars = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(r.lines[0].text.text(), "abcd");
}

TEST(ScaleRecord, NoteHoldsAtMost2048BytesWithoutTerminator)
{
    qv::ScaleRecord r;
    const std::string full(2048, 'n');
    r.setNoteText(full);
    EXPECT_EQ(r.note.back(), 'n');
    EXPECT_EQ(r.noteText(), full);

    r.setNoteText(full + "cut");
    EXPECT_EQ(r.noteText(), full);

    r.setNoteText("line 1\r\nline 2");
    EXPECT_EQ(r.noteText(), "line 1\r\nline 2");
    EXPECT_EQ(r.note[14], 0);
    EXPECT_EQ(r.note.back(), 0);
}

TEST_F(ScaleLibraryFile, SaveReplacesTheFileAndReadsBack)
{
    const std::string path = write("lib.dat", std::vector<uint8_t>(10, 0xAA));
    qv::ScaleLibrary library;
    library.scales[19].setShortName("LAST");
    qv::StoreReal48(-12.5, library.scales[19].reference);
    qv::StoreReal48(4.0, library.scales[19].lines[0].value);
    library.scales[19].keyNo = 12;
    std::string error;
    ASSERT_TRUE(qv::SaveScaleLibrary(path, library, error)) << error;
    EXPECT_EQ(fs::file_size(path), 49060u);

    qv::ScaleLibrary back;
    ASSERT_TRUE(qv::LoadScaleLibrary(path, back, error));
    EXPECT_EQ(back.scales[19].shortName.text(), "LAST");
    EXPECT_EQ(back.scales[19].referenceDb(), -12.5);
    EXPECT_EQ(back.scales[19].lines[0].valueDb(), 4.0);
    EXPECT_EQ(back.scales[19].keyNo, 12);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1); // no temporary left
}

TEST_F(ScaleLibraryFile, FailedSaveSaysWhichStepFailed)
{
    fs::create_directory(folder / "taken.dat");
    const std::string taken = (folder / "taken.dat").string();
    const std::string missing = (folder / "no" / "such" / "lib.dat").string();
    const std::pair<std::string, std::string> cases[] = {
        // The temporary file is written; the rename over a folder fails.
        {taken, "Cannot write file " + taken + ": Is a directory"},
        {missing, "Cannot create file " + missing + ": No such file or directory"},
    };
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(path);
        std::string error;
        EXPECT_FALSE(qv::SaveScaleLibrary(path, qv::ScaleLibrary{}, error));
        EXPECT_EQ(error, message);
    }
}

} // namespace
