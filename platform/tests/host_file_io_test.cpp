#include "platform/host/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#if defined(__unix__)
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace qv {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Pattern(size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(i * 7 + i / 251);
    return bytes;
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

class HostFileIo : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("qv-host-file-io-" + std::to_string(std::random_device{}()) + "-" +
                                            testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    void put(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream out(dir_ / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    static std::vector<uint8_t> get(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Every entry below the folder with what it holds: a temporary file left
    // behind or a changed file shows as a difference.
    std::map<std::string, std::string> snapshot() const
    {
        std::map<std::string, std::string> entries;
        for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
            const std::string name = entry.path().lexically_relative(dir_).string();
            if (entry.is_symlink())
                entries[name] = "-> " + fs::read_symlink(entry.path()).string();
            else if (entry.is_directory())
                entries[name] = "<folder>";
            else {
                const auto bytes = get(entry.path());
                entries[name] = std::string(bytes.begin(), bytes.end());
            }
        }
        return entries;
    }

    fs::path dir_;
};

TEST_F(HostFileIo, WriteLeavesTheNewBytesAndNoTemporary)
{
    struct Case {
        const char* name;
        std::optional<std::vector<uint8_t>> old;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"new", std::nullopt, Bytes("fresh")},
        {"replaced", Bytes("old contents"), Bytes("new")},
        {"emptied", Bytes("old"), {}},
        {"empty new", std::nullopt, {}},
        {"larger than any buffer", Bytes("old"), Pattern(300000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.old)
            put(c.name, *c.old);
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(path(c.name), c.bytes, error)) << error;
        EXPECT_EQ(get(path(c.name)), c.bytes);
    }
    std::map<std::string, std::string> expected;
    for (const auto& c : cases)
        expected[c.name] = std::string(c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(snapshot(), expected);
}

#if defined(__unix__)
TEST_F(HostFileIo, WriteKeepsTheOldFilesPermissions)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct Case {
        const char* name;
        std::optional<fs::perms> old;
        fs::perms expected;
    };
    const Case cases[] = {
        {"private", fs::perms(0600), fs::perms(0600)},
        {"group readable", fs::perms(0640), fs::perms(0640)},
        {"read only", fs::perms(0444), fs::perms(0444)},
        // A new file gets the mode any new file gets, not a private one.
        {"new", std::nullopt, fs::perms(0666 & ~mask)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.old) {
            put(c.name, Bytes("old"));
            fs::permissions(path(c.name), *c.old);
        }
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(path(c.name), Bytes("new"), error)) << error;
        EXPECT_EQ(fs::status(path(c.name)).permissions() & fs::perms::all, c.expected);
    }
}
#endif

TEST_F(HostFileIo, WriteThroughALinkReplacesTheFileItNames)
{
    fs::create_directory(dir_ / "real");
    struct Case {
        const char* link;
        const char* target; // as the link holds it
        const char* file;   // what the write must replace
        bool fileExists;
    };
    const Case cases[] = {
        {"relative", "real/one", "real/one", true},
        {"absolute", "", "real/two", true}, // the target is made absolute below
        {"to a link", "relative", "real/one", true},
        {"dangling", "real/three", "real/three", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        if (c.fileExists)
            put(c.file, Bytes("old"));
        const fs::path target = *c.target ? fs::path(c.target) : dir_ / c.file;
        fs::create_symlink(target, dir_ / c.link);

        std::string error;
        ASSERT_TRUE(WriteFileAtomically(path(c.link), Bytes(c.link), error)) << error;
        EXPECT_TRUE(fs::is_symlink(dir_ / c.link));
        EXPECT_EQ(fs::read_symlink(dir_ / c.link), target);
        EXPECT_EQ(get(dir_ / c.file), Bytes(c.link));
    }
    const std::map<std::string, std::string> expected = {
        {"absolute", "-> " + (dir_ / "real/two").string()},
        {"dangling", "-> real/three"},
        {"real", "<folder>"},
        {"real/one", "to a link"},
        {"real/three", "dangling"},
        {"real/two", "absolute"},
        {"relative", "-> real/one"},
        {"to a link", "-> relative"},
    };
    EXPECT_EQ(snapshot(), expected) << "no temporary file left";
}

TEST_F(HostFileIo, FailedWriteLeavesWhatWasThere)
{
    put("kept", Bytes("old"));
    fs::create_directories(dir_ / "folder");
    put("folder/inside", Bytes("inside"));
    struct Case {
        const char* what;
        std::string path;
        bool sizeLimited; // the disk takes only the first 1000 bytes
        FileWriteStep step;
        const char* reason;
    };
    const Case cases[] = {
        // A rename cannot replace a folder.
        {"folder in the way", path("folder"), false, FileWriteStep::Write, "Is a directory"},
        // A missing folder takes no temporary file at all.
        {"no such folder", path("missing/kept"), false, FileWriteStep::Create, "No such file or directory"},
#if defined(__unix__)
        {"fails halfway", path("kept"), true, FileWriteStep::Write, "File too large"},
#endif
    };
    const auto before = snapshot();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        FileWriteStep step = c.step == FileWriteStep::Create ? FileWriteStep::Write : FileWriteStep::Create;
        bool written = false;
#if defined(__unix__)
        rlimit saved{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (c.sizeLimited) {
            rlimit limited = saved;
            limited.rlim_cur = 1000;
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
        }
        written = WriteFileAtomically(c.path, Pattern(5000), error, &step);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
#else
        written = WriteFileAtomically(c.path, Pattern(5000), error, &step);
#endif
        EXPECT_FALSE(written);
        EXPECT_EQ(step, c.step);
        EXPECT_EQ(error, c.reason);
        EXPECT_EQ(snapshot(), before) << "the old file stays and no temporary is left";
    }
}

TEST_F(HostFileIo, ReadStopsOneBytePastTheLimit)
{
    fs::create_directory(dir_ / "folder");
    using Status = FileRead::Status;
    struct Case {
        const char* what;
        std::string path;
        std::optional<size_t> size; // of the file made there
        size_t limit;
        Status status;
        const char* error;
    };
    const Case cases[] = {
        {"missing", path("missing"), std::nullopt, 10, Status::NotFound, "No such file or directory"},
        {"no name", "", std::nullopt, 10, Status::NotFound, "No such file or directory"},
        {"folder", path("folder"), std::nullopt, 10, Status::CannotRead, "Is a directory"},
        {"empty", path("empty"), 0, 10, Status::Ok, ""},
        {"empty at limit 0", path("empty0"), 0, 0, Status::Ok, ""},
        {"one byte at limit 0", path("one"), 1, 0, Status::TooLarge, "File too large"},
        {"exactly the limit", path("exact"), 10, 10, Status::Ok, ""},
        {"one byte more", path("more"), 11, 10, Status::TooLarge, "File too large"},
        {"many chunks up to the limit", path("chunks"), 200000, 200000, Status::Ok, ""},
        {"many chunks and one byte more", path("chunks1"), 200001, 200000, Status::TooLarge, "File too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.size)
            put(fs::path(c.path).filename().string(), Pattern(*c.size));
        const FileRead read = ReadFileUpTo(c.path, c.limit);
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.bytes, c.status == Status::Ok ? Pattern(*c.size) : std::vector<uint8_t>{});
    }
}

TEST_F(HostFileIo, ReadWholeFileHasNoLimit)
{
    put("large", Pattern(1 << 20));
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(ReadWholeFile(path("large"), bytes, error)) << error;
    EXPECT_EQ(bytes, Pattern(1 << 20));

    fs::create_directory(dir_ / "folder");
    const std::pair<std::string, const char*> failures[] = {
        {path("missing"), "No such file or directory"},
        {path("folder"), "Is a directory"},
    };
    for (const auto& [failing, reason] : failures) {
        SCOPED_TRACE(failing);
        bytes = {1, 2, 3};
        EXPECT_FALSE(ReadWholeFile(failing, bytes, error));
        EXPECT_TRUE(bytes.empty());
        EXPECT_EQ(error, reason);
    }
}

} // namespace
} // namespace qv
