// Multi-part configuration values ("HotKey", "WindowPos"): comma-separated fields read by position,
// each converted with a strict integer conversion. Platform-independent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"

namespace config {

// "'%s' is not a valid integer value"
class ConvertError : public base::Error {
  public:
    explicit ConvertError(std::string_view text);
};

// "List index out of bounds (%d)"
class ListIndexError : public base::Error {
  public:
    explicit ListIndexError(int index);
};

// Cuts text into fields: at commas; blanks and control characters around a field are dropped and
// also end a field; a field may be enclosed in double quotes (a doubled quote inside stands for
// one), which are removed; a comma at the very end adds an empty last field.
std::vector<std::string> SplitFields(std::string_view text);

// Converts a whole text to a signed 32-bit integer: optional blanks first, an optional sign, then
// decimal digits or a hexadecimal number written $FF or 0xFF. Anything else raises ConvertError.
int32_t ToInteger(std::string_view text);

// The fields of one value, read by (zero-based) position.
class Fields {
  public:
    explicit Fields(std::string_view text) : fields_(SplitFields(text)) {}
    size_t Count() const { return fields_.size(); }
    // Raises ListIndexError when there is no field at index.
    const std::string& At(size_t index) const;
    int32_t Integer(size_t index) const { return ToInteger(At(index)); }

  private:
    std::vector<std::string> fields_;
};

}  // namespace config
