#include "toolkit/HighContrast.h"

#include <windows.h>

namespace tk {
namespace {

std::optional<bool>& Override() {
    static std::optional<bool> value;
    return value;
}

}  // namespace

bool HighContrastOn() {
    if (Override()) {
        return *Override();
    }
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void OverrideHighContrast(std::optional<bool> on) {
    Override() = on;
}

}  // namespace tk
