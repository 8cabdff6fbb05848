// Conversions between the program's three text forms: UTF-8 (literals in the source and error
// messages), ANSI in the system code page (configuration values, script text) and UTF-16 (the W APIs
// and COM).
#pragma once

#include <string>
#include <string_view>

namespace base {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);
std::string AnsiToUtf8(std::string_view text);
std::string Utf8ToAnsi(std::string_view text);

// Error messages are UTF-8, but a message may have picked up ANSI text (a file path, an INI value):
// decode strictly as UTF-8 and fall back to the system code page.
std::wstring MessageToWide(std::string_view message);

}  // namespace base
