#include "support/Wait.h"

#include <cstdlib>
#include <utility>

#include "toolkit/Application.h"

namespace testsupport {
namespace {

void HandleMessagesAndRest() {
    tk::Application::Instance().ProcessMessages();
    Sleep(5);
}

std::function<void()>& PendingAction() {
    static std::function<void()> pending;
    return pending;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) {
            return false;
        }
        HandleMessagesAndRest();
    }
    return true;
}

void PumpFor(int milliseconds) {
    const DWORD start = GetTickCount();
    do {
        HandleMessagesAndRest();
    } while (static_cast<int>(GetTickCount() - start) < milliseconds);
}

void HoldForScreenshot() {
    if (const char* hold = std::getenv("VELMORA_TEST_HOLD_MS")) {
        PumpFor(std::atoi(hold));
    }
}

void LaterAction::Schedule(std::function<void()> action, UINT delayMs) {
    PendingAction() = std::move(action);
    SetTimer(nullptr, 0, delayMs, &Fire);
}

void CALLBACK LaterAction::Fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto action = std::exchange(PendingAction(), nullptr);
    if (action) {
        action();
    }
}

}  // namespace testsupport
