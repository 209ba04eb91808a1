// The channel name dialogs: all nine names at once, or one name (opened from a matrix-page name
// label). A name leaves them as 8 bytes of the 8-bit code page, cut on a character boundary and
// zero-padded. Created once after the main window; owned by TDeviceDialogs. UI thread only.
#pragma once

#include "app/dialogs/SmallDialogs.h"

#include <array>
#include <cstdint>
#include <string>

namespace fx
{
class TRoundEdit;
}

namespace app
{

inline constexpr int kChannelNameBytes = 8;
using NameBytes = std::array<uint8_t, kChannelNameBytes>;

// The edit's text as the field the device keeps.
NameBytes ChannelNameBytes(const QString& text);
// The model's name of ch: its bytes up to the first zero byte, as text.
QString ModelChannelName(const TfmMain& main, int ch);
// Shows the name (matrix label, channel button hint), stores it in the model and sends it.
void SetChannelName(TfmMain& main, int ch, const NameBytes& name);

class TfmChNameList : public TDialogForm
{
  public:
    explicit TfmChNameList(TfmMain* main);
    // edMatrixChNameInA .. edMatrixChNameOut6, by channel.
    std::array<fx::TRoundEdit*, 9> Edits{};
    sk::TSkBmpButton *btnOK, *btnCancel;
    void btnOKClick();

  protected:
    void FormShow() override;
};

class TfmChannelName : public TDialogForm
{
  public:
    explicit TfmChannelName(TfmMain* main);
    void SetChannel(int ch);
    int Channel() const { return FChannel; }
    void SetNameText(const QString& name);
    sk::TSkLabel *lbChannelName, *lbChannel;
    fx::TRoundEdit* edName;
    sk::TSkBmpButton *btnOK, *bnCancel;
    void btnOKClick();

  protected:
    void FormShow() override;

  private:
    int FChannel = 0;
};

} // namespace app
