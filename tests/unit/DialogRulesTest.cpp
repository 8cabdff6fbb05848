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

TEST(GlobalHotKeyRule, TakesCtrlOrAltCombinationsAndKeysThatTypeNothing) {
    constexpr uint16_t kShift = 0x2000, kCtrl = 0x4000, kAlt = 0x8000;
    for (uint16_t code :
         {uint16_t{0}, uint16_t(kCtrl | kAlt | 'Z'), uint16_t(kCtrl | 'A'), uint16_t(kAlt | '1'),
          uint16_t(kShift | kCtrl | kAlt | 0x91), uint16_t(0x70), uint16_t(0x78), uint16_t(0x87),
          uint16_t(kShift | 0x78), uint16_t(0x13), uint16_t(0x91), uint16_t(kShift | 0x13)}) {
        EXPECT_TRUE(AcceptableGlobalHotKey(code)) << std::hex << code;
    }
    // Keys that type or act in every program, alone or with Shift.
    for (uint16_t code : {uint16_t('A'), uint16_t(kShift | 'A'), uint16_t('5'), uint16_t(0x20),
                          uint16_t(0x0D), uint16_t(0x1B), uint16_t(0x2E), uint16_t(0x60), uint16_t(0x6F),
                          uint16_t(0x88), uint16_t(kShift | 0x2E)}) {
        EXPECT_FALSE(AcceptableGlobalHotKey(code)) << std::hex << code;
    }
}

TEST(GlobalHotKeyRule, RefusalTexts) {
    EXPECT_EQ(NeedsModifierText(), "请使用Ctrl或Alt组合键，或F1–F24、Pause、Scroll Lock");
    EXPECT_EQ(HotKeyTakenText("Ctrl+Alt+Z"), "快捷键Ctrl+Alt+Z已被其他程序占用，请换一个。");
}
