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
// The path to hand the system's file functions for a file or folder: the path itself while it is
// shorter than kPlainPathLimit (base/LongPaths.h), else its full extended-length form, so files in a
// program folder near or past MAX_PATH still open. Relative paths are made full first (against the
// current directory, as the system would).
std::wstring FileSystemPath(const std::wstring& path);
// The path for the system functions that take neither an extended-length path nor one of MAX_PATH
// characters or more (the type-library loader, the profile functions): the path itself while it is
// shorter, else its short (8.3) form, which the file system has unless short names are switched off
// for the volume. Without one the path itself comes back and the reason goes to the log.
std::wstring ShortFormPath(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);

}  // namespace base
