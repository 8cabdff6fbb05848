#include "support/HotKeyHolder.h"

#include <stdexcept>
#include <string>

#include "support/WindowProbes.h"
#include "base/Module.h"

namespace testsupport {

HotKeyHolder::HotKeyHolder(UINT modifiers, UINT key) {
    std::wstring commandLine = L"\"" + base::ExeFolder() + L"hotkey_holder.exe\" " +
                               std::to_wstring(modifiers) + L" " + std::to_wstring(key);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
        throw std::runtime_error("cannot start hotkey_holder.exe");
    }
    CloseHandle(pi.hThread);
    process_.Reset(pi.hProcess);
    threadId_ = pi.dwThreadId;
    for (DWORD start = GetTickCount(); !HotKeyIsHeld(modifiers, key); Sleep(20)) {
        if (WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0 || GetTickCount() - start > 5000) {
            throw std::runtime_error("hotkey_holder.exe did not get the hot key");
        }
    }
}

HotKeyHolder::~HotKeyHolder() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (WaitForSingleObject(process_.Get(), 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
}

}  // namespace testsupport
