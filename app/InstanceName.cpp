#include "app/InstanceName.h"

namespace app {

std::u16string InstanceMutexName(uint32_t pathHash) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string name = u"Local\\Velmora-";
    for (int shift = 28; shift >= 0; shift -= 4) {
        name += kDigits[(pathHash >> shift) & 0xF];
    }
    return name;
}

uint32_t HashX65599AsciiFolded(std::u16string_view text) {
    uint32_t hash = 0;
    for (char16_t unit : text) {
        if (unit >= u'a' && unit <= u'z') {
            unit = static_cast<char16_t>(unit - u'a' + u'A');
        }
        hash = hash * 65599u + unit;
    }
    return hash;
}

}  // namespace app
