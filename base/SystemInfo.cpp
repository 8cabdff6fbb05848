#include "base/SystemInfo.h"

#include <windows.h>

#include <cstring>

#include "base/Format.h"

namespace base {

std::string ModuleVersion(HMODULE module) {
    // Read from the module's own resource (rather than through version.dll, one DLL fewer to load at
    // start): the fixed part of the record starts with its signature, on a four-byte boundary.
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = found ? SizeofResource(module, found) : 0;
    for (DWORD offset = 0; data && offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
        VS_FIXEDFILEINFO fixed;
        std::memcpy(&fixed, data + offset, sizeof(fixed));
        if (fixed.dwSignature == VS_FFI_SIGNATURE) {
            return Format("%u.%u.%u.%u", HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS),
                          HIWORD(fixed.dwFileVersionLS), LOWORD(fixed.dwFileVersionLS));
        }
    }
    return {};
}

std::string WindowsVersion() {
    // RtlGetVersion answers the real numbers whatever the manifest says.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFunction>(
                                     reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        return "Windows (unknown version)";
    }
    return Format("Windows %lu.%lu.%lu", info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
}

}  // namespace base
