#include "toolkit/WindowClass.h"

#include "base/Error.h"
#include "base/Format.h"
#include "base/Log.h"
#include "base/Text.h"

namespace tk {
namespace {

std::wstring& Prefix() {
    static std::wstring prefix = L"Tk";
    return prefix;
}

}  // namespace

void SetClassPrefix(std::wstring_view prefix) {
    Prefix() = prefix;
}

std::wstring ClassName(std::wstring_view suffix) {
    return Prefix() + std::wstring(suffix);
}

void RegisterWindowClass(const WindowClassInfo& info) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, info.name.c_str(), &existing)) {
        return;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = info.style;
    wc.lpfnWndProc = info.procedure;
    wc.hInstance = instance;
    wc.hIcon = info.icon;
    wc.hIconSm = info.icon;
    wc.hCursor = info.cursor;
    wc.lpszClassName = info.name.c_str();
    if (!RegisterClassExW(&wc)) {
        const DWORD error = GetLastError();
        const std::string message = base::Format("Unable to register the window class %s (error %lu)",
                                                 base::WideToUtf8(info.name).c_str(), error);
        base::LogF("Unable to register the window class %s (%s)", base::WideToUtf8(info.name).c_str(),
                   base::ErrorText(error).c_str());
        throw base::Error(message);
    }
}

HWND CreateToolkitWindow(DWORD exStyle, const std::wstring& className, const wchar_t* text, DWORD style,
                         int x, int y, int width, int height, HWND parent, void* param, const char* what) {
    HWND window = CreateWindowExW(exStyle, className.c_str(), text, style, x, y, width, height, parent,
                                  nullptr, GetModuleHandleW(nullptr), param);
    if (!window) {
        const DWORD error = GetLastError();
        base::LogF("Unable to create %s (%s)", what, base::ErrorText(error).c_str());
        throw base::Error(base::Format("Unable to create %s (error %lu)", what, error));
    }
    return window;
}

}  // namespace tk
