// TUserConfigForm: the borderless, modal settings dialog. The user chooses start with Windows or
// manual start, what closing the main window does, and the global hot key that hides and shows
// it. Only OK changes anything: it re-registers the hot key on the main window under the same
// identifier, writes "HotKey", "AutoRegNextTime" and "CloseAction", and creates or removes the
// autostart shortcut. At most one dialog exists; it frees itself when it closes.
#pragma once

#include <cstdint>
#include <memory>

#include "config/Reg2SysClass.h"
#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/HotKeyEdit.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

namespace config {
class TAppConfigClass;
}

namespace dialogs {

class TUserConfigForm;

// The open settings dialog (nullptr while none is open). The opener sets it; the dialog clears it
// when it closes or is freed.
inline TUserConfigForm* UserConfigForm = nullptr;

// The modifiers and virtual key that the last OK registered.
inline uint32_t RegisteredHotKeyModifiers = 0;
inline uint32_t RegisteredHotKeyKey = 0;

class TUserConfigForm : public tk::Form {
  public:
    static tk::FormDesign Design(tk::Form* owner);

    // Builds the window and its components as designed. The creation event (FormCreate) runs in
    // tk::Form::DoCreate, which OpenUserConfigDialog below calls.
    explicit TUserConfigForm(tk::Form* owner);
    ~TUserConfigForm() override;

    // Handlers bound to the window's events.
    void FormCreate();
    void IbtnOKClick();
    void IbtnCancelClick();
    void ibtnCloseClick();
    void FormClose(tk::CloseAction& Action);
    void FormDestroy();

    // The identifier under which the main window registered its hot key.
    void SetHotKeyId(int Id) { HotKeyId = Id; }
    int GetHotKeyId() const { return HotKeyId; }

    // Components, for the opener and for tests.
    tk::Image& Background() { return Image1; }
    tk::Panel& StartPanel() { return Panel1; }
    tk::RadioButton& AutoRunButton() { return rbAutoRun; }
    tk::RadioButton& ClearAutoRunButton() { return rbClearAutoRun; }
    tk::Panel& ClosePanel() { return Panel2; }
    tk::RadioButton& MinSizeButton() { return rbMinSize; }
    tk::RadioButton& ExitButton() { return rbExit; }
    tk::Label& HotKeyLabel() { return Label1; }
    tk::HotKeyEdit& HotKeyControl() { return HotKey1; }
    tk::Image& OkButton() { return IbtnOK; }
    tk::Image& CancelButton() { return IbtnCancel; }
    tk::Image& CloseButton() { return ibtnClose; }

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ApplyRoundRegion();

    tk::Image Image1;
    tk::Panel Panel1;
    tk::RadioButton rbAutoRun;
    tk::RadioButton rbClearAutoRun;
    tk::Panel Panel2;
    tk::RadioButton rbMinSize;
    tk::RadioButton rbExit;
    tk::Label Label1;
    tk::HotKeyEdit HotKey1;
    tk::Image IbtnOK;
    tk::Image IbtnCancel;
    tk::Image ibtnClose;

    int HotKeyId = 0;
    config::TAppConfigClass* AppConfig = nullptr;  // the process's store, not owned
    std::unique_ptr<config::TReg2SysClass> Reg2Sys;
    HWND lastFocus_ = nullptr;  // the focused control when the dialog was last deactivated
};

// Opens the settings dialog the way the main window does: nothing when one is open already (the
// answer is then tk::kModalNone); otherwise creates it owned by owner, sets the global reference,
// hands it the hot-key identifier, centres it on the owner and shows it modally. Answers the modal
// result (tk::kModalOk after OK). The dialog frees itself afterwards.
int OpenUserConfigDialog(tk::Form* owner, int hotKeyId);

}  // namespace dialogs
