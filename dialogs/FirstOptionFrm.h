// TFirstOptionForm: the small borderless first-run dialog that offers a desktop shortcut and a
// Start-menu program-group entry, and asks whether to offer them again at the next start. It stays
// above other windows, is not modal, applies the choices on OK and on its close cross alike, and
// frees itself when it closes.
#pragma once

#include "dialogs/BorderlessDialog.h"
#include "toolkit/Button.h"
#include "toolkit/Image.h"
#include "toolkit/ImageButton.h"
#include "toolkit/Label.h"

namespace dialogs {

class TFirstOptionForm : public TBorderlessDialog<TFirstOptionForm> {
  public:
    static tk::FormDesign Design(tk::Form* owner);

    // Builds the window and its components as designed; tk::Form::DoCreate runs FormCreate.
    explicit TFirstOptionForm(tk::Form* owner);
    ~TFirstOptionForm() override;

    // The window's creation, and the buttons' clicks (closing: TBorderlessDialog::FormClose).
    void FormCreate() override;
    void IbtnOkClick();
    void imgCloseClick();

    // Components, for the opener and for tests.
    tk::Image& Background() { return background_; }
    tk::Label& CaptionLabel() { return captionLabel_; }
    tk::CheckBox& DesktopShortcutBox() { return desktopShortcutBox_; }
    tk::CheckBox& ProgramShortcutBox() { return programShortcutBox_; }
    tk::CheckBox& DontRemindBox() { return dontRemindBox_; }
    tk::ImageButton& OkButton() { return okButton_; }
    tk::ImageButton& CloseButton() { return closeButton_; }

  protected:
    void ApplyColours() override;

  private:
    // Components (owned by the dialog), in z-order.
    tk::Image& background_;
    tk::Label& captionLabel_;
    tk::CheckBox& desktopShortcutBox_;
    tk::CheckBox& programShortcutBox_;
    tk::CheckBox& dontRemindBox_;
    tk::ImageButton& okButton_;
    tk::ImageButton& closeButton_;
};

// Shows the first-run dialog the way the main window does: creates it owned by owner, sets the
// global reference and shows it without waiting. When one is open already, that one is returned.
TFirstOptionForm* ShowFirstOptionDialog(tk::Form* owner);

}  // namespace dialogs
