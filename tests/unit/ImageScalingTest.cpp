// Skin images with magenta see-through pixels, scaled for the display scales.
#include "toolkit/ImageScaling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

using tk::PixelImage;
using tk::ScaledSize;
using tk::ScaleImage;

namespace {

constexpr uint32_t kMagenta = 0x00FF00FF;

struct ScaleCase {
    int dpi;
    int width;  // design size of the image
    int height;
    int scaledWidth;  // what the width takes at dpi
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.width << "x" << c.height << " at " << c.dpi << " DPI";
}

class ImageScalingTest : public ::testing::TestWithParam<ScaleCase> {
  protected:
    int Width() const { return GetParam().width; }
    int Height() const { return GetParam().height; }
    int ScaledWidth() const { return ScaledSize(Width(), GetParam().dpi); }
    int ScaledHeight() const { return ScaledSize(Height(), GetParam().dpi); }

    // A keyed image as a skin draws it: drawn pixels in colours with green at least as strong as
    // blue (so no mixture of them looks pink), see-through magenta around them and scattered
    // between them, with the top byte left as the file gave it.
    static std::vector<uint32_t> SkinPixels(int width, int height) {
        static constexpr uint32_t kDrawn[] = {0x00808080, 0x7F147828, 0x00FFFFFF, 0x00FFA000, 0x00000000};
        std::vector<uint32_t> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
                pixels.push_back(border || (x * 3 + y) % 4 == 0 ? kMagenta : kDrawn[(x + 2 * y) % 5]);
            }
        }
        return pixels;
    }

    static PixelImage Keyed(const std::vector<uint32_t>& pixels, int width, int height) {
        return tk::PremultipliedFromKeyed(pixels, width, height, kMagenta);
    }

    PixelImage Scaled(const PixelImage& source) const {
        return ScaleImage(source, ScaledWidth(), ScaledHeight());
    }
};

// Every pixel a premultiplied one (no channel above alpha), and none whose colour, alpha taken out,
// has red and blue both well above green.
TEST_P(ImageScalingTest, TakesTheScaledSizesAndSeeThroughPixelsAddNoColour) {
    EXPECT_EQ(ScaledWidth(), GetParam().scaledWidth);
    const PixelImage scaled = Scaled(Keyed(SkinPixels(Width(), Height()), Width(), Height()));
    ASSERT_EQ(scaled.width, GetParam().scaledWidth);
    ASSERT_EQ(scaled.height, ScaledHeight());
    ASSERT_EQ(scaled.pixels.size(), static_cast<size_t>(scaled.width) * scaled.height);
    for (const uint32_t p : scaled.pixels) {
        const uint32_t a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        const uint32_t clearly = 24 * a / 255;
        ASSERT_TRUE(r <= a && g <= a && b <= a) << std::hex << p;
        EXPECT_FALSE(r > g + clearly && b > g + clearly) << std::hex << p;
    }
}

TEST_P(ImageScalingTest, SolidImagesKeepTheirColourOrTransparency) {
    const size_t count = static_cast<size_t>(Width()) * Height();
    const PixelImage clear = Scaled(Keyed(std::vector<uint32_t>(count, kMagenta), Width(), Height()));
    EXPECT_EQ(clear.pixels, std::vector<uint32_t>(clear.pixels.size(), 0u));
    const PixelImage solid = Scaled(Keyed(std::vector<uint32_t>(count, 0x00336699), Width(), Height()));
    EXPECT_EQ(solid.pixels, std::vector<uint32_t>(solid.pixels.size(), 0xFF336699));
}

// A tile whose two outer columns either side are drawn and alike, as strips are cut: scaled, its edges
// stay opaque and of their colour, so copies laid at multiples of the scaled width join seamlessly.
TEST_P(ImageScalingTest, TileEdgesStayOpaqueSoCopiesMeetWithoutAGap) {
    std::vector<uint32_t> pixels = SkinPixels(Width(), Height());
    for (int y = 0; y < Height(); ++y) {
        for (const int x : {0, 1, Width() - 2, Width() - 1}) {
            if (x >= 0 && x < Width()) {
                pixels[static_cast<size_t>(y) * Width() + x] = 0x00406080;
            }
        }
    }
    const PixelImage tile = Scaled(Keyed(pixels, Width(), Height()));
    for (int y = 0; y < tile.height; ++y) {
        EXPECT_EQ(tile.pixels[static_cast<size_t>(y) * tile.width], 0xFF406080u) << y;
        EXPECT_EQ(tile.pixels[static_cast<size_t>(y) * tile.width + tile.width - 1], 0xFF406080u) << y;
    }
}

TEST_P(ImageScalingTest, TheSameSizeGivesTheSourceBack) {
    const std::vector<uint32_t> pixels = SkinPixels(Width(), Height());
    const PixelImage keyed = Keyed(pixels, Width(), Height());
    ASSERT_EQ(keyed.pixels.size(), pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t colour = pixels[i] & 0x00FFFFFF;
        ASSERT_EQ(keyed.pixels[i], colour == kMagenta ? 0u : 0xFF000000 | colour) << i;
    }
    const PixelImage same = ScaleImage(keyed, Width(), Height());
    EXPECT_EQ(same.width, Width());
    EXPECT_EQ(same.height, Height());
    EXPECT_EQ(same.pixels, keyed.pixels);
}

INSTANTIATE_TEST_SUITE_P(DisplayScales, ImageScalingTest,
                         ::testing::Values(
                             // 100 %, and the usual scales above it on an image of a button's size.
                             ScaleCase{96, 16, 9, 16}, ScaleCase{120, 16, 9, 20}, ScaleCase{144, 16, 9, 24},
                             ScaleCase{168, 16, 9, 28}, ScaleCase{192, 16, 9, 32},
                             // Odd sides: 7 px at 150 % is 10.5 and 5 px 7.5, both rounded up; 7 at 125 %
                             // (8.75) and at 175 % (12.25), 5 at 175 % (8.75).
                             ScaleCase{144, 7, 5, 11}, ScaleCase{144, 5, 7, 8}, ScaleCase{120, 7, 5, 9},
                             ScaleCase{168, 7, 5, 12}, ScaleCase{168, 5, 3, 9},
                             // Sides only one or two pixels thick, a tall strip, and a smaller scale (75 %).
                             ScaleCase{144, 1, 1, 2}, ScaleCase{192, 2, 40, 4}, ScaleCase{72, 30, 17, 23}));

TEST(ImageScaling, AbsurdSizesGiveAnEmptyImage) {
    // Target sides of zero, below zero and past the largest; sources that are empty, hold fewer or
    // more pixels than their sides call for, or are too large.
    struct {
        int sourceWidth, sourceHeight;
        size_t sourcePixels;
        int width, height;
    } const cases[] = {{4, 4, 16, 0, 6},          {4, 4, 16, 6, -1},  {4, 4, 16, 16385, 6},
                       {4, 4, 16, 6, 2147483647}, {0, 0, 0, 6, 6},    {4, 4, 15, 6, 6},
                       {4, 4, 17, 6, 6},          {-4, -4, 16, 6, 6}, {65536, 65536, 0, 6, 6},
                       {16385, 1, 16385, 6, 6}};
    for (const auto& c : cases) {
        const PixelImage source{c.sourceWidth, c.sourceHeight, std::vector<uint32_t>(c.sourcePixels, ~0u)};
        const PixelImage scaled = ScaleImage(source, c.width, c.height);
        EXPECT_TRUE(scaled.Empty() && scaled.width == 0 && scaled.pixels.empty())
            << c.sourceWidth << "x" << c.sourceHeight << " to " << c.width << "x" << c.height;
    }
    EXPECT_EQ(ScaledSize(0, 144), 0);
    EXPECT_EQ(ScaledSize(-7, 144), 0);
    EXPECT_EQ(ScaledSize(16384, 96), 16384);
    EXPECT_EQ(ScaledSize(16384, 192), 0);
    EXPECT_EQ(ScaledSize(2147483647, 192), 0);
    const std::vector<uint32_t> twelve(12, 0x00FFFFFF);
    EXPECT_TRUE(tk::PremultipliedFromKeyed(twelve, 4, 4, kMagenta).Empty());  // fewer pixels than 4 x 4
    EXPECT_TRUE(tk::PremultipliedFromKeyed(twelve, 12, -1, kMagenta).Empty());
    EXPECT_TRUE(tk::PremultipliedFromKeyed(twelve, 65536, 65536, kMagenta).Empty());
}

}  // namespace
