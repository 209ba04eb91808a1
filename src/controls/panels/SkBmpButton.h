// TSkBmpButton: a push or toggle button drawn from up to six pictures with one key colour, an optional
// caption and speed-button grouping: buttons with the same non-zero GroupIndex under the same parent are
// exclusive. The button owns its pictures. UI thread only.
//
// Focus gating: the framework presses a button only once it has the focus. Qt hands the focus over late
// (an inactive window keeps it pending), so the press is gated on whether the button can take the focus
// (visible, enabled, focus policy not NoFocus), and the focus is requested at the same moment.
#pragma once

#include "controls/panels/SkCommon.h"
#include "framework/Control.h"

#include <QImage>
#include <QMouseEvent>
#include <QPointer>

namespace sk
{

enum TButtonBorder { bbNone, bbSingle, bbButton };
enum TBtnSize { bszNeither, bszButtonToBitmap, bszStretchToButton, bszTileToButton };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TSkButtonBitmaps
{
  public:
    const QImage& Up() const { return FUp; }
    void SetUp(const QImage& v) { Set(FUp, v); }
    const QImage& UpAndFocused() const { return FUpAndFocused; }
    void SetUpAndFocused(const QImage& v) { Set(FUpAndFocused, v); }
    const QImage& Disabled() const { return FDisabled; }
    void SetDisabled(const QImage& v) { Set(FDisabled, v); }
    const QImage& Down() const { return FDown; }
    void SetDown(const QImage& v) { Set(FDown, v); }
    const QImage& StayDown() const { return FStayDown; }
    void SetStayDown(const QImage& v) { Set(FStayDown, v); }
    const QImage& Hot() const { return FHot; }
    void SetHot(const QImage& v) { Set(FHot, v); }
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor v)
    {
        if (v == FTransparentColor)
            return;
        FTransparentColor = v;
        Changed();
    }
    std::function<void()> OnChange;

  private:
    void Set(QImage& f, const QImage& v)
    {
        f = v;
        Changed();
    }
    void Changed()
    {
        if (OnChange)
            OnChange();
    }
    QImage FUp, FUpAndFocused, FDisabled, FDown, FStayDown, FHot;
    TColor FTransparentColor = fw::clOlive;
};

// Speed-button grouping and the click of the push and bitmap buttons. Buttons of one class with the same
// non-zero GroupIndex under one parent are exclusive; the group keeps one AllowAllUp, passed on when the
// setting (or the group) changes, never with a press, so that the group keeps one setting whichever button
// was released last. Click hands ModalResult to the form first. The framework's own click on release is
// kept out (the press logic clicks itself).
template <class Self> class TSkGroupedButton : public fw::TControl
{
  public:
    using fw::TControl::TControl;

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v)
    {
        if (v == FGroupIndex)
            return;
        FGroupIndex = v;
        UpdateExclusive(true);
    }
    bool Down() const { return FDown; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool v)
    {
        if (v == FAllowAllUp)
            return;
        FAllowAllUp = v;
        UpdateExclusive(true);
    }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int v) { FModalResult = v; }

    // The form's ModalResult takes the button's, then OnClick fires.
    void Click() override
    {
        if (FSuppressFrameworkClick) {
            FSuppressFrameworkClick = false;
            return;
        }
        QPointer<QWidget> guard(this);
        SetFormModalResult(this, FModalResult);
        if (guard)
            fw::TControl::Click();
    }

  protected:
    void UpdateExclusive(bool shareAllowAllUp)
    {
        QWidget* parent = parentWidget();
        if (FGroupIndex == 0 || !parent) {
            if (!FDown)
                FState = bsUp;
            return;
        }
        const auto siblings = parent->children();
        for (QObject* o : siblings)
            if (auto* b = dynamic_cast<Self*>(o); b && b != this)
                static_cast<TSkGroupedButton*>(b)->GroupMessage(this, shareAllowAllUp);
    }
    // Runs the framework's MouseUp, then tells whether this release ends a press here: the release of
    // any mouse button ends it (a left press with a right click meanwhile ends at the right release).
    bool EndMousePress(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y)
    {
        FSuppressFrameworkClick = false;
        QPointer<QWidget> guard(this);
        fw::TControl::MouseUp(Button, Shift, X, Y);
        if (!guard || !FDragging)
            return false;
        FDragging = false;
        return true;
    }
    bool InClient(int X, int Y) const { return X >= 0 && X < Width() && Y >= 0 && Y < Height(); }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        FSuppressFrameworkClick = true;
        fw::TControl::mouseReleaseEvent(e);
        FSuppressFrameworkClick = false;
    }

    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    int FModalResult = 0;
    TButtonState FState = bsUp;
    bool FDragging = false; // a mouse or Space press is in progress
    bool FSuppressFrameworkClick = false;

  private:
    void GroupMessage(TSkGroupedButton* sender, bool shareAllowAllUp)
    {
        if (sender->FGroupIndex != FGroupIndex || FGroupIndex == 0)
            return;
        if (sender->FDown && FDown) {
            FDown = false;
            FState = bsUp;
            update();
        }
        if (shareAllowAllUp)
            FAllowAllUp = sender->FAllowAllUp;
    }
};

class TSkBmpButton : public TSkGroupedButton<TSkBmpButton>
{
  public:
    explicit TSkBmpButton(QWidget* parent = nullptr);
    bool DialogChar(QChar Key) override;

    TSkButtonBitmaps& Bitmaps() { return FBitmaps; }
    TButtonBorder ButtonBorder() const { return FButtonBorder; }
    void SetButtonBorder(TButtonBorder v);
    TBtnSize ButtonSize() const { return FButtonSize; }
    void SetButtonSize(TBtnSize v);
    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle v);
    virtual void SetDown(bool value);
    int CaptionDownOffset() const { return FCaptionDownOffset; }
    void SetCaptionDownOffset(int v) { Set(FCaptionDownOffset, v); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout v) { Set(FLayout, v); }
    int Margin() const { return FMargin; }
    void SetMargin(int v)
    {
        if (v >= -1)
            Set(FMargin, v);
    }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v) { Set(FSpacing, v); }
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool v) { Set(FShowFocus, v); }
    bool ShowDownPattern() const { return FShowDownPattern; }
    void SetShowDownPattern(bool v) { Set(FShowDownPattern, v); }
    TButtonState State() const { return FState; }

    void Loaded() override;
    // The whole button as painted now (transparent where the parent shows through).
    QImage Render();
    // Which picture the current state shows (null when none).
    QImage CurrentPicture();

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
    void KeyUp(fw::Word& Key, fw::TShiftState Shift) override;
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;

  private:
    void FinishPress(bool clicked);
    void ResizeCheck();
    bool NewStyle() const { return FButtonStyle != bsWin31; }
    void PaintTo(TCanvas& c, QImage& image);
    // The border for the style; returns what is left inside it.
    TRect PaintBorder(TCanvas& c, TRect R);
    void PaintStayDownBackground(TCanvas& c, const TRect& R);
    // Places the picture (R becomes its box when it keeps its size) and the caption inside R.
    void LayOutGlyphAndCaption(TCanvas& c, const QImage& pic, TRect& R, TRect& textRect);
    void PaintPicture(TCanvas& c, const QImage& pic, const TRect& R);
    void PaintCaption(TCanvas& c, const TRect& textRect);
    QImage PictureFor(TButtonState state);
    QImage EmbossedFromUp() const;

    TSkButtonBitmaps FBitmaps;
    TButtonBorder FButtonBorder = bbNone;
    TBtnSize FButtonSize = bszButtonToBitmap;
    TButtonStyle FButtonStyle = bsAutoDetect;
    int FCaptionDownOffset = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    bool FShowFocus = true;
    bool FShowDownPattern = true;
    bool FFocused = false;
    bool FMouseOver = false;
};

// The shared 8 x 8 stay-down pattern: button face with white where column and row parity agree.
const QImage& DownPatternBitmap();

} // namespace sk
