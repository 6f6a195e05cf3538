// Feeds arbitrary bytes to the rider photo decoder: it must fail cleanly.
#include "draw/JpegCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    jpeg::Picture pic;
    if (jpeg::Decode(data, size, pic) && pic.rgbx.size() != std::size_t(pic.width) * pic.height * 4)
        __builtin_trap();
    return 0;
}
