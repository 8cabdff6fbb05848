// The "WindowPos" reader and the placement arithmetic, on any text and any nine integers.
#include "FuzzCheck.h"
#include "app/WindowPlacement.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (const auto placement = app::ParseWindowPos(AsText(data, size))) {
        FUZZ_CHECK(placement->State == app::kPlacementNormal || placement->State == app::kPlacementMaximized);
        // A value that is read has a rectangle, and writing it gives text that reads the same.
        FUZZ_CHECK(app::PlacementRect(app::RaisedToMinimum(*placement)).has_value());
        FUZZ_CHECK(app::ParseWindowPos(app::FormatWindowPos(*placement)) == placement);
    }
    // Any nine integers: the rectangle and the value saved at exit are worked out without overflow.
    if (size >= 9 * sizeof(int32_t)) {
        int32_t n[9];
        std::memcpy(n, data, sizeof(n));
        const app::TPlacement raw{n[0] & 2, n[1], n[2], n[3], n[4], n[5], n[6], n[7], n[8]};
        if (const auto rect = app::PlacementRect(raw)) {
            FUZZ_CHECK(int64_t{rect->right} - rect->left == (raw.State ? raw.RestoreWidth : raw.Width));
        }
        const app::TPlacement saved =
            app::PlacementToSave(n[0], n[1], n[2], n[3], app::Rect32{n[4], n[5], n[6], n[7]});
        FUZZ_CHECK(saved.State == app::kPlacementMaximized);
    }
    return 0;
}
