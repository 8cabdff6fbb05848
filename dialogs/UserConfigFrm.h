// TUserConfigForm: the borderless, modal settings dialog. The user chooses start with Windows or
// manual start, what closing the main window does, and the global hot key that hides and shows
// it. Only OK changes anything: it re-registers the hot key on the main window under the same
// identifier, writes "HotKey", "AutoRegNextTime" and "CloseAction", and creates or removes the
// autostart shortcut. OK refuses, with a message and without changing anything, a key that types
// in other programs (see AcceptableGlobalHotKey) and a key the system does not give. At most one
// dialog exists; it frees itself when it closes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "config/HotKeyText.h"
#include "config/Reg2SysClass.h"
#include "dialogs/BorderlessDialog.h"
#include "toolkit/Button.h"
#include "toolkit/HotKeyEdit.h"
#include "toolkit/Image.h"
#include "toolkit/ImageButton.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

namespace config {
class TAppConfigClass;
}

namespace dialogs {

// Registers a chosen hot key in place of the one the main window holds, under the main window's
// identifier; answers whether the system took it. When it did not, the applier has registered the old
// key again.
using HotKeyApplier = std::function<bool(const config::HotKeyValue&)>;

class TUserConfigForm : public TBorderlessDialog<TUserConfigForm> {
  public:
    static tk::FormDesign Design(tk::Form* owner);

    // Builds the window and its components as designed. The creation event (FormCreate) runs in
    // tk::Form::DoCreate, which OpenUserConfigDialog below calls.
    explicit TUserConfigForm(tk::Form* owner);
    ~TUserConfigForm() override;

    // The window's creation, and the buttons' clicks (closing: TBorderlessDialog::FormClose).
    void FormCreate() override;
    void IbtnOKClick();
    void IbtnCancelClick();
    void ibtnCloseClick();

    // The identifier under which the main window registered its hot key.
    void SetHotKeyId(int Id) { hotKeyId_ = Id; }
    int GetHotKeyId() const { return hotKeyId_; }
    // How OK registers the chosen key (set by the opener; without it OK registers nothing).
    HotKeyApplier OnApplyHotKey;
    // The key the last OK chose and stored.
    const config::HotKeyValue& ChosenHotKey() const { return chosenHotKey_; }

    // Components, for the opener and for tests.
    tk::Image& Background() { return background_; }
    tk::Panel& StartPanel() { return startPanel_; }
    tk::RadioButton& AutoRunButton() { return autoRunButton_; }
    tk::RadioButton& ClearAutoRunButton() { return manualStartButton_; }
    tk::Panel& ClosePanel() { return closePanel_; }
    tk::RadioButton& MinSizeButton() { return hideOnCloseButton_; }
    tk::RadioButton& ExitButton() { return exitOnCloseButton_; }
    tk::Label& HotKeyLabel() { return hotKeyLabel_; }
    tk::HotKeyEdit& HotKeyControl() { return hotKeyEdit_; }
    tk::ImageButton& OkButton() { return okButton_; }
    tk::ImageButton& CancelButton() { return cancelButton_; }
    tk::ImageButton& CloseButton() { return closeButton_; }

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyColours() override;

  private:
    // Components (owned by the dialog or its panels), in z-order.
    tk::Image& background_;
    tk::Panel& startPanel_;
    tk::RadioButton& autoRunButton_;
    tk::RadioButton& manualStartButton_;
    tk::Panel& closePanel_;
    tk::RadioButton& hideOnCloseButton_;
    tk::RadioButton& exitOnCloseButton_;
    tk::Label& hotKeyLabel_;
    tk::HotKeyEdit& hotKeyEdit_;
    tk::ImageButton& okButton_;
    tk::ImageButton& cancelButton_;
    tk::ImageButton& closeButton_;

    int hotKeyId_ = 0;
    config::HotKeyValue chosenHotKey_;
    config::TAppConfigClass* store_ = nullptr;  // the process's store, not owned
    HWND lastFocus_ = nullptr;                  // the focused control when the dialog was last deactivated
};

// Opens the settings dialog the way the main window does: nothing when one is open already (the
// answer is then tk::kModalNone); otherwise creates it owned by owner, hands it the hot-key identifier
// and the way to register a chosen key, centres it on the owner and shows it modally. Answers the
// modal result (tk::kModalOk after OK). The dialog frees itself afterwards.
int OpenUserConfigDialog(tk::Form* owner, int hotKeyId, HotKeyApplier applyHotKey);

}  // namespace dialogs
