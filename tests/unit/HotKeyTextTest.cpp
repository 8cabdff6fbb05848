#include "config/HotKeyText.h"

#include <gtest/gtest.h>

#include "config/ValueFields.h"

using namespace config;

namespace {

// Stands in for the keyboard layout's names of the keys outside the fixed table.
std::string LayoutName(uint8_t key) {
    if (key == 0xBA) {
        return ";";
    }
    return {};
}

std::string Text(uint16_t code) {
    return ShortcutText(code, &LayoutName);
}

}  // namespace

TEST(HotKeyValue, ParsesTheThreeFields) {
    EXPECT_EQ(ParseHotKeyValue("0,120,120"), (HotKeyValue{0, 120, 120}));
    EXPECT_EQ(ParseHotKeyValue("3,90,49242"), (HotKeyValue{3, 90, 49242}));
    EXPECT_EQ(ParseHotKeyValue(""), HotKeyValue{});
    // The shortcut code keeps its low 16 bits.
    EXPECT_EQ(ParseHotKeyValue("0,120,65656").code, 120);
}

TEST(HotKeyValue, MalformedValuesRaiseTheFirstFieldsError) {
    auto message = [](const char* text) {
        try {
            ParseHotKeyValue(text);
        } catch (const base::Error& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("0"), "List index out of bounds (1)");
    EXPECT_EQ(message("0,120"), "List index out of bounds (2)");
    EXPECT_EQ(message("x,120,120"), "'x' is not a valid integer value");
    EXPECT_EQ(message("0,F9,120"), "'F9' is not a valid integer value");
    EXPECT_EQ(message("0,120,abc"), "'abc' is not a valid integer value");
}

TEST(HotKeyValue, FormatsAndRoundTripsThroughTheShortcutCode) {
    EXPECT_EQ(FormatHotKeyValue(HotKeyFromShortcut(120)), "0,120,120");
    EXPECT_EQ(FormatHotKeyValue(HotKeyFromShortcut(49242)), "3,90,49242");
    EXPECT_EQ(FormatHotKeyValue(HotKeyFromShortcut(0)), "0,0,0");
    // Shift alone, Shift+Ctrl+Alt.
    EXPECT_EQ(HotKeyFromShortcut(0x2000 | 'A'), (HotKeyValue{kModShift, 'A', 0x2000 | 'A'}));
    EXPECT_EQ(HotKeyFromShortcut(0xE000 | 0x70).modifiers, kModShift | kModControl | kModAlt);
    EXPECT_EQ(ParseHotKeyValue(FormatHotKeyValue(HotKeyFromShortcut(0xE070))), HotKeyFromShortcut(0xE070));
}

TEST(ShortcutText, NamesKeysFromTheTable) {
    EXPECT_EQ(Text(120), "F9");
    EXPECT_EQ(Text(0x70), "F1");
    EXPECT_EQ(Text(0x87), "F24");
    EXPECT_EQ(Text('A'), "A");
    EXPECT_EQ(Text('Z'), "Z");
    EXPECT_EQ(Text('0'), "0");
    EXPECT_EQ(Text('9'), "9");
    EXPECT_EQ(Text(0x60), "0");  // numeric pad
    EXPECT_EQ(Text(0x69), "9");
    EXPECT_EQ(Text(8), "BkSp");
    EXPECT_EQ(Text(9), "Tab");
    EXPECT_EQ(Text(13), "Enter");
    EXPECT_EQ(Text(27), "Esc");
    const char* spaceToDown[] = {"Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down"};
    for (int key = 32; key <= 40; ++key) {
        EXPECT_EQ(Text(static_cast<uint16_t>(key)), spaceToDown[key - 32]);
    }
    EXPECT_EQ(Text(45), "Ins");
    EXPECT_EQ(Text(46), "Del");
}

TEST(ShortcutText, PrefixesModifiersInShiftCtrlAltOrder) {
    EXPECT_EQ(Text(49242), "Ctrl+Alt+Z");
    EXPECT_EQ(Text(0xE000 | 'K'), "Shift+Ctrl+Alt+K");
    EXPECT_EQ(Text(0x2000 | 0x2E), "Shift+Del");
}

TEST(ShortcutText, OtherKeysUseTheLayoutsNameAndNamelessKeysGiveNothing) {
    EXPECT_EQ(Text(0x4000 | 0xBA), "Ctrl+;");
    EXPECT_EQ(Text(0x4000 | 0xFF), "");  // no name: no prefixes either
    EXPECT_EQ(ShortcutText(0xBA, nullptr), "");
}

TEST(HintTexts, TrayHintAndCaptionHintNameAWorkingShortcut) {
    EXPECT_EQ(TrayHintText("Velmora", 0, false, &LayoutName), "Velmora");
    EXPECT_EQ(TrayHintText("Velmora", 120, true, &LayoutName), "Velmora\r\n按F9键隐藏或显示界面");
    EXPECT_EQ(TrayHintText("Velmora", 49242, true, &LayoutName), "Velmora\r\n按Ctrl+Alt+Z键隐藏或显示界面");
    EXPECT_EQ(HotKeyHintText(0, false, &LayoutName), "您还没有设置快捷键");
    EXPECT_EQ(HotKeyHintText(120, true, &LayoutName), "按 F9 键隐藏或显示界面");
}

TEST(HintTexts, AShortcutAnotherProgramHoldsIsSaidToBeTaken) {
    EXPECT_EQ(TrayHintText("Velmora", 49242, false, &LayoutName),
              "Velmora\r\n快捷键Ctrl+Alt+Z已被其他程序占用");
    EXPECT_EQ(HotKeyHintText(49242, false, &LayoutName), "快捷键Ctrl+Alt+Z已被占用");
    // No hot key at all is not a failure.
    EXPECT_EQ(TrayHintText("Velmora", 0, false, &LayoutName), "Velmora");
    EXPECT_EQ(HotKeyHintText(0, false, &LayoutName), "您还没有设置快捷键");
}

TEST(HintTexts, TrayTipNamesAWorkingShortcutOrOnlyTheDoubleClick) {
    EXPECT_EQ(TrayTipTitle("Velmora"), "Velmora 仍在运行");
    EXPECT_EQ(TrayTipText(49242, true, &LayoutName), "按Ctrl+Alt+Z显示窗口，或双击托盘图标");
    EXPECT_EQ(TrayTipText(0, false, &LayoutName), "双击托盘图标显示窗口");
    EXPECT_EQ(TrayTipText(49242, false, &LayoutName), "双击托盘图标显示窗口");
    // A shortcut whose key has no name cannot be told: only the double-click is offered.
    EXPECT_EQ(TrayTipText(0x4000 | 0xFF, true, &LayoutName), "双击托盘图标显示窗口");
}

TEST(HotKeyTextTest, OnlyAWholeAndConsistentHotKeyValueIsUsable) {
    struct Case {
        const char* text;
        HotKeyValue value;  // when usable
        const char* problem;
    };
    const Case cases[] = {
        {"", {}, ""},
        {"0,0,0", {}, ""},
        {"0,120,120", {0, 120, 120}, ""},
        {"3,90,49242", {3, 90, 49242}, ""},
        {"0", {}, "1 fields instead of 3"},
        {"0,120", {}, "2 fields instead of 3"},
        {",,,", {}, "4 fields instead of 3"},
        {"0,120,120,1", {}, "4 fields instead of 3"},
        {"x,120,120", {}, "'x' is not a valid integer value"},
        {"2147483648,120,120", {}, "'2147483648' is not a valid integer value"},
        {"-1,-1,-1", {}, "a number out of range"},
        {"0,120,65656", {}, "a number out of range"},
        {"0,256,256", {}, "a number out of range"},
        {"15,120,120", {}, "unknown modifier bits"},
        {"8,120,120", {}, "unknown modifier bits"},
        {"7,0,0", {}, "no key"},
        {"0,255,255", {}, "no key"},
        {"0,120,121", {}, "the shortcut code does not match the key and modifiers"},
        {"2,120,120", {}, "the shortcut code does not match the key and modifiers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const HotKeySetting setting = ReadHotKeySetting(c.text);
        EXPECT_EQ(setting.problem, c.problem);
        EXPECT_EQ(setting.value, c.value);
    }
}
