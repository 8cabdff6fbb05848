#include "VelmoraProcess.h"

#include <stdexcept>
#include <vector>

#include "config/AppConfigClass.h"
#include "base/Module.h"
#include "base/Text.h"

namespace blackbox {
HWND FindMainWindow(DWORD processId) {
    for (HWND window : testsupport::WindowsOf(processId, L"TMainForm")) {
        wchar_t caption[64] = {};
        GetWindowTextW(window, caption, 64);
        if (std::wstring(caption) == L"Velmora") {
            return window;
        }
    }
    return nullptr;
}

HWND FindTrayIconWindow(DWORD processId) {
    const std::vector<HWND> windows = testsupport::WindowsOf(processId, L"VelmoraTrayIcon");
    return windows.empty() ? nullptr : windows.front();
}

VelmoraProcess::VelmoraProcess(const std::wstring& folderSuffix) : folder_(folderSuffix) {
    const std::wstring bin = base::ExeFolder();
    if (!CopyFileW((bin + L"Velmora.exe").c_str(), (WideFolder() + L"Velmora.exe").c_str(), FALSE)) {
        throw std::runtime_error("Velmora.exe is not built beside the tests");
    }
    if (testsupport::PathExists(bin + L"Skin")) {
        testsupport::CopyFolder(bin + L"Skin", WideFolder() + L"Skin");
    }
}

VelmoraProcess::~VelmoraProcess() {
    Stop();
}

void VelmoraProcess::Stop() {
    if (!Running()) {
        return;
    }
    if (HWND window = FindMainWindow(processId_)) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 3000, &result);
    }
    if (!WaitForExit(5000)) {
        TerminateProcess(process_.Get(), 1);
        WaitForExit(5000);
    }
}

void VelmoraProcess::WriteSysConfig(const std::string& lines) {
    testsupport::WriteFileBytes(WideFolder() + L"SysConfig.ini", "[Orvane]\r\n" + lines);
}

void VelmoraProcess::WriteUserConfig(const std::string& lines) {
    testsupport::WriteFileBytes(WideFolder() + L"UserConfig.ini", "[UserCustom]\r\n" + lines);
}

std::string VelmoraProcess::UserValue(const char* key) const {
    return config::ReadIniValue(WideFolder() + L"UserConfig.ini", "UserCustom", key);
}

bool VelmoraProcess::UserFileHasKey(const char* key) const {
    const std::string content = testsupport::ReadFileBytes(WideFolder() + L"UserConfig.ini");
    return content.find(std::string(key) + "=") != std::string::npos;
}

void VelmoraProcess::Start(const std::string& arguments, const std::wstring& currentDirectory) {
    std::wstring commandLine = L"\"" + WideFolder() + L"Velmora.exe\"";
    if (!arguments.empty()) {
        commandLine += L" " + base::AnsiToWide(arguments);
    }
    const std::wstring directory = currentDirectory.empty() ? WideFolder() : currentDirectory;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &si, &pi)) {
        throw std::runtime_error("cannot start Velmora.exe");
    }
    CloseHandle(pi.hThread);
    process_.Reset(pi.hProcess);
    processId_ = pi.dwProcessId;
}

VelmoraProcess::RunResult VelmoraProcess::RunAgain(int timeoutMs, const std::string& exePath) const {
    const std::string exe = exePath.empty() ? folder_.Path() + "Velmora.exe" : exePath;
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.Path().c_str(), &si, &pi)) {
        throw std::runtime_error("cannot start " + exe);
    }
    CloseHandle(pi.hThread);
    base::UniqueHandle process(pi.hProcess);
    const DWORD start = GetTickCount();
    RunResult result;
    result.ended = WaitForSingleObject(process.Get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
    result.elapsedMs = GetTickCount() - start;
    if (!result.ended) {
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), 5000);
    }
    GetExitCodeProcess(process.Get(), &result.exitCode);
    return result;
}

HWND VelmoraProcess::WaitForMainWindow(int timeoutMs) const {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindMainWindow(processId_)) != nullptr || !Running(); }, timeoutMs);
    return window;
}

HWND VelmoraProcess::StartShown(const std::string& arguments, const std::wstring& currentDirectory) {
    Start(arguments, currentDirectory);
    HWND window = WaitForMainWindow();
    return window && WaitUntil([&] { return IsWindowVisible(window) != FALSE; }) ? window : nullptr;
}

bool VelmoraProcess::WaitForExit(int timeoutMs) const {
    return !process_ || WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

bool VelmoraProcess::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

}  // namespace blackbox
