// The fader's appearance objects (thumb, slider, tick marks, step buttons, value label) and the
// colour styles. Each is owned by its TCustomTrackBar, which sets OnChange to its own repaint; the
// thumb, slider and buttons read the bar's orientation through their back reference. UI thread.
#pragma once

#include "controls/Pictures.h"
#include "framework/Colors.h"
#include "framework/Fonts.h"

#include <QString>
#include <functional>

namespace fx {

using fw::TColor;

class TCustomTrackBar;

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TMoveOnClick { mcStep, mcMove, mcMoveSlide };
enum TThumbPointer { tpLeft, tpCenter, tpRight };
enum TThumbShape {
    tsPointer, tsRectangle, tsRoundRect, tsRound, tsLine, tsPointerLeftUp, tsPointerRightUp, tsTriangle,
    tsTriangleLeft, tsTriangleRight
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
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
    tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista, tsWindows7,
    tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

using TPartNotify = std::function<void()>;

// A property whose setter stores and notifies only when the value differs.
#define FX_PROP(Type, Name, Default)                                                                          \
public:                                                                                                       \
    Type Name() const { return F##Name; }                                                                     \
    void Set##Name(Type value)                                                                                \
    {                                                                                                         \
        if (F##Name != value) {                                                                               \
            F##Name = value;                                                                                  \
            Changed();                                                                                        \
        }                                                                                                     \
    }                                                                                                         \
                                                                                                              \
private:                                                                                                      \
    Type F##Name = Default;

// A property stored without a change notice.
#define FX_SILENT_PROP(Type, Name, Default)                                                                   \
public:                                                                                                       \
    Type Name() const { return F##Name; }                                                                     \
    void Set##Name(Type value) { F##Name = value; }                                                           \
                                                                                                              \
private:                                                                                                      \
    Type F##Name = Default;

class TTrackBarPart {
public:
    virtual ~TTrackBarPart() = default;
    TPartNotify OnChange;

protected:
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
};

class TTrackBarThumb : public TTrackBarPart {
    FX_PROP(TColor, Color, 15653832)
    FX_PROP(TColor, ColorTo, 16178633)
    FX_PROP(TColor, ColorMirror, 15586496)
    FX_PROP(TColor, ColorMirrorTo, 16245200)
    FX_PROP(TColor, ColorHot, 15465983)
    FX_PROP(TColor, ColorHotTo, 11332863)
    FX_SILENT_PROP(TColor, ColorMirrorHot, 5888767)
    FX_SILENT_PROP(TColor, ColorMirrorHotTo, 10807807)
    FX_PROP(TColor, ColorDown, 7778289)
    FX_PROP(TColor, ColorDownTo, 4296947)
    FX_SILENT_PROP(TColor, ColorMirrorDown, 946929)
    FX_SILENT_PROP(TColor, ColorMirrorDownTo, 5021693)
    FX_PROP(TColor, ColorDisabled, 0)
    FX_PROP(TColor, ColorDisabledTo, 0)
    FX_PROP(TColor, ColorMirrorDisabled, 0)
    FX_PROP(TColor, ColorMirrorDisabledTo, 0)
    FX_PROP(TColor, BorderColor, 10317632)
    FX_PROP(TColor, BorderColorHot, 10079963)
    FX_PROP(TColor, BorderColorDown, 4548219)
    FX_PROP(TColor, BorderColorDisabled, 0)
    FX_PROP(TGDIPGradient, Gradient, ggVertical)
    FX_PROP(TGDIPGradient, GradientMirror, ggRadial)
    FX_PROP(TThumbShape, Shape, tsPointer)
    FX_PROP(bool, ShowAtMinMax, true)

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

class TTrackBarSlider : public TTrackBarPart {
    FX_PROP(TColor, Color, 16777215)
    FX_PROP(TColor, ColorTo, 0)
    FX_PROP(TColor, ColorDisabled, 0)
    FX_PROP(TColor, ColorDisabledTo, 0)
    FX_PROP(TColor, ColorCompleted, fw::clNone)
    FX_PROP(TColor, ColorCompletedTo, fw::clNone)
    FX_PROP(TColor, ColorCompletedDisabled, fw::clNone)
    FX_PROP(TColor, ColorCompletedDisabledTo, fw::clNone)
    FX_PROP(TColor, BorderColor, 12752500)
    FX_PROP(TColor, BorderColorDisabled, 0)
    FX_PROP(TGradientDirection, Direction, gdHorizontal)
    FX_PROP(bool, PictureStretched, false)
    FX_PROP(int, Size, 2)
    FX_PROP(bool, Border3D, true)
    FX_PROP(bool, Rounded, false)
    FX_PROP(bool, Visible, true)
    FX_PROP(int, Offset, 10)

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

class TTrackBarTick : public TTrackBarPart {
    FX_PROP(TColor, Color, 0)
    FX_PROP(TColor, ColorDisabled, 0)
    FX_PROP(bool, Line3D, false)
    FX_PROP(TTickMark, Position, tmBottomRight)
    FX_PROP(bool, RotateFontVert, true)
    FX_PROP(TTickStyle, Style, tsAuto)
    FX_PROP(bool, ShowText, false)
    FX_PROP(bool, ShowImageAtThumbOnly, false)
    FX_PROP(int, ShowImageAtSteps, 1)
    FX_PROP(int, Spacing, 8)
    FX_PROP(int, Size, 4)

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

class TTrackBarButtons : public TTrackBarPart {
    FX_PROP(TColor, Color, 15653832)
    FX_PROP(TColor, ColorTo, 16178633)
    FX_PROP(TColor, ColorHot, 15465983)
    FX_PROP(TColor, ColorHotTo, 11332863)
    FX_PROP(TColor, ColorDown, 7778289)
    FX_PROP(TColor, ColorDownTo, 4296947)
    FX_SILENT_PROP(TColor, ColorMirror, 15586496)
    FX_SILENT_PROP(TColor, ColorMirrorTo, 16245200)
    FX_SILENT_PROP(TColor, ColorMirrorHot, 5888767)
    FX_SILENT_PROP(TColor, ColorMirrorHotTo, 10807807)
    FX_SILENT_PROP(TColor, ColorMirrorDown, 946929)
    FX_SILENT_PROP(TColor, ColorMirrorDownTo, 5021693)
    FX_PROP(TColor, BorderColor, 9262895)
    FX_PROP(TColor, BorderColorHot, 10079963)
    FX_PROP(TColor, BorderColorDown, 4548219)
    FX_PROP(TGDIPGradient, Gradient, ggVertical)
    FX_PROP(TGDIPGradient, GradientMirror, ggVertical)
    FX_SILENT_PROP(int, InitRepeatPause, 400)
    FX_SILENT_PROP(int, RepeatPause, 100)
    FX_SILENT_PROP(bool, RepeatClick, true)
    FX_SILENT_PROP(int, Step, 1)
    FX_PROP(bool, RotateText, true)
    FX_PROP(bool, Visible, false)
    FX_PROP(TTrackButtonShape, Shape, bsRound)
    FX_PROP(int, Spacing, 2)

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

class TTrackBarLabel : public TTrackBarPart {
    FX_PROP(bool, Visible, false)
    FX_PROP(TLabelPosition, Position, lpTopCenter)
    FX_PROP(QString, Format, QStringLiteral("Pos: %d"))
    FX_PROP(int, Spacing, 4)

public:
    TTrackBarLabel();
    void Assign(const TTrackBarLabel& source);
    fw::TFont& Font() { return FFont; }
    const fw::TFont& Font() const { return FFont; }

private:
    fw::TFont FFont;
};

#undef FX_PROP
#undef FX_SILENT_PROP

} // namespace fx
