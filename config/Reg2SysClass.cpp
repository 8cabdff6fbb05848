#include "config/Reg2SysClass.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "config/LinkNames.h"
#include "base/Handles.h"
#include "base/Module.h"
#include "base/Text.h"

namespace config {
namespace {

// The ANSI link path as the wide text IPersistFile::Save takes.
std::wstring WideLinkPath(const std::string& path) {
    return base::AnsiToWide(path);
}

// Runs one shell operation; the class reports nothing, whatever goes wrong.
template <typename F>
void Silently(F&& operation) {
    try {
        operation();
    } catch (...) {
    }
}

}  // namespace

std::string TReg2SysClass::GetSpecialFolder(int Csidl) const {
    base::UniquePidl pidl;
    LPITEMIDLIST raw = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, Csidl, &raw)) || !raw) {
        return {};
    }
    pidl.Reset(raw);
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(pidl.Get(), path)) {
        return {};
    }
    return path;
}

bool TReg2SysClass::CreateShortcut(const std::string& Target, const std::string& WorkDir,
                                   const std::wstring& LinkPath) const {
    base::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid())) ||
        !link) {
        return false;
    }
    base::ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file) {
        return false;
    }
    link->SetPath(Target.c_str());
    link->SetWorkingDirectory(WorkDir.c_str());
    const std::wstring path = WithLinkExtension(LinkPath);
    file->Save(path.c_str(), FALSE);
    return true;
}

void TReg2SysClass::DeleteRegValue(HKEY RootKey, const std::string& KeyPath,
                                   const std::string& ValueName) const {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(RootKey, KeyPath.c_str(), 0, KEY_ALL_ACCESS, &raw) != ERROR_SUCCESS) {
        return;
    }
    base::UniqueRegKey key(raw);
    RegDeleteValueA(key.Get(), ValueName.c_str());
}

std::string TReg2SysClass::StartupShortcutPath() const {
    return PathInFolder(GetSpecialFolder(kCsidlStartup), kShortcutName);
}

std::string TReg2SysClass::DesktopShortcutPath() const {
    return PathInFolder(GetSpecialFolder(kCsidlDesktopDirectory), kShortcutName);
}

std::string TReg2SysClass::ProgramGroupFolder() const {
    return PathInFolder(GetSpecialFolder(kCsidlPrograms), kShortcutName);
}

void TReg2SysClass::AddStartupShortcut(const std::string& ExePath) const {
    Silently([&] {
        const std::string link = StartupShortcutPath();
        if (!link.empty()) {
            CreateShortcut(ExePath, base::FolderOf(ExePath), WideLinkPath(link));
        }
    });
}

void TReg2SysClass::RemoveAutostart() const {
    Silently([&] {
        DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName);
        const std::string link = StartupShortcutPath();
        if (!link.empty() && base::FileExists(link + ".lnk")) {
            DeleteFileA((link + ".lnk").c_str());
        }
    });
}

void TReg2SysClass::CreateDesktopShortcut() const {
    Silently([&] {
        const std::string link = DesktopShortcutPath();
        if (!link.empty()) {
            const std::string target = base::ExePath();
            CreateShortcut(target, base::FolderOf(target), WideLinkPath(link));
        }
    });
}

void TReg2SysClass::CreateProgramGroupShortcut() const {
    Silently([&] {
        const std::string folder = ProgramGroupFolder();
        if (folder.empty()) {
            return;
        }
        if (!base::DirectoryExists(folder)) {
            CreateDirectoryA(folder.c_str(), nullptr);  // a failure shows as a failed save below
        }
        const std::string target = base::ExePath();
        CreateShortcut(target, base::FolderOf(target), WideLinkPath(PathInFolder(folder, kShortcutName)));
    });
}

}  // namespace config
