// Which keystrokes the browser host keeps from the page. Platform-independent.
#pragma once

namespace webhost {

// Ctrl+N (key code 0x4E with Ctrl down and both Shift and Alt up) would open the page in a new
// browser window outside the shell; the host swallows it. Every other key reaches the browser.
bool HostSwallowsKey(unsigned keyCode, bool ctrlDown, bool shiftDown, bool altDown);

}  // namespace webhost
