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
