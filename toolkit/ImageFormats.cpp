#include "toolkit/ImageFormats.h"

#include <algorithm>

namespace tk {
namespace {

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitFields = 3, kBiJpeg = 4, kBiPng = 5;
constexpr uint32_t kFileHeaderBytes = 14;

// Little-endian fields; the callers make sure the bytes are there.
uint32_t U16(std::string_view bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}
uint32_t U32(std::string_view bytes, size_t at) {
    return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

bool ValidBitCount(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

uint64_t RowBytes(uint64_t width, uint32_t bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

BmpCheck Bad(std::string problem) {
    return BmpCheck{std::nullopt, std::move(problem)};
}

// The info header's fields, from either of its two shapes.
struct InfoHeader {
    uint32_t size = 0;
    int64_t width = 0, height = 0;
    uint32_t planes = 0, bitCount = 0, compression = kBiRgb, imageBytes = 0, coloursUsed = 0;
    uint32_t colourBytes = 4;  // one colour-table entry
};

InfoHeader ReadInfoHeader(std::string_view head) {
    InfoHeader info;
    info.size = U32(head, 14);
    if (info.size == 12) {  // the OS/2 shape: 16-bit sizes, three-byte colours, no compression
        info.width = U16(head, 18);
        info.height = U16(head, 20);
        info.planes = U16(head, 22);
        info.bitCount = U16(head, 24);
        info.colourBytes = 3;
        return info;
    }
    info.width = static_cast<int32_t>(U32(head, 18));
    info.height = static_cast<int32_t>(U32(head, 22));
    info.planes = U16(head, 26);
    info.bitCount = U16(head, 28);
    info.compression = U32(head, 30);
    info.imageBytes = U32(head, 34);
    info.coloursUsed = U32(head, 46);
    return info;
}

std::string CompressionProblem(const InfoHeader& info) {
    const bool bottomUp = info.height > 0;
    switch (info.compression) {
        case kBiRgb:
            return {};
        case kBiRle8:
            return info.bitCount == 8 && bottomUp ? std::string()
                                                  : "RLE8 compression needs 8 bits, bottom-up";
        case kBiRle4:
            return info.bitCount == 4 && bottomUp ? std::string()
                                                  : "RLE4 compression needs 4 bits, bottom-up";
        case kBiBitFields:
            return info.bitCount == 16 || info.bitCount == 32 ? std::string()
                                                              : "bit fields need 16 or 32 bits";
        default:
            return "compression " + std::to_string(info.compression) + " is not supported";
    }
}

std::string ShapeProblem(const InfoHeader& info) {
    // Such files carry no bit count of their own (it is 0): their compression is what is wrong.
    if (info.compression == kBiJpeg || info.compression == kBiPng) {
        return std::string(info.compression == kBiJpeg ? "JPEG" : "PNG") +
               " pixels inside a BMP are not supported";
    }
    const int64_t rows = info.height < 0 ? -info.height : info.height;
    if (info.width < 1 || info.width > kMaxBmpSide || rows < 1 || rows > kMaxBmpSide) {
        return "size " + std::to_string(info.width) + " x " + std::to_string(info.height) +
               " is outside 1 to 16384 pixels";
    }
    if (info.planes != 1) {
        return std::to_string(info.planes) + " planes";
    }
    if (!ValidBitCount(info.bitCount)) {
        return std::to_string(info.bitCount) + " bits per pixel";
    }
    return CompressionProblem(info);
}

}  // namespace

BmpCheck CheckBmp(uint64_t fileSize, std::string_view head) {
    head = head.substr(0, static_cast<size_t>(std::min<uint64_t>(head.size(), fileSize)));
    if (head.size() < kFileHeaderBytes + 4) {
        return Bad("the file is too short for its headers");
    }
    if (head[0] != 'B' || head[1] != 'M') {
        return Bad("no BM mark: not a BMP file");
    }
    const uint32_t infoSize = U32(head, 14);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 &&
        infoSize != 124) {
        return Bad("an info header of " + std::to_string(infoSize) + " bytes");
    }
    if (head.size() < kFileHeaderBytes + infoSize) {
        return Bad("the info header is cut short");
    }
    const InfoHeader info = ReadInfoHeader(head);
    if (std::string problem = ShapeProblem(info); !problem.empty()) {
        return Bad(problem);
    }
    // A paletted image has at most a colour per pixel value; any image at most 256 colours.
    const uint64_t maxColours = info.bitCount <= 8 ? uint64_t{1} << info.bitCount : 0;
    if (info.coloursUsed > (info.bitCount <= 8 ? maxColours : 256)) {
        return Bad(std::to_string(info.coloursUsed) + " colours for " + std::to_string(info.bitCount) +
                   " bits");
    }
    const uint64_t colours = info.coloursUsed ? info.coloursUsed : maxColours;
    const uint64_t masks = info.compression == kBiBitFields && infoSize == 40 ? 12 : 0;
    const uint64_t tableEnd = kFileHeaderBytes + infoSize + masks + colours * info.colourBytes;
    if (tableEnd > fileSize) {
        return Bad("the colour table runs past the end of the file");
    }
    const uint32_t pixelOffset = U32(head, 10);
    if (pixelOffset < tableEnd) {
        return Bad("the pixel data starts inside the headers");
    }
    BmpLayout layout;
    layout.width = static_cast<int32_t>(info.width);
    layout.height = static_cast<int32_t>(info.height < 0 ? -info.height : info.height);
    layout.topDown = info.height < 0;
    layout.bitCount = static_cast<uint16_t>(info.bitCount);
    layout.compression = info.compression;
    layout.pixelOffset = pixelOffset;
    layout.infoBytes = static_cast<uint32_t>(tableEnd - kFileHeaderBytes);
    layout.colourOffset = static_cast<uint32_t>(kFileHeaderBytes + infoSize + masks);
    layout.colours = static_cast<uint32_t>(colours);
    layout.colourBytes = info.colourBytes;
    const bool runLength = info.compression == kBiRle8 || info.compression == kBiRle4;
    if (runLength && info.imageBytes == 0) {
        return Bad("compressed pixels without their size");
    }
    const uint64_t pixels =
        runLength ? info.imageBytes
                  : RowBytes(static_cast<uint64_t>(layout.width), info.bitCount) * layout.height;
    layout.requiredBytes = pixelOffset + pixels;
    if (layout.requiredBytes > fileSize) {
        return Bad("the pixels need " + std::to_string(layout.requiredBytes) + " bytes, the file has " +
                   std::to_string(fileSize));
    }
    return BmpCheck{layout, {}};
}

namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1A\n";

// The problem with one image's bytes, or empty text.
std::string IconImageProblem(std::string_view image, IconImage& found) {
    if (image.starts_with(kPngSignature)) {
        found.bitCount = 0;
        return image.size() > kPngSignature.size() ? std::string() : "an empty PNG image";
    }
    if (image.size() < 40 || U32(image, 0) < 40 || U32(image, 0) > image.size()) {
        return "an image header that does not fit";
    }
    const int64_t width = static_cast<int32_t>(U32(image, 4));
    const int64_t height = static_cast<int32_t>(U32(image, 8));  // colour and transparency masks
    const uint32_t bits = U16(image, 14);
    if (width < 1 || width > 256 || height < 2 || height > 512 || height % 2 != 0) {
        return "an image of " + std::to_string(width) + " x " + std::to_string(height) + " pixels";
    }
    if (U16(image, 12) != 1 || !ValidBitCount(bits) || U32(image, 16) != kBiRgb) {
        return "an image that is not plain " + std::to_string(bits) + "-bit pixels";
    }
    const uint64_t used = U32(image, 32);
    const uint64_t colours = bits <= 8 ? (used ? used : uint64_t{1} << bits) : 0;
    const uint64_t rows = static_cast<uint64_t>(height / 2);
    const uint64_t needed = U32(image, 0) + colours * 4 +
                            RowBytes(static_cast<uint64_t>(width), bits) * rows +
                            RowBytes(static_cast<uint64_t>(width), 1) * rows;
    if ((bits <= 8 && used > (uint64_t{1} << bits)) || needed > image.size()) {
        return "an image whose pixels run past its end";
    }
    found.width = static_cast<int>(width);
    found.bitCount = static_cast<uint16_t>(bits);
    return {};
}

}  // namespace

bool CopyTrueColourPixels(std::string_view file, const BmpLayout& layout, uint32_t* out) {
    const uint32_t bytesPerPixel = layout.bitCount / 8;
    if (layout.compression != kBiRgb || (bytesPerPixel != 3 && bytesPerPixel != 4) ||
        file.size() < layout.requiredBytes) {
        return false;
    }
    const auto width = static_cast<size_t>(layout.width);
    const size_t stride = static_cast<size_t>(RowBytes(width, layout.bitCount));
    const auto* pixels = reinterpret_cast<const unsigned char*>(file.data()) + layout.pixelOffset;
    for (size_t row = 0; row < static_cast<size_t>(layout.height); ++row) {
        // Rows are stored bottom row first unless the image is top-down.
        const size_t fileRow = layout.topDown ? row : static_cast<size_t>(layout.height) - 1 - row;
        const unsigned char* in = pixels + fileRow * stride;
        uint32_t* target = out + row * width;
        for (size_t x = 0; x < width; ++x, in += bytesPerPixel) {
            target[x] = uint32_t{in[2]} << 16 | uint32_t{in[1]} << 8 | in[0];
        }
    }
    return true;
}

IconCheck CheckIcon(std::string_view file) {
    IconCheck check;
    if (file.size() < 6 || U16(file, 0) != 0 || U16(file, 2) != 1 || U16(file, 4) == 0) {
        check.problem = "not an icon file";
        return check;
    }
    const uint32_t count = U16(file, 4);
    const uint64_t directoryEnd = 6 + uint64_t{16} * count;
    if (directoryEnd > file.size()) {
        check.problem = "the icon directory is cut short";
        return check;
    }
    std::vector<IconImage> images;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * static_cast<size_t>(i);
        IconImage image;
        image.size = U32(file, entry + 8);
        image.offset = U32(file, entry + 12);
        image.width = static_cast<unsigned char>(file[entry]) ? static_cast<unsigned char>(file[entry]) : 256;
        if (image.offset < directoryEnd || uint64_t{image.offset} + image.size > file.size()) {
            check.problem = "image " + std::to_string(i) + " lies outside the file";
            return check;
        }
        if (std::string problem = IconImageProblem(file.substr(image.offset, image.size), image);
            !problem.empty()) {
            check.problem = "image " + std::to_string(i) + ": " + problem;
            return check;
        }
        images.push_back(image);
    }
    check.images = std::move(images);
    return check;
}

const IconImage* ChooseIconImage(const std::vector<IconImage>& images, int size) {
    const IconImage* best = nullptr;
    const auto better = [size](const IconImage& a, const IconImage& b) {
        // Exact size first, then the smallest larger one, then the largest smaller one; more colours
        // (a PNG counts as the most) between images of one size.
        const auto rank = [size](const IconImage& image) {
            if (image.width == size) {
                return 0;
            }
            return image.width > size ? 1 : 2;
        };
        if (rank(a) != rank(b)) {
            return rank(a) < rank(b);
        }
        if (a.width != b.width) {
            return rank(a) == 1 ? a.width < b.width : a.width > b.width;
        }
        const auto depth = [](const IconImage& image) { return image.bitCount ? image.bitCount : 64; };
        return depth(a) > depth(b);
    };
    for (const IconImage& image : images) {
        if (!best || better(image, *best)) {
            best = &image;
        }
    }
    return best;
}

}  // namespace tk
