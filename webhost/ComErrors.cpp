#include "webhost/ComErrors.h"

#include "base/Format.h"
#include "base/Handles.h"
#include "base/Text.h"

namespace webhost {

std::string ComErrorMessage(HRESULT result) {
    base::UniqueLocalMemory<wchar_t> buffer;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(buffer.Put()), 0, nullptr);
    std::wstring text;
    if (buffer) {
        text.assign(buffer.Get(), length);
    }
    while (!text.empty() &&
           (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.')) {
        text.pop_back();
    }
    if (text.empty()) {
        return base::Format("OLE error %08X", static_cast<unsigned>(result));
    }
    return base::WideToUtf8(text);
}

void CheckCom(HRESULT result) {
    if (FAILED(result)) {
        throw base::ComError(ComErrorMessage(result), result);
    }
}

}  // namespace webhost
