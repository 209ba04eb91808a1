// The power button (a toggle with a lamp beside its caption) and the demo button (a push button with a
// tiled picture, bevel and 3-D caption) of the Led family. Both paint into the off-screen picture of
// TLedCustomImageControl. OnClick comes only from their own press handling. UI thread only.
#pragma once

#include "controls/panels/LedBase.h"

namespace sk
{

enum TLedImageTextLayout { ImageLeft, ImageRight, ImageTop, ImageBottom };
enum TLedTextAlignment {
    vtaLeft,
    vtaCenter,
    vtaRight,
    vtaTopLeft,
    vtaTop,
    vtaTopRight,
    vtaBottomLeft,
    vtaBottom,
    vtaBottomRight
};

class TLedPowerButton : public TLedCustomImageControl
{
  public:
    explicit TLedPowerButton(QWidget* parent = nullptr);
    // Its caption's accelerator, enabled: a click; Active stays.
    bool DialogChar(QChar Key) override;

    bool Active() const { return FActive; }
    void SetActive(bool value);
    int LedWidth() const { return FLedWidth; }
    void SetLedWidth(int v);
    int LedHeight() const { return FLedHeight; }
    void SetLedHeight(int v);
    TLedImageTextLayout Layout() const { return FLayout; }
    void SetLayout(TLedImageTextLayout v);
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    TLedPalette& Palette() { return FPalette; }
    void SetPalette(const TLedPalette& p) { FPalette.Assign(p); }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { Set(FFocusColor, v); }
    TColor OutlineColor() const { return FOutlineColor; }
    void SetOutlineColor(TColor v) { Set(FOutlineColor, v); }
    int OutlineWidth() const { return FOutlineWidth; }
    void SetOutlineWidth(int v) { Set(FOutlineWidth, std::clamp(v, 0, 255)); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) { Set(FHighlightColor, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { Set(FShadowColor, v); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) { Set(FBevelWidth, std::clamp(v, 0, 255)); }

    bool Pressed() const { return FPressed; }
    const TRect& TextBounds() const { return FTextBounds; }
    const TRect& ImageRect() const { return FImageRect; }
    void CalcLayout();

  protected:
    void PaintImage(TCanvas& c) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
    void KeyUp(fw::Word& Key, fw::TShiftState Shift) override;
    void Click() override {} // the framework's own click is suppressed
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void FontChanged() override { CalcLayout(); }
    void TextChanged() override { CalcLayout(); }
    void Resized() override { CalcLayout(); }

  private:
    template <class T> void Set(T& f, T v)
    {
        if (f == v)
            return;
        f = v;
        UpdateControl();
    }
    void Toggle();
    bool FActive = false;
    int FLedWidth = 12, FLedHeight = 12;
    TLedPalette FPalette;
    int FBevelWidth = 2;
    TColor FHighlightColor = fw::clBtnHighlight, FShadowColor = fw::clBtnShadow, FOutlineColor = fw::clBlack;
    int FOutlineWidth = 1;
    int FSpacing = 5, FMargin = -1;
    TLedImageTextLayout FLayout = ImageLeft;
    bool FFocused = false;
    TColor FFocusColor = fw::clBlue;
    bool FDown = false, FPressed = false, FSpacePressed = false;
    TRect FTextBounds, FImageRect;
};

class TLedDemoButton : public TLedCustomImageControl
{
  public:
    explicit TLedDemoButton(QWidget* parent = nullptr);
    bool DialogChar(QChar Key) override;

    const QImage& Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage& v)
    {
        FBitmap = v;
        UpdateControl();
    }
    fw::TFont& FontEnter() { return FFontEnter; }
    fw::TFont& FontLeave() { return FFontLeave; }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) { Set(FBevelWidth, std::clamp(v, 0, 255)); }
    int OutlineWidth() const { return FOutlineWidth; }
    void SetOutlineWidth(int v) { Set(FOutlineWidth, v); }
    TColor OutlineColor() const { return FOutlineColor; }
    void SetOutlineColor(TColor v) { Set(FOutlineColor, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { Set(FShadowColor, v); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) { Set(FHighlightColor, v); }
    TColor FocusColor() const { return FFocusColor; }
    void SetFocusColor(TColor v) { Set(FFocusColor, v); }
    TLedTextAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TLedTextAlignment v) { Set(FTextAlignment, v); }
    TColor DisabledTextColor() const { return FDisabledTextColor; }
    void SetDisabledTextColor(TColor v) { Set(FDisabledTextColor, v); }
    TLedFont3D& Font3D() { return FFont3D; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v) { Set(FFlat, v); }
    bool Down() const { return FDownState; }
    // The pressed and mouse-over looks, for the gallery.
    void ShowStateForPicture(bool down, bool hasMouse)
    {
        FDownState = down;
        FHasMouse = hasMouse;
    }

  protected:
    void PaintImage(TCanvas& c) override;
    void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void MouseMove(fw::TShiftState Shift, int X, int Y) override;
    void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
    void KeyDown(fw::Word& Key, fw::TShiftState Shift) override;
    void KeyUp(fw::Word& Key, fw::TShiftState Shift) override;
    void Click() override {}
    void MouseEnter() override;
    void MouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void TextChanged() override { UpdateControl(); }

  private:
    template <class T> void Set(T& f, T v)
    {
        if (f == v)
            return;
        f = v;
        UpdateControl();
    }
    void PressAt(int x, int y);
    void Fire();
    QImage FBitmap;
    fw::TFont FFontEnter, FFontLeave;
    int FBevelWidth = 2;
    int FOutlineWidth = 1;
    TColor FOutlineColor = fw::clBlack, FShadowColor = fw::clBtnShadow, FHighlightColor = fw::clBtnHighlight;
    TColor FFocusColor = fw::clBlue;
    TLedTextAlignment FTextAlignment = vtaCenter;
    TColor FDisabledTextColor = fw::clInactiveCaption;
    TLedFont3D FFont3D;
    bool FFlat = false, FHasMouse = false, FFocused = false, FDownState = false, FPressed = false;
};

} // namespace sk
