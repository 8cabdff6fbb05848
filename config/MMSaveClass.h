// TMMSaveClass: keeps the program's resident memory small by asking the system to trim the working
// set. The main window trims on every hide; the unit's hourly thread timer trims as long as the
// program runs.
#pragma once

#include <windows.h>

namespace config {

class TMMSaveClass {
  public:
    // On the NT family: SetProcessWorkingSetSize(current process, -1, -1), which removes as many
    // pages as possible from the working set. Elsewhere nothing. The result is not examined.
    void TrimWorkingSet() const;
};

// One hour.
inline constexpr UINT kTrimInterval = 3600000;

// The hourly trim timer: a thread timer without a window, started by the program entry before the
// main window exists and killed at the end. Starting again while it runs changes nothing.
void StartTrimTimer(UINT interval = kTrimInterval);
void StopTrimTimer();
// The identifier of the running timer (0 while none runs).
UINT_PTR TrimTimerId();

// The timer's procedure: trims unless a timer-driven trim is already running. Its arguments are
// not used.
void CALLBACK TrimTimerProc(HWND Window, UINT Message, UINT_PTR TimerId, DWORD Time);
// Whether a timer-driven trim is running now (the procedure's re-entry flag).
bool TimerTrimRunning();

}  // namespace config
