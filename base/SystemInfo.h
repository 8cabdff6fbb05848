// What the log says about the program and the system it runs on.
#pragma once

#include <windows.h>

#include <string>

namespace base {

// The file version in a module's version resource (a.b.c.d), or empty text.
std::string ModuleVersion(HMODULE module);
// The system's own version numbers ("Windows 10.0.19045"), not the compatibility ones a program
// without a matching manifest entry is told.
std::string WindowsVersion();

}  // namespace base
