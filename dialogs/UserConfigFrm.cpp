#include "dialogs/UserConfigFrm.h"

#include <commctrl.h>

#include "config/AppConfigClass.h"
#include "config/HotKeyText.h"
#include "dialogs/DialogRules.h"
#include "dialogs/DialogResources.h"
#include "toolkit/Application.h"
#include "toolkit/GdiHandles.h"
#include "base/Keyboard.h"
#include "base/Module.h"
#include "base/Slot.h"
#include "base/Text.h"

namespace dialogs {
namespace {

constexpr int kClientWidth = 423;
constexpr int kClientHeight = 452;
// The close cross starts at column 398: the drag strip ends there.
constexpr int kDragStripRight = 398;
constexpr int kCornerEllipse = 9;
constexpr COLORREF kPanelColor = RGB(240, 245, 250);  // "$FAF5F0"
constexpr COLORREF kFontColor = RGB(38, 68, 144);     // "$904426"
constexpr uint16_t kDefaultShortcut = 120;            // F9

// The platform-free conversion in DialogRules.h spells out the control's flags by value.
static_assert(kHotKeyControlShift == HOTKEYF_SHIFT << 8 && kHotKeyControlCtrl == HOTKEYF_CONTROL << 8 &&
              kHotKeyControlAlt == HOTKEYF_ALT << 8 && kHotKeyControlExt == HOTKEYF_EXT << 8);
static_assert(kInvalidCombinations == (HKCOMB_NONE | HKCOMB_S));

}  // namespace

tk::FormDesign TUserConfigForm::Design(tk::Form* owner) {
    tk::FormDesign d;
    d.className = L"TUserConfigForm";
    d.caption = UiText("参数设置");
    d.clientWidth = kClientWidth;
    d.clientHeight = kClientHeight;
    d.color = GetSysColor(COLOR_BTNFACE);
    d.position = tk::Position::OwnerFormCenter;
    d.owner = owner;
    return d;
}

TUserConfigForm::TUserConfigForm(tk::Form* owner)
    : TBorderlessDialog(Design(owner), kDragStripRight, kCornerEllipse),
      background_(Add<tk::Image>()),
      startPanel_(Place(Add<tk::Panel>(0, 0, 0, 0, GetSysColor(COLOR_BTNFACE)), {19, 61, 385, 87})),
      autoRunButton_(
          Place(startPanel_.Add<tk::RadioButton>(0, 0, 0, 0, UiText("开机自动启动")), {44, 25, 101, 32})),
      manualStartButton_(
          Place(startPanel_.Add<tk::RadioButton>(0, 0, 0, 0, UiText("手动启动")), {222, 33, 86, 15})),
      closePanel_(Place(Add<tk::Panel>(0, 0, 0, 0, GetSysColor(COLOR_BTNFACE)), {19, 190, 385, 84})),
      hideOnCloseButton_(
          Place(closePanel_.Add<tk::RadioButton>(0, 0, 0, 0, UiText("最小化至任务栏")), {44, 34, 139, 15})),
      exitOnCloseButton_(
          Place(closePanel_.Add<tk::RadioButton>(0, 0, 0, 0, UiText("直接退出")), {221, 34, 95, 15})),
      hotKeyLabel_(Add<tk::Label>()),
      hotKeyEdit_(Place(Add<tk::HotKeyEdit>(0, 0, 0, 0), {130, 349, 127, 21})),
      okButton_(AddImageButton(
          kButtonOk, {102, 417, 79, 22}, [this] { IbtnOKClick(); }, L"确定")),
      cancelButton_(AddImageButton(
          kButtonCancel, {238, 417, 79, 22}, [this] { IbtnCancelClick(); }, L"取消")),
      closeButton_(AddImageButton(
          kCloseCross, {398, 4, 18, 18}, [this] { ibtnCloseClick(); }, L"关闭")) {
    Place(background_, kSettingsBackground.size);
    ShowPicture(background_, kSettingsBackground);

    hideOnCloseButton_.SetChecked(true);
    for (tk::RadioButton* radio :
         {&autoRunButton_, &manualStartButton_, &hideOnCloseButton_, &exitOnCloseButton_}) {
        UseDialogFont(radio->GetFont());
        radio->FontChanged();
    }

    hotKeyLabel_.SetAutoSize(false);
    hotKeyLabel_.SetTransparent(true);
    UseDialogFont(hotKeyLabel_.GetFont());
    // As tall as the font's whole line (its ascent and descent: 14 pixels at 96 DPI), not only its em.
    Place(hotKeyLabel_, {56, 353, 73, 16});
    hotKeyLabel_.SetCaption(UiText("显示/隐藏"));

    UseDialogFont(hotKeyEdit_.GetFont());
    hotKeyEdit_.FontChanged();
    hotKeyEdit_.SetRules(kInvalidCombinations, kReplacementModifiers);
    hotKeyEdit_.SetHotKey(HotKeyControlFromShortcut(kDefaultShortcut));

    SetKeyboardButtons(&okButton_, &cancelButton_);
    SetDialogNavigation(true);
}

TUserConfigForm::~TUserConfigForm() = default;

void TUserConfigForm::FormCreate() {
    TBorderlessDialog::FormCreate();
    store_ = config::TAppConfigClass::GetInstance();
    // An empty value keeps the designed default; one the main window cannot use shows as no key,
    // which is what is in force (the main window logged why at its start).
    const std::string& hotKey = store_->HotKey();
    if (!hotKey.empty()) {
        const config::HotKeySetting setting = config::ReadHotKeySetting(hotKey);
        hotKeyEdit_.SetHotKey(HotKeyControlFromShortcut(setting.problem.empty() ? setting.value.code : 0));
    }
    const bool autoRun = store_->AutoRegNextTime() == "1";
    autoRunButton_.SetChecked(autoRun);
    manualStartButton_.SetChecked(!autoRun);
    // Only the exact lower-case word preselects hiding.
    const bool hide = store_->CloseAction() == "hide";
    hideOnCloseButton_.SetChecked(hide);
    exitOnCloseButton_.SetChecked(!hide);
    ApplyRoundRegion();
    SetWindowLongPtrW(hotKeyEdit_.Handle(), GWL_STYLE,
                      GetWindowLongPtrW(hotKeyEdit_.Handle(), GWL_STYLE) | WS_BORDER);
    SetWindowPos(hotKeyEdit_.Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ApplyColours();
}

void TUserConfigForm::ApplyColours() {
    const bool highContrast = tk::HighContrastOn();
    const COLORREF panel = highContrast ? GetSysColor(COLOR_BTNFACE) : kPanelColor;
    const COLORREF text = highContrast ? GetSysColor(COLOR_BTNTEXT) : kFontColor;
    SetColor(GetSysColor(COLOR_BTNFACE));
    startPanel_.SetColor(panel);
    closePanel_.SetColor(panel);
    for (tk::RadioButton* radio :
         {&autoRunButton_, &manualStartButton_, &hideOnCloseButton_, &exitOnCloseButton_}) {
        radio->GetFont().SetColor(text);
        radio->Invalidate();
    }
    hotKeyLabel_.GetFont().SetColor(text);
    hotKeyLabel_.FontChanged();
}

void TUserConfigForm::IbtnOKClick() {
    tk::Application& app = tk::Application::Instance();
    const uint16_t code = ShortcutFromHotKeyControl(hotKeyEdit_.HotKey());
    // A refused key leaves everything as it was, the dialog open and the old key registered.
    if (!AcceptableGlobalHotKey(code)) {
        app.ShowException(NeedsModifierText());
        return;
    }
    const config::HotKeyValue value = config::HotKeyFromShortcut(code);
    // Without an applier (no opener gave one) OK registers nothing and goes on.
    if (!base::Ask(OnApplyHotKey, true, value) && code != 0) {
        app.ShowException(HotKeyTakenText(config::ShortcutText(code, &base::SystemKeyName)));
        return;
    }
    chosenHotKey_ = value;
    if (!store_) {
        store_ = config::TAppConfigClass::GetInstance();
    }
    // The three values go into the file together; a failing write raises before the autostart
    // shortcut is touched, so the dialog stays open with nothing changed.
    const bool autoRun = autoRunButton_.Checked();
    store_->SetSettings(config::FormatHotKeyValue(value), autoRun ? "1" : "0",
                        hideOnCloseButton_.Checked() ? "hide" : "exit");
    if (autoRun) {
        config::TReg2SysClass().AddStartupShortcut(base::ExePath());
    } else {
        config::TReg2SysClass().RemoveAutostart();
    }
    SetModalResult(tk::kModalOk);
}

void TUserConfigForm::IbtnCancelClick() {
    SetModalResult(tk::kModalCancel);
}

void TUserConfigForm::ibtnCloseClick() {
    Close();
}

LRESULT TUserConfigForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) {
                    lastFocus_ = focus;
                }
            }
            break;
        case WM_SETFOCUS: {
            // Back to the control that had the focus, or to the first stop of the tab order.
            HWND target =
                lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) ? lastFocus_ : nullptr;
            if (!target) {
                target = manualStartButton_.Checked() ? manualStartButton_.Handle() : autoRunButton_.Handle();
            }
            SetFocus(target);
            return 0;
        }
        default:
            break;
    }
    return TBorderlessDialog::WndProc(message, wParam, lParam);
}

int OpenUserConfigDialog(tk::Form* owner, int hotKeyId, HotKeyApplier applyHotKey) {
    if (TUserConfigForm::Current()) {
        return tk::kModalNone;
    }
    // Held by its owner; it frees itself when it closes (its close action).
    TUserConfigForm& form = tk::CreateForm<TUserConfigForm>(owner);
    form.SetHotKeyId(hotKeyId);
    form.OnApplyHotKey = std::move(applyHotKey);
    form.SetPosition(tk::Position::OwnerFormCenter);
    return form.ShowModal();
}

}  // namespace dialogs
