// Base of the Led control family: an update counter and an immediate redraw entry (TLedCustomControl),
// an off-screen picture that the control paints into and copies out in one step (TLedCustomImageControl),
// the two-colour palette and 3-D text style, and the shared caption, layout, frame and tile routines.
// UI thread only.
#pragma once

#include "framework/Control.h"

#include <QImage>
#include <functional>

namespace sk
{

using fw::TCanvas;
using fw::TColor;
using fw::TPoint;
using fw::TRect;

class TLedPersistent
{
  public:
    virtual ~TLedPersistent() = default;
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void Changed();
    std::function<void(TLedPersistent*)> OnChange;

  protected:
    int FUpdateCount = 0;
};

class TLedPalette : public TLedPersistent
{
  public:
    TColor Low() const { return FLow; }
    void SetLow(TColor v);
    TColor High() const { return FHigh; }
    void SetHigh(TColor v);
    TColor Colors(int index) const { return index <= 0 ? FLow : FHigh; }
    void Assign(const TLedPalette& source);
    // Recolours the picture in place: DarkColor pixels become Low, then LightColor pixels High,
    // both chosen on the picture as it was.
    void ToBMP(QImage& bitmap, TColor darkColor, TColor lightColor) const;

  private:
    TColor FLow = fw::clGreen;
    TColor FHigh = fw::clLime;
};

enum TLedFont3DStyle { f3dNone, f3dRaised, f3dSunken, f3dShadow };

class TLedFont3D : public TLedPersistent
{
  public:
    TLedFont3DStyle Style() const { return FStyle; }
    void SetStyle(TLedFont3DStyle v) { Set(FStyle, v); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor v) { Set(FHighlightColor, v); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor v) { Set(FShadowColor, v); }
    int HighlightDepth() const { return FHighlightDepth; }
    void SetHighlightDepth(int v) { Set(FHighlightDepth, v); }
    int ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(int v) { Set(FShadowDepth, v); }
    void Assign(const TLedFont3D& source);
    void Paint(TCanvas& canvas, TRect rect, unsigned format, const QString& text) const;

  private:
    template <class T> void Set(T& f, T v)
    {
        if (f == v)
            return;
        f = v;
        Changed();
    }
    TLedFont3DStyle FStyle = f3dNone;
    TColor FHighlightColor = fw::clBtnHighlight;
    TColor FShadowColor = fw::clBtnShadow;
    int FHighlightDepth = 1;
    int FShadowDepth = 1;
};

class TLedCustomControl : public fw::TControl
{
  public:
    explicit TLedCustomControl(QWidget* parent = nullptr);
    QString Version() const { return QStringLiteral("1.4.5"); }
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    // Repaints at once unless loading or inside an update.
    virtual void UpdateControl();
    // How many redraws UpdateControl has asked for (tests use it).
    int RedrawCount() const { return FRedrawCount; }

  protected:
    int FUpdateCount = 0;
    int FRedrawCount = 0;
};

class TLedCustomImageControl : public TLedCustomControl
{
  public:
    explicit TLedCustomImageControl(QWidget* parent = nullptr);
    const QImage& BitmapImage() const { return FBitmapImage; }
    // Paints the off-screen picture as it is now (the gallery and tests use it).
    QImage Snapshot();

  protected:
    // Descendants draw the whole control on the picture's canvas.
    virtual void PaintImage(TCanvas& canvas) = 0;
    void ClearBitmap(TCanvas& canvas);
    void Paint(TCanvas& canvas) override;
    void Resized() override { UpdateControl(); }
    void RenderImage();

    QImage FBitmapImage;
};

void DrawButtonCaption(TCanvas& c, const QString& caption, TRect r, bool enabled);
// Layout 1 image left, 2 right, 3 above, 4 below the caption.
void CalcButtonLayoutSized(TRect client, int tw, int th, int layout, int margin, int spacing,
                           TPoint imageSize, TPoint& imagePos, TRect& textBounds);
void DrawFrame3D(TCanvas& c, TRect& r, TColor top, TColor bottom, int width);
void TileBitmap(TCanvas& c, TRect r, const QImage& bmp);

} // namespace sk
