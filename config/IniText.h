// Setting one value in the text of an INI file: the edit the system's profile writer would make,
// found by the same rules (which line is a section header, which is the key, where a new key or a
// new section goes), but made in place, so that every other byte of the file stays as it was:
// encoding, line ends, comments, unknown keys, blank lines. Platform-independent: the system code
// page comes in through callbacks.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace config {

// How a file's text is stored, told by its byte-order mark: EF BB BF is UTF-8, FF FE UTF-16LE and
// FE FF UTF-16BE; a file without one is in the system (ANSI) code page.
enum class IniEncoding { Ansi, Utf8, Utf16Le, Utf16Be };
IniEncoding DetectIniEncoding(std::string_view bytes);

// The system code page, for files without a byte-order mark.
struct AnsiCodePage {
    // UTF-16 text as the code page's bytes.
    std::function<std::string(std::u16string_view)> encode;
    // Whether a byte starts a two-byte character; empty for a single-byte code page.
    std::function<bool(unsigned char)> isLeadByte;
};

// One value to write. Blanks around the section and key name do not count when they are looked
// up, and blanks before the value are dropped, as the system's writer does.
struct IniAssignment {
    std::u16string section;
    std::u16string key;
    std::u16string value;
};

// The bytes of the file (empty for a file that does not exist yet) with the value set:
// - the first section of that name (letter case aside) is the one written to; in it the first
//   line of that key gets the new value, keeping the line's own spacing and line end;
// - a key the section lacks is added after the section's last non-blank line;
// - a section the file lacks is added at its end;
// - new lines end the way the file's first line does (CR LF in a file without any).
// The value is written in the file's encoding (the code page for a file without a byte-order
// mark). Nothing (nullopt) when the file already holds exactly that value.
std::optional<std::string> SetIniValue(std::string_view file, const IniAssignment& assignment,
                                       const AnsiCodePage& codePage);

// The value the system's reader finds for a key, in the file's encoding (UTF-16 code units as
// little-endian byte pairs for UTF-16 files); nullopt when there is none. Quotes are not removed.
std::optional<std::string> FindIniValue(std::string_view file, const IniAssignment& where,
                                        const AnsiCodePage& codePage);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace config
