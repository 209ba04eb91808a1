#include "chart/objects/PlotAnnotation.h"

#include "chart/axes/PlotAxis.h"
#include "chart/channels/PlotChannelCustom.h"
#include "chart/core/ChartMath.h"
#include "chart/objects/MasterManager.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace chart
{

using namespace fw;

namespace
{
TRect Intersect(const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    return r.IsEmpty() ? TRect{} : r;
}

bool Meets(const TRect& a, const TRect& b)
{
    return a.Left <= b.Right && b.Left <= a.Right && a.Top <= b.Bottom && b.Top <= a.Bottom;
}
} // namespace

TcPlotAnnotation::TcPlotAnnotation(TcPlotOwner* AOwner, const TcPlotHandlers& handlers)
    : TcPlotManagerObject(AOwner, handlers)
{
    FFont.SetName(QStringLiteral("Arial"));
    FFont.SetColor(clWhite);
    FFont.OnChange = [this](TFont*) { DoChange(); };
}

const TPropertyTable& TcPlotAnnotation::PropertyTable() const
{
    return ClassTable();
}

const TPropertyTable& TcPlotAnnotation::ClassTable()
{
    using A = TcPlotAnnotation;
    static const TPropertyTable table = [] {
        TPropertyTable t(&TcPlotObject::ClassTable());
        const QStringList individual = {"ipriDataView", "ipriChannel", "ipriAuto"};
        const QStringList horizontal = {"iahCenter", "iahLeft", "iahRight"};
        t.Enum("Style", "TcPlotAnnotationStyle", &A::Style, &A::SetStyle, ipasText,
               {"ipasText", "ipasLine", "ipasRectangle", "ipasLineX", "ipasLineY", "ipasImage",
                "ipasTextRectangle", "ipasEllipse", "ipasTextBox", "ipasEllipse2", "ipasPolygon",
                "ipasRectangle2"});
        t.Enum("Reference", "TcPlotReferenceType", &A::Reference, &A::SetReference, iprtDataView,
               {"iprtDataView", "iprtChannel", "iprtXChannelYDataView", "iprtXDataViewYChannel"});
        t.Enum("ReferencePositionX", "TcPlotReferenceIndividual", &A::ReferenceOf<0>, &A::SetReferenceOf<0>,
               ipriAuto, individual);
        t.Enum("ReferencePositionY", "TcPlotReferenceIndividual", &A::ReferenceOf<1>, &A::SetReferenceOf<1>,
               ipriAuto, individual);
        t.Enum("ReferenceSizeX", "TcPlotReferenceIndividual", &A::ReferenceOf<2>, &A::SetReferenceOf<2>,
               ipriAuto, individual);
        t.Enum("ReferenceSizeY", "TcPlotReferenceIndividual", &A::ReferenceOf<3>, &A::SetReferenceOf<3>,
               ipriAuto, individual);
        t.Float("X", &A::X, &A::SetX, 0);
        t.Float("Y", &A::Y, &A::SetY, 0);
        t.Float("X2", &A::X2, &A::SetX2, 0);
        t.Float("Y2", &A::Y2, &A::SetY2, 0);
        t.Float("Width", &A::Width, &A::SetWidth, 0);
        t.Float("Height", &A::Height, &A::SetHeight, 0);
        t.Ordinal("PenColor", "TColor", &A::PenColor, &A::SetPenColor, clWhite);
        t.Enum("PenStyle", "TPenStyle", &A::PenStyle, &A::SetPenStyle, psSolid, PenStyleNames());
        t.Ordinal("PenWidth", "Integer", &A::PenWidth, &A::SetPenWidth, 0);
        t.Ordinal("BrushColor", "TColor", &A::BrushColor, &A::SetBrushColor, clWhite);
        t.Enum("BrushStyle", "TBrushStyle", &A::BrushStyle, &A::SetBrushStyle, bsSolid, BrushStyleNames());
        t.String("Text", &A::Text, &A::SetText, QString());
        t.Enum("TextRotation", "TcRotationAngle", &A::TextRotation, &A::SetTextRotation, ira000,
               {"ira000", "ira090", "ira180", "ira270"});
        t.Enum("TextHorzAlignment", "TcAlignmentHorizontal", &A::TextHorzAlignment, &A::SetTextHorzAlignment,
               iahCenter, horizontal);
        t.Enum("TextVertAlignment", "TcAlignmentVertical", &A::TextVertAlignment, &A::SetTextVertAlignment,
               iavCenter, {"iavCenter", "iavTop", "iavBottom"});
        t.Enum("TextLineAlignment", "TcAlignmentHorizontal", &A::TextLineAlignment, &A::SetTextLineAlignment,
               iahCenter, horizontal);
        t.Float("TextHorzMargin", &A::TextHorzMargin, &A::SetTextHorzMargin, 1);
        t.Float("TextVertMargin", &A::TextVertMargin, &A::SetTextVertMargin, 1);
        t.Object("Font", "TFont", &A::Font);
        t.Ordinal("OuterMargin", "Integer", &A::OuterMargin, &A::SetOuterMargin, 0);
        t.Ordinal("ImageListIndex", "Integer", &A::ImageListIndex, &A::SetImageListIndex, 0);
        t.Ordinal("ImageIndex", "Integer", &A::ImageIndex, &A::SetImageIndex, 0);
        t.String("ChannelName", &A::ChannelName, &A::SetChannelName, QString());
        t.Boolean("UserCanMove", &A::UserCanMove, &A::SetUserCanMove, false);
        t.Boolean("UserCanSize", &A::UserCanSize, &A::SetUserCanSize, false);
        t.Boolean("SelectModeOnlyInteraction", &A::SelectModeOnlyInteraction,
                  &A::SetSelectModeOnlyInteraction, true);
        t.Boolean("ClipToAxes", &A::ClipToAxes, &A::SetClipToAxes, false);
        t.Boolean("ShowFocusRect", &A::ShowFocusRect, &A::SetShowFocusRect, true);
        return t;
    }();
    return table;
}

void TcPlotAnnotation::SetCoordinate(double& Field, double Value)
{
    if (!SetDoubleValue(Value, Field, &TcPlotObject::DoChange))
        return;
    FireEvent(TcPlotEventKind::AnnotationCoordinatesChange);
}

void TcPlotAnnotation::SetChannelName(const QString& v)
{
    if (v == FChannelName)
        return;
    FChannelName = v;
    FChannel = nullptr;
    DoChange();
}

void TcPlotAnnotation::SetImage(const QImage& v)
{
    FImage = v;
    DoChange();
}

void TcPlotAnnotation::ImageClear()
{
    if (FImage.isNull())
        return;
    FImage = QImage();
    DoChange();
}

bool TcPlotAnnotation::ImageLoadFromFile(const QString& FileName, QString* Error)
{
    QImage image;
    if (!LoadImageFile(FileName, image, Error))
        return false;
    SetImage(image);
    return true;
}

int TcPlotAnnotation::PolyPointAdd(double X, double Y)
{
    FPolyPoints.push_back({X, Y});
    return int(FPolyPoints.size()) - 1;
}

TcPlotChannelCustom* TcPlotAnnotation::GetChannel()
{
    if (!FChannel && FOwner && FOwner->Master().ChannelManager())
        FChannel = static_cast<TcPlotChannelCustom*>(
            FOwner->Master().ChannelManager()->GetObjectByName(FChannelName));
    return FChannel;
}

// Coordinates.

bool TcPlotAnnotation::UsesChannel(Coordinate c) const
{
    switch (FIndividual[c]) {
    case ipriDataView:
        return false;
    case ipriChannel:
        return true;
    case ipriAuto:
        break;
    }
    if (FReference == iprtChannel)
        return true;
    const bool isX = c == PositionX || c == SizeX;
    return isX ? FReference == iprtXChannelYDataView : FReference == iprtXDataViewYChannel;
}

int TcPlotAnnotation::ToPixels(Coordinate c, double Value)
{
    const bool isX = c == PositionX || c == SizeX;
    if (UsesChannel(c)) {
        TcPlotChannelCustom* ch = GetChannel();
        if (!ch || !ch->HasAxes())
            return 0;
        return (isX ? ch->GetXAxis() : ch->GetYAxis())->PositionToPixels(Value);
    }
    if (!FDataView)
        return 0;
    // With swapped axes the X coordinates run vertically.
    return isX != XYAxesReversed() ? FDataView->PositionPercentToPixelsX(Value)
                                   : FDataView->PositionPercentToPixelsY(Value);
}

double TcPlotAnnotation::ToValue(Coordinate c, int Pixels)
{
    const bool isX = c == PositionX || c == SizeX;
    if (UsesChannel(c)) {
        TcPlotChannelCustom* ch = GetChannel();
        if (!ch || !ch->HasAxes())
            return 0;
        return (isX ? ch->GetXAxis() : ch->GetYAxis())->PixelsToPosition(Pixels);
    }
    if (!FDataView)
        return 0;
    return isX != XYAxesReversed() ? FDataView->PixelsXToPositionPercent(Pixels)
                                   : FDataView->PixelsYToPositionPercent(Pixels);
}

int TcPlotAnnotation::SizeToPixels(Coordinate c, double Size)
{
    double start = 0;
    if (UsesChannel(c)) {
        TcPlotChannelCustom* ch = GetChannel();
        if (!ch || !ch->HasAxes())
            return 0;
        start = (c == SizeX ? ch->GetXAxis() : ch->GetYAxis())->Min();
    }
    return std::abs(ToPixels(c, start + Size) - ToPixels(c, start));
}

int TcPlotAnnotation::PositionXToPixels(double Value)
{
    return ToPixels(PositionX, Value);
}
int TcPlotAnnotation::PositionYToPixels(double Value)
{
    return ToPixels(PositionY, Value);
}
double TcPlotAnnotation::PixelsXToPosition(int Value)
{
    return ToValue(PositionX, Value);
}
double TcPlotAnnotation::PixelsYToPosition(int Value)
{
    return ToValue(PositionY, Value);
}

bool TcPlotAnnotation::Sizable() const
{
    switch (FStyle) {
    case ipasRectangle:
    case ipasTextRectangle:
    case ipasEllipse:
    case ipasEllipse2:
    case ipasRectangle2:
        return FUserCanSize;
    default:
        return false;
    }
}

// Drawing.

void TcPlotAnnotation::SetHandles(const TRect& r, const TRect& D)
{
    const TPoint corners[4] = {{r.Left, r.Top}, {r.Right, r.Top}, {r.Left, r.Bottom}, {r.Right, r.Bottom}};
    for (int i = 0; i < 4; ++i)
        FHandle[i] = Intersect({corners[i].X - 3, corners[i].Y - 3, corners[i].X + 3, corners[i].Y + 3}, D);
}

TRect TcPlotAnnotation::PlaceText(TCanvas& Canvas, TPoint P1, int w, int h)
{
    TRect r{P1.X - w / 2, P1.Y - h / 2, P1.X - w / 2 + w, P1.Y - h / 2 + h};
    const int dx = int(std::lround(Canvas.TextWidth(QStringLiteral("A")) * FTextHorzMargin)) + w / 2;
    const int dy = int(std::lround(Canvas.TextHeight(QStringLiteral("A")) * FTextVertMargin)) + h / 2;
    const int sx = FTextHorzAlignment == iahLeft ? dx : FTextHorzAlignment == iahRight ? -dx : 0;
    const int sy = FTextVertAlignment == iavTop ? dy : FTextVertAlignment == iavBottom ? -dy : 0;
    return {r.Left + sx, r.Top + sy, r.Right + sx, r.Bottom + sy};
}

void TcPlotAnnotation::DrawText(TCanvas& Canvas, const TRect& r, TColor BackGroundColor)
{
    const TBrushStyle keep = Canvas.Brush.Style;
    Canvas.Brush.Style = bsClear;
    TRect drawn;
    DrawRotatedText(Canvas, FText, r, FTextRotation, FTextLineAlignment, true, BackGroundColor, drawn);
    Canvas.Brush.Style = keep;
}

void TcPlotAnnotation::Draw(TCanvas& Canvas, TColor BackGroundColor)
{
    FShowing = false;
    if (!Visible())
        return;
    bool viewNeeded = false, channelNeeded = false;
    for (Coordinate c : {PositionX, PositionY, SizeX, SizeY})
        (UsesChannel(c) ? channelNeeded : viewNeeded) = true;
    if (viewNeeded && !FDataView)
        return;
    TcPlotChannelCustom* ch = channelNeeded ? GetChannel() : nullptr;
    if (channelNeeded && (!ch || !ch->HasAxes()))
        return;
    const TRect D =
        FDataView ? FDataView->DrawRect() : TRect{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2};
    // Without a channel there are no axes to clip to.
    if (ch && (FClipToAxes || (FReference == iprtChannel && FOwner && FOwner->ClipAnnotationsToAxesOf()))) {
        TcPlotAxis* x = ch->GetXAxis();
        TcPlotAxis* y = ch->GetYAxis();
        TRect r = RectFromCornersXY(XYAxesReversed(), x->MinPixels(), y->MinPixels(), x->MaxPixels(),
                                    y->MaxPixels());
        Canvas.IntersectClipRect({r.Left, r.Top, r.Right + 1, r.Bottom + 1});
    }
    Canvas.Pen.Color = FPenColor;
    Canvas.Pen.Width = FPenWidth;
    Canvas.Pen.Style = FPenStyle;
    Canvas.Brush.Color = FBrushColor;
    Canvas.Brush.Style = FBrushStyle;
    FShowing = DrawStyle(Canvas, BackGroundColor, D) && FStyle != ipasLine;
}

bool TcPlotAnnotation::DrawStyle(TCanvas& Canvas, TColor BackGroundColor, const TRect& D)
{
    const bool rev = XYAxesReversed();
    const TPoint P1 = PointXY(rev, ToPixels(PositionX, FX), ToPixels(PositionY, FY));
    const TPoint P2 = PointXY(rev, ToPixels(PositionX, FX2), ToPixels(PositionY, FY2));
    const int cx = ToPixels(PositionX, FX), cy = ToPixels(PositionY, FY);
    const int hw = SizeToPixels(SizeX, FWidth) / 2, hh = SizeToPixels(SizeY, FHeight) / 2;
    const TRect B = RectFromCornersXY(rev, cx - hw, cy - hh, cx + hw, cy + hh);
    auto handles = [&](const TRect& r) {
        FDrawRect = r;
        FClickRect = Intersect(r, D);
        SetHandles(r, D);
        if (UserSelected() && FShowFocusRect) {
            Canvas.Brush.Style = bsSolid;
            Canvas.Brush.Color = FPenStyle == psSolid ? FPenColor : clWhite;
            for (const TRect& h : FHandle)
                if (!h.IsEmpty())
                    Canvas.FillRect(h);
        }
    };
    switch (FStyle) {
    case ipasText: {
        Canvas.Font.Assign(FFont);
        int w = GetMaxLineWidth(Canvas, FText), h = GetTextHeight(Canvas, FText);
        if (FTextRotation == ira090 || FTextRotation == ira270)
            std::swap(w, h);
        const TRect r = PlaceText(Canvas, P1, w, h);
        if (!Meets(r, D))
            return false;
        DrawText(Canvas, r, BackGroundColor);
        FDrawRect = FClickRect = r;
        return true;
    }
    case ipasLine:
        if (!LineIntersectsRect({P1.X, P1.Y}, {P2.X, P2.Y}, {D.Left, D.Top, D.Right, D.Bottom}))
            return false;
        Canvas.MoveTo(P1.X, P1.Y);
        Canvas.LineTo(P2.X, P2.Y);
        return true;
    case ipasLineX:
    case ipasLineY: {
        // Along the other axis over the whole data view; vertical for LineX unless swapped.
        const bool vertical = (FStyle == ipasLineX) != rev;
        const int p = vertical ? P1.X : P1.Y;
        if (vertical ? (p < D.Left || p > D.Right) : (p < D.Top || p > D.Bottom))
            return false;
        if (vertical) {
            Canvas.MoveTo(p, D.Top);
            Canvas.LineTo(p, D.Bottom);
            FDrawRect = FClickRect = {p - 5, D.Top, p + 5, D.Bottom};
        } else {
            Canvas.MoveTo(D.Left, p);
            Canvas.LineTo(D.Right, p);
            FDrawRect = FClickRect = {D.Left, p - 5, D.Right, p + 5};
        }
        return true;
    }
    case ipasRectangle:
    case ipasEllipse2:
    case ipasRectangle2:
    case ipasEllipse: {
        const bool boxed = FStyle == ipasRectangle || FStyle == ipasEllipse2;
        const TRect r = boxed ? B : RectFromCorners(P1.X, P1.Y, P2.X, P2.Y);
        if (!Meets(r, D))
            return false;
        if (FStyle == ipasRectangle || FStyle == ipasRectangle2)
            Canvas.Rectangle(r);
        else
            Canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
        handles(r);
        return true;
    }
    case ipasTextRectangle: {
        if (!Meets(B, D))
            return false;
        Canvas.Rectangle(B);
        Canvas.Font.Assign(FFont);
        const int w = GetMaxLineWidth(Canvas, FText), h = GetTextHeight(Canvas, FText);
        const int mx = int(std::lround(Canvas.TextWidth(QStringLiteral("0")) * FTextHorzMargin));
        const int my = int(std::lround(Canvas.TextHeight(QStringLiteral("A")) * FTextVertMargin));
        TRect t = B;
        if (FTextHorzAlignment == iahLeft)
            t = {B.Left + mx, t.Top, B.Left + mx + w, t.Bottom};
        else if (FTextHorzAlignment == iahRight)
            t = {B.Right - mx - w, t.Top, B.Right - mx, t.Bottom};
        if (FTextVertAlignment == iavTop)
            t = {t.Left, B.Top + my, t.Right, B.Top + my + h};
        else if (FTextVertAlignment == iavBottom)
            t = {t.Left, B.Bottom - my - h, t.Right, B.Bottom - my};
        DrawText(Canvas, t, BackGroundColor);
        handles(B);
        return true;
    }
    case ipasTextBox: {
        Canvas.Font.Assign(FFont);
        const int w = GetMaxLineWidth(Canvas, FText) + 2 * FOuterMargin;
        const int h = GetTextHeight(Canvas, FText) + 2 * FOuterMargin;
        const TRect box = PlaceText(Canvas, P1, w, h);
        if (!Meets(box, D))
            return false;
        Canvas.Rectangle(box);
        DrawText(Canvas,
                 {box.Left + FOuterMargin, box.Top + FOuterMargin, box.Right - FOuterMargin,
                  box.Bottom - FOuterMargin},
                 BackGroundColor);
        FDrawRect = FClickRect = box;
        return true;
    }
    case ipasImage: {
        QImage image;
        if (!FImage.isNull()) {
            image = FImage.convertToFormat(QImage::Format_ARGB32);
            const QRgb transparent = image.pixel(0, image.height() - 1);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) == transparent)
                        image.setPixel(x, y, qRgba(0, 0, 0, 0));
        } else {
            TCustomImageList* list = FOwner ? FOwner->ImageList(std::clamp(FImageListIndex, 0, 2)) : nullptr;
            if (!list || FImageIndex < 0 || FImageIndex >= list->Count())
                return false;
            const TRect r{P1.X - list->Width() / 2, P1.Y - list->Height() / 2,
                          P1.X - list->Width() / 2 + list->Width(),
                          P1.Y - list->Height() / 2 + list->Height()};
            if (!Meets(r, D))
                return false;
            list->Draw(Canvas, r.Left, r.Top, FImageIndex, Enabled());
            FDrawRect = FClickRect = r;
            return true;
        }
        const TRect r{P1.X - image.width() / 2, P1.Y - image.height() / 2,
                      P1.X - image.width() / 2 + image.width(), P1.Y - image.height() / 2 + image.height()};
        if (!Meets(r, D))
            return false;
        Canvas.Draw(r.Left, r.Top, image);
        FDrawRect = FClickRect = r;
        return true;
    }
    case ipasPolygon: {
        if (FPolyPoints.size() < 2)
            return false;
        std::vector<TPoint> points;
        TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (const TcPlotAnnotationPoint& v : FPolyPoints) {
            const TPoint p = PointXY(rev, ToPixels(PositionX, v.X), ToPixels(PositionY, v.Y));
            points.push_back(p);
            box = {std::min(box.Left, p.X), std::min(box.Top, p.Y), std::max(box.Right, p.X + 1),
                   std::max(box.Bottom, p.Y + 1)};
        }
        if (!Meets(box, D))
            return false;
        Canvas.Polygon(points);
        handles(box);
        return true;
    }
    }
    return false;
}

// Mouse.

bool TcPlotAnnotation::iHitTest(const TcPlotMouseData& M)
{
    if (FSelectModeOnlyInteraction && !(FOwner && FOwner->SelectModeActive()))
        return false;
    if (!FShowing)
        return false;
    const TPoint p{M.X, M.Y};
    if (FClickRect.Contains(p))
        return true;
    return std::any_of(std::begin(FHandle), std::end(FHandle), [&](const TRect& h) { return h.Contains(p); });
}

int TcPlotAnnotation::GetMouseCursor(TPoint P)
{
    int cursor = -21;
    if (UserSelected() && Sizable()) {
        if (FHandle[0].Contains(P) || FHandle[3].Contains(P))
            cursor = -8;
        else if (FHandle[1].Contains(P) || FHandle[2].Contains(P))
            cursor = -6;
    }
    return CustomizeMouseCursor(cursor);
}

void TcPlotAnnotation::DoMouseLeft(const TcPlotMouseData& M)
{
    if (!FShowing)
        return;
    FSelectStyle = ipassNone;
    const TPoint p{M.X, M.Y};
    if (Sizable()) {
        if (FHandle[0].Contains(p))
            FSelectStyle = ipassSizeTopLeft;
        else if (FHandle[3].Contains(p))
            FSelectStyle = ipassSizeBottomRight;
        else if (FHandle[1].Contains(p))
            FSelectStyle = ipassSizeTopRight;
        else if (FHandle[2].Contains(p))
            FSelectStyle = ipassSizeBottomLeft;
    }
    if (FSelectStyle == ipassNone && FUserCanMove)
        FSelectStyle = ipassMove;
    FMouseDownRect = FDrawRect;
    FMouseDownXValue = FX;
    FMouseDownYValue = FY;
    FMouseDownX2Value = FX2;
    FMouseDownY2Value = FY2;
    FMouseDownX = M.X;
    FMouseDownY = M.Y;
    FMouseDownPositionPixelsX = ToPixels(PositionX, FX);
    FMouseDownPositionPixelsY = ToPixels(PositionY, FY);
    FRectChange = false;
}

void TcPlotAnnotation::DoMouseMove(const TcPlotMouseData& M)
{
    if (!UserSelected() || !FMouseDown || FSelectStyle == ipassNone)
        return;
    const int dx = M.X - FMouseDownX, dy = M.Y - FMouseDownY;
    if (FSelectStyle == ipassMove) {
        // The mouse movement along the X and the Y axis.
        const TPoint d = PointXY(XYAxesReversed(), dx, dy);
        const double x = ToValue(PositionX, FMouseDownPositionPixelsX + d.X);
        const double y = ToValue(PositionY, FMouseDownPositionPixelsY + d.Y);
        FX = x;
        FY = y;
        if (FStyle == ipasEllipse || FStyle == ipasRectangle2) {
            FX2 = FMouseDownX2Value - FMouseDownXValue + x;
            FY2 = FMouseDownY2Value - FMouseDownYValue + y;
        }
        FRectChange = true;
        DoChange();
        FireEvent(TcPlotEventKind::AnnotationMoveUser);
        FireEvent(TcPlotEventKind::AnnotationCoordinatesChange);
        return;
    }
    TRect r = FMouseDownRect;
    if (FSelectStyle == ipassSizeTopLeft || FSelectStyle == ipassSizeBottomLeft)
        r.Left += dx;
    else
        r.Right += dx;
    if (FSelectStyle == ipassSizeTopLeft || FSelectStyle == ipassSizeTopRight)
        r.Top += dy;
    else
        r.Bottom += dy;
    // The rectangle's edges along the X and the Y axis.
    const bool rev = XYAxesReversed();
    const int x1 = rev ? r.Top : r.Left, x2 = rev ? r.Bottom : r.Right;
    const int y1 = rev ? r.Left : r.Top, y2 = rev ? r.Right : r.Bottom;
    if (FStyle == ipasEllipse || FStyle == ipasRectangle2) {
        FX = ToValue(PositionX, x1);
        FY = ToValue(PositionY, y1);
        FX2 = ToValue(PositionX, x2);
        FY2 = ToValue(PositionY, y2);
    } else {
        FX = (ToValue(PositionX, x1) + ToValue(PositionX, x2)) / 2;
        FY = (ToValue(PositionY, y1) + ToValue(PositionY, y2)) / 2;
        FWidth = std::fabs(ToValue(SizeX, x2) - ToValue(SizeX, x1));
        FHeight = std::fabs(ToValue(SizeY, y2) - ToValue(SizeY, y1));
    }
    FRectChange = true;
    DoChange();
    FireEvent(TcPlotEventKind::AnnotationCoordinatesChange);
    FireEvent(TcPlotEventKind::AnnotationResizeUser);
}

void TcPlotAnnotation::DoMouseUp(const TcPlotMouseData& M)
{
    if (!FMouseDown)
        return;
    if (iHitTest(M))
        FireEvent(M.DblClickActive ? TcPlotEventKind::DblClick : TcPlotEventKind::Click);
    if (FRectChange)
        FireEvent(TcPlotEventKind::AnnotationCoordinatesChangeFinished);
    FRectChange = false;
    FSelectStyle = ipassNone;
}

// Notifications.

void TcPlotAnnotation::NotificationRemove(TcPlotObject* AObject)
{
    if (AObject == FChannel)
        FChannel = nullptr;
    if (AObject == FDataView)
        FDataView = nullptr;
}

void TcPlotAnnotation::NotificationRename(TcPlotObject* AObject)
{
    if (AObject == FChannel)
        FChannelName = AObject->Name();
}

void TcPlotAnnotation::NotificationSetFocus(TcPlotObject* AObject)
{
    if (AObject != this && AObject->UserSelected())
        SetUserSelected(false);
}

} // namespace chart
