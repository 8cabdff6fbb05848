// The "HotKey" readers and writer, on any text and any shortcut code.
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
    // A value taken for use registers exactly the key its code names, and is written back the same.
    const config::HotKeySetting setting = config::ReadHotKeySetting(AsText(data, size));
    if (setting.problem.empty()) {
        FUZZ_CHECK(config::HotKeyFromShortcut(setting.value.code) == setting.value);
        FUZZ_CHECK(config::ReadHotKeySetting(config::FormatHotKeyValue(setting.value)).value ==
                   setting.value);
    }
    if (size >= 2) {
        const uint16_t code = static_cast<uint16_t>(data[0] | data[1] << 8);
        const config::HotKeyValue fromCode = config::HotKeyFromShortcut(code);
        FUZZ_CHECK(fromCode.key == (code & config::kShortcutKeyMask));
        FUZZ_CHECK(config::ParseHotKeyValue(config::FormatHotKeyValue(fromCode)) == fromCode);
    }
    return 0;
}
