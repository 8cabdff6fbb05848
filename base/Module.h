// Where the running program lives: its full path and folder, in the system code page.
#pragma once

#include <string>

namespace base {

// Full path of the running executable (ANSI, system code page).
std::string ExePath();
// Its folder with the trailing backslash.
std::string ExeFolder();
// The folder part of a path, up to and including its last backslash (or drive colon).
std::string FolderOf(const std::string& path);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

}  // namespace base
