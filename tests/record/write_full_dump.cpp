// write-full-dump FILE: writes the saved transfer of a full dump (256 pages,
// 99 laps) to FILE, for measuring and power-cutting the decoder by hand.
#include "tests/support/DumpBuilder.h"

#include <cstdio>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("Usage: write-full-dump FILE\n", stderr);
        return 2;
    }
    const std::string text = DumpBuilder::full(256, 99).tempText();
    std::FILE *out = std::fopen(argv[1], "wb");
    const bool ok = out && std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if ((out && std::fclose(out) != 0) || !ok) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
