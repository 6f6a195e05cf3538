#pragma once
// JPEG decoding and encoding through libjpeg, GUI-free. A bad file is a
// failure result, never an exit: libjpeg's fatal errors are caught with
// setjmp, and its warnings (a truncated or corrupt file decodes to grey
// with a warning only) count as failures too.
#include <cstddef>
#include <string>
#include <vector>

namespace jpeg {

// Largest picture decoded, in pixels; bigger ones are refused as bad input.
inline constexpr std::size_t MaxPixels = std::size_t(1) << 25;
// What libjpeg may allocate for one picture. A progressive picture keeps
// all its coefficients (2 bytes each for every pixel of every component)
// whatever it is scaled to, so one of more than about 8 million pixels with
// four components is refused.
inline constexpr long MaxDecoderBytes = 64L << 20;

struct Picture {
    int width = 0;
    int height = 0;
    // width * height pixels of 4 bytes each: red, green, blue, 255.
    std::vector<unsigned char> rgbx;
};

// True when data starts with the JPEG start-of-image marker.
bool LooksLikeJpeg(const unsigned char *data, std::size_t size);

// Decodes data into out. Returns false (and leaves out empty) on any error
// or warning. With a box given, the picture is decoded scaled down by 1/2,
// 1/4 or 1/8 (the smallest of these that still covers the box), which
// costs a fraction of the full size's memory and time.
bool Decode(const unsigned char *data, std::size_t size, Picture &out, int boxWidth = 0, int boxHeight = 0);

// Encodes height rows of width RGB pixels (3 bytes each, rows stride bytes
// apart) as a baseline JPEG of the given quality into out. Returns false on
// failure.
bool Encode(const unsigned char *rgb, int width, int height, std::ptrdiff_t stride,
            int quality, std::string &out);

} // namespace jpeg
