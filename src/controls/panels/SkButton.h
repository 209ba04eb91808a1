// TSkButton: a push button drawn classic (system or tinted colours) or in the flat hot-track look, that
// can be grouped like a toggle and draws its caption raised, recessed or shadowed. TSkShapeButton: a
// button whose shape is a picture; it builds bevelled up and down pictures from the picture's opaque
// pixels and answers the mouse only over them. Press gating on focus as TSkBmpButton. UI thread only.
#pragma once

#include "controls/panels/SkBmpButton.h"

namespace sk
{

class TSkButton : public TSkGroupedButton<TSkButton>
{
  public:
    explicit TSkButton(QWidget* parent = nullptr);
    bool DialogChar(QChar Key) override;

    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool v);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor v) { FHotTrackColor = v; }
    TSkHotTrackColorType HotTrackColorType() const { return FHotTrackColorType; }
    void SetHotTrackColorType(TSkHotTrackColorType v) { FHotTrackColorType = v; }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) { Set(FHighlightColor, v); }
    TColor FrameColor() const { return FFrameColor; }
    void SetFrameColor(TColor v) { Set(FFrameColor, v); }
    bool ThemeAware() const { return FThemeAware; }
    void SetThemeAware(bool v) { Set(FThemeAware, v); }
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle v) { Set(FTextStyle, v); }
    bool LightTextStyle() const { return FLightTextStyle; }
    void SetLightTextStyle(bool v) { Set(FLightTextStyle, v); }
    TColor TextHighlightColor() const { return FTextHighlightColor; }
    void SetTextHighlightColor(TColor v) { Set(FTextHighlightColor, v); }
    TColor TextShadowColor() const { return FTextShadowColor; }
    void SetTextShadowColor(TColor v) { Set(FTextShadowColor, v); }
    int TextShadowDepth() const { return FTextShadowDepth; }
    void SetTextShadowDepth(int v) { Set(FTextShadowDepth, v); }
    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    void SetAlignmentVertical(TAlignmentVertical v) { Set(FAlignmentVertical, v); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { Set(FAlignment, v); }
    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    void SetDown(bool v);
    bool ShowDownPattern() const { return FShowDownPattern; }
    void SetShowDownPattern(bool v) { Set(FShowDownPattern, v); }
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool v) { Set(FShowFocusRect, v); }
    bool DropDownOnEnter() const { return FDropDownOnEnter; }
    void SetDropDownOnEnter(bool v) { FDropDownOnEnter = v; }
    bool Transparent() const { return FTransparent; }

    QImage Render();
    // Look states for the gallery.
    void ShowLookForPicture(bool shownDown, bool mouseOver, bool active)
    {
        FShowDownVersion = shownDown;
        FMouseOverButton = mouseOver;
        FActive = active;
    }

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
    void KeyUp(fw::Word& Key, fw::TShiftState Shift) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;

  private:
    void DoClickAction();
    void PaintTo(TCanvas& c);
    // The frames and face in each style; each returns the face's box.
    TRect PaintHotTrackFace(TCanvas& c, bool pressed);
    TRect PaintClassicFace(TCanvas& c, bool pressed);
    void PaintDownPattern(TCanvas& c, const TRect& B);
    void PaintHotOuterFrame(TCanvas& c, TRect r, bool enabled);
    void PaintHotInnerFrame(TCanvas& c, TRect r, bool enabled);
    void PaintHotFace(TCanvas& c, TRect b);
    void PaintCaption(TCanvas& c, TRect r, unsigned flags);

    bool FHotTrack = false;
    TColor FHotTrackColor = 0x149BF0;
    TSkHotTrackColorType FHotTrackColorType = htctActual;
    TColor FHighlightColor = fw::clHighlight;
    TColor FFrameColor = fw::cl3DDkShadow;
    bool FThemeAware = true;
    TTextStyle FTextStyle = tsNormal;
    bool FLightTextStyle = false;
    TColor FTextHighlightColor = fw::clBtnHighlight, FTextShadowColor = fw::clBtnShadow;
    int FTextShadowDepth = 2;
    TAlignmentVertical FAlignmentVertical = avCenter;
    TAlignment FAlignment = taCenter;
    bool FDefault = false, FCancel = false, FActive = false;
    bool FShowDownPattern = true, FShowFocusRect = true;
    bool FDropDownOnEnter = true;
    bool FTransparent = false;
    bool FMouseOverButton = false, FShowDownVersion = false, FKeyToggle = false;
    bool FClicking = false, FFocused = false;
};

enum TSkCaptionPosition { cpCentered, cpXY };

class TSkShapeButton : public fw::TControl
{
  public:
    explicit TSkShapeButton(QWidget* parent = nullptr);
    bool DialogChar(QChar Key) override;

    const QImage& Bitmap() const { return FBitmap; }
    // The key colour is the picture's bottom-left pixel.
    void SetBitmap(const QImage& v);
    const QImage& BitmapUp() const { return FBitmapUp; }
    const QImage& BitmapDown() const { return FBitmapDown; }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    TColor BevelHighlightColor() const { return FBevelHighlightColor; }
    void SetBevelHighlightColor(TColor v) { SetRebuild(FBevelHighlightColor, v); }
    TColor BevelShadowColor() const { return FBevelShadowColor; }
    void SetBevelShadowColor(TColor v) { SetRebuild(FBevelShadowColor, v); }
    bool BorderSingle() const { return FBorderSingle; }
    void SetBorderSingle(bool v) { SetRebuild(FBorderSingle, v); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { SetRebuild(FBorderColor, v); }
    bool PreciseClick() const { return FPreciseClick; }
    void SetPreciseClick(bool v) { FPreciseClick = v; }
    TSkCaptionPosition CaptionPosition() const { return FCaptionPosition; }
    void SetCaptionPosition(TSkCaptionPosition v)
    {
        FCaptionPosition = v;
        update();
    }
    void SetCaptionXY(int x, int y);
    int CaptionX() const { return FCaptionX; }
    int CaptionY() const { return FCaptionY; }
    TColor TransparentColor() const;
    bool PtInMask(int x, int y) const;
    QImage Render();
    void ShowStateForPicture(bool down) { FState = down ? bsDown : bsUp; }

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void Click() override {}
    void TextChanged() override { update(); }

  private:
    template <class T> void SetRebuild(T& f, T v)
    {
        if (f == v)
            return;
        f = v;
        BitmapChanged();
    }
    void BitmapChanged();
    QImage BuildBevelBitmap(bool up) const;
    bool Inside(int x, int y) const;

    QImage FBitmap, FBitmapUp, FBitmapDown;
    bool FAutoSize = true;
    int FBevelWidth = 2;
    TColor FBevelHighlightColor = fw::clBtnHighlight, FBevelShadowColor = fw::clBtnShadow;
    bool FBorderSingle = true;
    TColor FBorderColor = fw::cl3DDkShadow;
    bool FPreciseClick = true;
    TSkCaptionPosition FCaptionPosition = cpCentered;
    int FCaptionX = 0, FCaptionY = 0;
    TButtonState FState = bsUp;
    bool FDragging = false;
};

} // namespace sk
