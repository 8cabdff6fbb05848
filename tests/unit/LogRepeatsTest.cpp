// Folding repeated failures into few log lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/LogRepeats.h"

using Lines = std::vector<std::string>;

TEST(LogRepeatsTest, ARetriedFailureIsLoggedOnceThenWithItsCountHourlyAndWhenItStops) {
    base::LogRepeats repeats(3600);
    const std::string a = "Navigation failed: http://h/ (status 0x800C0005)";
    const std::string b = "Navigation failed: res://offline (status 0x800C0005)";
    // Two failures alternate every 15 s, as the retry and the offline page do: each is logged once.
    Lines written;
    for (uint64_t t = 0; t < 3600; t += 15) {
        for (const std::string& line : {a, b}) {
            for (std::string& out : repeats.Occurred(line, t)) {
                written.push_back(out);
            }
        }
    }
    EXPECT_EQ(written, (Lines{a, b}));
    // An hour after the first line, the next repeat reports the count.
    EXPECT_EQ(repeats.Occurred(a, 3600), (Lines{a + " (240 more times)"}));
    EXPECT_EQ(repeats.Occurred(a, 3615), Lines{});
    // The failure stops: what is left is reported, first seen first; afterwards it counts as new.
    EXPECT_EQ(repeats.Flush(), (Lines{a + " (1 more time)", b + " (239 more times)"}));
    EXPECT_EQ(repeats.Flush(), Lines{});
    EXPECT_EQ(repeats.Occurred(a, 4000), (Lines{a}));
}

TEST(LogRepeatsTest, OnlySoManyLinesAreFollowedAndTheOldestIsReportedWhenDropped) {
    base::LogRepeats repeats;
    repeats.Occurred("line 0", 0);
    repeats.Occurred("line 0", 1);
    for (size_t i = 1; i < base::LogRepeats::kMaxFollowed; ++i) {
        repeats.Occurred("line " + std::to_string(i), 2);
    }
    EXPECT_EQ(repeats.Occurred("one more", 3), (Lines{"line 0 (1 more time)", "one more"}));
    // "line 0" is new again.
    EXPECT_EQ(repeats.Occurred("line 0", 4).back(), "line 0");
}
