#include "app/HideShow.h"

#include <gtest/gtest.h>

using namespace app;

TEST(HotKeyDebounce, PressesCloserThanTheIntervalToggleOnce) {
    uint32_t last = 0;
    EXPECT_TRUE(AcceptHotKey(last, 10000, 100));
    EXPECT_FALSE(AcceptHotKey(last, 10050, 100));  // 50 ms later
    EXPECT_FALSE(AcceptHotKey(last, 10110, 100));  // 60 ms after the ignored one: the interval restarted
    EXPECT_TRUE(AcceptHotKey(last, 10210, 100));   // 100 ms after that
    EXPECT_EQ(last, 10210u);
}

TEST(HotKeyDebounce, KeepsOnlyTheLow16BitsAndAcceptsAfterTheyWrap) {
    uint32_t last = 0;
    EXPECT_TRUE(AcceptHotKey(last, 0x1234FFF0u, 100));
    EXPECT_EQ(last, 0xFFF0u);
    // 20 ms later the 16-bit count has wrapped to 4: the unsigned difference is huge, so accepted.
    EXPECT_TRUE(AcceptHotKey(last, 0x12350004u, 100));
    EXPECT_EQ(last, 4u);
    // At start (last tick 0) a tick count whose low bits are below the interval is ignored.
    uint32_t fresh = 0;
    EXPECT_FALSE(AcceptHotKey(fresh, 0x70000 + 50, 100));
}

TEST(ToggleDecision, HiddenShowsActiveHidesOtherwiseForeground) {
    EXPECT_EQ(ToggleDecision(false, false), smShow);
    EXPECT_EQ(ToggleDecision(false, true), smShow);
    EXPECT_EQ(ToggleDecision(true, true), smHide);
    EXPECT_EQ(ToggleDecision(true, false), smForeground);
}
