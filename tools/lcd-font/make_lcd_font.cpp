// lcd-font: writes the data item "Font" from the drawings in lcd_font.cpp.
// Regenerate it with `make data`, or from the repository:
//   build/run/tools/lcd-font/lcd-font data/items/Font.bin
#include "lcd_font.h"

#include "platform/host/file_io.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lcd-font OUTPUT\n");
        return 2;
    }
    std::vector<uint8_t> bytes;
    std::string error;
    if (!qvtools::LcdFontBytes(bytes, error)) {
        std::fprintf(stderr, "lcd-font: %s\n", error.c_str());
        return 1;
    }
    if (!qv::WriteFileAtomically(argv[1], bytes, error)) {
        std::fprintf(stderr, "lcd-font: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
