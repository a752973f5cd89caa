// A program killed while it saves leaves each file whole: the old content or
// the new one, never a mix, a stub or nothing. A child process saves every
// kind of file the programs write, over and over, alternating two contents;
// the test kills it with SIGKILL at random moments and looks at what is left.
#include "config/config_image.h"
#include "config/preset_file.h"
#include "matrix/macro_file.h"
#include "packages/backup_writer.h"
#include "packages/cdp_format.h"
#include "packages/cdp_writer.h"
#include "platform/host/file_io.h"
#include "platform/host/scripted_prompter.h"
#include "platform/qt/ini_file.h"
#include "scale/scale_library.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes Random(size_t n, uint32_t seed)
{
    std::mt19937 random(seed);
    Bytes bytes(n);
    for (uint8_t& b : bytes)
        b = uint8_t(random());
    return bytes;
}

// One kind of file with its writer; version 0 and 1 are the two contents,
// different all through and in length where the format allows.
struct Writer {
    const char* file;
    std::function<bool(const std::string& path, int version)> save;
};

const std::vector<Writer>& Writers()
{
    static const std::vector<Writer> writers = {
        {"preset.PRE",
         [](const std::string& path, int version) {
             qv::ConfigImage image;
             const Bytes bytes = Random(image.bytes().size(), 10 + uint32_t(version));
             for (size_t a = 0; a < bytes.size(); ++a)
                 image.setByte(int(a), bytes[a]);
             qv::ScriptedPrompter prompter;
             return qv::SaveConfiguration(path, image, prompter);
         }},
        {"scales.lib",
         [](const std::string& path, int version) {
             qv::ScaleLibrary library;
             std::string error;
             return qv::ScaleLibraryFromBytes(Random(49060, 20 + uint32_t(version)), library) &&
                    qv::SaveScaleLibrary(path, library, error);
         }},
        {"macro.mac",
         [](const std::string& path, int version) {
             std::vector<std::string> commands;
             for (int k = 0; k < 200 + 300 * version; ++k)
                 commands.push_back(".SA" + std::to_string(k % 16 + 1) + "," + std::to_string(k + version));
             std::string error;
             return qv::SaveMacroFile(path, version ? "New" : "Old", commands, error);
         }},
        {"backup.CDP",
         [](const std::string& path, int version) {
             std::string error;
             return qv::WriteUpdateBackup(path, Random(size_t(1024 + 1024 * version) * 128, 30 + uint32_t(version)), 4,
                                          1234 + version, error);
         }},
        {"software.CDP",
         [](const std::string& path, int version) {
             qv::CdpDraft draft;
             draft.description = version ? "New software" : "Old software";
             draft.items.push_back({0xFFFFFFFFu, qv::kCdpSoftwareBlock, 0, "Software.",
                                    Random(size_t(512 + 256 * version) * 128, 40 + uint32_t(version)), {}});
             std::string error;
             return qv::WriteCdp(path, draft, error);
         }},
        {"settings.ini",
         [](const std::string& path, int version) {
             // It keeps what the file held: the same keys each time, other values.
             qv::IniFile ini(QString::fromStdString(path));
             for (int k = 0; k < 500; ++k)
                 ini.setValue("Section" + QString::number(k / 20), "Key" + QString::number(k),
                              QString::number(k * (version + 7)));
             return ini.save();
         }},
    };
    return writers;
}

struct Folder {
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string file(const char* name) const { return (path / name).string(); }
    fs::path path = fs::temp_directory_path() / ("qv-crash-" + std::to_string(getpid()));
};

Bytes Read(const std::string& path)
{
    Bytes bytes;
    std::string error;
    qv::ReadWholeFile(path, bytes, error);
    return bytes;
}

// Saves every file again and again, alternating the contents, until killed.
[[noreturn]] void SaveForever(const Folder& folder)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL); // not left running should the test die
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (int round = 1; std::chrono::steady_clock::now() < end; ++round)
        for (const Writer& w : Writers())
            if (!w.save(folder.file(w.file), round % 2))
                _exit(3);
    _exit(0);
}

TEST(CrashSafeFiles, AKillDuringASaveLeavesTheOldOrTheNewFile)
{
    Folder folder;
    Folder reference;
    reference.path += "-reference";
    fs::create_directories(reference.path);

    // What a finished save of each content looks like, and how long a
    // round of saves takes here.
    const auto started = std::chrono::steady_clock::now();
    std::vector<std::array<Bytes, 2>> contents;
    for (const Writer& w : Writers()) {
        std::array<Bytes, 2> both;
        for (int version : {0, 1}) {
            ASSERT_TRUE(w.save(reference.file(w.file), version)) << w.file;
            both[size_t(version)] = Read(reference.file(w.file));
        }
        ASSERT_NE(both[0], both[1]) << w.file;
        ASSERT_TRUE(w.save(folder.file(w.file), 0)) << w.file;
        contents.push_back(both);
    }
    const auto round = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started) / 3;

    // Killed at random moments over the first few rounds of saves; each
    // file must have been found both ways, or the kills missed the saves.
    std::mt19937 random(7);
    std::vector<std::array<int, 2>> found(Writers().size());
    constexpr int kKills = 60;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveForever(folder);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % uint64_t(3 * round.count() + 1)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saves failed or ended before the kill, status " << status;

        for (size_t k = 0; k < Writers().size(); ++k) {
            const Bytes now = Read(folder.file(Writers()[k].file));
            const bool old = now == contents[k][0];
            ASSERT_TRUE(old || now == contents[k][1])
                << Writers()[k].file << " after kill " << kill << ": " << now.size() << " bytes, neither old nor new";
            ++found[k][old ? 0 : 1];
        }
    }
    for (size_t k = 0; k < Writers().size(); ++k) {
        EXPECT_GT(found[k][0], 0) << Writers()[k].file;
        EXPECT_GT(found[k][1], 0) << Writers()[k].file;
    }
}

} // namespace
