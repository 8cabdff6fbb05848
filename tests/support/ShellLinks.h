// Shell links as the tests see them: where the user's special folders are (asked of the shell
// independently of the code under test), what a .lnk file holds (read back through IShellLinkW),
// and clean-up of the program's shortcuts, so that no test leaves a Startup entry behind.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "support/TestFiles.h"
#include "base/Handles.h"

namespace testsupport {

inline std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

inline std::wstring StartupLink() {
    return SpecialFolder(CSIDL_STARTUP) + L"\\Velmora.lnk";
}
inline std::wstring DesktopLink() {
    return SpecialFolder(CSIDL_DESKTOPDIRECTORY) + L"\\Velmora.lnk";
}
inline std::wstring ProgramGroup() {
    return SpecialFolder(CSIDL_PROGRAMS) + L"\\Velmora";
}
inline std::wstring ProgramGroupLink() {
    return ProgramGroup() + L"\\Velmora.lnk";
}

struct LinkContent {
    bool loaded = false;
    std::wstring target;
    std::wstring workDir;
};

inline LinkContent ReadLink(const std::wstring& path) {
    LinkContent content;
    base::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid()))) {
        return content;
    }
    base::ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file || FAILED(file->Load(path.c_str(), STGM_READ))) {
        return content;
    }
    // The target as the link's item list names it. (Wine keeps the link's other copy of the target,
    // which GetPath answers, in the system code page only, so a folder that the code page cannot
    // spell comes back with question marks there; Windows keeps both in full.)
    wchar_t buffer[MAX_PATH] = {};
    LPITEMIDLIST items = nullptr;
    if (SUCCEEDED(link->GetIDList(&items)) && items) {
        base::UniquePidl owned(items);
        SHGetPathFromIDListW(items, buffer);
    }
    if (!buffer[0]) {
        link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    }
    content.target = buffer;
    buffer[0] = L'\0';
    link->GetWorkingDirectory(buffer, MAX_PATH);
    content.workDir = buffer;
    content.loaded = true;
    return content;
}

// Exactly how a file in a folder is spelled (the file system may ignore case), or empty text.
inline std::wstring ExactName(const std::wstring& folder, const std::wstring& name) {
    const std::vector<std::wstring> names = NamesMatching(folder + L"\\" + name);
    return names.empty() ? std::wstring() : names.front();
}

// Removes every shortcut and folder the program may have made in the user's folders.
inline void RemoveProgramShortcuts() {
    DeleteFileW(StartupLink().c_str());
    DeleteFileW(DesktopLink().c_str());
    RemovePath(ProgramGroup());
}

}  // namespace testsupport
