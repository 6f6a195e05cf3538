// JPEG codec: round trip, quality, and bad input as a failure result.
#include "draw/JpegCodec.h"
#include "tests/draw/ProgressiveJpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::vector<unsigned char> Gradient(int w, int h)
{
    std::vector<unsigned char> rgb(std::size_t(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char *p = &rgb[(std::size_t(y) * w + x) * 3];
            p[0] = static_cast<unsigned char>(x * 255 / (w - 1));
            p[1] = static_cast<unsigned char>(y * 255 / (h - 1));
            p[2] = 0x80;
        }
    return rgb;
}

std::string EncodeGradient(int w, int h, int quality)
{
    const auto rgb = Gradient(w, h);
    std::string out;
    EXPECT_TRUE(jpeg::Encode(rgb.data(), w, h, w * 3, quality, out));
    return out;
}

const unsigned char *Bytes(const std::string &s)
{
    return reinterpret_cast<const unsigned char *>(s.data());
}

} // namespace

TEST(JpegCodec, RoundTripKeepsSizeAndColours)
{
    const int w = 61, h = 37;
    const auto rgb = Gradient(w, h);
    const std::string data = EncodeGradient(w, h, 90);
    ASSERT_TRUE(jpeg::LooksLikeJpeg(Bytes(data), data.size()));
    jpeg::Picture pic;
    ASSERT_TRUE(jpeg::Decode(Bytes(data), data.size(), pic));
    EXPECT_EQ(pic.width, w);
    EXPECT_EQ(pic.height, h);
    ASSERT_EQ(pic.rgbx.size(), std::size_t(w) * h * 4);
    int worst = 0;
    for (std::size_t i = 0; i < std::size_t(w) * h; ++i) {
        for (int c = 0; c < 3; ++c)
            worst = std::max(worst, std::abs(int(pic.rgbx[i * 4 + c]) - int(rgb[i * 3 + c])));
        EXPECT_EQ(pic.rgbx[i * 4 + 3], 255);
    }
    EXPECT_LE(worst, 24);
}

TEST(JpegCodec, QualityNinetyUsesItsQuantisationTable)
{
    // The first luminance quantisation value (16 at quality 50) scales to
    // 3 at quality 90 and 8 at quality 75.
    auto firstQuant = [](const std::string &data) {
        const std::size_t dqt = data.find("\xFF\xDB");
        return dqt == std::string::npos ? -1 : int(static_cast<unsigned char>(data[dqt + 5]));
    };
    EXPECT_EQ(firstQuant(EncodeGradient(16, 16, 90)), 3);
    EXPECT_EQ(firstQuant(EncodeGradient(16, 16, 75)), 8);
}

TEST(JpegCodec, BadInputFailsWithoutExit)
{
    const std::string data = EncodeGradient(64, 48, 90);
    jpeg::Picture pic;
    // Truncated: libjpeg only warns and fills grey; that is a failure here.
    for (std::size_t cut : {data.size() - 2, data.size() / 2, std::size_t(200), std::size_t(3)}) {
        EXPECT_FALSE(jpeg::Decode(Bytes(data), cut, pic)) << cut;
        EXPECT_TRUE(pic.rgbx.empty());
        EXPECT_EQ(pic.width, 0);
    }
    // A stray restart marker inside the entropy data.
    std::string corrupt = data;
    corrupt[data.size() - 40] = static_cast<char>(0xFF);
    corrupt[data.size() - 39] = static_cast<char>(0xD5);
    EXPECT_FALSE(jpeg::Decode(Bytes(corrupt), corrupt.size(), pic));
    // Not a JPEG at all, and nothing.
    const std::string bmp = "BM\x36\0\0\0";
    EXPECT_FALSE(jpeg::LooksLikeJpeg(Bytes(bmp), bmp.size()));
    EXPECT_FALSE(jpeg::Decode(Bytes(bmp), bmp.size(), pic));
    EXPECT_FALSE(jpeg::Decode(nullptr, 0, pic));
    std::string out;
    EXPECT_FALSE(jpeg::Encode(nullptr, 4, 4, 12, 90, out));
    const unsigned char px[3] = {1, 2, 3};
    EXPECT_FALSE(jpeg::Encode(px, 0, 1, 3, 90, out));
}

TEST(JpegCodec, APhotoIsDecodedOnlyAsLargeAsItsBox)
{
    // 1/4 is the smallest scale that still covers 152 x 182 here (1/8 would
    // give 125 x 100); without a box the full size.
    const std::string data = EncodeGradient(1000, 800, 90);
    jpeg::Picture pic;
    ASSERT_TRUE(jpeg::Decode(Bytes(data), data.size(), pic, 152, 182));
    EXPECT_EQ(pic.width, 250);
    EXPECT_EQ(pic.height, 200);
    EXPECT_EQ(pic.rgbx.size(), std::size_t(250) * 200 * 4);
    ASSERT_TRUE(jpeg::Decode(Bytes(data), data.size(), pic, 2000, 10));
    EXPECT_EQ(pic.width, 1000);
    // A progressive CMYK picture keeps all its coefficients however it is
    // scaled: one that would take more than the decoder may allocate is
    // refused, not decoded at hundreds of megabytes.
    const std::string progressive = ProgressiveCmykJpeg(3000, 3000);
    EXPECT_FALSE(jpeg::Decode(Bytes(progressive), progressive.size(), pic, 152, 182));
    EXPECT_TRUE(pic.rgbx.empty());
    const std::string small = ProgressiveCmykJpeg(1200, 1200);
    ASSERT_TRUE(jpeg::Decode(Bytes(small), small.size(), pic, 152, 182));
    EXPECT_EQ(pic.width, 150 * 2); // 1/8 gives 150 < 182
}
