#include "dialogs/DialogRules.h"

#include "config/HotKeyText.h"

namespace dialogs {

bool InDragStrip(int x, int y, int rightmost, const tk::DpiScale& scale) {
    return y < scale.ToPixels(kDragStripBottom + 1) && x < scale.ToPixels(rightmost + 1);
}

uint16_t ShortcutFromHotKeyControl(uint16_t value) {
    uint16_t code = value & 0x00FF;
    if (value & kHotKeyControlShift) {
        code |= config::kShortcutShift;
    }
    if (value & kHotKeyControlCtrl) {
        code |= config::kShortcutCtrl;
    }
    if (value & kHotKeyControlAlt) {
        code |= config::kShortcutAlt;
    }
    return code;
}

uint16_t HotKeyControlFromShortcut(uint16_t code) {
    uint16_t value = code & 0x00FF;
    if (code & config::kShortcutShift) {
        value |= kHotKeyControlShift;
    }
    if (code & config::kShortcutCtrl) {
        value |= kHotKeyControlCtrl;
    }
    if (code & config::kShortcutAlt) {
        value |= kHotKeyControlAlt;
    }
    return value;
}

bool AcceptableGlobalHotKey(uint16_t code) {
    if (code == 0 || (code & (config::kShortcutCtrl | config::kShortcutAlt)) != 0) {
        return true;
    }
    const uint8_t key = static_cast<uint8_t>(code & 0xFF);
    constexpr uint8_t kF1 = 0x70, kF24 = 0x87, kPause = 0x13, kScrollLock = 0x91;
    return (key >= kF1 && key <= kF24) || key == kPause || key == kScrollLock;
}

std::string NeedsModifierText() {
    return "请使用Ctrl或Alt组合键，或F1–F24、Pause、Scroll Lock";
}

std::string HotKeyTakenText(const std::string& shortcut) {
    return "快捷键" + shortcut + "已被其他程序占用，请换一个。";
}

}  // namespace dialogs
