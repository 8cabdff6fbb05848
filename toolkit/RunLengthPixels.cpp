#include "toolkit/RunLengthPixels.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tk {
namespace {

constexpr uint32_t kBiRle8 = 1, kBiRle4 = 2;

// The stream is a sequence of two-byte codes. A first byte n > 0 is a run of n pixels of the second
// byte's colour (RLE4: its two nibbles by turns, the high one first). A first byte 0 is an escape:
// 0 ends the line, 1 ends the bitmap, 2 moves right and up by the next two bytes, and n >= 3 is an
// absolute block of the next n pixels (RLE4: two to a byte, the high nibble first), padded to an even
// number of bytes. Rows go bottom up: row 0 is the image's bottom row.
class Decoder {
  public:
    Decoder(std::string_view stream, const BmpLayout& layout, std::vector<uint32_t> colours, uint32_t* out)
        : stream_(stream),
          fourBits_(layout.compression == kBiRle4),
          width_(static_cast<uint32_t>(layout.width)),
          height_(static_cast<uint32_t>(layout.height)),
          colours_(std::move(colours)),
          out_(out) {}

    // Decodes the stream into the image; the problem that stopped it, or empty text.
    std::string Decode() {
        for (;;) {
            code_ = at_;
            if (!Has(2)) {
                return Stop(at_ == stream_.size() ? "the stream ends without an end-of-bitmap mark"
                                                  : "the stream ends inside a code");
            }
            const uint32_t count = Byte(at_), value = Byte(at_ + 1);
            at_ += 2;
            if (count > 0) {
                const uint32_t high = value >> 4, low = value & 0x0F;
                if (std::string problem = Draw(
                        "a run", count, [&](uint32_t i) { return fourBits_ ? (i % 2 ? low : high) : value; });
                    !problem.empty()) {
                    return problem;
                }
            } else if (value == 0) {
                if (y_ >= height_) {
                    return Stop("an end of line above the top row");
                }
                x_ = 0;
                ++y_;
            } else if (value == 1) {
                return {};
            } else if (value == 2) {
                if (!Has(2)) {
                    return Stop("the stream ends inside a move");
                }
                const uint32_t dx = Byte(at_), dy = Byte(at_ + 1);
                at_ += 2;
                if (x_ + dx > width_ || y_ + dy > height_) {
                    return Stop("a move by (" + std::to_string(dx) + ", " + std::to_string(dy) +
                                ") leaves the image");
                }
                x_ += dx;
                y_ += dy;
            } else {
                const size_t bytes = fourBits_ ? (value + 1) / 2 : value;
                if (!Has(bytes + bytes % 2)) {
                    return Stop("the stream ends inside an absolute block of " + std::to_string(value) +
                                " pixels");
                }
                const size_t first = at_;
                if (std::string problem = Draw("an absolute block", value,
                                               [&](uint32_t i) {
                                                   if (!fourBits_) {
                                                       return Byte(first + i);
                                                   }
                                                   const uint32_t pair = Byte(first + i / 2);
                                                   return i % 2 ? pair & 0x0F : pair >> 4;
                                               });
                    !problem.empty()) {
                    return problem;
                }
                at_ += bytes + bytes % 2;
            }
        }
    }

  private:
    bool Has(size_t bytes) const { return stream_.size() - at_ >= bytes; }
    uint32_t Byte(size_t at) const { return static_cast<unsigned char>(stream_[at]); }

    // The problem with the code being decoded, and where it is.
    std::string Stop(const std::string& reason) const {
        return "stopped at byte " + std::to_string(code_) + " (x " + std::to_string(x_) + " of row " +
               std::to_string(y_) + " from the bottom): " + reason;
    }

    // Sets count pixels from the current one on, pixel i to the colour of index(i), once all of
    // them are known to fit their row and the colour table.
    template <typename Index>
    std::string Draw(const char* what, uint32_t count, Index index) {
        const auto pixels = [&] { return std::string(what) + " of " + std::to_string(count) + " pixels"; };
        if (y_ >= height_) {
            return Stop(pixels() + " above the top row");
        }
        if (x_ + count > width_) {
            return Stop(pixels() + " passes the end of the " + std::to_string(width_) + "-pixel row");
        }
        for (uint32_t i = 0; i < count; ++i) {
            if (index(i) >= colours_.size()) {
                return Stop("colour " + std::to_string(index(i)) + " of " + pixels() + " is past the " +
                            std::to_string(colours_.size()) + "-colour table");
            }
        }
        uint32_t* row = out_ + static_cast<size_t>(height_ - 1 - y_) * width_;
        for (uint32_t i = 0; i < count; ++i) {
            row[x_ + i] = colours_[index(i)];
        }
        x_ += count;
        return {};
    }

    std::string_view stream_;
    bool fourBits_;
    uint32_t width_, height_;
    std::vector<uint32_t> colours_;  // 0x00RRGGBB
    uint32_t* out_;
    size_t at_ = 0;    // the next byte of the stream
    size_t code_ = 0;  // where the code being decoded starts
    uint32_t x_ = 0, y_ = 0;
};

}  // namespace

RunLengthDecode DecodeRunLengthPixels(std::string_view file, const BmpLayout& layout, uint32_t* out) {
    const bool runLength = (layout.compression == kBiRle8 && layout.bitCount == 8) ||
                           (layout.compression == kBiRle4 && layout.bitCount == 4);
    const uint64_t tableEnd = uint64_t{layout.colourOffset} + uint64_t{layout.colours} * layout.colourBytes;
    if (!runLength || layout.topDown || layout.width < 1 || layout.height < 1 ||
        (layout.colourBytes != 3 && layout.colourBytes != 4) || file.size() < layout.requiredBytes ||
        layout.pixelOffset > layout.requiredBytes || tableEnd > file.size()) {
        return {};
    }
    std::vector<uint32_t> colours(layout.colours);
    for (size_t i = 0; i < colours.size(); ++i) {
        const auto* entry = reinterpret_cast<const unsigned char*>(file.data()) + layout.colourOffset +
                            i * layout.colourBytes;
        colours[i] = uint32_t{entry[2]} << 16 | uint32_t{entry[1]} << 8 | entry[0];
    }
    std::fill_n(out, static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height), kUnsetPixel);
    const std::string_view stream =
        file.substr(layout.pixelOffset, static_cast<size_t>(layout.requiredBytes - layout.pixelOffset));
    return {true, Decoder(stream, layout, std::move(colours), out).Decode()};
}

}  // namespace tk
