#include "config/Reg2SysClass.h"

#include <shlobj.h>
#include <shobjidl.h>

#include "config/LinkNames.h"
#include "base/Handles.h"
#include "base/Log.h"
#include "base/Module.h"
#include "base/Text.h"

namespace config {

std::wstring TReg2SysClass::GetSpecialFolder(int Csidl) const {
    base::UniquePidl pidl;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, Csidl, pidl.Put())) || !pidl) {
        return {};
    }
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(pidl.Get(), path)) {
        return {};
    }
    return path;
}

bool TReg2SysClass::CreateShortcut(const std::wstring& Target, const std::wstring& WorkDir,
                                   const std::wstring& LinkPath) const {
    base::ComPtr<IShellLinkW> link;
    const HRESULT created =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid());
    base::ComPtr<IPersistFile> file = link ? link.As<IPersistFile>(IID_IPersistFile) : nullptr;
    if (FAILED(created) || !file) {
        base::LogF("No shell link object for a shortcut (%s)", base::HResultText(created).c_str());
        return false;
    }
    const std::wstring path = WithLinkExtension(LinkPath);
    // A link without its target would be a broken shortcut: nothing is written then.
    const HRESULT targetSet = link->SetPath(Target.c_str());
    if (FAILED(targetSet)) {
        base::LogF("The shortcut %s was not written: its target was refused (%s)",
                   base::WideToUtf8(path).c_str(), base::HResultText(targetSet).c_str());
        return false;
    }
    const HRESULT folderSet = link->SetWorkingDirectory(WorkDir.c_str());
    if (FAILED(folderSet)) {
        base::LogF("The shortcut %s was not written: its working directory was refused (%s)",
                   base::WideToUtf8(path).c_str(), base::HResultText(folderSet).c_str());
        return false;
    }
    // The user is not told (the shortcut is a convenience), but the log is.
    const HRESULT saved = file->Save(path.c_str(), FALSE);
    if (FAILED(saved)) {
        base::LogF("The shortcut %s could not be written (%s)", base::WideToUtf8(path).c_str(),
                   base::HResultText(saved).c_str());
    }
    return true;
}

void TReg2SysClass::DeleteRegValue(HKEY RootKey, const std::string& KeyPath,
                                   const std::string& ValueName) const {
    base::UniqueRegKey key;
    if (RegOpenKeyExA(RootKey, KeyPath.c_str(), 0, KEY_ALL_ACCESS, key.Put()) != ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueA(key.Get(), ValueName.c_str());
}

std::wstring TReg2SysClass::StartupShortcutPath() const {
    return PathInFolder(GetSpecialFolder(CSIDL_STARTUP), kShortcutName);
}

std::wstring TReg2SysClass::DesktopShortcutPath() const {
    return PathInFolder(GetSpecialFolder(CSIDL_DESKTOPDIRECTORY), kShortcutName);
}

std::wstring TReg2SysClass::ProgramGroupFolder() const {
    return PathInFolder(GetSpecialFolder(CSIDL_PROGRAMS), kShortcutName);
}

void TReg2SysClass::AddStartupShortcut(const std::wstring& ExePath) const {
    const std::wstring link = StartupShortcutPath();
    if (!link.empty()) {
        CreateShortcut(ExePath, base::FolderOf(ExePath), link);
    }
}

void TReg2SysClass::RemoveAutostart() const {
    DeleteRegValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName);
    const std::wstring link = StartupShortcutPath();
    if (!link.empty() && base::FileExists(link + L".lnk")) {
        DeleteFileW((link + L".lnk").c_str());
    }
}

void TReg2SysClass::CreateDesktopShortcut() const {
    const std::wstring link = DesktopShortcutPath();
    if (!link.empty()) {
        const std::wstring target = base::ExePath();
        CreateShortcut(target, base::FolderOf(target), link);
    }
}

void TReg2SysClass::CreateProgramGroupShortcut() const {
    const std::wstring folder = ProgramGroupFolder();
    if (folder.empty()) {
        return;
    }
    if (!base::DirectoryExists(folder)) {
        CreateDirectoryW(folder.c_str(), nullptr);  // a failure shows as a failed save below
    }
    const std::wstring target = base::ExePath();
    CreateShortcut(target, base::FolderOf(target), PathInFolder(folder, kShortcutName));
}

}  // namespace config
