// Panel: a plain child window with a background colour that holds other controls.
#pragma once

#include "toolkit/Control.h"

namespace tk {

class Panel : public WinControl {
  public:
    Panel(WinControl* parent, int left, int top, int width, int height,
          COLORREF color = GetSysColor(COLOR_WINDOW));
};

}  // namespace tk
