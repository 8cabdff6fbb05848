// The BMP check, on any bytes taken as a whole file and as the start of a longer one.
#include "FuzzCheck.h"
#include "toolkit/ImageFormats.h"

#include <vector>

namespace {

void CheckLayout(uint64_t fileSize, std::string_view head) {
    const tk::BmpCheck check = tk::CheckBmp(fileSize, head);
    FUZZ_CHECK(check.layout.has_value() == check.problem.empty());
    if (!check.layout) {
        return;
    }
    const tk::BmpLayout& l = *check.layout;
    FUZZ_CHECK(l.width >= 1 && l.width <= tk::kMaxBmpSide && l.height >= 1 && l.height <= tk::kMaxBmpSide);
    // What a loader reads lies inside the file: the description, then the pixels.
    FUZZ_CHECK(14 + uint64_t{l.infoBytes} <= l.pixelOffset);
    FUZZ_CHECK(l.pixelOffset <= l.requiredBytes && l.requiredBytes <= fileSize);
    FUZZ_CHECK(14 + uint64_t{l.infoBytes} <= tk::kBmpHeadBytes);
    // The colour table ends the description.
    FUZZ_CHECK(uint64_t{l.colourOffset} + uint64_t{l.colours} * l.colourBytes == 14 + uint64_t{l.infoBytes});
    // A whole file's true-colour pixels are copied without reading or writing out of bounds.
    // (Only true-colour images are copied, and their pixels are in the file: the buffer stays small.)
    if (fileSize == head.size() && l.bitCount >= 24 && l.compression == 0) {
        std::vector<uint32_t> pixels(static_cast<size_t>(l.width) * static_cast<size_t>(l.height));
        tk::CopyTrueColourPixels(head, l, pixels.data());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = AsText(data, size);
    CheckLayout(size, bytes);
    // The same bytes as the head of a file of a size the first bytes choose.
    if (size >= 4) {
        const uint64_t claimed = (uint64_t{data[0]} | uint64_t{data[1]} << 8 | uint64_t{data[2]} << 16) << 8;
        CheckLayout(size + claimed, bytes);
    }
    return 0;
}
