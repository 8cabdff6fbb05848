#include "skin/CustomFrm.h"

#include "toolkit/Module.h"
#include "toolkit/Text.h"

namespace skin {

tk::FormDesign TPictureForm::BaseDesign() {
    tk::FormDesign design;
    design.clientWidth = 817;
    design.clientHeight = 600;
    design.color = GetSysColor(COLOR_BTNFACE);
    design.minimizeBox = true;
    design.maximizeBox = true;
    return design;
}

TPictureForm::TPictureForm(const tk::FormDesign& design)
    : tk::Form(design),
      ImgTop(this),
      imgbottom(this),
      pnlMain(this, 0, 47, design.clientWidth, design.clientHeight - 47, GetSysColor(COLOR_WINDOW)),
      imgLeft(this),
      imgTopLeft(this),
      imgTopRight(this),
      imgRight(this),
      imgSystemMenu(this) {
    ImgTop.name = "ImgTop";
    ImgTop.SetAlign(tk::Align::Top);
    imgbottom.name = "imgbottom";
    pnlMain.name = "pnlMain";
    imgLeft.name = "imgLeft";
    imgTopLeft.name = "imgTopLeft";
    imgTopRight.name = "imgTopRight";
    imgRight.name = "imgRight";
    imgSystemMenu.name = "imgSystemMenu";
    imgSystemMenu.SetBounds(0, 0, 32, 32);
    imgSystemMenu.SetCenter(true);
    imgSystemMenu.SetCursor(LoadCursorW(nullptr, IDC_HAND));
    imgSystemMenu.SetHint(L"Orvania");
    if (HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                   16, 16, LR_DEFAULTCOLOR))) {
        imgSystemMenu.SetIcon(tk::UniqueIcon(icon));
    }
}

TPictureForm::~TPictureForm() = default;

void TPictureForm::FormCreate() {
    SetCloseButtonVisible(true);
    Resizable = true;
    LoadSkin();
}

void TPictureForm::FormResize() {}

void TPictureForm::FormDestroy() {
    FreeSkin();
}

void TPictureForm::SetResizable(bool value) {
    Resizable = value;
}

void TPictureForm::SetCloseButtonVisible(bool value) {
    CloseButtonVisible = value;
}

void TPictureForm::LoadSystemMenuIcon(std::string& IconPath) {
    if (IconPath.empty()) {
        IconPath = "SysMenu.ico";
    }
    if (!tk::FileExists(IconPath)) {
        return;
    }
    imgSystemMenu.SetStretch(true);
    imgSystemMenu.SetBounds(imgSystemMenu.Left(), imgSystemMenu.Top(), 16, 16);
    if (HICON icon = static_cast<HICON>(
            LoadImageW(nullptr, tk::AnsiToWide(IconPath).c_str(), IMAGE_ICON, 16, 16, LR_LOADFROMFILE))) {
        imgSystemMenu.SetIcon(tk::UniqueIcon(icon));
    }
}

void TPictureForm::ApplyWindowShape() {}

void TPictureForm::LoadSkin() {
    std::string iconPath;
    LoadSystemMenuIcon(iconPath);
}

void TPictureForm::FreeSkin() {}

}  // namespace skin
