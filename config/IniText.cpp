#include "config/IniText.h"

#include <vector>

namespace config {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The system's blanks: tab to carriage return, space and ^Z (a DOS end of file).
bool IsBlank(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == 0x20;
}
bool IsLineBreak(char32_t c) {
    return c == '\r' || c == '\n';
}
char32_t Fold(char32_t c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// Text in the file's own code units: bytes for 8-bit files, UTF-16 units for UTF-16 files. In a
// double-byte code page a lead byte and the byte after it are one character when that byte can be a
// trail byte (0x40 and above), so a trail byte is never taken for "]", "=" or a letter, while a
// line end or a blank after a stray lead byte still counts as one.
template <typename Unit>
struct Text {
    std::basic_string_view<Unit> units;
    const std::function<bool(unsigned char)>* isLeadByte = nullptr;

    char32_t At(size_t i) const {
        if constexpr (sizeof(Unit) == 1) {
            return static_cast<unsigned char>(units[i]);
        } else {
            return units[i];
        }
    }
    // The length in units of the character that starts at i.
    size_t CharLength(size_t i) const {
        if constexpr (sizeof(Unit) == 1) {
            if (isLeadByte && *isLeadByte && i + 1 < units.size() && At(i) >= 0x80 && At(i + 1) >= 0x40 &&
                (*isLeadByte)(static_cast<unsigned char>(At(i)))) {
                return 2;
            }
        }
        return 1;
    }
};

// One line of the file: [begin, end) with its line end, [contentBegin, contentEnd) without blanks
// around it, and lineEnd where the line end starts.
struct Line {
    size_t begin = 0, contentBegin = 0, contentEnd = 0, lineEnd = 0, end = 0;
};

enum class LineKind { Blank, Section, Entry };

// What the system reads from one line: a section header's name, or an entry's name and value.
struct ParsedLine {
    LineKind kind = LineKind::Blank;
    size_t nameBegin = 0, nameEnd = 0;
    bool hasValue = false;
    size_t valueBegin = 0;
};

// Lines end at CR LF, LF or CR.
template <typename Unit>
std::vector<Line> SplitLines(const Text<Unit>& text, size_t start) {
    std::vector<Line> lines;
    const size_t n = text.units.size();
    size_t i = start;
    while (i < n) {
        Line line;
        line.begin = i;
        while (i < n && !IsLineBreak(text.At(i))) {
            i += text.CharLength(i);
        }
        line.lineEnd = i;
        if (i < n) {
            i += (text.At(i) == '\r' && i + 1 < n && text.At(i + 1) == '\n') ? 2 : 1;
        }
        line.end = i;
        line.contentBegin = line.begin;
        while (line.contentBegin < line.lineEnd && IsBlank(text.At(line.contentBegin))) {
            ++line.contentBegin;
        }
        // Blanks are below 0x40, so a blank at the end is never the second byte of a character.
        line.contentEnd = line.lineEnd;
        while (line.contentEnd > line.contentBegin && IsBlank(text.At(line.contentEnd - 1))) {
            --line.contentEnd;
        }
        lines.push_back(line);
    }
    return lines;
}

template <typename Unit>
void TrimRange(const Text<Unit>& text, size_t& begin, size_t& end) {
    while (begin < end && IsBlank(text.At(begin))) {
        ++begin;
    }
    while (end > begin && IsBlank(text.At(end - 1))) {
        --end;
    }
}

// A "[" first and a "]" anywhere after it make a section header: the name is what lies between the
// "[" and the last "]", without blanks around it. A line with "=" is an entry named by what is before
// the first "="; a line without one is an entry of that name and no value.
template <typename Unit>
ParsedLine ParseLine(const Text<Unit>& text, const Line& line) {
    ParsedLine parsed;
    if (line.contentBegin == line.contentEnd) {
        return parsed;
    }
    if (text.At(line.contentBegin) == '[') {
        size_t lastBracket = 0;
        for (size_t i = line.contentBegin + 1; i < line.contentEnd; i += text.CharLength(i)) {
            if (text.At(i) == ']') {
                lastBracket = i;
            }
        }
        if (lastBracket != 0) {
            parsed.kind = LineKind::Section;
            parsed.nameBegin = line.contentBegin + 1;
            parsed.nameEnd = lastBracket;
            TrimRange(text, parsed.nameBegin, parsed.nameEnd);
            return parsed;
        }
    }
    parsed.kind = LineKind::Entry;
    parsed.nameBegin = line.contentBegin;
    parsed.nameEnd = line.contentEnd;
    for (size_t i = line.contentBegin; i < line.contentEnd; i += text.CharLength(i)) {
        if (text.At(i) == '=') {
            parsed.hasValue = true;
            parsed.nameEnd = i;
            parsed.valueBegin = i + 1;
            break;
        }
    }
    if (parsed.hasValue) {
        size_t unused = line.contentEnd;
        TrimRange(text, parsed.nameBegin, parsed.nameEnd);
        TrimRange(text, parsed.valueBegin, unused);
    }
    return parsed;
}

// Whether a name in the file is the wanted one, letter case aside (ASCII letters; two-byte
// characters compare exactly). The system keeps names as C strings, so a zero ends the file's name.
template <typename Unit>
bool NameIs(const Text<Unit>& text, size_t begin, size_t end, std::basic_string_view<Unit> wanted) {
    for (size_t i = begin; i < end; ++i) {
        if (text.At(i) == 0) {
            end = i;
            break;
        }
    }
    if (end - begin != wanted.size()) {
        return false;
    }
    for (size_t i = begin; i < end;) {
        const size_t length = text.CharLength(i);
        for (size_t k = 0; k < length; ++k) {
            const char32_t a = text.At(i + k);
            const char32_t b = Text<Unit>{wanted}.At(i + k - begin);
            if (length == 1 ? Fold(a) != Fold(b) : a != b) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

template <typename Unit>
std::basic_string_view<Unit> Trimmed(std::basic_string_view<Unit> s, bool right = true) {
    while (!s.empty() && IsBlank(Text<Unit>{s}.At(0))) {
        s.remove_prefix(1);
    }
    while (right && !s.empty() && IsBlank(Text<Unit>{s}.At(s.size() - 1))) {
        s.remove_suffix(1);
    }
    return s;
}

// Where a key is, or where it would go.
struct Location {
    bool sectionFound = false;
    bool keyFound = false;
    Line line;          // the key's line
    ParsedLine parsed;  // the key's line, parsed
    // In the section, where a new key goes: after the section's last non-blank line, and whether
    // that line lacks a line end (the last line of a file may).
    size_t insertAt = 0;
    bool insertAfterOpenLine = false;
};

template <typename Unit>
Location Locate(const Text<Unit>& text, const std::vector<Line>& lines, size_t start,
                std::basic_string_view<Unit> section, std::basic_string_view<Unit> key) {
    Location where;
    // Lines before the first header belong to a section without a name.
    bool inside = where.sectionFound = section.empty();
    where.insertAt = start;
    for (const Line& line : lines) {
        const ParsedLine parsed = ParseLine(text, line);
        if (parsed.kind == LineKind::Section) {
            if (where.sectionFound) {
                break;  // only the first section of the name counts
            }
            inside = where.sectionFound = NameIs(text, parsed.nameBegin, parsed.nameEnd, section);
        } else if (parsed.kind == LineKind::Blank || !inside) {
            continue;
        } else if (NameIs(text, parsed.nameBegin, parsed.nameEnd, key)) {
            where.keyFound = true;
            where.line = line;
            where.parsed = parsed;
            return where;
        }
        if (inside) {
            where.insertAt = line.end;
            where.insertAfterOpenLine = line.end == line.lineEnd;
        }
    }
    return where;
}

// The first line end of the file, else CR LF.
template <typename Unit>
std::basic_string<Unit> LineBreakOf(const Text<Unit>& text, const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        if (line.end > line.lineEnd) {
            return std::basic_string<Unit>(text.units.substr(line.lineEnd, line.end - line.lineEnd));
        }
    }
    return {Unit('\r'), Unit('\n')};
}

template <typename Unit>
std::basic_string<Unit> Widen(std::string_view ascii) {
    return std::basic_string<Unit>(ascii.begin(), ascii.end());
}

// The edit in the file's code units; nullopt when the value is already there.
template <typename Unit>
std::optional<std::basic_string<Unit>> Edit(const Text<Unit>& text, size_t start,
                                            std::basic_string_view<Unit> section,
                                            std::basic_string_view<Unit> key,
                                            std::basic_string_view<Unit> value) {
    using String = std::basic_string<Unit>;
    const std::vector<Line> lines = SplitLines(text, start);
    const Location where = Locate(text, lines, start, Trimmed(section), Trimmed(key));
    value = Trimmed(value, false);
    String out(text.units);
    if (where.keyFound) {
        const ParsedLine& p = where.parsed;
        if (!p.hasValue) {
            return out.insert(where.line.contentEnd, Widen<Unit>("=") + String(value));
        }
        const auto old = text.units.substr(p.valueBegin, where.line.contentEnd - p.valueBegin);
        if (old.substr(0, old.find(Unit(0))) == value) {
            return std::nullopt;
        }
        return out.replace(p.valueBegin, old.size(), value);
    }
    const String lineBreak = LineBreakOf(text, lines);
    const String entry = String(Trimmed(key, false)) + Widen<Unit>("=") + String(value) + lineBreak;
    if (where.sectionFound) {
        return out.insert(where.insertAt, (where.insertAfterOpenLine ? lineBreak : String()) + entry);
    }
    const bool open = !lines.empty() && lines.back().end == lines.back().lineEnd;
    return out + (open ? lineBreak : String()) + Widen<Unit>("[") + String(Trimmed(section, false)) +
           Widen<Unit>("]") + lineBreak + entry;
}

std::u16string FromLittleEndian(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const auto a = static_cast<unsigned char>(bytes[2 * i]);
        const auto b = static_cast<unsigned char>(bytes[2 * i + 1]);
        units[i] = static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    return units;
}

std::string ToBytes(std::u16string_view units, bool bigEndian) {
    std::string bytes(units.size() * 2, '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        const auto hi = static_cast<char>(units[i] >> 8);
        const auto lo = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i] = bigEndian ? hi : lo;
        bytes[2 * i + 1] = bigEndian ? lo : hi;
    }
    return bytes;
}

// A UTF-16 file: the mark, the units, and an odd last byte (kept where it is, at the very end).
struct Utf16File {
    bool bigEndian;
    std::u16string units;
    std::string_view oddByte;
};

Utf16File ReadUtf16(std::string_view file, IniEncoding encoding) {
    const std::string_view body = file.substr(2);
    return {encoding == IniEncoding::Utf16Be, FromLittleEndian(body, encoding == IniEncoding::Utf16Be),
            body.substr(body.size() - body.size() % 2)};
}

std::string EncodeForFile(std::u16string_view text, IniEncoding encoding, const AnsiCodePage& codePage) {
    if (encoding == IniEncoding::Utf8) {
        return Utf16ToUtf8(text);
    }
    return codePage.encode ? codePage.encode(text) : std::string(text.begin(), text.end());
}

}  // namespace

IniEncoding DetectIniEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        return IniEncoding::Utf8;
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return IniEncoding::Utf16Le;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return IniEncoding::Utf16Be;
    }
    return IniEncoding::Ansi;
}

std::optional<std::string> SetIniValue(std::string_view file, const IniAssignment& assignment,
                                       const AnsiCodePage& codePage) {
    const IniEncoding encoding = DetectIniEncoding(file);
    if (encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be) {
        const Utf16File wide = ReadUtf16(file, encoding);
        const auto edited = Edit<char16_t>(Text<char16_t>{wide.units}, 0, assignment.section, assignment.key,
                                           assignment.value);
        if (!edited) {
            return std::nullopt;
        }
        return std::string(file.substr(0, 2)) + ToBytes(*edited, wide.bigEndian) + std::string(wide.oddByte);
    }
    const std::string section = EncodeForFile(assignment.section, encoding, codePage);
    const std::string key = EncodeForFile(assignment.key, encoding, codePage);
    const std::string value = EncodeForFile(assignment.value, encoding, codePage);
    const Text<char> text{file, encoding == IniEncoding::Ansi ? &codePage.isLeadByte : nullptr};
    return Edit<char>(text, encoding == IniEncoding::Utf8 ? kUtf8Mark.size() : 0, section, key, value);
}

std::optional<std::string> FindIniValue(std::string_view file, const IniAssignment& where,
                                        const AnsiCodePage& codePage) {
    const IniEncoding encoding = DetectIniEncoding(file);
    // The value as the reader returns it: up to the end of the line's text or a zero.
    const auto find = [](const auto& text, size_t start, auto section, auto key) {
        using View = decltype(section);
        const Location at = Locate(text, SplitLines(text, start), start, Trimmed(section), Trimmed(key));
        std::optional<View> value;
        if (at.keyFound && at.parsed.hasValue) {
            value = text.units.substr(at.parsed.valueBegin, at.line.contentEnd - at.parsed.valueBegin);
            value = value->substr(0, value->find(typename View::value_type(0)));
        }
        return value;
    };
    if (encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be) {
        const Utf16File wide = ReadUtf16(file, encoding);
        const auto value = find(Text<char16_t>{wide.units}, 0, std::u16string_view(where.section),
                                std::u16string_view(where.key));
        return value ? std::optional<std::string>(ToBytes(*value, false)) : std::nullopt;
    }
    const std::string section = EncodeForFile(where.section, encoding, codePage);
    const std::string key = EncodeForFile(where.key, encoding, codePage);
    const Text<char> text{file, encoding == IniEncoding::Ansi ? &codePage.isLeadByte : nullptr};
    const auto value = find(text, encoding == IniEncoding::Utf8 ? kUtf8Mark.size() : 0,
                            std::string_view(section), std::string_view(key));
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace config
