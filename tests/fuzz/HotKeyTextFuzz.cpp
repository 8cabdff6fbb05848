// The texts that show a shortcut: any code, any name the system gives a key, any title.
#include "FuzzCheck.h"
#include "config/HotKeyText.h"

#include <algorithm>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const uint16_t code = static_cast<uint16_t>(data[0] | data[1] << 8);
    const std::string_view rest = AsText(data + 2, size - 2);
    const std::string_view keyName = rest.substr(0, rest.size() / 2);
    const std::string_view title = rest.substr(rest.size() / 2);
    const config::KeyNameFunction systemName = [&](uint8_t) { return std::string(keyName); };
    const std::string text = config::ShortcutText(code, systemName);
    // Never more than the three prefixes and the name (the longest built-in name is five letters).
    FUZZ_CHECK(text.size() <= std::string("Shift+Ctrl+Alt+").size() + std::max<size_t>(keyName.size(), 5));
    // Registered or taken by another program, as the first byte of the rest says.
    const bool registered = rest.empty() || (rest[0] & 1);
    const std::string hint = config::TrayHintText(title, code, registered, systemName);
    FUZZ_CHECK(hint.compare(0, title.size(), title) == 0);
    FUZZ_CHECK((code == 0) == (hint.size() == title.size()));
    const std::string label = config::HotKeyHintText(code, registered, systemName);
    FUZZ_CHECK((code == 0) == (label == "您还没有设置快捷键"));
    config::TrayTipText(code, registered, systemName);
    FUZZ_CHECK(config::TrayTipTitle(title).compare(0, title.size(), title) == 0);
    return 0;
}
