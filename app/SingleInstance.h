// One copy of the program per program folder. The first thing the entry does: before any window,
// tray icon, INI file, registry value or shortcut is touched, the process takes a named mutex derived
// from its own executable's path (app/InstanceName.h gives the name; the installer computes the same
// name to tell whether the program runs from the install folder). A second start from the same path
// finds the first copy's main window, sends it WM_SHOWMAINWINDOW and ends; copies from different
// folders have different names and run side by side.
#pragma once

#include <windows.h>

#include <string>

namespace app {

// Takes the mutex for this process's executable. True: this is the first copy, go on (the mutex is held
// until the process ends). False: another copy from the same path runs; it has been asked to show its
// window (or could not be found within 5 s) and this process should end with code 0.
// A mutex that cannot be created for another reason lets the program run (logged).
bool ClaimSingleInstance();

// GetLongPathNameW of GetModuleFileNameW(nullptr), any length (the module path when the long form
// cannot be had).
std::wstring RunningExeLongPath();
// The long form of a path, or the path itself when the system cannot give one (missing file).
std::wstring LongPathOf(const std::wstring& path);
// The mutex name for an executable's long path (see app/InstanceName.h for the contract).
std::wstring InstanceMutexNameForPath(const std::wstring& exeLongPath);
// The top-level window of class TMainForm whose process (other than excludeProcessId) runs the image
// exeLongPath, compared case-insensitively in long form; nullptr when there is none.
HWND FindMainWindowOfImage(const std::wstring& exeLongPath, DWORD excludeProcessId);

}  // namespace app
