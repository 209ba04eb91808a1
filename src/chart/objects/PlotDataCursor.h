// TcPlotDataCursor: one or two pointer lines over the chart's data view and a hint box with one
// channel's values at the pointers (a position, the distance between the pointers or its inverse).
// The channels compute the values (CalcDataCursorValues) and report them through SetValues. The
// user drags the pointers and the hint or moves them with keys. UI thread only.
#pragma once

#include "chart/objects/PlotObject.h"
#include "framework/Fonts.h"

#include <array>

namespace chart
{

class TcPlotDataView;
class TcPlotChannelCustom;

enum TcPlotDataCursorStyle : std::uint8_t {
    ipcsValueXY,
    ipcsValueX,
    ipcsValueY,
    ipcsDeltaX,
    ipcsDeltaY,
    ipcsInverseDeltaX
};
enum TcOrientation : std::uint8_t { ioVertical, ioHorizontal };
enum TcOrientationSide : std::uint8_t { iosBottomRight, iosTopLeft };

class TcPlotDataCursor : public TcPlotManagerObject
{
  public:
    TcPlotDataCursor(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);

    const QString& ChannelName() const { return FChannelName; }
    void SetChannelName(const QString& v);
    bool ChannelAllowAll() const { return FChannelAllowAll; }
    void SetChannelAllowAll(bool v) { SetBooleanValue(v, FChannelAllowAll, &TcPlotObject::DoChange); }
    bool ChannelShowAllInLegend() const { return FChannelShowAllInLegend; }
    void SetChannelShowAllInLegend(bool v)
    {
        SetBooleanValue(v, FChannelShowAllInLegend, &TcPlotObject::DoChange);
    }
    TcPlotDataCursorStyle Style() const { return FStyle; }
    void SetStyle(TcPlotDataCursorStyle v);
    fw::TFont& Font() { return FFont; }
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { SetColorValue(v, FColor, &TcPlotObject::DoChange); }
    bool UseChannelColor() const { return FUseChannelColor; }
    void SetUseChannelColor(bool v) { SetBooleanValue(v, FUseChannelColor, &TcPlotObject::DoChange); }
    bool HintShow() const { return FHintShow; }
    void SetHintShow(bool v) { SetBooleanValue(v, FHintShow, &TcPlotObject::DoChange); }
    bool HintHideOnRelease() const { return FHintHideOnRelease; }
    void SetHintHideOnRelease(bool v) { SetBooleanValue(v, FHintHideOnRelease, &TcPlotObject::DoChange); }
    TcOrientationSide HintOrientationSide() const { return FHintOrientationSide; }
    void SetHintOrientationSide(TcOrientationSide v);
    double HintPosition() const { return FHintPosition; }
    void SetHintPosition(double v) { SetDoubleValue(v, FHintPosition, &TcPlotObject::DoChange); }
    double Pointer1Position() const { return FPointer1Position; }
    void SetPointer1Position(double v);
    double Pointer2Position() const { return FPointer2Position; }
    void SetPointer2Position(double v);
    int PointerPenWidth() const { return FPointerPenWidth; }
    void SetPointerPenWidth(int v) { SetIntegerValue(v, FPointerPenWidth, &TcPlotObject::DoChange); }
    bool MenuUserCanChangeOptions() const { return FMenuUserCanChangeOptions; }
    void SetMenuUserCanChangeOptions(bool v) { FMenuUserCanChangeOptions = v; }
    bool SnapToDataPoint() const { return FSnapToDataPoint; }
    void SetSnapToDataPoint(bool v) { FSnapToDataPoint = v; }
    bool UseCachedInterpolatedData() const { return FUseCachedInterpolatedData; }
    void SetUseCachedInterpolatedData(bool v) { FUseCachedInterpolatedData = v; }
    // Whether the Style menu lists a style, and its caption there.
    bool MenuItemVisible(TcPlotDataCursorStyle s) const { return FMenuItemVisible[s]; }
    void SetMenuItemVisible(TcPlotDataCursorStyle s, bool v) { FMenuItemVisible[s] = v; }
    const QString& MenuItemCaption(TcPlotDataCursorStyle s) const { return FMenuItemCaption[s]; }
    void SetMenuItemCaption(TcPlotDataCursorStyle s, const QString& v) { FMenuItemCaption[s] = v; }
    template <TcPlotDataCursorStyle S> bool MenuItemVisibleOf() const { return FMenuItemVisible[S]; }
    template <TcPlotDataCursorStyle S> void SetMenuItemVisibleOf(bool v) { FMenuItemVisible[S] = v; }
    template <TcPlotDataCursorStyle S> const QString& MenuItemCaptionOf() const
    {
        return FMenuItemCaption[S];
    }
    template <TcPlotDataCursorStyle S> void SetMenuItemCaptionOf(const QString& v)
    {
        FMenuItemCaption[S] = v;
    }
    const TPropertyTable& PropertyTable() const override;

    double ValueX() const { return FValueX; }
    double ValueY() const { return FValueY; }
    int Status() const { return FStatus; }
    const QString& CursorDisplayText() const { return FCursorDisplayText; }
    void SetCursorDisplayText(const QString& v) { FCursorDisplayText = v; }
    bool Pointer1Show() const { return FPointer1Show; }
    bool Pointer2Show() const { return FPointer2Show; }
    TcOrientation Pointer1Orientation() const { return FPointer1Orientation; }
    TcOrientation Pointer2Orientation() const { return FPointer2Orientation; }
    TcOrientation HintOrientation() const { return FHintOrientation; }
    TRect HintRect() const { return FHintRect; }
    bool HintShowing() const { return FHintShowing; }

    TcPlotDataView* DataView() const { return FDataView; }
    void SetDataView(TcPlotDataView* v) { FDataView = v; }
    TcPlotChannelCustom* GetChannel();
    bool IsDeltaStyle() const { return FStyle >= ipcsDeltaX; }

    // Asks the channel (or every channel for "<All>") for the values at the pointers.
    void RecalcValues();
    // On a strip chart with SnapToDataPoint on: each pointer onto its nearest data point (the
    // nearest channel's for "<All>"), scrolling the X axis to show it.
    void DoSnapToDataPoint();
    // The channel and point of the last snap (-1 for none).
    int SnapToIndexChannel() const { return FSnapToIndexChannel; }
    int SnapToIndexData() const { return FSnapToIndexData; }
    // Stores the values; the chart's cursor-change event fires only on a real change.
    void SetValues(double X, double Y, int Status);

    void SetVisible(bool Value) override;
    void SetXYAxesReverse(bool Value) override;
    void NotificationRemove(TcPlotObject* AObject) override;
    void NotificationRename(TcPlotObject* AObject) override;
    void NotificationSetFocus(TcPlotObject* AObject) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    bool iHitTest(const TcPlotMouseData& M) override;
    int GetMouseCursor(TPoint) override { return CustomizeMouseCursor(-21); }
    void iKeyDown(Word& Key, TShiftState Shift, TcPopupMenu* Menu) override;
    void FillPopupMenu(TcPopupMenu& Menu) override;

  protected:
    void DoMouseLeft(const TcPlotMouseData& M) override;
    void DoMouseMove(const TcPlotMouseData& M) override;
    void DoMouseUp(const TcPlotMouseData& M) override;
    void DoGotFocus() override;

  private:
    void UpdatePointerStyle();
    void DrawPointer(TCanvas& Canvas, TcOrientation Orientation, double Position, TRect& HitRect);
    void DrawHint(TCanvas& Canvas, TColor PenColor);
    // The hint's box beside the pointer (between the pointers in delta style), kept in the data view.
    TRect PlaceHintBox(int textWidth, int textHeight, int charWidth);
    void DrawDeltaLine(TCanvas& Canvas, const TRect& box, TColor PenColor);
    // A key's move of pointer 2 (with Ctrl) or of pointer 1 and the hint; false for another key.
    bool MovePointer2ByKey(Word Key, double px, double py);
    bool MovePointer1ByKey(Word Key, double px, double py);
    void SnapPointer(int Pointer);
    void MovePointerToIndex(int ChannelIndex, int DataIndex, int Pointer, int Step);
    bool SnapKeyDown(Word Key, TShiftState Shift);
    void MoveHint(bool Up);
    TColor LineColor();

    int FMouseDownXPixels = 0, FMouseDownYPixels = 0, FMouseDownX = 0, FMouseDownY = 0;
    bool FMouseDownHint = false, FMouseDownPointer1 = false, FMouseDownPointer2 = false;
    TRect FPointer1Rect, FPointer2Rect;
    bool FPointer1Show = false, FPointer2Show = false;
    TcOrientation FPointer1Orientation = ioVertical, FPointer2Orientation = ioVertical;
    TRect FHintRect;
    TcOrientation FHintOrientation = ioVertical;
    bool FHintShowing = false;
    TcPlotChannelCustom* FChannel = nullptr;
    TcPlotDataView* FDataView = nullptr;
    QString FChannelName;
    TcPlotDataCursorStyle FStyle = ipcsValueXY;
    bool FUseChannelColor = true;
    double FPointer1Position = 50, FPointer2Position = 60;
    int FPointerPenWidth = 1;
    bool FChannelShowAllInLegend = true, FChannelAllowAll = true;
    TColor FColor = 0x00FFFF;
    fw::TFont FFont;
    bool FHintShow = true, FHintHideOnRelease = false;
    TcOrientationSide FHintOrientationSide = iosBottomRight;
    int FHintHeight = 0, FHintWidth = 0;
    double FHintPosition = 50;
    QString FCursorDisplayText;
    double FValueX = 0, FValueY = 0;
    int FStatus = 0;
    bool FMenuUserCanChangeOptions = true, FSnapToDataPoint = false, FUseCachedInterpolatedData = false;
    int FSnapToIndexChannel = -1, FSnapToIndexData = -1;
    std::array<bool, 6> FMenuItemVisible{true, true, true, true, true, true};
    std::array<QString, 6> FMenuItemCaption{QStringLiteral("Value X-Y"), QStringLiteral("Value X"),
                                            QStringLiteral("Value Y"),   QStringLiteral("Period"),
                                            QStringLiteral("Peak-Peak"), QStringLiteral("Frequency")};
};

} // namespace chart
