// The main window in the notification area: the global hot key, the toggle between hidden and shown,
// the tray icon's mouse, and the caption labels that name the hot key.
#include "app/MainFrm.h"

#include <algorithm>

#include "config/AppConfigClass.h"
#include "dialogs/UserConfigFrm.h"
#include "toolkit/Application.h"
#include "toolkit/WindowDpi.h"
#include "base/Keyboard.h"
#include "base/Log.h"
#include "base/Text.h"

namespace app {
void TMainForm::WMHotKey(WPARAM id) {
    // Every message restarts the interval, so a burst of presses toggles once.
    if (AcceptHotKey(lastHotKeyTick_, GetTickCount(), static_cast<uint32_t>(hotKeyInterval_)) &&
        static_cast<int>(id) == hotKeyId_) {
        SwitchShowAndHide();
    }
}

void TMainForm::SwitchShowAndHide() {
    try {
        const TShowMode mode =
            ToggleDecision(IsWindowVisible(Handle()) != FALSE, tk::Application::Instance().Active());
        ShowAppForms(mode);
        if (mode == smHide && StillMainForm()) {
            ShowTrayTipOnce();
            ClearMemory();
        }
    } catch (const std::exception&) {
        // A toggle that fails half-way simply ends (a message handled meanwhile may have failed).
        base::LogCaughtException("SwitchShowAndHide");
    }
}

void TMainForm::ShowAppForms(TShowMode Mode) {
    switch (Mode) {
        case smHide:
            ApplyToModalForms(smHide);
            ApplyToStayOnTopForms(smHide);
            ApplyToOtherForms(smHide);
            if (StillMainForm()) {
                Hide();
            }
            break;
        case smShow:
            Show();
            tk::Application::Instance().Restore();
            ApplyToOtherForms(smShow);
            ApplyToStayOnTopForms(smShow);
            ApplyToModalForms(smShow);
            break;
        case smForeground:
            SetForegroundWindow(Handle());
            ApplyToOtherForms(smForeground);
            ApplyToStayOnTopForms(smForeground);
            ApplyToModalForms(smForeground);
            break;
    }
}

namespace {

// Walks the program's forms by index, acting on those of one group, and lets the application handle
// its messages after each entry. Stops if the main window goes away meanwhile.
template <typename Act>
void ForEachForm(const TMainForm* mainForm, Act act) {
    tk::Application& application = tk::Application::Instance();
    for (size_t i = 0; i < application.Forms().size(); ++i) {
        tk::Form* form = application.Forms()[i];
        if (form) {
            act(form);
        }
        application.ProcessMessages();
        if (!mainForm->StillMainForm()) {
            return;
        }
    }
}

}  // namespace

void TMainForm::ApplyToModalForms(TShowMode Mode) {
    if (Mode == smForeground) {
        return;
    }
    ForEachForm(this, [Mode](tk::Form* form) {
        if (!form->IsModal()) {
            return;
        }
        if (Mode == smHide) {
            form->Hide();
        } else if (form->Visible()) {
            form->Show();  // brings it above the others
        }
    });
}

void TMainForm::ApplyToStayOnTopForms(TShowMode Mode) {
    if (Mode == smForeground) {
        return;
    }
    ForEachForm(this, [Mode](tk::Form* form) {
        if (form->GetFormStyle() != tk::FormStyle::StayOnTop) {
            return;
        }
        if (Mode == smShow) {
            form->Show();
        } else {
            form->Hide();
        }
    });
}

void TMainForm::ApplyToOtherForms(TShowMode Mode) {
    ForEachForm(this, [this, Mode](tk::Form* form) {
        if (form->GetFormStyle() != tk::FormStyle::Normal || form == this) {
            return;
        }
        switch (Mode) {
            case smHide:
                form->Hide();
                break;
            case smShow:
                form->Show();
                break;
            case smForeground:
                SetForegroundWindow(form->Handle());
                break;
        }
    });
}

void TMainForm::HideWindow() {
    Hide();
    ShowTrayTipOnce();
    ClearMemory();
}

void TMainForm::ShowTrayTipOnce() {
    try {
        config::TAppConfigClass* store = config::TAppConfigClass::GetInstance();
        if (store->TrayTipShown() == "1" || !trayIcon_.Visible()) {
            return;
        }
        const std::string text =
            config::TrayTipText(ConfiguredShortcutCode(), hotKeyRegistered_, &base::SystemKeyName);
        trayIcon_.ShowBalloon(base::Utf8ToWide(config::TrayTipTitle(config::kTitle)), base::Utf8ToWide(text));
        // The cache holds "1" even when the write fails, so the tip comes once in this run at least.
        store->SetTrayTipShown("1");
    } catch (...) {
        base::LogCaughtException("The tray tip after a hide");
    }
}

void TMainForm::ClearMemory() {
    if (!memorySaver_) {
        memorySaver_ = std::make_unique<config::TMMSaveClass>();
    }
    memorySaver_->TrimWorkingSet();
}

void TMainForm::cltrycn1DblClick() {
    SwitchShowAndHide();
}

void TMainForm::cltrycn1MouseUp(tk::MouseButton Button, int X, int Y) {
    // Foreground first, so that an opened menu closes when the user clicks elsewhere.
    SetForegroundWindow(Handle());
    if (Button == tk::MouseButton::Right) {
        trayMenu_.Popup(X, Y);
    }
}

std::string TMainForm::GetHotKeyText() {
    return config::HotKeyHintText(ConfiguredShortcutCode(), hotKeyRegistered_, &base::SystemKeyName);
}

void TMainForm::ShowHotKeyLabels() {
    skin::ApplyCaptionFont(hotKeyHint_.GetFont(), true);
    hotKeyHint_.FontChanged();
    hotKeyHint_.SetTransparent(true);
    hotKeyHint_.SetCaption(base::Utf8ToWide(GetHotKeyText()));

    // Not bold: the link keeps the style it has (underlined while the mouse is over it).
    tk::Font& linkFont = changeHotKeyLink_.GetFont();
    const bool underlined = linkFont.Underline();
    skin::ApplyCaptionFont(linkFont, false);
    linkFont.SetUnderline(underlined);
    changeHotKeyLink_.FontChanged();
    changeHotKeyLink_.SetTransparent(true);
    PlaceHotKeyLabels();
}

void TMainForm::PlaceHotKeyLabels() {
    // Design places at 96 DPI: the link's right edge 78 pixels from the window's right edge, the hint's
    // 160, and at least 2 pixels between the two (what the design leaves at 96 DPI), both 11 pixels down. The
    // labels take the size of their text (which grows faster than the window with the DPI), so the hint moves
    // left of a wider link rather than under it.
    constexpr int kLinkRightMargin = 78, kHintRightMargin = 160, kGapBetween = 2, kTop = 11;
    constexpr int kGapAfterTitle = 8;
    const tk::DpiScale scale = Scale();
    const int linkRight = ClientWidth() - scale.ToPixels(kLinkRightMargin);
    changeHotKeyLink_.SetBounds(linkRight - changeHotKeyLink_.Width(), scale.ToPixels(kTop),
                                changeHotKeyLink_.Width(), changeHotKeyLink_.Height());
    const int hintRight = std::min(ClientWidth() - scale.ToPixels(kHintRightMargin),
                                   changeHotKeyLink_.Left() - scale.ToPixels(kGapBetween));
    hotKeyHint_.SetBounds(hintRight - hotKeyHint_.Width(), scale.ToPixels(kTop), hotKeyHint_.Width(),
                          hotKeyHint_.Height());
    // Each shows only in the full layout and only where it clears the title (a full window still at its
    // compact width has no room for the hint).
    const tk::Label* title = GetCaptionLabel();
    const int titleRight = title ? static_cast<int>(title->BoundsRect().right) : 0;
    for (tk::Label* label : {&hotKeyHint_, &changeHotKeyLink_}) {
        label->SetVisible(fullLayout_ && label->Left() >= titleRight + scale.ToPixels(kGapAfterTitle));
    }
}

void TMainForm::lblModifyCfgClick() {
    OpenSettingsDialog();
}

void TMainForm::lblModifyCfgMouseEnter() {
    changeHotKeyLink_.SetCursor(LoadCursorW(nullptr, IDC_HAND));
    changeHotKeyLink_.GetFont().SetUnderline(true);
    changeHotKeyLink_.FontChanged();
}

void TMainForm::lblModifyCfgMouseLeave() {
    changeHotKeyLink_.SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    changeHotKeyLink_.GetFont().SetUnderline(false);
    changeHotKeyLink_.FontChanged();
}

bool TMainForm::ReRegisterHotKey(const config::HotKeyValue& key) {
    const config::HotKeyValue previous = registeredHotKey_;
    const bool hadOne = hotKeyRegistered_;
    UnregisterHotKey(Handle(), hotKeyId_);
    RegisterConfiguredHotKey(key);
    if (hotKeyRegistered_ || (key.key == 0 && key.modifiers == 0)) {
        return true;  // taken, or no hot key wanted
    }
    if (hadOne && RegisterHotKey(Handle(), hotKeyId_, previous.modifiers, previous.key)) {
        registeredHotKey_ = previous;
        hotKeyRegistered_ = true;
    }
    return false;
}

void TMainForm::OpenSettingsDialog() {
    // One settings dialog at a time; it is modal over this window.
    const auto applyHotKey = [this](const config::HotKeyValue& key) { return ReRegisterHotKey(key); };
    if (dialogs::OpenUserConfigDialog(this, hotKeyId_, applyHotKey) == tk::kModalOk && StillMainForm()) {
        UpdateTrayHint();
        ShowHotKeyLabels();
    }
}

void TMainForm::UpdateTrayIcon() {
    const int side = tk::SmallIconSize(Dpi());
    tk::UniqueIcon icon = tk::LoadIconOfSize(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), side);
    if (!icon) {
        base::Log("the tray icon could not be loaded at " + std::to_string(side) + " px");
        return;
    }
    trayIcon_.SetIcon(icon.Get());
}

void TMainForm::FormDpiChanged() {
    TPictureForm::FormDpiChanged();
    UpdateTrayIcon();
}

}  // namespace app
