// TCanvas: GDI's drawing rules over a QPainter that the caller owns (a widget paint or an off-screen
// QImage). Outlines and fills exclude the right and bottom edges, LineTo leaves out its end point,
// text is placed by its top-left corner, colours are TColor. Pen, brush and font are owned sub-objects.
// UI thread (or any thread for a QImage the caller owns).
#pragma once

#include "framework/Colors.h"
#include "framework/Fonts.h"
#include "framework/Types.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <vector>

namespace fw
{

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psAlternate };
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMerge, pmMask, pmXor, pmNotXor };
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// DrawText flags (the values of the platform's text-drawing call).
enum : unsigned {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_END_ELLIPSIS = 0x8000
};

// One drawing call as a recorder sees it: the call's name, its integer arguments, its text, and the
// pen, brush and font colours in force.
struct TCanvasOp {
    const char* Name = "";
    std::vector<int> Args;
    QString Text;
    TPen Pen;
    TBrush Brush;
    TColor FontColor = clBlack;
};

// A hook that sees every drawing call of every TCanvas on this thread, before it is drawn (tests and
// traces). Install it with TCanvasRecordScope.
class TCanvasRecorder
{
  public:
    virtual ~TCanvasRecorder() = default;
    virtual void Record(const TCanvasOp& op) = 0;
};

// Installs a recorder on this thread for its lifetime; scopes nest.
class TCanvasRecordScope
{
  public:
    explicit TCanvasRecordScope(TCanvasRecorder& recorder);
    ~TCanvasRecordScope();
    TCanvasRecordScope(const TCanvasRecordScope&) = delete;
    TCanvasRecordScope& operator=(const TCanvasRecordScope&) = delete;

  private:
    TCanvasRecorder* FPrevious;
};

class TCanvas
{
  public:
    explicit TCanvas(QPainter& painter);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;

    QPainter& Painter() { return FPainter; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    TPoint PenPos() const { return FPenPos; }
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polygon(const std::vector<TPoint>& points);
    void Polyline(const std::vector<TPoint>& points);
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void DrawFocusRect(const TRect& r);

    void TextOut(int x, int y, const QString& text);
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // Returns the height of the text; with DT_CALCRECT sets r's extent and draws nothing.
    int DrawText(const QString& text, TRect& r, unsigned flags);

    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);

    void Draw(int x, int y, const QImage& image);
    void StretchDraw(const TRect& r, const QImage& image);
    // Draws image leaving out the pixels of colour key (nearest-neighbour when stretched).
    void DrawTransparent(const TRect& r, const QImage& image, TColor key);

    void SetClipRect(const TRect& r);
    void IntersectClipRect(const TRect& r);
    void ResetClip();

  private:
    void Trace(const char* name, std::initializer_list<int> args, const QString& text = {}) const;
    void ApplyPen(bool cosmetic = true);
    void ApplyBrush();
    QRectF OutlineRect(int x1, int y1, int x2, int y2) const;
    void SetRasterOp();
    void SetCompositionMode(QPainter::CompositionMode mode);
    void PlotLine(int x0, int y0, int x1, int y1);

    QPainter& FPainter;
    TPoint FPenPos;
    // The pen last handed to the painter: a run of lines in one pen builds it once. It is used again
    // only while Pen holds the same values and the painter still holds that very pen.
    TPen FAppliedPen;
    bool FAppliedCosmetic = false;
    bool FPenApplied = false;
    QPen FAppliedQPen;
};

QImage MaskedCopy(const QImage& image, TColor key);

// What DrawText with DT_CALCRECT and these flags gives, without a painter: sets r's extent and
// returns the text's height.
int MeasureText(const TFont& font, const QString& text, TRect& r, unsigned flags);

} // namespace fw
