#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace qv::fuzz {

void Expect(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

std::string ScratchFile(const std::string& name, std::span<const uint8_t> bytes)
{
    // One folder per process, as fuzzers run side by side; gone at the exit.
    struct Folder {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("qv-fuzz-" + std::to_string(getpid()));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    const std::string path = (folder.path / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

} // namespace qv::fuzz
