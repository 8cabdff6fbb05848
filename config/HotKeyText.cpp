#include "config/HotKeyText.h"

#include "config/ValueFields.h"
#include "base/Format.h"

namespace config {

HotKeyValue ParseHotKeyValue(std::string_view text) {
    HotKeyValue value;
    if (text.empty()) {
        return value;
    }
    Fields fields(text);
    value.modifiers = static_cast<uint32_t>(fields.Integer(0));
    value.key = static_cast<uint32_t>(fields.Integer(1));
    value.code = static_cast<uint16_t>(fields.Integer(2) & 0xFFFF);
    return value;
}

HotKeySetting ReadHotKeySetting(std::string_view text) {
    HotKeySetting setting;
    if (text.empty()) {
        return setting;
    }
    const Fields fields(text);
    if (fields.Count() != 3) {
        setting.problem = base::Format("%u fields instead of 3", static_cast<unsigned>(fields.Count()));
        return setting;
    }
    int32_t numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        try {
            numbers[i] = fields.Integer(i);
        } catch (const base::Error& e) {
            setting.problem = e.what();
            return setting;
        }
    }
    const auto [modifiers, key, code] = numbers;
    if (modifiers < 0 || key < 0 || key > 0xFF || code < 0 || code > 0xFFFF) {
        setting.problem = "a number out of range";
    } else if (modifiers & ~static_cast<int32_t>(kModAlt | kModControl | kModShift)) {
        setting.problem = "unknown modifier bits";
    } else if (modifiers == 0 && key == 0 && code == 0) {
        return setting;  // no hot key
    } else if (key == 0 || key == 0xFF) {
        setting.problem = "no key";
    } else if (HotKeyFromShortcut(static_cast<uint16_t>(code)) !=
               HotKeyValue{static_cast<uint32_t>(modifiers), static_cast<uint32_t>(key),
                           static_cast<uint16_t>(code)}) {
        setting.problem = "the shortcut code does not match the key and modifiers";
    }
    if (setting.problem.empty()) {
        setting.value = HotKeyFromShortcut(static_cast<uint16_t>(code));
    }
    return setting;
}

std::string FormatHotKeyValue(const HotKeyValue& value) {
    return base::Format("%u,%u,%u", static_cast<unsigned>(value.modifiers), static_cast<unsigned>(value.key),
                        static_cast<unsigned>(value.code));
}

HotKeyValue HotKeyFromShortcut(uint16_t code) {
    HotKeyValue value;
    value.code = code;
    value.key = code & kShortcutKeyMask;
    if (code & kShortcutAlt) {
        value.modifiers |= kModAlt;
    }
    if (code & kShortcutCtrl) {
        value.modifiers |= kModControl;
    }
    if (code & kShortcutShift) {
        value.modifiers |= kModShift;
    }
    return value;
}

namespace {

std::string KeyName(uint8_t key, const KeyNameFunction& systemName) {
    static const char* const kSpaceToDown[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                               "Left",  "Up",   "Right", "Down"};
    switch (key) {
        case 0x08:
            return "BkSp";
        case 0x09:
            return "Tab";
        case 0x0D:
            return "Enter";
        case 0x1B:
            return "Esc";
        case 0x2D:
            return "Ins";
        case 0x2E:
            return "Del";
        default:
            break;
    }
    if (key >= 0x20 && key <= 0x28) {
        return kSpaceToDown[key - 0x20];
    }
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        return std::string(1, static_cast<char>(key));
    }
    if (key >= 0x60 && key <= 0x69) {  // numeric pad digits
        return std::string(1, static_cast<char>('0' + (key - 0x60)));
    }
    if (key >= 0x70 && key <= 0x87) {  // F1 to F24
        return "F" + std::to_string(key - 0x6F);
    }
    return systemName ? systemName(key) : std::string();
}

}  // namespace

std::string ShortcutText(uint16_t code, const KeyNameFunction& systemName) {
    const std::string name = KeyName(static_cast<uint8_t>(code & 0xFF), systemName);
    if (name.empty()) {
        return {};
    }
    std::string text;
    if (code & kShortcutShift) {
        text += "Shift+";
    }
    if (code & kShortcutCtrl) {
        text += "Ctrl+";
    }
    if (code & kShortcutAlt) {
        text += "Alt+";
    }
    return text + name;
}

std::string TrayHintText(std::string_view title, uint16_t code, bool registered,
                         const KeyNameFunction& systemName) {
    std::string hint(title);
    if (code == 0) {
        return hint;
    }
    const std::string shortcut = ShortcutText(code, systemName);
    return hint + (registered ? "\r\n按" + shortcut + "键隐藏或显示界面"
                              : "\r\n快捷键" + shortcut + "已被其他程序占用");
}

std::string HotKeyHintText(uint16_t code, bool registered, const KeyNameFunction& systemName) {
    if (code == 0) {
        return "您还没有设置快捷键";
    }
    const std::string shortcut = ShortcutText(code, systemName);
    return registered ? "按 " + shortcut + " 键隐藏或显示界面" : "快捷键" + shortcut + "已被占用";
}

std::string TrayTipTitle(std::string_view title) {
    return std::string(title) + " 仍在运行";
}

std::string TrayTipText(uint16_t code, bool registered, const KeyNameFunction& systemName) {
    const std::string shortcut = code != 0 && registered ? ShortcutText(code, systemName) : std::string();
    if (shortcut.empty()) {
        return "双击托盘图标显示窗口";
    }
    return "按" + shortcut + "显示窗口，或双击托盘图标";
}

}  // namespace config
