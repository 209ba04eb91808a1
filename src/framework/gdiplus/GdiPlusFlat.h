// Our stand-in for the smooth-drawing flat interface: the Gdip* functions that the picture, fill,
// fader and rounded-control code calls, over QPainter with antialiasing. Objects are plain structs
// owned by the caller through the matching Delete/Dispose call; every function returns a Status and
// never throws. Only the functions those controls use exist. UI thread (QImage targets: any thread).
#pragma once

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <array>
#include <cstdint>
#include <vector>

namespace gdip
{

using ARGB = std::uint32_t;
using REAL = float;

enum Status {
    Ok = 0,
    GenericError,
    InvalidParameter,
    OutOfMemory,
    ObjectBusy,
    InsufficientBuffer,
    NotImplemented,
    Win32Error,
    WrongState,
    Aborted,
    FileNotFound,
    ValueOverflow,
    AccessDenied,
    UnknownImageFormat,
    FontFamilyNotFound,
    FontStyleNotFound,
    NotTrueTypeFont,
    UnsupportedGdiplusVersion,
    GdiplusNotInitialized,
    PropertyNotFound,
    PropertyNotSupported
};
enum FillMode { FillModeAlternate = 0, FillModeWinding = 1 };
enum Unit { UnitWorld = 0, UnitDisplay, UnitPixel, UnitPoint, UnitInch, UnitDocument, UnitMillimeter };
enum SmoothingMode {
    SmoothingModeInvalid = -1,
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4
};
enum DashStyle {
    DashStyleSolid,
    DashStyleDash,
    DashStyleDot,
    DashStyleDashDot,
    DashStyleDashDotDot,
    DashStyleCustom
};
enum WrapMode { WrapModeTile, WrapModeTileFlipX, WrapModeTileFlipY, WrapModeTileFlipXY, WrapModeClamp };
enum LinearGradientMode {
    LinearGradientModeHorizontal,
    LinearGradientModeVertical,
    LinearGradientModeForwardDiagonal,
    LinearGradientModeBackwardDiagonal
};
enum CombineMode {
    CombineModeReplace,
    CombineModeIntersect,
    CombineModeUnion,
    CombineModeXor,
    CombineModeExclude,
    CombineModeComplement
};
enum MatrixOrder { MatrixOrderPrepend = 0, MatrixOrderAppend = 1 };
enum BrushType {
    BrushTypeSolidColor,
    BrushTypeHatchFill,
    BrushTypeTextureFill,
    BrushTypePathGradient,
    BrushTypeLinearGradient
};
enum HatchStyle {
    HatchStyleHorizontal,
    HatchStyleVertical,
    HatchStyleForwardDiagonal,
    HatchStyleBackwardDiagonal,
    HatchStyleCross,
    HatchStyleDiagonalCross,
    HatchStyle05Percent,
    HatchStyle10Percent,
    HatchStyle20Percent,
    HatchStyle25Percent,
    HatchStyle30Percent,
    HatchStyle40Percent,
    HatchStyle50Percent,
    HatchStyle60Percent,
    HatchStyle70Percent,
    HatchStyle75Percent,
    HatchStyle80Percent,
    HatchStyle90Percent,
    HatchStyleLightDownwardDiagonal,
    HatchStyleLightUpwardDiagonal,
    HatchStyleDarkDownwardDiagonal,
    HatchStyleDarkUpwardDiagonal,
    HatchStyleWideDownwardDiagonal,
    HatchStyleWideUpwardDiagonal,
    HatchStyleLightVertical,
    HatchStyleLightHorizontal,
    HatchStyleNarrowVertical,
    HatchStyleNarrowHorizontal,
    HatchStyleDarkVertical,
    HatchStyleDarkHorizontal,
    HatchStyleDashedDownwardDiagonal,
    HatchStyleDashedUpwardDiagonal,
    HatchStyleDashedHorizontal,
    HatchStyleDashedVertical,
    HatchStyleSmallConfetti,
    HatchStyleLargeConfetti,
    HatchStyleZigZag,
    HatchStyleWave,
    HatchStyleDiagonalBrick,
    HatchStyleHorizontalBrick,
    HatchStyleWeave,
    HatchStylePlaid,
    HatchStyleDivot,
    HatchStyleDottedGrid,
    HatchStyleDottedDiamond,
    HatchStyleShingle,
    HatchStyleTrellis,
    HatchStyleSphere,
    HatchStyleSmallGrid,
    HatchStyleSmallCheckerBoard,
    HatchStyleLargeCheckerBoard,
    HatchStyleOutlinedDiamond,
    HatchStyleSolidDiamond,
    HatchStyleTotal
};
// The 8 x 8 cell of a hatch style, one byte a row from the top, the high bit the left pixel; a set bit
// takes the fore colour. Styles outside the table give an empty cell.
using HatchCell = std::array<std::uint8_t, 8>;
HatchCell HatchPattern(int style);
enum StringAlignment { StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar };
enum TextRenderingHint {
    TextRenderingHintSystemDefault = 0,
    TextRenderingHintAntiAliasGridFit = 3,
    TextRenderingHintAntiAlias = 4,
    TextRenderingHintClearTypeGridFit = 5
};
enum ColorAdjustType { ColorAdjustTypeDefault = 0, ColorAdjustTypeBitmap, ColorAdjustTypeBrush };
enum FontStyle {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8
};
// Raw image formats, as our sniffing tells them apart.
enum RawFormat {
    RawUndefined,
    RawMemoryBMP,
    RawBMP,
    RawEMF,
    RawWMF,
    RawJPEG,
    RawPNG,
    RawGIF,
    RawTIFF,
    RawEXIF,
    RawIcon
};

constexpr int PixelFormatAlpha = 0x00040000;
constexpr int PixelFormatIndexed = 0x00010000;
constexpr int PixelFormat24bppRGB = 0x00021808;
constexpr int PixelFormat32bppRGB = 0x00022009;
constexpr int PixelFormat32bppARGB = 0x0026200A;
constexpr int PixelFormat8bppIndexed = 0x00030803;

struct GpPointF {
    REAL X, Y;
};
struct GpPoint {
    int X, Y;
};
struct GpRectF {
    REAL X, Y, Width, Height;
};
struct GpRect {
    int X, Y, Width, Height;
};

struct GpGraphics;
struct GpPen;
struct GpBrush;
struct GpPath;
struct GpRegion;
struct GpMatrix;
struct GpFontFamily;
struct GpFont;
struct GpStringFormat;
struct GpImage;
struct GpImageAttributes;

QColor ToQColor(ARGB c);

// Graphics.
Status GdipCreateFromPainter(QPainter* painter, GpGraphics** graphics);
Status GdipGetImageGraphicsContext(GpImage* image, GpGraphics** graphics);
Status GdipDeleteGraphics(GpGraphics* graphics);
Status GdipGraphicsClear(GpGraphics* g, ARGB color);
Status GdipSetSmoothingMode(GpGraphics* g, SmoothingMode mode);
Status GdipGetSmoothingMode(GpGraphics* g, SmoothingMode* mode);
Status GdipSetTextRenderingHint(GpGraphics* g, TextRenderingHint hint);
Status GdipGetTextRenderingHint(GpGraphics* g, TextRenderingHint* hint);
Status GdipSetWorldTransform(GpGraphics* g, GpMatrix* m);
Status GdipResetWorldTransform(GpGraphics* g);
Status GdipSetClipRect(GpGraphics* g, REAL x, REAL y, REAL w, REAL h, CombineMode mode);
Status GdipSetClipPath(GpGraphics* g, GpPath* path, CombineMode mode);
Status GdipSetClipRegion(GpGraphics* g, GpRegion* region, CombineMode mode);
Status GdipResetClip(GpGraphics* g);
Status GdipDrawPath(GpGraphics* g, GpPen* pen, GpPath* path);
Status GdipFillPath(GpGraphics* g, GpBrush* brush, GpPath* path);
Status GdipFillRectangle(GpGraphics* g, GpBrush* brush, REAL x, REAL y, REAL w, REAL h);
Status GdipFillEllipse(GpGraphics* g, GpBrush* brush, REAL x, REAL y, REAL w, REAL h);
Status GdipFillPolygon(GpGraphics* g, GpBrush* brush, const GpPointF* points, int count, FillMode mode);
Status GdipFillPolygonI(GpGraphics* g, GpBrush* brush, const GpPoint* points, int count, FillMode mode);
Status GdipDrawRectangle(GpGraphics* g, GpPen* pen, REAL x, REAL y, REAL w, REAL h);
Status GdipDrawEllipse(GpGraphics* g, GpPen* pen, REAL x, REAL y, REAL w, REAL h);
Status GdipDrawArc(GpGraphics* g, GpPen* pen, REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep);
Status GdipDrawLine(GpGraphics* g, GpPen* pen, REAL x1, REAL y1, REAL x2, REAL y2);
Status GdipDrawImageRect(GpGraphics* g, GpImage* image, REAL x, REAL y, REAL w, REAL h);
Status GdipDrawImageI(GpGraphics* g, GpImage* image, int x, int y);
Status GdipDrawImageRectRect(GpGraphics* g, GpImage* image, REAL dx, REAL dy, REAL dw, REAL dh, REAL sx,
                             REAL sy, REAL sw, REAL sh, Unit srcUnit, GpImageAttributes* attributes);
Status GdipMeasureString(GpGraphics* g, const QString& text, int length, GpFont* font, const GpRectF* layout,
                         GpStringFormat* format, GpRectF* box, int* codepointsFitted, int* linesFilled);
Status GdipDrawString(GpGraphics* g, const QString& text, int length, GpFont* font, const GpRectF* layout,
                      GpStringFormat* format, GpBrush* brush);

// Pens.
Status GdipCreatePen1(ARGB color, REAL width, Unit unit, GpPen** pen);
Status GdipCreatePen2(GpBrush* brush, REAL width, Unit unit, GpPen** pen);
Status GdipDeletePen(GpPen* pen);
Status GdipSetPenDashStyle(GpPen* pen, DashStyle style);
Status GdipGetPenDashStyle(GpPen* pen, DashStyle* style);

// Brushes.
Status GdipCreateSolidFill(ARGB color, GpBrush** brush);
Status GdipGetSolidFillColor(GpBrush* brush, ARGB* color);
Status GdipCreateHatchBrush(int style, ARGB fore, ARGB back, GpBrush** brush);
Status GdipCreateTexture(GpImage* image, WrapMode wrap, GpBrush** brush);
Status GdipCreateLineBrush(const GpPointF* p1, const GpPointF* p2, ARGB c1, ARGB c2, WrapMode wrap,
                           GpBrush** brush);
Status GdipCreateLineBrushFromRect(const GpRectF* rect, ARGB c1, ARGB c2, LinearGradientMode mode,
                                   WrapMode wrap, GpBrush** brush);
Status GdipCreateLineBrushFromRectWithAngle(const GpRectF* rect, ARGB c1, ARGB c2, REAL angle, bool scalable,
                                            WrapMode wrap, GpBrush** brush);
Status GdipSetLineGammaCorrection(GpBrush* brush, bool gamma);
Status GdipSetLinePresetBlend(GpBrush* brush, const ARGB* colors, const REAL* positions, int count);
Status GdipCreatePathGradientFromPath(GpPath* path, GpBrush** brush);
Status GdipSetPathGradientCenterColor(GpBrush* brush, ARGB color);
Status GdipGetPathGradientCenterColor(GpBrush* brush, ARGB* color);
Status GdipSetPathGradientCenterPoint(GpBrush* brush, const GpPointF* point);
Status GdipGetPathGradientCenterPoint(GpBrush* brush, GpPointF* point);
Status GdipGetPathGradientPointCount(GpBrush* brush, int* count);
Status GdipSetPathGradientSurroundColorsWithCount(GpBrush* brush, const ARGB* colors, int* count);
Status GdipGetPathGradientSurroundColorCount(GpBrush* brush, int* count);
Status GdipGetPathGradientSurroundColorsWithCount(GpBrush* brush, ARGB* colors, int* count);
Status GdipSetPathGradientPresetBlend(GpBrush* brush, const ARGB* colors, const REAL* positions, int count);
Status GdipSetPathGradientWrapMode(GpBrush* brush, WrapMode wrap);
Status GdipSetPathGradientGammaCorrection(GpBrush* brush, bool gamma);
Status GdipGetBrushType(GpBrush* brush, BrushType* type);
Status GdipDeleteBrush(GpBrush* brush);

// Paths and regions.
Status GdipCreatePath(FillMode mode, GpPath** path);
Status GdipDeletePath(GpPath* path);
Status GdipResetPath(GpPath* path);
Status GdipClosePathFigure(GpPath* path);
Status GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2);
Status GdipAddPathLine2I(GpPath* path, const GpPoint* points, int count);
Status GdipAddPathRectangle(GpPath* path, REAL x, REAL y, REAL w, REAL h);
Status GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep);
Status GdipAddPathEllipse(GpPath* path, REAL x, REAL y, REAL w, REAL h);
Status GdipAddPathPie(GpPath* path, REAL x, REAL y, REAL w, REAL h, REAL start, REAL sweep);
Status GdipAddPathPolygon(GpPath* path, const GpPointF* points, int count);
Status GdipGetPointCount(GpPath* path, int* count);
Status GdipCreateRegionRect(const GpRectF* rect, GpRegion** region);
Status GdipCreateRegionPath(GpPath* path, GpRegion** region);
Status GdipCombineRegionPath(GpRegion* region, GpPath* path, CombineMode mode);
Status GdipCombineRegionRegion(GpRegion* region, GpRegion* other, CombineMode mode);
Status GdipDeleteRegion(GpRegion* region);

// Matrices.
Status GdipCreateMatrix(GpMatrix** m);
Status GdipCreateMatrix2(REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy, GpMatrix** m);
Status GdipCloneMatrix(GpMatrix* m, GpMatrix** clone);
Status GdipDeleteMatrix(GpMatrix* m);
Status GdipGetMatrixElements(GpMatrix* m, REAL* elements);
Status GdipSetMatrixElements(GpMatrix* m, REAL m11, REAL m12, REAL m21, REAL m22, REAL dx, REAL dy);
Status GdipMultiplyMatrix(GpMatrix* m, GpMatrix* other, MatrixOrder order);
Status GdipTranslateMatrix(GpMatrix* m, REAL dx, REAL dy, MatrixOrder order);
Status GdipScaleMatrix(GpMatrix* m, REAL sx, REAL sy, MatrixOrder order);
Status GdipRotateMatrix(GpMatrix* m, REAL angle, MatrixOrder order);
Status GdipInvertMatrix(GpMatrix* m);
Status GdipTransformMatrixPoints(GpMatrix* m, GpPointF* points, int count);
Status GdipIsMatrixIdentity(GpMatrix* m, bool* result);

// Fonts and text formats.
Status GdipCreateFontFamilyFromName(const QString& name, GpFontFamily** family);
Status GdipGetGenericFontFamilySansSerif(GpFontFamily** family);
Status GdipDeleteFontFamily(GpFontFamily* family);
Status GdipCreateFont(GpFontFamily* family, REAL emSize, int style, Unit unit, GpFont** font);
Status GdipDeleteFont(GpFont* font);
Status GdipCreateStringFormat(int flags, int language, GpStringFormat** format);
Status GdipDeleteStringFormat(GpStringFormat* format);
Status GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align);
Status GdipGetStringFormatAlign(GpStringFormat* format, StringAlignment* align);
Status GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align);
Status GdipGetStringFormatLineAlign(GpStringFormat* format, StringAlignment* align);

// Images.
Status GdipLoadImageFromBytes(const QByteArray& bytes, GpImage** image);
Status GdipCreateBitmapFromScan0(int width, int height, int pixelFormat, GpImage** bitmap);
Status GdipDisposeImage(GpImage* image);
Status GdipGetImageWidth(GpImage* image, unsigned* width);
Status GdipGetImageHeight(GpImage* image, unsigned* height);
Status GdipGetImagePixelFormat(GpImage* image, int* format);
Status GdipGetImageRawFormat(GpImage* image, RawFormat* format);
Status GdipBitmapGetPixel(GpImage* bitmap, int x, int y, ARGB* color);
Status GdipBitmapSetPixel(GpImage* bitmap, int x, int y, ARGB color);
// The decoded pixels (for drawing through the canvas); null image when none.
QImage GdipImagePixels(GpImage* image);
RawFormat SniffRawFormat(const QByteArray& bytes);

Status GdipCreateImageAttributes(GpImageAttributes** attributes);
Status GdipDisposeImageAttributes(GpImageAttributes* attributes);
// Gamma of the picture's colour channels (each c in 0..1 drawn as c to the power gamma); a gamma of 0
// or less is refused.
Status GdipSetImageAttributesGamma(GpImageAttributes* attributes, ColorAdjustType type, bool enable,
                                   REAL gamma);
Status GdipSetImageAttributesColorKeys(GpImageAttributes* attributes, ColorAdjustType type, bool enable,
                                       ARGB low, ARGB high);

} // namespace gdip
