// What happens when the program crashes: instead of the system's crash box (or a silent end), a
// minidump in %LOCALAPPDATA%\Velmora\crashes\ (the newest five are kept), one log line naming the
// exception and the dump, and the process ends with the exception's code. The next start logs that
// the previous run crashed. Nothing is sent anywhere.
//
// Caught: exceptions no handler takes (access violations and the like), std::terminate (a C++
// exception escaping, a pure virtual call, a throw from a noexcept function), and the C runtime's
// invalid-parameter and pure-call reports where the runtime in use makes them. The runtime this
// program is built against (msvcrt) checks few parameters and reports none of them to a handler;
// the handlers are installed all the same, at no cost.
#pragma once

#include <string>

namespace base {

// The codes the process ends with when the crash has no system exception code of its own. An
// invalid parameter ends it with STATUS_INVALID_CRUNTIME_PARAMETER (0xC0000417), as the system's
// runtimes do.
inline constexpr unsigned long kCrashCodeTerminate = 0xE0564D01;  // std::terminate
inline constexpr unsigned long kCrashCodePureCall = 0xE0564D02;   // the runtime's pure-call report

// Installs the handlers for the whole process; a second call does nothing. Touches no file: the
// folder is only worked out here and made at a crash. The folder below LOCALAPPDATA from the
// environment (the system's local application-data folder when that is not set).
void InstallCrashHandler();

// The folder the dumps go to, with a trailing backslash; empty before InstallCrashHandler or when
// there is no local application-data folder.
std::wstring CrashFolder();

// At start, after InstallCrashHandler: when the previous run crashed, logs one line naming its dump
// and forgets it, so that the next start does not report it again.
void ReportPreviousCrash();

}  // namespace base
