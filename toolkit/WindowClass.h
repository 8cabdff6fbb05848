// The toolkit's own window classes. Their names start with the program's prefix (set once at start, so
// that outside programs find e.g. "<prefix>Application"), and each is registered once per process with
// the result checked the same way everywhere.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tk {

// The prefix of the toolkit's class names (the program's name); "Tk" until the program sets it.
void SetClassPrefix(std::wstring_view prefix);
// The prefix followed by the suffix ("Application", "Form", "TrayIcon"...).
std::wstring ClassName(std::wstring_view suffix);

struct WindowClassInfo {
    std::wstring name;
    WNDPROC procedure = nullptr;
    UINT style = 0;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
};

// Registers the class with this module unless it is registered already; raises base::Error when the
// system refuses.
void RegisterWindowClass(const WindowClassInfo& info);

// CreateWindowExW for one of the toolkit's windows; raises base::Error (naming what was being made)
// when the system gives no window.
HWND CreateToolkitWindow(DWORD exStyle, const std::wstring& className, const wchar_t* text, DWORD style,
                         int x, int y, int width, int height, HWND parent, void* param, const char* what);

}  // namespace tk
