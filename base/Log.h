// The program's log: timestamped UTF-8 lines in %LOCALAPPDATA%\Velmora\Velmora.log (rolled over at
// 1 MB into Velmora.log.1), each also sent to the debugger. Failures the user is not told about are
// written here. Logging never fails the program: without a writable folder there is simply no file.
//
// Never log what a page passes through window.external or gets back, nor cookie or session values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/LogLine.h"

namespace base {

// Writes one line (UTF-8).
void Log(std::string_view message);
// printf-style.
void LogF(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Inside a catch block: logs the exception being handled, naming where it was caught.
void LogCaughtException(const char* where);

// The system's text for a Win32 error or HRESULT, in the user's language, without its line break;
// empty when the system has none.
std::string SystemMessage(unsigned long code);
// A Win32 error code with the system's text for it: "error 5: Access is denied." (the number alone
// when the system has no text).
std::string ErrorText(unsigned long code);
// The same for an HRESULT: "0x80070005: Access is denied.".
std::string HResultText(long result);

// The file the log writes to; empty when there is none (no local application-data folder).
std::wstring LogFilePath();
// Points the log at another file and roll-over size (tests); an empty path restores the default.
void SetLogFile(const std::wstring& path, uint64_t rollOverBytes = kLogRollOverBytes);

}  // namespace base
