#include "app/SingleInstance.h"

#include <winternl.h>

#include <algorithm>
#include <utility>

#include "app/InstanceName.h"
#include "app/PrivateMessages.h"
#include "base/Handles.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/Text.h"

namespace app {
namespace {

constexpr ULONG kHashStringAlgorithmX65599 = 1;
constexpr DWORD kFindWindowTimeoutMs = 5000;

using RtlHashUnicodeStringFn = NTSTATUS(NTAPI*)(PCUNICODE_STRING, BOOLEAN, ULONG, PULONG);

std::u16string_view AsU16(const std::wstring& text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

uint32_t CaseInsensitivePathHash(const std::wstring& path) {
    static const auto hashFn = reinterpret_cast<RtlHashUnicodeStringFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlHashUnicodeString")));
    // UNICODE_STRING counts bytes in 16 bits: 32767 characters at most, which is also the longest path.
    if (hashFn && path.size() <= 32767) {
        UNICODE_STRING text;
        text.Buffer = const_cast<PWSTR>(path.c_str());
        text.Length = static_cast<USHORT>(path.size() * sizeof(wchar_t));
        text.MaximumLength = text.Length;
        ULONG hash = 0;
        if (hashFn(&text, TRUE, kHashStringAlgorithmX65599, &hash) >= 0) {
            return hash;
        }
    }
    return HashX65599AsciiFolded(AsU16(path));
}

struct WindowSearch {
    const std::wstring* exeLongPath;
    DWORD excludeProcessId;
    HWND found;
};

std::wstring ProcessImagePath(DWORD processId) {
    base::UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) {
        return {};
    }
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(process.Get(), 0, path.data(), &size)) {
            path.resize(size);
            return path;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
}

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    wchar_t cls[16] = {};
    if (GetClassNameW(window, cls, 16) == 0 || std::wstring_view(cls) != L"TMainForm") {
        return TRUE;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0 || processId == search->excludeProcessId) {
        return TRUE;
    }
    const std::wstring image = ProcessImagePath(processId);
    if (image.empty()) {
        return TRUE;
    }
    const std::wstring longImage = LongPathOf(image);
    if (CompareStringOrdinal(longImage.c_str(), static_cast<int>(longImage.size()),
                             search->exeLongPath->c_str(), static_cast<int>(search->exeLongPath->size()),
                             TRUE) == CSTR_EQUAL) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Asks the first copy to show its window, looking for it for up to 5 s.
void ShowFirstCopy(const std::wstring& exeLongPath) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (HWND window = FindMainWindowOfImage(exeLongPath, GetCurrentProcessId())) {
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            // Lets the first copy bring itself forward (Windows grants that only to the foreground's owner).
            AllowSetForegroundWindow(processId);
            const DWORD timeout =
                std::clamp<DWORD>(kFindWindowTimeoutMs - std::min(elapsed, kFindWindowTimeoutMs), 200, 2000);
            DWORD_PTR result = 0;
            const bool answered =
                SendMessageTimeoutW(window, WM_SHOWMAINWINDOW, 0, 0, SMTO_ABORTIFHUNG, timeout, &result) != 0;
            base::LogF("Second start of %s: the copy already running (process %lu) %s",
                       base::WideToUtf8(exeLongPath).c_str(), static_cast<unsigned long>(processId),
                       answered ? "was asked to show its window" : "did not answer WM_SHOWMAINWINDOW");
            return;
        }
        if (elapsed >= kFindWindowTimeoutMs) {
            base::LogF("Second start of %s: the copy already running has no main window after 5 s; ending",
                       base::WideToUtf8(exeLongPath).c_str());
            return;
        }
        Sleep(100);
    }
}

}  // namespace

std::wstring LongPathOf(const std::wstring& path) {
    std::wstring longPath(path.size() + 1, L'\0');
    for (;;) {
        const DWORD length =
            GetLongPathNameW(path.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
        if (length == 0) {
            return path;
        }
        if (length < longPath.size()) {
            longPath.resize(length);
            return longPath;
        }
        longPath.resize(length);  // the size asked for, terminator included
    }
}

std::wstring RunningExeLongPath() {
    const std::wstring path = base::ExePath();
    return path.empty() ? path : LongPathOf(path);
}

std::wstring InstanceMutexNameForPath(const std::wstring& exeLongPath) {
    const std::u16string name = InstanceMutexName(CaseInsensitivePathHash(exeLongPath));
    return {name.begin(), name.end()};
}

HWND FindMainWindowOfImage(const std::wstring& exeLongPath, DWORD excludeProcessId) {
    WindowSearch search{&exeLongPath, excludeProcessId, nullptr};
    EnumWindows(&MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ClaimSingleInstance() {
    const std::wstring exePath = RunningExeLongPath();
    if (exePath.empty()) {
        base::Log("Single instance: the program's own path is unknown; running without the check");
        return true;
    }
    const std::wstring name = InstanceMutexNameForPath(exePath);
    base::UniqueHandle mutex(CreateMutexW(nullptr, FALSE, name.c_str()));
    const DWORD error = GetLastError();
    if (mutex && error != ERROR_ALREADY_EXISTS) {
        // Held until the process ends (the system also lets go of it when a process ends otherwise).
        static base::UniqueHandle held;
        held = std::move(mutex);
        return true;
    }
    if (!mutex && error != ERROR_ACCESS_DENIED) {
        // Access denied means that it exists under another security context: a copy runs.
        base::LogF("Single instance: CreateMutexW(%s) failed with %lu; running without the check",
                   base::WideToUtf8(name).c_str(), static_cast<unsigned long>(error));
        return true;
    }
    mutex.Reset();
    ShowFirstCopy(exePath);
    return false;
}

}  // namespace app
