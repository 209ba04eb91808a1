// TfmNetworkSetup: the device ID every command carries and the device's IPv4 address for the TCP link.
// TfmHidData: the traffic log, one hexadecimal line per frame written or read while it is shown.
// Both are created once and reused. UI thread only.
#pragma once

#include "app/dialogs/SmallDialogs.h"
#include "proto/Commands.h"

#include <array>
#include <optional>

class QLineEdit;
class QListWidget;

namespace app
{

using proto::kMaxDeviceId;
using proto::kMinDeviceId;

class TfmNetworkSetup : public TDialogForm
{
  public:
    explicit TfmNetworkSetup(TfmMain* main);

    sk::TSkLabel *gbIpSetting, *gbIdSetting, *lbMessage;
    std::array<QLineEdit*, 4> edIp{};
    QLineEdit* edId;
    TRadioButton *rbManualSetting, *rbAutoSetting;
    sk::TSkBmpButton *bnSet, *bnExit;

    // Address and ID controls enabled (window colour) or disabled (silver).
    void SetEditsEnabled(bool addressGroup, bool edits);
    void bnSetClick();
    void bnExitClick();
    // The corrections of leaving an edit or pressing Enter in it.
    void FixOctet(QLineEdit* e);
    void FixId();
    // Typed or pasted text of address box 0..3.
    void OctetEdited(int box, const QString& text);

    // The decimal value of an edit, none when it is empty or not a number.
    static std::optional<int> Value(const QLineEdit* e);

  protected:
    void FormShow() override;
    bool eventFilter(QObject* o, QEvent* e) override;

  private:
    void FocusOctet(int box, bool atEnd);
    int FAdvancedTo = -1; // the box a full box moved on to, until a key is typed there
};

class TfmHidData : public TDialogForm
{
  public:
    explicit TfmHidData(TfmMain* main);
    QListWidget* hbHidData;
    sk::TSkBmpButton* bnClear;
    // The lines kept: the oldest goes when a line comes beyond them.
    static constexpr int MaxLines = 10000;
    // Appends a line and selects it, so the list follows the newest.
    void AddLine(const QString& line);

  protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
};

} // namespace app
