// The "HotKey" reader and writer, on any text and any shortcut code.
#include "FuzzCheck.h"
#include "base/Error.h"
#include "config/HotKeyText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const config::HotKeyValue value = config::ParseHotKeyValue(AsText(data, size));
        // What the settings dialog can write reads back the same.
        if (value.modifiers < 0x80000000u && value.key < 0x80000000u) {
            FUZZ_CHECK(config::ParseHotKeyValue(config::FormatHotKeyValue(value)) == value);
        }
    } catch (const base::Error&) {
        // A malformed value is reported to the user; any other exception would escape start-up.
    }
    if (size >= 2) {
        const uint16_t code = static_cast<uint16_t>(data[0] | data[1] << 8);
        const config::HotKeyValue fromCode = config::HotKeyFromShortcut(code);
        FUZZ_CHECK(fromCode.key == (code & config::kShortcutKeyMask));
        FUZZ_CHECK(config::ParseHotKeyValue(config::FormatHotKeyValue(fromCode)) == fromCode);
    }
    return 0;
}
