#include "draw/Korvandraw.h"

#include <gtest/gtest.h>

namespace {

uint32_t Channel(uint32_t colour, int i) { return (colour >> (8 * i)) & 0xFF; }

TEST(BlendColor, EndsAndMiddleOfAGreyBlend)
{
    EXPECT_EQ(TKorvanDraw::BlendColor(0x404040, 0xCCCCCC, 100, 0), 0x404040u);
    EXPECT_EQ(TKorvanDraw::BlendColor(0x404040, 0xCCCCCC, 100, 100), 0xCCCCCCu);
    const uint32_t mid = TKorvanDraw::BlendColor(0x404040, 0xCCCCCC, 100, 50);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Channel(mid, i), 134u);
}

TEST(BlendColor, StepBeyondTheEndIsBlack)
{
    EXPECT_EQ(TKorvanDraw::BlendColor(0x404040, 0xCCCCCC, 100, 101), 0u);
    EXPECT_EQ(TKorvanDraw::BlendColor(0x404040, 0xCCCCCC, 0, 1), 0u);
}

TEST(BlendColor, ZeroStepsGiveTheStartColour)
{
    EXPECT_EQ(TKorvanDraw::BlendColor(0x123456, 0xFFFFFF, 0, 0), 0x123456u);
}

TEST(BlendColor, ChannelsBlendSeparatelyAndTruncateEachTerm)
{
    // Red 0 -> 255, green 255 -> 0, blue 10 -> 20 over 3 steps, step 1:
    // red 0 + 85, green 170 + 0, blue 6 + 6 (each term truncated).
    const uint32_t c = TKorvanDraw::BlendColor(0x0AFF00, 0x1400FF, 3, 1);
    EXPECT_EQ(Channel(c, 0), 85u);
    EXPECT_EQ(Channel(c, 1), 170u);
    EXPECT_EQ(Channel(c, 2), 12u);
}

TEST(BlendColor, LargeStepCountsDoNotOverflow)
{
    const uint32_t n = 4000000000u;
    EXPECT_EQ(TKorvanDraw::BlendColor(0xFFFFFF, 0xFFFFFF, n, n / 2), 0xFFFFFFu - 0x010101u);
}

}  // namespace
