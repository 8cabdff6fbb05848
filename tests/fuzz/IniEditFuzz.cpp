// The INI line editor, on any file and any section, key and value. Input: the three names, each
// ended by a zero byte, then the file's bytes.
#include "FuzzCheck.h"
#include "config/IniText.h"
#include "tests/support/ByteEdits.h"

#include <algorithm>
#include <string>

namespace {

// A double-byte code page like 936: lead bytes 0x81 to 0xFE; characters past ASCII become one pair.
config::AnsiCodePage CodePage() {
    config::AnsiCodePage page;
    page.encode = [](std::u16string_view text) {
        std::string out;
        for (char16_t c : text) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else {
                out += static_cast<char>(0x81 + (c >> 8) % 0x7E);
                out += static_cast<char>(0x40 + (c & 0x3F));
            }
        }
        return out;
    };
    page.isLeadByte = [](unsigned char b) { return b >= 0x81 && b <= 0xFE; };
    return page;
}

std::u16string Take(std::string_view& input) {
    const size_t end = std::min(input.find('\0'), input.size());
    std::u16string text;
    for (char c : input.substr(0, end)) {
        text += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
    input.remove_prefix(std::min(end + 1, input.size()));
    return text;
}

bool IsBlank(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Names and a value that the file's syntax can hold as one entry.
bool Writable(const config::IniAssignment& a) {
    const auto plain = [](std::u16string_view s) {
        return s.find_first_of(u"\r\n") == std::u16string_view::npos &&
               s.find(u'\0') == std::u16string_view::npos;
    };
    const std::u16string_view section = Trim(a.section), key = Trim(a.key), value = Trim(a.value);
    return plain(a.section) && plain(a.key) && plain(a.value) && !section.empty() && !key.empty() &&
           key.find(u'=') == std::u16string_view::npos && key.front() != u'[' && value == Trim(a.value) &&
           (a.value.empty() || !IsBlank(a.value.back()));
}

// The value as FindIniValue answers it for the file's encoding.
std::string Expected(std::string_view file, std::u16string_view value, const config::AnsiCodePage& page) {
    while (!value.empty() && IsBlank(value.front())) {
        value.remove_prefix(1);
    }
    switch (config::DetectIniEncoding(file)) {
        case config::IniEncoding::Utf8:
            return config::Utf16ToUtf8(value);
        case config::IniEncoding::Utf16Le:
        case config::IniEncoding::Utf16Be: {
            std::string bytes;
            for (char16_t c : value) {
                bytes += static_cast<char>(c & 0xFF);
                bytes += static_cast<char>(c >> 8);
            }
            return bytes;
        }
        default:
            return page.encode(value);
    }
}

// Whether the character at i is a line end: a byte, or a UTF-16 unit in the file's byte order.
bool LineEndAt(std::string_view text, size_t i, config::IniEncoding encoding) {
    if (encoding != config::IniEncoding::Utf16Le && encoding != config::IniEncoding::Utf16Be) {
        return text[i] == '\r' || text[i] == '\n';
    }
    const auto a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(text[i + 1]);
    const unsigned unit = encoding == config::IniEncoding::Utf16Be ? (a << 8 | b) : (b << 8 | a);
    return unit == '\r' || unit == '\n';
}

// The bytes of before that after does not keep lie within one line. (An odd byte at the end of a
// UTF-16 file stays the last byte; it is no line of the file.)
bool OnlyOneLineChanged(std::string_view before, std::string_view after, config::IniEncoding encoding) {
    const size_t unit =
        encoding == config::IniEncoding::Utf16Le || encoding == config::IniEncoding::Utf16Be ? 2 : 1;
    if (unit == 2 && before.size() % 2 == 1) {
        if (after.size() % 2 == 0 || after.back() != before.back()) {
            return false;
        }
        before.remove_suffix(1);
        after.remove_suffix(1);
    }
    const std::string_view removed = testsupport::FindReplacedBytes(before, after, unit).bytes;
    for (size_t i = 0; i < removed.size(); i += unit) {
        if (LineEndAt(removed, i, encoding)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input = AsText(data, size);
    config::IniAssignment assignment;
    assignment.section = Take(input);
    assignment.key = Take(input);
    assignment.value = Take(input);
    const std::string_view file = input;
    static const config::AnsiCodePage page = CodePage();
    const std::optional<std::string> edited = config::SetIniValue(file, assignment, page);
    if (!edited) {
        return 0;
    }
    FUZZ_CHECK(OnlyOneLineChanged(file, *edited, config::DetectIniEncoding(file)));
    if (Writable(assignment)) {
        // The reader then finds the value, and writing it again changes nothing.
        FUZZ_CHECK(config::FindIniValue(*edited, assignment, page) == Expected(file, assignment.value, page));
        FUZZ_CHECK(!config::SetIniValue(*edited, assignment, page).has_value());
    }
    return 0;
}
