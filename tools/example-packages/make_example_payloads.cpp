// example-payloads: writes the data blocks of the example packages into a
// folder; scripts/make-examples then builds the packages from their
// manifests with qv-tool cdp make.
#include "example_payloads.h"

#include "platform/host/file_io.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: example-payloads FOLDER\n");
        return 2;
    }
    for (const auto& payload : qvtools::ExamplePayloads()) {
        const std::string path = std::string(argv[1]) + "/" + payload.file;
        std::string error;
        if (!qv::WriteFileAtomically(path, payload.bytes, error)) {
            std::fprintf(stderr, "example-payloads: cannot write %s: %s\n", path.c_str(), error.c_str());
            return 1;
        }
    }
    return 0;
}
