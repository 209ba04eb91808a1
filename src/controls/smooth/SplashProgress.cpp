#include "controls/smooth/SplashProgress.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace fx
{

namespace
{

using gp::REAL;
using gp::TGPRectF;

bool HasBorder(const TGDIPFill& f)
{
    return f.BorderColor() != fw::clNone;
}

TGPRectF Grown(const TGPRectF& r)
{
    return {r.X - 1, r.Y - 1, r.Width + 2, r.Height + 2};
}

void Gradient(gp::TGPGraphics& g, const TGPRectF& band, gp::ARGB from, gp::ARGB to,
              gdip::LinearGradientMode mode)
{
    if (band.Width <= 0 || band.Height <= 0)
        return;
    gp::TGPLinearGradientBrush brush(Grown(band), from, to, mode);
    g.FillRectangle(&brush, band);
}

} // namespace

QString FormatReal(const QString& format, double value)
{
    QString out;
    bool converted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        // %[-][width][.precision]type
        qsizetype j = i + 1;
        const bool left = j < format.size() && format[j] == u'-';
        if (left)
            ++j;
        int width = 0, precision = -1;
        while (j < format.size() && format[j].isDigit())
            width = std::min(width * 10 + format[j++].digitValue(), 64);
        if (j < format.size() && format[j] == u'.') {
            precision = 0;
            ++j;
            while (j < format.size() && format[j].isDigit())
                precision = std::min(precision * 10 + format[j++].digitValue(), 30);
        }
        const QChar type = j < format.size() ? format[j].toLower() : QChar();
        if (converted || !(type == u'f' || type == u'e' || type == u'g' || type == u'n' || type == u'm')) {
            out += format.mid(i, j - i + (j < format.size() ? 1 : 0));
            i = j;
            continue;
        }
        converted = true;
        const char conv = type == u'e' ? 'E' : type == u'g' ? 'G' : 'f';
        const int prec = precision >= 0 ? precision : (conv == 'G' ? 15 : 2);
        char spec[16];
        std::snprintf(spec, sizeof spec, "%%%s*.*%c", left ? "-" : "", conv);
        char buf[160];
        std::snprintf(buf, sizeof buf, spec, width, prec, value);
        out += QString::fromLatin1(buf);
        i = j;
    }
    return out;
}

void DrawEndShadows(gp::TGPGraphics& g, const TGPRectF& r)
{
    const REAL w = std::min<REAL>(10, r.Width);
    Gradient(g, {r.X, r.Y, w, r.Height}, gp::ComposeArgb(30, 0, 0, 0), gp::ComposeArgb(0, 0, 0, 0),
             gdip::LinearGradientModeHorizontal);
    Gradient(g, {r.X + r.Width - w, r.Y, w, r.Height}, gp::ComposeArgb(0, 0, 0, 0),
             gp::ComposeArgb(30, 0, 0, 0), gdip::LinearGradientModeHorizontal);
}

// ---------------------------------------------------------------------------------------------------

TGDIPSplashProgress::TGDIPSplashProgress()
{
    FBackGroundFill.OnChange = [this](TGDIPFill*) { Changed(); };
    FProgressFill.OnChange = [this](TGDIPFill*) { Changed(); };
    FFont.OnChange = [this](fw::TFont*) { Changed(); };
    FProgressFont.OnChange = [this](fw::TFont*) { Changed(); };
}

void TGDIPSplashProgress::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TGDIPSplashProgress::SetVisible(bool v)
{
    FVisible = v;
    Changed();
}

void TGDIPSplashProgress::Assign(const TGDIPSplashProgress& s)
{
    if (&s == this)
        return;
    const auto notify = std::move(OnChange);
    OnChange = nullptr;
    FBackGroundFill.Assign(s.FBackGroundFill);
    FProgressFill.Assign(s.FProgressFill);
    FFont.Assign(s.FFont);
    FProgressFont.Assign(s.FProgressFont);
    FValueFormat = s.FValueFormat;
    FValueType = s.FValueType;
    FValuePosition = s.FValuePosition;
    FValuePositionLeft = s.FValuePositionLeft;
    FValuePositionTop = s.FValuePositionTop;
    FValueVisible = s.FValueVisible;
    FVisible = s.FVisible;
    FLeft = s.FLeft;
    FTop = s.FTop;
    FWidth = s.FWidth;
    FHeight = s.FHeight;
    FStep = s.FStep;
    FMinimum = s.FMinimum;
    FMaximum = s.FMaximum;
    FPosition = s.FPosition;
    GlowAnimation = s.GlowAnimation;
    ProgressAnimation = s.ProgressAnimation;
    OnChange = notify;
    Changed();
}

void TGDIPSplashProgress::SetComponentStyle(TTMSStyle style)
{
    struct Row {
        TTMSStyle Style;
        fw::TColor Back, BackTo, Border, Progress, ProgressTo, Mirror, MirrorTo, ProgressBorder;
    };
    // Office 2007 Luna as the library gives it; the others in the same manner, from each style's own
    // family of colours.
    static const Row rows[] = {
        {tsOffice2003Blue, 0xFCE1CB, 0xFCE1CB, 0x962D00, 0xFDEADA, 0xE4AE88, 0xE4AE88, 0xD68759, 0x962D00},
        {tsOffice2003Silver, 0xECE2E1, 0xECE2E1, 0x947C7C, 0xF3EEEE, 0xD5C8C7, 0xD5C8C7, 0xB19F9F, 0x947C7C},
        {tsOffice2003Olive, 0xCFF0EA, 0xCFF0EA, 0x588060, 0xE4F1F2, 0xAADADA, 0xAADADA, 0x8CC0B1, 0x588060},
        {tsOffice2003Classic, 0xF2F2F2, 0xF2F2F2, 0x808080, 0xFFFFFF, 0xC9D1D5, 0xC9D1D5, 0xB1B8BC, 0x808080},
        {tsOffice2007Luna, 0xFFD2AF, 0xFFD2AF, 0xC0C0C0, 0xFFEFE3, 0xFFDDC4, 0xFFD1AD, 0xFFDBC0, 0xFFD1AD},
        {tsOffice2007Obsidian, 0x5C534C, 0x5C534C, 0x3B3B3B, 0xF2F1F0, 0xC9C2BD, 0xC9C2BD, 0xA9A19B,
         0x5C534C},
        {tsWindowsXP, 0xFEFEFE, 0xFEFEFE, 0xACA899, 0xEFD3C6, 0xE0B6A4, 0xE0B6A4, 0xC28A75, 0xACA899},
        {tsWhidbey, 0xF5F9FA, 0xF5F9FA, 0x962D00, 0xFDEADA, 0xE4AE88, 0xE4AE88, 0xD68759, 0x962D00},
        {tsOffice2007Silver, 0xF3F3F1, 0xF3F3F1, 0xCCCAC9, 0xF8F7F6, 0xE8E5E2, 0xE3DFDB, 0xECEAE8, 0xCCCAC9},
        {tsWindowsVista, 0xFDF8F1, 0xFDF8F1, 0xFDDE99, 0xFEF9F0, 0xFDEFD3, 0xFDE6B9, 0xFDF1DB, 0xFDDE99},
        {tsWindows7, 0xFDFBFA, 0xFDFBFA, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFDEADB, 0xFDF5EF, 0xFBD6B8},
        {tsTerminal, 0xFFFFFF, 0xFFFFFF, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0xC0C0C0, 0x808080},
        {tsOffice2010Blue, 0xFDF6EF, 0xFDF6EF, 0xF0DAC7, 0xEDDBCD, 0xE3C8B0, 0xE3C8B0, 0xD9B696, 0xC7B29B},
        {tsOffice2010Silver, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xEDE9E6, 0xDCD6D1, 0xDCD6D1, 0xCBC4BE, 0xBEB8B2},
        {tsOffice2010Black, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x919191, 0x7C7C7C, 0x7C7C7C, 0x6B6B6B, 0x4C4C4C},
    };
    for (const Row& r : rows)
        if (r.Style == style) {
            FBackGroundFill.SetColor(r.Back);
            FBackGroundFill.SetColorTo(r.BackTo);
            FBackGroundFill.SetBorderColor(r.Border);
            FProgressFill.SetColor(r.Progress);
            FProgressFill.SetColorTo(r.ProgressTo);
            FProgressFill.SetColorMirror(r.Mirror);
            FProgressFill.SetColorMirrorTo(r.MirrorTo);
            FProgressFill.SetBorderColor(r.ProgressBorder);
            FProgressFill.SetGradientMirrorType(gp::gtVertical);
            return;
        }
}

TGPRectF TGDIPSplashProgress::GetInsideRectF(const fw::TRect& r) const
{
    REAL l = REAL(r.Left), t = REAL(r.Top), rr = REAL(r.Right - 1), b = REAL(r.Bottom - 1);
    if (HasBorder(FBackGroundFill)) {
        const REAL s = REAL((FBackGroundFill.BorderWidth() + 1) / 2);
        l += s;
        t += s;
        rr -= s;
        b -= s;
    }
    return {l, t, std::max<REAL>(0, rr - l), std::max<REAL>(0, b - t)};
}

TGPRectF TGDIPSplashProgress::CalculateProgressRectangle(const fw::TRect& r, double position, double maximum,
                                                         double minimum) const
{
    const TGPRectF in = GetInsideRectF(r);
    const bool border = HasBorder(FProgressFill) && FProgressFill.BorderWidth() > 0;
    const REAL bw = border ? REAL(FProgressFill.BorderWidth()) : 0;
    const double full = std::max<double>(0, in.Width - bw);
    double filled = 0;
    if (maximum - minimum > 0 && std::isfinite(position))
        filled = std::clamp((position - minimum) / (maximum - minimum) * full, 0.0, full);
    if (border)
        return {in.X + bw / 2, in.Y + bw / 2, REAL(filled), std::max<REAL>(0, in.Height - bw)};
    return {in.X, in.Y, REAL(filled), in.Height};
}

QString TGDIPSplashProgress::ValueText(double position, double maximum, double minimum) const
{
    const double pos = std::clamp(position, std::min(minimum, maximum), std::max(minimum, maximum));
    double value = pos;
    if (FValueType == vtPercentage)
        value = minimum < maximum ? (pos - minimum) / (maximum - minimum) * 100 : maximum;
    return FormatReal(FValueFormat, value);
}

void TGDIPSplashProgress::DrawValue(gp::TGPGraphics& g, const fw::TRect& r, double position, double maximum,
                                    double minimum)
{
    const QString text = ValueText(position, maximum, minimum);
    const TGPRectF in = GetInsideRectF(r);
    const TGPRectF done = CalculateProgressRectangle(r, position, maximum, minimum);
    const int tw = g.TextWidth(text, FFont), th = g.TextHeight(text, FFont);
    const int y = r.Top + int((in.Height - th) / 2);
    int x = int(in.X);
    switch (FValuePosition) {
    case vpProgressCenter:
        if (done.Width >= tw)
            x = int(done.X + (done.Width - tw) / 2);
        break;
    case vpProgressRight:
        if (done.Width >= tw)
            x = int(done.X + done.Width - tw);
        break;
    case vpCenter:
        x = r.Left + int((in.Width - tw) / 2);
        break;
    case vpLeft:
        break;
    case vpRight:
        x = r.Left + int(in.Width - tw);
        break;
    case vpCustom:
        x = r.Left + FValuePositionLeft;
        break;
    }
    const int top = FValuePosition == vpCustom ? r.Top + FValuePositionTop : y;
    const bool over = done.X + done.Width > x + tw / 2.0;
    fw::TFont& font = over ? FProgressFont : FFont;
    fw::TRect box{x, top, x + tw, top + th};
    g.DrawText(text, int(text.size()), fw::clNone, 0, font, box);
}

void TGDIPSplashProgress::Draw(gp::TGPGraphics& g, const fw::TRect& r, double position, double maximum,
                               double minimum)
{
    FBackGroundFill.Fill(&g,
                         {REAL(r.Left), REAL(r.Top), REAL(r.Right - r.Left - 1), REAL(r.Bottom - r.Top - 1)});
    const TGPRectF done = CalculateProgressRectangle(r, position, maximum, minimum);
    if (done.Width > 0) {
        FProgressFill.Fill(&g, done);
        DrawEndShadows(g, done);
    }
    const TGPRectF in = GetInsideRectF(r);
    DrawEndShadows(g, in);
    if (FValueVisible)
        DrawValue(g, r, position, maximum, minimum);
    Gradient(g, {in.X, in.Y, in.Width, REAL(in.Height / 2.5)}, gp::ComposeArgb(180, 255, 255, 255),
             gp::ComposeArgb(0, 255, 255, 255), gdip::LinearGradientModeVertical);
    Gradient(g, {in.X, REAL(in.Y + in.Height - in.Height / 5), in.Width, REAL(in.Height / 5)},
             gp::ComposeArgb(0, 255, 255, 255), gp::ComposeArgb(255, 255, 255, 255),
             gdip::LinearGradientModeVertical);
}

// ---------------------------------------------------------------------------------------------------

TFxSplashProgressBar::TFxSplashProgressBar(QWidget* parent) : TControl(parent)
{
    resize(150, 17);
    FAppearance.OnChange = [this](TGDIPSplashProgress*) { ApplyAppearance(); };
    FAnimationTimer.SetInterval(10);
    FAnimationTimer.OnTimer = [this](fw::TTimer*) { AnimationTick(); };
    FAnimationTimer.SetEnabled(true);
}

void TFxSplashProgressBar::ApplyAppearance()
{
    const TGDIPSplashProgress& a = FAppearance;
    SetBounds(a.Left(), a.Top(), a.Width(), a.Height());
    SetVisible(a.Visible());
    SetStep(a.Step());
    SetMinimum(a.Minimum());
    SetMaximum(a.Maximum());
    SetPosition(a.Position());
    SetGlowAnimation(a.GlowAnimation);
    SetProgressAnimation(a.ProgressAnimation);
    update();
    if (OnChange)
        OnChange(this);
}

void TFxSplashProgressBar::FirePositionChanged()
{
    if (OnPositionChanged)
        OnPositionChanged(this, FPosition);
}

void TFxSplashProgressBar::SetPosition(double v)
{
    if (!std::isfinite(v))
        return;
    v = std::clamp(v, std::min(FMinimum, FMaximum), std::max(FMinimum, FMaximum));
    if (Animating()) {
        FPositionTo = v;
        return;
    }
    FPosition = FPositionTo = FPositionTemp = v;
    FirePositionChanged();
    update();
}

void TFxSplashProgressBar::SetMaximum(double v)
{
    if (v == FMaximum || !std::isfinite(v))
        return;
    FMaximum = v;
    if (FPositionTo > v)
        FPositionTo = v;
    if (!Animating() && FPosition > v)
        FPosition = FPositionTemp = v;
    update();
}

void TFxSplashProgressBar::SetMinimum(double v)
{
    if (v == FMinimum || !std::isfinite(v))
        return;
    FMinimum = v;
    if (FPositionTo < v)
        FPositionTo = v;
    if (!Animating() && FPosition < v)
        FPosition = FPositionTemp = v;
    update();
}

void TFxSplashProgressBar::SetStep(double v)
{
    if (v != FStep) {
        FStep = v;
        update();
    }
}

void TFxSplashProgressBar::SetGlowAnimation(bool v)
{
    if (v != FGlowAnimation) {
        FGlowAnimation = v;
        update();
    }
}

void TFxSplashProgressBar::SetProgressAnimation(bool v)
{
    if (v == FProgressAnimation)
        return;
    FProgressAnimation = v;
    update();
    if (!v)
        SetPosition(FPositionTo);
}

bool TFxSplashProgressBar::AnimationInProgress() const
{
    return Animating() && std::fabs(FPositionTo - FPositionTemp) >= 0.001;
}

void TFxSplashProgressBar::AnimationTick()
{
    if (Animating() && FPositionTemp != FPositionTo) {
        const double gap = FPositionTo - FPositionTemp;
        if (std::fabs(gap) < 1e-6) {
            FPositionTemp = FPositionTo;
        } else {
            const double step = std::max(std::fabs(gap) / 15, 1e-6);
            FPositionTemp += gap > 0 ? step : -step;
        }
        FPosition = FPositionTemp;
        FirePositionChanged();
        update();
    }
    if (FPosition > FMinimum && FGlowAnimation) {
        if (FGlowCount >= 1500)
            FGlowPos += 3;
        const gp::TGPRectF done =
            FAppearance.CalculateProgressRectangle(ClientRect(), FPosition, FMaximum, FMinimum);
        if (done.Width >= FGlowPos) {
            FGlowCount += 10;
        } else {
            FGlowCount = 0;
            FGlowPos = -60;
        }
        update();
    }
}

void TFxSplashProgressBar::Paint(fw::TCanvas& canvas)
{
    gp::TGPGraphics g(canvas.Painter());
    g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
    g.SetTextRenderingHint(gdip::TextRenderingHintClearTypeGridFit);
    const fw::TRect r = ClientRect();
    FAppearance.Draw(g, r, FPosition, FMaximum, FMinimum);
    if (!FGlowAnimation || FPosition <= 0)
        return;
    const gp::TGPRectF done = FAppearance.CalculateProgressRectangle(r, FPosition, FMaximum, FMinimum);
    const gp::TGPRectF in = FAppearance.GetInsideRectF(r);
    if (done.Width <= 0)
        return;
    g.SetClip(done);
    const gp::REAL x = gp::REAL(FGlowPos);
    Gradient(g, {x - 30, in.Y, 30, in.Height}, gp::ComposeArgb(0, 255, 255, 255),
             gp::ComposeArgb(120, 255, 255, 255), gdip::LinearGradientModeHorizontal);
    Gradient(g, {x, in.Y, 30, in.Height}, gp::ComposeArgb(120, 255, 255, 255),
             gp::ComposeArgb(0, 255, 255, 255), gdip::LinearGradientModeHorizontal);
    g.ResetClip();
}

} // namespace fx
