// The system's name of a key, for shortcut texts.
#pragma once

#include <cstdint>
#include <string>

namespace base {

// The name the keyboard layout gives the key (UTF-8), or empty text when it has none.
std::string SystemKeyName(uint8_t virtualKey);

}  // namespace base
