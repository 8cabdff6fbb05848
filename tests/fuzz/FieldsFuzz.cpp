// The comma-field splitter of "HotKey" and "WindowPos" and the strict integer conversion, on any text.
#include "FuzzCheck.h"
#include "config/ValueFields.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    const std::vector<std::string> fields = config::SplitFields(text);
    size_t total = 0;
    for (const std::string& field : fields) {
        total += field.size();
        try {
            // A number converts back from its own decimal text.
            const int32_t value = config::ToInteger(field);
            FUZZ_CHECK(config::ToInteger(std::to_string(value)) == value);
        } catch (const config::ConvertError&) {
        }
    }
    // Fields only ever drop characters (quotes, blanks, commas).
    FUZZ_CHECK(total <= size);
    try {
        config::Fields(text).Integer(fields.size());
        FUZZ_CHECK(false);  // past the last field is always an error
    } catch (const config::ListIndexError&) {
    }
    return 0;
}
