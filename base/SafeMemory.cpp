#include "base/SafeMemory.h"

#include <windows.h>

#include <cstring>

namespace base {
namespace {

// How many bytes from address on are committed, readable memory of this process (0: none).
size_t ReadableBytesAt(uintptr_t address) {
    MEMORY_BASIC_INFORMATION info{};
    if (VirtualQuery(reinterpret_cast<LPCVOID>(address), &info, sizeof(info)) != sizeof(info)) {
        return 0;
    }
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) ||
        !(info.Protect & readable)) {
        return 0;
    }
    return reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize - address;
}

}  // namespace

std::optional<std::string> ReadTextAt(uintptr_t address, size_t maxLength) {
    if (address == 0) {
        return std::string();
    }
    std::string text;
    while (text.size() < maxLength) {
        // Ask the system, region by region, before touching a byte.
        size_t available = ReadableBytesAt(address);
        if (available == 0) {
            return std::nullopt;
        }
        if (available > maxLength - text.size()) {
            available = maxLength - text.size();
        }
        const char* start = reinterpret_cast<const char*>(address);
        if (const void* end = std::memchr(start, 0, available)) {
            text.append(start, static_cast<const char*>(end) - start);
            return text;
        }
        text.append(start, available);
        address += available;
    }
    return std::nullopt;
}

}  // namespace base
