#include "skin/SkinScale.h"

#include <algorithm>

#include "toolkit/DpiScale.h"

namespace skin {

namespace {

// A scale in percent as a DPI, times 100 so that 125 % (120 DPI) compares exactly.
long long HundredfoldDpi(int percent) {
    return static_cast<long long>(percent) * tk::DpiScale::kDesignDpi;
}

}  // namespace

std::vector<int> SkinScalesFor(int dpi) {
    const long long wanted = static_cast<long long>(tk::DpiScale(dpi).Dpi()) * 100;
    std::vector<int> above;
    std::vector<int> below;
    for (int percent : kDrawnSkinScales) {
        (HundredfoldDpi(percent) >= wanted ? above : below).push_back(percent);
    }
    std::vector<int> order;
    // Only above 100 % is a drawn set of use; the nearest above first, then the largest below.
    if (wanted > HundredfoldDpi(kDesignSkinScale)) {
        std::sort(above.begin(), above.end());
        std::sort(below.begin(), below.end(), std::greater<>());
        order = above;
        order.insert(order.end(), below.begin(), below.end());
    }
    order.push_back(kDesignSkinScale);
    return order;
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
