#include "chart/objects/PlotDataCursor.h"

#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannel.h"
#include "chart/objects/MasterManager.h"
#include "chart/objects/PlotDataView.h"

#include <algorithm>
#include <cmath>

namespace chart
{

using namespace fw;

namespace
{

const QString kAll = QStringLiteral("<All>");
double Clamp100(double v)
{
    return std::clamp(v, 0.0, 100.0);
}

} // namespace

const TPropertyTable& TcPlotDataCursor::PropertyTable() const
{
    using D = TcPlotDataCursor;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotObject::ClassTable());
        t.Redeclare("Visible", QStringLiteral("0"));
        t.String("ChannelName", &D::ChannelName, &D::SetChannelName, QString());
        t.Boolean("ChannelAllowAll", &D::ChannelAllowAll, &D::SetChannelAllowAll, true);
        t.Boolean("ChannelShowAllInLegend", &D::ChannelShowAllInLegend, &D::SetChannelShowAllInLegend, true);
        t.Enum("Style", "TcPlotDataCursorStyle", &D::Style, &D::SetStyle, ipcsValueXY,
               {"ipcsValueXY", "ipcsValueX", "ipcsValueY", "ipcsDeltaX", "ipcsDeltaY", "ipcsInverseDeltaX"});
        t.Object("Font", "TFont", &D::Font);
        t.Ordinal("Color", "TColor", &D::Color, &D::SetColor, 0x00FFFF);
        t.Boolean("UseChannelColor", &D::UseChannelColor, &D::SetUseChannelColor, true);
        t.Boolean("HintShow", &D::HintShow, &D::SetHintShow, true);
        t.Boolean("HintHideOnRelease", &D::HintHideOnRelease, &D::SetHintHideOnRelease, false);
        t.Enum("HintOrientationSide", "TcOrientationSide", &D::HintOrientationSide,
               &D::SetHintOrientationSide, iosBottomRight, {"iosBottomRight", "iosTopLeft"});
        t.Float("HintPosition", &D::HintPosition, &D::SetHintPosition, 50);
        t.Float("Pointer1Position", &D::Pointer1Position, &D::SetPointer1Position, 50, 0, 100);
        t.Float("Pointer2Position", &D::Pointer2Position, &D::SetPointer2Position, 60, 0, 100);
        t.Ordinal("PointerPenWidth", "Integer", &D::PointerPenWidth, &D::SetPointerPenWidth, 1);
        t.Boolean("MenuUserCanChangeOptions", &D::MenuUserCanChangeOptions, &D::SetMenuUserCanChangeOptions,
                  true);
        t.Boolean("SnapToDataPoint", &D::SnapToDataPoint, &D::SetSnapToDataPoint, false);
        t.Boolean("UseCachedInterpolatedData", &D::UseCachedInterpolatedData,
                  &D::SetUseCachedInterpolatedData, false);
        t.Boolean("MenuItemVisibleValueXY", &D::MenuItemVisibleOf<ipcsValueXY>,
                  &D::SetMenuItemVisibleOf<ipcsValueXY>, true);
        t.Boolean("MenuItemVisibleValueX", &D::MenuItemVisibleOf<ipcsValueX>,
                  &D::SetMenuItemVisibleOf<ipcsValueX>, true);
        t.Boolean("MenuItemVisibleValueY", &D::MenuItemVisibleOf<ipcsValueY>,
                  &D::SetMenuItemVisibleOf<ipcsValueY>, true);
        t.Boolean("MenuItemVisibleDeltaX", &D::MenuItemVisibleOf<ipcsDeltaX>,
                  &D::SetMenuItemVisibleOf<ipcsDeltaX>, true);
        t.Boolean("MenuItemVisibleDeltaY", &D::MenuItemVisibleOf<ipcsDeltaY>,
                  &D::SetMenuItemVisibleOf<ipcsDeltaY>, true);
        t.Boolean("MenuItemVisibleInverseDeltaX", &D::MenuItemVisibleOf<ipcsInverseDeltaX>,
                  &D::SetMenuItemVisibleOf<ipcsInverseDeltaX>, true);
        t.String("MenuItemCaptionValueXY", &D::MenuItemCaptionOf<ipcsValueXY>,
                 &D::SetMenuItemCaptionOf<ipcsValueXY>, QStringLiteral("Value X-Y"));
        t.String("MenuItemCaptionValueX", &D::MenuItemCaptionOf<ipcsValueX>,
                 &D::SetMenuItemCaptionOf<ipcsValueX>, QStringLiteral("Value X"));
        t.String("MenuItemCaptionValueY", &D::MenuItemCaptionOf<ipcsValueY>,
                 &D::SetMenuItemCaptionOf<ipcsValueY>, QStringLiteral("Value Y"));
        t.String("MenuItemCaptionDeltaX", &D::MenuItemCaptionOf<ipcsDeltaX>,
                 &D::SetMenuItemCaptionOf<ipcsDeltaX>, QStringLiteral("Period"));
        t.String("MenuItemCaptionDeltaY", &D::MenuItemCaptionOf<ipcsDeltaY>,
                 &D::SetMenuItemCaptionOf<ipcsDeltaY>, QStringLiteral("Peak-Peak"));
        t.String("MenuItemCaptionInverseDeltaX", &D::MenuItemCaptionOf<ipcsInverseDeltaX>,
                 &D::SetMenuItemCaptionOf<ipcsInverseDeltaX>, QStringLiteral("Frequency"));
        return t;
    }();
    return table;
}

TcPlotDataCursor::TcPlotDataCursor(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotManagerObject(AOwner, handlers)
{
    FFont.OnChange = [this](TFont*) { DoChange(); };
    // A new cursor is hidden; the base setter would announce the change, the field is set quietly.
    TcPlotObject::SetVisible(false);
    UpdatePointerStyle();
}

void TcPlotDataCursor::SetChannelName(const QString& v)
{
    if (v == FChannelName)
        return;
    FChannelName = v;
    FChannel = nullptr;
    DoChange();
}

void TcPlotDataCursor::SetStyle(TcPlotDataCursorStyle v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    UpdatePointerStyle();
    DoChange();
}

void TcPlotDataCursor::SetHintOrientationSide(TcOrientationSide v)
{
    if (v == FHintOrientationSide)
        return;
    FHintOrientationSide = v;
    DoChange();
}

void TcPlotDataCursor::SetPointer1Position(double v)
{
    SetDoubleValue(Clamp100(v), FPointer1Position, &TcPlotObject::DoChange);
}
void TcPlotDataCursor::SetPointer2Position(double v)
{
    SetDoubleValue(Clamp100(v), FPointer2Position, &TcPlotObject::DoChange);
}

void TcPlotDataCursor::UpdatePointerStyle()
{
    const bool xy = FOwner && FOwner->IsXYPlot();
    switch (FStyle) {
    case ipcsValueXY:
        FPointer1Orientation = ioVertical;
        FPointer1Show = true;
        if (xy) {
            FPointer2Orientation = ioHorizontal;
            FPointer2Show = true;
        } else {
            FPointer2Show = false;
        }
        FHintOrientation = ioVertical;
        break;
    case ipcsValueX:
        FPointer1Orientation = ioVertical;
        FPointer1Show = true;
        FPointer2Show = false;
        FHintOrientation = ioVertical;
        break;
    case ipcsValueY:
        if (xy) {
            FPointer1Show = false;
            FPointer2Orientation = ioHorizontal;
            FPointer2Show = true;
            FHintOrientation = ioHorizontal;
        } else {
            FPointer1Orientation = ioVertical;
            FPointer1Show = true;
            FPointer2Show = false;
            FHintOrientation = ioVertical;
        }
        break;
    case ipcsDeltaX:
    case ipcsInverseDeltaX:
        FPointer1Orientation = FPointer2Orientation = ioVertical;
        FPointer1Show = FPointer2Show = true;
        FHintOrientation = ioVertical;
        break;
    case ipcsDeltaY:
        FPointer1Orientation = FPointer2Orientation = ioHorizontal;
        FPointer1Show = FPointer2Show = true;
        FHintOrientation = ioHorizontal;
        break;
    }
    if (XYAxesReversed()) {
        auto flip = [](TcOrientation o) { return o == ioVertical ? ioHorizontal : ioVertical; };
        FPointer1Orientation = flip(FPointer1Orientation);
        FPointer2Orientation = flip(FPointer2Orientation);
        FHintOrientation = flip(FHintOrientation);
    }
}

TcPlotChannelCustom* TcPlotDataCursor::GetChannel()
{
    if (FChannel)
        return FChannel;
    if (!FOwner || FChannelName == kAll || !FOwner->Master().ChannelManager())
        return nullptr;
    FChannel =
        dynamic_cast<TcPlotChannelCustom*>(FOwner->Master().ChannelManager()->GetObjectByName(FChannelName));
    return FChannel;
}

void TcPlotDataCursor::RecalcValues()
{
    FireEvent(TcPlotEventKind::BeforeDataCursorUpdate);
    if (FChannelName == kAll) {
        auto* channels = FOwner ? FOwner->Master().ChannelManager() : nullptr;
        for (int i = 0; channels && i < channels->Count(); ++i)
            channels->GetItem(i)->CalcDataCursorValues(this);
    } else if (TcPlotChannelCustom* c = GetChannel()) {
        c->CalcDataCursorValues(this);
    }
}

void TcPlotDataCursor::SetValues(double X, double Y, int Status)
{
    if (X == FValueX && Y == FValueY && Status == FStatus)
        return;
    FValueX = X;
    FValueY = Y;
    FStatus = Status;
    FireEvent(TcPlotEventKind::DataCursorChange);
}

void TcPlotDataCursor::SetVisible(bool Value)
{
    TcPlotObject::SetVisible(Value);
    if (Value)
        RecalcValues();
}

void TcPlotDataCursor::SetXYAxesReverse(bool Value)
{
    TcPlotObject::SetXYAxesReverse(Value);
    UpdatePointerStyle();
}

void TcPlotDataCursor::NotificationRemove(TcPlotObject* AObject)
{
    if (AObject == FChannel)
        FChannel = nullptr;
    if (AObject == FDataView)
        FDataView = nullptr;
}

void TcPlotDataCursor::NotificationRename(TcPlotObject* AObject)
{
    if (AObject && AObject == FChannel)
        FChannelName = AObject->Name();
}

void TcPlotDataCursor::NotificationSetFocus(TcPlotObject* AObject)
{
    // The cursor selects its own channel when it gains the focus: that keeps the cursor selected.
    if (AObject == this || !AObject->UserSelected() || AObject == GetChannel())
        return;
    if (dynamic_cast<TcPlotChannelCustom*>(AObject) && UserSelected()) {
        SetChannelName(AObject->Name());
        return;
    }
    SetUserSelected(false);
}

void TcPlotDataCursor::DoGotFocus()
{
    TcPlotObject::DoGotFocus();
    if (TcPlotChannelCustom* c = GetChannel())
        c->SetUserSelected(true);
}

TColor TcPlotDataCursor::LineColor()
{
    TcPlotChannelCustom* c = GetChannel();
    return FUseChannelColor && c ? c->Color() : FColor;
}

void TcPlotDataCursor::DrawPointer(TCanvas& Canvas, TcOrientation Orientation, double Position,
                                   TRect& HitRect)
{
    const TRect R = FDataView->DrawRect();
    if (Orientation == ioVertical) {
        const int x = FDataView->PositionPercentToPixelsX(Position);
        Canvas.MoveTo(x, R.Top);
        Canvas.LineTo(x, R.Bottom);
        HitRect = {x - 5, R.Top, x + 6, R.Bottom};
    } else {
        const int y = FDataView->PositionPercentToPixelsY(Position);
        Canvas.MoveTo(R.Left, y);
        Canvas.LineTo(R.Right, y);
        HitRect = {R.Left, y - 5, R.Right, y + 6};
    }
}

void TcPlotDataCursor::Draw(TCanvas& Canvas, TColor)
{
    if (!FDataView || !Visible())
        return;
    RecalcValues();
    const TColor color = LineColor();
    Canvas.Pen.Color = color;
    Canvas.Pen.Width = 0;
    Canvas.Pen.Style = psSolid;
    if (FPointer1Show) {
        Canvas.Pen.Width = FMouseDownPointer1 ? 0 : FPointerPenWidth;
        DrawPointer(Canvas, FPointer1Orientation, FPointer1Position, FPointer1Rect);
    }
    if (FPointer2Show) {
        Canvas.Pen.Width = FMouseDownPointer2 ? 0 : FPointerPenWidth;
        DrawPointer(Canvas, FPointer2Orientation, FPointer2Position, FPointer2Rect);
    }
    const bool dragging = FMouseDownHint || FMouseDownPointer1 || FMouseDownPointer2;
    FHintShowing = FHintShow && FChannelName != kAll && !(FHintHideOnRelease && !dragging);
    if (FHintShowing)
        DrawHint(Canvas, color);
}

TRect TcPlotDataCursor::PlaceHintBox(int TW, int TH, int AW)
{
    const TRect DV = FDataView->DrawRect();
    const TRect& P1 = FPointer1Rect;
    const TRect& P2 = FPointer2Rect;
    const TRect& centreRect = FPointer1Show ? P1 : P2;
    const bool delta = IsDeltaStyle();
    TRect box;
    if (FHintOrientation == ioVertical) {
        const int k = (centreRect.Left + centreRect.Right) / 2;
        if (k + AW + TW + 5 > DV.Right)
            FHintOrientationSide = iosTopLeft;
        if (k - AW - TW - 5 < DV.Left)
            FHintOrientationSide = iosBottomRight;
        const int e = FDataView->PositionPercentToPixelsY(FHintPosition);
        if (delta) {
            const int cx = (P1.Left + P1.Right + P2.Left + P2.Right) / 4;
            box = {cx - FHintWidth / 2, e - FHintHeight / 2, cx + FHintWidth / 2, e + FHintHeight / 2};
        } else if (FHintOrientationSide == iosBottomRight) {
            box = {k + 5, e - FHintHeight / 2, k + TW + AW + 5, e + FHintHeight / 2};
        } else {
            box = {k - TW - AW - 5, e - FHintHeight / 2, k - 5, e + FHintHeight / 2};
        }
    } else {
        const int k = (centreRect.Top + centreRect.Bottom) / 2;
        if (k + AW + TH > DV.Bottom)
            FHintOrientationSide = iosTopLeft;
        if (k - AW - TH < DV.Top)
            FHintOrientationSide = iosBottomRight;
        const int e = FDataView->PositionPercentToPixelsX(FHintPosition);
        if (delta) {
            const int cy = (P1.Top + P1.Bottom + P2.Top + P2.Bottom) / 4;
            box = {e - FHintWidth / 2, cy - FHintHeight / 2, e + FHintWidth / 2, cy + FHintHeight / 2};
        } else if (FHintOrientationSide == iosBottomRight) {
            box = {e - FHintWidth / 2, k + 5, e + FHintWidth / 2, k + FHintHeight + 5};
        } else {
            box = {e - FHintWidth / 2, k - FHintHeight - 5, e + FHintWidth / 2, k - 5};
        }
    }
    auto shift = [&](int dx, int dy) {
        box.Left += dx;
        box.Right += dx;
        box.Top += dy;
        box.Bottom += dy;
    };
    if (box.Left < DV.Left)
        shift(DV.Left - box.Left, 0);
    if (box.Right > DV.Right)
        shift(DV.Right - box.Right, 0);
    if (box.Top < DV.Top)
        shift(0, DV.Top - box.Top);
    if (box.Bottom > DV.Bottom)
        shift(0, DV.Bottom - box.Bottom);
    return box;
}

void TcPlotDataCursor::DrawDeltaLine(TCanvas& Canvas, const TRect& box, TColor PenColor)
{
    const TRect& P1 = FPointer1Rect;
    const TRect& P2 = FPointer2Rect;
    Canvas.Pen.Color = PenColor;
    Canvas.Pen.Style = psDot;
    Canvas.Pen.Width = 0;
    Canvas.Brush.Style = bsClear;
    if (FHintOrientation == ioVertical) {
        const int my = (box.Top + box.Bottom) / 2;
        Canvas.MoveTo((P1.Left + P1.Right) / 2, my);
        Canvas.LineTo((P2.Left + P2.Right) / 2, my);
    } else {
        const int mx = (box.Left + box.Right) / 2;
        Canvas.MoveTo(mx, (P1.Top + P1.Bottom) / 2);
        Canvas.LineTo(mx, (P2.Top + P2.Bottom) / 2);
    }
}

void TcPlotDataCursor::DrawHint(TCanvas& Canvas, TColor PenColor)
{
    TcPlotChannelCustom* channel = GetChannel();
    QString text = channel ? FCursorDisplayText : TranslateText(QStringLiteral("No Channel"));
    if (FOwner) {
        TcPlotEvent e{TcPlotEventKind::DataCursorCustomizeHint, this, KindIndex()};
        e.Text = &text;
        FOwner->DoPlotEvent(e);
    }
    Canvas.Font.Assign(FFont);
    const int TW = GetMaxLineWidth(Canvas, text);
    TRect calc{0, 0, TW, 0};
    const int TH = DrawTextInRect(Canvas, text, calc, DT_WORDBREAK | DT_CALCRECT, true, clBlack);
    const int AW = Canvas.TextWidth(QStringLiteral("A"));
    FHintHeight = AW / 2 + TH;
    FHintWidth = TW + AW;
    const TRect box = PlaceHintBox(TW, TH, AW);
    FHintRect = box;
    if (IsDeltaStyle())
        DrawDeltaLine(Canvas, box, PenColor);
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 0;
    Canvas.Pen.Color = FUseChannelColor && channel ? channel->Color() : clBlack;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = clInfoBk;
    Canvas.Font.SetColor(clInfoText);
    Canvas.Rectangle(box);
    TRect textRect{box.Left + 2, box.Top + 1, box.Right, box.Bottom};
    Canvas.Brush.Style = bsClear;
    DrawTextInRect(Canvas, text, textRect, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX, true, clInfoBk);
    Canvas.Rectangle(box);
    if (UserSelected()) {
        Canvas.Font.SetColor(clWhite);
        DrawFocusRectangle(Canvas, {box.Left - 2, box.Top - 2, box.Right + 2, box.Bottom + 2});
    }
}

bool TcPlotDataCursor::iHitTest(const TcPlotMouseData& M)
{
    if (!FDataView)
        return false;
    const TPoint p{M.X, M.Y};
    return (FPointer1Show && FPointer1Rect.Contains(p)) || (FPointer2Show && FPointer2Rect.Contains(p)) ||
           (FHintShowing && FHintRect.Contains(p));
}

void TcPlotDataCursor::DoMouseLeft(const TcPlotMouseData& M)
{
    FMouseDownX = M.X;
    FMouseDownY = M.Y;
    if (!FDataView)
        return;
    const TPoint p{M.X, M.Y};
    if (FHintShowing && FHintRect.Contains(p)) {
        FMouseDownXPixels = FDataView->PositionPercentToPixelsX(FHintPosition);
        FMouseDownYPixels = FDataView->PositionPercentToPixelsY(FHintPosition);
        FMouseDownHint = true;
        DoInvalidateNow();
    } else if (FPointer1Show && FPointer1Rect.Contains(p)) {
        FMouseDownXPixels = FDataView->PositionPercentToPixelsX(FPointer1Position);
        FMouseDownYPixels = FDataView->PositionPercentToPixelsY(FPointer1Position);
        FMouseDownPointer1 = true;
        DoInvalidateNow();
        RecalcValues();
    } else if (FPointer2Show && FPointer2Rect.Contains(p)) {
        FMouseDownXPixels = FDataView->PositionPercentToPixelsX(FPointer2Position);
        FMouseDownYPixels = FDataView->PositionPercentToPixelsY(FPointer2Position);
        FMouseDownPointer2 = true;
        DoInvalidateNow();
        RecalcValues();
    }
}

void TcPlotDataCursor::DoMouseMove(const TcPlotMouseData& M)
{
    if (!FDataView)
        return;
    auto along = [&](bool horizontalMove) {
        return Clamp100(horizontalMove
                            ? FDataView->PixelsXToPositionPercent(FMouseDownXPixels + M.X - FMouseDownX)
                            : FDataView->PixelsYToPositionPercent(FMouseDownYPixels + M.Y - FMouseDownY));
    };
    if (FMouseDownHint)
        FHintPosition = along(FHintOrientation == ioHorizontal);
    else if (FMouseDownPointer1)
        FPointer1Position = along(FPointer1Orientation == ioVertical);
    else if (FMouseDownPointer2)
        FPointer2Position = along(FPointer2Orientation == ioVertical);
    else
        return;
    RecalcValues();
    DoInvalidateNow();
}

void TcPlotDataCursor::DoMouseUp(const TcPlotMouseData& M)
{
    if (!FMouseDownHint && !FMouseDownPointer1 && !FMouseDownPointer2)
        return;
    if (FMouseDownPointer1)
        SnapPointer(1);
    else if (FMouseDownPointer2)
        SnapPointer(2);
    FMouseDownHint = FMouseDownPointer1 = FMouseDownPointer2 = false;
    DoInvalidateNow();
    if (FMouseDown && iHitTest(M))
        FireEvent(M.DblClickActive ? TcPlotEventKind::DblClick : TcPlotEventKind::Click);
}

namespace
{
enum : Word { PgUp = 33, PgDn = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40 };

// Page Up and Down move a pointer five steps, End and Home to the ends; false for another key.
bool PageKey(Word Key, double step, double& position)
{
    switch (Key) {
    case PgUp:
        position += 5 * step;
        return true;
    case PgDn:
        position -= 5 * step;
        return true;
    case End:
        position = 100;
        return true;
    case Home:
        position = 0;
        return true;
    default:
        return false;
    }
}
} // namespace

bool TcPlotDataCursor::MovePointer2ByKey(Word Key, double px, double py)
{
    if (PageKey(Key, FPointer2Orientation == ioVertical ? px : py, FPointer2Position))
        return true;
    switch (Key) {
    case Left:
        if (FPointer2Orientation == ioVertical)
            FPointer2Position -= px;
        return true;
    case Right:
        if (FPointer2Orientation == ioVertical)
            FPointer2Position += px;
        return true;
    case Up:
        if (FPointer2Orientation == ioHorizontal)
            FPointer2Position += py;
        return true;
    case Down:
        if (FPointer2Orientation == ioHorizontal)
            FPointer2Position -= py;
        return true;
    default:
        return false;
    }
}

bool TcPlotDataCursor::MovePointer1ByKey(Word Key, double px, double py)
{
    if (PageKey(Key, FPointer1Orientation == ioVertical ? px : py, FPointer1Position))
        return true;
    switch (Key) {
    case Left:
    case Right: {
        const double d = Key == Left ? -px : px;
        if (FHintShowing && FHintOrientation == ioHorizontal)
            FHintPosition += d;
        if (FPointer1Show && FPointer1Orientation == ioVertical)
            FPointer1Position += d;
        return true;
    }
    case Up:
    case Down: {
        const double d = Key == Up ? py : -py;
        if (FHintShowing && FHintOrientation == ioVertical)
            FHintPosition += d;
        if (FPointer1Show && FPointer1Orientation == ioHorizontal)
            FPointer1Position += d;
        return true;
    }
    default:
        return false;
    }
}

void TcPlotDataCursor::iKeyDown(Word& Key, TShiftState Shift, TcPopupMenu* Menu)
{
    TcPlotObject::iKeyDown(Key, Shift, Menu);
    if (!FDataView)
        return;
    const double px =
        std::fabs(FDataView->PixelsXToPositionPercent(101) - FDataView->PixelsXToPositionPercent(100));
    const double py =
        std::fabs(FDataView->PixelsYToPositionPercent(101) - FDataView->PixelsYToPositionPercent(100));
    if (FSnapToDataPoint && FOwner && FOwner->IsStripChart()) {
        if (SnapKeyDown(Key, Shift))
            DoInvalidateNow();
        return;
    }
    bool handled;
    if (Shift & ssCtrl) {
        if (!FPointer2Show)
            return;
        handled = MovePointer2ByKey(Key, px, py);
    } else {
        handled = MovePointer1ByKey(Key, px, py);
    }
    if (!handled)
        return;
    FHintPosition = Clamp100(FHintPosition);
    FPointer1Position = Clamp100(FPointer1Position);
    FPointer2Position = Clamp100(FPointer2Position);
    DoInvalidateNow();
}

void TcPlotDataCursor::FillPopupMenu(TcPopupMenu& Menu)
{
    TcPlotObject::FillPopupMenu(Menu);
    auto item = [this](const QString& caption, bool checked, std::function<void()> click) {
        TcMenuItem i;
        i.Caption = TranslateText(caption);
        i.Checked = checked;
        i.OnClick = std::move(click);
        return i;
    };
    auto* channels = FOwner ? FOwner->Master().ChannelManager() : nullptr;

    TcMenuItem channel = item(QStringLiteral("Channel"), false, nullptr);
    if (FChannelAllowAll)
        channel.Items.push_back(item(kAll, FChannelName == kAll, [this, channels] {
            SetChannelName(kAll);
            for (int i = 0; channels && i < channels->Count(); ++i)
                channels->GetItem(i)->SetUserSelected(false);
        }));
    for (int i = 0; channels && i < channels->Count(); ++i) {
        TcPlotChannelCustom* c = channels->GetItem(i);
        if (!c->Visible())
            continue;
        QString title = c->TitleText();
        title.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
        const QString name = c->Name();
        channel.Items.push_back(item(title, name == FChannelName, [this, name, channels] {
            SetChannelName(name);
            if (auto* chosen = channels ? channels->GetObjectByName(name) : nullptr)
                chosen->SetUserSelected(true);
            DoSnapToDataPoint();
        }));
    }
    Menu.Items.push_back(std::move(channel));

    TcMenuItem style = item(QStringLiteral("Style"), false, nullptr);
    for (int s = ipcsValueXY; s <= ipcsInverseDeltaX; ++s) {
        const auto value = TcPlotDataCursorStyle(s);
        TcMenuItem i = item(FMenuItemCaption[s], FStyle == value, [this, value] { SetStyle(value); });
        i.Visible = FMenuItemVisible[s];
        style.Items.push_back(std::move(i));
    }
    Menu.Items.push_back(std::move(style));

    if (FMenuUserCanChangeOptions) {
        // The options repaint at once, without a change notice.
        TcMenuItem options = item(QStringLiteral("Options"), false, nullptr);
        options.Items.push_back(item(QStringLiteral("Use Channel Color"), FUseChannelColor, [this] {
            FUseChannelColor = !FUseChannelColor;
            DoInvalidateNow();
        }));
        options.Items.push_back(item(QStringLiteral("Hide Hint On Release"), FHintHideOnRelease, [this] {
            FHintHideOnRelease = !FHintHideOnRelease;
            DoInvalidateNow();
        }));
        TcMenuItem flip = item(QStringLiteral("Flip Alignment"), false, [this] {
            FHintOrientationSide = FHintOrientationSide == iosBottomRight ? iosTopLeft : iosBottomRight;
            DoInvalidateNow();
        });
        flip.Enabled = FStyle <= ipcsValueY && FChannelName.compare(kAll, Qt::CaseInsensitive) != 0;
        options.Items.push_back(std::move(flip));
        Menu.Items.push_back(std::move(options));
    }
    if (!(FOwner && FOwner->IsXYPlot()))
        Menu.Items.push_back(item(QStringLiteral("Snap to Data-Point"), FSnapToDataPoint, [this] {
            FSnapToDataPoint = !FSnapToDataPoint;
            DoSnapToDataPoint();
        }));
    AddEditMenuItem(Menu);
}

// Snapping to data points (strip charts only).

namespace
{

// The point of Channel nearest to X along X; -1 for an empty channel.
int FindNearestIndex(TcPlotChannel& Channel, double X, double& Distance)
{
    Distance = 1e300;
    const int n = Channel.Count();
    if (n == 0)
        return -1;
    int result;
    if (X >= Channel.GetPointX(n - 1)) {
        result = n - 1;
    } else if (X <= Channel.GetPointX(0)) {
        result = 0;
    } else {
        result = Channel.CalcIndex(X);
        if (result < 0)
            return -1;
        for (int k : {result - 1, result + 1})
            if (k >= 0 && k < n &&
                std::fabs(X - Channel.GetPointX(k)) < std::fabs(X - Channel.GetPointX(result)))
                result = k;
    }
    Distance = std::fabs(X - Channel.GetPointX(result));
    return result;
}

} // namespace

void TcPlotDataCursor::DoSnapToDataPoint()
{
    SnapPointer(1);
    SnapPointer(2);
}

void TcPlotDataCursor::SnapPointer(int Pointer)
{
    if (!FSnapToDataPoint || !FOwner || !FOwner->IsStripChart() || FStyle == ipcsDeltaY)
        return;
    const double P = Pointer == 1 ? FPointer1Position : FPointer2Position;
    TcPlotChannelManager* channels = FOwner->Master().ChannelManager();
    FSnapToIndexChannel = FSnapToIndexData = -1;
    double best = 1e300;
    for (int i = 0; channels && i < channels->Count(); ++i) {
        auto* c = dynamic_cast<TcPlotChannel*>(channels->GetItem(i));
        const bool all = FChannelName == kAll;
        if (!c || !c->GetXAxis() || (!all && c != GetChannel()))
            continue;
        double distance;
        const int index = FindNearestIndex(*c, c->GetXAxis()->PercentToPosition(P / 100), distance);
        // The lower channel index wins a tie.
        if (!all || (index >= 0 && distance < best)) {
            best = distance;
            FSnapToIndexChannel = i;
            FSnapToIndexData = index;
        }
    }
    MovePointerToIndex(FSnapToIndexChannel, FSnapToIndexData, Pointer, 0);
}

void TcPlotDataCursor::MovePointerToIndex(int ChannelIndex, int DataIndex, int Pointer, int Step)
{
    TcPlotChannelManager* channels =
        FOwner && FOwner->IsStripChart() ? FOwner->Master().ChannelManager() : nullptr;
    if (!channels || ChannelIndex < 0 || ChannelIndex >= channels->Count())
        return;
    auto* c = dynamic_cast<TcPlotChannel*>(channels->GetItem(ChannelIndex));
    TcPlotAxis* xa = c ? c->GetXAxis() : nullptr;
    if (!xa || c->Count() == 0)
        return;
    const int index = std::clamp(xa->ReverseScale() ? DataIndex - Step : DataIndex + Step, 0, c->Count() - 1);
    const double X = c->GetPointX(index);
    // The axis scrolls to show the point, 1/40 of its span inside the edge.
    if (X > xa->Max())
        xa->SetMin(X - xa->Span() + xa->Span() / 40);
    else if (X < xa->Min())
        xa->SetMin(X - xa->Span() / 40);
    const double position = xa->PositionToPercent(X) * 100;
    if (Pointer == 1)
        SetPointer1Position(position);
    else
        SetPointer2Position(position);
}

void TcPlotDataCursor::MoveHint(bool Up)
{
    if (!FDataView)
        return;
    const double px =
        std::fabs(FDataView->PixelsXToPositionPercent(101) - FDataView->PixelsXToPositionPercent(100));
    const double py =
        std::fabs(FDataView->PixelsYToPositionPercent(101) - FDataView->PixelsYToPositionPercent(100));
    const double d = FHintOrientation == ioHorizontal ? px : py;
    FHintPosition = Clamp100(FHintPosition + (Up ? d : -d));
    DoInvalidateNow();
}

bool TcPlotDataCursor::SnapKeyDown(Word Key, TShiftState Shift)
{
    int pointer = 1;
    if (Shift & ssCtrl) {
        if (!FPointer2Show)
            return false;
        pointer = 2;
    }
    if (Key < PgUp || Key > Down)
        return false;
    SnapPointer(pointer);
    const int ci = FSnapToIndexChannel, di = FSnapToIndexData;
    const bool swapped = XYAxesReversed();
    auto step = [&](int n) { MovePointerToIndex(ci, di, pointer, n); };
    switch (Key) {
    case PgUp:
        step(5);
        break;
    case PgDn:
        step(-5);
        break;
    case End: {
        auto* channels = FOwner->Master().ChannelManager();
        if (ci >= 0 && channels && ci < channels->Count())
            MovePointerToIndex(ci, channels->GetItem(ci)->Count() - 1, pointer, 0);
        break;
    }
    case Home:
        MovePointerToIndex(ci, 0, pointer, 0);
        break;
    case Left:
    case Right:
        if (swapped)
            MoveHint(Key == Right);
        else
            step(Key == Left ? -1 : 1);
        break;
    case Up:
    case Down:
        if (swapped)
            step(Key == Up ? 1 : -1);
        else
            MoveHint(Key == Up);
        break;
    }
    return true;
}

} // namespace chart
