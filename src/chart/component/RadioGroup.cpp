#include "chart/component/RadioGroup.h"

#include "base/Rounding.h"
#include "chart/component/ChartDraw.h"
#include "chart/component/CheckBox.h"
#include "framework/Events.h"

#include <QPointer>
#include <algorithm>
#include <cmath>

namespace chart
{

using namespace fw;

TcRadioGroupLayout RadioGroupLayout(int Width, int Height, int TextHeight, int Count, int Columns)
{
    TcRadioGroupLayout l;
    l.Columns = std::max(1, Columns);
    if (Count <= 0)
        return l;
    l.MaxRows = (Count + l.Columns - 1) / l.Columns;
    l.RowSpacing = double((Height - TextHeight - TextHeight / 4) / l.MaxRows);
    l.RowStart = RoundInt(TextHeight + l.RowSpacing / 2);
    l.ColStart = 14;
    l.ColSpacing = double((Width - 14) / l.Columns);
    return l;
}

TPoint RadioItemCentre(const TcRadioGroupLayout& Layout, int Index)
{
    if (Layout.MaxRows <= 0)
        return {Layout.ColStart, Layout.RowStart};
    const int row = Index % Layout.MaxRows;
    const int column = Index / Layout.MaxRows;
    return {RoundInt(column * Layout.ColSpacing) + Layout.ColStart,
            RoundInt(row * Layout.RowSpacing) + Layout.RowStart};
}

int RadioGroupHitTest(const TcRadioGroupLayout& Layout, int X, int Y)
{
    // A spacing of 0 (no paint yet, or rows squeezed to nothing) places no item under any point.
    if (Layout.RowSpacing <= 0 || Layout.MaxRows <= 0)
        return -1;
    const int row = RoundInt((Y - Layout.RowStart) / Layout.RowSpacing);
    if (Layout.Columns <= 1)
        return row;
    if (Layout.ColSpacing <= 0)
        return -1;
    return TruncInt((X - Layout.ColStart + 6) / Layout.ColSpacing) * Layout.MaxRows + row;
}

TcRadioGroup::TcRadioGroup(QWidget* parent) : TcCustomComponent(parent)
{
    SetBounds(Left(), Top(), 97, 17);
    SetTabStop(true);
    SetCaption(QStringLiteral("Radio Group"));
}

const TPropertyTable& TcRadioGroup::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcRadioGroup::ClassTable()
{
    using C = TcRadioGroup;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcComponent::ClassTable());
        AddControlEntries(t, 97, 17, QStringLiteral("Radio Group"));
        t.Ordinal("ItemIndex", "Integer", &C::ItemIndex, &C::SetItemIndex, 0);
        t.Ordinal("Columns", "Integer", &C::Columns, &C::SetColumns, 1, 1);
        return t;
    }();
    return table;
}

void TcRadioGroup::SetItems(const QStringList& Value)
{
    FItems = Value;
    ItemsChange();
}

void TcRadioGroup::ItemsChange()
{
    FItemIndex = std::clamp(FItemIndex, -1, int(FItems.size()) - 1);
    InvalidateChange();
}

void TcRadioGroup::SetItemIndex(int Value)
{
    Value = std::clamp(Value, -1, int(FItems.size()) - 1);
    if (Value == FItemIndex)
        return;
    FItemIndex = Value;
    FMouseDownIndex = Value;
    InvalidateChange();
    DoChange();
}

void TcRadioGroup::SetColumns(int Value)
{
    if (Value < 1 || Value == FColumns)
        return;
    FColumns = Value;
    InvalidateChange();
}

void TcRadioGroup::DoChange()
{
    if (IsLoading())
        return;
    QPointer<TcRadioGroup> guard(this);
    if (OnChangeProtected)
        OnChangeProtected(this, QStringLiteral("ItemIndex"));
    if (guard && OnChange)
        OnChange(this);
    if (guard && FUserGenerated && OnChangeUser)
        OnChangeUser(this);
}

void TcRadioGroup::DrawItemButton(TCanvas& Canvas, int x, int y, bool Pressed)
{
    const TColor fill = Pressed ? clBtnFace : clWhite;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    Canvas.Pen.Color = fill;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = fill;
    Canvas.Rectangle(x - 3, y - 4, x + 5, y + 4);
    // The ring: shadows on the upper left, lights on the lower right.
    const struct {
        int inset;
        TColor upperLeft, lowerRight;
    } rings[] = {{0, clBtnShadow, clBtnHighlight}, {1, cl3DDkShadow, clBtnFace}};
    for (const auto& r : rings) {
        const int l = x - 5 + r.inset, t = y - 6 + r.inset, rt = x + 7 - r.inset, b = y + 6 - r.inset;
        Canvas.Pen.Color = r.upperLeft;
        Canvas.Arc(l, t, rt, b, rt, t, l, b);
        Canvas.Pen.Color = r.lowerRight;
        Canvas.Arc(l, t, rt, b, l, b, rt, t);
    }
}

void TcRadioGroup::iPaint(TCanvas& Canvas)
{
    SetTransparent(true);
    DrawBackGround(Canvas, BackGroundColor());
    Canvas.Font.Assign(Font());
    Canvas.Brush.Style = bsSolid;
    const int W = Width(), H = Height();
    const int a = Canvas.TextWidth(QStringLiteral("A"));
    const int h = Canvas.TextHeight(QStringLiteral("ABC"));
    const int top = h / 2;

    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    Canvas.Pen.Color = clBtnHighlight;
    Canvas.MoveTo(1, top + 1);
    Canvas.LineTo(W - 2, top + 1);
    Canvas.MoveTo(1, top + 1);
    Canvas.LineTo(1, H - 1);
    Canvas.Pen.Color = clBtnShadow;
    Canvas.Polyline({{0, top}, {W - 2, top}, {W - 2, H - 2}, {0, H - 2}, {0, top}});
    Canvas.Pen.Color = clBtnHighlight;
    Canvas.MoveTo(W - 1, top + 1);
    Canvas.LineTo(W - 1, H - 1);
    Canvas.LineTo(0, H - 1);

    TRect caption = Rect(a, 0, a + Canvas.TextWidth(Caption()), Canvas.TextHeight(Caption()));
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = clWindow;
    Canvas.FillRect(caption);
    DrawTextInRect(Canvas, Caption(), caption, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, Enabled(),
                   BackGroundColor());

    if (FItems.isEmpty())
        return;
    FLayout = RadioGroupLayout(W, H, h, int(FItems.size()), FColumns);
    const int focusItem = HasFocus() ? (FMouseDown ? FMouseDownIndex : FItemIndex) : -1;
    for (int i = 0; i < int(FItems.size()); ++i) {
        const TPoint c = RadioItemCentre(FLayout, i);
        const bool pressed = (FMouseDown || FKeyDown) && i == FMouseDownIndex;
        DrawItemButton(Canvas, c.X, c.Y, pressed);
        Canvas.Font.Assign(Font());
        Canvas.Brush.Style = bsClear;
        const int tw = Canvas.TextWidth(FItems[i]), th = Canvas.TextHeight(FItems[i]);
        TRect text = Rect(c.X + 12, c.Y - th / 2, c.X + 12 + tw, c.Y + th / 2);
        const TRect textRect = text;
        DrawTextInRect(Canvas, FItems[i], text, DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX,
                       Enabled(), BackGroundColor());
        if (i == FItemIndex) {
            Canvas.Pen.Color = clBlack;
            Canvas.Brush.Style = bsSolid;
            Canvas.Brush.Color = clBlack;
            Canvas.Ellipse(c.X - 1, c.Y - 2, c.X + 3, c.Y + 2);
        }
        if (i == focusItem) {
            Canvas.Font.SetColor(clWhite);
            Canvas.Brush.Style = bsSolid;
            Canvas.Brush.Color = clBlack;
            DrawFocusRectangle(
                Canvas, Rect(textRect.Left - 1, textRect.Top - 1, textRect.Right + 1, textRect.Bottom + 3));
        }
    }
}

void TcRadioGroup::iMouseDown(TMouseButton Button, TShiftState, int X, int Y)
{
    if (Button != mbLeft)
        return;
    SetFocusTo(this);
    FMouseDown = true;
    FMouseDownIndex = RadioGroupHitTest(FLayout, X, Y);
    InvalidateChange();
}

void TcRadioGroup::iMouseMove(TShiftState, int X, int Y)
{
    if (!FMouseDown)
        return;
    FMouseDownIndex = RadioGroupHitTest(FLayout, X, Y);
    InvalidateChange();
}

void TcRadioGroup::iMouseUp(TMouseButton, TShiftState, int X, int Y)
{
    if (!FMouseDown)
        return;
    InvalidateChange();
    FMouseDown = false;
    if (FMouseDownIndex < 0 || FMouseDownIndex >= int(FItems.size()) ||
        RadioGroupHitTest(FLayout, X, Y) != FMouseDownIndex)
        return;
    FUserGenerated = true;
    try {
        SetItemIndex(FMouseDownIndex);
    } catch (...) {
        FUserGenerated = false;
        throw;
    }
    FUserGenerated = false;
}

void TcRadioGroup::iKeyDown(Word& Key, TShiftState)
{
    FKeyDown = true;
    const int count = int(FItems.size());
    if (Key == VK_RIGHT || Key == VK_DOWN) {
        Key = 0;
        if (count > 0)
            SetItemIndex(FItemIndex < 0 || FItemIndex >= count - 1 ? 0 : FItemIndex + 1);
    } else if (Key == VK_LEFT || Key == VK_UP) {
        Key = 0;
        if (FItemIndex >= 0)
            SetItemIndex(FItemIndex == 0 ? count - 1 : FItemIndex - 1);
    }
    InvalidateChange();
}

void TcRadioGroup::iKeyUp(Word& Key, TShiftState)
{
    if (Key == VK_SPACE && FKeyDown)
        InvalidateChange();
    FKeyDown = false;
    InvalidateChange();
}

void TcRadioGroup::iWantSpecialKey(Word& Key, bool& Want)
{
    if (Key >= VK_LEFT && Key <= VK_DOWN)
        Want = true;
}

void TcRadioGroup::iKillFocus()
{
    FMouseDown = false;
    FKeyDown = false;
    InvalidateChange();
    TcCustomComponent::iKillFocus();
}

void TcRadioGroup::iSetFocus()
{
    TcCustomComponent::iSetFocus();
    RepaintNow();
}

} // namespace chart
