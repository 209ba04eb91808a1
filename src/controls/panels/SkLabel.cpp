#include "controls/panels/SkLabel.h"

#include <QPainter>
#include <cmath>

namespace sk
{

using namespace fw;

TSkLabel::TSkLabel(QWidget* parent) : TControl(parent)
{
    SetColor(clBtnFace);
    FFontColor = FCurrentColor = Font().Color();
    TSkBlinkingControlsList::Shared(true)->Add(this, [this](TBlinkState s) { return BlinkTo(s); });
    AdjustBounds();
}

TSkLabel::~TSkLabel()
{
    if (auto* list = TSkBlinkingControlsList::Shared(false)) {
        list->Remove(this);
        TSkBlinkingControlsList::ReleaseBlinkListIfEmpty();
    }
}

void TSkLabel::SetAngle(int v)
{
    v = v < 0 ? 360 + (v % 360) : v % 360;
    if (v == 360)
        v = 0;
    FAngle = v;
    if (v != 0 && FRotation == roNone)
        FRotation = roFlat;
    AdjustBounds();
    update();
}

void TSkLabel::SetRotation(TRotation v)
{
    if (v == FRotation)
        return;
    FRotation = v;
    if (v == roNone)
        FAngle = 0;
    else if (v == roFlat) {
        FAngle = 0;
        FCenterPoint = cpCenter;
    }
    update();
}

void TSkLabel::SetTransparent(bool v)
{
    FTransparent = v;
    setProperty("skTransparent", v);
    update();
}

void TSkLabel::SetAutoSize(bool v)
{
    FAutoSize = v;
    AdjustBounds();
}

bool TSkLabel::BlinkTo(TBlinkState s)
{
    if (!FBlinking)
        return false;
    FCurrentColor = s == bsOn ? FBlinkColor : FFontColor;
    update();
    return true;
}

void TSkLabel::SetBlinking(bool v)
{
    if (v == FBlinking)
        return;
    FBlinking = v;
    if (!v) {
        FCurrentColor = FFontColor;
        update();
    }
}

int TSkLabel::BlinkIntervalOn() const
{
    return TSkBlinkingControlsList::Shared(true)->IntervalOn();
}
void TSkLabel::SetBlinkIntervalOn(int ms)
{
    TSkBlinkingControlsList::Shared(true)->SetIntervalOn(ms);
}
int TSkLabel::BlinkIntervalOff() const
{
    return TSkBlinkingControlsList::Shared(true)->IntervalOff();
}
void TSkLabel::SetBlinkIntervalOff(int ms)
{
    TSkBlinkingControlsList::Shared(true)->SetIntervalOff(ms);
}

void TSkLabel::SetFlyByEnabled(bool v)
{
    if (v == FFlyByEnabled)
        return;
    FFlyByEnabled = v;
    if (!v && FHovering) {
        FHovering = false;
        FCurrentColor = FFlyBySaved;
        update();
    }
}

void TSkLabel::MouseEnter()
{
    if (FFlyByEnabled && !FHovering) {
        FHovering = true;
        FFlyBySaved = FCurrentColor;
        FCurrentColor = FFlyByColor;
        update();
    }
    TControl::MouseEnter();
}

void TSkLabel::MouseLeave()
{
    if (FHovering) {
        FHovering = false;
        FCurrentColor = FFlyBySaved;
        update();
    }
    TControl::MouseLeave();
}

void TSkLabel::FontChanged()
{
    if (!FBlinking) {
        FFontColor = Font().Color();
        if (!FHovering)
            FCurrentColor = FFontColor;
    }
    AdjustBounds();
    update();
}

void TSkLabel::TextChanged()
{
    AdjustBounds();
    update();
}

TRect TSkLabel::TextArea() const
{
    TRect r = ClientRect();
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    return InsetByFrames(r, FBorderSides, FBorderOuter, FBorderInner, FBevelWidth);
}

void TSkLabel::Loaded()
{
    TControl::Loaded();
    AdjustBounds();
}

void TSkLabel::AdjustBounds()
{
    if (!FAutoSize || Loading())
        return;
    TRect m = Rect(0, 0, std::max(1, TextArea().Width()), 0);
    MeasureText(Font(), Caption(), m, DT_CALCRECT | DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u));
    int w = m.Width(), h = m.Height();
    const int t = FrameStyleThickness(FBorderOuter, FBevelWidth) +
                  FrameStyleThickness(FBorderInner, FBevelWidth) + FBorderWidth;
    w += (HasSide(FBorderSides, sdLeft) ? t : 0) + (HasSide(FBorderSides, sdRight) ? t : 0) + 2 * FTextMargin;
    h += (HasSide(FBorderSides, sdTop) ? t : 0) + (HasSide(FBorderSides, sdBottom) ? t : 0) + 2 * FTextMargin;
    if (FTextStyle == tsShadow && FRotation == roNone) {
        w += FShadowDepth;
        h += FShadowDepth;
    }
    if (FRotation == roFlat && FAngle != 0 && FAngle != 180) {
        const double d = (FAngle == 90 || FAngle == 270 ? 90 : FAngle % 90) * M_PI / 180;
        const int nw = int(std::lround(w * std::cos(d) + h * std::sin(d)));
        const int nh = int(std::lround(w * std::sin(d) + h * std::cos(d)));
        w = nw;
        h = nh;
    }
    const int left = FAlignment == taRightJustify ? Left() + Width() - w : Left();
    SetBounds(left, Top(), w, h);
}

void TSkLabel::DrawFlat(TCanvas& c, TRect r)
{
    unsigned flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u);
    flags |= FAlignment == taRightJustify ? unsigned(DT_RIGHT)
             : FAlignment == taCenter     ? unsigned(DT_CENTER)
                                          : 0u;
    auto draw = [&](TRect t, int dx, int dy, TColor colour) {
        OffsetRect(t, dx, dy);
        c.Font.SetColor(colour);
        c.DrawText(Caption(), t, flags | DT_NOCLIP);
    };
    if (FRotation == roNone) {
        TRect m = r;
        const int h = c.DrawText(Caption(), m, flags | DT_CALCRECT);
        if (FLayout == tlBottom)
            r.Top += r.Height() - h;
        else if (FLayout == tlCenter)
            r.Top += (r.Height() - h) / 2;
    } else {
        // rotated about the centre point: draw through the painter's transform
        QPainter& p = c.Painter();
        p.save();
        p.translate((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0);
        p.rotate(-FAngle);
        const int tw = c.TextWidth(Caption()), th = c.TextHeight(QStringLiteral("Pp"));
        r = Bounds(-tw / 2, -th / 2, tw, th);
        flags = DT_SINGLELINE;
    }
    if (!Enabled()) {
        draw(r, 0, 0, clGrayText);
    } else {
        switch (FTextStyle) {
        case tsRaised:
            if (!FLightTextStyle)
                draw(r, 1, 1, FShadowColor);
            draw(r, -1, -1, FHighlightColor);
            break;
        case tsRecessed:
            draw(r, 1, 1, FHighlightColor);
            if (!FLightTextStyle)
                draw(r, -1, -1, FShadowColor);
            break;
        case tsShadow:
            draw(r, FShadowDepth, FShadowDepth, FShadowColor);
            break;
        default:
            break;
        }
        draw(r, 0, 0, FCurrentColor);
    }
    if (FRotation != roNone)
        c.Painter().restore();
}

void TSkLabel::DrawCurved(TCanvas& c)
{
    const int B = FBorderWidth, W = Width(), H = Height();
    int cx = W / 2, cy = H / 2, rx = W / 2 - 2 * B, ry = H / 2 - 2 * B;
    switch (FCenterPoint) {
    case cpUpperLeft:
        cx = B, cy = B, rx = W - 2 * B, ry = H - 2 * B;
        break;
    case cpUpperCenter:
        cx = W / 2, cy = B, rx = W / 2 - 2 * B, ry = H - 2 * B;
        break;
    case cpUpperRight:
        cx = W - B, cy = B, rx = W - 2 * B, ry = H - 2 * B;
        break;
    case cpLeftCenter:
        cx = B, cy = H / 2, rx = W - 2 * B, ry = H / 2 - 2 * B;
        break;
    case cpCenter:
        break;
    case cpRightCenter:
        cx = W - B, cy = H / 2, rx = W - 2 * B, ry = H / 2 - 2 * B;
        break;
    case cpLowerLeft:
        cx = B, cy = H - B, rx = W - 2 * B, ry = H - 2 * B;
        break;
    case cpLowerCenter:
        cx = W / 2, cy = H - B, rx = W / 2 - 2 * B, ry = H - 2 * B;
        break;
    case cpLowerRight:
        cx = W - B, cy = H - B, rx = W - 2 * B, ry = H - 2 * B;
        break;
    }
    if (rx <= 0 || ry <= 0) {
        // No room for an arc: straight text instead of a division by the radius.
        DrawFlat(c, TextArea());
        return;
    }
    const int h = c.TextHeight(QStringLiteral("Yy"));
    const int ascent = CurrentTextMetrics().Ascent(c.Font.ToQFont());
    const int step = c.TextWidth(QStringLiteral("w")) + 2;
    double t = FAngle * M_PI / 180;
    QPainter& p = c.Painter();
    for (QChar ch : Caption()) {
        const int x = cx - int(std::lround((rx - h) * std::sin(t)));
        const int y = cy - int(std::lround((ry - h) * std::cos(t)));
        p.save();
        p.translate(x, y);
        p.rotate(-t * 180 / M_PI);
        const int cw = c.TextWidth(QString(ch));
        // (x, y) is the character's baseline centre
        auto draw = [&](int dx, int dy, TColor colour) {
            c.Font.SetColor(colour);
            c.TextOut(-cw / 2 + dx, -ascent + dy, QString(ch));
        };
        c.Brush.Style = bsClear;
        if (!Enabled()) {
            draw(1, 1, clBtnHighlight);
            draw(0, 0, clBtnShadow);
        } else {
            if (FTextStyle == tsRaised) {
                if (!FLightTextStyle)
                    draw(1, 1, FShadowColor);
                draw(-1, -1, FHighlightColor);
            } else if (FTextStyle == tsRecessed) {
                draw(1, 1, FHighlightColor);
                if (!FLightTextStyle)
                    draw(-1, -1, FShadowColor);
            } else if (FTextStyle == tsShadow) {
                draw(FShadowDepth, FShadowDepth, FShadowColor);
            }
            draw(0, 0, FCurrentColor);
        }
        p.restore();
        t -= double(step) / rx;
    }
}

void TSkLabel::PaintTo(TCanvas& c)
{
    TPanelFrameArgs a;
    a.Outer = FBorderOuter;
    a.Inner = FBorderInner;
    a.BorderWidth = FBorderWidth;
    a.Sides = FBorderSides;
    a.BevelWidth = FBevelWidth;
    a.FlatColor = FFlatColor;
    a.Color = Color();
    a.Transparent = FTransparent;
    TRect inner = PaintPanelFrame(c, ClientRect(), a);
    if (!FTransparent) {
        c.Brush.Style = bsSolid;
        c.Brush.Color = Color();
        c.FillRect(inner);
    }
    c.Brush.Style = bsClear;
    c.Font.Assign(Font());
    if (FRotation == roCurve) {
        DrawCurved(c);
    } else {
        InflateRect(inner, -FTextMargin, -FTextMargin);
        DrawFlat(c, inner);
    }
}

QImage TSkLabel::Render()
{
    return RenderToImage(Width(), Height(), [this](TCanvas& c) { PaintTo(c); });
}

void TSkLabel::Paint(TCanvas& canvas)
{
    PaintTo(canvas);
}

} // namespace sk
