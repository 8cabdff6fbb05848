#include "toolkit/WindowDpi.h"

#include <commctrl.h>

#include "base/Handles.h"

namespace tk {
namespace {

// GetDpiForWindow is looked up at run time: the program also runs where user32 lacks it.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction GetDpiForWindowOfSystem() {
    static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    return function;
}

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

template <typename Function>
Function SystemFunction(const wchar_t* module, const char* name) {
    const HMODULE loaded = GetModuleHandleW(module);
    return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)))
                  : nullptr;
}

struct LibraryTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Free(HMODULE module) { FreeLibrary(module); }
};
using UniqueLibrary = base::Unique<HMODULE, LibraryTraits>;

// GetDpiForMonitor (Windows 8.1 and later) is looked up at run time: shcore.dll is missing before.
// The library stays loaded for the rest of the run, as the function is kept.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int dpiType, UINT* dpiX, UINT* dpiY);
constexpr int kMonitorEffectiveDpi = 0;

GetDpiForMonitorFunction GetDpiForMonitorOfSystem() {
    static const UniqueLibrary shcore(LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    static const auto function = shcore ? reinterpret_cast<GetDpiForMonitorFunction>(reinterpret_cast<void*>(
                                              GetProcAddress(shcore.Get(), "GetDpiForMonitor")))
                                        : nullptr;
    return function;
}

}  // namespace

int MonitorDpi(HMONITOR monitor) {
    UINT dpiX = 0;
    UINT dpiY = 0;
    if (const GetDpiForMonitorFunction function = GetDpiForMonitorOfSystem();
        function && monitor && SUCCEEDED(function(monitor, kMonitorEffectiveDpi, &dpiX, &dpiY)) &&
        DpiScale::Plausible(static_cast<int>(dpiX))) {
        return static_cast<int>(dpiX);
    }
    return SystemDpi();
}

int PointDpi(POINT point) {
    return MonitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

int SmallIconSize(int dpi) {
    static const auto forDpi =
        SystemFunction<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi");
    if (forDpi) {
        if (const int side = forDpi(SM_CXSMICON, static_cast<UINT>(DpiScale(dpi).Dpi())); side > 0) {
            return side;
        }
    }
    return DpiScale(dpi).FromDpi(GetSystemMetrics(SM_CXSMICON), SystemDpi());
}

UniqueIcon LoadIconOfSize(HINSTANCE module, const wchar_t* name, int side) {
    // comctl32 is loaded with the program's controls; version 6 has the scaling-down loader.
    static const auto scaleDown =
        SystemFunction<LoadIconWithScaleDownFunction>(L"comctl32.dll", "LoadIconWithScaleDown");
    HICON icon = nullptr;
    if (scaleDown && SUCCEEDED(scaleDown(module, name, side, side, &icon)) && icon) {
        return UniqueIcon(icon);
    }
    return UniqueIcon(static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
}

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
