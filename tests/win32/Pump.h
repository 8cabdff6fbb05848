// Lets the GUI thread handle its messages for a while, as the message loop would.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/Application.h"

namespace testsupport {

inline void Pump(int milliseconds) {
    const DWORD start = GetTickCount();
    do {
        tk::Application::Instance().ProcessMessages();
        Sleep(5);
    } while (static_cast<int>(GetTickCount() - start) < milliseconds);
}

// Pumps until the condition holds or the time is up; answers the condition.
inline bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) {
            return false;
        }
        tk::Application::Instance().ProcessMessages();
        Sleep(5);
    }
    return true;
}

}  // namespace testsupport
