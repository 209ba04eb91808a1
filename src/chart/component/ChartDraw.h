// The chart family's shared drawing and measuring functions: colour shading, text in a rectangle
// with the embossed disabled look, text turned by quarter turns, the two-colour gradient, button
// frames, focus rectangles, text measuring and the point/rectangle makers that can exchange X and
// Y; and the others: key states, owner-form lookup, focus, page index and the printer's paper
// size. Stateless; they draw through the framework's TCanvas and measure through its metrics seam.
#pragma once

#include "chart/core/ChartFormat.h"
#include "framework/Canvas.h"
#include "framework/Types.h"

#include <cstdint>
#include <functional>
#include <optional>

class QImage;
class QObject;
class QTabWidget;
class QWidget;

namespace chart
{

using fw::TCanvas;
using fw::TColor;
using fw::TPoint;
using fw::TRect;

enum TcRotationAngle : std::uint8_t { ira000, ira090, ira180, ira270 };
enum TcAlignmentHorizontal : std::uint8_t { iahCenter, iahLeft, iahRight };
enum TcFillDirection : std::uint8_t {
    ifdTopBottom,
    ifdBottomTop,
    ifdLeftRight,
    ifdRightLeft,
    ifdTopLeftBottomRight,
    ifdBottomRightTopLeft,
    ifdBottomLeftTopRight,
    ifdTopRightBottomLeft,
    ifdRectangleOut,
    ifdRectangleIn,
    ifdCircleOut,
    ifdCircleIn
};

// Text-drawing flags beyond the framework's.
enum : unsigned { DT_PATH_ELLIPSIS = 0x4000, DT_MODIFYSTRING = 0x10000, DT_WORD_ELLIPSIS = 0x40000 };

// The library's 16-bit text layout word as text-drawing flags (528, 649, 2560 and 73 are the
// words the family uses).
unsigned TextLayoutToDrawTextFlags(std::uint16_t layout);

TColor ShiftColor(TColor color, int amount, bool lighten);

// Draws Text into Rect with text-drawing flags; disabled text (unless measuring or on a black
// background) is embossed: a light copy one pixel down-right, then a dark one in place. Returns
// the text height.
int DrawTextInRect(TCanvas& Canvas, const QString& Text, TRect& Rect, unsigned Flags, bool Enabled,
                   TColor BackGroundColor);
// Draws Text about the centre of Rect turned by a quarter-turn count; DrawnRect gets the area
// the text covers.
void DrawRotatedText(TCanvas& Canvas, const QString& Text, const TRect& Rect, TcRotationAngle Rotation,
                     TcAlignmentHorizontal Alignment, bool Enabled, TColor BackGroundColor, TRect& DrawnRect);
// The start colour lies on the side the direction's name begins with (the top row of
// ifdTopBottom). A fill of 0 steps draws nothing.
void FillGradient(TCanvas& Canvas, const TRect& Rect, TcFillDirection Direction, TColor StartColor,
                  TColor StopColor);
// 0 sunken, 1 raised, 2 a one-pixel button-shadow frame through the corners; others draw nothing.
void DrawButtonFrame(TCanvas& Canvas, const TRect& Rect, int Style);
void DrawFocusRectangle(TCanvas& Canvas, const TRect& Rect);

// Reads a picture file of at most MaxImageFileSize bytes; false with the reason when it cannot.
constexpr std::size_t MaxImageFileSize = 64 * 1024 * 1024;
bool LoadImageFile(const QString& FileName, QImage& Image, QString* Error);

int GetMaxLineWidth(TCanvas& Canvas, const QString& Text);
int GetTextHeight(TCanvas& Canvas, const QString& Text);
int WrappedTextHeight(TCanvas& Canvas, const QString& Text, int Width);

inline TPoint PointXY(bool Exchange, int X, int Y)
{
    return Exchange ? TPoint{Y, X} : TPoint{X, Y};
}
TRect RectFromCorners(int X1, int Y1, int X2, int Y2);
inline TRect RectFromCornersXY(bool Exchange, int X1, int Y1, int X2, int Y2)
{
    return Exchange ? RectFromCorners(Y1, X1, Y2, X2) : RectFromCorners(X1, Y1, X2, Y2);
}
inline void SwapIntegers(int& A, int& B)
{
    std::swap(A, B);
}
struct TcDoublePoint {
    double X = 0;
    double Y = 0;
};
inline TcDoublePoint MakeDoublePoint(double X, double Y)
{
    return {X, Y};
}

// The key state at the moment of the call; tests may install their own source.
bool IsShiftKeyDown();
bool IsControlKeyDown();
void SetKeyStateSource(std::function<bool(bool control)> source);

// Walks the parents of Component (not Component itself): the first form or window met, otherwise
// the outermost widget; nullptr when there is none.
QWidget* GetOwnerForm(const QObject* Component);
// Gives the keyboard focus to the control's window.
void SetFocusTo(QWidget* Control);
// Makes page Index active when it is a page of Pages; other indexes change nothing.
void SetActivePageIndex(QTabWidget* Pages, int Index);
// The active page's index; -1 when no page is active.
int GetActivePageIndex(const QTabWidget* Pages);

} // namespace chart
