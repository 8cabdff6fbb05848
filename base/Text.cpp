#include "base/Text.h"

#include <windows.h>

namespace base {
namespace {

std::wstring ToWide(UINT codePage, DWORD flags, std::string_view text, bool* ok = nullptr) {
    if (ok) {
        *ok = true;
    }
    if (text.empty()) {
        return {};
    }
    int n = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) {
        if (ok) {
            *ok = false;
        }
        return {};
    }
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    if (n <= 0) {
        return {};
    }
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) {
    return ToWide(CP_UTF8, 0, text);
}
std::string WideToUtf8(std::wstring_view text) {
    return FromWide(CP_UTF8, text);
}
std::wstring AnsiToWide(std::string_view text) {
    return ToWide(CP_ACP, 0, text);
}
std::string WideToAnsi(std::wstring_view text) {
    return FromWide(CP_ACP, text);
}
std::string AnsiToUtf8(std::string_view text) {
    return WideToUtf8(AnsiToWide(text));
}
std::string Utf8ToAnsi(std::string_view text) {
    return WideToAnsi(Utf8ToWide(text));
}

std::wstring MessageToWide(std::string_view message) {
    bool ok = false;
    std::wstring wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, message, &ok);
    return ok ? wide : AnsiToWide(message);
}

}  // namespace base
