#include "base/Keyboard.h"

#include <windows.h>

#include "base/Text.h"

namespace base {

std::string SystemKeyName(uint8_t virtualKey) {
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0) {
        return {};
    }
    char name[64] = {};
    const int n = GetKeyNameTextA(static_cast<LONG>(scanCode) << 16, name, sizeof(name));
    return n > 0 ? AnsiToUtf8(std::string(name, static_cast<size_t>(n))) : std::string();
}

}  // namespace base
