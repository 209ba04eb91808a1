// The panel-lock dialogs: the unlock prompt a locked device asks for (the synchronisation machine
// submits the password, polls for the device's answer and closes the prompt) and the lock setup that
// sets a new password on the device. Created once after the main window; owned by TDeviceDialogs.
// UI thread only.
#pragma once

#include "app/dialogs/SmallDialogs.h"

#include <string>

namespace fx
{
class TRoundEdit;
}

namespace app
{

// The password as both lock commands take it: the edit's text in the 8-bit code page.
std::string PasswordText(const fx::TRoundEdit& edit);

class TfmLockPassWord : public TDialogForm
{
  public:
    explicit TfmLockPassWord(TfmMain* main);
    sk::TSkLabel* lblLockPassword;
    fx::TRoundEdit* edName;
    sk::TSkBmpButton *btnOK, *bnCancel;
    void btnOKClick();
    void bnCancelClick();
    // "****", focused and selected: on showing and after a wrong password.
    void ResetEdit();

  protected:
    void FormShow() override;
};

class TfmLockSetup : public TDialogForm
{
  public:
    explicit TfmLockSetup(TfmMain* main);
    static constexpr char kDefaultPassword[] = "4719";
    sk::TSkLabel* lblLockPassword;
    fx::TRoundEdit* edName;
    sk::TSkBmpButton *btnOK, *btnExit;
    void btnOKClick();

  protected:
    void FormShow() override;
};

} // namespace app
