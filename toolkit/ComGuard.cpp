#include "toolkit/ComGuard.h"

#include <new>

#include "base/Error.h"
#include "base/Log.h"

namespace tk {

HRESULT AnswerEscapedException(const char* where) noexcept {
    HRESULT result = E_UNEXPECTED;
    try {
        throw;
    } catch (const base::ComError& e) {
        if (FAILED(static_cast<HRESULT>(e.Result()))) {
            result = static_cast<HRESULT>(e.Result());
        }
    } catch (const std::bad_alloc&) {
        result = E_OUTOFMEMORY;
    } catch (...) {
    }
    try {
        base::LogF("%s: an exception was stopped at the COM boundary (%s)", where,
                   base::HResultText(result).c_str());
    } catch (...) {
        // Without memory for the line there is nothing more to do; the code still goes back.
    }
    return result;
}

}  // namespace tk
