// Where the running program lives: its full path and folder, as UTF-16 paths, so that any folder a
// user name can make works.
#pragma once

#include <string>

namespace base {

// Full path of the running executable, however long (no MAX_PATH limit); empty only when the system
// cannot say.
std::wstring ExePath();
// The executable's file name without folder and extension ("Velmora").
std::wstring ExeBaseName();
// Its folder with the trailing backslash.
std::wstring ExeFolder();
// The folder part of a path, up to and including its last backslash (or drive colon).
std::wstring FolderOf(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);

}  // namespace base
