// TSkPanel and TSkGroupBox: containers with outer and inner borders, a border width, a plain or gradient
// face, a grid, a word-wrapped caption and transparency over their parent (a transparent one paints no
// face, so Qt shows the parent through it). The group box adds six group styles. Children are ordinary
// child widgets; ClientArea() is the rectangle left inside the borders (also set as contents margins).
// UI thread only.
#pragma once

#include "controls/panels/SkCommon.h"
#include "framework/Control.h"

#include <QStringList>

namespace sk
{

enum TSkGroupBoxStyle { gsStandard, gsCustom, gsTopLine, gsFlat, gsBanner, gsUnderline };
enum TSkGridStyle { gsDots, gsDottedLines, gsSolidLines };

class TSkCustomPanel : public fw::TControl, public ISkFramed
{
  public:
    using TPaintEvent = std::function<void(fw::TControl* Sender, TCanvas& Canvas)>;
    explicit TSkCustomPanel(QWidget* parent = nullptr);
    ~TSkCustomPanel() override;

    TFrameStyleEx BorderOuter() const { return FBorderOuter; }
    void SetBorderOuter(TFrameStyleEx v) { SetRealign(FBorderOuter, v); }
    TFrameStyleEx BorderInner() const { return FBorderInner; }
    void SetBorderInner(TFrameStyleEx v) { SetRealign(FBorderInner, v); }
    TSides BorderSides() const { return FBorderSides; }
    void SetBorderSides(TSides v) { SetRealign(FBorderSides, v); }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { SetRealign(FBorderWidth, std::max(0, v)); }
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v) { SetRealign(FBevelWidth, std::max(1, v)); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { Set(FBorderColor, v); }
    TColor BorderHighlight() const { return FBorderHighlight; }
    void SetBorderHighlight(TColor v) { Set(FBorderHighlight, v); }
    TColor BorderShadow() const { return FBorderShadow; }
    void SetBorderShadow(TColor v) { Set(FBorderShadow, v); }
    TColor FlatColor() const { return FFlatColor; }
    void SetFlatColor(TColor v) { Set(FFlatColor, v); }
    int FlatColorAdjustment() const { return FFlatColorAdjustment; }
    void SetFlatColorAdjustment(int v) { Set(FFlatColorAdjustment, v); }
    TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
    void SetAlignmentVertical(TAlignmentVertical v) { Set(FAlignmentVertical, v); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { Set(FAlignment, v); }
    int TextMargin() const { return FTextMargin; }
    void SetTextMargin(int v) { Set(FTextMargin, v); }
    int TextMarginVertical() const { return FTextMarginVertical; }
    void SetTextMarginVertical(int v) { Set(FTextMarginVertical, v); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v) { Set(FWordWrap, v); }
    TSkVisualStyle VisualStyle() const { return FVisualStyle; }
    void SetVisualStyle(TSkVisualStyle v) { Set(FVisualStyle, v); }
    TSkGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
    void SetGradientColorStyle(TSkGradientColorStyle v) { Set(FGradientColorStyle, v); }
    TColor GradientColorStart() const { return FGradientColorStart; }
    void SetGradientColorStart(TColor v) { SetGradient(FGradientColorStart, v); }
    TColor GradientColorStop() const { return FGradientColorStop; }
    void SetGradientColorStop(TColor v) { SetGradient(FGradientColorStop, v); }
    TGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TGradientDirection v) { SetGradient(FGradientDirection, v); }
    bool ShowGrid() const { return FShowGrid; }
    void SetShowGrid(bool v) { Set(FShowGrid, v); }
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor v) { Set(FGridColor, v); }
    TSkGridStyle GridStyle() const { return FGridStyle; }
    void SetGridStyle(TSkGridStyle v) { Set(FGridStyle, v); }
    int GridXSize() const { return FGridXSize; }
    void SetGridXSize(int v) { Set(FGridXSize, std::max(0, v)); }
    int GridYSize() const { return FGridYSize; }
    void SetGridYSize(int v) { Set(FGridYSize, std::max(0, v)); }
    void SetGridSize(int x, int y)
    {
        SetGridXSize(x);
        SetGridYSize(y);
    }
    bool PaintClientArea() const { return FPaintClientArea; }
    void SetPaintClientArea(bool v) { Set(FPaintClientArea, v); }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool v) { FFullRepaint = v; }
    TSkFrameController* FrameController() const { return FFrameController; }
    void SetFrameController(TSkFrameController* c);
    TSkFrameControllerNotifications FrameControllerNotifications() const { return FNotifications; }
    void SetFrameControllerNotifications(TSkFrameControllerNotifications v) { FNotifications = v; }

    TPaintEvent OnPaint;

    TRect InsetForBorders(TRect r, bool withBorderWidth) const;
    // The rectangle children are aligned in.
    virtual TRect ClientArea() const;
    void NotifyFramingChanged(TSkFrameController* controller, TSkFrameControllerProperty p) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  protected:
    void Paint(TCanvas& canvas) override;
    void PaintPanel(TCanvas& canvas);
    void PaintCaptionText(TCanvas& canvas, TRect r);
    void PaintGridLines(TCanvas& canvas, TRect r);
    void GradientColorPair(TColor& start, TColor& stop) const;
    void FrameFlatColors(TColor& colour, int& adjustment) const;
    void EnabledChanged() override;
    void Realign();
    void TextChanged() override { update(); }

    template <class T> void SetRealign(T& f, T v)
    {
        if (f == v)
            return;
        f = v;
        Realign();
        update();
    }
    template <class T> void SetGradient(T& f, T v)
    {
        if (f == v)
            return;
        f = v;
        update();
        RepaintTransparentChildren(this);
    }

    TFrameStyleEx FBorderOuter = fsRaised, FBorderInner = fsNone;
    TSides FBorderSides = AllSides;
    int FBorderWidth = 0, FBevelWidth = 1;
    TColor FBorderColor = fw::clBtnFace, FBorderHighlight = fw::clBtnHighlight,
           FBorderShadow = fw::clBtnShadow;
    TColor FFlatColor = fw::clBtnShadow;
    int FFlatColorAdjustment = 30;
    TAlignmentVertical FAlignmentVertical = avCenter;
    TAlignment FAlignment = taCenter;
    int FTextMargin = 0, FTextMarginVertical = 0;
    bool FWordWrap = true;
    TSkVisualStyle FVisualStyle = vsWinXP;
    TSkGradientColorStyle FGradientColorStyle = gcsSystem;
    TColor FGradientColorStart = fw::clWhite, FGradientColorStop = fw::clBtnFace;
    TGradientDirection FGradientDirection = gdHorizontalEnd;
    bool FShowGrid = false;
    TColor FGridColor = fw::clBtnShadow;
    TSkGridStyle FGridStyle = gsDots;
    int FGridXSize = 8, FGridYSize = 8;
    bool FPaintClientArea = true;
    bool FTransparent = false;
    bool FFullRepaint = true;
    TSkFrameController* FFrameController = nullptr;
    TSkFrameControllerNotifications FNotifications = AllNotifications;
    // Children's own Enabled recorded when the panel was disabled ("1" or "0").
    std::vector<std::pair<QPointer<fw::TControl>, QString>> FEnabledList;
    bool FLastEnabled = true;
};

class TSkPanel : public TSkCustomPanel
{
  public:
    explicit TSkPanel(QWidget* parent = nullptr) : TSkCustomPanel(parent) {}
};

class TSkCustomGroupBox : public TSkCustomPanel
{
  public:
    explicit TSkCustomGroupBox(QWidget* parent = nullptr);
    // Its caption's accelerator, when it can take the focus: the first child in tab order takes it.
    bool DialogChar(QChar Key) override;

    TSkGroupBoxStyle GroupStyle() const { return FGroupStyle; }
    void SetGroupStyle(TSkGroupBoxStyle v) { SetRealign(FGroupStyle, v); }
    int BannerHeight() const { return FBannerHeight; }
    void SetBannerHeight(int v) { SetRealign(FBannerHeight, v); }
    fw::TFont& CaptionFont() { return FCaptionFont; }
    bool CaptionFontChanged() const { return FCaptionFontChanged; }

    TRect ClientArea() const override;
    void NotifyFramingChanged(TSkFrameController* controller, TSkFrameControllerProperty p) override;

  protected:
    void Paint(TCanvas& canvas) override;
    void FontChanged() override;
    void TextChanged() override
    {
        Realign();
        update();
    }

  private:
    // The caption's box for the style; empty without a caption and for the custom style.
    TRect CaptionBox(TCanvas& c, int captionHeight) const;
    void ClipOutCaption(TCanvas& c, const TRect& cap) const;
    void PaintStandardFrame(TCanvas& c, const TRect& fr, TColor F);
    void PaintTopLineFrame(TCanvas& c, const TRect& fr, TColor F);
    void PaintFlatFrame(TCanvas& c, const TRect& fr, TColor F);
    // The banner's outline and gradient; returns the banner's box.
    TRect PaintBanner(TCanvas& c, const TRect& cap, int captionHeight, TColor F);
    void PaintGroupCaption(TCanvas& c, const TRect& cap);

    TSkGroupBoxStyle FGroupStyle = gsFlat;
    int FBannerHeight = 0;
    fw::TFont FCaptionFont;
    bool FCaptionFontChanged = false;
    bool FCopyingFont = false;
};

class TSkGroupBox : public TSkCustomGroupBox
{
  public:
    explicit TSkGroupBox(QWidget* parent = nullptr) : TSkCustomGroupBox(parent) {}
};

} // namespace sk
