// The "HotKey" value (modifiers, virtual key, shortcut code) and the texts that show a shortcut to
// the user. Platform-independent: the system's key names come in through a callback.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace config {

// Bits of a shortcut code besides the virtual key in its low byte.
constexpr uint16_t kShortcutShift = 0x2000;
constexpr uint16_t kShortcutCtrl = 0x4000;
constexpr uint16_t kShortcutAlt = 0x8000;
constexpr uint16_t kShortcutKeyMask = 0x1FFF;

// Modifier flags as RegisterHotKey takes them.
constexpr uint32_t kModAlt = 1;
constexpr uint32_t kModControl = 2;
constexpr uint32_t kModShift = 4;

struct HotKeyValue {
    uint32_t modifiers = 0;
    uint32_t key = 0;
    uint16_t code = 0;
    bool operator==(const HotKeyValue&) const = default;
};

// Reads "modifiers,key,code". Empty text is no hot key (all zero). A missing field or one that is
// not an integer raises the list-index or conversion error of the first bad field.
HotKeyValue ParseHotKeyValue(std::string_view text);
// A "HotKey" value checked for use: the registration it asks for, or why it cannot be used (fields
// missing or not integers, a number out of range, modifier bits other than Alt, Ctrl and Shift, no
// key, or a code whose key and modifiers are not the ones registered). Empty text and "0,0,0" are no
// hot key, which is usable.
struct HotKeySetting {
    HotKeyValue value;
    std::string problem;  // empty when usable
};
HotKeySetting ReadHotKeySetting(std::string_view text);

// Writes "%u,%u,%u", the code as an unsigned 16-bit number.
std::string FormatHotKeyValue(const HotKeyValue& value);
// The registration that a shortcut code stands for: key = code & 0x1FFF, modifiers from its bits.
HotKeyValue HotKeyFromShortcut(uint16_t code);

// The system's name of a virtual key (empty when the key has none), in UTF-8.
using KeyNameFunction = std::function<std::string(uint8_t virtualKey)>;

// "Shift+", "Ctrl+", "Alt+" as the code says, then the key's name. A key without a name gives an
// empty text (no prefixes either).
std::string ShortcutText(uint16_t code, const KeyNameFunction& systemName);

// The texts below tell the user about the configured shortcut. code 0 is no hot key at all; otherwise
// registered says whether the system took it (false: another program holds the combination).

// The tray icon's hint: the title alone without a shortcut, else the title, CR LF and
// "按<shortcut>键隐藏或显示界面", or "快捷键<shortcut>已被其他程序占用" when it is not registered.
std::string TrayHintText(std::string_view title, uint16_t code, bool registered,
                         const KeyNameFunction& systemName);

// The caption label's hot-key hint: "按 <shortcut> 键隐藏或显示界面", "快捷键<shortcut>已被占用" when it is
// not registered, or "您还没有设置快捷键" without one.
std::string HotKeyHintText(uint16_t code, bool registered, const KeyNameFunction& systemName);

// The balloon the tray icon shows the first time the window goes to the tray: its title
// ("<title> 仍在运行") and its text, which names the shortcut when there is one that works.
std::string TrayTipTitle(std::string_view title);
std::string TrayTipText(uint16_t code, bool registered, const KeyNameFunction& systemName);

}  // namespace config
