#include "config/MMSaveClass.h"

namespace config {
namespace {

UINT_PTR trimTimer = 0;
bool trimRunning = false;

bool IsNtFamily() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = GetVersionExA(&info);
#pragma GCC diagnostic pop
    return ok && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// Clears the re-entry flag however the trim ends.
struct RunningFlag {
    RunningFlag() { trimRunning = true; }
    ~RunningFlag() { trimRunning = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;
};

}  // namespace

void TMMSaveClass::TrimWorkingSet() const {
    if (IsNtFamily()) {
        SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    }
}

void StartTrimTimer(UINT interval) {
    if (trimTimer == 0) {
        trimTimer = SetTimer(nullptr, 0, interval, &TrimTimerProc);
    }
}

void StopTrimTimer() {
    if (trimTimer != 0) {
        KillTimer(nullptr, trimTimer);
        trimTimer = 0;
    }
}

UINT_PTR TrimTimerId() {
    return trimTimer;
}

bool TimerTrimRunning() {
    return trimRunning;
}

void CALLBACK TrimTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (trimRunning) {
        return;
    }
    RunningFlag running;
    TMMSaveClass().TrimWorkingSet();
}

}  // namespace config
