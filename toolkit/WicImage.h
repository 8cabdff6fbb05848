// Compressed image files (PNG, and whatever else the system's imaging component reads) decoded by
// the Windows Imaging Component into pixels the toolkit scales and draws.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include "toolkit/ImageScaling.h"

namespace tk {

// A decoded image, or why there is none.
struct DecodedImage {
    // Premultiplied 0xAARRGGBB pixels, top row first (an image without alpha has alpha 255 throughout);
    // empty when decoding failed.
    PixelImage image;
    // What went wrong, for the log; empty on success.
    std::string problem;
};

// The first frame of an image file held in memory. Damaged or unknown data, an image larger than
// kMaxImageSide on a side, or a system without the imaging component gives an empty image and a
// problem; nothing is thrown.
DecodedImage DecodeImageFile(std::span<const uint8_t> bytes);

// The named resource of the running executable (of the given type, RCDATA unless said) that holds an
// image file, decoded; a missing resource gives an empty image and a problem saying so.
DecodedImage LoadResourceImage(const wchar_t* name, const wchar_t* type = RT_RCDATA);

}  // namespace tk
