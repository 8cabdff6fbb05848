// TReg2SysClass: ties the program into the shell. It gives start with Windows through a shortcut in
// the user's Startup folder (and takes it away again, together with an old machine-wide Run value),
// and makes the desktop shortcut and the Start-menu program-group entry. It keeps no state; every
// user makes its own instance. Nothing here reports a failure: a shortcut that cannot be written is
// simply not there.
#pragma once

#include <windows.h>

#include <string>

namespace config {

// The autostart value that is only ever removed, never written.
inline constexpr const char* kRunKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "Tq.Orvane";

class TReg2SysClass {
  public:
    // The autostart shortcut, "<Startup>\Velmora.lnk", for the executable at ExePath (full path).
    void AddStartupShortcut(const std::wstring& ExePath) const;
    // Deletes the Run value (when the key opens with full access) and the autostart shortcut file.
    void RemoveAutostart() const;
    // "<Desktop>\Velmora.lnk" for the running executable.
    void CreateDesktopShortcut() const;
    // "<Programs>\Velmora\Velmora.lnk" for the running executable; the folder is made when missing.
    void CreateProgramGroupShortcut() const;

    // The file-system path of a special folder without a trailing backslash; empty when the shell
    // cannot resolve it.
    std::wstring GetSpecialFolder(int Csidl) const;
    // Writes one shell link holding the target and the working directory. LinkPath gets ".lnk"
    // appended unless it already ends in exactly ".lnk". False when the link object cannot be
    // created or refuses the target or working directory (nothing is written then); a failed save is
    // logged but not examined.
    bool CreateShortcut(const std::wstring& Target, const std::wstring& WorkDir,
                        const std::wstring& LinkPath) const;
    // Deletes one registry value when its key opens with KEY_ALL_ACCESS.
    void DeleteRegValue(HKEY RootKey, const std::string& KeyPath, const std::string& ValueName) const;

    // Where the shortcuts go: empty text when the special folder cannot be resolved.
    std::wstring StartupShortcutPath() const;
    std::wstring DesktopShortcutPath() const;
    std::wstring ProgramGroupFolder() const;
};

}  // namespace config
