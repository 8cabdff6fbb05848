#include "webhost/ComErrors.h"

#include "base/Format.h"
#include "base/Log.h"

namespace webhost {

std::string ComErrorMessage(HRESULT result) {
    // A box shows the text without its closing full stop.
    std::string text = base::SystemMessage(static_cast<DWORD>(result));
    while (!text.empty() && (text.back() == '.' || text.back() == ' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        return base::Format("OLE error %08X", static_cast<unsigned>(result));
    }
    return text;
}

void CheckCom(HRESULT result) {
    if (FAILED(result)) {
        throw base::ComError(ComErrorMessage(result), result);
    }
}

void LogIfFailed(HRESULT result, const char* step) {
    if (FAILED(result)) {
        base::LogF("Browser control: %s failed (%s)", step, base::HResultText(result).c_str());
    }
}

}  // namespace webhost
