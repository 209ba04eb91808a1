// The object layer over the smooth-drawing flat functions: one class per native object kind, each
// owning its handle, forwarding each operation to one flat function and keeping the last failing
// status (never throwing). Objects live for one paint; the three generic families for the process.
// UI thread.
#pragma once

#include "base/Rounding.h"
#include "framework/Colors.h"
#include "framework/Fonts.h"
#include "framework/Types.h"
#include "framework/gdiplus/GdiPlusFlat.h"

#include <QString>
#include <cmath>

namespace gp
{

using namespace gdip;

struct TGPPointF {
    REAL X = 0, Y = 0;
};
struct TGPPoint {
    int X = 0, Y = 0;
};
struct TGPRectF {
    REAL X = 0, Y = 0, Width = 0, Height = 0;
};
struct TGPRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

inline TGPPoint NewGPPoint(int x, int y)
{
    return {x, y};
}
inline TGPPointF NewGPPointF(REAL x, REAL y)
{
    return {x, y};
}
inline TGPRectF NewGPRectF(REAL x, REAL y, REAL w, REAL h)
{
    return {x, y, w, h};
}

enum TGPImageFormat {
    ifUndefined,
    ifMemoryBMP,
    ifBMP,
    ifEMF,
    ifWMF,
    ifJPEG,
    ifPNG,
    ifGIF,
    ifTIFF,
    ifEXIF,
    ifIcon
};
enum TFxGradientType {
    gtSolid,
    gtRadial,
    gtVertical,
    gtHorizontal,
    gtForwardDiagonal,
    gtBackwardDiagonal,
    gtAngle,
    gtHatch,
    gtPath,
    gtTexture,
    gtNone
};

// Colours.
constexpr ARGB ComposeArgb(std::uint8_t a, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return (ARGB(a) << 24) | (ARGB(r) << 16) | (ARGB(g) << 8) | ARGB(b);
}
constexpr ARGB OpaqueArgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return ComposeArgb(255, r, g, b);
}
ARGB ArgbFromColor(std::uint8_t alpha, fw::TColor c);
inline ARGB OpaqueArgbFromColor(fw::TColor c)
{
    return ArgbFromColor(255, c);
}
constexpr std::uint8_t ArgbRed(ARGB c)
{
    return (c >> 16) & 0xFF;
}
constexpr std::uint8_t ArgbGreen(ARGB c)
{
    return (c >> 8) & 0xFF;
}
constexpr std::uint8_t ArgbBlue(ARGB c)
{
    return c & 0xFF;
}

class TGPMatrix;
class TGPRegion;
class TGPGraphicsPath;
class TGPImage;
class TGPFont;
class TGPFontFamily;
class TGPStringFormat;
class TGPImageAttributes;

// Shared status rule: a failure is kept, Ok leaves the last failure in place.
class TGdiplusBase
{
  protected:
    Status Keep(Status s, Status& field)
    {
        if (s != Ok)
            field = s;
        return s;
    }
};

class TGPBrush : public TGdiplusBase
{
  public:
    TGPBrush() : lastResult(NotImplemented) {}
    TGPBrush(GpBrush* native, Status status) : nativeBrush(native), lastResult(status) {}
    ~TGPBrush()
    {
        if (nativeBrush)
            GdipDeleteBrush(nativeBrush);
    }
    TGPBrush(const TGPBrush&) = delete;
    TGPBrush& operator=(const TGPBrush&) = delete;
    GpBrush* Native() const { return nativeBrush; }
    Status GetLastStatus()
    {
        Status s = lastResult;
        lastResult = Ok;
        return s;
    }

  protected:
    GpBrush* nativeBrush = nullptr;
    Status lastResult = Ok;
};

class TGPSolidBrush : public TGPBrush
{
  public:
    explicit TGPSolidBrush(ARGB color) { lastResult = GdipCreateSolidFill(color, &nativeBrush); }
};

class TGPHatchBrush : public TGPBrush
{
  public:
    TGPHatchBrush(int style, ARGB fore, ARGB back)
    {
        lastResult = GdipCreateHatchBrush(style, fore, back, &nativeBrush);
    }
};

class TGPTextureBrush : public TGPBrush
{
  public:
    TGPTextureBrush(TGPImage* image, WrapMode wrap);
};

class TGPLinearGradientBrush : public TGPBrush
{
  public:
    TGPLinearGradientBrush(TGPPointF p1, TGPPointF p2, ARGB c1, ARGB c2);
    TGPLinearGradientBrush(TGPRectF r, ARGB c1, ARGB c2, LinearGradientMode mode);
    TGPLinearGradientBrush(TGPRectF r, ARGB c1, ARGB c2, REAL angle, bool isAngleScalable);
    Status SetGammaCorrection(bool value)
    {
        return Keep(GdipSetLineGammaCorrection(nativeBrush, value), lastResult);
    }
    Status SetInterpolationColors(const ARGB* colors, const REAL* positions, int count);
};

class TGPPathGradientBrush : public TGPBrush
{
  public:
    explicit TGPPathGradientBrush(TGPGraphicsPath* path);
    Status SetCenterColor(ARGB c);
    Status GetCenterColor(ARGB& c);
    Status SetCenterPoint(TGPPointF p)
    {
        return Keep(GdipSetPathGradientCenterPoint(nativeBrush, reinterpret_cast<GpPointF*>(&p)), lastResult);
    }
    Status GetCenterPoint(TGPPointF& p)
    {
        return Keep(GdipGetPathGradientCenterPoint(nativeBrush, reinterpret_cast<GpPointF*>(&p)), lastResult);
    }
    int GetPointCount();
    Status SetSurroundColors(const ARGB* colors, int& count);
    Status GetSurroundColors(ARGB* colors, int& count);
    Status SetInterpolationColors(const ARGB* colors, const REAL* positions, int count);
    Status SetWrapMode(WrapMode w) { return Keep(GdipSetPathGradientWrapMode(nativeBrush, w), lastResult); }
    Status SetGammaCorrection(bool value)
    {
        return Keep(GdipSetPathGradientGammaCorrection(nativeBrush, value), lastResult);
    }
};

class TGPPen : public TGdiplusBase
{
  public:
    TGPPen(ARGB color, REAL width = 1) { lastResult = GdipCreatePen1(color, width, UnitWorld, &nativePen); }
    TGPPen(TGPBrush* brush, REAL width)
    {
        lastResult = GdipCreatePen2(brush ? brush->Native() : nullptr, width, UnitWorld, &nativePen);
    }
    ~TGPPen()
    {
        if (nativePen)
            GdipDeletePen(nativePen);
    }
    TGPPen(const TGPPen&) = delete;
    TGPPen& operator=(const TGPPen&) = delete;
    Status SetDashStyle(DashStyle s) { return Keep(GdipSetPenDashStyle(nativePen, s), lastResult); }
    DashStyle GetDashStyle();
    GpPen* Native() const { return nativePen; }
    Status GetLastStatus()
    {
        Status s = lastResult;
        lastResult = Ok;
        return s;
    }

  private:
    GpPen* nativePen = nullptr;
    Status lastResult = Ok;
};

class TGPGraphicsPath : public TGdiplusBase
{
  public:
    explicit TGPGraphicsPath(FillMode mode = FillModeAlternate)
    {
        lastResult = GdipCreatePath(mode, &nativePath);
    }
    ~TGPGraphicsPath()
    {
        if (nativePath)
            GdipDeletePath(nativePath);
    }
    TGPGraphicsPath(const TGPGraphicsPath&) = delete;
    TGPGraphicsPath& operator=(const TGPGraphicsPath&) = delete;
    Status Reset() { return Keep(GdipResetPath(nativePath), lastResult); }
    Status CloseFigure() { return Keep(GdipClosePathFigure(nativePath), lastResult); }
    Status AddLine(REAL x1, REAL y1, REAL x2, REAL y2)
    {
        return Keep(GdipAddPathLine(nativePath, x1, y1, x2, y2), lastResult);
    }
    Status AddLine(TGPPointF a, TGPPointF b) { return AddLine(a.X, a.Y, b.X, b.Y); }
    Status AddLines(const TGPPoint* points, int count)
    {
        return Keep(GdipAddPathLine2I(nativePath, reinterpret_cast<const GpPoint*>(points), count),
                    lastResult);
    }
    Status AddRectangle(TGPRectF r)
    {
        return Keep(GdipAddPathRectangle(nativePath, r.X, r.Y, r.Width, r.Height), lastResult);
    }
    Status AddArc(REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep)
    {
        return Keep(GdipAddPathArc(nativePath, x, y, w, h, start, sweep), lastResult);
    }
    Status AddArc(TGPRectF r, REAL start, REAL sweep)
    {
        return AddArc(r.X, r.Y, r.Width, r.Height, start, sweep);
    }
    Status AddEllipse(REAL x, REAL y, REAL w, REAL h)
    {
        return Keep(GdipAddPathEllipse(nativePath, x, y, w, h), lastResult);
    }
    Status AddEllipse(TGPRectF r) { return AddEllipse(r.X, r.Y, r.Width, r.Height); }
    Status AddPie(TGPRectF r, REAL start, REAL sweep)
    {
        return Keep(GdipAddPathPie(nativePath, r.X, r.Y, r.Width, r.Height, start, sweep), lastResult);
    }
    Status AddPolygon(const TGPPointF* points, int count)
    {
        return Keep(GdipAddPathPolygon(nativePath, reinterpret_cast<const GpPointF*>(points), count),
                    lastResult);
    }
    int GetPointCount();
    GpPath* Native() const { return nativePath; }
    Status GetLastStatus()
    {
        Status s = lastResult;
        lastResult = Ok;
        return s;
    }

  private:
    GpPath* nativePath = nullptr;
    Status lastResult = Ok;
};

class TGPRegion : public TGdiplusBase
{
  public:
    explicit TGPRegion(TGPRectF r)
    {
        lastResult = GdipCreateRegionRect(reinterpret_cast<GpRectF*>(&r), &nativeRegion);
    }
    explicit TGPRegion(TGPGraphicsPath* path)
    {
        lastResult = GdipCreateRegionPath(path ? path->Native() : nullptr, &nativeRegion);
    }
    ~TGPRegion()
    {
        if (nativeRegion)
            GdipDeleteRegion(nativeRegion);
    }
    TGPRegion(const TGPRegion&) = delete;
    TGPRegion& operator=(const TGPRegion&) = delete;
    Status Exclude(TGPGraphicsPath* path)
    {
        return Keep(GdipCombineRegionPath(nativeRegion, path ? path->Native() : nullptr, CombineModeExclude),
                    lastResult);
    }
    Status Union(TGPRegion* other)
    {
        return Keep(
            GdipCombineRegionRegion(nativeRegion, other ? other->nativeRegion : nullptr, CombineModeUnion),
            lastResult);
    }
    GpRegion* Native() const { return nativeRegion; }

  private:
    GpRegion* nativeRegion = nullptr;
    Status lastResult = Ok;
};

class TGPMatrix : public TGdiplusBase
{
  public:
    TGPMatrix() { lastResult = GdipCreateMatrix(&nativeMatrix); }
    TGPMatrix(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy)
    {
        lastResult = GdipCreateMatrix2(m11, m12, m21, m22, dx, dy, &nativeMatrix);
    }
    explicit TGPMatrix(GpMatrix* native) : nativeMatrix(native) {}
    ~TGPMatrix()
    {
        if (nativeMatrix)
            GdipDeleteMatrix(nativeMatrix);
    }
    TGPMatrix(const TGPMatrix&) = delete;
    TGPMatrix& operator=(const TGPMatrix&) = delete;
    TGPMatrix* Clone();
    Status GetElements(REAL* e) { return Keep(GdipGetMatrixElements(nativeMatrix, e), lastResult); }
    Status SetElements(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy)
    {
        return Keep(GdipSetMatrixElements(nativeMatrix, m11, m12, m21, m22, dx, dy), lastResult);
    }
    Status Reset() { return SetElements(1, 0, 0, 1, 0, 0); }
    REAL OffsetX();
    REAL OffsetY();
    Status Multiply(TGPMatrix* m, MatrixOrder order = MatrixOrderPrepend)
    {
        return Keep(GdipMultiplyMatrix(nativeMatrix, m ? m->nativeMatrix : nullptr, order), lastResult);
    }
    Status Translate(REAL dx, REAL dy, MatrixOrder order = MatrixOrderPrepend)
    {
        return Keep(GdipTranslateMatrix(nativeMatrix, dx, dy, order), lastResult);
    }
    Status Scale(REAL sx, REAL sy, MatrixOrder order = MatrixOrderPrepend)
    {
        return Keep(GdipScaleMatrix(nativeMatrix, sx, sy, order), lastResult);
    }
    Status Rotate(REAL angle, MatrixOrder order = MatrixOrderPrepend)
    {
        return Keep(GdipRotateMatrix(nativeMatrix, angle, order), lastResult);
    }
    Status RotateAt(REAL angle, TGPPointF center, MatrixOrder order = MatrixOrderPrepend);
    Status Invert() { return Keep(GdipInvertMatrix(nativeMatrix), lastResult); }
    Status TransformPoints(TGPPointF* pts, int count)
    {
        return Keep(GdipTransformMatrixPoints(nativeMatrix, reinterpret_cast<GpPointF*>(pts), count),
                    lastResult);
    }
    bool IsIdentity();
    GpMatrix* Native() const { return nativeMatrix; }
    Status GetLastStatus()
    {
        Status s = lastResult;
        lastResult = Ok;
        return s;
    }

  private:
    GpMatrix* nativeMatrix = nullptr;
    Status lastResult = Ok;
};

class TGPFontFamily : public TGdiplusBase
{
  public:
    explicit TGPFontFamily(const QString& name)
    {
        lastResult = GdipCreateFontFamilyFromName(name, &nativeFamily);
    }
    TGPFontFamily(GpFontFamily* native, Status status) : nativeFamily(native), lastResult(status) {}
    ~TGPFontFamily()
    {
        if (nativeFamily)
            GdipDeleteFontFamily(nativeFamily);
    }
    TGPFontFamily(const TGPFontFamily&) = delete;
    TGPFontFamily& operator=(const TGPFontFamily&) = delete;
    static TGPFontFamily* GenericSansSerif();
    GpFontFamily* Native() const { return nativeFamily; }
    Status GetLastStatus() const { return lastResult; }

  private:
    GpFontFamily* nativeFamily = nullptr;
    Status lastResult = Ok;
};

class TGPFont : public TGdiplusBase
{
  public:
    TGPFont(TGPFontFamily* family, REAL emSize, int style = FontStyleRegular, Unit unit = UnitPoint);
    TGPFont(const QString& familyName, REAL emSize, int style = FontStyleRegular, Unit unit = UnitPoint);
    ~TGPFont()
    {
        if (nativeFont)
            GdipDeleteFont(nativeFont);
    }
    TGPFont(const TGPFont&) = delete;
    TGPFont& operator=(const TGPFont&) = delete;
    GpFont* Native() const { return nativeFont; }
    Status GetLastStatus() const { return lastResult; }

  private:
    GpFont* nativeFont = nullptr;
    Status lastResult = Ok;
};

class TGPStringFormat : public TGdiplusBase
{
  public:
    explicit TGPStringFormat(int flags = 0, int language = 0)
    {
        lastError = GdipCreateStringFormat(flags, language, &nativeFormat);
    }
    ~TGPStringFormat()
    {
        if (nativeFormat)
            GdipDeleteStringFormat(nativeFormat);
    }
    TGPStringFormat(const TGPStringFormat&) = delete;
    TGPStringFormat& operator=(const TGPStringFormat&) = delete;
    Status SetAlignment(StringAlignment a)
    {
        return Keep(GdipSetStringFormatAlign(nativeFormat, a), lastError);
    }
    StringAlignment GetAlignment();
    Status SetLineAlignment(StringAlignment a)
    {
        return Keep(GdipSetStringFormatLineAlign(nativeFormat, a), lastError);
    }
    StringAlignment GetLineAlignment();
    GpStringFormat* Native() const { return nativeFormat; }

  private:
    GpStringFormat* nativeFormat = nullptr;
    Status lastError = Ok;
};

class TGPImage : public TGdiplusBase
{
  public:
    // Decodes the bytes of an image file (kept by the caller).
    explicit TGPImage(const QByteArray& bytes) { lastResult = GdipLoadImageFromBytes(bytes, &nativeImage); }
    TGPImage(GpImage* native, Status status) : nativeImage(native), lastResult(status) {}
    virtual ~TGPImage()
    {
        if (nativeImage)
            GdipDisposeImage(nativeImage);
    }
    TGPImage(const TGPImage&) = delete;
    TGPImage& operator=(const TGPImage&) = delete;
    unsigned GetWidth();
    unsigned GetHeight();
    int GetPixelFormat();
    int GetPixelDepth() { return (GetPixelFormat() >> 8) & 0xFF; }
    bool HasAlphaChannel() { return (GetPixelFormat() & PixelFormatAlpha) != 0; }
    bool HasPalette() { return (GetPixelFormat() & PixelFormatIndexed) != 0; }
    TGPImageFormat GetFormat();
    GpImage* Native() const { return nativeImage; }
    Status GetLastStatus()
    {
        Status s = lastResult;
        lastResult = Ok;
        return s;
    }

  protected:
    TGPImage() = default;
    GpImage* nativeImage = nullptr;
    Status lastResult = Ok;
};

class TGPBitmap : public TGPImage
{
  public:
    explicit TGPBitmap(const QByteArray& bytes) : TGPImage(bytes) {}
    TGPBitmap(int width, int height, int pixelFormat = PixelFormat32bppARGB)
    {
        lastResult = GdipCreateBitmapFromScan0(width, height, pixelFormat, &nativeImage);
    }
    Status GetPixel(int x, int y, ARGB& color)
    {
        return Keep(GdipBitmapGetPixel(nativeImage, x, y, &color), lastResult);
    }
    Status SetPixel(int x, int y, ARGB color)
    {
        return Keep(GdipBitmapSetPixel(nativeImage, x, y, color), lastResult);
    }
};

class TGPImageAttributes : public TGdiplusBase
{
  public:
    TGPImageAttributes() { lastResult = GdipCreateImageAttributes(&nativeImageAttr); }
    ~TGPImageAttributes()
    {
        if (nativeImageAttr)
            GdipDisposeImageAttributes(nativeImageAttr);
    }
    TGPImageAttributes(const TGPImageAttributes&) = delete;
    TGPImageAttributes& operator=(const TGPImageAttributes&) = delete;
    Status SetColorKey(ARGB low, ARGB high, ColorAdjustType type = ColorAdjustTypeDefault)
    {
        return Keep(GdipSetImageAttributesColorKeys(nativeImageAttr, type, true, low, high), lastResult);
    }
    Status ClearColorKey(ColorAdjustType type = ColorAdjustTypeDefault)
    {
        return Keep(GdipSetImageAttributesColorKeys(nativeImageAttr, type, false, 0, 0), lastResult);
    }
    Status SetGamma(REAL gamma, ColorAdjustType type = ColorAdjustTypeDefault)
    {
        return Keep(GdipSetImageAttributesGamma(nativeImageAttr, type, true, gamma), lastResult);
    }
    Status ClearGamma(ColorAdjustType type = ColorAdjustTypeDefault)
    {
        return Keep(GdipSetImageAttributesGamma(nativeImageAttr, type, false, 0), lastResult);
    }
    GpImageAttributes* Native() const { return nativeImageAttr; }
    Status GetLastStatus()
    {
        Status s = lastResult;
        lastResult = Ok;
        return s;
    }

  private:
    GpImageAttributes* nativeImageAttr = nullptr;
    Status lastResult = Ok;
};

class TGPGraphics : public TGdiplusBase
{
  public:
    explicit TGPGraphics(QPainter& painter) { lastResult = GdipCreateFromPainter(&painter, &nativeGraphics); }
    explicit TGPGraphics(TGPImage* image);
    ~TGPGraphics()
    {
        if (nativeGraphics)
            GdipDeleteGraphics(nativeGraphics);
    }
    TGPGraphics(const TGPGraphics&) = delete;
    TGPGraphics& operator=(const TGPGraphics&) = delete;

    Status Clear(ARGB color) { return Keep(GdipGraphicsClear(nativeGraphics, color), lastResult); }
    Status SetSmoothingMode(SmoothingMode m)
    {
        return Keep(GdipSetSmoothingMode(nativeGraphics, m), lastResult);
    }
    SmoothingMode GetSmoothingMode();
    Status SetTextRenderingHint(TextRenderingHint h)
    {
        return Keep(GdipSetTextRenderingHint(nativeGraphics, h), lastResult);
    }
    Status SetTransform(TGPMatrix* m)
    {
        return Keep(GdipSetWorldTransform(nativeGraphics, m ? m->Native() : nullptr), lastResult);
    }
    Status ResetTransform() { return Keep(GdipResetWorldTransform(nativeGraphics), lastResult); }
    Status SetClip(TGPRegion* r, CombineMode mode = CombineModeReplace)
    {
        return Keep(GdipSetClipRegion(nativeGraphics, r ? r->Native() : nullptr, mode), lastResult);
    }
    Status SetClip(TGPGraphicsPath* p, CombineMode mode = CombineModeReplace)
    {
        return Keep(GdipSetClipPath(nativeGraphics, p ? p->Native() : nullptr, mode), lastResult);
    }
    Status SetClip(TGPRectF r, CombineMode mode = CombineModeReplace)
    {
        return Keep(GdipSetClipRect(nativeGraphics, r.X, r.Y, r.Width, r.Height, mode), lastResult);
    }
    Status ExcludeClip(TGPRectF r) { return SetClip(r, CombineModeExclude); }
    Status ExcludeClip(TGPRegion* r) { return SetClip(r, CombineModeExclude); }
    Status ResetClip() { return Keep(GdipResetClip(nativeGraphics), lastResult); }
    Status DrawPath(TGPPen* pen, TGPGraphicsPath* path)
    {
        return Keep(
            GdipDrawPath(nativeGraphics, pen ? pen->Native() : nullptr, path ? path->Native() : nullptr),
            lastResult);
    }
    Status FillPath(TGPBrush* brush, TGPGraphicsPath* path)
    {
        return Keep(
            GdipFillPath(nativeGraphics, brush ? brush->Native() : nullptr, path ? path->Native() : nullptr),
            lastResult);
    }
    Status FillRectangle(TGPBrush* brush, TGPRectF r)
    {
        return FillRectangle(brush, r.X, r.Y, r.Width, r.Height);
    }
    Status FillRectangle(TGPBrush* brush, REAL x, REAL y, REAL w, REAL h)
    {
        return Keep(GdipFillRectangle(nativeGraphics, brush ? brush->Native() : nullptr, x, y, w, h),
                    lastResult);
    }
    Status FillEllipse(TGPBrush* brush, REAL x, REAL y, REAL w, REAL h)
    {
        return Keep(GdipFillEllipse(nativeGraphics, brush ? brush->Native() : nullptr, x, y, w, h),
                    lastResult);
    }
    Status FillPolygon(TGPBrush* brush, const TGPPointF* pts, int count, FillMode mode = FillModeAlternate)
    {
        return Keep(GdipFillPolygon(nativeGraphics, brush ? brush->Native() : nullptr,
                                    reinterpret_cast<const GpPointF*>(pts), count, mode),
                    lastResult);
    }
    Status FillPolygon(TGPBrush* brush, const TGPPoint* pts, int count, FillMode mode = FillModeAlternate)
    {
        return Keep(GdipFillPolygonI(nativeGraphics, brush ? brush->Native() : nullptr,
                                     reinterpret_cast<const GpPoint*>(pts), count, mode),
                    lastResult);
    }
    Status DrawRectangle(TGPPen* pen, TGPRectF r)
    {
        return Keep(
            GdipDrawRectangle(nativeGraphics, pen ? pen->Native() : nullptr, r.X, r.Y, r.Width, r.Height),
            lastResult);
    }
    Status DrawEllipse(TGPPen* pen, TGPRectF r)
    {
        return Keep(
            GdipDrawEllipse(nativeGraphics, pen ? pen->Native() : nullptr, r.X, r.Y, r.Width, r.Height),
            lastResult);
    }
    Status DrawArc(TGPPen* pen, REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep)
    {
        return Keep(GdipDrawArc(nativeGraphics, pen ? pen->Native() : nullptr, x, y, w, h, start, sweep),
                    lastResult);
    }
    Status DrawLine(TGPPen* pen, REAL x1, REAL y1, REAL x2, REAL y2)
    {
        return Keep(GdipDrawLine(nativeGraphics, pen ? pen->Native() : nullptr, x1, y1, x2, y2), lastResult);
    }
    Status DrawImage(TGPImage* image, REAL x, REAL y, REAL w, REAL h)
    {
        return Keep(GdipDrawImageRect(nativeGraphics, image ? image->Native() : nullptr, x, y, w, h),
                    lastResult);
    }
    Status DrawImage(TGPImage* image, TGPRectF r) { return DrawImage(image, r.X, r.Y, r.Width, r.Height); }
    Status DrawImage(TGPImage* image, int x, int y)
    {
        return Keep(GdipDrawImageI(nativeGraphics, image ? image->Native() : nullptr, x, y), lastResult);
    }
    Status DrawImageRect(TGPImage* image, int x, int y, int w, int h)
    {
        return DrawImage(image, REAL(x), REAL(y), REAL(w), REAL(h));
    }
    // Sub-pixel positions are dropped.
    Status DrawImageRect(TGPImage* image, TGPRectF r);
    Status DrawImage(TGPImage* image, TGPRectF dest, REAL sx, REAL sy, REAL sw, REAL sh, Unit srcUnit,
                     TGPImageAttributes* attributes);
    Status MeasureString(const QString& text, int length, TGPFont* font, TGPRectF layout,
                         TGPStringFormat* format, TGPRectF& box);
    Status MeasureString(const QString& text, int length, TGPFont* font, TGPRectF layout, TGPRectF& box)
    {
        return MeasureString(text, length, font, layout, nullptr, box);
    }
    Status DrawString(const QString& text, int length, TGPFont* font, TGPPointF origin, TGPBrush* brush)
    {
        return DrawString(text, length, font, TGPRectF{origin.X, origin.Y, 0, 0}, nullptr, brush);
    }
    Status DrawString(const QString& text, int length, TGPFont* font, TGPRectF layout,
                      TGPStringFormat* format, TGPBrush* brush);

    // A framework font as a drawing font (unknown family: "Arial"); the caller frees it.
    static TGPFont* MakeFont(const fw::TFont& font);
    int TextWidth(const QString& text, const fw::TFont& font);
    int TextHeight(const QString& text, const fw::TFont& font);
    // Like the window system's text call; returns the rectangle's height afterwards.
    int DrawText(const QString& text, int length, fw::TColor background, unsigned flags,
                 const fw::TFont& font, fw::TRect& rect);

    GpGraphics* Native() const { return nativeGraphics; }
    Status GetLastStatus()
    {
        Status s = lastResult;
        lastResult = Ok;
        return s;
    }

  private:
    GpGraphics* nativeGraphics = nullptr;
    Status lastResult = Ok;
};

// Round half to even, as the controls' rounding does.
inline int Round(double v)
{
    return RoundInt(v);
}

} // namespace gp
