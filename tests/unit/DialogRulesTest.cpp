#include "dialogs/DialogRules.h"

#include <gtest/gtest.h>

using namespace dialogs;

TEST(HotKeyControlCode, ConvertsModifiersBetweenControlAndShortcutCode) {
    // F9 alone, Ctrl+Alt+Z and Shift+Ctrl+F12 in both directions.
    EXPECT_EQ(ShortcutFromHotKeyControl(0x0078), 120);
    EXPECT_EQ(HotKeyControlFromShortcut(120), 0x0078);
    EXPECT_EQ(ShortcutFromHotKeyControl(0x065A), 49242);
    EXPECT_EQ(HotKeyControlFromShortcut(49242), 0x065A);
    EXPECT_EQ(ShortcutFromHotKeyControl(0x037B), 0x607B);
    EXPECT_EQ(HotKeyControlFromShortcut(0x607B), 0x037B);
    EXPECT_EQ(ShortcutFromHotKeyControl(0x0531), 0xA031);  // Shift+Alt+1
    // A cleared control is no shortcut.
    EXPECT_EQ(ShortcutFromHotKeyControl(0), 0);
    EXPECT_EQ(HotKeyControlFromShortcut(0), 0);
}

TEST(HotKeyControlCode, TheExtendedKeyFlagAndStrayCodeBitsAreDropped) {
    EXPECT_EQ(ShortcutFromHotKeyControl(0x0A2D), 0x402D);  // Ctrl+Ins pressed on the extended key
    EXPECT_EQ(HotKeyControlFromShortcut(0x1F78), 0x0078);
}

TEST(DragStrip, CoversTheTopTwentyNineRowsUpToTheCloseCross) {
    EXPECT_TRUE(InDragStrip(0, 0, 398));
    EXPECT_TRUE(InDragStrip(398, 28, 398));
    EXPECT_FALSE(InDragStrip(399, 28, 398));
    EXPECT_FALSE(InDragStrip(398, 29, 398));
    EXPECT_TRUE(InDragStrip(329, 10, 329));
    EXPECT_FALSE(InDragStrip(330, 10, 329));
}
