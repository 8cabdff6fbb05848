// Image files read from disk. Every byte is checked (toolkit/ImageFormats.h) before the system's
// image code sees it, and what the system gets is the checked copy in memory, never the file: a
// damaged file is treated like a missing one and named in the log.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "toolkit/GdiHandles.h"

namespace tk {

// The size of a file and its first maxBytes bytes (all of them when it is shorter); nothing when
// the file cannot be opened or read.
struct FileStart {
    uint64_t size = 0;
    std::string bytes;
};
std::optional<FileStart> ReadFileStart(const std::wstring& path, uint64_t maxBytes);

// The icon of an .ico file at size x size pixels; null when the file is missing or unreadable, or
// fails the icon check (which is logged).
UniqueIcon LoadIconFile(const std::wstring& path, int size);

// Whether an .ico file exists and passes the icon check (a failing file is logged).
bool IconFileIsUsable(const std::wstring& path);

}  // namespace tk
