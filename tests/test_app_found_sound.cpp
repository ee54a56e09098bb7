// The tone's wave image, byte for byte.
#include "found_sound.h"

#include <gtest/gtest.h>

#include <string>

namespace {

uint32_t Le32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
std::string Text(const std::vector<uint8_t>& b, size_t at, size_t n) { return std::string(b.begin() + at, b.begin() + at + n); }

TEST(FoundSound, HeaderFields)
{
    const std::vector<uint8_t> image = BuildFoundSound();
    ASSERT_EQ(image.size(), 2002u);
    EXPECT_EQ(Text(image, 0, 4), "RIFF");
    EXPECT_EQ(Le32(image, 4), 22096u);
    EXPECT_EQ(Text(image, 8, 8), "WAVEfmt ");
    EXPECT_EQ(Le32(image, 16), 18u);
    EXPECT_EQ(Le16(image, 20), 1);
    EXPECT_EQ(Le16(image, 22), 1);
    EXPECT_EQ(Le32(image, 24), 22050u);
    EXPECT_EQ(Le32(image, 28), 22050u);
    EXPECT_EQ(Le16(image, 32), 1);
    EXPECT_EQ(Le16(image, 34), 8);
    EXPECT_EQ(Le16(image, 36), 0);
    EXPECT_EQ(Text(image, 38, 4), "data");
    EXPECT_EQ(Le32(image, 42), 1956u);
}

TEST(FoundSound, SquareWaveOfSixSamples)
{
    const std::vector<uint8_t> image = BuildFoundSound();
    ASSERT_EQ(image.size(), 2002u);
    const std::vector<uint8_t> first(image.begin() + 46, image.begin() + 58);
    EXPECT_EQ(first, (std::vector<uint8_t>{0xDF, 0xDF, 0x1F, 0x1F, 0x1F, 0xDF, 0xDF, 0xDF, 0x1F, 0x1F, 0x1F, 0xDF}));
    EXPECT_EQ(image[2001], 0xDF);
    EXPECT_EQ(image[2000], 0x1F);
    int high = 0;
    for (size_t i = 46; i < image.size(); ++i) {
        ASSERT_TRUE(image[i] == 0xDF || image[i] == 0x1F) << i;
        high += image[i] == 0xDF;
    }
    EXPECT_EQ(high, 1956 / 2);
    EXPECT_EQ(BuildFoundSound(), image);
}

}  // namespace
