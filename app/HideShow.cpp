#include "app/HideShow.h"

namespace app {

bool AcceptHotKey(uint32_t& lastTick, uint32_t tickCount, uint32_t interval) {
    const uint32_t now = tickCount & 0xFFFF;
    const bool accepted = now - lastTick >= interval;
    lastTick = now;
    return accepted;
}

TShowMode ToggleDecision(bool mainWindowVisible, bool applicationActive) {
    if (!mainWindowVisible) {
        return smShow;
    }
    return applicationActive ? smHide : smForeground;
}

}  // namespace app
