// Byte-level helpers for tests of file formats, on any platform: little-endian fields written into
// a byte string, and the span of bytes that an edit of a file replaced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace testsupport {

inline void Put16(std::string& s, size_t at, uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}

inline void Put32(std::string& s, size_t at, uint32_t v) {
    Put16(s, at, v & 0xFFFF);
    Put16(s, at + 2, v >> 16);
}

// The bytes of before that after replaced, and where they start: before and after share everything
// up to offset and everything after the replaced bytes. Both shared parts are whole units of unit
// bytes (2 for UTF-16 text).
struct ReplacedBytes {
    size_t offset = 0;
    std::string_view bytes;
};

inline ReplacedBytes FindReplacedBytes(std::string_view before, std::string_view after, size_t unit) {
    size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
        ++prefix;
    }
    prefix -= prefix % unit;
    size_t suffix = 0;
    while (suffix + prefix < before.size() && suffix + prefix < after.size() &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    suffix -= suffix % unit;
    return {prefix, before.substr(prefix, before.size() - prefix - suffix)};
}

}  // namespace testsupport
