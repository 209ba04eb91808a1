#include "controls/panels/SkCommon.h"

#include "base/Rounding.h"

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace sk
{

using namespace fw;

// ---- Colours ----

namespace
{
struct Sys3 {
    TColor UL, LR;
};
const Sys3 kStyleColors[11] = {
    {clWindow, clWindow},          {cl3DDkShadow, cl3DDkShadow},
    {clBtnShadow, clBtnHighlight}, {clBtnHighlight, clBtnShadow},
    {clBtnShadow, clBtnHighlight}, {clNone, clNone},
    {cl3DDkShadow, clBtnFace},     {clNone, clNone},
    {clBtnShadow, clBtnHighlight}, {clBtnHighlight, clBtnShadow},
    {clBtnShadow, clBtnShadow},
};
} // namespace

THls SplitColorHls(TColor c)
{
    c = ColorToRGB(c);
    const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    double h = 0, s = 0;
    const double l = (mx + mn) / 2;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx)
            h = (g - b) / d;
        else if (g == mx)
            h = 2 + (b - r) / d;
        else
            h = 4 + (r - g) / d;
        h /= 6;
        if (h < 0)
            h += 1;
    }
    return {RoundInt(h * 240), RoundInt(s * 240), RoundInt(l * 240)};
}

int HueOfColor(TColor c)
{
    return SplitColorHls(c).H;
}

TColor ColorFromHls(int H, int S, int L)
{
    const double l = L / 240.0, s = S / 240.0;
    const double v = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (v <= 0)
        return clBlack;
    const double h = H / 239.0 * 6;
    const int sextant = int(h);
    const double f = h - sextant;
    const double m = 2 * l - v;
    const double t = v * ((v - m) / v) * f;
    const double mid1 = m + t, mid2 = v - t;
    double R = 0, G = 0, B = 0;
    switch (sextant) {
    case 1:
        R = mid2, G = v, B = m;
        break;
    case 2:
        R = m, G = v, B = mid1;
        break;
    case 3:
        R = m, G = mid2, B = v;
        break;
    case 4:
        R = mid1, G = m, B = v;
        break;
    case 5:
        R = v, G = m, B = mid2;
        break;
    default:
        R = v, G = mid1, B = m;
        break; // 0 and 6
    }
    auto ch = [](double x) { return std::clamp(RoundInt(std::min(x, 1.0) * 255), 0, 255); };
    return RGB(ch(R), ch(G), ch(B));
}

TColor DarkenColor(TColor c, int amount)
{
    const THls hls = SplitColorHls(c);
    return ColorFromHls(hls.H, hls.S, std::max(hls.L - amount, 0));
}

TColor LightenColor(TColor c, int amount)
{
    const THls hls = SplitColorHls(c);
    return ColorFromHls(hls.H, hls.S, std::min(hls.L + amount, 255));
}

TColor ShiftColor(TColor c, int amount)
{
    if (amount < 0)
        return DarkenColor(c, -amount);
    if (amount == 0)
        return c;
    return LightenColor(c, amount);
}

TColor MixColors(TColor c1, TColor c2, int weight)
{
    c1 = ColorToRGB(c1);
    c2 = ColorToRGB(c2);
    const float w = float(weight) / 255.0f;
    auto mix = [w](int a, int b) { return RoundInt(double(float(a) * w + float(b) * (1.0f - w))); };
    return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)),
               mix(GetBValue(c1), GetBValue(c2)));
}

bool ColorsNearlyEqual(TColor c1, TColor c2)
{
    const THls a = SplitColorHls(c1), b = SplitColorHls(c2);
    return std::abs(a.H - b.H) < 20 && std::abs(a.L - b.L) < 60;
}

TColor OppositeHueColor(TColor c, int L)
{
    const int h = HueOfColor(c);
    return ColorFromHls(h < 120 ? h + 120 : h - 120, 240, L);
}

bool ThemesEnabled()
{
    return false;
}

TColor ThemedElementColor(int)
{
    return clBtnFace;
}

void SchemeGradientColors(TSkGradientColorStyle, TColor& start, TColor& stop)
{
    start = clWindow;
    stop = DarkenColor(clBtnFace, 10);
}

TColor SchemeFrameColor(TSkGradientColorStyle)
{
    return LightenColor(clBtnShadow, 30);
}

void SchemeGroupColors(TSkGradientColorStyle, TColor& stop, TColor& start, TColor& frame)
{
    stop = DarkenColor(clBtnFace, 20);
    start = clWindow;
    frame = DarkenColor(clBtnFace, 40);
}

bool ScreenHasFullColor()
{
    return true;
}

// ---- Border routines ----

TRect PaintSideLines(TCanvas& c, TRect r, TColor ul, TColor lr, TSides sides)
{
    if (ul != clNone) {
        c.Pen.Color = ul;
        if (HasSide(sides, sdLeft)) {
            c.MoveTo(r.Left, r.Top);
            c.LineTo(r.Left, r.Bottom);
        }
        if (HasSide(sides, sdTop)) {
            c.MoveTo(r.Left, r.Top);
            c.LineTo(r.Right, r.Top);
        }
    }
    if (lr != clNone) {
        c.Pen.Color = lr;
        if (HasSide(sides, sdRight)) {
            c.MoveTo(r.Right - 1, r.Top);
            c.LineTo(r.Right - 1, r.Bottom);
        }
        if (HasSide(sides, sdBottom)) {
            c.MoveTo(r.Left, r.Bottom - 1);
            c.LineTo(r.Right, r.Bottom - 1);
        }
    }
    if (HasSide(sides, sdLeft))
        ++r.Left;
    if (HasSide(sides, sdTop))
        ++r.Top;
    if (HasSide(sides, sdRight))
        --r.Right;
    if (HasSide(sides, sdBottom))
        --r.Bottom;
    return r;
}

TRect PaintBevelLines(TCanvas& c, TRect r, TColor ul, TColor lr, TSides sides, int count)
{
    c.Pen.Width = 1;
    for (int i = 0; i < count; ++i)
        r = PaintSideLines(c, r, ul, lr, sides);
    return r;
}

TRect PaintSunkenRaisedSides(TCanvas& c, TRect r, bool lowered, TSides sides)
{
    if (lowered) {
        r = PaintBevelLines(c, r, clBtnShadow, clBtnHighlight, sides, 1);
        return PaintBevelLines(c, r, cl3DDkShadow, cl3DLight, sides, 1);
    }
    r = PaintBevelLines(c, r, cl3DLight, cl3DDkShadow, sides, 1);
    return PaintBevelLines(c, r, clBtnHighlight, clBtnShadow, sides, 1);
}

TRect PaintPushFrameSides(TCanvas& c, TRect r, bool down, TSides sides)
{
    if (down) {
        r = PaintBevelLines(c, r, clBtnText, clBtnText, sides, 1);
        return PaintBevelLines(c, r, clBtnShadow, clBtnShadow, sides, 1);
    }
    r = PaintBevelLines(c, r, clBtnHighlight, cl3DDkShadow, sides, 1);
    return PaintBevelLines(c, r, cl3DLight, clBtnShadow, sides, 1);
}

TRect PaintPushFrame(TCanvas& c, TRect r, bool down)
{
    return PaintPushFrameSides(c, r, down, AllSides);
}

TRect PaintTintedPushFrameSides(TCanvas& c, TRect r, TColor face, bool down, TSides sides)
{
    if (down) {
        const TColor o = DarkenColor(face, 100), i = DarkenColor(face, 50);
        r = PaintSideLines(c, r, o, o, sides);
        return PaintSideLines(c, r, i, i, sides);
    }
    r = PaintSideLines(c, r, LightenColor(face, 100), DarkenColor(face, 100), sides);
    return PaintSideLines(c, r, LightenColor(face, 40), DarkenColor(face, 50), sides);
}

TRect PaintTintedPushFrame(TCanvas& c, TRect r, TColor face, bool down)
{
    return PaintTintedPushFrameSides(c, r, face, down, AllSides);
}

namespace
{
TRect PaintEtched(TCanvas& c, TRect r, TColor ul, TColor lr, TSides s)
{
    const bool L = HasSide(s, sdLeft), T = HasSide(s, sdTop), R = HasSide(s, sdRight),
               B = HasSide(s, sdBottom);
    if (R)
        c.SetPixel(r.Right - 1, r.Top, lr);
    if (T && !R)
        c.SetPixel(r.Right - 1, r.Top, ul);
    if (B)
        c.SetPixel(r.Left, r.Bottom - 1, lr);
    if (L && !B)
        c.SetPixel(r.Left, r.Bottom - 1, ul);
    if (T && !L)
        c.SetPixel(r.Left, r.Top + 1, lr);
    if (L && !T)
        c.SetPixel(r.Left + 1, r.Top, lr);
    if (B && !R)
        c.SetPixel(r.Right - 1, r.Bottom - 2, ul);
    if (R && !B)
        c.SetPixel(r.Right - 2, r.Bottom - 1, ul);
    PaintSideLines(c, Rect(r.Left + 1, r.Top + 1, r.Right, r.Bottom), lr, lr, s);
    PaintSideLines(c, Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), ul, ul, s);
    if (L)
        r.Left += 2;
    if (T)
        r.Top += 2;
    if (R)
        r.Right -= 2;
    if (B)
        r.Bottom -= 2;
    return r;
}
} // namespace

TRect PaintStyleFrameSides(TCanvas& c, TRect r, TFrameStyle style, TSides sides)
{
    if (style < fsNone || style > fsFlatBold)
        return r;
    const Sys3 k = kStyleColors[style];
    switch (style) {
    case fsNone:
        return r;
    case fsFlat:
    case fsStatus:
    case fsPopup:
        return PaintSideLines(c, r, k.UL, k.LR, sides);
    case fsLowered:
    case fsRaised:
        return PaintSunkenRaisedSides(c, r, style == fsLowered, sides);
    case fsButtonDown:
    case fsButtonUp:
        return PaintPushFrameSides(c, r, style == fsButtonDown, sides);
    case fsFlatBold:
        return PaintBevelLines(c, r, k.UL, k.LR, sides, 2);
    case fsGroove:
    case fsBump:
        return PaintEtched(c, r, k.UL, k.LR, sides);
    default:
        return r;
    }
}

TRect PaintStyleFrame(TCanvas& c, TRect r, TFrameStyle style)
{
    return PaintStyleFrameSides(c, r, style, AllSides);
}

TRect PaintTintedStyleFrameSides(TCanvas& c, TRect r, TColor face, TFrameStyle style, TSides sides)
{
    auto D = [face](int n) { return DarkenColor(face, n); };
    auto Li = [face](int n) { return LightenColor(face, n); };
    switch (style) {
    case fsNone:
        return r;
    case fsFlat:
        return PaintSideLines(c, r, D(50), D(50), sides);
    case fsGroove:
        return PaintEtched(c, r, D(50), Li(100), sides);
    case fsLowered:
        r = PaintSideLines(c, r, D(50), Li(100), sides);
        return PaintSideLines(c, r, D(100), Li(50), sides);
    case fsRaised:
        r = PaintSideLines(c, r, Li(50), D(100), sides);
        return PaintSideLines(c, r, Li(100), D(50), sides);
    case fsButtonDown:
    case fsButtonUp:
        return PaintTintedPushFrameSides(c, r, face, style == fsButtonDown, sides);
    case fsStatus:
        return PaintSideLines(c, r, D(50), Li(100), sides);
    case fsPopup:
        return PaintSideLines(c, r, Li(100), D(50), sides);
    case fsFlatBold:
        return PaintBevelLines(c, r, D(50), D(50), sides, 2);
    default:
        return PaintEtched(c, r, Li(100), D(50), sides); // fsBump and above
    }
}

TRect PaintTintedStyleFrame(TCanvas& c, TRect r, TColor face, TFrameStyle style)
{
    return PaintTintedStyleFrameSides(c, r, face, style, AllSides);
}

TRect PaintOnePixelBox(TCanvas& c, TRect r, TColor colour)
{
    return PaintSideLines(c, r, colour, colour, AllSides);
}

TRect PaintDottedBox(TCanvas& c, TRect r)
{
    for (int x = r.Left + 1; x < r.Right; x += 2) {
        c.SetPixel(x, r.Top, clBlack);
        c.SetPixel(x, r.Bottom - 1, clBlack);
    }
    for (int y = r.Top + 1; y < r.Bottom; y += 2) {
        c.SetPixel(r.Left, y, clBlack);
        c.SetPixel(r.Right - 1, y, clBlack);
    }
    InflateRect(r, -1, -1);
    return r;
}

TRect PaintRoundedSides(TCanvas& c, TRect r, TColor colour, TSides s)
{
    const bool L = HasSide(s, sdLeft), T = HasSide(s, sdTop), R = HasSide(s, sdRight),
               B = HasSide(s, sdBottom);
    c.Pen.Color = colour;
    if (L) {
        c.MoveTo(r.Left, T ? r.Top + 2 : r.Top);
        c.LineTo(r.Left, B ? r.Bottom - 2 : r.Bottom);
    }
    if (T) {
        c.MoveTo(L ? r.Left + 2 : r.Left, r.Top);
        c.LineTo(R ? r.Right - 2 : r.Right, r.Top);
    }
    if (R) {
        c.MoveTo(r.Right - 1, T ? r.Top + 2 : r.Top);
        c.LineTo(r.Right - 1, B ? r.Bottom - 2 : r.Bottom);
    }
    if (B) {
        c.MoveTo(L ? r.Left + 2 : r.Left, r.Bottom - 1);
        c.LineTo(R ? r.Right - 2 : r.Right, r.Bottom - 1);
    }
    if (L && T)
        c.SetPixel(r.Left + 1, r.Top + 1, colour);
    if (T && R)
        c.SetPixel(r.Right - 2, r.Top + 1, colour);
    if (R && B)
        c.SetPixel(r.Right - 2, r.Bottom - 2, colour);
    if (B && L)
        c.SetPixel(r.Left + 1, r.Bottom - 2, colour);
    if (L)
        r.Left += 2;
    if (T)
        r.Top += 2;
    if (R)
        r.Right -= 2;
    if (B)
        r.Bottom -= 2;
    return r;
}

int FrameStyleThickness(TFrameStyleEx style, int bevelWidth)
{
    switch (style) {
    case fsNone:
        return 0;
    case fsFlat:
        return 1;
    case fsStatus:
    case fsPopup:
        return bevelWidth;
    default:
        return 2;
    }
}

TRect InsetByFrames(TRect r, TSides sides, TFrameStyleEx outer, TFrameStyleEx inner, int bevelWidth)
{
    const int t = FrameStyleThickness(outer, bevelWidth) + FrameStyleThickness(inner, bevelWidth);
    if (HasSide(sides, sdLeft))
        r.Left += t;
    if (HasSide(sides, sdTop))
        r.Top += t;
    if (HasSide(sides, sdRight))
        r.Right -= t;
    if (HasSide(sides, sdBottom))
        r.Bottom -= t;
    return r;
}

QImage RenderToImage(int width, int height, const std::function<void(TCanvas&)>& paint)
{
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        TCanvas c(p);
        paint(c);
    }
    return image;
}

TRect PaintPanelFrame(TCanvas& c, TRect bounds, const TPanelFrameArgs& a)
{
    const TColor F = ShiftColor(a.FlatColor, a.FlatAdjustment);
    TRect r = bounds;
    const bool ringNeeded = a.BorderWidth > 0 || a.Inner != fsNone;
    switch (a.Outer) {
    case fsFlat:
        r = PaintSideLines(c, r, F, F, a.Sides);
        break;
    case fsFlatBold:
        r = PaintBevelLines(c, r, F, F, a.Sides, 2);
        break;
    case fsFlatRounded:
        if (!a.Transparent) {
            const TRect r1 = PaintSideLines(c, r, a.ParentColor, a.ParentColor, a.Sides);
            const TColor k = ringNeeded ? a.BorderColor : a.Color;
            PaintSideLines(c, r1, k, k, a.Sides);
        } else if (ringNeeded) {
            TRect r1 = r;
            InflateRect(r1, -1, -1);
            PaintSideLines(c, r1, a.BorderColor, a.BorderColor, a.Sides);
        }
        r = PaintRoundedSides(c, r, F, a.Sides);
        break;
    case fsPopup:
        r = PaintBevelLines(c, r, a.Highlight, a.Shadow, a.Sides, a.BevelWidth);
        break;
    case fsStatus:
        r = PaintBevelLines(c, r, a.Shadow, a.Highlight, a.Sides, a.BevelWidth);
        break;
    default:
        r = PaintStyleFrameSides(c, r, a.Outer, a.Sides);
        break;
    }
    if (a.BorderWidth > 0)
        r = PaintBevelLines(c, r, a.BorderColor, a.BorderColor, a.Sides, a.BorderWidth);
    switch (a.Inner) {
    case fsFlat:
        if (!a.CutCorners) {
            r = PaintSideLines(c, r, F, F, a.Sides);
        } else {
            c.Pen.Color = F;
            c.MoveTo(r.Left, r.Top + 1);
            c.LineTo(r.Left, r.Bottom - 1);
            c.MoveTo(r.Left + 1, r.Top);
            c.LineTo(r.Right - 1, r.Top);
            c.MoveTo(r.Right - 1, r.Top + 1);
            c.LineTo(r.Right - 1, r.Bottom - 1);
            c.MoveTo(r.Left + 1, r.Bottom - 1);
            c.LineTo(r.Right - 1, r.Bottom - 1);
            InflateRect(r, -1, -1);
        }
        break;
    case fsFlatBold:
        r = PaintBevelLines(c, r, F, F, a.Sides, 2);
        break;
    case fsFlatRounded: {
        const TRect before = r;
        const TRect r1 = PaintSideLines(c, r, a.BorderColor, a.BorderColor, a.Sides);
        if (!a.Transparent)
            PaintSideLines(c, r1, a.Color, a.Color, a.Sides);
        r = PaintRoundedSides(c, before, F, a.Sides);
        break;
    }
    case fsPopup:
        r = PaintBevelLines(c, r, a.Highlight, a.Shadow, a.Sides, a.BevelWidth);
        break;
    case fsStatus:
        r = PaintBevelLines(c, r, a.Shadow, a.Highlight, a.Sides, a.BevelWidth);
        break;
    default:
        r = PaintStyleFrameSides(c, r, a.Inner, a.Sides);
        break;
    }
    return r;
}

void PaintDropArrow(TCanvas& c, TRect r, int style, bool enabled)
{
    (void)style; // no themed button here: the flat arrow of style 2
    TColor colour = clBtnShadow;
    if (enabled)
        colour = ColorsNearlyEqual(c.Brush.Color, clBlack) ? cl3DDkShadow : clBlack;
    const TPen savedPen = c.Pen;
    const TBrush savedBrush = c.Brush;
    c.Pen.Style = fw::psClear;
    c.Brush.Color = colour;
    c.Brush.Style = fw::bsSolid;
    const int cx = r.Left + (r.Right - r.Left) / 2;
    int cy = r.Top + (r.Bottom - r.Top) / 2;
    if ((r.Bottom - r.Top) % 2 == 0)
        --cy;
    cy += 2;
    c.Polygon({{cx, cy}, {cx - 3, cy - 4}, {cx + 4, cy - 4}});
    c.Pen = savedPen;
    c.Brush = savedBrush;
}

// ---- Text helpers ----

QString StripAccelerators(const QString& text)
{
    QString out;
    const int n = int(text.size());
    for (int i = 0; i < n - 1; ++i)
        if (text[i] != u'&' || text[i + 1] == u'&')
            out.append(text[i]);
    if (n > 0)
        out.append(text[n - 1]);
    return out;
}

QChar FinalChar(const QString& text)
{
    return text.isEmpty() ? QChar() : text.back();
}

int DrawTextIn(TCanvas& c, const QString& text, TRect& r, unsigned flags)
{
    return c.DrawText(text, r, flags);
}

void DrawTextCentered(TCanvas& c, const QString& text, TRect r)
{
    c.DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void RepaintTransparentChildren(QWidget* container)
{
    if (!container)
        return;
    for (QObject* o : container->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && w->property("skTransparent").toBool())
            w->update();
}

// ---- Blinking list ----

namespace
{
TSkBlinkingControlsList*& SharedList()
{
    static TSkBlinkingControlsList* list = nullptr;
    return list;
}
} // namespace

TSkBlinkingControlsList::TSkBlinkingControlsList()
{
    FTimer.OnTimer = [this](TTimer*) { Tick(); };
    FTimer.SetInterval(FIntervalOff);
    FTimer.SetEnabled(true);
}

TSkBlinkingControlsList::~TSkBlinkingControlsList()
{
    if (SharedList() == this)
        SharedList() = nullptr;
}

void TSkBlinkingControlsList::Add(void* control, BlinkTarget target)
{
    if (!FMembers.insert(control).second)
        return;
    FControls.emplace_back(control, std::move(target));
}

void TSkBlinkingControlsList::Remove(void* control)
{
    if (FMembers.erase(control) == 0)
        return;
    FControls.erase(std::remove_if(FControls.begin(), FControls.end(),
                                   [control](const auto& e) { return e.first == control; }),
                    FControls.end());
}

void TSkBlinkingControlsList::SetIntervalOn(int ms)
{
    FIntervalOn = std::max(1, ms);
    if (FBlinkState == bsOn)
        FTimer.SetInterval(FIntervalOn);
}

void TSkBlinkingControlsList::SetIntervalOff(int ms)
{
    FIntervalOff = std::max(1, ms);
    if (FBlinkState == bsOff)
        FTimer.SetInterval(FIntervalOff);
}

void TSkBlinkingControlsList::Tick()
{
    FBlinkState = FBlinkState == bsOff ? bsOn : bsOff;
    FTimer.SetInterval(FBlinkState == bsOn ? FIntervalOn : FIntervalOff);
    // A control may leave the list (or be destroyed) while another one blinks: call only members.
    const auto controls = FControls;
    for (auto& e : controls) {
        if (FMembers.count(e.first) && e.second)
            e.second(FBlinkState);
    }
}

TSkBlinkingControlsList* TSkBlinkingControlsList::Shared(bool create)
{
    if (!SharedList() && create)
        SharedList() = new TSkBlinkingControlsList();
    return SharedList();
}

void TSkBlinkingControlsList::ReleaseBlinkListIfEmpty()
{
    if (SharedList() && SharedList()->Count() == 0) {
        delete SharedList();
        SharedList() = nullptr;
    }
}

// ---- Frame controller ----

TSkFrameController::~TSkFrameController() = default;

void TSkFrameController::AddControl(ISkFramed* control)
{
    if (!control || std::find(FControls.begin(), FControls.end(), control) != FControls.end())
        return;
    FControls.push_back(control);
    control->NotifyFramingChanged(this, fcpAll);
}

void TSkFrameController::RemoveControl(ISkFramed* control)
{
    FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
}

void TSkFrameController::EndUpdate()
{
    --FUpdateCount;
    if (FUpdateCount <= 0) {
        FUpdateCount = 0;
        UpdateControls(fcpAll);
    }
}

void TSkFrameController::UpdateControls(TSkFrameControllerProperty p)
{
    if (FUpdateCount > 0)
        return;
    const auto controls = FControls;
    for (ISkFramed* c : controls)
        c->NotifyFramingChanged(this, p);
}

void TSkFrameController::SetColor(TColor v)
{
    if (v == FColor)
        return;
    if (FColor == FFocusColor)
        FFocusColor = v;
    FColor = v;
    FParentColor = false;
    UpdateControls(fcpColor);
}

void TSkFrameController::SetParentColor(bool v)
{
    if (v == FParentColor)
        return;
    FParentColor = v;
    UpdateControls(fcpParentColor);
    if (!v)
        UpdateControls(fcpColor);
}

void TSkFrameController::SetFrameHotTrack(bool v)
{
    if (v == FFrameHotTrack)
        return;
    FFrameHotTrack = v;
    if (v) {
        SetFrameVisible(true);
        FFrameSides = AllSides; // taken over by the next propagation, not told on its own
    }
    UpdateControls(fcpFrameHotTrack);
}

void TSkFrameController::Assign(const TSkFrameController& s)
{
    BeginUpdate();
    FColor = s.FColor;
    FDisabledColor = s.FDisabledColor;
    FReadOnlyColor = s.FReadOnlyColor;
    FReadOnlyColorOnFocus = s.FReadOnlyColorOnFocus;
    FFlatButtonColor = s.FFlatButtonColor;
    FFlatButtons = s.FFlatButtons;
    FFocusColor = s.FFocusColor;
    FFrameColor = s.FFrameColor;
    FFrameHotColor = s.FFrameHotColor;
    FFrameHotStyle = s.FFrameHotStyle;
    FFrameHotTrack = s.FFrameHotTrack;
    FFrameSides = s.FFrameSides;
    FFrameStyle = s.FFrameStyle;
    FFrameVisible = s.FFrameVisible;
    FFramingPreference = s.FFramingPreference;
    FParentColor = s.FParentColor;
    EndUpdate();
}

// ---- Modal result and beep ----

void SetFormModalResult(QWidget* control, int modalResult)
{
    if (!control)
        return;
    QWidget* form = control->window();
    form->setProperty("ModalResult", modalResult);
    if (auto* dlg = qobject_cast<QDialog*>(form); dlg && modalResult != 0)
        dlg->done(modalResult);
}

int FormModalResult(QWidget* control)
{
    return control ? control->window()->property("ModalResult").toInt() : 0;
}

namespace
{
std::function<void()>& BeepHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

void Beep()
{
    if (BeepHook())
        BeepHook()();
    else
        QApplication::beep();
}

void SetBeepHook(std::function<void()> hook)
{
    BeepHook() = std::move(hook);
}

} // namespace sk
