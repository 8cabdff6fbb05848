#include "toolkit/Panel.h"

#include "toolkit/WindowClass.h"

namespace tk {

Panel::Panel(WinControl* parent, int left, int top, int width, int height, COLORREF color)
    : WinControl(parent) {
    SetColor(color);
    WindowParams p = WindowParams::Child(parent->Handle(), ClassName(L"Panel"), false,
                                         WS_CLIPCHILDREN | WS_CLIPSIBLINGS, left, top, width, height);
    p.exStyle = WS_EX_CONTROLPARENT;
    CreateHandle(p);
    RecordAnchorOrigin();
}

}  // namespace tk
