#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace app;

TEST(WindowPos, ParsesTheNineFieldsInOrder) {
    auto p = ParseWindowPos("0,100,50,1024,700,200,100,800,600");
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, (TPlacement{0, 100, 50, 1024, 700, 200, 100, 800, 600}));
    auto maximized = ParseWindowPos("2,0,0,1280,770,150,80,1000,700");
    ASSERT_TRUE(maximized);
    EXPECT_EQ(maximized->State, kPlacementMaximized);
    EXPECT_EQ(maximized->RestoreWidth, 1000);
    // Negative positions (a window left of the primary monitor) are kept, blanks around fields dropped.
    EXPECT_EQ(ParseWindowPos(" 0, -1280 ,-20,1024,700,200,100,800,600")->Left, -1280);
}

TEST(WindowPos, EmptyAndMalformedValuesCountAsMissing) {
    EXPECT_FALSE(ParseWindowPos(""));
    EXPECT_FALSE(ParseWindowPos("0,100,50,1024,700,200,100,800"));      // eight fields
    EXPECT_FALSE(ParseWindowPos("0,100,50,1024,700,200,100,800,abc"));  // not an integer
    EXPECT_FALSE(ParseWindowPos("1,100,50,1024,700,200,100,800,600"));  // state never written
    EXPECT_FALSE(ParseWindowPos("3,100,50,1024,700,200,100,800,600"));
    EXPECT_FALSE(ParseWindowPos("garbage"));
    // Extra fields are ignored: fields are read by position.
    EXPECT_TRUE(ParseWindowPos("0,1,2,800,600,200,100,800,600,99"));
}

TEST(WindowPos, SizesAreRaisedToTheMinimumAndNothingElseChanges) {
    TPlacement small{0, 10, 10, 640, 480, -5000, 9000, 100, 100};
    EXPECT_EQ(RaisedToMinimum(small), (TPlacement{0, 10, 10, 800, 600, -5000, 9000, 800, 600}));
    TPlacement big{2, 0, 0, 3000, 2000, 150, 80, 1000, 700};
    EXPECT_EQ(RaisedToMinimum(big), big);
    // A missing value gives a normal window at (0, 0), 800 x 600.
    EXPECT_EQ(RaisedToMinimum(TPlacement{}), (TPlacement{0, 0, 0, 800, 600, 0, 0, 800, 600}));
}

TEST(WindowPos, WritesTheValueSavedAtExit) {
    EXPECT_EQ(FormatWindowPos(PlacementToSave(100, 50, 1024, 700, std::nullopt)),
              "0,100,50,1024,700,200,100,800,600");
    EXPECT_EQ(FormatWindowPos(PlacementToSave(0, 0, 800, 600, std::nullopt)),
              "0,0,0,800,600,200,100,800,600");
    // Maximized with the restore rectangle (150, 80)-(1150, 780).
    EXPECT_EQ(FormatWindowPos(PlacementToSave(0, 0, 1920, 1049, Rect32{150, 80, 1150, 780})),
              "2,0,0,1920,1049,150,80,1000,700");
    EXPECT_EQ(FormatWindowPos(PlacementToSave(-8, -8, 1936, 1056, std::nullopt)),
              "0,-8,-8,1936,1056,200,100,800,600");
}

TEST(WindowPos, RoundTripsThroughText) {
    const TPlacement p{2, -1, -2, 1234, 987, 11, 22, 999, 777};
    EXPECT_EQ(ParseWindowPos(FormatWindowPos(p)), p);
}

TEST(WindowPos, RectanglesAreFormedWithoutOverflowAndOneThatCannotBeCountsAsMissing) {
    // The edges reach the 32-bit limits exactly...
    EXPECT_EQ(PlacementRect({0, 2147482847, 2147483047, 800, 600, 0, 0, 0, 0}),
              (Rect32{2147482847, 2147483047, 2147483647, 2147483647}));
    EXPECT_EQ(PlacementRect({0, -2147483647 - 1, -2147483647 - 1, 800, 600, 0, 0, 0, 0}),
              (Rect32{-2147483647 - 1, -2147483647 - 1, -2147482848, -2147483048}));
    EXPECT_EQ(PlacementRect({2, 9, 9, 9, 9, 150, 80, 1000, 700}), (Rect32{150, 80, 1150, 780}));
    EXPECT_TRUE(ParseWindowPos("0,2147482847,0,800,600,200,100,800,600"));
    EXPECT_TRUE(ParseWindowPos("0,0,0,2147483647,2147483647,200,100,800,600"));
    EXPECT_TRUE(ParseWindowPos("0,-2147483648,-2147483648,800,600,200,100,800,600"));
    // ...and one past them is no rectangle, so the value counts as missing.
    EXPECT_FALSE(PlacementRect({0, 2147482848, 0, 800, 600, 0, 0, 0, 0}));
    EXPECT_FALSE(ParseWindowPos("0,2147483000,100,1024,700,200,100,800,600"));
    EXPECT_FALSE(ParseWindowPos("0,100,2147483000,1024,700,200,100,800,600"));
    EXPECT_FALSE(ParseWindowPos("0,1,0,2147483647,600,200,100,800,600"));
    // A size that only overflows once raised to the minimum.
    EXPECT_FALSE(ParseWindowPos("0,2147483000,0,10,10,200,100,800,600"));
    // Only the rectangle the state uses counts.
    EXPECT_FALSE(ParseWindowPos("2,0,0,1280,770,2147483000,80,1000,700"));
    EXPECT_FALSE(ParseWindowPos("2,0,0,1280,770,150,80,1000,2147483647"));
    EXPECT_TRUE(ParseWindowPos("2,2147483647,2147483647,2147483647,2147483647,150,80,1000,700"));
    EXPECT_TRUE(ParseWindowPos("0,0,0,800,600,2147483647,2147483647,2147483647,2147483647"));
}

TEST(WindowPos, ARestoreRectangleWiderThanTheRangeIsSavedAsTheLargestSize) {
    const TPlacement p = PlacementToSave(0, 0, 800, 600, Rect32{-2147483647 - 1, -5, 2147483647, 5});
    EXPECT_EQ(p.RestoreWidth, 2147483647);
    EXPECT_EQ(p.RestoreHeight, 10);
    EXPECT_EQ(PlacementToSave(0, 0, 800, 600, Rect32{10, 10, -2147483647 - 1, 0}).RestoreWidth,
              -2147483647 - 1);
}

namespace {

struct ScaleCase {
    const char* name;
    int fromDpi;
    int toDpi;
    Rect32 workArea;
    TPlacement stored;
    TPlacement expected;
    // Whether scaling the result back gives the stored placement again.
    bool roundTrips = true;
};

constexpr int32_t kMax = 2147483647;
constexpr int32_t kMin = -2147483647 - 1;

const ScaleCase kScaleCases[] = {
    {"DoubleScale",
     96,
     192,
     {0, 0, 1920, 1040},
     {0, 100, 50, 1024, 700, 200, 100, 800, 600},
     {0, 200, 100, 2048, 1400, 400, 200, 1600, 1200}},
    {"HalfScale",
     192,
     96,
     {0, 0, 3840, 2080},
     {0, 200, 100, 2048, 1400, 400, 200, 1600, 1200},
     {0, 100, 50, 1024, 700, 200, 100, 800, 600}},
    // 5/6, rounded to the nearest pixel: 166.7 -> 167, 83.3 -> 83, 666.7 -> 667.
    {"OneFiftyToOneTwentyFive",
     144,
     120,
     {0, 0, 2560, 1400},
     {0, 300, 150, 1500, 900, 200, 100, 800, 600},
     {0, 250, 125, 1250, 750, 167, 83, 667, 500}},
    {"SameDpiIsUnchanged",
     144,
     144,
     {1920, 40, 3840, 1080},
     {0, 7, -3, 1001, 667, 13, 17, 803, 601},
     {0, 7, -3, 1001, 667, 13, 17, 803, 601}},
    // A second monitor right of the primary one: the distances from its corner are scaled.
    {"MonitorRightOfThePrimary",
     96,
     192,
     {1920, 40, 5760, 2200},
     {0, 2020, 90, 1024, 700, 2120, 140, 800, 600},
     {0, 2120, 140, 2048, 1400, 2320, 240, 1600, 1200}},
    {"MonitorLeftOfThePrimary",
     192,
     96,
     {-1920, -200, 0, 880},
     {0, -1720, -100, 1600, 1200, -1820, -150, 900, 700},
     {0, -1820, -150, 800, 600, -1870, -175, 450, 350}},
    // Maximized: the maximized rectangle (a frame's width beyond the work area) and the restore one.
    {"MaximizedWithItsRestoreRectangle",
     96,
     144,
     {1920, 0, 3840, 1040},
     {2, 1912, -8, 1936, 1056, 2070, 120, 1000, 700},
     {2, 1908, -12, 2904, 1584, 2145, 180, 1500, 1050}},
    // Values at the ends of the range are held to it instead of overflowing.
    {"HeldToTheRange",
     96,
     192,
     {0, 0, 1920, 1080},
     {0, kMax, kMin, kMax, kMin, kMax - 1, 5, 1, -1},
     {0, kMax, kMin, kMax, kMin, kMax, 10, 2, -2},
     false},
};

class ScalePlacementTest : public ::testing::TestWithParam<ScaleCase> {};

}  // namespace

TEST_P(ScalePlacementTest, KeepsLogicalSizeAndPlaceOnTheMonitor) {
    const ScaleCase& c = GetParam();
    const TPlacement scaled = ScalePlacement(c.stored, c.fromDpi, c.toDpi, c.workArea);
    EXPECT_EQ(scaled, c.expected) << FormatWindowPos(scaled);
    if (c.roundTrips) {
        EXPECT_EQ(ScalePlacement(scaled, c.toDpi, c.fromDpi, c.workArea), c.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(WindowPos, ScalePlacementTest, ::testing::ValuesIn(kScaleCases),
                         [](const ::testing::TestParamInfo<ScaleCase>& info) { return info.param.name; });

TEST(WindowDpi, ReadsADisplaysDpiAndTakesAnythingElseAs96) {
    for (const int dpi : {96, 120, 144, 192, 24, 960}) {
        EXPECT_EQ(ParseWindowDpi(FormatWindowDpi(dpi)), dpi);
    }
    // Absent (older builds wrote none) and malformed values.
    for (const char* text : {"", " ", "abc", "0", "-96", "+144", "23", "961", "100000", "144dpi", "1.5",
                             "99999999999999999999", "0x90"}) {
        EXPECT_EQ(ParseWindowDpi(text), 96) << '"' << text << '"';
    }
}
