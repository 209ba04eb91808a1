// TcPlotLimit: a line, a band or a poly band on a chart, bound to one X and one Y axis by name.
// Lines and band edges can be dragged (each with a grab strip of 5 pixels to either side), and
// report their moves and clicks to the chart's events. UI thread only.
#pragma once

#include "chart/core/PlotDataHolders.h"
#include "chart/objects/PlotObject.h"

namespace chart
{

enum TcPlotLimitStyle : std::uint8_t {
    iplsLineX,
    iplsLineY,
    iplsBandX,
    iplsBandY,
    iplsPolyBandX,
    iplsPolyBandY
};

class TcPlotLimit : public TcPlotManagerObject
{
  public:
    TcPlotLimit(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);

    TColor Color() const { return FColor; }
    void SetColor(TColor v) { SetColorValue(v, FColor, &TcPlotObject::DoChange); }
    fw::TPenStyle LineStyle() const { return FLineStyle; }
    void SetLineStyle(fw::TPenStyle v) { StoreAndNotify(v, FLineStyle, &TcPlotObject::DoChange); }
    int LineWidth() const { return FLineWidth; }
    void SetLineWidth(int v) { SetIntegerValue(v, FLineWidth, &TcPlotObject::DoChange); }
    fw::TBrushStyle FillStyle() const { return FFillStyle; }
    void SetFillStyle(fw::TBrushStyle v) { StoreAndNotify(v, FFillStyle, &TcPlotObject::DoChange); }
    const QString& XAxisName() const { return FXAxisName; }
    void SetXAxisName(const QString& v);
    const QString& YAxisName() const { return FYAxisName; }
    void SetYAxisName(const QString& v);
    TcPlotLimitStyle Style() const { return FStyle; }
    void SetStyle(TcPlotLimitStyle v) { StoreAndNotify(v, FStyle, &TcPlotObject::DoChange); }
    double Line1Position() const { return FLinePosition[0]; }
    void SetLine1Position(double v) { SetLinePosition(0, v); }
    double Line2Position() const { return FLinePosition[1]; }
    void SetLine2Position(double v) { SetLinePosition(1, v); }
    bool UserCanMove() const { return FUserCanMove; }
    void SetUserCanMove(bool v) { SetBooleanValue(v, FUserCanMove, &TcPlotObject::DoChange); }
    bool SelectModeOnlyInteraction() const { return FSelectModeOnlyInteraction; }
    void SetSelectModeOnlyInteraction(bool v)
    {
        SetBooleanValue(v, FSelectModeOnlyInteraction, &TcPlotObject::DoChange);
    }
    bool ClipToAxes() const { return FClipToAxes; }
    void SetClipToAxes(bool v) { SetBooleanValue(v, FClipToAxes, &TcPlotObject::DoChange); }

    // Band elements (position, upper, lower) in the order added; a lower limit above the upper
    // one is refused with the library's error and the list stays as it was.
    void AddBandElement(double Position, double UpperLimit, double LowerLimit);
    void ClearAllElements();
    int ElementCount() const { return FElements.Count(); }
    bool DrawsFilledArea() const;
    bool IsXStyle() const { return FStyle == iplsLineX || FStyle == iplsBandX || FStyle == iplsPolyBandX; }
    // Whether the last paint drew line 1 or 2, and its grab strip.
    bool LineShown(int Line) const { return FLine[Line].Shown; }
    TRect LineGrabRect(int Line) const { return FLine[Line].Grab; }

    TcPlotAxis* XAxis();
    TcPlotAxis* YAxis();

    void NotificationRemove(TcPlotObject* AObject) override;
    void NotificationRename(TcPlotObject* AObject) override;
    void NotificationSetFocus(TcPlotObject* AObject) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    bool iHitTest(const TcPlotMouseData& M) override;
    int GetMouseCursor(TPoint P) override;
    void FillPopupMenu(TcPopupMenu& Menu) override;
    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();

  protected:
    void DoMouseLeft(const TcPlotMouseData& M) override;
    void DoMouseMove(const TcPlotMouseData& M) override;
    void DoMouseUp(const TcPlotMouseData& M) override;

  private:
    struct Line {
        bool Shown = false;
        TRect Grab;
        bool Held = false;
    };
    void SetLinePosition(int Index, double Value);
    void DrawLines(TCanvas& Canvas, TcPlotAxis& limitAxis, TcPlotAxis& spanAxis, TColor BackGroundColor);
    void DrawBand(TCanvas& Canvas, TcPlotAxis& limitAxis, TcPlotAxis& spanAxis);
    void DrawPolyBand(TCanvas& Canvas, TcPlotAxis& positionAxis, TcPlotAxis& limitAxis);
    // A point or rectangle given along (limit axis, span axis), on the canvas.
    TPoint At(int limitPixel, int spanPixel) const;
    TRect Strip(int p, int q1, int q2) const;

    TColor FColor = 0x0000FF;
    fw::TPenStyle FLineStyle = fw::psSolid;
    int FLineWidth = 0;
    fw::TBrushStyle FFillStyle = fw::bsSolid;
    QString FXAxisName, FYAxisName;
    TcPlotLimitStyle FStyle = iplsLineY;
    double FLinePosition[2] = {50, 50};
    bool FUserCanMove = false;
    bool FSelectModeOnlyInteraction = true;
    bool FClipToAxes = false;
    TcLimitDataList FElements;
    TcPlotAxis* FXAxis = nullptr;
    TcPlotAxis* FYAxis = nullptr;
    Line FLine[2];
};

} // namespace chart
