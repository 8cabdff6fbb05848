// Paths inside a program folder that sits deep in the file system. The system's file functions take a
// plain path only up to MAX_PATH characters (unless long paths are switched on for the whole system);
// a longer one must reach them in its extended-length form, "\\?\" followed by the full path.
// Platform-independent: the text of the paths only.
#pragma once

#include <cstddef>
#include <string>

namespace base {

// Plain paths shorter than this go to the system as they are; it is MAX_PATH less room for an 8.3
// name, the limit that folder creation has, so a file's folder and the file itself stay in step.
constexpr size_t kPlainPathLimit = 248;

// The extended-length form of a full path ("C:\..." or "\\server\share\..."): "\\?\C:\..." or
// "\\?\UNC\server\share\...". The system no longer normalises such a path, so fullPath must already be
// full and normalised (backslashes, no "." or ".." parts). A path already in that form, or one that is
// not a full path, comes back unchanged.
std::wstring ExtendedLengthForm(const std::wstring& fullPath);

}  // namespace base
