// The fader's appearance objects (thumb, slider, tick marks, step buttons, value label) and the
// colour styles. Each is owned by its TCustomTrackBar, which sets OnChange to its own repaint; the
// thumb, slider and buttons read the bar's orientation through their back reference. UI thread.
#pragma once

#include "controls/smooth/Pictures.h"
#include "framework/Colors.h"
#include "framework/Fonts.h"
#include "framework/Property.h"

#include <QString>
#include <functional>

namespace fx
{

using fw::TColor;

class TCustomTrackBar;

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TMoveOnClick { mcStep, mcMove, mcMoveSlide };
enum TThumbPointer { tpLeft, tpCenter, tpRight };
enum TThumbShape {
    tsPointer,
    tsRectangle,
    tsRoundRect,
    tsRound,
    tsLine,
    tsPointerLeftUp,
    tsPointerRightUp,
    tsTriangle,
    tsTriangleLeft,
    tsTriangleRight
};
enum TThumbStyle { tstOffice2007, tstCustom };
enum TTickStyle { tsNone, tsAuto, tsManual };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TLabelPosition { lpTopCenter, lpTopLeft, lpTopRight, lpBottomCenter, lpBottomLeft, lpBottomRight };
enum TGradientDirection { gdHorizontal, gdVertical, gdHorizontalInOut, gdVerticalInOut };
enum TGDIPGradient { ggRadial, ggVertical, ggDiagonalForward, ggDiagonalBackward };
enum TTrackButtonShape { bsRound, bsRectangle };

// The colour styles that style-aware controls accept.
enum TTMSStyle {
    tsOffice2003Blue,
    tsOffice2003Silver,
    tsOffice2003Olive,
    tsOffice2003Classic,
    tsOffice2007Luna,
    tsOffice2007Obsidian,
    tsWindowsXP,
    tsWhidbey,
    tsCustom,
    tsOffice2007Silver,
    tsWindowsVista,
    tsWindows7,
    tsTerminal,
    tsOffice2010Blue,
    tsOffice2010Silver,
    tsOffice2010Black
};

using TPartNotify = std::function<void()>;

class TTrackBarPart
{
  public:
    virtual ~TTrackBarPart() = default;
    TPartNotify OnChange;

  protected:
    void PropertyChanged() { Changed(); }
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
};

class TTrackBarThumb : public TTrackBarPart
{
    FW_PROPERTIES(TTrackBarThumb)
    FW_PROPERTY(TColor, Color, 15653832)
    FW_PROPERTY(TColor, ColorTo, 16178633)
    FW_PROPERTY(TColor, ColorMirror, 15586496)
    FW_PROPERTY(TColor, ColorMirrorTo, 16245200)
    FW_PROPERTY(TColor, ColorHot, 15465983)
    FW_PROPERTY(TColor, ColorHotTo, 11332863)
    FW_QUIET_PROPERTY(TColor, ColorMirrorHot, 5888767)
    FW_QUIET_PROPERTY(TColor, ColorMirrorHotTo, 10807807)
    FW_PROPERTY(TColor, ColorDown, 7778289)
    FW_PROPERTY(TColor, ColorDownTo, 4296947)
    FW_QUIET_PROPERTY(TColor, ColorMirrorDown, 946929)
    FW_QUIET_PROPERTY(TColor, ColorMirrorDownTo, 5021693)
    FW_PROPERTY(TColor, ColorDisabled, 0)
    FW_PROPERTY(TColor, ColorDisabledTo, 0)
    FW_PROPERTY(TColor, ColorMirrorDisabled, 0)
    FW_PROPERTY(TColor, ColorMirrorDisabledTo, 0)
    FW_PROPERTY(TColor, BorderColor, 10317632)
    FW_PROPERTY(TColor, BorderColorHot, 10079963)
    FW_PROPERTY(TColor, BorderColorDown, 4548219)
    FW_PROPERTY(TColor, BorderColorDisabled, 0)
    FW_PROPERTY(TGDIPGradient, Gradient, ggVertical)
    FW_PROPERTY(TGDIPGradient, GradientMirror, ggRadial)
    FW_PROPERTY(TThumbShape, Shape, tsPointer)
    FW_PROPERTY(bool, ShowAtMinMax, true)

  public:
    explicit TTrackBarThumb(TCustomTrackBar* owner = nullptr);
    void Assign(const TTrackBarThumb& source);

    TGDIPPicture& Picture() { return FPicture; }
    TGDIPPicture& PictureHot() { return FPictureHot; }
    TGDIPPicture& PictureDown() { return FPictureDown; }
    TGDIPPicture& PictureDisabled() { return FPictureDisabled; }
    const TGDIPPicture& Picture() const { return FPicture; }
    const TGDIPPicture& PictureHot() const { return FPictureHot; }
    const TGDIPPicture& PictureDown() const { return FPictureDown; }
    const TGDIPPicture& PictureDisabled() const { return FPictureDisabled; }
    void SetPicture(const TGDIPPicture* p) { FPicture.Assign(p); }
    void SetPictureHot(const TGDIPPicture* p) { FPictureHot.Assign(p); }
    void SetPictureDown(const TGDIPPicture* p) { FPictureDown.Assign(p); }
    void SetPictureDisabled(const TGDIPPicture* p) { FPictureDisabled.Assign(p); }

    int Size() const { return FSize; }
    void SetSize(int value);
    int Width() const { return FWidth; }
    void SetWidth(int value);
    TThumbPointer ThumbPointer() const { return FThumbPointer; }
    void SetThumbPointer(TThumbPointer value);
    int Steps() const { return FSteps; }
    TThumbStyle Style() const { return FStyle; }
    // Takes the size from the normal picture (run on picture changes and after loading).
    void MeasurePicture();

    TCustomTrackBar* FAdvTrackBar = nullptr;

  private:
    void PictureChanged();
    TGDIPPicture FPicture, FPictureHot, FPictureDown, FPictureDisabled;
    int FSize = 15;
    int FWidth = 10;
    TThumbPointer FThumbPointer = tpCenter;
    int FSteps = 64;
    TThumbStyle FStyle = tstOffice2007;
    bool FPictureStretched = false;
};

class TTrackBarSlider : public TTrackBarPart
{
    FW_PROPERTIES(TTrackBarSlider)
    FW_PROPERTY(TColor, Color, 16777215)
    FW_PROPERTY(TColor, ColorTo, 0)
    FW_PROPERTY(TColor, ColorDisabled, 0)
    FW_PROPERTY(TColor, ColorDisabledTo, 0)
    FW_PROPERTY(TColor, ColorCompleted, fw::clNone)
    FW_PROPERTY(TColor, ColorCompletedTo, fw::clNone)
    FW_PROPERTY(TColor, ColorCompletedDisabled, fw::clNone)
    FW_PROPERTY(TColor, ColorCompletedDisabledTo, fw::clNone)
    FW_PROPERTY(TColor, BorderColor, 12752500)
    FW_PROPERTY(TColor, BorderColorDisabled, 0)
    FW_PROPERTY(TGradientDirection, Direction, gdHorizontal)
    FW_PROPERTY(bool, PictureStretched, false)
    FW_PROPERTY(int, Size, 2)
    FW_PROPERTY(bool, Border3D, true)
    FW_PROPERTY(bool, Rounded, false)
    FW_PROPERTY(bool, Visible, true)
    FW_PROPERTY(int, Offset, 10)

  public:
    explicit TTrackBarSlider(TCustomTrackBar* owner = nullptr);
    void Assign(const TTrackBarSlider& source);
    TGDIPPicture& Picture() { return FPicture; }
    TGDIPPicture& PictureDisabled() { return FPictureDisabled; }
    TGDIPPicture& PictureCompleted() { return FPictureCompleted; }
    TGDIPPicture& PictureCompletedDisabled() { return FPictureCompletedDisabled; }
    const TGDIPPicture& Picture() const { return FPicture; }
    const TGDIPPicture& PictureDisabled() const { return FPictureDisabled; }
    const TGDIPPicture& PictureCompleted() const { return FPictureCompleted; }
    const TGDIPPicture& PictureCompletedDisabled() const { return FPictureCompletedDisabled; }
    int Steps() const { return FSteps; }

    TCustomTrackBar* FAdvTrackBar = nullptr;

  private:
    void PictureChanged();
    TGDIPPicture FPicture, FPictureDisabled, FPictureCompleted, FPictureCompletedDisabled;
    int FSteps = 20;
};

class TTrackBarTick : public TTrackBarPart
{
    FW_PROPERTIES(TTrackBarTick)
    FW_PROPERTY(TColor, Color, 0)
    FW_PROPERTY(TColor, ColorDisabled, 0)
    FW_PROPERTY(bool, Line3D, false)
    FW_PROPERTY(TTickMark, Position, tmBottomRight)
    FW_PROPERTY(bool, RotateFontVert, true)
    FW_PROPERTY(TTickStyle, Style, tsAuto)
    FW_PROPERTY(bool, ShowText, false)
    FW_PROPERTY(bool, ShowImageAtThumbOnly, false)
    FW_PROPERTY(int, ShowImageAtSteps, 1)
    FW_PROPERTY(int, Spacing, 8)
    FW_PROPERTY(int, Size, 4)

  public:
    TTrackBarTick();
    void Assign(const TTrackBarTick& source);
    fw::TFont& Font() { return FFont; }
    const fw::TFont& Font() const { return FFont; }
    TGDIPPicture& Picture() { return FPicture; }
    TGDIPPicture& PictureDisabled() { return FPictureDisabled; }

  private:
    fw::TFont FFont;
    TGDIPPicture FPicture, FPictureDisabled;
};

class TTrackBarButtons : public TTrackBarPart
{
    FW_PROPERTIES(TTrackBarButtons)
    FW_PROPERTY(TColor, Color, 15653832)
    FW_PROPERTY(TColor, ColorTo, 16178633)
    FW_PROPERTY(TColor, ColorHot, 15465983)
    FW_PROPERTY(TColor, ColorHotTo, 11332863)
    FW_PROPERTY(TColor, ColorDown, 7778289)
    FW_PROPERTY(TColor, ColorDownTo, 4296947)
    FW_QUIET_PROPERTY(TColor, ColorMirror, 15586496)
    FW_QUIET_PROPERTY(TColor, ColorMirrorTo, 16245200)
    FW_QUIET_PROPERTY(TColor, ColorMirrorHot, 5888767)
    FW_QUIET_PROPERTY(TColor, ColorMirrorHotTo, 10807807)
    FW_QUIET_PROPERTY(TColor, ColorMirrorDown, 946929)
    FW_QUIET_PROPERTY(TColor, ColorMirrorDownTo, 5021693)
    FW_PROPERTY(TColor, BorderColor, 9262895)
    FW_PROPERTY(TColor, BorderColorHot, 10079963)
    FW_PROPERTY(TColor, BorderColorDown, 4548219)
    FW_PROPERTY(TGDIPGradient, Gradient, ggVertical)
    FW_PROPERTY(TGDIPGradient, GradientMirror, ggVertical)
    FW_QUIET_PROPERTY(int, InitRepeatPause, 400)
    FW_QUIET_PROPERTY(int, RepeatPause, 100)
    FW_QUIET_PROPERTY(bool, RepeatClick, true)
    FW_QUIET_PROPERTY(int, Step, 1)
    FW_PROPERTY(bool, RotateText, true)
    FW_PROPERTY(bool, Visible, false)
    FW_PROPERTY(TTrackButtonShape, Shape, bsRound)
    FW_PROPERTY(int, Spacing, 2)

  public:
    explicit TTrackBarButtons(TCustomTrackBar* owner = nullptr);
    void Assign(const TTrackBarButtons& source);
    int Size() const { return FSize; }
    void SetSize(int value);
    TGDIPPicture& MinPicture() { return FMinPicture; }
    TGDIPPicture& MaxPicture() { return FMaxPicture; }
    TGDIPPicture& MinPictureHot() { return FMinPictureHot; }
    TGDIPPicture& MinPictureDown() { return FMinPictureDown; }
    TGDIPPicture& MaxPictureHot() { return FMaxPictureHot; }
    TGDIPPicture& MaxPictureDown() { return FMaxPictureDown; }
    void MeasurePicture();

    TCustomTrackBar* FAdvTrackBar = nullptr;

  private:
    void PictureChanged();
    int FSize = 20;
    int FCornerRadius = 0;
    TGDIPPicture FMinPicture, FMaxPicture, FMinPictureHot, FMinPictureDown, FMaxPictureHot, FMaxPictureDown;
};

class TTrackBarLabel : public TTrackBarPart
{
    FW_PROPERTIES(TTrackBarLabel)
    FW_PROPERTY(bool, Visible, false)
    FW_PROPERTY(TLabelPosition, Position, lpTopCenter)
    FW_PROPERTY(QString, Format, QStringLiteral("Pos: %d"))
    FW_PROPERTY(int, Spacing, 4)

  public:
    TTrackBarLabel();
    void Assign(const TTrackBarLabel& source);
    fw::TFont& Font() { return FFont; }
    const fw::TFont& Font() const { return FFont; }

  private:
    fw::TFont FFont;
};

} // namespace fx
