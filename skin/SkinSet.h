// The skin set: the 25 bitmap files a skin folder holds, where that folder is, and the fixed texts and
// colours that go with it. Platform-independent.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace skin {

constexpr int kSkinImageCount = 25;

// Indices into SkinImages; the file of entry i is kSkinImageNames[i] + ".bmp".
enum SkinImage : int {
    kTopActivate = 0,
    kTopdeActivate = 1,
    kBottom = 2,
    kLeft = 3,
    kRight = 4,
    kTopLeftActivate = 5,
    kTopLeftdeActivate = 6,
    kTopRightActivate = 7,
    kTopRightdeActivate = 8,
    kBottomLeft = 9,
    kBottomRight = 10,
    kBtnMinNormal = 11,
    kBtnMaxNormal = 14,
    kBtnCloseNormal = 17,
    kBtnOrigNormal = 20,
    kTopLeft1 = 23,
    kTopRight1 = 24,
};

// The file names exactly as the skin folders spell them (mixed case included).
inline constexpr std::array<std::string_view, kSkinImageCount> kSkinImageNames = {
    "TopActivate",
    "TopdeActivate",
    "Bottom",
    "Left",
    "Right",
    "TopLeftActivate",
    "TopLeftdeActivate",
    "TopRightActivate",
    "TopRightdeActivate",
    "BottomLeft",
    "BottomRight",
    "btn_Min_Normal",
    "btn_Min_Over",
    "btn_Min_Down",
    "btn_Max_Normal",
    "btn_Max_Over",
    "btn_Max_Down",
    "btn_Close_Normal",
    "btn_Close_Over",
    "btn_Close_Down",
    "btn_Orig_Normal",
    "btn_Orig_Over",
    "btn_Orig_Down",
    "TopLeft_1",
    "TopRight_1",
};

// The caption buttons' face sets; set k uses the images 11 + 3k (normal), 12 + 3k (hover) and
// 13 + 3k (pressed).
enum class FaceSet : int { Minimize = 0, Maximize = 1, Close = 2, Restore = 3 };
enum class Face : int { Normal = 0, Over = 1, Down = 2 };
constexpr int FaceImage(FaceSet set, Face face) {
    return kBtnMinNormal + 3 * static_cast<int>(set) + static_cast<int>(face);
}

// The skin folder used when none is configured.
inline constexpr std::string_view kDefaultSkinPath = "Skin\\Blue\\";
// The small caption icon's file name.
inline constexpr std::wstring_view kSysMenuIconName = L"SysMenu.ico";
// Shown when the skin folder does not exist (UTF-8).
inline constexpr std::string_view kMissingSkinMessage = "皮肤文件不存在，或者路径不正确!";

// Magenta: the pixels of this colour in corners and buttons are see-through.
constexpr unsigned char kTransparentRed = 255, kTransparentGreen = 0, kTransparentBlue = 255;
// The caption text's colour, RGB (97, 120, 178), and its font, which the main window's caption labels
// share.
constexpr unsigned char kCaptionRed = 97, kCaptionGreen = 120, kCaptionBlue = 178;
inline constexpr std::wstring_view kCaptionFontFace = L"宋体";
inline constexpr int kCaptionFontPoints = 9;

// The skin folder: the program's folder (with its separator) directly followed by the skin path,
// with no separator inserted and nothing normalised. An empty skin path means kDefaultSkinPath.
std::wstring SkinFolder(const std::wstring& programFolder, const std::wstring& skinPath);
// The file of one skin image: folder + name + ".bmp" (so a folder without a trailing separator
// glues the name to the folder's own name).
std::wstring SkinImageFile(const std::wstring& folder, int index);

}  // namespace skin
