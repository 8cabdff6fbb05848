// Holds one global hot key, as another program would, until it is asked to quit (WM_QUIT posted to
// its thread) or a minute has passed. Usage: hotkey_holder <modifiers> <virtual key>. Exits with 2
// when the system does not give it the key.
#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char* rest = nullptr;
    const auto modifiers = static_cast<UINT>(std::strtoul(commandLine, &rest, 0));
    const auto key = static_cast<UINT>(std::strtoul(rest, nullptr, 0));
    if (!RegisterHotKey(nullptr, 1, modifiers, key)) {
        return 2;
    }
    SetTimer(nullptr, 0, 60000, nullptr);  // a forgotten holder goes by itself
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0 && msg.message != WM_TIMER) {
    }
    UnregisterHotKey(nullptr, 1);
    return 0;
}
