// The small windows of the shell: information, exit, equaliser-reset and factory confirmations,
// progress, test-signal selector, message list, about box and the two serial command references.
// Each looks its texts up through the main window when shown. Created once after the main window;
// owned by TDialogs. UI thread only.
#pragma once

#include "framework/Control.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QEventLoop;
class QScrollArea;
class QPlainTextEdit;

namespace sk
{
class TSkBmpButton;
class TSkLabel;
class TSkComboBox;
class TSkButton;
} // namespace sk
namespace fx
{
class TFxProgressBar;
}

namespace app
{

class TfmMain;
class TRadioButton;
class TImage;

// A dialog window: fixed size, centred, shown modally or not. It stands in front of the window it
// was opened from (a dialog, else the main window). Return presses its default button, Escape its
// cancel button (or closes it).
class TDialogForm : public fw::TForm
{
  public:
    TDialogForm(TfmMain* main, int w, int h);
    void Show();
    // Runs until Close; tests replace the loop with ModalRunner (it gets the dialog, not yet shown;
    // ShowModalWindow shows it as the loop would).
    void ShowModal();
    void ShowModalWindow();
    void Close();
    bool IsShown() const { return FShown; }
    bool ShownModally() const { return FModal; }
    static std::function<void(TDialogForm*)> ModalRunner;
    // The window this one was last opened from.
    QWidget* Opener() const { return FOpener; }
    sk::TSkBmpButton* DefaultButton() const { return FDefault; }
    sk::TSkBmpButton* CancelButton() const { return FCancel; }

  protected:
    virtual void FormShow() {}
    QString Text(const char* key) const;
    sk::TSkBmpButton* Button(const QString& name, int x, int y, int w = 86);
    sk::TSkLabel* Label(const QString& name, int x, int y, int w, int h);
    void Background(); // the imBase picture
    void Paint(fw::TCanvas& Canvas) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    // Return clicks defaultButton (when enabled); Escape clicks cancelButton, or closes without one.
    void SetKeyButtons(sk::TSkBmpButton* defaultButton, sk::TSkBmpButton* cancelButton);
    TfmMain* FMain;

  private:
    void AttachToOpener();
    void ReturnPressed();
    void EscapePressed();
    QWidget* FOpener = nullptr;
    TImage* FBase = nullptr;
    sk::TSkBmpButton* FDefault = nullptr;
    sk::TSkBmpButton* FCancel = nullptr;
    bool FShown = false;
    bool FModal = false;
    QEventLoop* FLoop = nullptr;
};

class TfmInformation : public TDialogForm
{
  public:
    explicit TfmInformation(TfmMain* main);
    sk::TSkLabel* lbMessage;
    sk::TSkBmpButton* btnOK;

  protected:
    void FormShow() override;
};

class TfmExit : public TDialogForm
{
  public:
    explicit TfmExit(TfmMain* main);
    sk::TSkLabel* lbExit;
    sk::TSkBmpButton *btnOK, *btnCancel;
    void btnOKClick();
    void btnCancelClick();

  protected:
    void FormShow() override;
};

class TfmPeqRst : public TDialogForm
{
  public:
    explicit TfmPeqRst(TfmMain* main);
    void SetTarget(int target) { FTarget = target; }
    int Target() const { return FTarget; }
    sk::TSkLabel* lbReset;
    sk::TSkBmpButton *btnOK, *btnCancel;
    void btnOKClick();

  protected:
    void FormShow() override;

  private:
    int FTarget = 0;
};

class TfmFactory : public TDialogForm
{
  public:
    explicit TfmFactory(TfmMain* main);
    sk::TSkLabel* lbMessage;
    sk::TSkBmpButton *btnOK, *bnCancel;

  protected:
    void FormShow() override;
};

class TfmProcess : public TDialogForm
{
  public:
    explicit TfmProcess(TfmMain* main);
    fx::TFxProgressBar* ProgressBar;
    sk::TSkLabel* StatusBar;

  protected:
    void FormShow() override;
};

class TfmTest : public TDialogForm
{
  public:
    explicit TfmTest(TfmMain* main);
    TRadioButton *rbAnalogIn, *rbPinkNoise, *rbWhiteNoise, *rbSineWave;
    sk::TSkComboBox* cbSineFreq;
    sk::TSkBmpButton* bnExit;
    void RadioClick(fw::TControl* Sender);
    void SineFreqChange();

  protected:
    void FormShow() override;
};

class TfmMemo : public TDialogForm
{
  public:
    explicit TfmMemo(TfmMain* main);
    QPlainTextEdit* Memo;
    sk::TSkButton* bnClearMemo;
};

class TfmAbout : public TDialogForm
{
  public:
    explicit TfmAbout(TfmMain* main);
    sk::TSkBmpButton* btnOK;

  protected:
    void FormShow() override;
};

// The serial command reference in a scrolling window.
class TfmRs232Code : public TDialogForm
{
  public:
    TfmRs232Code(TfmMain* main, bool english);
    // Left of the text and of the first eight pictures for an outer width.
    static int ContentLeft(int outerWidth) { return outerWidth <= 749 ? 50 : 50 + (outerWidth - 750) / 2; }
    QWidget* Content() const { return FContent; }

  protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    QScrollArea* FScroll;
    QWidget* FContent;
};

struct TDialogs {
    explicit TDialogs(TfmMain* main);
    ~TDialogs();
    std::unique_ptr<TfmPeqRst> fmPeqRst;
    std::unique_ptr<TfmAbout> fmAbout;
    // Built when first asked for: the serial command reference of a language (a long document) and
    // the message list (a text editor).
    TfmRs232Code& Rs232Code(bool english);
    TfmMemo& Memo();
    std::unique_ptr<TfmProcess> fmProcess;
    std::unique_ptr<TfmInformation> fmInformation;
    std::unique_ptr<TfmExit> fmExit;
    std::unique_ptr<TfmFactory> fmFactory;
    std::unique_ptr<TfmTest> fmTest;

  private:
    TfmMain* FMain;
    std::unique_ptr<TfmRs232Code> FRs232Code[2];
    std::unique_ptr<TfmMemo> FMemo;
};

// The serial command reference as an RTF document of our own, written from the command table (a
// line per command).
QByteArray SerialCommandReference(bool english);

} // namespace app
