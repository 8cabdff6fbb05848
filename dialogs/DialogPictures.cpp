#include <string>

#include "base/Log.h"
#include "base/Text.h"
#include "dialogs/DialogResources.h"
#include "toolkit/ImageScaling.h"
#include "toolkit/WicImage.h"

namespace dialogs {

tk::Bitmap LoadDialogPicture(const DialogPicture& picture, int dpi) {
    const PixelRect shown = Scaled(picture.size, tk::DpiScale(dpi));
    for (const int percent : DrawnPercentsByPreference(kDrawnPercents, dpi)) {
        tk::DecodedImage decoded =
            tk::LoadResourceImage(PictureResourceName(picture.name, percent).c_str(), kPictureResourceType);
        if (decoded.image.Empty()) {
            base::LogF("Dialog picture not used: %s", decoded.problem.c_str());
            continue;
        }
        tk::PixelImage image = std::move(decoded.image);
        if (picture.keyed) {
            image = tk::PremultipliedFromKeyed(image.pixels, image.width, image.height, kPictureKeyColour);
        }
        if (image.width != shown.width || image.height != shown.height) {
            image = tk::ScaleImage(image, shown.width, shown.height);
        }
        tk::Bitmap bitmap = tk::Bitmap::FromPixels(image, picture.keyed);
        if (!bitmap.Empty()) {
            return bitmap;
        }
        base::LogF("Dialog picture %s at %d %% not used: no bitmap of %d x %d",
                   base::WideToUtf8(picture.name).c_str(), percent, shown.width, shown.height);
    }
    base::LogF("Dialog picture %s not shown at %d DPI: no scale of it could be read",
               base::WideToUtf8(picture.name).c_str(), dpi);
    return {};
}

}  // namespace dialogs
