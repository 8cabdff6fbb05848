#include "skin/SkinSet.h"

namespace skin {

namespace {

// The names and the default path are ASCII.
std::wstring Widen(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

}  // namespace

std::wstring SkinFolder(const std::wstring& programFolder, const std::wstring& skinPath) {
    return programFolder + (skinPath.empty() ? Widen(kDefaultSkinPath) : skinPath);
}

std::wstring SkinImageFile(const std::wstring& folder, int index) {
    if (index < 0 || index >= kSkinImageCount) {
        return {};
    }
    return folder + Widen(kSkinImageNames[static_cast<size_t>(index)]) + L".bmp";
}

}  // namespace skin
