// The log's line format and roll-over rule.
#include <gtest/gtest.h>

#include "base/LogLine.h"

using base::FormatLogLine;
using base::LogNeedsRollOver;

TEST(LogLineTest, EveryEntryIsOneTimestampedLine) {
    const base::LogTime t{2026, 12, 8, 9, 5, 7, 42};
    EXPECT_EQ(FormatLogLine(t, "Hot key F9 registered"), "2026-12-08 09:05:07.042 Hot key F9 registered\r\n");
    // Line breaks inside a message (an error text from the system, say) cannot split the entry.
    EXPECT_EQ(FormatLogLine(t, "first\r\nsecond\nthird"), "2026-12-08 09:05:07.042 first  second third\r\n");
    // UTF-8 passes through untouched.
    EXPECT_EQ(FormatLogLine(t, "皮肤"), "2026-12-08 09:05:07.042 皮肤\r\n");
}

TEST(LogLineTest, RollsOverOnlyWhenTheLineWouldPassTheLimit) {
    EXPECT_FALSE(LogNeedsRollOver(0, 10, 100));
    EXPECT_FALSE(LogNeedsRollOver(90, 10, 100));  // exactly full is still fine
    EXPECT_TRUE(LogNeedsRollOver(91, 10, 100));
    // A line longer than the limit goes into a fresh file rather than rolling over forever.
    EXPECT_FALSE(LogNeedsRollOver(0, 500, 100));
    EXPECT_TRUE(LogNeedsRollOver(1, 500, 100));
    EXPECT_TRUE(LogNeedsRollOver(base::kLogRollOverBytes, 1));
}
