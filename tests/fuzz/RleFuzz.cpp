// The run-length decoder, on any bytes taken as a whole BMP file that CheckBmp finds sound: it
// writes only the image, reads only the stream's bytes, sets pixels only to the table's colours
// (the rest magenta), and what it decodes of a stream cut short is what the whole stream decodes there.
#include "FuzzCheck.h"
#include "toolkit/RunLengthPixels.h"

#include <algorithm>
#include <vector>

namespace {

// The pixels of file, which must be a sound run-length BMP; checks what holds for every result.
std::vector<uint32_t> Decode(std::string_view file, const tk::BmpLayout& layout) {
    // A guard pixel on each side of the image.
    std::vector<uint32_t> out(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height) + 2,
                              0xDEADBEEF);
    const tk::RunLengthDecode decode = tk::DecodeRunLengthPixels(file, layout, out.data() + 1);
    FUZZ_CHECK(decode.decoded);
    FUZZ_CHECK(out.front() == 0xDEADBEEF && out.back() == 0xDEADBEEF);
    out.erase(out.begin());
    out.pop_back();
    std::vector<uint32_t> colours{tk::kUnsetPixel};
    for (uint32_t i = 0; i < layout.colours; ++i) {
        const auto* entry = reinterpret_cast<const unsigned char*>(file.data()) + layout.colourOffset +
                            i * layout.colourBytes;
        colours.push_back(uint32_t{entry[2]} << 16 | uint32_t{entry[1]} << 8 | entry[0]);
    }
    std::sort(colours.begin(), colours.end());
    for (const uint32_t pixel : out) {
        FUZZ_CHECK(std::binary_search(colours.begin(), colours.end(), pixel));
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // libFuzzer's copy of the input is exactly its size: a read past the file is caught.
    const std::string_view file = AsText(data, size);
    const tk::BmpCheck check = tk::CheckBmp(file.size(), file);
    // (Small images only: a few bytes of stream can claim 16384 x 16384 pixels.)
    if (!check.layout || (check.layout->compression != 1 && check.layout->compression != 2) ||
        uint64_t{1} * check.layout->width * check.layout->height > 256 * 256) {
        return 0;
    }
    const tk::BmpLayout& layout = *check.layout;
    const std::vector<uint32_t> whole = Decode(file, layout);
    // The stream cut short by its size in the header, the last byte choosing where: it ends there,
    // whatever follows it in the file, and sets a part of the pixels the whole one sets, to the same
    // colours (pixels are set in order, each once, and a stop keeps what came before it).
    const auto cut =
        static_cast<uint32_t>((layout.requiredBytes - layout.pixelOffset) * data[size - 1] / 255);
    if (cut == 0) {
        return 0;
    }
    std::vector<char> longer(file.begin(), file.end());
    for (int i = 0; i < 4; ++i) {
        longer[34 + i] = static_cast<char>(cut >> 8 * i & 0xFF);  // the size of the pixels
    }
    const std::string_view longerFile(longer.data(), longer.size());
    const tk::BmpCheck cutCheck = tk::CheckBmp(longerFile.size(), longerFile);
    FUZZ_CHECK(cutCheck.layout && cutCheck.layout->requiredBytes == layout.pixelOffset + cut);
    const std::vector<char> exact(longer.begin(), longer.begin() + layout.pixelOffset + cut);
    const std::vector<uint32_t> part = Decode(std::string_view(exact.data(), exact.size()), *cutCheck.layout);
    FUZZ_CHECK(Decode(longerFile, *cutCheck.layout) == part);
    for (size_t i = 0; i < part.size(); ++i) {
        FUZZ_CHECK(part[i] == tk::kUnsetPixel || part[i] == whole[i]);
    }
    return 0;
}
