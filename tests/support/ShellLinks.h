// Shell links as the tests see them: where the user's special folders are (asked of the shell
// independently of the code under test), what a .lnk file holds (read back through IShellLinkA),
// and clean-up of the program's shortcuts, so that no test leaves a Startup entry behind.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "support/TestFiles.h"
#include "base/Handles.h"
#include "base/Text.h"

namespace testsupport {

inline std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

inline std::string StartupLink() {
    return SpecialFolder(CSIDL_STARTUP) + "\\Velmora.lnk";
}
inline std::string DesktopLink() {
    return SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Velmora.lnk";
}
inline std::string ProgramGroup() {
    return SpecialFolder(CSIDL_PROGRAMS) + "\\Velmora";
}
inline std::string ProgramGroupLink() {
    return ProgramGroup() + "\\Velmora.lnk";
}

struct LinkContent {
    bool loaded = false;
    std::string target;
    std::string workDir;
};

inline LinkContent ReadLink(const std::string& path) {
    LinkContent content;
    base::ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.PutVoid()))) {
        return content;
    }
    base::ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    const std::wstring wide = base::AnsiToWide(path);
    if (!file || FAILED(file->Load(wide.c_str(), STGM_READ))) {
        return content;
    }
    char buffer[MAX_PATH] = {};
    link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    content.target = buffer;
    buffer[0] = '\0';
    link->GetWorkingDirectory(buffer, MAX_PATH);
    content.workDir = buffer;
    content.loaded = true;
    return content;
}

// Exactly how a file in a folder is spelled (the file system may ignore case), or empty text.
inline std::string ExactName(const std::string& folder, const std::string& name) {
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA((folder + "\\" + name).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return {};
    }
    FindClose(find);
    return data.cFileName;
}

// Removes every shortcut and folder the program may have made in the user's folders.
inline void RemoveProgramShortcuts() {
    DeleteFileA(StartupLink().c_str());
    DeleteFileA(DesktopLink().c_str());
    RemovePath(ProgramGroup());
}

}  // namespace testsupport
