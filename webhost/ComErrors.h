// COM status codes as the program's errors: the system's text for a code, and raising a failed code
// as base::ComError.
#pragma once

#include <windows.h>

#include <string>

#include "base/Error.h"

namespace webhost {

// The system's description of a status code (UTF-8), or "OLE error XXXXXXXX" when it has none.
std::string ComErrorMessage(HRESULT result);

// Raises base::ComError for a failed code, with the system's description; a success code passes.
void CheckCom(HRESULT result);

// Logs a failed step of the browser control that it goes on without.
void LogIfFailed(HRESULT result, const char* step);

}  // namespace webhost
