#include "chart/component/CheckBox.h"

#include "chart/component/ChartDraw.h"
#include "framework/Events.h"

#include <QPainter>
#include <QPointer>
#include <algorithm>

namespace chart
{

using namespace fw;

namespace
{
// An entry over the framework control's own accessors.
TPropertyInfo ControlEntry(const char* Name, const char* Type, long long Default,
                           std::function<long long(const TcComponent&)> Get,
                           std::function<void(TcComponent&, long long)> Set)
{
    TPropertyInfo p;
    p.Name = QString::fromLatin1(Name);
    p.Type = QString::fromLatin1(Type);
    p.Default = QString::number(Default);
    p.GetOrdinal = [Get](const TPersistent& o) { return Get(dynamic_cast<const TcComponent&>(o)); };
    p.SetOrdinal = [Set](TPersistent& o, long long v) { Set(dynamic_cast<TcComponent&>(o), v); };
    return p;
}
} // namespace

void AddControlEntries(TPropertyTable& t, int Width, int Height, const QString& Caption)
{
    t.Add(ControlEntry(
        "Width", "Integer", Width, [](const TcComponent& c) { return c.Width(); },
        [](TcComponent& c, long long v) { c.SetWidth(int(v)); }));
    t.Add(ControlEntry(
        "Height", "Integer", Height, [](const TcComponent& c) { return c.Height(); },
        [](TcComponent& c, long long v) { c.SetHeight(int(v)); }));
    TPropertyInfo tab = ControlEntry(
        "TabStop", "Boolean", 1, [](const TcComponent& c) { return c.TabStop() ? 1 : 0; },
        [](TcComponent& c, long long v) { c.SetTabStop(v != 0); });
    tab.EnumNames = {QStringLiteral("False"), QStringLiteral("True")};
    tab.Min = 0;
    tab.Max = 1;
    tab.Closed = true;
    t.Add(std::move(tab));
    t.Add(ControlEntry(
        "BackGroundColor", "TColor", clBtnFace,
        [](const TcComponent& c) { return (long long)std::int32_t(c.BackGroundColor()); },
        [](TcComponent& c, long long v) { c.SetBackGroundColor(TColor(v)); }));
    TPropertyInfo caption;
    caption.Name = QStringLiteral("Caption");
    caption.Type = QStringLiteral("String");
    caption.Kind = TPropertyKind::String;
    caption.Default = Caption;
    caption.GetString = [](const TPersistent& o) { return dynamic_cast<const TcComponent&>(o).Caption(); };
    caption.SetString = [](TPersistent& o, const QString& v) { dynamic_cast<TcComponent&>(o).SetCaption(v); };
    t.Add(std::move(caption));
    TPropertyInfo font;
    font.Name = QStringLiteral("Font");
    font.Type = QStringLiteral("TFont");
    font.Kind = TPropertyKind::Object;
    font.GetObject = [](TPersistent& o) -> TPersistent* { return &dynamic_cast<TcComponent&>(o).Font(); };
    t.Add(std::move(font));
}

TcCheckBox::TcCheckBox(QWidget* parent) : TcCustomComponent(parent)
{
    SetBounds(Left(), Top(), 97, 17);
    SetTabStop(true);
    SetCaption(QStringLiteral("Caption"));
    FConstructed = true;
}

const TPropertyTable& TcCheckBox::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcCheckBox::ClassTable()
{
    using C = TcCheckBox;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcComponent::ClassTable());
        AddControlEntries(t, 97, 17, QStringLiteral("Caption"));
        t.Boolean("Checked", &C::Checked, &C::SetChecked, false);
        t.Enum("Alignment", "TLeftRight", &C::Alignment, &C::SetAlignment, taRightJustify,
               {"taLeftJustify", "taRightJustify"});
        t.Boolean("AutoSize", &C::AutoSize, &C::SetAutoSize, true);
        return t;
    }();
    return table;
}

void TcCheckBox::SetChecked(bool Value)
{
    if (Value == FChecked)
        return;
    bool canEdit = true;
    if (OnRequestEdit)
        OnRequestEdit(this, QStringLiteral("Checked"), canEdit);
    if (!canEdit)
        return;
    FChecked = Value;
    InvalidateChange();
    DoChange();
    OPCOutputData(QStringLiteral("Checked"), QVariant(Value));
}

void TcCheckBox::SetAlignment(TLeftRight Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    InvalidateChange();
}

void TcCheckBox::SetAutoSize(bool Value)
{
    if (Value == FAutoSize)
        return;
    FAutoSize = Value;
    AutoSizeCheckBox();
    InvalidateChange();
}

void TcCheckBox::DoChange()
{
    if (IsLoading())
        return;
    QPointer<TcCheckBox> guard(this);
    if (OnChangeProtected)
        OnChangeProtected(this, QStringLiteral("Checked"));
    if (guard && OnChange)
        OnChange(this);
    if (guard && FUserGenerated && OnChangeUser)
        OnChangeUser(this);
}

void TcCheckBox::AutoSizeCheckBox()
{
    if (!FAutoSize || IsLoading() || FDoingAutoSize || !FConstructed)
        return;
    FDoingAutoSize = true;
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TCanvas canvas(painter);
    canvas.Font.Assign(Font());
    const int w = canvas.TextWidth(Caption()) + 20;
    const int h = canvas.TextHeight(Caption()) + 4;
    if (FAlignment == taLeftJustify && w != Width())
        SetBounds(Left() + Width() - w, Top(), w, h);
    else
        SetBounds(Left(), Top(), w, h);
    FDoingAutoSize = false;
}

void TcCheckBox::TextChanged()
{
    AutoSizeCheckBox();
    InvalidateChange();
}

void TcCheckBox::FontChanged()
{
    AutoSizeCheckBox();
    InvalidateChange();
}

TcCheckBox::TcLayout TcCheckBox::Layout(int w, int h) const
{
    TcLayout l;
    l.Mid = Height() / 2;
    const int top = l.Mid - h / 2 - 1;
    if (FAlignment == taLeftJustify) {
        l.Box = Rect(Width() - 13, l.Mid - 7, Width(), l.Mid + 6);
        l.Text = Rect(1, top, w + 1, top + h);
    } else {
        l.Box = Rect(0, l.Mid - 7, 13, l.Mid + 6);
        l.Text = Rect(18, top, w + 18, top + h);
    }
    return l;
}

void TcCheckBox::iPaint(TCanvas& Canvas)
{
    SetTransparent(true);
    DrawBackGround(Canvas, BackGroundColor());
    Canvas.Font.Assign(Font());
    Canvas.Brush.Style = bsSolid;
    TcLayout l = Layout(Canvas.TextWidth(Caption()), Canvas.TextHeight(Caption()));

    Canvas.Brush.Color = FMouseDown || FKeyDown || !Enabled() ? BackGroundColor() : clWhite;
    Canvas.FillRect(l.Box);
    DrawButtonFrame(Canvas, l.Box, 0);

    Canvas.Brush.Style = bsClear;
    TRect text = l.Text;
    DrawTextInRect(Canvas, Caption(), text, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, Enabled(),
                   BackGroundColor());

    if (FChecked) {
        Canvas.Pen.Style = psSolid;
        Canvas.Pen.Color = clBlack;
        Canvas.Pen.Width = 1;
        const int L = l.Box.Left;
        for (int k = 0; k <= 2; ++k)
            Canvas.Polyline({{L + 3, l.Mid - k}, {L + 5, l.Mid + 2 - k}, {L + 10, l.Mid - 3 - k}});
    }

    if (HasFocus()) {
        TRect f = Rect(std::max(0, l.Text.Left - 1), std::max(0, l.Text.Top - 1),
                       std::min(Width() - 1, l.Text.Right + 1), std::min(Height() - 1, l.Text.Bottom + 2));
        Canvas.Font.SetColor(clWhite);
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = clBlack;
        DrawFocusRectangle(Canvas, f);
    }
}

void TcCheckBox::iMouseDown(TMouseButton Button, TShiftState, int, int)
{
    if (Button != mbLeft)
        return;
    SetFocusTo(this);
    FMouseDown = true;
    InvalidateChange();
}

void TcCheckBox::iMouseUp(TMouseButton, TShiftState, int X, int Y)
{
    if (!FMouseDown)
        return;
    InvalidateChange();
    FMouseDown = false;
    if (X >= 0 && Y >= 0 && X < Width() && Y < Height())
        ToggleByUser();
}

void TcCheckBox::iKeyDown(Word& Key, TShiftState)
{
    if (Key != VK_SPACE)
        return;
    FMouseDown = false;
    FKeyDown = true;
    InvalidateChange();
}

void TcCheckBox::iKeyUp(Word& Key, TShiftState)
{
    if (Key == VK_SPACE && FKeyDown) {
        InvalidateChange();
        FKeyDown = false;
        ToggleByUser();
    }
    FKeyDown = false;
}

void TcCheckBox::ToggleByUser()
{
    FUserGenerated = true;
    try {
        SetChecked(!FChecked);
    } catch (...) {
        FUserGenerated = false;
        throw;
    }
    FUserGenerated = false;
}

void TcCheckBox::iKillFocus()
{
    FMouseDown = false;
    FKeyDown = false;
    InvalidateChange();
    TcCustomComponent::iKillFocus();
}

void TcCheckBox::iSetFocus()
{
    TcCustomComponent::iSetFocus();
    RepaintNow();
}

} // namespace chart
