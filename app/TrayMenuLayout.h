// The tray menu's fixed metrics and colours, the window-size presets' placement arithmetic, and the
// addresses of the platform's pages. Platform-independent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

struct MenuItemSize {
    int width;
    int height;
};
// Top-level items are 80 x 30, the size presets 80 x 20.
MenuItemSize MenuItemMetrics(bool sizePreset);

// RGB colours as 0xRRGGBB.
constexpr uint32_t kMenuSelectedColor = 0xFCA524;  // (252, 165, 36)
constexpr uint32_t kMenuPlainColor = 0xF0F0F0;     // (240, 240, 240)
constexpr uint32_t kMenuSeparatorColor = 0x000000;
constexpr int kMenuCaptionIndent = 20;

struct PresetPosition {
    int left;
    int top;
};
// Where a size preset puts the window: centred on the primary work area (workWidth x workHeight), or
// one work-area width further right when the window's left already lies beyond that width (as on a
// second monitor of the same size). Division truncates toward zero.
PresetPosition SizePresetPosition(int currentLeft, int workWidth, int workHeight, int width, int height);

// The platform's page at path on the site of the start address: its scheme and host (and port)
// followed by path. Nothing when the start address names no host.
std::optional<std::string> SitePageAddress(std::string_view startAddress, std::string_view path);

}  // namespace app
