// Reading memory that another party points us at, without trusting the pointer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace base {

// The zero-terminated text at address in this process. Each memory region is checked with the system
// before it is read, so that an unreadable address cannot crash the program. Address 0 gives empty text;
// an unreadable address, or no terminator within maxLength bytes, gives nothing.
std::optional<std::string> ReadTextAt(uintptr_t address, size_t maxLength = 1 << 20);

}  // namespace base
