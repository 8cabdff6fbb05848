// The pixels of run-length encoded (RLE8 and RLE4) BMP files, decoded here rather than by the
// system, which takes a damaged stream without complaint and draws whatever its bytes happen to say.
// Platform-independent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/ImageFormats.h"

namespace tk {

// What a pixel the stream does not set shows: magenta, the colour skin images leave out when they
// are drawn transparently.
constexpr uint32_t kUnsetPixel = 0x00FF00FF;

struct RunLengthDecode {
    bool decoded = false;  // false: not the layout of a run-length BMP, or file is shorter than it
    std::string problem;   // empty for a sound stream, else where and why decoding stopped, in words
};

// Decodes the pixels of a run-length encoded BMP that passed CheckBmp into out, top row first, as
// 0x00RRGGBB values (width x height of them), as CopyTrueColourPixels does. file holds the file from
// its start, at least layout.requiredBytes of it; nothing past those bytes is read.
//
// Decoding stops at the first step that would go wrong, keeping what came before it: a run or
// absolute block that passes the end of its row or lies above the top row, an end of line above
// the top row, a move that leaves the image, a step the stream's bytes end inside, a colour index
// past the colour table, and the stream's end without an end-of-bitmap mark. Every pixel the stream
// does not set (skipped by an end of line, a move or the end of the bitmap, or after a stop) is
// kUnsetPixel. Answers decoded false, leaving out alone, for any other kind of BMP.
RunLengthDecode DecodeRunLengthPixels(std::string_view file, const BmpLayout& layout, uint32_t* out);

}  // namespace tk
