#include "controls/panels/SkPanel.h"

#include "controls/panels/SkGraphics.h"

#include <QPainter>

namespace sk
{

using namespace fw;

namespace
{
int TextHeightOf(const TFont& font)
{
    return CurrentTextMetrics().Height(font.ToQFont());
}
unsigned AlignFlag(TAlignment a)
{
    return a == taRightJustify ? unsigned(DT_RIGHT) : a == taCenter ? unsigned(DT_CENTER) : unsigned(DT_LEFT);
}
} // namespace

TSkCustomPanel::TSkCustomPanel(QWidget* parent) : TControl(parent)
{
    resize(185, 41);
    SetColor(clBtnFace);
    Realign();
}

TSkCustomPanel::~TSkCustomPanel()
{
    if (FFrameController)
        FFrameController->RemoveControl(this);
}

void TSkCustomPanel::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    setProperty("skTransparent", v);
    update();
    for (QObject* o : children())
        if (auto* w = qobject_cast<QWidget*>(o))
            w->update();
}

void TSkCustomPanel::SetFrameController(TSkFrameController* c)
{
    if (c == FFrameController)
        return;
    if (FFrameController)
        FFrameController->RemoveControl(this);
    FFrameController = c;
    if (c)
        c->AddControl(this);
}

TRect TSkCustomPanel::InsetForBorders(TRect r, bool withBorderWidth) const
{
    if (withBorderWidth)
        InflateRect(r, -FBorderWidth, -FBorderWidth);
    return InsetByFrames(r, FBorderSides, FBorderOuter, FBorderInner, FBevelWidth);
}

TRect TSkCustomPanel::ClientArea() const
{
    return InsetForBorders(ClientRect(), true);
}

void TSkCustomPanel::Realign()
{
    const TRect a = ClientArea();
    setContentsMargins(a.Left, a.Top, std::max(0, Width() - a.Right), std::max(0, Height() - a.Bottom));
}

void TSkCustomPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    Realign();
}

void TSkCustomPanel::GradientColorPair(TColor& start, TColor& stop) const
{
    if (FGradientColorStyle == gcsCustom) {
        start = FGradientColorStart;
        stop = FGradientColorStop;
    } else {
        SchemeGradientColors(FGradientColorStyle, start, stop);
    }
}

void TSkCustomPanel::FrameFlatColors(TColor& colour, int& adjustment) const
{
    if (FVisualStyle == vsGradient && FGradientColorStyle != gcsCustom) {
        colour = SchemeFrameColor(FGradientColorStyle);
        adjustment = 0;
    } else {
        colour = FFlatColor;
        adjustment = FFlatColorAdjustment;
    }
}

void TSkCustomPanel::NotifyFramingChanged(TSkFrameController* c, TSkFrameControllerProperty)
{
    if (!c || !c->FrameVisible())
        return;
    auto has = [this](TSkFrameControllerProperty p) { return (FNotifications & (1u << p)) != 0; };
    if (has(fcpFrameStyle))
        SetBorderOuter(c->FrameStyle());
    if (has(fcpFrameSides))
        SetBorderSides(c->FrameSides());
    if (has(fcpFrameColor)) {
        SetFlatColor(c->FrameColor());
        SetFlatColorAdjustment(0);
    }
    if (has(fcpColor)) {
        SetColor(c->Color());
        SetBorderHighlight(LightenColor(Color(), 100));
        SetBorderShadow(DarkenColor(Color(), 50));
    }
    update();
}

void TSkCustomPanel::EnabledChanged()
{
    const bool now = Enabled();
    if (now != FLastEnabled) {
        FLastEnabled = now;
        const auto kids = children();
        if (!now) {
            FEnabledList.clear();
            for (QObject* o : kids)
                if (auto* c = dynamic_cast<TControl*>(o)) {
                    FEnabledList.emplace_back(c, c->Enabled() ? QStringLiteral("1") : QStringLiteral("0"));
                    c->SetEnabled(false);
                }
        } else {
            for (QObject* o : kids)
                if (auto* c = dynamic_cast<TControl*>(o)) {
                    bool enable = true;
                    for (const auto& e : FEnabledList)
                        if (e.first == c)
                            enable = e.second == QStringLiteral("1");
                    c->SetEnabled(enable);
                }
        }
    }
    update();
}

void TSkCustomPanel::PaintCaptionText(TCanvas& c, TRect r)
{
    if (Caption().isEmpty())
        return;
    c.Font.Assign(Font());
    InflateRect(r, -FTextMargin, -FTextMarginVertical);
    unsigned flags = (FWordWrap ? unsigned(DT_WORDBREAK) : 0u) | DT_EXPANDTABS | DT_VCENTER;
    flags |= AlignFlag(FAlignment);
    TRect m = r;
    const int h = c.DrawText(Caption(), m, flags | DT_CALCRECT);
    switch (FAlignmentVertical) {
    case avTop:
        r.Bottom = std::min(r.Bottom, r.Top + h);
        break;
    case avCenter:
        r.Top = (r.Top + r.Bottom - h) / 2;
        r.Bottom = std::min(r.Bottom, r.Top + h);
        break;
    case avBottom:
        r.Top = std::max(r.Top, r.Bottom - h - 1);
        break;
    }
    c.Brush.Style = bsClear;
    if (!Enabled())
        c.Font.SetColor(clGrayText);
    c.DrawText(Caption(), r, flags);
}

void TSkCustomPanel::PaintGridLines(TCanvas& c, TRect r)
{
    const int nx = FGridXSize ? r.Width() / FGridXSize : 0;
    const int ny = FGridYSize ? r.Height() / FGridYSize : 0;
    c.Pen.Color = FGridColor;
    if (FGridStyle == gsDots) {
        for (int i = 1; i <= nx; ++i)
            for (int j = 1; j <= ny; ++j)
                c.SetPixel(r.Left + FGridXSize * i - 1, r.Top + FGridYSize * j - 1, FGridColor);
        return;
    }
    const bool dotted = FGridStyle == gsDottedLines;
    for (int i = 1; i <= nx; ++i) {
        const int x = r.Left + FGridXSize * i - 1;
        if (dotted)
            for (int y = r.Top + 1; y < r.Bottom; y += 2)
                c.SetPixel(x, y, FGridColor);
        else {
            c.MoveTo(x, r.Top);
            c.LineTo(x, r.Bottom);
        }
    }
    for (int j = 1; j <= ny; ++j) {
        const int y = r.Top + FGridYSize * j - 1;
        if (dotted)
            for (int x = r.Left + 1; x < r.Right; x += 2)
                c.SetPixel(x, y, FGridColor);
        else {
            c.MoveTo(r.Left, y);
            c.LineTo(r.Right, y);
        }
    }
}

void TSkCustomPanel::PaintPanel(TCanvas& c)
{
    const TRect bounds = ClientRect();
    TPanelFrameArgs a;
    FrameFlatColors(a.FlatColor, a.FlatAdjustment);
    a.Outer = FBorderOuter;
    a.Inner = FBorderInner;
    a.BorderWidth = FBorderWidth;
    a.Sides = FBorderSides;
    a.BevelWidth = FBevelWidth;
    a.BorderColor = FBorderColor;
    a.Highlight = FBorderHighlight;
    a.Shadow = FBorderShadow;
    a.Color = Color();
    const TControl* parentControl = TControl::ControlOf(parentWidget());
    a.ParentColor = parentControl ? parentControl->Color() : clBtnFace;
    a.Transparent = FTransparent;
    const TRect inner = PaintPanelFrame(c, bounds, a);
    if (!FTransparent && FPaintClientArea) {
        const bool rounded = (FBorderOuter == fsFlatRounded && FBorderInner == fsNone && FBorderWidth == 0) ||
                             FBorderInner == fsFlatRounded;
        TRect face = inner;
        if (rounded) {
            if (HasSide(FBorderSides, sdLeft))
                --face.Left;
            if (HasSide(FBorderSides, sdTop))
                --face.Top;
            if (HasSide(FBorderSides, sdRight))
                ++face.Right;
            if (HasSide(FBorderSides, sdBottom))
                ++face.Bottom;
        }
        if (FVisualStyle == vsGradient) {
            TColor start, stop;
            GradientColorPair(start, stop);
            GradientFillRect(c, face, FGradientDirection, start, stop, 1);
        } else {
            c.Brush.Style = bsSolid;
            c.Brush.Color = Color();
            c.FillRect(face);
        }
        if (rounded) {
            const TColor k = ShiftColor(a.FlatColor, a.FlatAdjustment);
            const TSides s = FBorderSides;
            if (HasSide(s, sdLeft) && HasSide(s, sdTop))
                c.SetPixel(face.Left, face.Top, k);
            if (HasSide(s, sdTop) && HasSide(s, sdRight))
                c.SetPixel(face.Right - 1, face.Top, k);
            if (HasSide(s, sdRight) && HasSide(s, sdBottom))
                c.SetPixel(face.Right - 1, face.Bottom - 1, k);
            if (HasSide(s, sdBottom) && HasSide(s, sdLeft))
                c.SetPixel(face.Left, face.Bottom - 1, k);
        }
    }
    if (FShowGrid)
        PaintGridLines(c, inner);
    c.Brush.Style = bsClear;
    PaintCaptionText(c, inner);
    c.Brush.Style = bsSolid;
}

void TSkCustomPanel::Paint(TCanvas& canvas)
{
    PaintPanel(canvas);
    if (OnPaint)
        OnPaint(this, canvas);
}

// ---- Group box ----

TSkCustomGroupBox::TSkCustomGroupBox(QWidget* parent) : TSkCustomPanel(parent)
{
    FBorderOuter = fsNone;
    FBorderInner = fsNone;
    FAlignment = taLeftJustify;
    FAlignmentVertical = avTop;
    resize(Width(), 105);
    FCopyingFont = true;
    FCaptionFont.Assign(Font());
    FCopyingFont = false;
    FCaptionFont.OnChange = [this](TFont*) {
        if (!FCopyingFont)
            FCaptionFontChanged = true;
        update();
    };
    Realign();
}

bool TSkCustomGroupBox::DialogChar(QChar Key)
{
    if (!IsAccel(Key, Caption()) || !CanFocus())
        return false;
    // The first of its own controls in tab order that takes the focus by Tab.
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (!isAncestorOf(w))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) {
            w->setFocus(Qt::ShortcutFocusReason);
            break;
        }
    }
    return true;
}

void TSkCustomGroupBox::FontChanged()
{
    if (!FCaptionFontChanged) {
        FCopyingFont = true;
        FCaptionFont.Assign(Font());
        FCopyingFont = false;
    }
    Realign();
    update();
}

TRect TSkCustomGroupBox::ClientArea() const
{
    TRect r = TSkCustomPanel::ClientArea();
    const int H = TextHeightOf(Font());
    switch (FGroupStyle) {
    case gsCustom:
        if (!Caption().isEmpty())
            r.Top += H;
        InflateRect(r, -2, -2);
        break;
    case gsTopLine:
        r.Top += H;
        break;
    case gsBanner:
        r.Top += FBannerHeight ? FBannerHeight : H + 8;
        break;
    case gsUnderline:
        r.Top += H + 4;
        break;
    case gsStandard:
    case gsFlat: {
        const int a = H / 2 - 1;
        r.Top += a < FBorderWidth ? a : H - FBorderWidth;
        const int d = FGroupStyle == gsStandard ? 2 : 1;
        InflateRect(r, -d, -d);
        break;
    }
    }
    return r;
}

void TSkCustomGroupBox::NotifyFramingChanged(TSkFrameController* c, TSkFrameControllerProperty p)
{
    if (c && c->FrameVisible() && FGroupStyle == gsCustom)
        TSkCustomPanel::NotifyFramingChanged(c, p);
}

TRect TSkCustomGroupBox::CaptionBox(TCanvas& c, int captionHeight) const
{
    if (Caption().isEmpty() || FGroupStyle == gsCustom)
        return TRect();
    const int cx = c.TextWidth(StripAccelerators(Caption())), cy = captionHeight;
    switch (FGroupStyle) {
    case gsStandard:
    case gsFlat:
        return Rect(8, 0, cx + 8, cy);
    case gsTopLine:
        return Rect(0, 0, cx + 4, cy);
    case gsBanner:
        return Rect(0, 0, Width(), FBannerHeight ? FBannerHeight : cy + 6);
    case gsUnderline:
        return Rect(0, 0, Width(), cy + 2);
    default:
        return TRect();
    }
}

void TSkCustomGroupBox::ClipOutCaption(TCanvas& c, const TRect& cap) const
{
    QRegion clip(0, 0, Width(), Height());
    clip -= QRegion(cap.ToQRect());
    c.Painter().setClipRegion(clip);
}

void TSkCustomGroupBox::PaintStandardFrame(TCanvas& c, const TRect& fr, TColor F)
{
    switch (FBorderOuter) {
    case fsNone:
        PaintStyleFrameSides(c, fr, fsGroove, AllSides);
        break;
    case fsFlat:
        PaintOnePixelBox(c, fr, F);
        break;
    case fsFlatBold:
        PaintBevelLines(c, fr, F, F, AllSides, 2);
        break;
    default:
        PaintStyleFrameSides(c, fr, FBorderOuter, AllSides);
        break;
    }
}

void TSkCustomGroupBox::PaintTopLineFrame(TCanvas& c, const TRect& fr, TColor F)
{
    switch (FBorderOuter) {
    case fsNone:
        PaintStyleFrameSides(c, fr, fsGroove, SideBit(sdTop));
        break;
    case fsFlat:
    case fsFlatBold:
        c.Pen.Color = F;
        c.MoveTo(fr.Left + 2, fr.Top);
        c.LineTo(fr.Right - 2, fr.Top);
        if (FBorderOuter == fsFlatBold) {
            c.MoveTo(fr.Left + 2, fr.Top + 1);
            c.LineTo(fr.Right - 2, fr.Top + 1);
        }
        break;
    default:
        PaintStyleFrameSides(c, fr, FBorderOuter, SideBit(sdTop));
        break;
    }
}

void TSkCustomGroupBox::PaintFlatFrame(TCanvas& c, const TRect& fr, TColor F)
{
    c.Pen.Color = F;
    c.MoveTo(fr.Left, fr.Top + 2);
    c.LineTo(fr.Left, fr.Bottom - 2);
    c.MoveTo(fr.Left + 2, fr.Top);
    c.LineTo(fr.Right - 2, fr.Top);
    c.MoveTo(fr.Right - 1, fr.Top + 2);
    c.LineTo(fr.Right - 1, fr.Bottom - 2);
    c.MoveTo(fr.Left + 2, fr.Bottom - 1);
    c.LineTo(fr.Right - 2, fr.Bottom - 1);
    c.SetPixel(fr.Left + 1, fr.Top + 1, F);
    c.SetPixel(fr.Right - 2, fr.Top + 1, F);
    c.SetPixel(fr.Right - 2, fr.Bottom - 2, F);
    c.SetPixel(fr.Left + 1, fr.Bottom - 2, F);
}

TRect TSkCustomGroupBox::PaintBanner(TCanvas& c, const TRect& cap, int captionHeight, TColor F)
{
    TColor start, stop, pen = F;
    if (FGradientColorStyle == gcsCustom) {
        start = FGradientColorStart;
        stop = FGradientColorStop;
    } else {
        SchemeGroupColors(FGradientColorStyle, stop, start, pen);
    }
    const TRect C =
        cap.IsEmpty() ? Rect(0, 0, Width(), FBannerHeight ? FBannerHeight : captionHeight + 6) : cap;
    c.Pen.Color = pen;
    c.MoveTo(C.Left, C.Top + 1);
    c.LineTo(C.Left, C.Bottom - 1);
    c.MoveTo(C.Left + 1, C.Top);
    c.LineTo(C.Right - 1, C.Top);
    c.MoveTo(C.Right - 1, C.Top + 1);
    c.LineTo(C.Right - 1, C.Bottom - 1);
    c.MoveTo(C.Left + 1, C.Bottom - 1);
    c.LineTo(C.Right - 1, C.Bottom - 1);
    TRect in = C;
    InflateRect(in, -1, -1);
    GradientFillRect(c, in, gdHorizontalEnd, start, stop, 1);
    return C;
}

void TSkCustomGroupBox::PaintGroupCaption(TCanvas& c, const TRect& cap)
{
    TRect r = cap;
    if (!FTransparent && FGroupStyle != gsBanner) {
        c.Brush.Style = bsSolid;
        c.Brush.Color = Color();
        c.FillRect(r);
    }
    if (FGroupStyle == gsBanner)
        InflateRect(r, -4, -1);
    c.Brush.Style = bsClear;
    c.Font.Assign(FCaptionFont);
    if (!Enabled())
        c.Font.SetColor(clGrayText);
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;
    flags |= AlignFlag(FAlignment);
    c.DrawText(Caption(), r, flags);
}

void TSkCustomGroupBox::Paint(TCanvas& c)
{
    c.Font.Assign(FCaptionFont);
    const int H = c.TextHeight(QStringLiteral("Pp"));
    TRect cap = CaptionBox(c, H);
    if (FGroupStyle == gsCustom) {
        TSkCustomPanel::Paint(c);
        c.Font.Assign(Font());
        return;
    }
    QPainter& p = c.Painter();
    p.save();
    if (!FTransparent) {
        c.Brush.Style = bsSolid;
        c.Brush.Color = Color();
        c.FillRect(ClientRect());
    } else if (FGroupStyle != gsBanner && !cap.IsEmpty()) {
        ClipOutCaption(c, cap);
    }
    const TRect fr = Rect(0, H / 2 - 1, Width(), Height());
    const TColor F = ShiftColor(FFlatColor, FFlatColorAdjustment);
    // An opaque caption fill below covers the caption box anyway: no clip (a region clip is costly).
    const bool clipCaption = !FTransparent && !cap.IsEmpty() && ColorToRGB(Color()) == clNone;
    switch (FGroupStyle) {
    case gsStandard:
        if (clipCaption)
            ClipOutCaption(c, cap);
        PaintStandardFrame(c, fr, F);
        break;
    case gsTopLine:
        PaintTopLineFrame(c, fr, F);
        break;
    case gsFlat:
        if (clipCaption)
            ClipOutCaption(c, cap);
        PaintFlatFrame(c, fr, F);
        break;
    case gsBanner: {
        const TRect banner = PaintBanner(c, cap, H, F);
        if (cap.IsEmpty())
            cap = banner;
        break;
    }
    case gsUnderline:
        c.Pen.Color = F;
        c.MoveTo(cap.Left, cap.Bottom);
        c.LineTo(cap.Right, cap.Bottom);
        break;
    default:
        break;
    }
    p.restore();
    if (!Caption().isEmpty())
        PaintGroupCaption(c, cap);
    c.Font.Assign(Font());
}

} // namespace sk
