#include "base/Module.h"

#include <windows.h>

#include "base/Log.h"
#include "base/LongPaths.h"
#include "base/Text.h"

namespace base {

std::wstring ExePath() {
    // A full buffer means the path was cut (and, before Vista, left unterminated): try a larger one.
    // The system's paths end at 32,767 characters.
    std::wstring path(MAX_PATH, L'\0');
    while (path.size() <= 65536) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
    return {};
}

std::wstring ExeBaseName() {
    std::wstring name = ExePath();
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        name.erase(0, slash + 1);
    }
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) {
        name.erase(dot);
    }
    return name;
}

std::wstring FolderOf(const std::wstring& path) {
    size_t cut = path.find_last_of(L"\\:");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring ExeFolder() {
    return FolderOf(ExePath());
}

std::wstring FileSystemPath(const std::wstring& path) {
    if (path.size() < kPlainPathLimit || path.starts_with(L"\\\\?\\")) {
        return path;
    }
    std::wstring full(path.size() + 64, L'\0');
    for (;;) {
        const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) {
            return path;  // the system cannot make it full: it will not open it either way
        }
        if (n < full.size()) {
            full.resize(n);
            return ExtendedLengthForm(full);
        }
        full.resize(n);  // n counts the terminating zero when the buffer is too small
    }
}

std::wstring ShortFormPath(const std::wstring& path) {
    if (path.size() < MAX_PATH) {
        return path;
    }
    const std::wstring extended = FileSystemPath(path);
    std::wstring shortPath(extended.size() + 1, L'\0');
    const DWORD n =
        GetShortPathNameW(extended.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (n == 0 || n >= shortPath.size()) {
        LogF("%s is %u characters long and has no short form (%s)", WideToUtf8(path).c_str(),
             static_cast<unsigned>(path.size()), n == 0 ? ErrorText(GetLastError()).c_str() : "too long");
        return path;
    }
    shortPath.resize(n);
    // Back to a plain path, which is what these functions take.
    if (shortPath.starts_with(L"\\\\?\\UNC\\")) {
        shortPath = L"\\\\" + shortPath.substr(8);
    } else if (shortPath.starts_with(L"\\\\?\\")) {
        shortPath.erase(0, 4);
    }
    if (shortPath.size() >= MAX_PATH) {
        LogF("%s is %u characters long, and %u in its short form", WideToUtf8(path).c_str(),
             static_cast<unsigned>(path.size()), static_cast<unsigned>(shortPath.size()));
        return path;
    }
    return shortPath;
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(FileSystemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace base
