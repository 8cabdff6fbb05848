#include "toolkit/HotKeyEdit.h"

#include <commctrl.h>

namespace tk {

HotKeyEdit::HotKeyEdit(WinControl* parent, int left, int top, int width, int height) : WinControl(parent) {
    CreateHandle(WindowParams::Child(parent ? parent->Handle() : nullptr, HOTKEY_CLASSW, true, WS_TABSTOP,
                                     left, top, width, height));
    RecordAnchorOrigin();
    FontChanged();
}

uint16_t HotKeyEdit::HotKey() const {
    return Handle() ? static_cast<uint16_t>(SendMessageW(Handle(), HKM_GETHOTKEY, 0, 0) & 0xFFFF) : 0;
}

void HotKeyEdit::SetHotKey(uint16_t value) {
    if (Handle()) {
        SendMessageW(Handle(), HKM_SETHOTKEY, value, 0);
    }
}

void HotKeyEdit::SetRules(uint16_t invalidCombinations, uint16_t replacementModifiers) {
    if (Handle()) {
        SendMessageW(Handle(), HKM_SETRULES, invalidCombinations, MAKELPARAM(replacementModifiers, 0));
    }
}

void HotKeyEdit::DpiChanged() {
    FontChanged();
}

void HotKeyEdit::FontChanged() {
    font_.SetDpi(Dpi());
    if (Handle()) {
        SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    }
}

}  // namespace tk
