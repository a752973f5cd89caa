// default-colour: writes the data item "Colour" from the table in
// default_colour.cpp. Regenerate it with `make data`, or from the repository:
//   build/run/tools/default-colour/default-colour data/items/Colour.bin
#include "default_colour.h"

#include "platform/host/file_io.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: default-colour OUTPUT\n");
        return 2;
    }
    std::string error;
    if (!qv::WriteFileAtomically(argv[1], qvtools::DefaultColourBytes(), error)) {
        std::fprintf(stderr, "default-colour: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
