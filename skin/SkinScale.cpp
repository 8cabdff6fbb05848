#include "skin/SkinScale.h"

#include <algorithm>
#include <array>

#include "toolkit/DpiScale.h"
#include "toolkit/ImageScaling.h"

namespace skin {

namespace {

// A scale in percent as a DPI, times 100 so that 125 % (120 DPI) compares exactly.
long long HundredfoldDpi(int percent) {
    return static_cast<long long>(percent) * tk::DpiScale::kDesignDpi;
}

}  // namespace

std::vector<int> SkinScalesFor(int dpi) {
    // At or below 100 % the design images only; above it the drawn sets and, last, the design
    // images, which then always lie below the window's scale.
    if (tk::DpiScale(dpi).Dpi() <= tk::DpiScale::kDesignDpi) {
        return {kDesignSkinScale};
    }
    std::array<int, kDrawnSkinScales.size() + 1> all{};
    std::copy(kDrawnSkinScales.begin(), kDrawnSkinScales.end(), all.begin());
    all.back() = kDesignSkinScale;
    return tk::DrawnPercentsByPreference(all, dpi);
}

bool DrawnForDpi(int percent, int dpi) {
    return HundredfoldDpi(percent) == static_cast<long long>(tk::DpiScale(dpi).Dpi()) * 100;
}

int SkinSideAt(int side, int percent, int dpi) {
    if (side <= 0 || percent <= 0) {
        return 0;
    }
    return tk::DpiScale::Scale(side, tk::DpiScale(dpi).Dpi() * 100,
                               static_cast<int>(HundredfoldDpi(percent)));
}

std::wstring SkinScaleFolder(const std::wstring& folder, int percent) {
    if (percent == kDesignSkinScale) {
        return folder;
    }
    return folder + std::to_wstring(percent) + L"\\";
}

}  // namespace skin
