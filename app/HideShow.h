// Decisions of the hide/show logic: the hot-key debounce and what the toggle does.
// Platform-independent.
#pragma once

#include <cstdint>

namespace app {

// Visibility modes of ShowAppForms.
enum TShowMode { smHide = 0, smShow = 1, smForeground = 2 };

// The hot-key debounce. lastTick holds the low 16 bits of the tick count at the last hot-key message;
// every message restarts the interval, accepted or not. The difference is an unsigned 32-bit one, so
// after the 16-bit count wraps it is huge and the message is accepted.
bool AcceptHotKey(uint32_t& lastTick, uint32_t tickCount, uint32_t interval);

// The toggle: show a hidden window, hide an active program, otherwise bring it to the front.
TShowMode ToggleDecision(bool mainWindowVisible, bool applicationActive);

}  // namespace app
