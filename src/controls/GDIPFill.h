// TGDIPFill: how to fill a rectangle (two gradient parts, opacities, rounded outline, border, shadow,
// glow, focus outline, background and foreground pictures), painted by Fill during an owner's paint,
// saved to and loaded from an INI section and the clipboard. Owned by its control; UI thread.
#pragma once

#include "controls/GDIPAPI.h"
#include "controls/Pictures.h"
#include "framework/Colors.h"

#include <QString>
#include <functional>

namespace fw {
class TIniFile;
}

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

// Hex text of bytes (two upper-case digits each) and back; FromHex fails on a non-hex character.
QString StreamToHex(const QByteArray& bytes);
bool HexToStream(const QString& text, QByteArray& out);

// Picture placement by position code (pure).
gp::TGPRect PicturePlacement(TFillPicturePosition position, int left, int top, const fw::TRect& r, int w, int h,
                             bool aspect, TPictureMode mode);
void AspectFit(TPictureMode mode, double rw, double rh, double w, double h, double& fw, double& fh);

class TGDIPFill {
public:
    TGDIPFill();
    TGDIPFill(const TGDIPFill&) = delete;
    TGDIPFill& operator=(const TGDIPFill&) = delete;

#define FILL_PROP(Type, Name)                                                                                 \
    Type Name() const { return F##Name; }                                                                     \
    void Set##Name(Type value)                                                                                \
    {                                                                                                         \
        if (F##Name != value) {                                                                               \
            F##Name = value;                                                                                  \
            NotifyChange();                                                                                   \
        }                                                                                                     \
    }
    FILL_PROP(TColor, Color)
    FILL_PROP(TColor, ColorTo)
    FILL_PROP(TColor, ColorMirror)
    FILL_PROP(TColor, ColorMirrorTo)
    FILL_PROP(TFxGradientType, GradientType)
    FILL_PROP(TFxGradientType, GradientMirrorType)
    FILL_PROP(int, HatchStyle)
    FILL_PROP(int, HatchStyleMirror)
    FILL_PROP(bool, BackGroundPictureAspectRatio)
    FILL_PROP(TFillPictureMode, BackGroundPictureMode)
    FILL_PROP(TFillPicturePosition, BackGroundPicturePosition)
    FILL_PROP(int, BackGroundPictureLeft)
    FILL_PROP(int, BackGroundPictureTop)
    FILL_PROP(TPictureMode, BackGroundPictureAspectMode)
    FILL_PROP(TFillPicturePosition, PicturePosition)
    FILL_PROP(int, PictureLeft)
    FILL_PROP(int, PictureTop)
    FILL_PROP(TFillPictureSize, PictureSize)
    FILL_PROP(int, PictureWidth)
    FILL_PROP(int, PictureHeight)
    FILL_PROP(bool, PictureAspectRatio)
    FILL_PROP(TPictureMode, PictureAspectMode)
    FILL_PROP(int, Opacity)
    FILL_PROP(int, OpacityTo)
    FILL_PROP(int, OpacityMirror)
    FILL_PROP(int, OpacityMirrorTo)
    FILL_PROP(TColor, BorderColor)
    FILL_PROP(int, BorderOpacity)
    FILL_PROP(int, BorderWidth)
    FILL_PROP(int, Rounding)
    FILL_PROP(TFillRoundingType, RoundingType)
    FILL_PROP(TColor, ShadowColor)
    FILL_PROP(int, ShadowOffset)
    FILL_PROP(TShadowType, ShadowType)
    FILL_PROP(int, Angle)
    FILL_PROP(TGlowMode, Glow)
    FILL_PROP(TColor, GlowGradientColor)
    FILL_PROP(TColor, GlowRadialColor)
#undef FILL_PROP

    TFxGDIPPicture& Picture() { return FPicture; }
    TFxGDIPPicture& BackGroundPicture() { return FBackGroundPicture; }
    const TFxGDIPPicture& Picture() const { return FPicture; }
    const TFxGDIPPicture& BackGroundPicture() const { return FBackGroundPicture; }
    void SetPicture(const TFxGDIPPicture* p);
    void SetBackGroundPicture(const TFxGDIPPicture* p);

    bool Focus = false;
    TColor FocusColor = fw::clBlack;
    gp::TGPRectF FocusRect{};

    // Opacity arguments of 255 stand for the fill's own values.
    void Fill(gp::TGPGraphics* Graphics, gp::TGPRectF R, int ABorderOpacity = 255, int AOpacity = 255,
              int AOpacityTo = 255, int AOpacityMirror = 255, int AOpacityMirrorTo = 255,
              gp::TGPRectF* content = nullptr);
    void DrawGradientBackGround(gp::TGPGraphics& g, gp::TGPRectF R, bool Mirror, int oc, int octo, int ocmr,
                                int ocmrto);
    void DrawGlow(gp::TGPGraphics& g, gp::TGPRectF R);

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate()
    {
        if (FUpdateCount > 0)
            --FUpdateCount;
    }
    void NotifyChange();
    void Assign(const TGDIPFill& source);

    // INI form; loading either takes every value or, on any bad value, none (the error says why).
    void SaveToIni(fw::TIniFile& ini, const QString& section) const;
    bool LoadFromIni(const fw::TIniFile& ini, const QString& section, QString* error = nullptr);
    bool SaveToFile(const QString& fileName, const QString& section, QString* error = nullptr) const;
    bool LoadFromFile(const QString& fileName, const QString& section, QString* error = nullptr);
    void SaveToClipBoard() const;
    bool LoadFromClipBoard(QString* error = nullptr);

    std::function<void(TGDIPFill*)> OnChange;

private:
    void CopyValues(const TGDIPFill& s);
    TColor FBorderColor = fw::clNone;
    int FOpacity = 255;
    TFillPicturePosition FPicturePosition = ppTopLeft;
    TFxGradientType FGradientType = gp::gtVertical;
    int FOpacityTo = 255;
    TFxGDIPPicture FPicture;
    int FHatchStyle = 0;
    TColor FColor = 0xC0C0C0;
    int FShadowOffset = 0;
    TShadowType FShadowType = stRightBottom;
    int FOpacityMirror = 255;
    TFxGradientType FGradientMirrorType = gp::gtSolid;
    int FOpacityMirrorTo = 255;
    int FRounding = 0;
    TColor FShadowColor = 0x808080;
    int FBorderWidth = 1;
    TColor FColorMirror = fw::clNone, FColorMirrorTo = fw::clNone;
    TColor FColorTo = 0x808080;
    int FHatchStyleMirror = 0;
    int FPictureTop = 0, FPictureLeft = 0;
    int FBackGroundPictureTop = 0, FBackGroundPictureLeft = 0;
    TFillPicturePosition FBackGroundPicturePosition = ppTopLeft;
    TFxGDIPPicture FBackGroundPicture;
    int FPictureWidth = 50;
    TFillPictureSize FPictureSize = psOriginal;
    int FPictureHeight = 50;
    TFillRoundingType FRoundingType = rtBoth;
    int FUpdateCount = 0;
    int FAngle = 0;
    int FBorderOpacity = 255;
    TFillPictureMode FBackGroundPictureMode = pmOutsideFill;
    TColor FGlowGradientColor = 0xFFFFFF;
    TGlowMode FGlow = gmNone;
    TColor FGlowRadialColor = 0xFFFFFF;
    bool FBackGroundPictureAspectRatio = false, FPictureAspectRatio = false;
    TPictureMode FBackGroundPictureAspectMode = pmStretch, FPictureAspectMode = pmStretch;
};

// The rounded outline of a fill (pure path building).
void RoundedPath(gp::TGPGraphicsPath& path, gp::TGPRectF R, gp::REAL radius, TFillRoundingType type);

} // namespace fx
