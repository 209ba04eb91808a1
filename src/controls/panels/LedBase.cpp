#include "controls/panels/LedBase.h"

#include <QPainter>

namespace sk
{

using namespace fw;

void TLedPersistent::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    Changed();
}

void TLedPersistent::Changed()
{
    if (FUpdateCount <= 0 && OnChange)
        OnChange(this);
}

void TLedPalette::SetLow(TColor v)
{
    if (v == FLow)
        return;
    FLow = v;
    Changed();
}

void TLedPalette::SetHigh(TColor v)
{
    if (v == FHigh)
        return;
    FHigh = v;
    Changed();
}

void TLedPalette::Assign(const TLedPalette& s)
{
    BeginUpdate();
    SetLow(s.FLow);
    SetHigh(s.FHigh);
    EndUpdate();
}

void TLedPalette::ToBMP(QImage& bitmap, TColor darkColor, TColor lightColor) const
{
    if (bitmap.isNull())
        return;
    const QImage original = bitmap.convertToFormat(QImage::Format_RGB32);
    QImage out = original;
    const QRgb dark = ToQColor(darkColor).rgb() & 0xFFFFFF, light = ToQColor(lightColor).rgb() & 0xFFFFFF;
    const QRgb low = ToQColor(FLow).rgb(), high = ToQColor(FHigh).rgb();
    for (int y = 0; y < out.height(); ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(original.constScanLine(y));
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((src[x] & 0xFFFFFF) == dark)
                dst[x] = low;
            if ((src[x] & 0xFFFFFF) == light)
                dst[x] = high;
        }
    }
    bitmap = out;
}

void TLedFont3D::Assign(const TLedFont3D& s)
{
    BeginUpdate();
    SetStyle(s.FStyle);
    SetHighlightColor(s.FHighlightColor);
    SetShadowColor(s.FShadowColor);
    SetHighlightDepth(s.FHighlightDepth);
    SetShadowDepth(s.FShadowDepth);
    EndUpdate();
}

void TLedFont3D::Paint(TCanvas& c, TRect r, unsigned format, const QString& text) const
{
    const TColor textColor = c.Font.Color();
    c.Brush.Style = bsClear;
    auto at = [&](int d, TColor colour) {
        TRect m = r;
        OffsetRect(m, d, d);
        c.Font.SetColor(colour);
        c.DrawText(text, m, format);
    };
    switch (FStyle) {
    case f3dRaised:
        at(FShadowDepth, FShadowColor);
        at(-FHighlightDepth, FHighlightColor);
        break;
    case f3dSunken:
        at(FHighlightDepth, FHighlightColor);
        at(-FShadowDepth, FShadowColor);
        break;
    case f3dShadow:
        at(FShadowDepth, FShadowColor);
        break;
    default:
        break;
    }
    at(0, textColor);
}

TLedCustomControl::TLedCustomControl(QWidget* parent) : TControl(parent) {}

void TLedCustomControl::EndUpdate()
{
    // An unbalanced call leaves the counter at 0 so that later updates still batch.
    if (FUpdateCount > 0)
        --FUpdateCount;
    UpdateControl();
}

void TLedCustomControl::UpdateControl()
{
    if (Loading() || FUpdateCount > 0)
        return;
    ++FRedrawCount;
    if (isVisible())
        repaint();
}

TLedCustomImageControl::TLedCustomImageControl(QWidget* parent) : TLedCustomControl(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TLedCustomImageControl::ClearBitmap(TCanvas& c)
{
    c.Brush.Style = bsSolid;
    c.Brush.Color = Color();
    c.FillRect(ClientRect());
}

void TLedCustomImageControl::RenderImage()
{
    if (FBitmapImage.size() != size())
        FBitmapImage = QImage(std::max(1, Width()), std::max(1, Height()), QImage::Format_RGB32);
    QPainter p(&FBitmapImage);
    TCanvas canvas(p);
    canvas.Font.Assign(Font());
    ClearBitmap(canvas);
    PaintImage(canvas);
}

QImage TLedCustomImageControl::Snapshot()
{
    RenderImage();
    return FBitmapImage;
}

void TLedCustomImageControl::Paint(TCanvas& canvas)
{
    RenderImage();
    canvas.Draw(0, 0, FBitmapImage);
}

void DrawButtonCaption(TCanvas& c, const QString& caption, TRect r, bool enabled)
{
    c.Brush.Style = bsClear;
    if (enabled) {
        c.DrawText(caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        return;
    }
    const TColor saved = c.Font.Color();
    OffsetRect(r, 1, 1);
    c.Font.SetColor(clBtnHighlight);
    c.DrawText(caption, r, 0);
    OffsetRect(r, -1, -1);
    c.Font.SetColor(clBtnShadow);
    c.DrawText(caption, r, 0);
    c.Font.SetColor(saved);
}

void CalcButtonLayoutSized(TRect client, int tw, int th, int layout, int margin, int spacing, TPoint image,
                           TPoint& imagePos, TRect& textBounds)
{
    const int W = client.Width(), H = client.Height();
    TPoint textPos;
    textBounds = Rect(0, 0, tw, th);
    if (layout == 1 || layout == 2) {
        imagePos.Y = (H - image.Y + 1) / 2;
        textPos.Y = (H - th + 1) / 2;
    } else {
        imagePos.X = (W - image.X + 1) / 2;
        textPos.X = (W - tw + 1) / 2;
    }
    if (tw == 0 || image.X == 0)
        spacing = 0;
    const bool horizontal = layout == 1 || layout == 2;
    const int extent = horizontal ? W : H;
    const int img = horizontal ? image.X : image.Y;
    const int txt = horizontal ? tw : th;
    if (margin == -1 && spacing == -1) {
        margin = (extent - (img + txt)) / 3;
        spacing = margin;
    } else if (margin == -1) {
        margin = (extent - (img + spacing + txt) + 1) / 2;
    } else if (spacing == -1) {
        spacing = (extent - margin - img - txt) / 2;
    }
    switch (layout) {
    case 1:
        imagePos.X = margin;
        textPos.X = imagePos.X + image.X + spacing;
        break;
    case 2:
        imagePos.X = W - margin - image.X;
        textPos.X = imagePos.X - spacing - tw;
        break;
    case 3:
        imagePos.Y = margin;
        textPos.Y = imagePos.Y + image.Y + spacing;
        break;
    default:
        imagePos.Y = H - margin - image.Y;
        textPos.Y = imagePos.Y - spacing - th;
        break;
    }
    imagePos.X += client.Left;
    imagePos.Y += client.Top;
    OffsetRect(textBounds, textPos.X + client.Left, textPos.Y + client.Top);
}

void DrawFrame3D(TCanvas& c, TRect& r, TColor top, TColor bottom, int width)
{
    c.Pen.Width = 1;
    --r.Right;
    --r.Bottom;
    for (int i = 0; i < width; ++i) {
        c.Pen.Color = top;
        c.MoveTo(r.Left, r.Bottom);
        c.LineTo(r.Left, r.Top);
        c.LineTo(r.Right, r.Top);
        c.Pen.Color = bottom;
        c.LineTo(r.Right, r.Bottom);
        c.LineTo(r.Left - 1, r.Bottom);
        InflateRect(r, -1, -1);
    }
    ++r.Right;
    ++r.Bottom;
}

void TileBitmap(TCanvas& c, TRect r, const QImage& bmp)
{
    if (bmp.isNull())
        return;
    for (int x = r.Left; x < r.Right; x += bmp.width())
        for (int y = r.Top; y < r.Bottom; y += bmp.height())
            c.Draw(x, y, bmp);
}

} // namespace sk
