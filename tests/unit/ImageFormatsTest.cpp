#include "toolkit/ImageFormats.h"
#include "toolkit/RunLengthPixels.h"
#include "tests/support/ByteEdits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

using testsupport::Put16;
using testsupport::Put32;
using tk::BmpCheck;
using tk::CheckBmp;
using tk::CheckIcon;
using tk::ChooseIconImage;
using tk::IconImage;

namespace {

struct BmpFields {
    int32_t width = 4;
    int32_t height = 3;
    uint16_t bits = 24;
    uint32_t infoSize = 40;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    uint32_t imageBytes = 0;
};

// A BMP file with these header fields: headers, masks, colour table and zero pixels.
std::string Bmp(const BmpFields& fields) {
    const bool core = fields.infoSize == 12;
    const uint64_t colours =
        fields.bits <= 8 ? (fields.coloursUsed ? fields.coloursUsed : 1u << fields.bits) : 0;
    const size_t masks = fields.compression == 3 && fields.infoSize == 40 ? 12 : 0;
    const size_t offset = 14 + fields.infoSize + masks + colours * (core ? 3 : 4);
    const int64_t rows = fields.height < 0 ? -int64_t{fields.height} : fields.height;
    const size_t pixels =
        fields.compression == 1 || fields.compression == 2
            ? fields.imageBytes
            : static_cast<size_t>((int64_t{fields.width} * fields.bits + 31) / 32 * 4 * rows);
    std::string file(offset + pixels, '\0');
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, static_cast<uint32_t>(offset));
    Put32(file, 14, fields.infoSize);
    if (core) {
        Put16(file, 18, static_cast<uint32_t>(fields.width));
        Put16(file, 20, static_cast<uint32_t>(fields.height));
        Put16(file, 22, 1);
        Put16(file, 24, fields.bits);
        return file;
    }
    Put32(file, 18, static_cast<uint32_t>(fields.width));
    Put32(file, 22, static_cast<uint32_t>(fields.height));
    Put16(file, 26, 1);
    Put16(file, 28, fields.bits);
    Put32(file, 30, fields.compression);
    Put32(file, 34, fields.imageBytes);
    Put32(file, 46, fields.coloursUsed);
    return file;
}

BmpCheck Check(const std::string& file) {
    return CheckBmp(file.size(), std::string_view(file).substr(0, tk::kBmpHeadBytes));
}

// One image of an icon: a 32-bit bitmap with its transparency mask, or PNG bytes.
std::string IconDib(int size) {
    const size_t colourRow = static_cast<size_t>(size) * 4,
                 maskRow = (static_cast<size_t>(size) + 31) / 32 * 4;
    std::string image(40 + (colourRow + maskRow) * size, '\0');
    Put32(image, 0, 40);
    Put32(image, 4, static_cast<uint32_t>(size));
    Put32(image, 8, static_cast<uint32_t>(2 * size));
    Put16(image, 12, 1);
    Put16(image, 14, 32);
    return image;
}

std::string Icon(const std::vector<std::pair<int, std::string>>& images) {
    std::string file(6 + 16 * images.size(), '\0');
    Put16(file, 2, 1);
    Put16(file, 4, static_cast<uint32_t>(images.size()));
    for (size_t i = 0; i < images.size(); ++i) {
        file[6 + 16 * i] = static_cast<char>(images[i].first % 256);
        Put32(file, 6 + 16 * i + 8, static_cast<uint32_t>(images[i].second.size()));
        Put32(file, 6 + 16 * i + 12, static_cast<uint32_t>(file.size()));
        file += images[i].second;
    }
    return file;
}

const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + "IHDR and the rest";

}  // namespace

TEST(CheckBmp, SoundFilesOfEveryKindPass) {
    const BmpCheck caption = Check(Bmp({64, 32, 24}));
    ASSERT_TRUE(caption.layout) << caption.problem;
    EXPECT_EQ(caption.layout->requiredBytes, 6198u);  // the size of the default skin's caption tile
    EXPECT_FALSE(caption.layout->topDown);
    const BmpCheck topDown = Check(Bmp({5, -7, 32}));
    ASSERT_TRUE(topDown.layout);
    EXPECT_TRUE(topDown.layout->topDown);
    EXPECT_EQ(topDown.layout->height, 7);
    for (uint16_t bits : {1, 4, 8, 16, 24, 32}) {
        EXPECT_TRUE(Check(Bmp({3, 3, bits})).layout) << bits;
        EXPECT_TRUE(Check(Bmp({3, 3, bits, 12})).layout) << bits << " bits, small header";
    }
    for (uint32_t infoSize : {52u, 56u, 108u, 124u}) {
        EXPECT_TRUE(Check(Bmp({3, 3, 32, infoSize, 3})).layout) << infoSize;
    }
    EXPECT_TRUE(Check(Bmp({3, 3, 16, 40, 3})).layout);
    EXPECT_TRUE(Check(Bmp({8, 8, 8, 40, 1, 0, 20})).layout);
    EXPECT_TRUE(Check(Bmp({8, 8, 4, 40, 2, 16, 20})).layout);
    EXPECT_TRUE(Check(Bmp({16384, 1, 1})).layout);
}

TEST(CheckBmp, AFileCutAnywhereFails) {
    for (const std::string& whole : {Bmp({3, 3, 8}), Bmp({4, -2, 24, 124}), Bmp({8, 8, 8, 40, 1, 0, 20})}) {
        for (size_t length = 0; length < whole.size(); ++length) {
            EXPECT_FALSE(Check(whole.substr(0, length)).layout) << length << " of " << whole.size();
        }
        EXPECT_TRUE(Check(whole).layout);
    }
}

TEST(CheckBmp, DamagedHeadersFailWithTheirReason) {
    std::string file = Bmp({4, 3, 24});
    file[0] = 'X';
    EXPECT_EQ(Check(file).problem, "no BM mark: not a BMP file");
    EXPECT_FALSE(Check(kPng + std::string(100, '\0')).layout);
    for (uint32_t infoSize : {0u, 16u, 64u, 0xFFFFFFFFu}) {
        std::string odd = Bmp({4, 3, 24});
        Put32(odd, 14, infoSize);
        EXPECT_FALSE(Check(odd).layout) << infoSize;
    }
    std::string planes = Bmp({4, 3, 24});
    Put16(planes, 26, 2);
    EXPECT_EQ(Check(planes).problem, "2 planes");
    std::string beyond = Bmp({4, 3, 24});
    Put32(beyond, 10, 1u << 30);
    EXPECT_FALSE(Check(beyond).layout);
    std::string inside = Bmp({4, 3, 24});
    Put32(inside, 10, 20);
    EXPECT_EQ(Check(inside).problem, "the pixel data starts inside the headers");
}

TEST(CheckBmp, SizesAndFormatsOutsideTheRulesFail) {
    std::string huge = Bmp({4, 3, 24});
    Put32(huge, 18, 100000);
    Put32(huge, 22, 100000);
    EXPECT_EQ(Check(huge).problem, "size 100000 x 100000 is outside 1 to 16384 pixels");
    for (int32_t width : {0, -4, 16385}) {
        std::string bad = Bmp({4, 3, 24});
        Put32(bad, 18, static_cast<uint32_t>(width));
        EXPECT_FALSE(Check(bad).layout) << width;
    }
    std::string lowest = Bmp({4, 3, 24});
    Put32(lowest, 22, 0x80000000u);
    EXPECT_FALSE(Check(lowest).layout);
    for (uint16_t bits : {0, 2, 3, 48, 64}) {
        std::string bad = Bmp({4, 3, 24});
        Put16(bad, 28, bits);
        EXPECT_FALSE(Check(bad).layout) << bits;
    }
    EXPECT_FALSE(Check(Bmp({8, 8, 24, 40, 1, 0, 20})).layout);  // RLE8 with 24 bits
    EXPECT_FALSE(Check(Bmp({8, -8, 8, 40, 1, 0, 20})).layout);  // RLE8 top-down
    EXPECT_FALSE(Check(Bmp({8, 8, 8, 40, 1, 0, 0})).layout);    // RLE8 without its size
    EXPECT_FALSE(Check(Bmp({4, 3, 24, 40, 3})).layout);         // bit fields with 24 bits
    EXPECT_FALSE(Check(Bmp({4, 3, 24, 40, 4})).layout);         // JPEG inside
    std::string colours = Bmp({4, 3, 8});
    Put32(colours, 46, 300);
    EXPECT_EQ(Check(colours).problem, "300 colours for 8 bits");
    // Found by fuzzing: a 32-bit image claiming a 27802-colour table (111 KB of headers in a large file).
    std::string table = Bmp({3, -2, 32});
    Put32(table, 46, 27802);
    Put32(table, 10, 0x08000036);
    EXPECT_EQ(CheckBmp(0x09000000, table).problem, "27802 colours for 32 bits");
    Put32(table, 46, 256);
    Put32(table, 10, 54 + 1024);
    EXPECT_TRUE(CheckBmp(2000, table).layout);
}

TEST(CheckBmp, EachCompressionThatDoesNotFitIsNamed) {
    const struct {
        BmpFields fields;
        const char* problem;
    } cases[] = {
        // JPEG and PNG pixels come with a bit count of 0, which is not what is wrong with them.
        {{4, 3, 0, 40, 4}, "JPEG pixels inside a BMP are not supported"},
        {{4, 3, 0, 108, 5}, "PNG pixels inside a BMP are not supported"},
        {{4, 3, 24, 124, 4}, "JPEG pixels inside a BMP are not supported"},
        {{4, 3, 0, 40, 6}, "0 bits per pixel"},
        {{4, 3, 24, 40, 6}, "compression 6 is not supported"},
        {{8, 8, 24, 40, 1, 0, 20}, "RLE8 compression needs 8 bits, bottom-up"},
        {{8, -8, 4, 40, 2, 0, 20}, "RLE4 compression needs 4 bits, bottom-up"},
        {{4, 3, 24, 40, 3}, "bit fields need 16 or 32 bits"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Check(Bmp(c.fields)).problem, c.problem)
            << c.fields.bits << " bits, compression " << c.fields.compression;
    }
}

// A true-colour BMP whose pixel (x, y) (y counted from the top of the image) has the value
// 0xRRGGBB = x << 16 | y << 8 | 0x5A, written in the file's own row order; the padding bytes at the
// end of each row are 0xEE, which must never show up in a pixel.
std::string NumberedPixels(int32_t width, int32_t height, uint16_t bits) {
    std::string file = Bmp({width, height, bits});
    const size_t offset = 14 + 40;
    const int32_t rows = height < 0 ? -height : height;
    const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    for (int32_t row = 0; row < rows; ++row) {
        const int32_t y = height < 0 ? row : rows - 1 - row;
        std::string line(stride, '\xEE');
        for (int32_t x = 0; x < width; ++x) {
            const size_t at = static_cast<size_t>(x) * bits / 8;
            line[at] = '\x5A';
            line[at + 1] = static_cast<char>(y);
            line[at + 2] = static_cast<char>(x);
            if (bits == 32) {
                line[at + 3] = '\x7F';  // the unused byte does not reach the surface
            }
        }
        file.replace(offset + static_cast<size_t>(row) * stride, stride, line);
    }
    return file;
}

TEST(CopyTrueColourPixels, RowsComeOutTopFirstWithoutPaddingForBothRowOrdersAndBothDepths) {
    for (const uint16_t bits : {uint16_t{24}, uint16_t{32}}) {
        for (const int32_t height : {3, -3}) {
            SCOPED_TRACE(testing::Message() << bits << " bits, height " << height);
            const std::string file = NumberedPixels(5, height, bits);  // 5 x 24 bits: one byte of padding
            const BmpCheck check = CheckBmp(file.size(), file);
            ASSERT_TRUE(check.layout) << check.problem;
            std::vector<uint32_t> out(15, 0xDEADBEEF);
            ASSERT_TRUE(tk::CopyTrueColourPixels(file, *check.layout, out.data()));
            for (uint32_t y = 0; y < 3; ++y) {
                for (uint32_t x = 0; x < 5; ++x) {
                    EXPECT_EQ(out[y * 5 + x], x << 16 | y << 8 | 0x5A) << "at " << x << ", " << y;
                }
            }
        }
    }
}

TEST(CopyTrueColourPixels, OtherKindsAndShortBytesAreLeftToTheSystem) {
    std::vector<uint32_t> out(64, 0xDEADBEEF);
    for (const BmpFields& fields : {BmpFields{4, 3, 8}, BmpFields{4, 3, 16}, BmpFields{4, 3, 32, 40, 3}}) {
        const std::string file = Bmp(fields);
        const BmpCheck check = CheckBmp(file.size(), file);
        ASSERT_TRUE(check.layout) << check.problem;
        EXPECT_FALSE(tk::CopyTrueColourPixels(file, *check.layout, out.data())) << fields.bits;
    }
    const std::string file = NumberedPixels(4, 3, 24);
    const BmpCheck check = CheckBmp(file.size(), file);
    ASSERT_TRUE(check.layout);
    EXPECT_FALSE(tk::CopyTrueColourPixels(std::string_view(file).substr(0, file.size() - 1), *check.layout,
                                          out.data()));
    EXPECT_EQ(out[0], 0xDEADBEEFu);
}

// Colour-table entry i of the run-length files: never magenta, and a swap of channels shows.
uint32_t TableColour(uint32_t i) {
    return 0x300000 | i << 8 | (255 - i);
}

std::string Bytes(std::initializer_list<uint8_t> bytes) {
    return {bytes.begin(), bytes.end()};
}

// The decoded image, rows from the top separated by '/': a colour's table index as a hex digit, '.'
// for an unset pixel.
std::string Picture(const std::vector<uint32_t>& pixels, size_t width) {
    std::string rows;
    for (size_t x = 0; x < pixels.size(); ++x) {
        const uint32_t index = pixels[x] >> 8 & 0xFF;
        rows += x > 0 && x % width == 0 ? "/" : "";
        rows += pixels[x] == tk::kUnsetPixel                    ? '.'
                : pixels[x] == TableColour(index) && index < 16 ? "0123456789abcdef"[index]
                                                                : '?';
    }
    return rows;
}

struct RleCase {
    const char* name;
    uint16_t bits;
    int32_t width, height;
    std::string stream;
    std::string picture;  // the rows from the top, separated by '/'
    std::string problem;  // a part of the reason for stopping; empty for a sound stream
    uint32_t colours = 0;
    std::string after = {};  // file bytes after the stream
};

const RleCase kRleCases[] = {
    // Sound streams.
    {"RLE8 runs and end of line", 8, 4, 2, Bytes({3, 1, 1, 2, 0, 0, 4, 5, 0, 1}), "5555/1112", ""},
    {"RLE8 move", 8, 4, 3, Bytes({1, 1, 0, 2, 2, 1, 1, 2, 0, 1}), "..../...2/1...", ""},
    {"RLE8 odd absolute block and its pad byte", 8, 5, 1, Bytes({0, 3, 7, 8, 9, 0, 2, 4, 0, 1}), "78944", ""},
    {"early end of bitmap, bytes after it", 8, 3, 2, Bytes({2, 1, 0, 1, 9, 9}), ".../11.", ""},
    {"end of line after the top row", 8, 2, 1, Bytes({2, 3, 0, 0, 0, 1}), "33", ""},
    {"move to the end of the row and the top", 8, 3, 2, Bytes({1, 1, 0, 2, 2, 2, 0, 1}), ".../1..", ""},
    {"RLE4 odd run", 4, 5, 1, Bytes({5, 0x12, 0, 1}), "12121", ""},
    {"RLE4 odd absolute block in two bytes", 4, 3, 1, Bytes({0, 3, 0x12, 0x30, 0, 1}), "123", ""},
    {"RLE4 absolute block in three bytes and a pad", 4, 7, 1,
     Bytes({0, 5, 0x12, 0x34, 0x50, 0, 2, 0x67, 0, 1}), "1234567", ""},
    {"RLE4 run of one uses the high nibble only", 4, 2, 1, Bytes({1, 0x1F, 0, 1}), "1.", "", 2},
    // Streams that stop; what came before stays.
    {"run past the row's end", 8, 3, 2, Bytes({2, 1, 2, 2, 0, 1}), ".../11.",
     "byte 2 (x 2 of row 0 from the bottom): a run of 2 pixels passes the end of the 3-pixel row"},
    {"absolute block past the row's end", 8, 3, 1, Bytes({1, 1, 0, 3, 4, 5, 6, 0, 0, 1}), "1..",
     "an absolute block of 3 pixels passes the end"},
    {"move past the right edge", 8, 3, 2, Bytes({1, 1, 0, 2, 3, 0, 1, 2, 0, 1}), ".../1..",
     "a move by (3, 0) leaves the image"},
    {"move past the top", 8, 3, 2, Bytes({1, 1, 0, 2, 0, 3, 1, 2, 0, 1}), ".../1..",
     "a move by (0, 3) leaves the image"},
    {"run above the top row", 8, 2, 1, Bytes({2, 1, 0, 0, 1, 2, 0, 1}), "11", "above the top row"},
    {"end of line above the top row", 8, 2, 1, Bytes({2, 1, 0, 0, 0, 0, 0, 1}), "11",
     "an end of line above the top row"},
    {"no end of bitmap", 8, 2, 2, Bytes({2, 1, 0, 0}), "../11", "without an end-of-bitmap mark"},
    {"end of bitmap past the stream's size", 8, 2, 1, Bytes({2, 1}), "11", "without an end-of-bitmap mark", 0,
     Bytes({0, 1})},
    {"stream ends inside a code", 8, 2, 1, Bytes({2, 1, 0}), "11", "inside a code"},
    {"stream ends inside a move", 8, 2, 1, Bytes({1, 1, 0, 2, 1}), "1.", "inside a move"},
    {"stream ends inside an absolute block", 8, 4, 1, Bytes({0, 4, 1, 2}), "....", "inside an absolute block",
     0, Bytes({3, 4, 0, 1})},
    {"absolute colour past the table", 8, 3, 1, Bytes({0, 3, 1, 2, 9, 0, 0, 1}), "...",
     "colour 9 of an absolute block of 3 pixels is past the 4-colour table", 4},
    {"RLE4 second nibble past the table", 4, 2, 1, Bytes({2, 0x1F, 0, 1}), "..", "colour 15", 2},
};

TEST(DecodeRunLengthPixels, StreamsDecodeToTheirPixelsAndStopAtTheFirstOverrun) {
    for (const RleCase& c : kRleCases) {
        SCOPED_TRACE(c.name);
        std::string file = Bmp({c.width, c.height, c.bits, 40, c.bits == 8 ? 1u : 2u, c.colours,
                                static_cast<uint32_t>(c.stream.size())});
        for (uint32_t i = 0; i < (c.colours ? c.colours : 1u << c.bits); ++i) {
            Put32(file, 54 + size_t{i} * 4, TableColour(i));
        }
        file.replace(file.size() - c.stream.size(), c.stream.size(), c.stream);
        file += c.after;
        const BmpCheck check = CheckBmp(file.size(), file);
        ASSERT_TRUE(check.layout) << check.problem;
        // A guard pixel on each side of the image catches writes outside it.
        std::vector<uint32_t> out(static_cast<size_t>(c.width * c.height) + 2, 0xDEADBEEF);
        const tk::RunLengthDecode decode = tk::DecodeRunLengthPixels(file, *check.layout, out.data() + 1);
        EXPECT_TRUE(decode.decoded);
        EXPECT_EQ(out.front(), 0xDEADBEEFu);
        EXPECT_EQ(out.back(), 0xDEADBEEFu);
        EXPECT_EQ(Picture({out.begin() + 1, out.end() - 1}, static_cast<size_t>(c.width)), c.picture);
        EXPECT_EQ(decode.problem.empty(), c.problem.empty()) << decode.problem;
        EXPECT_NE(decode.problem.find(c.problem), std::string::npos) << decode.problem;
    }
    // A file shorter than its layout says is not decoded at all.
    const std::string file = Bmp({2, 1, 8, 40, 1, 0, 4});
    std::vector<uint32_t> out(2, 0xDEADBEEF);
    EXPECT_FALSE(tk::DecodeRunLengthPixels(std::string_view(file).substr(0, file.size() - 1),
                                           *CheckBmp(file.size(), file).layout, out.data())
                     .decoded);
    EXPECT_EQ(out[0], 0xDEADBEEFu);
}

TEST(CheckIcon, SoundIconsListTheirImages) {
    const std::string file = Icon({{16, IconDib(16)}, {32, IconDib(32)}, {0, kPng}});
    const tk::IconCheck check = CheckIcon(file);
    ASSERT_EQ(check.images.size(), 3u) << check.problem;
    EXPECT_EQ(check.images[0].width, 16);
    EXPECT_EQ(check.images[0].bitCount, 32);
    EXPECT_EQ(check.images[2].width, 256);
    EXPECT_EQ(check.images[2].bitCount, 0);
    for (size_t length = 0; length < file.size(); ++length) {
        EXPECT_TRUE(CheckIcon(file.substr(0, length)).images.empty()) << length;
    }
}

TEST(CheckIcon, DamagedIconsFail) {
    std::string cursor = Icon({{16, IconDib(16)}});
    Put16(cursor, 2, 2);
    EXPECT_TRUE(CheckIcon(cursor).images.empty());
    std::string none = Icon({{16, IconDib(16)}});
    Put16(none, 4, 0);
    EXPECT_TRUE(CheckIcon(none).images.empty());
    std::string inDirectory = Icon({{16, IconDib(16)}});
    Put32(inDirectory, 6 + 12, 2);
    EXPECT_TRUE(CheckIcon(inDirectory).images.empty());
    std::string wrapping = Icon({{16, IconDib(16)}});
    Put32(wrapping, 6 + 8, 0xFFFFFFF0u);
    EXPECT_TRUE(CheckIcon(wrapping).images.empty());
    std::string oddHeight = IconDib(16);
    Put32(oddHeight, 8, 33);
    EXPECT_TRUE(CheckIcon(Icon({{16, oddHeight}})).images.empty());
    std::string bigHeader = IconDib(16);
    Put32(bigHeader, 0, 5000);
    EXPECT_TRUE(CheckIcon(Icon({{16, bigHeader}})).images.empty());
    EXPECT_TRUE(CheckIcon(Icon({{16, IconDib(16).substr(0, 300)}})).images.empty());
    EXPECT_TRUE(CheckIcon(Bmp({16, 16, 24})).images.empty());
}

TEST(CheckIcon, TheImageShownIsTheExactSizeThenTheNextLargerThenTheLargest) {
    const std::vector<IconImage> images = {{0, 0, 48, 32}, {0, 0, 16, 8}, {0, 0, 16, 32}, {0, 0, 24, 32}};
    EXPECT_EQ(ChooseIconImage(images, 16), &images[2]);
    EXPECT_EQ(ChooseIconImage(images, 20), &images[3]);
    EXPECT_EQ(ChooseIconImage(images, 64), &images[0]);
    EXPECT_EQ(ChooseIconImage({}, 16), nullptr);
}
