// Shared base of the panel and button family: enumerations, colour arithmetic on the 0..240 HLS scale,
// the border routines (each returns the rectangle left inside what it drew), text helpers, the shared
// blinking list and the frame controller. Drawing goes to a fw::TCanvas; everything runs on the UI thread.
#pragma once

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Control.h"
#include "framework/Types.h"
#include "runtime/Timer.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <unordered_set>
#include <vector>

namespace sk
{

using fw::TCanvas;
using fw::TColor;
using fw::TRect;

enum TFrameStyleEx {
    fsNone,
    fsFlat,
    fsGroove,
    fsBump,
    fsLowered,
    fsButtonDown,
    fsRaised,
    fsButtonUp,
    fsStatus,
    fsPopup,
    fsFlatBold,
    fsFlatRounded
};
using TFrameStyle = TFrameStyleEx; // fsNone .. fsFlatBold

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = unsigned; // bit n is TSide n
constexpr TSides SideBit(TSide s)
{
    return 1u << unsigned(s);
}
constexpr TSides AllSides = 0xF;
constexpr bool HasSide(TSides s, TSide d)
{
    return (s & SideBit(d)) != 0;
}

enum TAlignmentVertical { avTop, avCenter, avBottom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };
enum TFramingPreference { fpCustomFraming, fpXPThemes };
enum TGradientDirection {
    gdDiagonalUp,
    gdDiagonalDown,
    gdHorizontalEnd,
    gdHorizontalCenter,
    gdHorizontalBox,
    gdVerticalEnd,
    gdVerticalCenter,
    gdVerticalBox,
    gdSquareBox,
    gdBigSquareBox
};
enum TSkGradientColorStyle { gcsSystem, gcsMSOffice, gcsCustom };
enum TSkVisualStyle { vsClassic, vsWinXP, vsGradient };
enum TSkHotTrackColorType { htctComplement, htctActual };
enum TBlinkState { bsOn, bsOff };

enum TSkFrameControllerProperty {
    fcpColor,
    fcpFocusColor,
    fcpDisabledColor,
    fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus,
    fcpParentColor,
    fcpFlatButtonColor,
    fcpFlatButtons,
    fcpFrameColor,
    fcpFrameHotColor,
    fcpFrameHotTrack,
    fcpFrameHotStyle,
    fcpFrameSides,
    fcpFrameStyle,
    fcpFrameVisible,
    fcpFramingPreference,
    fcpAll
};
using TSkFrameControllerNotifications = std::uint16_t; // bit n is property n
constexpr TSkFrameControllerNotifications AllNotifications = 0xFFFF;

// ---- Colours (system colours are resolved first) ----
struct THls {
    int H = 0, S = 0, L = 0;
};
THls SplitColorHls(TColor c);
int HueOfColor(TColor c);
TColor ColorFromHls(int H, int S, int L);
TColor DarkenColor(TColor c, int amount);
TColor LightenColor(TColor c, int amount);
TColor ShiftColor(TColor c, int amount);
TColor MixColors(TColor c1, TColor c2, int weight);
bool ColorsNearlyEqual(TColor c1, TColor c2);
TColor OppositeHueColor(TColor c, int L);
// Without a platform theme the unthemed branches apply.
bool ThemesEnabled();
TColor ThemedElementColor(int kind);
void SchemeGradientColors(TSkGradientColorStyle style, TColor& start, TColor& stop);
TColor SchemeFrameColor(TSkGradientColorStyle style);
void SchemeGroupColors(TSkGradientColorStyle style, TColor& stop, TColor& start, TColor& frame);
bool ScreenHasFullColor();

// ---- Border routines ----
TRect PaintSideLines(TCanvas& c, TRect r, TColor ul, TColor lr, TSides sides);
TRect PaintBevelLines(TCanvas& c, TRect r, TColor ul, TColor lr, TSides sides, int count);
TRect PaintSunkenRaisedSides(TCanvas& c, TRect r, bool lowered, TSides sides);
TRect PaintPushFrameSides(TCanvas& c, TRect r, bool down, TSides sides);
TRect PaintPushFrame(TCanvas& c, TRect r, bool down);
TRect PaintTintedPushFrameSides(TCanvas& c, TRect r, TColor face, bool down, TSides sides);
TRect PaintTintedPushFrame(TCanvas& c, TRect r, TColor face, bool down);
TRect PaintStyleFrameSides(TCanvas& c, TRect r, TFrameStyle style, TSides sides);
TRect PaintStyleFrame(TCanvas& c, TRect r, TFrameStyle style);
TRect PaintTintedStyleFrameSides(TCanvas& c, TRect r, TColor face, TFrameStyle style, TSides sides);
TRect PaintTintedStyleFrame(TCanvas& c, TRect r, TColor face, TFrameStyle style);
TRect PaintOnePixelBox(TCanvas& c, TRect r, TColor colour);
TRect PaintDottedBox(TCanvas& c, TRect r);
TRect PaintRoundedSides(TCanvas& c, TRect r, TColor colour, TSides sides);

struct TPanelFrameArgs {
    TFrameStyleEx Outer = fsNone, Inner = fsNone;
    int BorderWidth = 0;
    TSides Sides = AllSides;
    int BevelWidth = 1;
    TColor BorderColor = fw::clBtnFace, Highlight = fw::clBtnHighlight, Shadow = fw::clBtnShadow;
    TColor FlatColor = fw::clBtnShadow;
    int FlatAdjustment = 30;
    TColor Color = fw::clBtnFace, ParentColor = fw::clBtnFace;
    bool Transparent = false;
    bool CutCorners = false;
};
TRect PaintPanelFrame(TCanvas& c, TRect bounds, const TPanelFrameArgs& a);
// Border thickness of one side for a frame style.
int FrameStyleThickness(TFrameStyleEx style, int bevelWidth);
// The rectangle inside an outer and an inner frame drawn on the given sides.
TRect InsetByFrames(TRect r, TSides sides, TFrameStyleEx outer, TFrameStyleEx inner, int bevelWidth);
// A transparent image of the given size (at least 1 by 1) painted by paint.
QImage RenderToImage(int width, int height, const std::function<void(TCanvas&)>& paint);

// Style 0..2; on this platform the flat style 2 is used (no themed button exists).
void PaintDropArrow(TCanvas& c, TRect r, int style, bool enabled);

// ---- Text helpers ----
QString StripAccelerators(const QString& text);
QChar FinalChar(const QString& text);
using fw::AcceleratorOf;
int DrawTextIn(TCanvas& c, const QString& text, TRect& r, unsigned flags);
void DrawTextCentered(TCanvas& c, const QString& text, TRect r);
// Invalidates every child that reports itself transparent (the "skTransparent" property).
void RepaintTransparentChildren(QWidget* container);

// ---- Blinking list: one shared timer flips every listed control between on and off ----
class TSkBlinkingControlsList
{
  public:
    using BlinkTarget = std::function<bool(TBlinkState)>; // returns false when the control does not blink
    TSkBlinkingControlsList();
    ~TSkBlinkingControlsList();
    void Add(void* control, BlinkTarget target);
    void Remove(void* control);
    int Count() const { return int(FControls.size()); }
    int IntervalOn() const { return FIntervalOn; }
    int IntervalOff() const { return FIntervalOff; }
    void SetIntervalOn(int ms);
    void SetIntervalOff(int ms);
    TBlinkState BlinkState() const { return FBlinkState; }
    // The state just entered lasts its own interval: on for IntervalOn, off for IntervalOff.
    void Tick();

    static TSkBlinkingControlsList* Shared(bool create);
    static void ReleaseBlinkListIfEmpty();

  private:
    TBlinkState FBlinkState = bsOff;
    int FIntervalOff = 500;
    int FIntervalOn = 500;
    fw::TTimer FTimer;
    std::vector<std::pair<void*, BlinkTarget>> FControls;
    std::unordered_set<void*> FMembers; // the controls of FControls, for quick membership tests
};

// ---- Frame controller: pushes one set of frame and colour settings into many controls ----
class TSkFrameController;
// A control that follows a frame controller.
class ISkFramed
{
  public:
    virtual ~ISkFramed() = default;
    virtual void NotifyFramingChanged(TSkFrameController* controller, TSkFrameControllerProperty p) = 0;
};

class TSkFrameController
{
  public:
    TSkFrameController() = default;
    ~TSkFrameController();
    TSkFrameController(const TSkFrameController&) = delete;
    TSkFrameController& operator=(const TSkFrameController&) = delete;

    void AddControl(ISkFramed* control);
    void RemoveControl(ISkFramed* control);
    int ControlCount() const { return int(FControls.size()); }
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void UpdateControls(TSkFrameControllerProperty p = fcpAll);
    void Assign(const TSkFrameController& source);

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool v);
    TColor FlatButtonColor() const { return FFlatButtonColor; }
    void SetFlatButtonColor(TColor v) { Set(FFlatButtonColor, v, fcpFlatButtonColor); }
    bool FlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool v) { Set(FFlatButtons, v, fcpFlatButtons); }
    TColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor v) { Set(FDisabledColor, v, fcpDisabledColor); }
    TColor ReadOnlyColor() const { return FReadOnlyColor; }
    void SetReadOnlyColor(TColor v) { Set(FReadOnlyColor, v, fcpReadOnlyColor); }
    bool ReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
    void SetReadOnlyColorOnFocus(bool v) { Set(FReadOnlyColorOnFocus, v, fcpReadOnlyColorOnFocus); }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { Set(FFocusColor, v, fcpFocusColor); }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor v) { Set(FFrameColor, v, fcpFrameColor); }
    TColor FrameHotColor() const { return FFrameHotColor; }
    void SetFrameHotColor(TColor v) { Set(FFrameHotColor, v, fcpFrameHotColor); }
    bool FrameHotTrack() const { return FFrameHotTrack; }
    void SetFrameHotTrack(bool v);
    TFrameStyle FrameHotStyle() const { return FFrameHotStyle; }
    void SetFrameHotStyle(TFrameStyle v) { Set(FFrameHotStyle, v, fcpFrameHotStyle); }
    TSides FrameSides() const { return FFrameSides; }
    void SetFrameSides(TSides v) { Set(FFrameSides, v, fcpFrameSides); }
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle v) { Set(FFrameStyle, v, fcpFrameStyle); }
    bool FrameVisible() const { return FFrameVisible; }
    void SetFrameVisible(bool v) { Set(FFrameVisible, v, fcpFrameVisible); }
    TFramingPreference FramingPreference() const { return FFramingPreference; }
    void SetFramingPreference(TFramingPreference v) { Set(FFramingPreference, v, fcpFramingPreference); }

  private:
    template <class T> void Set(T& field, T v, TSkFrameControllerProperty p)
    {
        if (field == v)
            return;
        field = v;
        UpdateControls(p);
    }
    int FUpdateCount = 0;
    std::vector<ISkFramed*> FControls;
    TColor FColor = fw::clWindow;
    bool FParentColor = false;
    TColor FFlatButtonColor = fw::clBtnFace;
    bool FFlatButtons = true;
    TColor FDisabledColor = fw::clBtnFace;
    TColor FReadOnlyColor = fw::clInfoBk;
    bool FReadOnlyColorOnFocus = false;
    TColor FFocusColor = fw::clWindow;
    TColor FFrameColor = fw::clBtnShadow;
    TColor FFrameHotColor = fw::clBtnShadow;
    bool FFrameHotTrack = false;
    TFrameStyle FFrameHotStyle = fsFlatBold;
    TSides FFrameSides = AllSides;
    TFrameStyle FFrameStyle = fsFlat;
    bool FFrameVisible = false;
    TFramingPreference FFramingPreference = fpXPThemes;
};

// The framework's modal-result hand-over: stores the value on the button's window and, when that window
// is a dialog and the value is not 0, ends the dialog with it.
void SetFormModalResult(QWidget* control, int modalResult);
int FormModalResult(QWidget* control);

// Beeps go through one seam so that tests can count them.
void Beep();
void SetBeepHook(std::function<void()> hook);

} // namespace sk
