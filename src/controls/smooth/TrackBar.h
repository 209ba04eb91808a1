// TFxTrackBar, the fader: one integer Position between Min and Max, moved by the mouse (thumb drag,
// track paging, step buttons), the keys and the wheel; every change ends in OnChange, synchronously,
// also when code calls SetPosition. Owns its appearance objects, pictures, repeat timer and hint
// window. UI thread only.
#pragma once

#include "controls/smooth/TrackBarParts.h"
#include "framework/Control.h"
#include "framework/ImageList.h"
#include "runtime/Timer.h"

#include <memory>

class QLabel;

namespace fx
{

using fw::TPoint;
using fw::TRect;

using TDrawTickEvent = std::function<void(fw::TControl* Sender, fw::TCanvas& Canvas, TPoint Location,
                                          int Position, TTickMark TickPos, int& Length, TColor& Color,
                                          TColor& TextColor, QString& Text, bool& DefaultDraw)>;
using TGetTrackHintEvent = std::function<void(fw::TControl* Sender, int Position, QString& HintStr)>;
using TGetTrackLabelEvent = std::function<void(fw::TControl* Sender, int Position, QString& Value)>;
using TGetTickMarkTextEvent = std::function<void(fw::TControl* Sender, int Index, QString& Value)>;

// The value-to-pixel and pixel-to-value rules of a fader, as pure functions.
namespace trackgeom
{
// The rectangle of a part the fader does not show.
inline const TRect kAbsent{-1, -1, -1, -1};
inline bool Absent(const TRect& r)
{
    return r == kAbsent;
}
// Thumb offset along the track from the Min end (0 when Max = Min or the travel is not positive).
int ThumbOffset(int travel, int position, int min, int max);
// Value for a jump press (the thumb's top/left edge lands on the pressed pixel); nullopt-like:
// returns current when the travel is not positive.
int JumpValue(bool vertical, const TRect& track, int thumbWidth, int pointerOffset, int x, int y, int min,
              int max, int current);
// Value while dragging, keeping the grip offset.
int DragValue(bool vertical, const TRect& track, int thumbLength, int gripX, int gripY, int x, int y, int min,
              int max, int current);
// Top-left corner of the value hint of the given size, wanted at `wanted`: it moves only when its right
// or bottom edge lies beyond the monitor's, and then ends 2 pixels inside that edge.
QPoint HintPosition(QPoint wanted, QSize size, const QRect& monitor);
} // namespace trackgeom

class TCustomTrackBar : public fw::TControl
{
  public:
    explicit TCustomTrackBar(QWidget* parent = nullptr);
    ~TCustomTrackBar() override;

    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    virtual void SetPosition(int Value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int value) { FPageSize = value; }
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation value);
    TMoveOnClick MoveOnClick() const { return FMoveOnClick; }
    void SetMoveOnClick(TMoveOnClick value) { FMoveOnClick = value; }
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool value) { FShowFocus = value; }
    bool TrackHint() const { return FTrackHint; }
    void SetTrackHint(bool value) { FTrackHint = value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor value);
    TGradientDirection Direction() const { return FDirection; }
    void SetDirection(TGradientDirection value);
    bool BackGroundStretched() const { return FBackGroundStretched; }
    void SetBackGroundStretched(bool value);
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor v) { FBorderColorDisabled = v; }
    TColor ColorDisabled() const { return FColorDisabled; }
    void SetColorDisabled(TColor v) { FColorDisabled = v; }
    TColor ColorDisabledTo() const { return FColorDisabledTo; }
    void SetColorDisabledTo(TColor v) { FColorDisabledTo = v; }

    TGDIPPicture& BackGround() { return FIBackGround; }
    TGDIPPicture& BackGroundDisabled() { return FIBackGroundDisabled; }
    TGDIPPicture& RateActive() { return FIRateActive; }
    TGDIPPicture& RateInActive() { return FIRateInActive; }
    TTrackBarThumb& Thumb() { return *FThumb; }
    TTrackBarSlider& Slider() { return *FSlider; }
    TTrackBarTick& TickMark() { return *FTickMark; }
    TTrackBarButtons& Buttons() { return *FButtons; }
    TTrackBarLabel& TrackLabel() { return *FTrackLabel; }
    // Borrowed tick images; cleared (and the bar repainted) when the list is destroyed.
    fw::TCustomImageList* TickImages() const { return FImages; }
    void SetTickImages(fw::TCustomImageList* value);
    const TTrackBarThumb& Thumb() const { return *FThumb; }
    const TTrackBarSlider& Slider() const { return *FSlider; }
    const TTrackBarTick& TickMark() const { return *FTickMark; }

    QString Version() const { return QStringLiteral("1.6.3.0"); }
    void SetVersion(const QString&) {}
    void SetComponentStyle(TTMSStyle AStyle);
    bool IsRatingMode() const;

    // Geometry (client coordinates); an absent rectangle is (-1, -1, -1, -1).
    TRect GetInnerRect() const;
    TRect GetTrackRect() const;
    TRect GetSliderRect() const;
    virtual TRect GetThumbRect() const;
    virtual TRect GetTopLeftTickRect() const;
    virtual TRect GetBottomRightTickRect() const;
    TRect GetMinButtonRect() const;
    TRect GetMaxButtonRect() const;
    TRect GetTrackLabelRect(bool textExtent) const;
    TRect GetRateRect(int value) const;
    int GetThumbPointerOffset() const;
    int RateValueAt(int X, int Y) const;
    QString TrackLabelText() const;

    void Loaded() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // State for tests and drawing.
    bool ThumbHot() const { return FThumbHot; }
    bool ThumbDown() const { return FThumbDown; }
    bool Sliding() const { return FSliding; }
    bool MinButtonDown() const { return FMinButtonDown; }
    bool MaxButtonDown() const { return FMaxButtonDown; }
    bool TrackHintShowing() const { return FTrackHintShow; }
    bool RepeatTimerEnabled() const { return FRepeatTimer && FRepeatTimer->Enabled(); }

    fw::TNotifyEvent OnChange;
    TDrawTickEvent OnDrawTick;
    TGetTrackHintEvent OnGetTrackHint;
    TGetTrackLabelEvent OnGetTrackLabelText;
    TGetTickMarkTextEvent OnGetTickMarkText;

    // Drawing helpers shared with the gallery and the other controls.
    static void DrawBandGradient(fw::TCanvas& Canvas, TColor From, TColor To, bool Horizontal, TRect R,
                                 int Steps);
    static void DrawDirectionalGradient(fw::TCanvas& Canvas, TColor From, TColor To,
                                        TGradientDirection Direction, TRect R, int Steps);
    static TColor BlendColors(TColor A, TColor B, int P);
    static void Draw3DFrame(fw::TCanvas& Canvas, TRect R, bool Raised, TColor Light, TColor Dark);
    static void DrawDottedFrame(fw::TCanvas& Canvas, TRect R, TColor Color);

  protected:
    void Paint(fw::TCanvas& Canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
    bool DoMouseWheel(fw::TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override { update(); }

    virtual void RepeatTimerTick();
    virtual bool CanPageStep() { return true; }
    virtual bool CanDragThumb() { return true; }
    virtual bool IsValidPosition(int Value) const { return Value >= FMin && Value <= FMax; }
    virtual int GetMinPosition() const { return FMin; }
    virtual int GetMaxPosition() const { return FMax; }
    virtual void StepDown();
    virtual void StepUp();
    virtual void PageStepToPressPoint();
    virtual int GetThumbLength() const;
    virtual void DrawSlider(fw::TCanvas& Canvas);
    virtual void DrawThumb(fw::TCanvas& Canvas);
    virtual void DoChange();
    void InvalidateTrackLabel();

  private:
    void PartChanged() { update(); }
    void TickChanged();
    void StartRepeatTimer();
    void ShowTrackHint(int value);
    void HideTrackHint();
    bool HasTopLeftTicks() const;
    bool HasBottomRightTicks() const;
    bool Vertical() const { return FOrientation == trVertical; }
    int TrackLength() const;

    void DrawBackground(fw::TCanvas& Canvas);
    void DrawTrackLabel(fw::TCanvas& Canvas);
    void DrawTicks(fw::TCanvas& Canvas);
    // One tick on side 0 (top or left) or 1, `offset` pixels along the track.
    void DrawTick(fw::TCanvas& Canvas, const TRect& R, int side, int value, int offset);
    void DrawTickLine(fw::TCanvas& Canvas, const TRect& R, int side, int along, int length, TColor color,
                      int value);
    void DrawTickText(fw::TCanvas& Canvas, const TRect& R, int side, int along, const QString& text,
                      TColor textColor);
    // The completed part (up to the thumb's centre) and the rest of slider S.
    void SplitSliderAtThumb(const TRect& S, TRect& done, TRect& rest) const;
    // colors: the completed part's two, then the rest's.
    void FillRoundedSlider(fw::TCanvas& Canvas, const TRect& S, const TRect& done, const TRect& rest,
                           const TColor (&colors)[4]);
    void DrawSliderPicture(fw::TCanvas& Canvas, const TRect& S, const TRect& r, const TGDIPPicture& pp);
    void DrawSliderBorder(fw::TCanvas& Canvas, const TRect& S, TColor border);
    void DrawThumbShape(fw::TCanvas& Canvas, TRect R, int Value, bool Down, bool Hot);
    void DrawButtons(fw::TCanvas& Canvas);
    void DrawStepButton(fw::TCanvas& Canvas, bool isMax);
    void DrawRateImages(fw::TCanvas& Canvas);

    std::unique_ptr<TTrackBarThumb> FThumb;
    std::unique_ptr<TTrackBarSlider> FSlider;
    std::unique_ptr<TTrackBarTick> FTickMark;
    std::unique_ptr<TTrackBarButtons> FButtons;
    std::unique_ptr<TTrackBarLabel> FTrackLabel;
    int FMax = 10;
    int FMin = 0;
    TTrackBarOrientation FOrientation = trHorizontal;
    int FPageSize = 1;
    int FPosition = 0;
    bool FSliding = false;
    TColor FColorDisabled = fw::clNone, FColorTo = fw::clNone, FBorderColorDisabled = fw::clNone,
           FBorderColor = fw::clNone, FColorDisabledTo = fw::clNone;
    TGDIPPicture FIBackGround;
    TGradientDirection FDirection = gdHorizontal;
    bool FTransparent = true;
    int FOffset = 2;
    int FTickTextOffset = 2;
    bool FThumbHot = false, FThumbDown = false;
    int FThumbCenterOffsetX = 0, FThumbCenterOffsetY = 0;
    TGDIPPicture FIRateInActive, FIRateActive, FIBackGroundDisabled;
    int FBorderWidth = 1;
    bool FMinButtonHot = false, FMinButtonDown = false, FMaxButtonHot = false, FMaxButtonDown = false;
    bool FSliderButtonDown = false;
    TPoint FSliderDownPt;
    int FPageDirection = 0; // sign of the first page step of the current press
    int FTextHeight = 0;
    QPointer<fw::TCustomImageList> FImages;
    QMetaObject::Connection FImagesGone;
    std::unique_ptr<fw::TTimer> FRepeatTimer;
    bool FTrackHint = false;
    bool FBackGroundStretched = false;
    int FHintTickIndex = -1;
    QLabel* FTrackHintWnd = nullptr;
    bool FTrackHintShow = false;
    bool FShowFocus = false;
    TMoveOnClick FMoveOnClick = mcStep;
};

class TFxTrackBar : public TCustomTrackBar
{
  public:
    using TCustomTrackBar::TCustomTrackBar;
};

} // namespace fx
