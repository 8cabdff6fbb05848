#include "dialogs/DialogRules.h"

#include "config/HotKeyText.h"

namespace dialogs {

bool InDragStrip(int x, int y, int rightmost) {
    return y <= kDragStripBottom && x <= rightmost;
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

}  // namespace dialogs
