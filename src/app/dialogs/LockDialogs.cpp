#include "app/dialogs/LockDialogs.h"

#include "app/main/TfmMain.h"
#include "base/CodePage.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "session/LLinkSession.h"

namespace app
{

namespace
{

fx::TRoundEdit* PasswordEdit(QWidget* parent, bool hidden)
{
    auto* e = new fx::TRoundEdit(parent);
    e->SetName(QStringLiteral("edName"));
    e->SetBounds(90, 58, 140, 28);
    e->SetMaxLength(4);
    e->SetCharCase(fx::ecUpperCase);
    e->SetAlignment(fx::taCenter);
    if (hidden) {
        e->SetPasswordChar(u'*');
        e->InnerEdit()->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    }
    e->Font().SetName(QStringLiteral("Tahoma"));
    e->Font().SetHeight(-16);
    e->Font().SetStyle(fw::fsBold);
    return e;
}

void FocusAll(fx::TRoundEdit* e)
{
    e->SetFocus();
    e->InnerEdit()->selectAll();
}

} // namespace

std::string PasswordText(const fx::TRoundEdit& edit)
{
    return Utf8ToCodePage(edit.Text().toUpper().toStdString(), CurrentCodePage());
}

TfmLockPassWord::TfmLockPassWord(TfmMain* main) : TDialogForm(main, 320, 160)
{
    Background();
    lblLockPassword = Label(QStringLiteral("lblLockPassword"), 16, 16, 288, 30);
    lblLockPassword->SetAutoSize(false);
    lblLockPassword->SetBounds(16, 16, 288, 30);
    edName = PasswordEdit(this, true);
    btnOK = Button(QStringLiteral("btnOK"), 56, 112);
    bnCancel = Button(QStringLiteral("bnCancel"), 178, 112);
    btnOK->OnClick = [this](fw::TControl*) { btnOKClick(); };
    bnCancel->OnClick = [this](fw::TControl*) { bnCancelClick(); };
    SetKeyButtons(btnOK, bnCancel);
}

void TfmLockPassWord::FormShow()
{
    setWindowTitle(Text("SID_UNLOCK_TITLE"));
    lblLockPassword->SetCaption(Text("SID_UNLOCK_PASSWORD"));
    btnOK->SetCaption(Text("SID_EXIT_OK"));
    bnCancel->SetCaption(Text("SID_EXIT_CANCEL"));
    ResetEdit();
}

void TfmLockPassWord::ResetEdit()
{
    edName->SetText(QStringLiteral("****"));
    FocusAll(edName);
}

void TfmLockPassWord::btnOKClick()
{
    FMain->Session().Machine.SubmitPassword(PasswordText(*edName));
}

void TfmLockPassWord::bnCancelClick()
{
    // The machine sends the disconnect, starts the disconnect timer and closes the prompt.
    FMain->Session().Machine.CancelUnlock();
    Close();
}

TfmLockSetup::TfmLockSetup(TfmMain* main) : TDialogForm(main, 320, 160)
{
    Background();
    lblLockPassword = Label(QStringLiteral("lblLockPassword"), 16, 16, 288, 30);
    lblLockPassword->SetAutoSize(false);
    lblLockPassword->SetBounds(16, 16, 288, 30);
    edName = PasswordEdit(this, false);
    btnOK = Button(QStringLiteral("btnOK"), 56, 112);
    btnExit = Button(QStringLiteral("btnExit"), 178, 112);
    btnOK->OnClick = [this](fw::TControl*) { btnOKClick(); };
    btnExit->OnClick = [this](fw::TControl*) { Close(); };
    SetKeyButtons(btnOK, btnExit);
}

void TfmLockSetup::FormShow()
{
    setWindowTitle(Text("SID_LOCK_TITLE"));
    lblLockPassword->SetCaption(Text("SID_LOCK_PASSWORD"));
    btnOK->SetCaption(Text("SID_EXIT_OK"));
    btnExit->SetCaption(Text("SID_EXIT_CANCEL"));
    edName->SetText(QString::fromLatin1(kDefaultPassword));
    FocusAll(edName);
}

void TfmLockSetup::btnOKClick()
{
    LSyncMachine& machine = FMain->Session().Machine;
    TfmInformation* info = FMain->Dialogs() ? FMain->Dialogs()->fmInformation.get() : nullptr;
    if (!machine.Connected()) {
        // Nothing to lock: say so rather than close as if it were done.
        Close();
        if (info) {
            info->lbMessage->SetCaption(Text("SID_INFO_CON_FIRST"));
            info->ShowModal();
        }
        return;
    }
    // The machine sends the password and the disconnect; its close timer closes this dialog.
    machine.SetLockPassword(PasswordText(*edName));
}

} // namespace app
