#include "dialogs/DialogScale.h"

namespace dialogs {

PixelRect Scaled(const DesignRect& design, const tk::DpiScale& scale) {
    return PixelRect{scale.ToPixels(design.left), scale.ToPixels(design.top), scale.ToPixels(design.width),
                     scale.ToPixels(design.height)};
}

std::wstring PictureResourceName(std::wstring_view picture, int percent) {
    return std::wstring(picture) + L"_" + std::to_wstring(percent);
}

}  // namespace dialogs
