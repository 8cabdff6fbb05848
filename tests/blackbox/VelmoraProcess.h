// Runs the built Velmora.exe from a program folder of its own, with chosen configuration files,
// and looks at it from outside the way another program would: by window class and caption.
#pragma once

#include <windows.h>

#include <string>

#include "support/TestFiles.h"
#include "support/Wait.h"
#include "support/WindowProbes.h"
#include "base/Handles.h"

namespace blackbox {

class VelmoraProcess {
  public:
    // Copies Velmora.exe (and its Skin folder, when built) into a fresh program folder, whose name
    // ends in folderSuffix.
    explicit VelmoraProcess(const std::wstring& folderSuffix = L"");
    // Ends the program if it still runs: first as Windows would at the end of a session, so it
    // releases what it holds; forcibly only if that fails.
    ~VelmoraProcess();
    VelmoraProcess(const VelmoraProcess&) = delete;
    VelmoraProcess& operator=(const VelmoraProcess&) = delete;

    const std::string& Folder() const { return folder_.Path(); }
    const std::wstring& WideFolder() const { return folder_.WidePath(); }
    void WriteSysConfig(const std::string& lines);
    void WriteUserConfig(const std::string& lines);
    std::string UserValue(const char* key) const;
    bool UserFileHasKey(const char* key) const;

    // Starts the program; currentDirectory empty: its own folder.
    void Start(const std::string& arguments = "", const std::wstring& currentDirectory = L"");
    // The program's main window (class TMainForm, caption Velmora), or nullptr after the timeout.
    HWND WaitForMainWindow(int timeoutMs = 15000) const;
    // Starts the program and waits until its main window is shown; nullptr when it never is.
    HWND StartShown(const std::string& arguments = "", const std::wstring& currentDirectory = L"");
    bool WaitForExit(int timeoutMs = 10000) const;
    bool Running() const;
    DWORD ProcessId() const { return processId_; }
    void Stop();

    // What a start of the same program file ended with.
    struct RunResult {
        bool ended = false;  // within the time allowed (otherwise it was ended forcibly)
        DWORD exitCode = 0;
        DWORD elapsedMs = 0;
    };
    // Starts Velmora.exe of this folder once more, as another process, and waits for it to end.
    // exePath empty: the folder's Velmora.exe spelled as Folder() spells it.
    RunResult RunAgain(int timeoutMs, const std::string& exePath = "") const;

  private:
    testsupport::TempFolder folder_;
    base::UniqueHandle process_;
    DWORD processId_ = 0;
};

// The main window of a process by class and caption (hidden windows too).
HWND FindMainWindow(DWORD processId);
// The hidden window behind a process's notification-area icon (class VelmoraTrayIcon), or nullptr.
HWND FindTrayIconWindow(DWORD processId);

using testsupport::HotKeyIsHeld;
using testsupport::WaitUntil;

}  // namespace blackbox
