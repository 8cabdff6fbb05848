#include "config/ValueFields.h"

#include <limits>

#include "base/Format.h"

namespace config {
namespace {

// Blanks and control characters: every byte from 1 to 32.
bool IsBlank(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

ConvertError::ConvertError(std::string_view text)
    : base::Error("'" + std::string(text) + "' is not a valid integer value") {}

ListIndexError::ListIndexError(int index)
    : base::Error(base::Format("List index out of bounds (%d)", index)) {}

std::vector<std::string> SplitFields(std::string_view text) {
    std::vector<std::string> fields;
    // A zero byte ends the text, as it would for a C string.
    if (size_t nul = text.find('\0'); nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    size_t i = 0;
    const size_t n = text.size();
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i])) {
            ++i;
        }
    };
    skipBlanks();
    while (i < n) {
        std::string field;
        if (text[i] == '"') {
            ++i;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            const size_t start = i;
            while (i < n && !IsBlank(text[i]) && text[i] != ',') {
                ++i;
            }
            field.assign(text.substr(start, i - start));
        }
        fields.push_back(std::move(field));
        skipBlanks();
        if (i < n && text[i] == ',') {
            if (i + 1 == n) {
                fields.emplace_back();
            }
            ++i;
            skipBlanks();
        }
    }
    return fields;
}

int32_t ToInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) {
        throw ConvertError(text);
    }
    // Accumulate as a magnitude; the most negative value is one more than the most positive.
    const uint64_t limit = negative ? uint64_t{1} << 31 : (base == 16 ? 0xFFFFFFFFull : 0x7FFFFFFFull);
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            throw ConvertError(text);
        }
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > limit) {
            throw ConvertError(text);
        }
    }
    // A hexadecimal number may fill all 32 bits ($FFFFFFFF is -1), as a bit pattern.
    const auto bits = static_cast<uint32_t>(negative ? (~value + 1) : value);
    return static_cast<int32_t>(bits);
}

const std::string& Fields::At(size_t index) const {
    if (index >= fields_.size()) {
        throw ListIndexError(static_cast<int>(index));
    }
    return fields_[index];
}

}  // namespace config
