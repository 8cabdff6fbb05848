// The one place an exception is stopped before it crosses into a COM caller: the body of a COM
// method runs inside GuardCom, which answers an escaping exception as a failure code and logs it.
#pragma once

#include <windows.h>

namespace tk {

// Inside a catch block: the failure code that answers the exception being handled (a base::ComError's
// own failure code, E_OUTOFMEMORY for an allocation failure, E_UNEXPECTED otherwise), logged with
// where it was caught. Only the place and the code are logged: the message may carry what the caller
// passed.
HRESULT AnswerEscapedException(const char* where) noexcept;

// Runs body (returning an HRESULT) and answers what it returns, or the failure code of an exception
// that escapes it.
template <typename Body>
HRESULT GuardCom(const char* where, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return AnswerEscapedException(where);
    }
}

}  // namespace tk
