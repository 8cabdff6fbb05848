#include "toolkit/Panel.h"

#include "toolkit/WindowClass.h"

namespace tk {

Panel::Panel(WinControl* parent, int left, int top, int width, int height, COLORREF color)
    : WinControl(parent) {
    SetColor(color);
    WindowParams p;
    p.className = ClassName(L"Panel");
    p.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    p.exStyle = WS_EX_CONTROLPARENT;
    p.parentOrOwner = parent->Handle();
    p.left = left;
    p.top = top;
    p.width = width;
    p.height = height;
    CreateHandle(p);
    RecordAnchorOrigin();
}

}  // namespace tk
