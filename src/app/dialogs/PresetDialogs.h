// The preset dialogs: the store list (user presets 1..20), the recall list (the factory preset, then
// user presets 1..20) and the name dialog both lists open for the chosen row. The lists keep one
// 14-byte name per row (bytes of the 8-bit code page) and draw their rows from it. Created once after
// the main window; owned by TDeviceDialogs. UI thread only.
#pragma once

#include "app/dialogs/SmallDialogs.h"

#include <string>
#include <vector>

namespace fx
{
class TRoundEdit;
}

namespace app
{

inline constexpr int kPresetNameBytes = 14;

// The value-list grid: a title row (number, name), then one row per preset.
class TPresetList : public fw::TControl
{
  public:
    TPresetList(QWidget* parent, bool recall);
    int RowCount() const { return int(FNames.size()); }
    // Row counted from 0: "F00" or "U01".."U20".
    QString Key(int row) const;
    const std::string& Name(int row) const { return FNames.at(std::size_t(row)); }
    // Any bytes; held as exactly 14 (cut on a character boundary, blank-padded).
    void SetRowName(int row, const std::string& bytes);
    // "     U01=  Default Preset": five blanks, key, "=", two blanks, the 14-byte name.
    std::string RowText(int row) const;
    // Every row, each ended by CR LF.
    std::string ListText() const;
    QString NumberTitle, NameTitle;
    static constexpr int kRowHeight = 20;
    // A click on data row k (counted from 1).
    std::function<void(int k)> OnSelectCell;

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;

  private:
    bool FRecall;
    std::vector<std::string> FNames;
    int FSelected = -1;
};

class TfmStoreName;

// Store list (recall false) or recall list (recall true).
class TfmPresetList : public TDialogForm
{
  public:
    TfmPresetList(TfmMain* main, bool recall, TfmStoreName* nameDialog);
    // index 0..19 (store) or 0..20 (recall): the row index + 1.
    void SetPresetName(int index, const std::string& bytes);
    bool Recall() const { return FRecall; }
    sk::TSkLabel* lPresetSelect;
    TPresetList* vledPresetName;
    sk::TSkBmpButton* bnCancel;
    void vledPresetNameSelectCell(int k);
    void bnCancelClick();

  protected:
    void FormShow() override;

  private:
    bool FRecall;
    TfmStoreName* FNameDialog;
};

class TfmStoreName : public TDialogForm
{
  public:
    explicit TfmStoreName(TfmMain* main);
    void SetLists(TfmPresetList* store, TfmPresetList* recall)
    {
        FStore = store;
        FRecall = recall;
    }
    void SetNameText(const QString& name);
    void SetPresetIndex(int v) { FPresetIndex = v; }
    int PresetIndex() const { return FPresetIndex; }
    void SetStoreMode(int v) { FStoreMode = v; }
    int StoreMode() const { return FStoreMode; }
    sk::TSkLabel *lTitle, *lblPresetName;
    fx::TRoundEdit* edName;
    sk::TSkBmpButton *btnOK, *bnCancel;
    void btnOKClick();
    void bnCancelClick() { Close(); }

  protected:
    void FormShow() override;

  private:
    int FPresetIndex = 0;
    int FStoreMode = 1;
    TfmPresetList* FStore = nullptr;
    TfmPresetList* FRecall = nullptr;
};

} // namespace app
