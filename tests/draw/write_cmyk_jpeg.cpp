// write-cmyk-jpeg FILE [SIDE]: a progressive CMYK JPEG of SIDE x SIDE pixels
// (default 5792), for measuring a login with a huge rider photo by hand.
#include "tests/draw/ProgressiveJpeg.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::fputs("Usage: write-cmyk-jpeg FILE [SIDE]\n", stderr);
        return 2;
    }
    const int side = argc == 3 ? std::atoi(argv[2]) : 5792;
    const std::string jpeg = ProgressiveCmykJpeg(side, side);
    std::FILE *out = std::fopen(argv[1], "wb");
    const bool ok = out && std::fwrite(jpeg.data(), 1, jpeg.size(), out) == jpeg.size();
    if ((out && std::fclose(out) != 0) || !ok) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
