// Decisions the two dialogs share, kept free of the platform: the drag strip along the top edge, the
// conversion between the hot-key control's value and the configuration's shortcut code, and which
// shortcuts the settings dialog takes as the global hot key.
#pragma once

#include <cstdint>
#include <string>

#include "toolkit/DpiScale.h"

namespace dialogs {

// The top strip a borderless dialog is dragged by: design rows 0 to 28, from the left edge up to and
// including design column rightmost (the close cross starts there). At another scale a pixel is in
// it when it lies within the pixels those design rows and columns cover there.
inline constexpr int kDragStripBottom = 28;
bool InDragStrip(int x, int y, int rightmost, const tk::DpiScale& scale = tk::DpiScale());

// The hot-key control's value holds the virtual key in its low byte and the modifier flags in its
// high byte: 1 Shift, 2 Ctrl, 4 Alt, 8 extended key.
inline constexpr uint16_t kHotKeyControlShift = 0x0100;
inline constexpr uint16_t kHotKeyControlCtrl = 0x0200;
inline constexpr uint16_t kHotKeyControlAlt = 0x0400;
inline constexpr uint16_t kHotKeyControlExt = 0x0800;

// Control value -> shortcut code (0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt; the key in the low byte).
// The extended-key flag only tells which physical key was pressed and is dropped.
uint16_t ShortcutFromHotKeyControl(uint16_t value);
// Shortcut code -> control value. Bits 8 to 12 of the code (no key has a code above 255) are dropped.
uint16_t HotKeyControlFromShortcut(uint16_t code);

// The hot-key control's rules: the combinations it refuses (a key alone, Shift plus a key) and the
// modifiers put in their place (none), as HKM_SETRULES takes them.
inline constexpr uint16_t kInvalidCombinations = 0x0001 | 0x0002;  // HKCOMB_NONE | HKCOMB_S
inline constexpr uint16_t kReplacementModifiers = 0;

// Whether the settings dialog takes a shortcut code as the global hot key: none at all (0), any key
// with Ctrl or Alt, and, alone or with Shift, only keys that type nothing in other programs: F1 to F24,
// Pause and Scroll Lock. A plain letter would otherwise toggle the window whenever it is typed.
bool AcceptableGlobalHotKey(uint16_t code);

// The settings dialog's refusals of a chosen hot key: one that the rule above does not take, and one
// that another program holds (shortcut: its display text).
std::string NeedsModifierText();
std::string HotKeyTakenText(const std::string& shortcut);

}  // namespace dialogs
