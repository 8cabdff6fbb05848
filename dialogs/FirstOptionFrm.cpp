#include "dialogs/FirstOptionFrm.h"

#include <memory>

#include "config/AppConfigClass.h"
#include "config/Reg2SysClass.h"
#include "dialogs/DialogResources.h"
#include "dialogs/DialogRules.h"
#include "toolkit/GdiHandles.h"
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
constexpr COLORREF kTextColor = RGB(0, 0, 0);

}  // namespace

tk::FormDesign TFirstOptionForm::Design(tk::Form* owner) {
    tk::FormDesign d;
    d.className = L"TFirstOptionForm";
    d.caption = UiText("启动选择");
    d.clientWidth = kClientWidth;
    d.clientHeight = kClientHeight;
    d.color = kShortcutBoxColor;
    d.owner = owner;
    return d;
}

TFirstOptionForm::TFirstOptionForm(tk::Form* owner)
    : TBorderlessDialog(Design(owner), kDragStripRight, kCornerEllipse),
      background_(Add<tk::Image>()),
      captionLabel_(Add<tk::Label>()),
      desktopShortcutBox_(
          Place(Add<tk::CheckBox>(0, 0, 0, 0, UiText("建立桌面快捷方式")), {32, 56, 137, 17})),
      programShortcutBox_(Place(Add<tk::CheckBox>(0, 0, 0, 0, UiText("建立程序组菜单")), {32, 98, 137, 17})),
      dontRemindBox_(
          Place(Add<tk::CheckBox>(0, 0, 0, 0, UiText("下次启动时别再提醒我！")), {30, 168, 185, 17})),
      okButton_(AddImageButton(
          kButtonOk, {240, 168, 79, 22}, [this] { IbtnOkClick(); }, L"确定")),
      closeButton_(AddImageButton(
          kCloseCross, {329, 7, 18, 18}, [this] { imgCloseClick(); }, L"关闭")) {
    // Drawn at the client area's size for each scale.
    Place(background_, kFirstRunBackground.size);
    ShowPicture(background_, kFirstRunBackground);

    for (tk::CheckBox* box : {&desktopShortcutBox_, &programShortcutBox_, &dontRemindBox_}) {
        UseDialogFont(box->GetFont());
        box->FontChanged();
    }

    captionLabel_.SetTransparent(true);
    captionLabel_.SetAutoSize(false);
    UseDialogFont(captionLabel_.GetFont());
    // As tall as the font's whole line (its ascent and descent: 14 pixels at 96 DPI), not only its em.
    Place(captionLabel_, {24, 11, 241, 16});
    captionLabel_.SetCaption(UiText("您想建立桌面快捷和程序组菜单吗？"));

    // Esc does what the close cross does: it applies the choices too.
    SetKeyboardButtons(&okButton_, &closeButton_);
    SetDialogNavigation(true);
}

TFirstOptionForm::~TFirstOptionForm() = default;

void TFirstOptionForm::FormCreate() {
    TBorderlessDialog::FormCreate();
    // Nothing here raises: a step the system refuses leaves that part as designed.
    SetFormStyle(tk::FormStyle::StayOnTop);
    SetPosition(tk::Position::MainFormCenter);
    desktopShortcutBox_.SetChecked(true);
    programShortcutBox_.SetChecked(true);
    dontRemindBox_.SetChecked(true);
    ApplyColours();
    ApplyRoundRegion();
}

void TFirstOptionForm::ApplyColours() {
    const bool highContrast = tk::HighContrastOn();
    auto colour = [highContrast](COLORREF designed, int system) {
        return highContrast ? GetSysColor(system) : designed;
    };
    SetColor(colour(kShortcutBoxColor, COLOR_BTNFACE));
    desktopShortcutBox_.SetBackColor(colour(kShortcutBoxColor, COLOR_BTNFACE));
    programShortcutBox_.SetBackColor(colour(kShortcutBoxColor, COLOR_BTNFACE));
    dontRemindBox_.SetBackColor(colour(kRemindBoxColor, COLOR_BTNFACE));
    for (tk::CheckBox* box : {&desktopShortcutBox_, &programShortcutBox_, &dontRemindBox_}) {
        box->GetFont().SetColor(colour(kTextColor, COLOR_BTNTEXT));
        box->Invalidate();
    }
    // The question stands on the caption band.
    captionLabel_.GetFont().SetColor(
        colour(kTextColor, ShownActive() ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    captionLabel_.FontChanged();
}

void TFirstOptionForm::IbtnOkClick() {
    // A shortcut that cannot be made is not reported to the user (the log has it).
    if (desktopShortcutBox_.Checked()) {
        config::TReg2SysClass().CreateDesktopShortcut();
    }
    if (programShortcutBox_.Checked()) {
        config::TReg2SysClass().CreateProgramGroupShortcut();
    }
    // A failing write reaches the error box and leaves the dialog open.
    config::TAppConfigClass::GetInstance()->SetShotCutRemind(dontRemindBox_.Checked() ? "0" : "1");
    Close();
}

void TFirstOptionForm::imgCloseClick() {
    IbtnOkClick();
}

TFirstOptionForm* ShowFirstOptionDialog(tk::Form* owner) {
    if (TFirstOptionForm* open = TFirstOptionForm::Current()) {
        return open;
    }
    // Held by its owner; it frees itself when it closes (its close action).
    TFirstOptionForm& form = tk::CreateForm<TFirstOptionForm>(owner);
    form.Show();
    return &form;
}

}  // namespace dialogs
