// The channel link dialog (a lower-triangular grid of exclusive buttons per kind: row r's down button
// is the column of r's group leader) and the channel copy dialog. Created once after the main window;
// owned by TDeviceDialogs. UI thread only.
#pragma once

#include "app/dialogs/SmallDialogs.h"

#include <array>

namespace app
{

class TfmLinkSel : public TDialogForm
{
  public:
    explicit TfmLinkSel(TfmMain* main);
    // Button of channel row's row and channel col's column (channels 0..8, same kind, col <= row).
    sk::TSkBmpButton* GridButton(int row, int col) const;
    void ShowLinkWord(int ch, int word);
    void ApplyLeaderButtons();
    void ApplyMemberButtons();
    // The word of channel ch's column as the grid shows it (bit j: row j of the kind is down there).
    int GridWord(int ch) const;
    bool LinkChanged() const { return FLinkChanged != 0; }
    // A click on a grid button as the user makes it: pressed, then its row's handler.
    void ClickGridButton(int row, int col);
    sk::TSkBmpButton *bnSet, *bnExit;
    void bnSetClick();
    void bnExitClick();

  protected:
    void FormShow() override;

  private:
    void RowClick(int row, sk::TSkBmpButton* button);
    // rows[ch][col within kind]
    std::array<std::array<sk::TSkBmpButton*, 6>, 9> FGrid{};
    int FLinkChanged = 0;
};

class TfmCopy : public TDialogForm
{
  public:
    explicit TfmCopy(TfmMain* main);
    sk::TSkComboBox *cbInSource, *cbInDestination, *cbOutSource, *cbOutDestination;
    sk::TSkBmpButton *bnInChCopy, *bnOutChCopy, *bnExit;
    void bnInChCopyClick(fw::TControl* Sender);

  protected:
    void FormShow() override;

  private:
    sk::TSkLabel *FInArrow, *FOutArrow;
};

} // namespace app
