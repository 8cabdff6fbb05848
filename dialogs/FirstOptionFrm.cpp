#include "dialogs/FirstOptionFrm.h"

#include <windowsx.h>

#include <memory>

#include "config/AppConfigClass.h"
#include "config/Reg2SysClass.h"
#include "dialogs/DialogResources.h"
#include "dialogs/DialogRules.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/ResourceBitmap.h"
#include "base/Text.h"

namespace dialogs {
namespace {

constexpr int kClientWidth = 354;
constexpr int kClientHeight = 211;
// The close cross starts at column 329: the drag strip ends there.
constexpr int kDragStripRight = 329;
constexpr int kCornerEllipse = 6;
constexpr COLORREF kShortcutBoxColor = RGB(228, 235, 250);
constexpr COLORREF kRemindBoxColor = RGB(221, 230, 248);

// The unit's shortcut object, made by the dialog's creation.
std::unique_ptr<config::TReg2SysClass> FirstOptionReg2Sys;

std::wstring W(const char* utf8) {
    return base::Utf8ToWide(utf8);
}

config::TReg2SysClass& ShortcutMaker() {
    if (!FirstOptionReg2Sys) {
        FirstOptionReg2Sys = std::make_unique<config::TReg2SysClass>();
    }
    return *FirstOptionReg2Sys;
}

}  // namespace

tk::FormDesign TFirstOptionForm::Design(tk::Form* owner) {
    tk::FormDesign d;
    d.className = L"TFirstOptionForm";
    d.caption = W("启动选择");
    d.clientWidth = kClientWidth;
    d.clientHeight = kClientHeight;
    d.color = kShortcutBoxColor;
    d.owner = owner;
    return d;
}

TFirstOptionForm::TFirstOptionForm(tk::Form* owner)
    : tk::Form(Design(owner)),
      Imgbg(this),
      lblCaption(this),
      chkDesktopShotCut(this, 32, 56, 137, 17, W("建立桌面快捷方式")),
      chkProgramShotCut(this, 32, 98, 137, 17, W("建立程序组菜单")),
      chkDontRemind(this, 30, 168, 185, 17, W("下次启动时别再提醒我！")),
      IbtnOk(this),
      imgClose(this) {
    Imgbg.name = "Imgbg";
    lblCaption.name = "lblCaption";
    chkDesktopShotCut.name = "chkDesktopShotCut";
    chkProgramShotCut.name = "chkProgramShotCut";
    chkDontRemind.name = "chkDontRemind";
    IbtnOk.name = "IbtnOk";
    imgClose.name = "imgClose";

    Imgbg.SetBounds(0, 0, kClientWidth, kClientHeight);
    Imgbg.SetStretch(true);
    Imgbg.SetCenter(true);
    Imgbg.SetPicture(tk::LoadResourceBitmap(kFirstRunBackground));

    lblCaption.SetTransparent(true);
    lblCaption.SetAutoSize(false);
    lblCaption.SetBounds(24, 11, 241, 13);
    lblCaption.SetCaption(W("您想建立桌面快捷和程序组菜单吗？"));

    MakeImageButton(IbtnOk, kButtonOk, 240, 168, 79, 22);
    MakeImageButton(imgClose, kCloseCross, 329, 7, 18, 18);
    IbtnOk.OnClick = [this] { IbtnOkClick(); };
    imgClose.OnClick = [this] { imgCloseClick(); };

    SetDialogNavigation(true);
    OnCreate = [this] { FormCreate(); };
    OnClose = [this](tk::CloseAction& action) { FormClose(action); };
}

TFirstOptionForm::~TFirstOptionForm() {
    if (FirstOptionForm == this) {
        FirstOptionForm = nullptr;
    }
}

void TFirstOptionForm::FormCreate() {
    // Nothing of the preparation is worth an error box: whatever fails stays as designed.
    try {
        ShortcutMaker();
        SetFormStyle(tk::FormStyle::StayOnTop);
        SetPosition(tk::Position::MainFormCenter);
        chkDesktopShotCut.SetChecked(true);
        chkDesktopShotCut.SetBackColor(kShortcutBoxColor);
        chkProgramShotCut.SetChecked(true);
        chkProgramShotCut.SetBackColor(kShortcutBoxColor);
        chkDontRemind.SetChecked(true);
        chkDontRemind.SetBackColor(kRemindBoxColor);
        ApplyRoundRegion();
    } catch (...) {
    }
}

void TFirstOptionForm::ApplyRoundRegion() {
    SetRoundedShape(kCornerEllipse);
}

void TFirstOptionForm::IbtnOkClick() {
    if (chkDesktopShotCut.Checked()) {
        try {
            ShortcutMaker().CreateDesktopShortcut();
        } catch (...) {
        }
    }
    if (chkProgramShotCut.Checked()) {
        try {
            ShortcutMaker().CreateProgramGroupShortcut();
        } catch (...) {
        }
    }
    // A failing write reaches the error box and leaves the dialog open.
    config::TAppConfigClass::GetInstance()->SetShotCutRemind(chkDontRemind.Checked() ? "0" : "1");
    Close();
}

void TFirstOptionForm::imgCloseClick() {
    IbtnOkClick();
}

void TFirstOptionForm::FormClose(tk::CloseAction& Action) {
    Action = tk::CloseAction::Free;
    if (FirstOptionForm == this) {
        FirstOptionForm = nullptr;
    }
}

LRESULT TFirstOptionForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) {
        tk::Form::WndProc(message, wParam, lParam);
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(Handle(), &point);
        return InDragStrip(point.x, point.y, kDragStripRight) ? HTCAPTION : HTCLIENT;
    }
    return tk::Form::WndProc(message, wParam, lParam);
}

TFirstOptionForm* ShowFirstOptionDialog(tk::Form* owner) {
    if (FirstOptionForm) {
        return FirstOptionForm;
    }
    tk::FormPtr<TFirstOptionForm> created(new TFirstOptionForm(owner));
    FirstOptionForm = created.get();
    created->DoCreate();
    created->Show();
    // It frees itself when it closes, or its owner frees it.
    return created.release();
}

}  // namespace dialogs
