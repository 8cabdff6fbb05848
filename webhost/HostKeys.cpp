#include "webhost/HostKeys.h"

namespace webhost {

bool HostSwallowsKey(unsigned keyCode, bool ctrlDown, bool shiftDown, bool altDown) {
    constexpr unsigned kKeyN = 0x4E;
    return keyCode == kKeyN && ctrlDown && !shiftDown && !altDown;
}

}  // namespace webhost
