// make-default-scales: writes the default scale tables of the configuration
// upgrade, "LeqM", "DMU1" and "DMU2", from the scale records in
// default_scales.cpp, each built with MakeScale, and the scale library
// QV-Scale starts with, "DefaultScales", holding the three as scales 1 to 3.
// Regenerate them with `make data`, or from the repository:
//   build/run/tools/default-scales/make-default-scales data/items
#include "default_scales.h"

#include "scale/scale_library.h"

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-default-scales OUTDIR\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    for (auto& scale : qvtools::DefaultScales()) {
        std::array<uint8_t, qv::kScaleTableBytes> bytes{};
        std::string error;
        const std::string path = (folder / (scale.item + ".bin")).string();
        if (!qvtools::DefaultScaleBytes(scale, bytes, error) || !qv::WriteScaleFile(path, bytes, error)) {
            std::fprintf(stderr, "make-default-scales: %s: %s\n", scale.item.c_str(), error.c_str());
            return 1;
        }
    }
    std::string error;
    if (!qv::SaveScaleLibrary((folder / "DefaultScales.dat").string(), qvtools::DefaultScaleLibrary(), error)) {
        std::fprintf(stderr, "make-default-scales: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
