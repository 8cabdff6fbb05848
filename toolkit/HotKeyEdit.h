// HotKeyEdit: the system's hot-key entry control ("msctls_hotkey32"), in which the user presses a key
// combination. Its value holds the virtual key in the low byte and the HOTKEYF_* modifier flags in
// the high byte.
#pragma once

#include <cstdint>

#include "toolkit/Control.h"
#include "toolkit/Font.h"

namespace tk {

class HotKeyEdit : public WinControl {
  public:
    HotKeyEdit(WinControl* parent, int left, int top, int width, int height);

    uint16_t HotKey() const;
    void SetHotKey(uint16_t value);
    // Combinations the control refuses (HKCOMB_* flags) and the modifiers it puts in their place.
    void SetRules(uint16_t invalidCombinations, uint16_t replacementModifiers);

    Font& GetFont() { return font_; }
    void FontChanged();
    void DpiChanged() override;

  private:
    Font font_;
};

}  // namespace tk
