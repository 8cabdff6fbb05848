// Which drawn skin set a window takes at its display scale, and the size it is brought to.
#include "skin/SkinScale.h"

#include <gtest/gtest.h>

#include "toolkit/ImageScaling.h"

using namespace skin;

TEST(SkinScale, TheNearestSetAtOrAboveWinsThenTheLargestBelowThenTheDesign) {
    const struct {
        int dpi;
        std::vector<int> order;
    } cases[] = {
        {96, {100}},
        {72, {100}},  // at or below 100 % the design images only
        {120, {150, 200, 100}},
        {144, {150, 200, 100}},
        {168, {200, 150, 100}},
        {192, {200, 150, 100}},
        {240, {200, 150, 100}},
        {0, {100}},  // a failed query counts as 96
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SkinScalesFor(c.dpi), c.order) << c.dpi;
    }
}

TEST(SkinScale, OnlyTheMatchingScaleIsUsedAsDrawnAndOthersRoundLikeDesignSizes) {
    EXPECT_TRUE(DrawnForDpi(100, 96));
    EXPECT_TRUE(DrawnForDpi(150, 144));
    EXPECT_TRUE(DrawnForDpi(200, 192));
    EXPECT_FALSE(DrawnForDpi(150, 120));
    EXPECT_FALSE(DrawnForDpi(200, 191));
    // A design-size image scaled gives what every design size gives; a drawn set brought to another
    // scale keeps the same proportion.
    for (int dpi : {96, 120, 144, 168, 192, 240}) {
        for (int side : {1, 5, 9, 22, 63, 64}) {
            EXPECT_EQ(SkinSideAt(side, 100, dpi), tk::ScaledSize(side, dpi)) << side << " at " << dpi;
        }
    }
    EXPECT_EQ(SkinSideAt(44, 200, 168), 39);  // 22 at 175 %: 38.5, rounded up
    EXPECT_EQ(SkinSideAt(48, 150, 120), 40);  // 32 at 125 %
    EXPECT_EQ(SkinSideAt(0, 150, 120), 0);
    EXPECT_EQ(SkinScaleFolder(L"C:\\P\\Skin\\Blue\\", 150), L"C:\\P\\Skin\\Blue\\150\\");
    EXPECT_EQ(SkinScaleFolder(L"C:\\P\\Skin\\Blue\\", 100), L"C:\\P\\Skin\\Blue\\");
}
