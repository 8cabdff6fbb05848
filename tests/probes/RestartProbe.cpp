// A stand-in for "Restart.exe": each start appends one line to starts.log beside itself, so a test
// can count how often (and which copy) was started. Its folder may have any name.
#include <windows.h>

#include <string>

#include "base/Handles.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.erase(folder.find_last_of(L'\\') + 1);
    base::UniqueFile log(CreateFileW((folder + L"starts.log").c_str(), FILE_APPEND_DATA,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    if (log) {
        const char line[] = "started\n";
        DWORD written = 0;
        WriteFile(log.Get(), line, sizeof(line) - 1, &written, nullptr);
    }
    return 0;
}
