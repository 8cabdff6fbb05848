#include "base/LongPaths.h"

namespace base {

std::wstring ExtendedLengthForm(const std::wstring& fullPath) {
    if (fullPath.starts_with(L"\\\\?\\") || fullPath.starts_with(L"\\\\.\\")) {
        return fullPath;  // already extended, or a device
    }
    if (fullPath.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + fullPath.substr(2);
    }
    const bool drivePath =
        fullPath.size() >= 3 && fullPath[1] == L':' && fullPath[2] == L'\\' &&
        ((fullPath[0] >= L'A' && fullPath[0] <= L'Z') || (fullPath[0] >= L'a' && fullPath[0] <= L'z'));
    return drivePath ? L"\\\\?\\" + fullPath : fullPath;
}

}  // namespace base
