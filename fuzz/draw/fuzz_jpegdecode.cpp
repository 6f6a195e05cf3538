// Feeds arbitrary bytes to the rider photo decoder, at full size and scaled
// for the photo box: it must fail cleanly, and a scaled picture still
// covers the box unless the picture itself is smaller.
#include "draw/JpegCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    jpeg::Picture full, scaled;
    if (jpeg::Decode(data, size, full) && full.rgbx.size() != std::size_t(full.width) * full.height * 4)
        __builtin_trap();
    if (jpeg::Decode(data, size, scaled, 152, 182)) {
        if (scaled.rgbx.size() != std::size_t(scaled.width) * scaled.height * 4)
            __builtin_trap();
        if (full.width > 0 && (scaled.width < 152 || scaled.height < 182) && scaled.width != full.width)
            __builtin_trap();
    }
    return 0;
}
