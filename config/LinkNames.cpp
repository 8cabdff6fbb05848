#include "config/LinkNames.h"

namespace config {

std::wstring_view LinkExtension(std::wstring_view path) {
    const size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring_view::npos) {
        return {};
    }
    const size_t separator = path.find_last_of(L"\\:");
    if (separator != std::wstring_view::npos && separator > dot) {
        return {};
    }
    return path.substr(dot);
}

std::wstring WithLinkExtension(std::wstring_view path) {
    std::wstring result(path);
    if (LinkExtension(path) != L".lnk") {
        result += L".lnk";
    }
    return result;
}

std::wstring PathInFolder(std::wstring_view folder, std::wstring_view name) {
    if (folder.empty()) {
        return {};
    }
    std::wstring path(folder);
    path += L'\\';
    path += name;
    return path;
}

}  // namespace config
