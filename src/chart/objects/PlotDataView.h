// TcPlotDataView: the plotting area of a chart. It fills its background, draws the grid lines of its
// X and Y axes and the frame, converts between chart pixels and percent of the area, draws the
// rubber band of a zoom box and lets the user scroll and zoom the axes by dragging and by the wheel
// (the mouse mode comes from the chart's toolbar 0). UI thread only.
#pragma once

#include "chart/axes/PlotAxis.h"

namespace chart
{

enum TcPlotAxesControlStyle : std::uint8_t { ipacsXAxis, ipacsYAxis, ipacsBoth, ipacsNone };
// What a press in the data view does: nothing, draw a zoom box, select, or move the axes.
enum TcPlotDataViewMouseMode : std::uint8_t { ipdvmmNone, ipdvmmZoomBox, ipdvmmSelect, ipdvmmAxesControl };

class TcPlotDataView : public TcPlotLayoutObject
{
  public:
    TcPlotDataView(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);

    const QString& Title() const { return FTitle; }
    void SetTitle(const QString& v) { SetStringValue(v, FTitle, &TcPlotObject::DoChange); }
    bool BackgroundTransparent() const { return FBackgroundTransparent; }
    void SetBackgroundTransparent(bool v)
    {
        SetBooleanValue(v, FBackgroundTransparent, &TcPlotObject::DoChange);
    }
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor v) { SetColorValue(v, FBackgroundColor, &TcPlotObject::DoChange); }
    const QString& GridXAxisName() const { return FGridXAxisName; }
    void SetGridXAxisName(const QString& v);
    const QString& GridYAxisName() const { return FGridYAxisName; }
    void SetGridYAxisName(const QString& v);
    bool GridShow() const { return FGridShow; }
    void SetGridShow(bool v) { SetBooleanValue(v, FGridShow, &TcPlotObject::DoChange); }
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor v) { SetColorValue(v, FGridLineColor, &TcPlotObject::DoChange); }
    bool GridLineShowLeft() const { return FShowSide[0]; }
    void SetGridLineShowLeft(bool v) { SetBooleanValue(v, FShowSide[0], &TcPlotObject::DoChange); }
    bool GridLineShowRight() const { return FShowSide[1]; }
    void SetGridLineShowRight(bool v) { SetBooleanValue(v, FShowSide[1], &TcPlotObject::DoChange); }
    bool GridLineShowTop() const { return FShowSide[2]; }
    void SetGridLineShowTop(bool v) { SetBooleanValue(v, FShowSide[2], &TcPlotObject::DoChange); }
    bool GridLineShowBottom() const { return FShowSide[3]; }
    void SetGridLineShowBottom(bool v) { SetBooleanValue(v, FShowSide[3], &TcPlotObject::DoChange); }
    bool GridLineShowXMajors() const { return FShowXMajors; }
    void SetGridLineShowXMajors(bool v) { SetBooleanValue(v, FShowXMajors, &TcPlotObject::DoChange); }
    bool GridLineShowXMinors() const { return FShowXMinors; }
    void SetGridLineShowXMinors(bool v) { SetBooleanValue(v, FShowXMinors, &TcPlotObject::DoChange); }
    bool GridLineShowYMajors() const { return FShowYMajors; }
    void SetGridLineShowYMajors(bool v) { SetBooleanValue(v, FShowYMajors, &TcPlotObject::DoChange); }
    bool GridLineShowYMinors() const { return FShowYMinors; }
    void SetGridLineShowYMinors(bool v) { SetBooleanValue(v, FShowYMinors, &TcPlotObject::DoChange); }
    TcPlotGridLineStyle GridLineMajorStyle() const { return FMajorStyle; }
    void SetGridLineMajorStyle(TcPlotGridLineStyle v);
    TcPlotGridLineStyle GridLineMinorStyle() const { return FMinorStyle; }
    void SetGridLineMinorStyle(TcPlotGridLineStyle v);

    // One line kind's custom settings (X major, X minor, Y major, Y minor).
    struct LineSettings {
        bool Custom = false;
        TColor Color = 0x008000;
        int Width = 0;
        TcPlotGridLineStyle Style = ipglsSolid;
    };
    enum LineKind { XMajor, XMinor, YMajor, YMinor };
    const LineSettings& GridLine(LineKind k) const { return FLines[k]; }
    void SetGridLine(LineKind k, const LineSettings& v);
    // One setting of one line kind, as the published properties name them.
    template <LineKind K> bool GridLineCustom() const { return FLines[K].Custom; }
    template <LineKind K> void SetGridLineCustom(bool v) { SetLineField(K, &LineSettings::Custom, v); }
    template <LineKind K> TColor GridLineColorOf() const { return FLines[K].Color; }
    template <LineKind K> void SetGridLineColorOf(TColor v) { SetLineField(K, &LineSettings::Color, v); }
    template <LineKind K> int GridLineWidth() const { return FLines[K].Width; }
    template <LineKind K> void SetGridLineWidth(int v) { SetLineField(K, &LineSettings::Width, v); }
    template <LineKind K> TcPlotGridLineStyle GridLineStyle() const { return FLines[K].Style; }
    template <LineKind K> void SetGridLineStyle(TcPlotGridLineStyle v)
    {
        SetLineField(K, &LineSettings::Style, v);
    }
    const TPropertyTable& PropertyTable() const override;

    bool AxesControlEnabled() const { return FAxesControlEnabled; }
    void SetAxesControlEnabled(bool v) { FAxesControlEnabled = v; }
    TcPlotAxesControlStyle AxesControlMouseStyle() const { return FAxesControlMouseStyle; }
    void SetAxesControlMouseStyle(TcPlotAxesControlStyle v) { FAxesControlMouseStyle = v; }
    TcPlotAxesControlStyle AxesControlWheelStyle() const { return FAxesControlWheelStyle; }
    void SetAxesControlWheelStyle(TcPlotAxesControlStyle v) { FAxesControlWheelStyle = v; }
    bool AxesControlAllowInSelectMode() const { return FAxesControlAllowInSelectMode; }
    void SetAxesControlAllowInSelectMode(bool v)
    {
        SetBooleanValue(v, FAxesControlAllowInSelectMode, &TcPlotObject::DoChange);
    }

    // Conversions (percent of the drawing rectangle; 100 is the right or top edge). A data view
    // that is not laid out yet (zero width or height) gives 0 percent.
    double PixelsXToPositionPercent(int X) const;
    double PixelsYToPositionPercent(int Y) const;
    int PositionPercentToPixelsX(double Percent) const;
    int PositionPercentToPixelsY(double Percent) const;

    TcPlotDataViewMouseMode MouseMode() const;
    bool ZoomBoxActive() const { return FZoomBoxActive; }

    void DrawBackground(TCanvas& Canvas);
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    void DrawZoomBox(TCanvas& Canvas);

    void NotificationRemove(TcPlotObject* AObject) override;
    void NotificationRename(TcPlotObject* AObject) override;
    void NotificationSetFocus(TcPlotObject* AObject) override;
    int GetMouseCursor(TPoint P) override;
    void iKeyDown(Word& Key, TShiftState Shift, TcPopupMenu* Menu) override;
    void FillPopupMenu(TcPopupMenu& Menu) override;

  protected:
    void DoMouseLeft(const TcPlotMouseData& M) override;
    void DoMouseRight(const TcPlotMouseData& M) override;
    void DoMouseMove(const TcPlotMouseData& M) override;
    void DoMouseUp(const TcPlotMouseData& M) override;
    bool DoMouseWheel(int WheelDelta, TShiftState Shift, int X, int Y) override;

  private:
    template <class V> void SetLineField(LineKind k, V LineSettings::*field, V v)
    {
        LineSettings l = FLines[k];
        l.*field = v;
        SetGridLine(k, l);
    }
    TcPlotAxis* GridAxis(bool x);
    void DrawGrid(TCanvas& Canvas, bool x, TColor BackGroundColor);
    void DrawFrame(TCanvas& Canvas, TColor Color);
    // The axes a drag or wheel moves, by the style and Shift.
    void ChooseAxes(TcPlotAxesControlStyle Style, TShiftState Shift, bool& x, bool& y) const;
    void ForEachAxis(bool x, bool y, const std::function<void(TcPlotAxis*)>& f);
    void ZoomToBox();

    TcPlotAxis* FXAxis = nullptr;
    TcPlotAxis* FYAxis = nullptr;
    bool FOwnMouseDown = false, FMouseDownRight = false, FZoomBoxActive = false;
    int FMouseDownX = 0, FMouseDownY = 0, FMouseMoveX = 0, FMouseMoveY = 0;
    bool FDirectionLock = false, FDirectionLockXAxis = false;

    QString FTitle;
    bool FBackgroundTransparent = true;
    TColor FBackgroundColor = 0x808000;
    QString FGridXAxisName, FGridYAxisName;
    bool FGridShow = true;
    TColor FGridLineColor = 0x008000;
    bool FShowSide[4] = {true, true, true, true};
    bool FShowXMajors = true, FShowXMinors = false, FShowYMajors = true, FShowYMinors = false;
    TcPlotGridLineStyle FMajorStyle = ipglsSolid, FMinorStyle = ipglsSolid;
    LineSettings FLines[4];
    bool FAxesControlEnabled = false;
    TcPlotAxesControlStyle FAxesControlMouseStyle = ipacsBoth, FAxesControlWheelStyle = ipacsXAxis;
    bool FAxesControlAllowInSelectMode = false;
};

} // namespace chart
