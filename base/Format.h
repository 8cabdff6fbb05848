// printf-style formatting into a std::string. Platform-independent.
#pragma once

#include <cstdarg>
#include <string>

namespace base {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

}  // namespace base
