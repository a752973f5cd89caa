// make-default-scales: writes the default scale tables of the configuration
// upgrade, "LeqM", "DMU1" and "DMU2", from the scale records in
// default_scales.cpp, each built with MakeScale. Regenerate them with
// `make data`, or from the repository:
//   build/run/tools/default-scales/make-default-scales data/items
// A second argument also writes a scale library holding the three as scales
// 1 to 3, to look at them in the editor or with qv-tool scale preview:
//   build/run/tools/default-scales/make-default-scales data/items defaults.dat
#include "default_scales.h"

#include "scale/scale_library.h"

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "Usage: make-default-scales OUTDIR [LIBRARY.dat]\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    auto scales = qvtools::DefaultScales();
    qv::ScaleLibrary library;
    for (size_t i = 0; i < scales.size(); ++i) {
        std::array<uint8_t, qv::kScaleTableBytes> bytes{};
        std::string error;
        const std::string path = (folder / (scales[i].item + ".bin")).string();
        if (!qvtools::DefaultScaleBytes(scales[i], bytes, error) || !qv::WriteScaleFile(path, bytes, error)) {
            std::fprintf(stderr, "make-default-scales: %s: %s\n", scales[i].item.c_str(), error.c_str());
            return 1;
        }
        library.scales[i] = scales[i].record;
    }
    if (argc == 3) {
        std::string error;
        if (!qv::SaveScaleLibrary(argv[2], library, error)) {
            std::fprintf(stderr, "make-default-scales: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
