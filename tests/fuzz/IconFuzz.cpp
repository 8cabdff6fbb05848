// The icon-file check and the choice of image, on any bytes.
#include "FuzzCheck.h"
#include "toolkit/ImageFormats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const tk::IconCheck check = tk::CheckIcon(AsText(data, size));
    FUZZ_CHECK(check.images.empty() != check.problem.empty());
    for (const tk::IconImage& image : check.images) {
        FUZZ_CHECK(uint64_t{image.offset} + image.size <= size);
        FUZZ_CHECK(image.width >= 1 && image.width <= 256);
    }
    for (int wanted : {16, 32}) {
        const tk::IconImage* chosen = tk::ChooseIconImage(check.images, wanted);
        FUZZ_CHECK((chosen == nullptr) == check.images.empty());
    }
    return 0;
}
