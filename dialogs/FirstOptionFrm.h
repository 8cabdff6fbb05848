// TFirstOptionForm: the small borderless first-run dialog that offers a desktop shortcut and a
// Start-menu program-group entry, and asks whether to offer them again at the next start. It stays
// above other windows, is not modal, applies the choices on OK and on its close cross alike, and
// frees itself when it closes.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"

namespace dialogs {

class TFirstOptionForm;

// The open first-run dialog (nullptr while none is open). The opener sets it; the dialog clears it
// when it closes or is freed.
inline TFirstOptionForm* FirstOptionForm = nullptr;

class TFirstOptionForm : public tk::Form {
  public:
    static tk::FormDesign Design(tk::Form* owner);

    // Builds the window and its components as designed; tk::Form::DoCreate runs FormCreate.
    explicit TFirstOptionForm(tk::Form* owner);
    ~TFirstOptionForm() override;

    // Handlers bound to the window's events.
    void FormCreate();
    void IbtnOkClick();
    void imgCloseClick();
    void FormClose(tk::CloseAction& Action);

    // Components, for the opener and for tests.
    tk::Image& Background() { return Imgbg; }
    tk::Label& CaptionLabel() { return lblCaption; }
    tk::CheckBox& DesktopShortcutBox() { return chkDesktopShotCut; }
    tk::CheckBox& ProgramShortcutBox() { return chkProgramShotCut; }
    tk::CheckBox& DontRemindBox() { return chkDontRemind; }
    tk::Image& OkButton() { return IbtnOk; }
    tk::Image& CloseButton() { return imgClose; }

  protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ApplyRoundRegion();

    tk::Image Imgbg;
    tk::Label lblCaption;
    tk::CheckBox chkDesktopShotCut;
    tk::CheckBox chkProgramShotCut;
    tk::CheckBox chkDontRemind;
    tk::Image IbtnOk;
    tk::Image imgClose;
};

// Shows the first-run dialog the way the main window does: creates it owned by owner, sets the
// global reference and shows it without waiting. When one is open already, that one is returned.
TFirstOptionForm* ShowFirstOptionDialog(tk::Form* owner);

}  // namespace dialogs
