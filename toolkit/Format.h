// printf-style formatting into a std::string. Platform-independent.
#pragma once

#include <string>

namespace tk {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tk
