#include "dialogs/UserConfigFrm.h"

#include <windowsx.h>
#include <commctrl.h>

#include "config/AppConfigClass.h"
#include "config/HotKeyText.h"
#include "config/ValueFields.h"
#include "dialogs/DialogRules.h"
#include "dialogs/DialogResources.h"
#include "toolkit/Application.h"
#include "toolkit/GdiHandles.h"
#include "toolkit/ResourceBitmap.h"
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

std::wstring W(const char* utf8) {
    return base::Utf8ToWide(utf8);
}

}  // namespace

tk::FormDesign TUserConfigForm::Design(tk::Form* owner) {
    tk::FormDesign d;
    d.className = L"TUserConfigForm";
    d.caption = W("参数设置");
    d.clientWidth = kClientWidth;
    d.clientHeight = kClientHeight;
    d.color = GetSysColor(COLOR_BTNFACE);
    d.position = tk::Position::OwnerFormCenter;
    d.owner = owner;
    return d;
}

TUserConfigForm::TUserConfigForm(tk::Form* owner)
    : tk::Form(Design(owner)),
      Image1(this),
      Panel1(this, 19, 61, 385, 87, GetSysColor(COLOR_BTNFACE)),
      rbAutoRun(&Panel1, 44, 25, 101, 32, W("开机自动启动")),
      rbClearAutoRun(&Panel1, 222, 33, 86, 15, W("手动启动")),
      Panel2(this, 19, 190, 385, 84, GetSysColor(COLOR_BTNFACE)),
      rbMinSize(&Panel2, 44, 34, 139, 15, W("最小化至任务栏")),
      rbExit(&Panel2, 221, 34, 95, 15, W("直接退出")),
      Label1(this),
      HotKey1(this, 130, 349, 127, 21),
      IbtnOK(this),
      IbtnCancel(this),
      ibtnClose(this) {
    Image1.name = "Image1";
    Panel1.name = "Panel1";
    rbAutoRun.name = "rbAutoRun";
    rbClearAutoRun.name = "rbClearAutoRun";
    Panel2.name = "Panel2";
    rbMinSize.name = "rbMinSize";
    rbExit.name = "rbExit";
    Label1.name = "Label1";
    HotKey1.name = "HotKey1";
    IbtnOK.name = "IbtnOK";
    IbtnCancel.name = "IbtnCancel";
    ibtnClose.name = "ibtnClose";

    Image1.SetBounds(0, 0, 423, 456);
    Image1.SetAutoSize(true);
    Image1.SetPicture(tk::LoadResourceBitmap(kSettingsBackground));

    rbMinSize.SetChecked(true);

    Label1.SetAutoSize(false);
    Label1.SetTransparent(true);
    Label1.SetBounds(56, 353, 73, 13);
    Label1.SetCaption(W("显示/隐藏"));

    HotKey1.SetRules(kInvalidCombinations, kReplacementModifiers);
    HotKey1.SetHotKey(HotKeyControlFromShortcut(kDefaultShortcut));

    MakeImageButton(IbtnOK, kButtonOk, 102, 417, 79, 22);
    MakeImageButton(IbtnCancel, kButtonCancel, 238, 417, 79, 22);
    MakeImageButton(ibtnClose, kCloseCross, 398, 4, 18, 18);
    IbtnOK.OnClick = [this] { IbtnOKClick(); };
    IbtnCancel.OnClick = [this] { IbtnCancelClick(); };
    ibtnClose.OnClick = [this] { ibtnCloseClick(); };

    SetDialogNavigation(true);
    OnCreate = [this] { FormCreate(); };
    OnClose = [this](tk::CloseAction& action) { FormClose(action); };
    OnDestroy = [this] { FormDestroy(); };
}

TUserConfigForm::~TUserConfigForm() {
    // Freed without closing (for example with its owner): the reference must not dangle.
    if (UserConfigForm == this) {
        UserConfigForm = nullptr;
    }
}

void TUserConfigForm::FormCreate() {
    AppConfig = config::TAppConfigClass::GetInstance();
    // A malformed value raises here: the rest stays as designed and the error box reports it.
    const std::string& hotKey = AppConfig->HotKey();
    if (!hotKey.empty()) {
        const config::Fields fields(hotKey);
        HotKey1.SetHotKey(HotKeyControlFromShortcut(static_cast<uint16_t>(fields.Integer(2) & 0xFFFF)));
    }
    const bool autoRun = AppConfig->AutoRegNextTime() == "1";
    rbAutoRun.SetChecked(autoRun);
    rbClearAutoRun.SetChecked(!autoRun);
    // Only the exact lower-case word preselects hiding.
    const bool hide = AppConfig->CloseAction() == "hide";
    rbMinSize.SetChecked(hide);
    rbExit.SetChecked(!hide);
    ApplyRoundRegion();
    SetWindowLongPtrW(HotKey1.Handle(), GWL_STYLE,
                      GetWindowLongPtrW(HotKey1.Handle(), GWL_STYLE) | WS_BORDER);
    SetWindowPos(HotKey1.Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Panel1.SetColor(kPanelColor);
    Panel2.SetColor(kPanelColor);
    for (tk::RadioButton* radio : {&rbAutoRun, &rbClearAutoRun, &rbMinSize, &rbExit}) {
        radio->GetFont().SetColor(kFontColor);
        radio->Invalidate();
    }
    Label1.GetFont().SetColor(kFontColor);
    Label1.FontChanged();
}

void TUserConfigForm::ApplyRoundRegion() {
    SetRoundedShape(kCornerEllipse);
}

void TUserConfigForm::IbtnOKClick() {
    tk::Application& app = tk::Application::Instance();
    HWND mainWindow = app.MainForm() ? app.MainForm()->Handle() : nullptr;
    if (mainWindow) {
        UnregisterHotKey(mainWindow, HotKeyId);
    }
    const config::HotKeyValue value = config::HotKeyFromShortcut(ShortcutFromHotKeyControl(HotKey1.HotKey()));
    RegisteredHotKeyModifiers = value.modifiers;
    RegisteredHotKeyKey = value.key;
    // A combination that another program holds is not registered; the value is saved all the same.
    if (mainWindow) {
        RegisterHotKey(mainWindow, HotKeyId, value.modifiers, value.key);
    }
    if (!AppConfig) {
        AppConfig = config::TAppConfigClass::GetInstance();
    }
    AppConfig->SetHotKey(config::FormatHotKeyValue(value));
    if (!Reg2Sys) {
        Reg2Sys = std::make_unique<config::TReg2SysClass>();
    }
    if (rbAutoRun.Checked()) {
        AppConfig->SetAutoRegNextTime("1");
        Reg2Sys->AddStartupShortcut(app.ExeName());
    } else {
        Reg2Sys->RemoveAutostart();
        AppConfig->SetAutoRegNextTime("0");
    }
    AppConfig->SetCloseAction(rbMinSize.Checked() ? "hide" : "exit");
    SetModalResult(tk::kModalOk);
}

void TUserConfigForm::IbtnCancelClick() {
    SetModalResult(tk::kModalCancel);
}

void TUserConfigForm::ibtnCloseClick() {
    Close();
}

void TUserConfigForm::FormClose(tk::CloseAction& Action) {
    Action = tk::CloseAction::Free;
    if (UserConfigForm == this) {
        UserConfigForm = nullptr;
    }
}

void TUserConfigForm::FormDestroy() {
    Reg2Sys.reset();
}

LRESULT TUserConfigForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST: {
            tk::Form::WndProc(message, wParam, lParam);
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(Handle(), &point);
            return InDragStrip(point.x, point.y, kDragStripRight) ? HTCAPTION : HTCLIENT;
        }
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
                target = rbClearAutoRun.Checked() ? rbClearAutoRun.Handle() : rbAutoRun.Handle();
            }
            SetFocus(target);
            return 0;
        }
        default:
            break;
    }
    return tk::Form::WndProc(message, wParam, lParam);
}

int OpenUserConfigDialog(tk::Form* owner, int hotKeyId) {
    if (UserConfigForm) {
        return tk::kModalNone;
    }
    tk::FormPtr<TUserConfigForm> created(new TUserConfigForm(owner));
    TUserConfigForm* form = created.get();
    UserConfigForm = form;
    form->DoCreate();
    form->SetHotKeyId(hotKeyId);
    form->SetPosition(tk::Position::OwnerFormCenter);
    const int result = form->ShowModal();
    // From here the dialog frees itself (its close action), or its owner frees it.
    created.release();
    return result;
}

}  // namespace dialogs
