// BlendColor is GUI-free: it is part of the core library.
#include "draw/Korvandraw.h"

uint32_t TKorvanDraw::BlendColor(uint32_t colour1, uint32_t colour2, uint32_t n, uint32_t k)
{
    if (n < k)
        return 0;
    if (n == 0)
        return colour1;  // a zero-step blend has only its start colour
    auto channel = [n, k](uint64_t c1, uint64_t c2) {
        return c1 * (n - k) / n + ((c2 * k / n) & 0xFF);
    };
    const uint64_t red = channel(colour1 & 0xFF, colour2 & 0xFF);
    const uint64_t green = channel((colour1 >> 8) & 0xFF, (colour2 >> 8) & 0xFF);
    const uint64_t blue = channel(colour1 >> 16, colour2 >> 16);
    return static_cast<uint32_t>(red + green * 256 + blue * 65536);
}
