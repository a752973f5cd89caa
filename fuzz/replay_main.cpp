// Runs a fuzz target over every file of its corpus folder, once each: the
// corpus as an ordinary test, without a fuzzer.
#include "fuzz_targets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Target = int (*)(const uint8_t*, size_t);

struct NamedTarget {
    const char* name;
    Target run;
};

constexpr NamedTarget kTargets[] = {
#define QV_FUZZ_TARGET(name, function) {#name, function},
    QV_FUZZ_TARGETS
#undef QV_FUZZ_TARGET
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TARGET CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    const auto target = std::find_if(std::begin(kTargets), std::end(kTargets),
                                     [&](const NamedTarget& t) { return std::strcmp(t.name, argv[1]) == 0; });
    if (target == std::end(kTargets)) {
        std::fprintf(stderr, "no fuzz target %s\n", argv[1]);
        return 2;
    }
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(argv[2], error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    // An empty or missing corpus would pass without testing anything.
    if (error || files.empty()) {
        std::fprintf(stderr, "no corpus in %s\n", argv[2]);
        return 1;
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::printf("%s\n", file.filename().c_str());
        std::fflush(stdout);
        target->run(bytes.data(), bytes.size());
    }
    std::printf("%zu inputs of %s\n", files.size(), target->name);
    return 0;
}
