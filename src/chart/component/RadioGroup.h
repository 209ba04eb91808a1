// TcRadioGroup: the chart library's own radio group, drawn over its parent's picture. Items fill
// the first column downwards, then the next; a click pressed and released on the same item selects
// it as a user change (OnChange, then OnChangeUser); the arrow keys step through the items (not a
// user change). The layout of the last paint serves the hit test. UI thread only.
#pragma once

#include "chart/component/Component.h"

#include <QStringList>

namespace chart
{

// Where the items sit, from the control's size, the text height of "ABC" and the item count.
struct TcRadioGroupLayout {
    int MaxRows = 0;
    double RowSpacing = 0;
    int RowStart = 0;
    int ColStart = 0;
    double ColSpacing = 0;
    int Columns = 1;
};
TcRadioGroupLayout RadioGroupLayout(int Width, int Height, int TextHeight, int Count, int Columns);
// The centre of an item's button.
TPoint RadioItemCentre(const TcRadioGroupLayout& Layout, int Index);
// The item index under a point (it may lie outside the items); -1 while the layout has no row or
// column spacing (before the first paint, or a group too short for its rows).
int RadioGroupHitTest(const TcRadioGroupLayout& Layout, int X, int Y);

class TcRadioGroup : public TcCustomComponent
{
  public:
    explicit TcRadioGroup(QWidget* parent = nullptr);

    const QStringList& Items() const { return FItems; }
    void SetItems(const QStringList& Value);
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    // The layout of the last paint.
    const TcRadioGroupLayout& LastLayout() const { return FLayout; }
    int MouseDownIndex() const { return FMouseDownIndex; }

    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();
    QString SchemeClassName() const override { return QStringLiteral("TcRadioGroup"); }

    std::function<void(TcRadioGroup* Sender)> OnChange;
    std::function<void(TcRadioGroup* Sender)> OnChangeUser;

  protected:
    virtual void DoChange();
    void ItemsChange();
    void iPaint(TCanvas& Canvas) override;
    void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iMouseMove(TShiftState Shift, int X, int Y) override;
    void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void iKeyDown(Word& Key, TShiftState Shift) override;
    void iKeyUp(Word& Key, TShiftState Shift) override;
    void iWantSpecialKey(Word& Key, bool& Want) override;
    void iKillFocus() override;
    void iSetFocus() override;
    void TextChanged() override { InvalidateChange(); }
    void FontChanged() override { ItemsChange(); }

  private:
    void DrawItemButton(TCanvas& Canvas, int X, int Y, bool Pressed);
    bool FMouseDown = false;
    int FMouseDownIndex = -1;
    bool FKeyDown = false;
    bool FUserGenerated = false;
    TcRadioGroupLayout FLayout;
    QStringList FItems;
    int FItemIndex = 0;
    int FColumns = 1;
};

} // namespace chart
