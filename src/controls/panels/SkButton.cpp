#include "controls/panels/SkButton.h"

#include "controls/panels/SkGraphics.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

namespace sk
{

using namespace fw;

TSkButton::TSkButton(QWidget* parent) : TSkGroupedButton(parent)
{
    resize(75, 25);
    SetTabStop(true);
}

void TSkButton::SetHotTrack(bool v)
{
    if (v == FHotTrack)
        return;
    FHotTrack = v;
    FTransparent = v;
    setProperty("skTransparent", v);
    update();
}

void TSkButton::SetDefault(bool v)
{
    FDefault = v;
    if (!hasFocus())
        FActive = v;
    update();
}

void TSkButton::SetDown(bool value)
{
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown || (FDown && !FAllowAllUp && FGroupIndex != 0))
        return;
    FDown = value;
    FState = value ? bsExclusive : bsUp;
    update();
    if (value)
        UpdateExclusive(false);
}

void TSkButton::DoClickAction()
{
    if (FGroupIndex != 0)
        SetDown(!FDown);
    else
        update();
    QPointer<TSkButton> guard(this);
    FClicking = true;
    try {
        Click();
    } catch (...) {
        if (guard)
            FClicking = false;
        throw;
    }
    if (guard)
        FClicking = false;
}

void TSkButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    QPointer<TSkButton> guard(this);
    TControl::MouseDown(Button, Shift, X, Y);
    if (!guard || Button != mbLeft || !Enabled() || !CanFocus())
        return;
    SetFocus();
    FShowDownVersion = true;
    FDragging = true;
    update();
}

void TSkButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    const bool in = InClient(X, Y);
    if (in != FShowDownVersion) {
        FShowDownVersion = in;
        update();
    }
}

void TSkButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!EndMousePress(Button, Shift, X, Y))
        return;
    FShowDownVersion = false;
    QPointer<TSkButton> guard(this);
    if (InClient(X, Y))
        DoClickAction();
    if (guard)
        update();
}

void TSkButton::KeyDown(Word& Key, TShiftState Shift)
{
    QPointer<TSkButton> guard(this);
    if (Key == VK_SPACE && !(Shift & ssAlt)) {
        FKeyToggle = true;
        FShowDownVersion = true;
        update();
    } else if ((Key == VK_RETURN && FActive) || (Key == VK_ESCAPE && FCancel)) {
        Click();
        return;
    }
    if (guard)
        TControl::KeyDown(Key, Shift);
}

void TSkButton::KeyUp(Word& Key, TShiftState Shift)
{
    QPointer<TSkButton> guard(this);
    TControl::KeyUp(Key, Shift);
    if (!guard || Key != VK_SPACE)
        return;
    FShowDownVersion = false;
    if (FKeyToggle) {
        FKeyToggle = false;
        DoClickAction();
    }
    if (guard)
        update();
}

bool TSkButton::DialogChar(QChar Key)
{
    if (!IsAccel(Key, Caption()) || !CanFocus())
        return false;
    Click();
    return true;
}

void TSkButton::MouseEnter()
{
    FMouseOverButton = true;
    TControl::MouseEnter();
    if (FHotTrack)
        update();
}

void TSkButton::MouseLeave()
{
    FMouseOverButton = false;
    TControl::MouseLeave();
    if (FHotTrack)
        update();
}

void TSkButton::DoEnter()
{
    FFocused = true;
    FActive = true;
    update();
    TControl::DoEnter();
}

void TSkButton::DoExit()
{
    FFocused = false;
    FKeyToggle = false;
    FShowDownVersion = false;
    FActive = FDefault;
    update();
    TControl::DoExit();
}

// A press in progress ends without a click when the button is disabled.
void TSkButton::EnabledChanged()
{
    if (!isEnabled()) {
        FDragging = false;
        FKeyToggle = false;
        FShowDownVersion = false;
    }
    TSkGroupedButton::EnabledChanged();
}

void TSkButton::PaintHotOuterFrame(TCanvas& c, TRect r, bool enabled)
{
    const TControl* pc = TControl::ControlOf(parentWidget());
    const TColor P = pc ? pc->Color() : clBtnFace;
    const TColor c1 = enabled ? DarkenColor(P, 20) : P, c2 = enabled ? LightenColor(P, 20) : P;
    c.Pen.Color = c1;
    c.MoveTo(r.Left, r.Top + 2);
    c.LineTo(r.Left, r.Bottom - 2);
    c.MoveTo(r.Left + 2, r.Top);
    c.LineTo(r.Right - 2, r.Top);
    c.Pen.Color = c2;
    c.MoveTo(r.Right - 1, r.Top + 2);
    c.LineTo(r.Right - 1, r.Bottom - 2);
    c.MoveTo(r.Left + 2, r.Bottom - 1);
    c.LineTo(r.Right - 2, r.Bottom - 1);
    c.SetPixel(r.Left + 1, r.Top + 1, c1);
    c.SetPixel(r.Right - 2, r.Top + 1, c1);
    c.SetPixel(r.Left + 1, r.Bottom - 2, c1);
    c.SetPixel(r.Right - 2, r.Bottom - 2, c2);
}

void TSkButton::PaintHotInnerFrame(TCanvas& c, TRect r, bool enabled)
{
    c.Pen.Color = enabled ? FFrameColor
                          : (Color() == clBtnFace ? LightenColor(clBtnShadow, 30) : DarkenColor(Color(), 80));
    c.MoveTo(r.Left, r.Top + 1);
    c.LineTo(r.Left, r.Bottom - 1);
    c.MoveTo(r.Left + 1, r.Top);
    c.LineTo(r.Right - 1, r.Top);
    c.MoveTo(r.Right - 1, r.Top + 1);
    c.LineTo(r.Right - 1, r.Bottom - 1);
    c.MoveTo(r.Left + 1, r.Bottom - 1);
    c.LineTo(r.Right - 1, r.Bottom - 1);
}

void TSkButton::PaintHotFace(TCanvas& c, TRect b)
{
    c.Pen.Color = DarkenColor(Color(), 20);
    c.MoveTo(b.Left, b.Bottom - 2);
    c.LineTo(b.Right, b.Bottom - 2);
    c.Pen.Color = DarkenColor(Color(), 30);
    c.MoveTo(b.Left, b.Bottom - 1);
    c.LineTo(b.Right, b.Bottom - 1);
    b.Bottom -= 2;
    GradientFillRect(c, b, gdHorizontalEnd, LightenColor(Color(), 30), DarkenColor(Color(), 10), 1);
}

void TSkButton::PaintCaption(TCanvas& c, TRect r, unsigned flags)
{
    c.Brush.Style = bsClear;
    c.Font.Assign(Font());
    TRect m = r;
    const int h =
        c.DrawText(Caption(), m, DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER | DT_CENTER);
    switch (FAlignmentVertical) {
    case avTop:
        r.Bottom = r.Top + h;
        break;
    case avCenter:
        r.Top = (r.Bottom + r.Top - h) / 2;
        r.Bottom = r.Top + h;
        break;
    case avBottom:
        r.Top = r.Bottom - h - 1;
        break;
    }
    auto at = [&](int dx, int dy, TColor colour) {
        TRect t = r;
        OffsetRect(t, dx, dy);
        c.Font.SetColor(colour);
        c.DrawText(Caption(), t, flags);
    };
    if (Enabled()) {
        if (FTextStyle == tsRaised || FTextStyle == tsRecessed) {
            const TColor first = FTextStyle == tsRaised ? FTextHighlightColor : FTextShadowColor;
            const TColor second = FTextStyle == tsRaised ? FTextShadowColor : FTextHighlightColor;
            if (FTextStyle == tsRecessed || !FLightTextStyle)
                at(1, 1, second);
            if (FTextStyle == tsRaised || !FLightTextStyle)
                at(-1, -1, first);
        } else if (FTextStyle == tsShadow) {
            if (FAlignment == taRightJustify)
                at(0, FTextShadowDepth, FTextShadowColor);
            else
                at(FTextShadowDepth, FTextShadowDepth, FTextShadowColor);
            if (FAlignment == taRightJustify)
                OffsetRect(r, -FTextShadowDepth, 0);
        }
        c.Font.SetColor(Font().Color());
    } else {
        c.Font.SetColor(ColorsNearlyEqual(Color(), clGrayText) ? cl3DDkShadow : clGrayText);
    }
    c.DrawText(Caption(), r, flags);
    c.Brush.Style = bsSolid;
}

TRect TSkButton::PaintHotTrackFace(TCanvas& c, bool pressed)
{
    const bool grouped = FGroupIndex != 0;
    TRect B = ClientRect();
    const bool enabled = Enabled();
    PaintHotOuterFrame(c, B, enabled);
    InflateRect(B, -1, -1);
    PaintHotInnerFrame(c, B, enabled);
    InflateRect(B, -1, -1);
    if (!enabled) {
        c.Brush.Style = bsSolid;
        c.Brush.Color = Color();
        c.FillRect(B);
    } else if (pressed) {
        c.Brush.Style = bsSolid;
        c.Brush.Color = DarkenColor(Color(), 10);
        c.FillRect(B);
    } else if (FMouseOverButton) {
        PaintHotFace(c, B);
        if (FHotTrackColorType == htctActual)
            PaintGradientRim(c, B, gdHorizontalEnd, MixColors(clWhite, FHotTrackColor, 190), FHotTrackColor);
        else {
            const TColor O = OppositeHueColor(FHotTrackColor, 180);
            PaintGradientRim(c, B, gdHorizontalEnd, O, DarkenColor(O, 30));
        }
    } else if (grouped || !(FActive || FFocused) || FShowDownVersion) {
        PaintHotFace(c, B);
    } else {
        PaintHotFace(c, B);
        TColor h = FHighlightColor;
        if (ColorsNearlyEqual(h, clBtnFace))
            h = DarkenColor(h, 30);
        const TColor f = LightenColor(Color(), 30);
        PaintGradientRim(c, B, gdHorizontalEnd, MixColors(h, f, 60), MixColors(h, f, 160));
    }
    return B;
}

TRect TSkButton::PaintClassicFace(TCanvas& c, bool pressed)
{
    const bool grouped = FGroupIndex != 0;
    TRect B = ClientRect();
    if (!grouped && (((FActive || FFocused) && !FShowDownVersion) || FClicking))
        B = PaintOnePixelBox(c, B, clWindowFrame);
    if (Color() == clBtnFace) {
        if (grouped)
            B = PaintStyleFrame(c, B, pressed ? fsLowered : fsButtonUp);
        else
            B = PaintPushFrame(c, B, FShowDownVersion);
    } else if (!grouped) {
        B = PaintTintedPushFrame(c, B, Color(), FShowDownVersion);
    } else if (pressed) {
        B = PaintTintedStyleFrame(c, B, Color(), fsLowered);
    } else {
        B = PaintTintedPushFrame(c, B, Color(), false);
    }
    c.Brush.Style = bsSolid;
    c.Brush.Color = Color();
    c.FillRect(B);
    return B;
}

void TSkButton::PaintDownPattern(TCanvas& c, const TRect& B)
{
    QImage pat(8, 8, QImage::Format_RGB32);
    pat.fill(ToQColor(Color()));
    const TColor dot = ColorToRGB(Color()) == 0xC0C0C0 ? TColor(0x808080) : TColor(0xC0C0C0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x & 1) == (y & 1))
                pat.setPixelColor(x, y, ToQColor(dot));
    c.Painter().fillRect(B.ToQRect(), QBrush(pat));
}

void TSkButton::PaintTo(TCanvas& c)
{
    const bool grouped = FGroupIndex != 0;
    const bool pressed = FState == bsDown || FState == bsExclusive || FShowDownVersion;
    TRect F = ClientRect();
    InflateRect(F, FHotTrack ? -3 : -4, FHotTrack ? -3 : -4);
    if (grouped && pressed)
        OffsetRect(F, 1, 1);
    const bool classic = !FHotTrack;
    const TRect B = classic ? PaintClassicFace(c, pressed) : PaintHotTrackFace(c, pressed);
    if (grouped && FState == bsExclusive && FShowDownPattern)
        PaintDownPattern(c, B);
    TRect cr = ClientRect();
    InflateRect(cr, -5, -5);
    if (classic && ((grouped && pressed) || (!grouped && FShowDownVersion)))
        OffsetRect(cr, 1, 1);
    unsigned flags = DT_WORDBREAK | DT_EXPANDTABS;
    flags |= FAlignment == taRightJustify ? unsigned(DT_RIGHT)
             : FAlignment == taCenter     ? unsigned(DT_CENTER)
                                          : 0u;
    c.Brush.Color = Color();
    PaintCaption(c, cr, flags);
    if (FFocused && FShowFocusRect)
        PaintDottedBox(c, F);
}

QImage TSkButton::Render()
{
    return RenderToImage(Width(), Height(), [this](TCanvas& c) { PaintTo(c); });
}

void TSkButton::Paint(TCanvas& canvas)
{
    PaintTo(canvas);
}

// ---- Shape button ----

TSkShapeButton::TSkShapeButton(QWidget* parent) : TControl(parent)
{
    resize(80, 80);
    setProperty("skTransparent", true);
}

TColor TSkShapeButton::TransparentColor() const
{
    if (FBitmap.isNull())
        return clNone;
    return FromQColor(FBitmap.pixelColor(0, FBitmap.height() - 1));
}

void TSkShapeButton::SetBitmap(const QImage& v)
{
    FBitmap = v.isNull() ? QImage() : v.convertToFormat(QImage::Format_RGB32);
    BitmapChanged();
}

void TSkShapeButton::SetAutoSize(bool v)
{
    FAutoSize = v;
    if (v && !FBitmap.isNull())
        resize(FBitmap.width() + 4, FBitmap.height() + 4);
}

void TSkShapeButton::SetBevelWidth(int v)
{
    v = std::clamp(v, 0, 2);
    if (v == FBevelWidth)
        return;
    FBevelWidth = v;
    BitmapChanged();
}

void TSkShapeButton::SetCaptionXY(int x, int y)
{
    if (x == FCaptionX && y == FCaptionY)
        return;
    FCaptionX = x;
    FCaptionY = y;
    FCaptionPosition = cpXY;
    update();
}

QImage TSkShapeButton::BuildBevelBitmap(bool up) const
{
    QImage T = FBitmap.copy();
    const QRgb key = ToQColor(TransparentColor()).rgb() & 0xFFFFFF;
    const int w = FBitmap.width(), h = FBitmap.height();
    auto opaqueO = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && (FBitmap.pixel(x, y) & 0xFFFFFF) != key;
    };
    const int n = FBevelWidth + (FBorderSingle ? 1 : 0);
    for (int i = 1; i <= n; ++i) {
        // The upper-left half first: a rim pixel that both halves reach (the shape beside and above or
        // below it) belongs to the side it faces, so the lit half is a real half of the rim.
        for (int j = 1; j >= 0; --j) {
            if (!up && i == n && j == 0)
                continue; // the down picture leaves out the lower-right half of the last ring
            std::vector<std::pair<int, int>> offs;
            if (j == 0) {
                for (int k = -i; k <= i; ++k)
                    offs.emplace_back(i, k);
                for (int k = i - 1; k >= -i; --k)
                    offs.emplace_back(k, i);
            } else {
                for (int k = i - 1; k >= -i; --k)
                    offs.emplace_back(-i, k);
                for (int k = -i + 1; k <= i - 1; ++k)
                    offs.emplace_back(k, -i);
            }
            TColor colour;
            if (FBorderSingle && i == n)
                colour = FBorderColor;
            else
                colour = (j == 1) == up ? FBevelHighlightColor : FBevelShadowColor;
            if (ColorToRGB(colour) == ColorToRGB(TransparentColor()))
                colour = DarkenColor(colour, 1);
            const QRgb rgb = ToQColor(colour).rgb();
            const QImage before = T.copy();
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if ((before.pixel(x, y) & 0xFFFFFF) != key)
                        continue;
                    for (auto [ox, oy] : offs)
                        if (opaqueO(x - ox, y - oy)) {
                            T.setPixel(x, y, rgb);
                            break;
                        }
                }
        }
    }
    return T;
}

void TSkShapeButton::BitmapChanged()
{
    if (FAutoSize && !FBitmap.isNull())
        resize(FBitmap.width() + 4, FBitmap.height() + 4);
    if (FBitmap.isNull()) {
        FBitmapUp = QImage();
        FBitmapDown = QImage();
    } else {
        FBitmapUp = BuildBevelBitmap(true);
        FBitmapDown = BuildBevelBitmap(false);
    }
    update();
}

bool TSkShapeButton::PtInMask(int x, int y) const
{
    if (FBitmapUp.isNull())
        return true;
    if (x < 0 || y < 0 || x >= FBitmapUp.width() || y >= FBitmapUp.height())
        return false;
    const QRgb key = ToQColor(TransparentColor()).rgb() & 0xFFFFFF;
    return (FBitmapUp.pixel(x, y) & 0xFFFFFF) != key || (FBitmap.pixel(x, y) & 0xFFFFFF) != key;
}

bool TSkShapeButton::Inside(int x, int y) const
{
    return FPreciseClick ? PtInMask(x, y) : (x >= 0 && x < Width() && y >= 0 && y < Height());
}

void TSkShapeButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (!FPreciseClick || PtInMask(X, Y)) {
        FState = bsDown;
        repaint();
    }
    FDragging = true;
}

void TSkShapeButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TControl::MouseMove(Shift, X, Y);
    if (!FDragging)
        return;
    const TButtonState want = Inside(X, Y) ? bsDown : bsUp;
    if (want != FState) {
        FState = want;
        repaint();
    }
}

bool TSkShapeButton::DialogChar(QChar Key)
{
    if (!IsAccel(Key, Caption()) || !isEnabled())
        return false;
    if (OnClick)
        OnClick(this);
    return true;
}

void TSkShapeButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    QPointer<TSkShapeButton> guard(this);
    TControl::MouseUp(Button, Shift, X, Y);
    if (!guard || !FDragging) // any button's release ends the press
        return;
    FDragging = false;
    const bool in = Inside(X, Y);
    if (FState == bsDown) {
        FState = bsUp;
        repaint();
    }
    if (in && OnClick)
        OnClick(this);
}

QImage TSkShapeButton::Render()
{
    QImage image(std::max(1, Width()), std::max(1, Height()), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    TCanvas c(p);
    if (FState == bsDisabled || FState == bsExclusive)
        FState = bsUp;
    const QImage& pic = FState != bsUp ? FBitmapDown : FBitmapUp;
    if (!pic.isNull()) {
        const int d = FState == bsDown ? 1 : 0;
        c.DrawTransparent(Bounds(d, d, pic.width(), pic.height()), pic, TransparentColor());
    }
    if (!Caption().isEmpty()) {
        c.Font.Assign(Font());
        TRect r = ClientRect();
        if (FCaptionPosition == cpXY) {
            r = Rect(0, 0, Width(), 0);
            c.DrawText(Caption(), r, DT_CALCRECT);
            OffsetRect(r, FCaptionX, FCaptionY);
        }
        if (FState == bsDown)
            OffsetRect(r, 1, 1);
        c.Brush.Style = bsClear;
        c.DrawText(Caption(), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
    }
    return image;
}

void TSkShapeButton::Paint(TCanvas& canvas)
{
    canvas.Draw(0, 0, Render());
}

} // namespace sk
