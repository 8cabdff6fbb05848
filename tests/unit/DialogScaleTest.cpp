// Which drawn picture the dialogs show at a display scale, and their drag strip there.
#include "dialogs/DialogScale.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "dialogs/DialogRules.h"

using dialogs::DrawnPercentsByPreference;
using dialogs::kDrawnPercents;

namespace {

struct PreferenceCase {
    int dpi;
    std::vector<int> order;  // best first
};

void PrintTo(const PreferenceCase& c, std::ostream* os) {
    *os << c.dpi << " DPI";
}

class DrawnScaleChoice : public ::testing::TestWithParam<PreferenceCase> {};

}  // namespace

// A drawn scale at or above the window's is made smaller, never larger, while one exists; the drawn
// scale that equals the window's is taken as it is. The rest follow for a missing picture.
TEST_P(DrawnScaleChoice, TakesTheSmallestAtOrAboveTheWindowsScaleThenTheOthers) {
    EXPECT_EQ(DrawnPercentsByPreference(kDrawnPercents, GetParam().dpi), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(DisplayScales, DrawnScaleChoice,
                         ::testing::Values(PreferenceCase{96, {100, 150, 200}},   // 100 %
                                           PreferenceCase{97, {150, 200, 100}},   // just above a drawn scale
                                           PreferenceCase{120, {150, 200, 100}},  // 125 %
                                           PreferenceCase{144, {150, 200, 100}},  // 150 %
                                           PreferenceCase{168, {200, 150, 100}},  // 175 %
                                           PreferenceCase{192, {200, 150, 100}},  // 200 %
                                           PreferenceCase{288, {200, 150, 100}},  // 300 %: the largest
                                           PreferenceCase{72, {100, 150, 200}},   // below every drawn scale
                                           PreferenceCase{0, {100, 150, 200}}));  // a failed query: 96

TEST(DrawnScaleChoice, UnsortedRepeatedOrMeaninglessScalesAreTidiedFirst) {
    const int drawn[] = {200, 0, 100, 150, 200, -50};
    EXPECT_EQ(DrawnPercentsByPreference(drawn, 120), (std::vector<int>{150, 200, 100}));
    EXPECT_TRUE(DrawnPercentsByPreference({}, 120).empty());
}

// The strip covers the pixels of design rows 0 to 28 and columns up to the cross at every scale.
TEST(DragStrip, CoversTheScaledDesignRowsAndColumns) {
    const tk::DpiScale at150(144), at200(192);
    // At 150 %, design columns 0 to 398 are pixels 0 to 598, rows 0 to 28 pixels 0 to 43.
    EXPECT_TRUE(dialogs::InDragStrip(598, 43, 398, at150));
    EXPECT_FALSE(dialogs::InDragStrip(599, 43, 398, at150));
    EXPECT_FALSE(dialogs::InDragStrip(100, 44, 398, at150));
    EXPECT_TRUE(dialogs::InDragStrip(797, 57, 398, at200));
    EXPECT_FALSE(dialogs::InDragStrip(798, 0, 398, at200));
    EXPECT_FALSE(dialogs::InDragStrip(0, 58, 398, at200));
}
