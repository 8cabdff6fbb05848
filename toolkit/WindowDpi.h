// Where a window's display scale comes from: the system's per-window DPI where the system has it
// (Windows 10 1607 and later), else the screen's DPI.
#pragma once

#include <windows.h>

#include "toolkit/DpiScale.h"
#include "toolkit/GdiHandles.h"

namespace tk {

// Sent under per-monitor v2 awareness before WM_DPICHANGED (Windows 10 1703 and later); the headers
// give it only to builds for those systems.
inline constexpr UINT kWmGetDpiScaledSize = 0x02E4;

// The DPI of the screen as a whole: what the system scaled for before per-monitor scaling.
int SystemDpi();
// The DPI a window is drawn at; the system DPI for no window or where the system cannot say.
int WindowDpi(HWND window);
inline DpiScale WindowScale(HWND window) {
    return DpiScale(WindowDpi(window));
}

// The DPI of a monitor (its effective DPI, Windows 8.1 and later); the system DPI where the system
// cannot say or for no monitor.
int MonitorDpi(HMONITOR monitor);
// The DPI of the monitor nearest to a screen point.
int PointDpi(POINT point);

// The side of a small icon (tray, caption) at a DPI: the system's metric for that DPI where the
// system can say, else the screen's metric scaled.
int SmallIconSize(int dpi);
// An icon resource at the given side, the best image of a multi-size icon scaled down to it (never up
// when a larger image exists); null when the resource is missing.
UniqueIcon LoadIconOfSize(HINSTANCE module, const wchar_t* name, int side);

}  // namespace tk
