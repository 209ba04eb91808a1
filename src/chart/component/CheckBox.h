// TcCheckBox: the chart library's own check box, drawn over its parent's picture. A click released
// inside the box or the space key toggles Checked as a user change (OnChange, then OnChangeUser);
// a change from code fires OnChange only, and OnRequestEdit may refuse any change. With AutoSize
// the control takes its caption's width + 20 (keeping its right edge when the box is at the
// right). UI thread only.
#pragma once

#include "chart/component/Component.h"

namespace chart
{

// Where the text sits beside the box: taLeftJustify puts the box at the right of the text.
enum TLeftRight : std::uint8_t { taLeftJustify, taRightJustify };

class TcCheckBox : public TcCustomComponent
{
  public:
    explicit TcCheckBox(QWidget* parent = nullptr);

    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    void AutoSizeCheckBox();

    // Box and text rectangles of a paint with the given caption size.
    struct TcLayout {
        fw::TRect Box;
        fw::TRect Text;
        int Mid = 0;
    };
    TcLayout Layout(int TextWidth, int TextHeight) const;

    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();
    QString SchemeClassName() const override { return QStringLiteral("TcCheckBox"); }

    std::function<void(TcCheckBox* Sender)> OnChange;
    std::function<void(TcCheckBox* Sender)> OnChangeUser;

  protected:
    virtual void DoChange();
    void iPaint(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iKeyDown(Word& Key, TShiftState Shift) override;
    void iKeyUp(Word& Key, TShiftState Shift) override;
    void iKillFocus() override;
    void iSetFocus() override;
    void TextChanged() override;
    void FontChanged() override;

  private:
    // A change that comes from the mouse or the space key.
    void ToggleByUser();
    bool FMouseDown = false;
    bool FKeyDown = false;
    bool FUserGenerated = false;
    bool FDoingAutoSize = false;
    bool FChecked = false;
    bool FAutoSize = true;
    TLeftRight FAlignment = taRightJustify;
    // Set once construction has given the defaults (which do not auto size).
    bool FConstructed = false;
};

// The table entries every library control shares (Width, Height, TabStop, BackGroundColor,
// Caption, Font) with the given defaults.
void AddControlEntries(TPropertyTable& Table, int Width, int Height, const QString& Caption);

} // namespace chart
