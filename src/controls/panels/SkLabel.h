// TSkLabel: a text label with flat rotation or text along an arc, raised, recessed and shadowed text,
// blinking through the shared blinking list, a fly-by colour and borders. UI thread only.
#pragma once

#include "controls/panels/SkCommon.h"
#include "framework/Control.h"

namespace sk
{

enum TRotation { roNone, roFlat, roCurve };
enum TCenterPoint {
    cpUpperLeft,
    cpUpperCenter,
    cpUpperRight,
    cpLeftCenter,
    cpCenter,
    cpRightCenter,
    cpLowerLeft,
    cpLowerCenter,
    cpLowerRight
};
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TSkLabel : public fw::TControl
{
  public:
    explicit TSkLabel(QWidget* parent = nullptr);
    ~TSkLabel() override;

    int Angle() const { return FAngle; }
    void SetAngle(int v);
    TRotation Rotation() const { return FRotation; }
    void SetRotation(TRotation v);
    TCenterPoint CenterPoint() const { return FCenterPoint; }
    void SetCenterPoint(TCenterPoint v) { Set(FCenterPoint, v); }
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle v) { Set(FTextStyle, v); }
    bool LightTextStyle() const { return FLightTextStyle; }
    void SetLightTextStyle(bool v) { Set(FLightTextStyle, v); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) { Set(FHighlightColor, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { Set(FShadowColor, v); }
    int ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int v) { Set(FShadowDepth, v); }
    int TextMargin() const { return FTextMargin; }
    void SetTextMargin(int v) { Set(FTextMargin, v); }
    bool Blinking() const { return FBlinking; }
    void SetBlinking(bool v);
    TColor BlinkColor() const { return FBlinkColor; }
    void SetBlinkColor(TColor v) { Set(FBlinkColor, v); }
    int BlinkIntervalOn() const;
    void SetBlinkIntervalOn(int ms);
    int BlinkIntervalOff() const;
    void SetBlinkIntervalOff(int ms);
    bool FlyByEnabled() const { return FFlyByEnabled; }
    void SetFlyByEnabled(bool v);
    TColor FlyByColor() const { return FFlyByColor; }
    void SetFlyByColor(TColor v) { Set(FFlyByColor, v); }
    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    void SetBorderOuter(TFrameStyleEx v) { SetSized(FBorderOuter, v); }
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    void SetBorderInner(TFrameStyleEx v) { SetSized(FBorderInner, v); }
    TSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TSides v) { SetSized(FBorderSides, v); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { SetSized(FBorderWidth, v); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) { SetSized(FBevelWidth, v); }
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor v) { Set(FFlatColor, v); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { Set(FAlignment, v); }
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v) { Set(FLayout, v); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { Set(FWordWrap, v); }

    // The colour the text is drawn in now (font, blink or fly-by colour).
    TColor CurrentColor() const { return FCurrentColor; }
    void AdjustBounds();
    // Ends the layout reading: the text is measured once, in the font and caption set meanwhile.
    void Loaded() override;
    QImage Render();

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void FontChanged() override;
    void TextChanged() override;
    void Click() override { TControl::Click(); }

  private:
    template <class T> void SetSized(T& f, T v)
    {
        if (f == v)
            return;
        f = v;
        AdjustBounds();
        update();
    }
    bool BlinkTo(TBlinkState s);
    TRect TextArea() const;
    void PaintTo(TCanvas& c);
    void DrawFlat(TCanvas& c, TRect r);
    void DrawCurved(TCanvas& c);

    int FAngle = 0;
    TRotation FRotation = roNone;
    TCenterPoint FCenterPoint = cpCenter;
    TTextStyle FTextStyle = tsNormal;
    bool FLightTextStyle = false;
    TColor FHighlightColor = fw::clBtnHighlight, FShadowColor = fw::clBtnShadow;
    int FShadowDepth = 2, FTextMargin = 0;
    bool FBlinking = false;
    TColor FBlinkColor = fw::clHighlight;
    bool FFlyByEnabled = false;
    TColor FFlyByColor = fw::clHighlight;
    TFrameStyleEx FBorderOuter = fsNone, FBorderInner = fsNone;
    TSides FBorderSides = AllSides;
    int FBorderWidth = 0, FBevelWidth = 1;
    TColor FFlatColor = fw::clBtnShadow;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FTransparent = false, FAutoSize = true, FWordWrap = false;
    TColor FFontColor = fw::clBlack, FCurrentColor = fw::clBlack, FFlyBySaved = fw::clBlack;
    bool FHovering = false, FSettingColor = false;
};

} // namespace sk
