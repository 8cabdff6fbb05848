#include "dialogs/DialogScale.h"

#include <algorithm>

namespace dialogs {

PixelRect Scaled(const DesignRect& design, const tk::DpiScale& scale) {
    return PixelRect{scale.ToPixels(design.left), scale.ToPixels(design.top), scale.ToPixels(design.width),
                     scale.ToPixels(design.height)};
}

std::vector<int> DrawnPercentsByPreference(std::span<const int> drawn, int dpi) {
    std::vector<int> percents;
    std::copy_if(drawn.begin(), drawn.end(), std::back_inserter(percents), [](int p) { return p > 0; });
    std::sort(percents.begin(), percents.end());
    percents.erase(std::unique(percents.begin(), percents.end()), percents.end());
    // A drawn scale is at or above the window's when percent / 100 >= dpi / 96, compared exactly.
    const long long window = static_cast<long long>(tk::DpiScale(dpi).Dpi()) * 100;
    const auto firstAbove = std::find_if(percents.begin(), percents.end(), [window](int p) {
        return static_cast<long long>(p) * tk::DpiScale::kDesignDpi >= window;
    });
    // Those at or above in rising order, then the smaller ones falling: with none at or above, the
    // largest comes first.
    std::vector<int> order(firstAbove, percents.end());
    order.insert(order.end(), std::make_reverse_iterator(firstAbove), percents.rend());
    return order;
}

std::wstring PictureResourceName(std::wstring_view picture, int percent) {
    return std::wstring(picture) + L"_" + std::to_wstring(percent);
}

}  // namespace dialogs
