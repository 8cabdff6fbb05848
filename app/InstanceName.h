// The name of the mutex that makes one copy per program folder, as text: platform-independent, so it
// is unit-tested natively. The Win32 side (app/SingleInstance.*) and the installer compute the same.
//
// CONTRACT (shared with packaging/NSIS.template.in; change both or neither):
//   name = "Local\Velmora-" + 8 upper-case hexadecimal digits of
//          RtlHashUnicodeString(path, CaseInSensitive = TRUE, HASH_STRING_ALGORITHM_X65599)
//   path = GetLongPathNameW(GetModuleFileNameW(nullptr)): the executable's full long path, UTF-16.
// X65599 is h := h * 65599 + c over the UTF-16 code units, from h = 0, modulo 2^32; case-insensitive
// means each unit is first upper-cased by the system's table (RtlUpcaseUnicodeChar). Measured under
// Wine 8: RtlHashUnicodeString exists in ntdll, folds ASCII and non-ASCII letters (a/A, ä/Ä) and
// matches this definition.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

// "Local\Velmora-" + the hash as 8 upper-case hexadecimal digits.
std::u16string InstanceMutexName(uint32_t pathHash);

// X65599 over UTF-16 code units, upper-casing only a-z. Equals the system's case-insensitive hash for
// ASCII paths; the program uses it only where ntdll lacks RtlHashUnicodeString.
uint32_t HashX65599AsciiFolded(std::u16string_view text);

}  // namespace app
