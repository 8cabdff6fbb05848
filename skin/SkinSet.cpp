#include "skin/SkinSet.h"

namespace skin {

std::string SkinFolder(const std::string& programFolder, const std::string& skinPath) {
    return programFolder + (skinPath.empty() ? std::string(kDefaultSkinPath) : skinPath);
}

std::string SkinImageFile(const std::string& folder, int index) {
    if (index < 0 || index >= kSkinImageCount) {
        return {};
    }
    return folder + std::string(kSkinImageNames[static_cast<size_t>(index)]) + ".bmp";
}

}  // namespace skin
