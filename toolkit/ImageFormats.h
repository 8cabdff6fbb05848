// Checks of BMP and icon files before any of their bytes reach the system's image code, which does
// not survive every damaged file: a file that fails is treated as if it were missing. Platform-
// independent: the checks look at the file's size and bytes only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

// Enough of a BMP file's start for CheckBmp: file header, the largest info header, bit-field masks
// and a full 256-colour table.
constexpr size_t kBmpHeadBytes = 14 + 124 + 12 + 256 * 4;
// The largest width or height accepted.
constexpr int32_t kMaxBmpSide = 16384;

// Where a sound BMP file keeps what a loader needs.
struct BmpLayout {
    int32_t width = 0;
    int32_t height = 0;  // rows, always positive
    bool topDown = false;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t pixelOffset = 0;
    // The info header, bit-field masks and colour table: what the system takes as the bitmap's
    // description, from byte 14 on.
    uint32_t infoBytes = 0;
    // The colour table, the last part of that description: where it starts, its entries and their
    // size (3 bytes in the small OS/2 header, 4 otherwise).
    uint32_t colourOffset = 0;
    uint32_t colours = 0;
    uint32_t colourBytes = 4;
    // Bytes from the file's start that the headers, colour table and pixels take.
    uint64_t requiredBytes = 0;
};

struct BmpCheck {
    std::optional<BmpLayout> layout;  // set when the file is sound
    std::string problem;              // otherwise what is wrong, in words
};

// Checks a BMP file of fileSize bytes whose first bytes are head (kBmpHeadBytes of them, or the
// whole file when it is shorter): the "BM" mark, an info header of 12, 40, 52, 56, 108 or 124 bytes,
// a width and height of 1 to 16384 pixels (a negative height is a top-down image), one plane, 1, 4,
// 8, 16, 24 or 32 bits per pixel, a compression that fits the bit count (RLE8 with 8, RLE4 with 4,
// both bottom-up only; bit fields with 16 or 32; JPEG or PNG pixels are refused as such before their
// bit count of 0 is looked at), no more colours than the bit count can address
// (256 at most), and the colour table and every row of pixels inside the file.
BmpCheck CheckBmp(uint64_t fileSize, std::string_view head);

// Copies the pixels of a sound uncompressed 24- or 32-bit BMP into out, top row first, as 0x00RRGGBB
// values (width x height of them): what the system's drawing of it into a 32-bit surface gives, done
// without the system. file holds the file from its start, at least layout.requiredBytes of it.
// Answers false, leaving out alone, for any other kind of BMP.
bool CopyTrueColourPixels(std::string_view file, const BmpLayout& layout, uint32_t* out);

// One image of an icon file.
struct IconImage {
    uint32_t offset = 0;
    uint32_t size = 0;
    int width = 0;
    uint16_t bitCount = 0;  // 0 for a PNG image
};

struct IconCheck {
    std::vector<IconImage> images;  // set when the file is sound
    std::string problem;
};

// Checks a whole icon (.ico) file: its directory (reserved 0, type 1, at least one image) and each
// image inside the file, a PNG image or a device-independent bitmap whose colour table, colour
// mask and transparency mask fit in the image's bytes.
IconCheck CheckIcon(std::string_view file);

// The image that best shows the icon at size x size pixels: that size exactly (the most colours
// first), else the smallest larger one, else the largest. Null for no images.
const IconImage* ChooseIconImage(const std::vector<IconImage>& images, int size);

}  // namespace tk
