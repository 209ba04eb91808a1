// TGDIPFill: the fill description (colours, gradients, hatch, texture, rounded outline, border,
// shadow, glow, focus outline, background and foreground pictures) that splash screens, curvy panels
// and rounded edits paint through; with its INI section and clipboard persistence. It owns its two
// pictures and no window; its owner calls Fill during a paint and repaints on OnChange. UI thread.
#pragma once

#include "controls/GDIPAPI.h"
#include "controls/Pictures.h"
#include "framework/Colors.h"

#include <QMap>
#include <QString>
#include <functional>
#include <memory>

namespace fx {

using fw::TColor;
using gp::TFxGradientType;

enum TGlowMode { gmNone, gmGradient, gmRadial, gmRadialGradient };
enum TFillPicturePosition {
    ppTopLeft, ppTopCenter, ppTopRight, ppBottomLeft, ppBottomCenter, ppBottomRight, ppTiled, ppStretched,
    ppCenterLeft, ppCenterCenter, ppCenterRight, ppCustom
};
enum TFillRoundingType { rtNone, rtTop, rtBottom, rtBoth, rtLeft, rtRight };
enum TFillPictureSize { psOriginal, psCustom };
enum TFillPictureMode { pmInsideFill, pmOutsideFill };
enum TPictureMode { pmStretch, pmNormal };
enum TShadowType { stRightBottom, stBottom, stSurround };
enum TGDIPProgressValueType { vtPercentage, vtAbsolute };
enum TGDIPProgressValuePosition { vpProgressCenter, vpProgressRight, vpCenter, vpLeft, vpRight, vpCustom };

// The hatch styles used by fills (the smooth-drawing interface's numbering).
using HatchStyle = int;
constexpr HatchStyle HatchStyleHorizontal = 0;
constexpr HatchStyle HatchStyleMax = 52;

// The rounded outline of r (corners chosen by rt, quarter arcs of diameter 2 * radius).
void RoundedPath(gp::TGPGraphicsPath& path, const gp::TGPRectF& r, float radius, TFillRoundingType rt);
// (fw, fh) fitting a w x h picture into RW x RH; 0 x 0 when any size is 0 or less.
void AspectFit(TPictureMode mode, double RW, double RH, double w, double h, double& fw, double& fh);
// The rectangle a w x h picture takes in r for a position code (ppTiled: empty).
fw::TRect FillPictureRect(const fw::TRect& r, int w, int h, TFillPicturePosition pos, int left, int top, bool aspect,
                          TPictureMode mode);

// Two upper-case hex digits per byte, high nibble first.
QString StreamToHex(const QByteArray& bytes);
// Pairs of digits (case-insensitive); an odd last character is ignored. False ("No Hex-Number") on a
// character outside 0-9, A-F.
bool HexToStream(const QString& text, QByteArray& out, QString* error = nullptr);

class TGDIPFill {
public:
    TGDIPFill();
    ~TGDIPFill();
    TGDIPFill(const TGDIPFill&) = delete;
    TGDIPFill& operator=(const TGDIPFill&) = delete;

    // Published properties: each setter stores and notifies only when the value differs.
    TColor Color() const { return FColor; }
    void SetColor(TColor v) { Set(FColor, v); }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor v) { Set(FColorTo, v); }
    TColor ColorMirror() const { return FColorMirror; }
    void SetColorMirror(TColor v) { Set(FColorMirror, v); }
    TColor ColorMirrorTo() const { return FColorMirrorTo; }
    void SetColorMirrorTo(TColor v) { Set(FColorMirrorTo, v); }
    TFxGradientType GradientType() const { return FGradientType; }
    void SetGradientType(TFxGradientType v) { Set(FGradientType, v); }
    TFxGradientType GradientMirrorType() const { return FGradientMirrorType; }
    void SetGradientMirrorType(TFxGradientType v) { Set(FGradientMirrorType, v); }
    HatchStyle GetHatchStyle() const { return FHatchStyle; }
    void SetHatchStyle(HatchStyle v) { Set(FHatchStyle, v); }
    HatchStyle HatchStyleMirror() const { return FHatchStyleMirror; }
    void SetHatchStyleMirror(HatchStyle v) { Set(FHatchStyleMirror, v); }
    bool BackGroundPictureAspectRatio() const { return FBackGroundPictureAspectRatio; }
    void SetBackGroundPictureAspectRatio(bool v) { Set(FBackGroundPictureAspectRatio, v); }
    TFillPictureMode BackGroundPictureMode() const { return FBackGroundPictureMode; }
    void SetBackGroundPictureMode(TFillPictureMode v) { Set(FBackGroundPictureMode, v); }
    TFxGDIPPicture& BackGroundPicture() { return *FBackGroundPicture; }
    void SetBackGroundPicture(const TFxGDIPPicture* v);
    TFillPicturePosition BackGroundPicturePosition() const { return FBackGroundPicturePosition; }
    void SetBackGroundPicturePosition(TFillPicturePosition v) { Set(FBackGroundPicturePosition, v); }
    int BackGroundPictureLeft() const { return FBackGroundPictureLeft; }
    void SetBackGroundPictureLeft(int v) { Set(FBackGroundPictureLeft, v); }
    int BackGroundPictureTop() const { return FBackGroundPictureTop; }
    void SetBackGroundPictureTop(int v) { Set(FBackGroundPictureTop, v); }
    TPictureMode BackGroundPictureAspectMode() const { return FBackGroundPictureAspectMode; }
    void SetBackGroundPictureAspectMode(TPictureMode v) { Set(FBackGroundPictureAspectMode, v); }
    TFxGDIPPicture& Picture() { return *FPicture; }
    void SetPicture(const TFxGDIPPicture* v);
    TFillPicturePosition PicturePosition() const { return FPicturePosition; }
    void SetPicturePosition(TFillPicturePosition v) { Set(FPicturePosition, v); }
    int PictureLeft() const { return FPictureLeft; }
    void SetPictureLeft(int v) { Set(FPictureLeft, v); }
    int PictureTop() const { return FPictureTop; }
    void SetPictureTop(int v) { Set(FPictureTop, v); }
    TFillPictureSize PictureSize() const { return FpictureSize; }
    void SetPictureSize(TFillPictureSize v) { Set(FpictureSize, v); }
    int PictureWidth() const { return FpictureWidth; }
    void SetPictureWidth(int v) { Set(FpictureWidth, v); }
    int PictureHeight() const { return FpictureHeight; }
    void SetPictureHeight(int v) { Set(FpictureHeight, v); }
    bool PictureAspectRatio() const { return FPictureAspectRatio; }
    void SetPictureAspectRatio(bool v) { Set(FPictureAspectRatio, v); }
    TPictureMode PictureAspectMode() const { return FPictureAspectMode; }
    void SetPictureAspectMode(TPictureMode v) { Set(FPictureAspectMode, v); }
    int Opacity() const { return FOpacity; }
    void SetOpacity(int v) { Set(FOpacity, std::uint8_t(v)); }
    int OpacityTo() const { return FOpacityTo; }
    void SetOpacityTo(int v) { Set(FOpacityTo, std::uint8_t(v)); }
    int OpacityMirror() const { return FOpacityMirror; }
    void SetOpacityMirror(int v) { Set(FOpacityMirror, std::uint8_t(v)); }
    int OpacityMirrorTo() const { return FOpacityMirrorTo; }
    void SetOpacityMirrorTo(int v) { Set(FOpacityMirrorTo, std::uint8_t(v)); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Set(FBorderColor, v); }
    int BorderOpacity() const { return FBorderOpacity; }
    void SetBorderOpacity(int v) { Set(FBorderOpacity, std::uint8_t(v)); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { Set(FBorderWidth, v); }
    int Rounding() const { return FRounding; }
    void SetRounding(int v) { Set(FRounding, v); }
    TFillRoundingType RoundingType() const { return FRoundingType; }
    void SetRoundingType(TFillRoundingType v) { Set(FRoundingType, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { Set(FShadowColor, v); }
    int ShadowOffset() const { return FShadowOffset; }
    void SetShadowOffset(int v) { Set(FShadowOffset, v); }
    TShadowType ShadowType() const { return FShadowType; }
    void SetShadowType(TShadowType v) { Set(FShadowType, v); }
    int Angle() const { return FAngle; }
    void SetAngle(int v) { Set(FAngle, v); }
    TGlowMode Glow() const { return FGlow; }
    void SetGlow(TGlowMode v) { Set(FGlow, v); }
    TColor GlowGradientColor() const { return FGlowGradientColor; }
    void SetGlowGradientColor(TColor v) { Set(FGlowGradientColor, v); }
    TColor GlowRadialColor() const { return FGlowRadialColor; }
    void SetGlowRadialColor(TColor v) { Set(FGlowRadialColor, v); }
    // Public, not saved.
    bool Focus() const { return FFocus; }
    void SetFocus(bool v) { Set(FFocus, v); }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { Set(FFocusColor, v); }
    gp::TGPRectF FocusRect() const { return FFocusRect; }

    std::function<void(TGDIPFill* Sender)> OnChange;

    // Paints the fill into r; an opacity argument of 255 stands for the fill's own property.
    // contentRect (may be null) receives r as the shadow left it. Nothing without a surface.
    void Fill(gp::TGPGraphics* graphics, gp::TGPRectF r, int ABorderOpacity = 255, int AOpacity = 255,
              int AOpacityTo = 255, int AOpacityMirror = 255, int AOpacityMirrorTo = 255,
              gp::TGPRectF* contentRect = nullptr);
    void DrawGradientBackGround(gp::TGPGraphics& g, gp::TGPRectF r, bool mirror, int oc, int octo, int ocmr,
                                int ocmrto);
    void DrawGlow(gp::TGPGraphics& g, gp::TGPRectF r);

    void BeginUpdate() { ++FUpdateCount; }
    // Lowers the count; does not notify.
    void EndUpdate()
    {
        if (FUpdateCount > 0)
            --FUpdateCount;
    }
    void NotifyChange();
    // Copies everything but Focus, FocusColor and OnChange; then notifies. A null source is ignored.
    void Assign(const TGDIPFill* source);

    // INI section: the keys as a map (key -> value text), and the file forms. Loading checks every
    // value first and refuses the whole section on a bad one: the fill keeps its values.
    QMap<QString, QString> SaveToSection() const;
    bool LoadFromSection(const QMap<QString, QString>& keys, QString* error = nullptr);
    // Rewrites the file whole (other sections kept) through a temporary file and rename.
    bool SaveToFile(const QString& fileName, const QString& section, QString* error = nullptr) const;
    bool LoadFromFile(const QString& fileName, const QString& section, QString* error = nullptr);

    // Clipboard format "GDI+ Fill"; loading does nothing without such data and checks it like a file.
    static const char* ClipboardFormat();
    bool SaveToClipBoard() const;
    bool LoadFromClipBoard(QString* error = nullptr);

private:
    template <class T> void Set(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        NotifyChange();
    }
    void DrawPicture(gp::TGPGraphics& g, const fw::TRect& r, TFxGDIPPicture& pic, int w, int h,
                     TFillPicturePosition pos, int left, int top, bool aspect, TPictureMode mode);
    void FillRadial(gp::TGPGraphics& g, gp::TGPRectF r, TColor c, TColor cto, int o, int oto, bool top,
                    TFillRoundingType rt);

    TColor FBorderColor = fw::clNone;
    std::uint8_t FOpacity = 255;
    TFillPicturePosition FPicturePosition = ppTopLeft;
    TFxGradientType FGradientType = gp::gtVertical;
    std::uint8_t FOpacityTo = 255;
    std::unique_ptr<TFxGDIPPicture> FPicture;
    HatchStyle FHatchStyle = HatchStyleHorizontal;
    TColor FColor = fw::clSilver;
    int FShadowOffset = 0;
    TShadowType FShadowType = stRightBottom;
    std::uint8_t FOpacityMirror = 255;
    TFxGradientType FGradientMirrorType = gp::gtSolid;
    std::uint8_t FOpacityMirrorTo = 255;
    int FRounding = 0;
    TColor FShadowColor = fw::clGray;
    int FBorderWidth = 1;
    TColor FColorMirror = fw::clNone;
    TColor FColorMirrorTo = fw::clNone;
    TColor FColorTo = fw::clGray;
    HatchStyle FHatchStyleMirror = HatchStyleHorizontal;
    int FPictureTop = 0;
    int FPictureLeft = 0;
    int FBackGroundPictureTop = 0;
    int FBackGroundPictureLeft = 0;
    TFillPicturePosition FBackGroundPicturePosition = ppTopLeft;
    std::unique_ptr<TFxGDIPPicture> FBackGroundPicture;
    int FpictureWidth = 50;
    TFillPictureSize FpictureSize = psOriginal;
    int FpictureHeight = 50;
    TFillRoundingType FRoundingType = rtBoth;
    int FUpdateCount = 0;
    bool FFocus = false;
    TColor FFocusColor = fw::clBlack;
    int FAngle = 0;
    std::uint8_t FBorderOpacity = 255;
    gp::TGPRectF FFocusRect;
    TFillPictureMode FBackGroundPictureMode = pmOutsideFill;
    TColor FGlowGradientColor = fw::clWhite;
    TGlowMode FGlow = gmNone;
    TColor FGlowRadialColor = fw::clWhite;
    bool FBackGroundPictureAspectRatio = false;
    bool FPictureAspectRatio = false;
    TPictureMode FBackGroundPictureAspectMode = pmStretch;
    TPictureMode FPictureAspectMode = pmStretch;
};

} // namespace fx
