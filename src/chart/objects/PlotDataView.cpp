#include "chart/objects/PlotDataView.h"

#include "chart/core/ChartMath.h"
#include "chart/objects/MasterManager.h"
#include "chart/objects/PlotToolBar.h"

#include <cmath>
#include <cstdlib>

namespace chart
{

using namespace fw;

namespace
{

bool IsAllAxes(const QString& name)
{
    return name.toUpper() == QStringLiteral("<ALL>");
}

} // namespace

const TPropertyTable& TcPlotDataView::PropertyTable() const
{
    using D = TcPlotDataView;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotLayoutObject::ClassTable());
        const QStringList styles = {"ipglsSolid", "ipglsDash", "ipglsDot"};
        const QStringList axesStyles = {"ipacsXAxis", "ipacsYAxis", "ipacsBoth", "ipacsNone"};
        t.String("Title", &D::Title, &D::SetTitle, QString());
        t.Boolean("BackgroundTransparent", &D::BackgroundTransparent, &D::SetBackgroundTransparent, true);
        t.Ordinal("BackgroundColor", "TColor", &D::BackgroundColor, &D::SetBackgroundColor, 0x808000);
        t.String("GridXAxisName", &D::GridXAxisName, &D::SetGridXAxisName, QString());
        t.String("GridYAxisName", &D::GridYAxisName, &D::SetGridYAxisName, QString());
        t.Boolean("GridShow", &D::GridShow, &D::SetGridShow, true);
        t.Ordinal("GridLineColor", "TColor", &D::GridLineColor, &D::SetGridLineColor, 0x008000);
        t.Boolean("GridLineShowLeft", &D::GridLineShowLeft, &D::SetGridLineShowLeft, true);
        t.Boolean("GridLineShowRight", &D::GridLineShowRight, &D::SetGridLineShowRight, true);
        t.Boolean("GridLineShowTop", &D::GridLineShowTop, &D::SetGridLineShowTop, true);
        t.Boolean("GridLineShowBottom", &D::GridLineShowBottom, &D::SetGridLineShowBottom, true);
        t.Boolean("GridLineShowXMajors", &D::GridLineShowXMajors, &D::SetGridLineShowXMajors, true);
        t.Boolean("GridLineShowXMinors", &D::GridLineShowXMinors, &D::SetGridLineShowXMinors, false);
        t.Boolean("GridLineShowYMajors", &D::GridLineShowYMajors, &D::SetGridLineShowYMajors, true);
        t.Boolean("GridLineShowYMinors", &D::GridLineShowYMinors, &D::SetGridLineShowYMinors, false);
        t.Enum("GridLineMajorStyle", "TcPlotGridLineStyle", &D::GridLineMajorStyle, &D::SetGridLineMajorStyle,
               ipglsSolid, styles);
        t.Enum("GridLineMinorStyle", "TcPlotGridLineStyle", &D::GridLineMinorStyle, &D::SetGridLineMinorStyle,
               ipglsSolid, styles);
        t.Boolean("GridLineXMajorCustom", &D::GridLineCustom<D::XMajor>, &D::SetGridLineCustom<D::XMajor>,
                  false);
        t.Boolean("GridLineXMinorCustom", &D::GridLineCustom<D::XMinor>, &D::SetGridLineCustom<D::XMinor>,
                  false);
        t.Boolean("GridLineYMajorCustom", &D::GridLineCustom<D::YMajor>, &D::SetGridLineCustom<D::YMajor>,
                  false);
        t.Boolean("GridLineYMinorCustom", &D::GridLineCustom<D::YMinor>, &D::SetGridLineCustom<D::YMinor>,
                  false);
        t.Ordinal("GridLineXMajorColor", "TColor", &D::GridLineColorOf<D::XMajor>,
                  &D::SetGridLineColorOf<D::XMajor>, 0x008000);
        t.Ordinal("GridLineXMinorColor", "TColor", &D::GridLineColorOf<D::XMinor>,
                  &D::SetGridLineColorOf<D::XMinor>, 0x008000);
        t.Ordinal("GridLineYMajorColor", "TColor", &D::GridLineColorOf<D::YMajor>,
                  &D::SetGridLineColorOf<D::YMajor>, 0x008000);
        t.Ordinal("GridLineYMinorColor", "TColor", &D::GridLineColorOf<D::YMinor>,
                  &D::SetGridLineColorOf<D::YMinor>, 0x008000);
        t.Ordinal("GridLineXMajorWidth", "Integer", &D::GridLineWidth<D::XMajor>,
                  &D::SetGridLineWidth<D::XMajor>, 0);
        t.Ordinal("GridLineXMinorWidth", "Integer", &D::GridLineWidth<D::XMinor>,
                  &D::SetGridLineWidth<D::XMinor>, 0);
        t.Ordinal("GridLineYMajorWidth", "Integer", &D::GridLineWidth<D::YMajor>,
                  &D::SetGridLineWidth<D::YMajor>, 0);
        t.Ordinal("GridLineYMinorWidth", "Integer", &D::GridLineWidth<D::YMinor>,
                  &D::SetGridLineWidth<D::YMinor>, 0);
        t.Enum("GridLineXMajorStyle", "TcPlotGridLineStyle", &D::GridLineStyle<D::XMajor>,
               &D::SetGridLineStyle<D::XMajor>, ipglsSolid, styles);
        t.Enum("GridLineXMinorStyle", "TcPlotGridLineStyle", &D::GridLineStyle<D::XMinor>,
               &D::SetGridLineStyle<D::XMinor>, ipglsSolid, styles);
        t.Enum("GridLineYMajorStyle", "TcPlotGridLineStyle", &D::GridLineStyle<D::YMajor>,
               &D::SetGridLineStyle<D::YMajor>, ipglsSolid, styles);
        t.Enum("GridLineYMinorStyle", "TcPlotGridLineStyle", &D::GridLineStyle<D::YMinor>,
               &D::SetGridLineStyle<D::YMinor>, ipglsSolid, styles);
        t.Boolean("AxesControlEnabled", &D::AxesControlEnabled, &D::SetAxesControlEnabled, false);
        t.Enum("AxesControlMouseStyle", "TcPlotAxesControlStyle", &D::AxesControlMouseStyle,
               &D::SetAxesControlMouseStyle, ipacsBoth, axesStyles);
        t.Enum("AxesControlWheelStyle", "TcPlotAxesControlStyle", &D::AxesControlWheelStyle,
               &D::SetAxesControlWheelStyle, ipacsXAxis, axesStyles);
        t.Boolean("AxesControlAllowInSelectMode", &D::AxesControlAllowInSelectMode,
                  &D::SetAxesControlAllowInSelectMode, false);
        return t;
    }();
    return table;
}

TcPlotDataView::TcPlotDataView(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotLayoutObject(AOwner, handlers)
{
}

void TcPlotDataView::SetGridXAxisName(const QString& v)
{
    if (v == FGridXAxisName)
        return;
    FGridXAxisName = v;
    FXAxis = nullptr;
    DoChange();
}

void TcPlotDataView::SetGridYAxisName(const QString& v)
{
    if (v == FGridYAxisName)
        return;
    FGridYAxisName = v;
    FYAxis = nullptr;
    DoChange();
}

void TcPlotDataView::SetGridLineMajorStyle(TcPlotGridLineStyle v)
{
    if (v != FMajorStyle) {
        FMajorStyle = v;
        DoChange();
    }
}

void TcPlotDataView::SetGridLineMinorStyle(TcPlotGridLineStyle v)
{
    if (v != FMinorStyle) {
        FMinorStyle = v;
        DoChange();
    }
}

void TcPlotDataView::SetGridLine(LineKind k, const LineSettings& v)
{
    LineSettings& l = FLines[k];
    if (l.Custom == v.Custom && l.Color == v.Color && l.Width == v.Width && l.Style == v.Style)
        return;
    l = v;
    DoChange();
}

double TcPlotDataView::PixelsXToPositionPercent(int X) const
{
    const int w = Width();
    return w == 0 ? 0 : double(X - FLeft) / w * 100;
}

double TcPlotDataView::PixelsYToPositionPercent(int Y) const
{
    const int h = Height();
    return h == 0 ? 0 : (1 - double(Y - FTop) / h) * 100;
}

int TcPlotDataView::PositionPercentToPixelsX(double Percent) const
{
    return int(RoundHalfEven(Width() * Percent / 100 + FLeft));
}

int TcPlotDataView::PositionPercentToPixelsY(double Percent) const
{
    return int(RoundHalfEven(Height() * (100 - Percent) / 100 + FTop));
}

TcPlotDataViewMouseMode TcPlotDataView::MouseMode() const
{
    // A chart whose toolbars were removed has no mode source: the view then acts as without buttons.
    TcPlotToolBar* bar = nullptr;
    if (FOwner) {
        auto* m = FOwner->Master().ToolBarManager();
        if (m && m->Count() > 0)
            bar = m->GetItem(0);
    }
    if (bar && bar->SelectActive() && !FAxesControlAllowInSelectMode)
        return ipdvmmSelect;
    if (bar && bar->ZoomBoxActive())
        return ipdvmmZoomBox;
    if (FAxesControlEnabled)
        return ipdvmmAxesControl;
    return ipdvmmNone;
}

TcPlotAxis* TcPlotDataView::GridAxis(bool x)
{
    TcPlotAxis*& cache = x ? FXAxis : FYAxis;
    if (!cache && FOwner)
        cache = x ? FOwner->GetXAxisByName(FGridXAxisName) : FOwner->GetYAxisByName(FGridYAxisName);
    return cache;
}

void TcPlotDataView::DrawBackground(TCanvas& Canvas)
{
    if (FBackgroundTransparent)
        return;
    Canvas.Brush.Style = bsSolid;
    Canvas.Brush.Color = FBackgroundColor;
    Canvas.FillRect(DrawRect());
}

void TcPlotDataView::DrawGrid(TCanvas& Canvas, bool x, TColor)
{
    const LineSettings& major = FLines[x ? XMajor : YMajor];
    const LineSettings& minor = FLines[x ? XMinor : YMinor];
    const TColor majorColor = major.Custom ? major.Color : FGridLineColor;
    const int majorWidth = major.Custom ? major.Width : 0;
    const TcPlotGridLineStyle majorStyle = major.Custom ? major.Style : FMajorStyle;
    const TColor minorColor = minor.Custom ? minor.Color : FGridLineColor;
    const int minorWidth = minor.Custom ? minor.Width : 0;
    const TcPlotGridLineStyle minorStyle = minor.Custom ? minor.Style : FMinorStyle;
    const bool showMajors = x ? FShowXMajors : FShowYMajors;
    const bool showMinors = x ? FShowXMinors : FShowYMinors;
    auto draw = [&](TcPlotAxis* a) {
        a->DrawGridLines(Canvas, DrawRect(), minorWidth, majorWidth, minorColor, majorColor, minorStyle,
                         majorStyle, showMinors, showMajors);
    };
    if (IsAllAxes(x ? FGridXAxisName : FGridYAxisName)) {
        if (!FOwner)
            return;
        auto* m = x ? static_cast<TcPlotObjectManagerCustom*>(FOwner->Master().XAxisManager())
                    : static_cast<TcPlotObjectManagerCustom*>(FOwner->Master().YAxisManager());
        for (int i = 0; m && i < m->Count(); ++i)
            draw(static_cast<TcPlotAxis*>(m->Item(i)));
    } else if (TcPlotAxis* a = GridAxis(x)) {
        draw(a);
    }
}

void TcPlotDataView::DrawFrame(TCanvas& Canvas, TColor Color)
{
    Canvas.Pen.Color = Color;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 0;
    if (FShowSide[0]) {
        Canvas.MoveTo(FLeft, FTop);
        Canvas.LineTo(FLeft, FBottom);
    }
    if (FShowSide[1]) {
        Canvas.MoveTo(FRight, FTop);
        Canvas.LineTo(FRight, FBottom);
    }
    if (FShowSide[2]) {
        Canvas.MoveTo(FLeft, FTop);
        Canvas.LineTo(FRight, FTop);
    }
    if (FShowSide[3]) {
        Canvas.MoveTo(FLeft, FBottom);
        Canvas.LineTo(FRight + 1, FBottom);
    }
}

void TcPlotDataView::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    if (FGridShow) {
        // The gaps of dashed lines show the chart's background.
        Canvas.Brush.Color = BackGroundColor;
        DrawGrid(Canvas, true, BackGroundColor);
        DrawGrid(Canvas, false, BackGroundColor);
        DrawFrame(Canvas, FGridLineColor);
    }
    if (UserSelected()) {
        DrawFrame(Canvas, BackGroundColor);
        Canvas.Font.SetColor(clWhite);
        DrawFocusRectangle(Canvas, {FLeft, FTop, FRight + 1, FBottom + 1});
    }
}

void TcPlotDataView::DrawZoomBox(TCanvas& Canvas)
{
    if (!FZoomBoxActive)
        return;
    DrawFocusRectangle(Canvas, RectFromCorners(FMouseDownX, FMouseDownY, FMouseMoveX, FMouseMoveY));
}

void TcPlotDataView::NotificationRemove(TcPlotObject* AObject)
{
    if (AObject == FXAxis)
        FXAxis = nullptr;
    if (AObject == FYAxis)
        FYAxis = nullptr;
    if (AObject == FMouseOverObject)
        FMouseOverObject = nullptr;
}

void TcPlotDataView::NotificationRename(TcPlotObject* AObject)
{
    if (AObject && AObject == FXAxis)
        FGridXAxisName = AObject->Name();
    if (AObject && AObject == FYAxis)
        FGridYAxisName = AObject->Name();
}

void TcPlotDataView::NotificationSetFocus(TcPlotObject* AObject)
{
    if (AObject != this && AObject->UserSelected())
        SetUserSelected(false);
}

int TcPlotDataView::GetMouseCursor(TPoint P)
{
    int cursor = TcPlotObject::GetMouseCursor(P);
    if (FMouseOverObject == this) {
        switch (MouseMode()) {
        case ipdvmmZoomBox:
            cursor = -12;
            break;
        case ipdvmmAxesControl:
            cursor = -21;
            break;
        default:
            cursor = 0;
            break;
        }
    }
    return CustomizeMouseCursor(cursor);
}

void TcPlotDataView::ChooseAxes(TcPlotAxesControlStyle Style, TShiftState Shift, bool& x, bool& y) const
{
    const bool shift = Shift & ssShift;
    x = y = false;
    switch (Style) {
    case ipacsXAxis:
        (shift ? y : x) = true;
        break;
    case ipacsYAxis:
        (shift ? x : y) = true;
        break;
    case ipacsBoth:
        x = y = true;
        break;
    case ipacsNone:
        break;
    }
}

void TcPlotDataView::ForEachAxis(bool x, bool y, const std::function<void(TcPlotAxis*)>& f)
{
    if (!FOwner)
        return;
    auto& master = FOwner->Master();
    for (int i = 0; x && master.XAxisManager() && i < master.XAxisManager()->Count(); ++i)
        f(master.XAxisManager()->GetItem(i));
    for (int i = 0; y && master.YAxisManager() && i < master.YAxisManager()->Count(); ++i)
        f(master.YAxisManager()->GetItem(i));
}

void TcPlotDataView::DoMouseLeft(const TcPlotMouseData& M)
{
    FDirectionLock = false;
    FOwnMouseDown = true;
    switch (MouseMode()) {
    case ipdvmmZoomBox:
        if (FOwner)
            FOwner->SetAllTracking(false);
        FMouseDownX = FMouseMoveX = M.X;
        FMouseDownY = FMouseMoveY = M.Y;
        FZoomBoxActive = true;
        DoInvalidateNow();
        break;
    case ipdvmmAxesControl:
        FMouseDownX = M.X;
        FMouseDownY = M.Y;
        ForEachAxis(true, true, [&](TcPlotAxis* a) { a->DoMouseLeft(M); });
        break;
    default:
        break;
    }
}

void TcPlotDataView::DoMouseRight(const TcPlotMouseData& M)
{
    if (MouseMode() != ipdvmmAxesControl)
        return;
    FMouseDownRight = true;
    FMouseDownX = FMouseMoveX = M.X;
    FMouseDownY = FMouseMoveY = M.Y;
}

void TcPlotDataView::DoMouseMove(const TcPlotMouseData& M)
{
    if (!FOwnMouseDown && !FMouseDownRight)
        return;
    if (FZoomBoxActive) {
        if (!M.DblClickActive) {
            FMouseMoveX = M.X;
            FMouseMoveY = M.Y;
        }
        DoInvalidateNow();
        return;
    }
    if (MouseMode() != ipdvmmAxesControl)
        return;
    if (FOwnMouseDown) {
        bool x = false, y = false;
        ChooseAxes(FAxesControlMouseStyle, ShiftState(), x, y);
        if (FAxesControlMouseStyle == ipacsBoth && (ShiftState() & ssShift)) {
            if (!FDirectionLock) {
                if (std::abs(M.X - FMouseDownX) > 3) {
                    FDirectionLock = true;
                    FDirectionLockXAxis = true;
                }
                if (std::abs(M.Y - FMouseDownY) > 3) {
                    FDirectionLock = true;
                    FDirectionLockXAxis = false;
                }
            }
            if (FDirectionLock) {
                x = FDirectionLockXAxis;
                y = !FDirectionLockXAxis;
            }
        } else if (FDirectionLock) {
            x = FDirectionLockXAxis;
            y = !FDirectionLockXAxis;
        }
        ForEachAxis(x, y, [&](TcPlotAxis* a) { a->DoMouseMove(M); });
        return;
    }
    if (std::abs(M.X - FMouseDownX) > 5 || std::abs(M.Y - FMouseDownY) > 5) {
        FMouseMoveX = M.X;
        FMouseMoveY = M.Y;
        FZoomBoxActive = true;
        CancelPopup();
        if (FOwner)
            FOwner->SetAllTracking(false);
        DoInvalidateNow();
    }
}

void TcPlotDataView::ZoomToBox()
{
    bool cancel = false;
    FireEvent(TcPlotEventKind::BeforeZoomBox,
              {double(FMouseDownX), double(FMouseDownY), double(FMouseMoveX), double(FMouseMoveY)}, &cancel);
    if (cancel)
        return;
    const TRect box{FMouseDownX, FMouseDownY, FMouseMoveX, FMouseMoveY};
    ForEachAxis(true, true, [&](TcPlotAxis* a) { a->ZoomToRect(box); });
}

void TcPlotDataView::DoMouseUp(const TcPlotMouseData& M)
{
    if (!FOwnMouseDown && !FMouseDownRight)
        return;
    if (FZoomBoxActive && !M.DblClickActive) {
        if (FMouseDownX < FMouseMoveX && FMouseDownY < FMouseMoveY)
            ZoomToBox();
    } else if (MouseMode() == ipdvmmAxesControl) {
        ForEachAxis(true, true, [&](TcPlotAxis* a) { a->DoMouseUp(M); });
    }
    if (DrawRect().Contains({M.X, M.Y}))
        FireEvent(M.DblClickActive ? TcPlotEventKind::DblClick : TcPlotEventKind::Click);
    FOwnMouseDown = false;
    FMouseDownRight = false;
    FZoomBoxActive = false;
    DoInvalidateNow();
}

bool TcPlotDataView::DoMouseWheel(int WheelDelta, TShiftState Shift, int X, int Y)
{
    if (MouseMode() != ipdvmmAxesControl || FAxesControlWheelStyle == ipacsNone)
        return false;
    bool x = false, y = false;
    ChooseAxes(FAxesControlWheelStyle, Shift, x, y);
    ForEachAxis(x, y, [&](TcPlotAxis* a) { a->DoMouseWheel(WheelDelta, Shift, X, Y); });
    return true;
}

void TcPlotDataView::iKeyDown(Word& Key, TShiftState Shift, TcPopupMenu* Menu)
{
    TcPlotObject::iKeyDown(Key, Shift, Menu);
    if (Key == 27 && FZoomBoxActive) {
        FZoomBoxActive = false;
        FOwnMouseDown = false;
        FMouseDownRight = false;
        DoInvalidateNow();
    }
}

void TcPlotDataView::FillPopupMenu(TcPopupMenu& Menu)
{
    TcPlotObject::FillPopupMenu(Menu);
    AddEditMenuItem(Menu);
}

} // namespace chart
