// TcPlotAnnotation: a mark drawn on a chart (text, line, rectangle, ellipse, text box, image,
// polygon, full-height or full-width line). Each of its four coordinates (position X and Y, size X
// and Y) is given in the units of a channel's axes or in percent of the data view. In select mode
// the user moves it and, for the boxed styles, resizes it by its corner handles. UI thread only.
#pragma once

#include "chart/objects/PlotObject.h"

#include <QImage>
#include <vector>

namespace chart
{

class TcPlotChannelCustom;
class TcPlotDataView;

enum TcPlotReferenceType : std::uint8_t {
    iprtDataView,
    iprtChannel,
    iprtXChannelYDataView,
    iprtXDataViewYChannel
};
enum TcPlotReferenceIndividual : std::uint8_t { ipriDataView, ipriChannel, ipriAuto };
enum TcAlignmentVertical : std::uint8_t { iavCenter, iavTop, iavBottom };

enum TcPlotAnnotationStyle : std::uint8_t {
    ipasText,
    ipasLine,
    ipasRectangle,
    ipasLineX,
    ipasLineY,
    ipasImage,
    ipasTextRectangle,
    ipasEllipse,
    ipasTextBox,
    ipasEllipse2,
    ipasPolygon,
    ipasRectangle2
};
enum TcPlotAnnotationSelectStyle : std::uint8_t {
    ipassNone,
    ipassMove,
    ipassSizeTopLeft,
    ipassSizeTopRight,
    ipassSizeBottomLeft,
    ipassSizeBottomRight
};

struct TcPlotAnnotationPoint {
    double X = 0;
    double Y = 0;
};

class TcPlotAnnotation : public TcPlotManagerObject
{
  public:
    TcPlotAnnotation(TcPlotOwner* AOwner, const TcPlotHandlers& handlers);

    TcPlotAnnotationStyle Style() const { return FStyle; }
    void SetStyle(TcPlotAnnotationStyle v) { StoreAndNotify(v, FStyle, &TcPlotObject::DoChange); }
    TcPlotReferenceType Reference() const { return FReference; }
    void SetReference(TcPlotReferenceType v) { StoreAndNotify(v, FReference, &TcPlotObject::DoChange); }
    // Position X, position Y, size X, size Y.
    template <int I> TcPlotReferenceIndividual ReferenceOf() const { return FIndividual[I]; }
    template <int I> void SetReferenceOf(TcPlotReferenceIndividual v)
    {
        StoreAndNotify(v, FIndividual[I], &TcPlotObject::DoChange);
    }
    double X() const { return FX; }
    void SetX(double v) { SetCoordinate(FX, v); }
    double Y() const { return FY; }
    void SetY(double v) { SetCoordinate(FY, v); }
    double X2() const { return FX2; }
    void SetX2(double v) { SetCoordinate(FX2, v); }
    double Y2() const { return FY2; }
    void SetY2(double v) { SetCoordinate(FY2, v); }
    double Width() const { return FWidth; }
    void SetWidth(double v) { SetCoordinate(FWidth, v); }
    double Height() const { return FHeight; }
    void SetHeight(double v) { SetCoordinate(FHeight, v); }
    TColor PenColor() const { return FPenColor; }
    void SetPenColor(TColor v) { SetColorValue(v, FPenColor, &TcPlotObject::DoChange); }
    fw::TPenStyle PenStyle() const { return FPenStyle; }
    void SetPenStyle(fw::TPenStyle v) { StoreAndNotify(v, FPenStyle, &TcPlotObject::DoChange); }
    int PenWidth() const { return FPenWidth; }
    void SetPenWidth(int v) { SetIntegerValue(v, FPenWidth, &TcPlotObject::DoChange); }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor v) { SetColorValue(v, FBrushColor, &TcPlotObject::DoChange); }
    fw::TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(fw::TBrushStyle v) { StoreAndNotify(v, FBrushStyle, &TcPlotObject::DoChange); }
    const QString& Text() const { return FText; }
    void SetText(const QString& v) { SetStringValue(v, FText, &TcPlotObject::DoChange); }
    TcRotationAngle TextRotation() const { return FTextRotation; }
    void SetTextRotation(TcRotationAngle v) { StoreAndNotify(v, FTextRotation, &TcPlotObject::DoChange); }
    TcAlignmentHorizontal TextHorzAlignment() const { return FTextHorzAlignment; }
    void SetTextHorzAlignment(TcAlignmentHorizontal v)
    {
        StoreAndNotify(v, FTextHorzAlignment, &TcPlotObject::DoChange);
    }
    TcAlignmentVertical TextVertAlignment() const { return FTextVertAlignment; }
    void SetTextVertAlignment(TcAlignmentVertical v)
    {
        StoreAndNotify(v, FTextVertAlignment, &TcPlotObject::DoChange);
    }
    TcAlignmentHorizontal TextLineAlignment() const { return FTextLineAlignment; }
    void SetTextLineAlignment(TcAlignmentHorizontal v)
    {
        StoreAndNotify(v, FTextLineAlignment, &TcPlotObject::DoChange);
    }
    double TextHorzMargin() const { return FTextHorzMargin; }
    void SetTextHorzMargin(double v) { SetDoubleValue(v, FTextHorzMargin, &TcPlotObject::DoChange); }
    double TextVertMargin() const { return FTextVertMargin; }
    void SetTextVertMargin(double v) { SetDoubleValue(v, FTextVertMargin, &TcPlotObject::DoChange); }
    fw::TFont& Font() { return FFont; }
    int OuterMargin() const { return FOuterMargin; }
    void SetOuterMargin(int v) { SetIntegerValue(v, FOuterMargin, &TcPlotObject::DoChange); }
    int ImageListIndex() const { return FImageListIndex; }
    void SetImageListIndex(int v) { SetIntegerValue(v, FImageListIndex, &TcPlotObject::DoChange); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int v) { SetIntegerValue(v, FImageIndex, &TcPlotObject::DoChange); }
    const QString& ChannelName() const { return FChannelName; }
    void SetChannelName(const QString& v);
    bool UserCanMove() const { return FUserCanMove; }
    void SetUserCanMove(bool v) { FUserCanMove = v; }
    bool UserCanSize() const { return FUserCanSize; }
    void SetUserCanSize(bool v) { FUserCanSize = v; }
    bool SelectModeOnlyInteraction() const { return FSelectModeOnlyInteraction; }
    void SetSelectModeOnlyInteraction(bool v) { FSelectModeOnlyInteraction = v; }
    bool ClipToAxes() const { return FClipToAxes; }
    void SetClipToAxes(bool v) { SetBooleanValue(v, FClipToAxes, &TcPlotObject::DoChange); }
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool v) { SetBooleanValue(v, FShowFocusRect, &TcPlotObject::DoChange); }

    // The owned image (a null image when there is none); assigning a null image frees it.
    const QImage& Image() const { return FImage; }
    void SetImage(const QImage& v);
    void ImageClear();
    // Loads the image from a file; false with the reason when it cannot be read.
    bool ImageLoadFromFile(const QString& FileName, QString* Error = nullptr);
    TRect ClickRect() const { return FClickRect; }
    TRect DrawnRect() const { return FDrawRect; }
    bool Showing() const { return FShowing; }
    int PolyPointsCount() const { return int(FPolyPoints.size()); }
    int PolyPointAdd(double X, double Y);
    void PolyPointsClear() { FPolyPoints.clear(); }
    TcPlotDataView* DataView() const { return FDataView; }
    void SetDataView(TcPlotDataView* v) { FDataView = v; }
    TcPlotChannelCustom* GetChannel();

    int PositionXToPixels(double Value);
    int PositionYToPixels(double Value);
    double PixelsXToPosition(int Value);
    double PixelsYToPosition(int Value);

    void NotificationRemove(TcPlotObject* AObject) override;
    void NotificationRename(TcPlotObject* AObject) override;
    void NotificationSetFocus(TcPlotObject* AObject) override;
    void Draw(TCanvas& Canvas, TColor BackGroundColor) override;
    bool iHitTest(const TcPlotMouseData& M) override;
    int GetMouseCursor(TPoint P) override;
    const TPropertyTable& PropertyTable() const override;
    static const TPropertyTable& ClassTable();

  protected:
    void DoMouseLeft(const TcPlotMouseData& M) override;
    void DoMouseMove(const TcPlotMouseData& M) override;
    void DoMouseUp(const TcPlotMouseData& M) override;

  private:
    enum Coordinate { PositionX, PositionY, SizeX, SizeY };
    void SetCoordinate(double& Field, double Value);
    bool UsesChannel(Coordinate c) const;
    int ToPixels(Coordinate c, double Value);
    double ToValue(Coordinate c, int Pixels);
    int SizeToPixels(Coordinate c, double Size);
    bool Sizable() const;
    void SetHandles(const TRect& r, const TRect& D);
    // Draws the style; false when it is outside the data view or has nothing to draw.
    bool DrawStyle(TCanvas& Canvas, TColor BackGroundColor, const TRect& D);
    TRect PlaceText(TCanvas& Canvas, TPoint P1, int w, int h);
    void DrawText(TCanvas& Canvas, const TRect& r, TColor BackGroundColor);

    TcPlotAnnotationStyle FStyle = ipasText;
    TcPlotReferenceType FReference = iprtDataView;
    TcPlotReferenceIndividual FIndividual[4] = {ipriAuto, ipriAuto, ipriAuto, ipriAuto};
    TcPlotAnnotationSelectStyle FSelectStyle = ipassNone;
    TRect FHandle[4]; // top-left, top-right, bottom-left, bottom-right
    std::vector<TcPlotAnnotationPoint> FPolyPoints;
    double FX = 0, FY = 0, FY2 = 0, FX2 = 0, FWidth = 0, FHeight = 0;
    TColor FPenColor = fw::clWhite;
    int FPenWidth = 0;
    fw::TPenStyle FPenStyle = fw::psSolid;
    TColor FBrushColor = fw::clWhite;
    fw::TBrushStyle FBrushStyle = fw::bsSolid;
    QString FText;
    fw::TFont FFont;
    QString FChannelName;
    TcPlotDataView* FDataView = nullptr;
    TcPlotChannelCustom* FChannel = nullptr;
    TcRotationAngle FTextRotation = ira000;
    bool FShowing = false;
    TRect FDrawRect, FClickRect;
    bool FRectChange = false;
    bool FUserCanMove = false, FUserCanSize = false, FSelectModeOnlyInteraction = true, FClipToAxes = false;
    int FMouseDownX = 0, FMouseDownY = 0;
    int FMouseDownPositionPixelsX = 0, FMouseDownPositionPixelsY = 0;
    TRect FMouseDownRect;
    QImage FImage;
    int FImageListIndex = 0, FImageIndex = 0;
    TcAlignmentHorizontal FTextHorzAlignment = iahCenter, FTextLineAlignment = iahCenter;
    TcAlignmentVertical FTextVertAlignment = iavCenter;
    double FTextHorzMargin = 1, FTextVertMargin = 1;
    bool FShowFocusRect = true;
    double FMouseDownXValue = 0, FMouseDownYValue = 0, FMouseDownX2Value = 0, FMouseDownY2Value = 0;
    int FOuterMargin = 0;
};

} // namespace chart
