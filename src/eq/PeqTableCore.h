// TPeqTableCore: the row core of the band tables. It keeps its slots of band values (frequency
// position, Q index, gain position, type, bypass) and builds child controls only for the visible rows
// (band number, frequency/Q/gain edits, optional spinners, type selector, bypass button). Typed values
// are parsed, snapped to the grids and shown in their canonical text; every change goes out through
// Change/OnChange. What differs between the tables (slots, type names, the gain grid, the number
// texts) is a TPeqRules. A row index outside the slots changes nothing. The rows' controls are built
// when the table is first shown or a row control is asked for, in the place they would have had when
// built with the table (focus chain included); what is shown before goes to them then. UI thread only.
#pragma once

#include "controls/panels/SkLabel.h"
#include "controls/panels/SkPanel.h"
#include "eq/LookCache.h"
#include "eq/PeqEntry.h"

#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sk
{
class TSkLabel;
class TSkComboBox;
class TSkButton;
} // namespace sk

namespace eq
{

using fw::TColor;

// The value tables' texts (std::string) as Qt text.
inline QString Q(const std::string& s)
{
    return QString::fromStdString(s);
}

// A plain edit box of a row: Enter, focus loss and mouse presses go to the editor. Idle, it shows its
// cached look, which the editor renders (outside the edit's own paint) when it no longer fits.
class TPeqEdit : public QLineEdit
{
  public:
    explicit TPeqEdit(QWidget* parent) : QLineEdit(parent) {}
    std::function<void()> OnEnter, OnExit;
    std::function<void(QMouseEvent*)> OnPress;
    // Renders the idle look again when it no longer fits (not from this edit's paint).
    void RefreshLook();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

  private:
    TLookCache FLook;
    bool FRenderingLook = false;
};

// A spinner beside an edit: Position within Min..Max, OnClick after an arrow changed it.
class TPeqUpDown : public fw::TControl
{
  public:
    explicit TPeqUpDown(QWidget* parent) : TControl(parent) {}
    int Min = 0, Max = 100, Position = 0;
    fw::TNotifyEvent OnClickArrow;

  protected:
    void Paint(fw::TCanvas& c) override;
    void MouseDown(fw::TMouseButton b, fw::TShiftState s, int x, int y) override;
};

// What one kind of band table fixes: its slots, texts, gain grid and number texts.
struct TPeqRules {
    int Slots = 50;
    QStringList TypeNames;
    QString BypassText;
    int GainLimit = 120;           // gain positions -GainLimit..GainLimit
    double GainStep = 0.1;         // dB per gain position
    bool FreqShowsRowIndex = true; // a new row's frequency edit shows the row index
    bool ChannelNumberFiresChange = true;
    std::vector<TColor> NumberColours; // row i takes entry i mod size
    // The number rules; `sep` is the user's decimal separator.
    std::optional<int> (*SnapFreq)(double hz, char sep) = nullptr;
    int (*ParamGainPosition)(double db) = nullptr; // SetEqParamValue
    int (*GainPosition)(double db) = nullptr;      // SetGainValue
    std::string (*QText)(double q, char sep) = nullptr;
    std::string (*GainText)(double db, char sep) = nullptr;
    std::optional<int> (*ParseGain)(const std::string& text) = nullptr;
};

class TPeqTableCore : public sk::TSkGroupBox
{
  public:
    static constexpr int MaxSlots = 50;

    TPeqTableCore(QWidget* parent, TPeqRules rules, int channelNumber);
    ~TPeqTableCore() override;

    virtual void Change();
    fw::TNotifyEvent OnChange;
    std::function<void(fw::TControl* Sender, fw::TMouseButton, fw::TShiftState, int X, int Y)>
        OnEditMouseDown;
    fw::TMouseWheelEvent OnPeqTypeMouseWheel;

    int ChannelNumber() const { return FChannelNumber; }
    void SetChannelNumber(int v);
    int TopBottomSpace() const { return FTopBottomSpace; }
    void SetTopBottomSpace(int v) { FTopBottomSpace = v; }
    bool TitleVisable() const { return FTitleVisable; }
    void SetTitleVisable(bool v);
    bool UpdownVisable() const { return FUpdownVisable; }
    void SetUpdownVisable(bool v);
    TColor LabelColor() const { return FLabelColor; }
    void SetLabelColor(TColor v);
    TColor EditBackColor() const { return FEditBackColor; }
    void SetEditBackColor(TColor v);
    TColor BypassBackColor() const { return FBypassBackColor; }
    void SetBypassBackColor(TColor v);

    double GetFreqValue(int i) const;
    double GetQValue(int i) const;
    double GetGainValue(int i) const;
    // The row's type index; -1 for a row that does not exist.
    int GetTypeValue(int i) const;
    bool GetBypassValue(int i) const;
    int GetFreqPosition(int i) const;
    int GetQIndex(int i) const;
    int GetGainPosition(int i) const;
    void SetEqParamValue(int i, double hz, double qIndex, double db, int type, bool bypass);
    void SetFreqValue(int i, double hz);
    void SetQValue(int i, double qIndex);
    void SetGainValue(int i, double db);
    void SetTypeValue(int i, int type);
    void SetBypassValue(int i, bool bypass);
    void SetNowIndex(int k);
    void SetColor(int i, TColor colour);
    void ChangeLanguage();
    void RePaint();

    // The handlers of the rows' controls (public as the framework wires them).
    void FrequencyEntered(int row);
    void QfactorEntered(int row);
    void GainEntered(int row);
    void FrequencyUpDownClick(int row);
    void QfactorUpDownClick(int row);
    void GainUpDownClick(int row);
    void ByPassClick(int row);
    void PeqTypeChange(int row);

    // The visible row's controls, for the host and tests (null beyond the built rows).
    TPeqEdit* FreqEdit(int row) const;
    TPeqEdit* QEdit(int row) const;
    TPeqEdit* GainEdit(int row) const;
    TPeqUpDown* Spinner(int row, int k) const;
    sk::TSkComboBox* TypeBox(int row) const;
    sk::TSkButton* BypassButton(int row) const;
    sk::TSkLabel* NumberLabel(int row) const;
    // The font colour of a row's edits.
    TColor EditColor(int row) const;
    TColor BypassButtonColor(int row) const;

  protected:
    void Paint(fw::TCanvas& canvas) override;
    void Resized() override;
    void showEvent(QShowEvent* e) override;
    int NowIndex() const { return FNowIndex; }
    void SetTypeName(int type, const QString& text);
    void SetBypassText(const QString& text) { FRules.BypassText = text; }

  private:
    struct Row;
    struct Band {
        int FreqPos = 0;
        int QIndex = QIndexDefault;
        int GainPos = 0;
        int Type = 1;
        unsigned char Bypass = 0;
        bool FreqSet = false; // until then the frequency edit may show the row index
    };
    bool Valid(int i) const { return i >= 0 && i < FRules.Slots; }
    bool Built(int i) const { return i >= 0 && i < int(FRows.size()) && FRows[std::size_t(i)]; }
    int TypeCount() const { return int(FRules.TypeNames.size()); }
    void BuildRows();
    // Builds the rows put off at construction (const: the row accessors build them on demand).
    void BuildPendingRows() const;
    // The rows shown: built, or to be built.
    int ShownRows() const;
    void SetBypassColour(int row, TColor colour);
    void FillTypes(sk::TSkComboBox* box);
    void MakeCurrent(int row);
    void ColourRow(int row, TColor colour);
    void ShowFreq(int row);
    void ShowQ(int row);
    void ShowGainPos(int row);
    void ShowGainDb(int row, double db);
    void Refused(TPeqEdit* e, const QString& text);
    void Layout();
    void ShowFreqIfSet(int row);

    TPeqRules FRules;
    std::array<Band, MaxSlots> FBands{};
    std::vector<std::unique_ptr<Row>> FRows;
    // Until the rows are built: what was shown to them meanwhile.
    struct PendingLook {
        std::optional<QString> GainText;
        std::optional<TColor> EditColour;
        TColor BypassColour = fw::clBlack;
    };
    mutable bool FRowsPending = true;
    std::array<PendingLook, MaxSlots> FPending{};
    std::array<sk::TSkLabel*, 6> FTitles{};
    int FChannelNumber = 50;
    int FTopBottomSpace = 15;
    bool FTitleVisable = false, FUpdownVisable = false;
    TColor FLabelColor = fw::clBlack, FEditBackColor = fw::clBlack, FBypassBackColor = fw::clBlack;
    int FNowIndex = 0, FPrevIndex = 0;
    int FGreenRow = -1; // the row whose edits show the current-row colour
    TColor FNormalEditColor = fw::clBlack;
    int FLayoutW = 490, FLayoutH = 420;
    bool FLaidOut = false;
};

} // namespace eq
