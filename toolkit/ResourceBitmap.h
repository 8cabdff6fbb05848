// Bitmaps embedded in the executable as BITMAP resources.
#pragma once

#include "toolkit/Bitmap.h"

namespace tk {

// The named BITMAP resource of the running executable as a 32-bit bitmap; empty when it is missing.
Bitmap LoadResourceBitmap(const wchar_t* name);

// The named RCDATA resource of the running executable that holds a whole BMP file, loaded as a file
// on disk is (Bitmap::LoadFromMemory); empty when it is missing or does not pass the checks.
Bitmap LoadResourceBmpFile(const wchar_t* name);

}  // namespace tk
