// Design sizes at 96 DPI and the pixels they take at the common display scales.
#include <gtest/gtest.h>

#include <climits>

#include "toolkit/DpiScale.h"

namespace {

struct ScaleCase {
    int dpi;
    int design;
    int pixels;
};

class DpiScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DpiScaleTest, RoundsToTheNearestPixelLikeMulDiv) {
    EXPECT_EQ(tk::DpiScale(GetParam().dpi).ToPixels(GetParam().design), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, DpiScaleTest,
    ::testing::Values(
        // 100 %: the identity, negatives included.
        ScaleCase{96, 400, 400}, ScaleCase{96, -7, -7}, ScaleCase{96, 0, 0},
        // 125 %: 250 x 1.25 = 312.5 rounds up, 9 x 1.25 = 11.25 down; a negative half rounds away from zero.
        ScaleCase{120, 250, 313}, ScaleCase{120, 9, 11}, ScaleCase{120, -2, -3},
        // 150 % and 200 %: the compact window, the caption font's 12 pixels.
        ScaleCase{144, 400, 600}, ScaleCase{144, 12, 18}, ScaleCase{144, 1, 2}, ScaleCase{192, 250, 500},
        ScaleCase{192, 12, 24},
        // 175 %, and a failed DPI query (0) counts as 96.
        ScaleCase{168, 3, 5}, ScaleCase{0, 817, 817}, ScaleCase{-5, 20, 20},
        // Far out of range: clamped, never wrapped.
        ScaleCase{192, INT_MAX, INT_MAX}, ScaleCase{192, INT_MIN, INT_MIN}));

TEST(DpiScale, BackToDesignAndAcrossDpisUseTheSameRounding) {
    const tk::DpiScale at150(144);
    EXPECT_EQ(at150.Percent(), 150);
    EXPECT_EQ(tk::DpiScale(120).Percent(), 125);
    // Every design size comes back from its pixels unchanged at a scale of at least 100 %.
    for (int design = -50; design <= 2000; ++design) {
        ASSERT_EQ(at150.ToDesign(at150.ToPixels(design)), design) << design;
    }
    // A window size stored at 96 DPI restored at 192, and one stored at 144 restored at 96.
    EXPECT_EQ(tk::DpiScale(192).FromDpi(1024, 96), 2048);
    EXPECT_EQ(tk::DpiScale(96).FromDpi(1536, 144), 1024);
    EXPECT_EQ(tk::DpiScale(96).FromDpi(77, 0), 77);
}

}  // namespace
