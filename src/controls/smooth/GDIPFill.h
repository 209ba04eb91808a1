// TGDIPFill: how to fill a rectangle (two gradient parts, opacities, rounded outline, border, shadow,
// glow, focus outline, background and foreground pictures), painted by Fill during an owner's paint,
// saved to and loaded from an INI section and the clipboard. Owned by its control; UI thread.
#pragma once

#include "controls/smooth/Pictures.h"
#include "framework/Colors.h"
#include "framework/Property.h"
#include "framework/gdiplus/GDIPAPI.h"

#include <QString>
#include <functional>

namespace fw
{
class TIniFile;
}

namespace fx
{

using fw::TColor;
using gp::TFxGradientType;

enum TGlowMode { gmNone, gmGradient, gmRadial, gmRadialGradient };
enum TFillPicturePosition {
    ppTopLeft,
    ppTopCenter,
    ppTopRight,
    ppBottomLeft,
    ppBottomCenter,
    ppBottomRight,
    ppTiled,
    ppStretched,
    ppCenterLeft,
    ppCenterCenter,
    ppCenterRight,
    ppCustom
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
gp::TGPRect PicturePlacement(TFillPicturePosition position, int left, int top, const fw::TRect& r, int w,
                             int h, bool aspect, TPictureMode mode);
void AspectFit(TPictureMode mode, double rw, double rh, double w, double h, double& fw, double& fh);

class TGDIPFill
{
    FW_PROPERTIES(TGDIPFill)

  public:
    TGDIPFill();
    TGDIPFill(const TGDIPFill&) = delete;
    TGDIPFill& operator=(const TGDIPFill&) = delete;

    FW_PROPERTY(TColor, Color, 0xC0C0C0)
    FW_PROPERTY(TColor, ColorTo, 0x808080)
    FW_PROPERTY(TColor, ColorMirror, fw::clNone)
    FW_PROPERTY(TColor, ColorMirrorTo, fw::clNone)
    FW_PROPERTY(TFxGradientType, GradientType, gp::gtVertical)
    FW_PROPERTY(TFxGradientType, GradientMirrorType, gp::gtSolid)
    FW_PROPERTY(int, HatchStyle, 0)
    FW_PROPERTY(int, HatchStyleMirror, 0)
    FW_PROPERTY(bool, BackGroundPictureAspectRatio, false)
    FW_PROPERTY(TFillPictureMode, BackGroundPictureMode, pmOutsideFill)
    FW_PROPERTY(TFillPicturePosition, BackGroundPicturePosition, ppTopLeft)
    FW_PROPERTY(int, BackGroundPictureLeft, 0)
    FW_PROPERTY(int, BackGroundPictureTop, 0)
    FW_PROPERTY(TPictureMode, BackGroundPictureAspectMode, pmStretch)
    FW_PROPERTY(TFillPicturePosition, PicturePosition, ppTopLeft)
    FW_PROPERTY(int, PictureLeft, 0)
    FW_PROPERTY(int, PictureTop, 0)
    FW_PROPERTY(TFillPictureSize, PictureSize, psOriginal)
    FW_PROPERTY(int, PictureWidth, 50)
    FW_PROPERTY(int, PictureHeight, 50)
    FW_PROPERTY(bool, PictureAspectRatio, false)
    FW_PROPERTY(TPictureMode, PictureAspectMode, pmStretch)
    FW_PROPERTY(int, Opacity, 255)
    FW_PROPERTY(int, OpacityTo, 255)
    FW_PROPERTY(int, OpacityMirror, 255)
    FW_PROPERTY(int, OpacityMirrorTo, 255)
    FW_PROPERTY(TColor, BorderColor, fw::clNone)
    FW_PROPERTY(int, BorderOpacity, 255)
    FW_PROPERTY(int, BorderWidth, 1)
    FW_PROPERTY(int, Rounding, 0)
    FW_PROPERTY(TFillRoundingType, RoundingType, rtBoth)
    FW_PROPERTY(TColor, ShadowColor, 0x808080)
    FW_PROPERTY(int, ShadowOffset, 0)
    FW_PROPERTY(TShadowType, ShadowType, stRightBottom)
    FW_PROPERTY(int, Angle, 0)
    FW_PROPERTY(TGlowMode, Glow, gmNone)
    FW_PROPERTY(TColor, GlowGradientColor, 0xFFFFFF)
    FW_PROPERTY(TColor, GlowRadialColor, 0xFFFFFF)

  public:
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
    void PropertyChanged() { NotifyChange(); }
    void CopyValues(const TGDIPFill& s);
    // The section's values that are there, each within its range; false with the first bad key.
    bool ReadValues(const fw::TIniFile& ini, const QString& section, QString& badKey);
    // The shadow outside R; returns what is left for the fill.
    gp::TGPRectF FillShadow(gp::TGPGraphics& g, gp::TGPRectF R);
    void FillBackground(gp::TGPGraphics& g, const gp::TGPRectF& R, int o, int oTo, int oM, int oMTo);
    void DrawInsidePicture(gp::TGPGraphics& g, const gp::TGPRectF& R);
    void DrawFocusOutline(gp::TGPGraphics& g, int opacity);
    void DrawOutsidePictures(gp::TGPGraphics& g, const gp::TGPRectF& R);
    TFxGDIPPicture FPicture;
    TFxGDIPPicture FBackGroundPicture;
    int FUpdateCount = 0;
};

// The rounded outline of a fill (pure path building).
void RoundedPath(gp::TGPGraphicsPath& path, gp::TGPRectF R, gp::REAL radius, TFillRoundingType type);

} // namespace fx
