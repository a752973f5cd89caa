// firmware-data: writes the data items "VP_20", "VP_30", "FPGA_PRG" and
// "FPGA_PRG14" (see firmware_data.cpp) into a folder. Regenerate them with
// `make data`, or from the repository:
//   build/run/tools/firmware-data/firmware-data data/items
#include "firmware_data.h"

#include "platform/host/file_io.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: firmware-data FOLDER\n");
        return 2;
    }
    for (const auto& item : qvtools::FirmwareDataItems()) {
        const std::string path = std::string(argv[1]) + "/" + item.file;
        std::string error;
        if (!qv::WriteFileAtomically(path, item.bytes, error)) {
            std::fprintf(stderr, "firmware-data: cannot write %s: %s\n", path.c_str(), error.c_str());
            return 1;
        }
    }
    return 0;
}
