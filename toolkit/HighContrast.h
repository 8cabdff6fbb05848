// Whether the user has high contrast on: then the skinned windows draw with the system's colours
// instead of their pictures.
#pragma once

#include <optional>

namespace tk {

// SPI_GETHIGHCONTRAST's HCF_HIGHCONTRASTON, unless a test has set an answer.
bool HighContrastOn();
// A test's answer in place of the system's (nullopt: the system's again). Wine always reports off.
void OverrideHighContrast(std::optional<bool> on);

}  // namespace tk
