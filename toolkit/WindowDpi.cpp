#include "toolkit/WindowDpi.h"

#include "toolkit/GdiHandles.h"

namespace tk {
namespace {

// GetDpiForWindow is looked up at run time: the program also runs where user32 lacks it.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction GetDpiForWindowOfSystem() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

}  // namespace

int SystemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return DpiScale(dpi).Dpi();
}

int WindowDpi(HWND window) {
    if (window && IsWindow(window)) {
        if (const GetDpiForWindowFunction function = GetDpiForWindowOfSystem()) {
            if (const UINT dpi = function(window); dpi > 0) {
                return static_cast<int>(dpi);
            }
        }
    }
    return SystemDpi();
}

}  // namespace tk
