#include "app/TrayMenuLayout.h"

namespace app {

MenuItemSize MenuItemMetrics(bool sizePreset) {
    return sizePreset ? MenuItemSize{80, 20} : MenuItemSize{80, 30};
}

PresetPosition SizePresetPosition(int currentLeft, int workWidth, int workHeight, int width, int height) {
    PresetPosition p{};
    p.left = currentLeft > workWidth ? workWidth + (workWidth - width) / 2 : (workWidth - width) / 2;
    p.top = (workHeight - height) / 2;
    return p;
}

std::optional<std::string> SitePageAddress(std::string_view startAddress, std::string_view path) {
    std::string_view rest = startAddress;
    std::string scheme = "http://";
    if (size_t sep = rest.find("://"); sep != std::string_view::npos) {
        scheme = std::string(rest.substr(0, sep + 3));
        rest.remove_prefix(sep + 3);
    }
    const size_t end = rest.find_first_of("/?#\\");
    const std::string_view host = rest.substr(0, end);
    if (host.empty() || host.find_first_of(" \t") != std::string_view::npos) {
        return std::nullopt;
    }
    return scheme + std::string(host) + std::string(path);
}

}  // namespace app
