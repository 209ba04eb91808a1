#include "controls/smooth/ProgressBar.h"

#include "framework/gdiplus/GDIPAPI.h"

#include <QImage>
#include <QPainter>

namespace fx
{

using namespace fw;
using gp::Round;

namespace
{

void Fill(TCanvas& c, int l, int t, int r, int b, TColor color)
{
    if (r <= l || b <= t || color == clNone)
        return;
    c.Painter().fillRect(QRect(l, t, r - l, b - t), ToQColor(color));
}

// Stripes across the bar's thickness from one colour to the other.
void DrawGradient(TCanvas& c, TColor from, TColor to, bool vertical, TRect r, int steps)
{
    if (steps <= 0)
        steps = 1;
    const TColor f = ColorToRGB(from), t = ColorToRGB(to);
    const double ir = double(GetRValue(t) - GetRValue(f)) / steps,
                 ig = double(GetGValue(t) - GetGValue(f)) / steps,
                 ib = double(GetBValue(t) - GetBValue(f)) / steps;
    const double s = vertical ? double(r.Width()) / steps : double(r.Height()) / steps;
    for (int i = 0; i < steps; ++i) {
        const TColor col =
            RGB(GetRValue(f) + Round(i * ir), GetGValue(f) + Round(i * ig), GetBValue(f) + Round(i * ib));
        const int o = Round(i * s);
        if (vertical)
            Fill(c, r.Left + o, r.Top, std::min(r.Right, r.Left + o + int(s) + 1), r.Bottom, col);
        else
            Fill(c, r.Left, r.Top + o, r.Right, std::min(r.Bottom, r.Top + o + int(s) + 1), col);
    }
}

void Segment(TCanvas& c, const TGaugeSettings& g, int level, TRect r)
{
    if (r.IsEmpty())
        return;
    const TColor C[4] = {g.Level0Color, g.Level1Color, g.Level2Color, g.Level3Color};
    const TColor D[4] = {g.Level0ColorTo, g.Level1ColorTo, g.Level2ColorTo, g.Level3ColorTo};
    if (!g.ShowGradient) {
        Fill(c, r.Left, r.Top, r.Right, r.Bottom, C[level]);
        return;
    }
    const bool vertical = g.Orientation == goVertical;
    if (vertical) {
        const int mid = r.Left + r.Width() / 2;
        DrawGradient(c, D[level], C[level], true, {r.Left, r.Top, mid, r.Bottom}, g.Steps);
        DrawGradient(c, C[level], D[level], true, {mid, r.Top, r.Right, r.Bottom}, g.Steps);
    } else {
        const int mid = r.Top + r.Height() / 2;
        DrawGradient(c, D[level], C[level], false, {r.Left, r.Top, r.Right, mid}, g.Steps);
        DrawGradient(c, C[level], D[level], false, {r.Left, mid, r.Right, r.Bottom}, g.Steps);
    }
}

} // namespace

QString FormatIntegers(const QString& format, std::initializer_list<int> args)
{
    // The framework's Format with integer arguments: %d, %u, %x with flags, width and precision, and %%.
    // A directive it cannot fill is left as written, so a stray one never reads a missing argument.
    QString out;
    auto next = args.begin();
    const int n = int(format.size());
    for (int i = 0; i < n;) {
        const QChar ch = format[i];
        if (ch != u'%') {
            out += ch;
            ++i;
            continue;
        }
        if (i + 1 < n && format[i + 1] == u'%') {
            out += u'%';
            i += 2;
            continue;
        }
        int j = i + 1;
        bool left = false;
        if (j < n && format[j] == u'-') {
            left = true;
            ++j;
        }
        int width = 0, precision = -1;
        while (j < n && format[j].isDigit() && width < 1000)
            width = width * 10 + format[j++].digitValue();
        if (j < n && format[j] == u'.') {
            precision = 0;
            ++j;
            while (j < n && format[j].isDigit() && precision < 1000)
                precision = precision * 10 + format[j++].digitValue();
        }
        const QChar type = j < n ? format[j].toLower() : QChar();
        if ((type != u'd' && type != u'u' && type != u'x') || next == args.end() || width >= 1000 ||
            precision >= 1000) {
            out += ch;
            ++i;
            continue;
        }
        const long long value = *next++;
        QString digits;
        if (type == u'x')
            digits = QString::number(quint32(value), 16);
        else if (type == u'u')
            digits = QString::number(quint32(value));
        else
            digits = QString::number(value < 0 ? -value : value);
        if (format[j] == u'X')
            digits = digits.toUpper();
        if (precision > digits.size())
            digits = QString(precision - digits.size(), u'0') + digits;
        if (type == u'd' && value < 0)
            digits = u'-' + digits;
        if (digits.size() < width)
            digits = left ? digits + QString(width - digits.size(), u' ')
                          : QString(width - digits.size(), u' ') + digits;
        out += digits;
        i = j + 1;
    }
    return out;
}

QString GaugeText(const TGaugeSettings& g)
{
    if (!g.Format.isEmpty())
        return FormatIntegers(g.Format, {g.Value, g.Max}); // the raw position and Max
    return g.ShowPercentage ? QString::number(g.Position) + u'%' : QString::number(g.Value);
}

namespace
{

// The three level zones behind the bar, n pixels in all.
void DrawLevelBackgrounds(TCanvas& c, const TRect& R, const TGaugeSettings& g, int n, bool vertical)
{
    const int L = R.Left, T = R.Top, B = R.Bottom;
    const int z1 = Round(g.Level1Perc / 100.0 * n), z2 = Round(n * (g.Level2Perc - g.Level1Perc) / 100.0);
    const int z3 = n - z1 - z2;
    if (!vertical) {
        Fill(c, L + 2, T + 1, L + 2 + z1, B - 1, g.Level0BkColor);
        Fill(c, L + 2 + z1, T + 1, L + 2 + z1 + z2, B - 1, g.Level1BkColor);
        Fill(c, L + 2 + z1 + z2, T + 1, L + 2 + z1 + z2 + z3, B - 1, g.Level2BkColor);
    } else {
        const int t1 = B - z1 + 1;
        Fill(c, L + 1, t1, R.Right - 1, B - 2, g.Level0BkColor);
        const int t2 = t1 - z2;
        Fill(c, L + 1, t2, R.Right - 1, t1, g.Level1BkColor);
        Fill(c, L + 1, t2 - 1 - z3, R.Right - 1, t2 - 1, g.Level2BkColor);
    }
}

// One segment per level reached, each in its level's colours.
void DrawStackedBar(TCanvas& c, const TRect& R, const TGaugeSettings& g, int n, bool vertical)
{
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const int p = g.Position;
    const int len1 = p < g.Level1Perc ? Round(p / 100.0 * n) : Round(g.Level1Perc / 100.0 * n);
    // Segment 1 runs L+2 .. L+len1; each next segment starts at the previous one's right edge.
    auto seg = [&](int start, int len) {
        return start == 0 ? TRect{L + 2, T + 1, L + len, B - 1}
                          : TRect{L + start, T + 1, L + start + len, B - 1};
    };
    const int top1 = B - len1 + 1;
    if (vertical)
        Segment(c, g, 0, {L + 1, top1, Rt - 1, B - 2});
    else
        Segment(c, g, 0, seg(0, len1));
    if (p < g.Level1Perc)
        return;
    const int len2 = p < g.Level2Perc ? Round(n * (p - g.Level1Perc) / 100.0)
                                      : Round(n * (g.Level2Perc - g.Level1Perc) / 100.0);
    if (vertical)
        Segment(c, g, 1, {L + 1, top1 - len2, Rt - 1, top1});
    else
        Segment(c, g, 1, seg(len1, len2));
    if (p < g.Level2Perc)
        return;
    const int len3 = p == 100 ? n - len1 - len2 : Round(n * (p - g.Level2Perc) / 100.0);
    if (vertical) {
        const int top2 = top1 - len2;
        Segment(c, g, 2, {L + 1, top2 - 1 - len3, Rt - 1, top2 - 1});
    } else {
        Segment(c, g, 2, seg(len1 + len2, len3));
    }
}

// The whole bar in the colour of the level the position is in: smooth, or in 7-pixel blocks.
void DrawLevelBar(TCanvas& c, const TRect& R, const TGaugeSettings& g, int n, bool vertical)
{
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const int p = g.Position;
    const int level = p < g.Level1Perc ? 0 : p < g.Level2Perc ? 1 : p < 100 ? 2 : 3;
    if (g.CompletionSmooth) {
        const int len = Round(p / 100.0 * n);
        if (vertical)
            Segment(c, g, level, {L + 2, B - len, Rt - 2, B - 2});
        else
            Segment(c, g, level, {L + 2, T + 2, L + len, B - 2});
        return;
    }
    const int m = Round(double(n * p) / 100.0);
    auto block = [&](int start, int len) {
        if (vertical)
            Segment(c, g, level, {L + 2, std::max(T + 2, B - 2 - start - len), Rt - 2, B - 2 - start});
        else
            Segment(c, g, level, {L + 2 + start, T + 2, L + 2 + start + len, B - 2});
    };
    if (m <= 9) {
        if (m >= 2)
            block(0, m - 1);
    } else {
        const int blocks = m / 9;
        for (int k = 0; k < blocks; ++k)
            block(k * 9, 7);
        const int rest = m % 9;
        if (rest > 2)
            block(blocks * 9, rest - 1);
    }
}

// Leaves only the moving piece of an endless bar.
void ClearAroundInfinitePos(TCanvas& c, const TRect& R, const TGaugeSettings& g, bool vertical)
{
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const int extent = vertical ? B - T : Rt - L;
    const int P = extent <= 4 ? 0 : Round(g.InfinitePos / 100.0 * (extent - 4));
    if (!vertical) {
        Fill(c, L + 2, T + 1, std::max(L + 2, L + P - 10), B - 1, g.BackgroundColor);
        Fill(c, std::min(Rt - 2, L + P + 12), T + 2, Rt - 2, B - 2, g.BackgroundColor);
    } else {
        Fill(c, L + 2, T + 2, Rt - 2, std::max(T + 2, T + P - 10), g.BackgroundColor);
        Fill(c, L + 2, std::min(B - 2, T + P + 12), Rt - 2, B - 2, g.BackgroundColor);
    }
}

void DrawGaugeText(TCanvas& c, const TRect& R, const TGaugeSettings& g, bool vertical)
{
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    c.Brush.Style = bsClear;
    c.Font.Assign(*g.Font);
    const QString text = GaugeText(g);
    const int w = c.TextWidth(text), h = c.TextHeight(text);
    if (!vertical) {
        c.TextOut((Rt - L) / 2 + L - w / 2, (B - T) / 2 + T - h / 2, text);
    } else {
        c.Font.SetOrientation(900);
        c.TextOut((Rt - L) / 2 + L - h / 2, (B - T) / 2 + T + w / 2, text);
        c.Font.SetOrientation(0);
    }
    c.Brush.Style = bsSolid;
}

} // namespace

void DrawGauge(TCanvas& c, TRect R, const TGaugeSettings& gs)
{
    TGaugeSettings g = gs;
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const bool vertical = g.Orientation == goVertical;
    const int n = vertical ? (B - T) - 2 : (Rt - L) - 2;
    if (g.Rounded)
        Fill(c, L, T, Rt, B, 0xFF00FF);
    if (g.Infinite) {
        g.Position = 100;
        g.Level1Perc = g.Level2Perc = 101;
    }
    c.Brush.Color = g.BackgroundColor;
    c.Brush.Style = bsSolid;
    c.Pen.Color = g.ShowBorder ? g.BorderColor : g.BackgroundColor;
    if (g.Rounded)
        c.RoundRect(L, T, Rt, B, 6, 6);
    else
        c.Rectangle(L, T, Rt, B);
    if (g.Level0BkColor != clNone || g.Level1BkColor != clNone || g.Level2BkColor != clNone)
        DrawLevelBackgrounds(c, R, g, n, vertical);
    if (g.Position > 0) {
        if (g.Stacked)
            DrawStackedBar(c, R, g, n, vertical);
        else
            DrawLevelBar(c, R, g, n, vertical);
    }
    if (g.Infinite)
        ClearAroundInfinitePos(c, R, g, vertical);
    if (g.ShowPosition && g.Font)
        DrawGaugeText(c, R, g, vertical);
    c.Brush.Style = bsClear;
}

TFxProgressBar::TFxProgressBar(QWidget* parent) : TControl(parent)
{
    SetBounds(Left(), Top(), 128, 18);
    Font().SetName(QStringLiteral("Verdana"));
    Font().SetSize(10);
    FTimer.SetInterval(50);
    FTimer.OnTimer = [this](TTimer*) { Sweep(); };
}

void TFxProgressBar::SetLevel0BkColor(TColor v)
{
    if (v != FLevel0BkColor) {
        FLevel0BkColor = v;
        update();
    }
}

void TFxProgressBar::SetLevel1BkColor(TColor v)
{
    if (v != FLevel1BkColor) {
        FLevel1BkColor = v;
        update();
    }
}

void TFxProgressBar::SetLevel2BkColor(TColor v)
{
    if (v != FLevel2BkColor) {
        FLevel2BkColor = v;
        update();
    }
}

void TFxProgressBar::SetMin(int value)
{
    FMin = value;
    FStepSize = (FMax - FMin) / 100;
    update();
}

void TFxProgressBar::SetMax(int value)
{
    FMax = value;
    FStepSize = (FMax - FMin) / 100;
    update();
}

int TFxProgressBar::Percentage() const
{
    if (FMax == FMin)
        return 0;
    // Measured from Min, so that a range not starting at 0 still runs 0..100.
    return Round(double(FPosition - FMin) / double(FMax - FMin) * 100.0);
}

void TFxProgressBar::SetPosition(int Value)
{
    if (Value >= FMin && Value <= FMax) {
        FPosition = Value;
        const int p = Percentage();
        if (FStepSize == 0 || Value % FStepSize == 0 || Value / FStepSize != FLastBlock || p != FLastPercent)
            PaintNow();
        FLastPercent = p;
        if (FStepSize != 0)
            FLastBlock = Value / FStepSize;
        return;
    }
    const int stored = Value < FMin ? FMin : FMax;
    // The display follows the stored value.
    if (stored != FPosition) {
        FPosition = stored;
        FLastPercent = Percentage();
        if (FStepSize != 0)
            FLastBlock = stored / FStepSize;
        PaintNow();
    }
}

void TFxProgressBar::PaintNow()
{
    ++FPaintRequests;
    if (isVisible())
        repaint();
}

void TFxProgressBar::SetInfinite(bool value)
{
    if (value && !FInfinite)
        FInfinitePos = 0;
    FInfinite = value;
    UpdateTimer();
    update();
}

void TFxProgressBar::SetAnimated(bool value)
{
    FAnimated = value;
    UpdateTimer();
}

void TFxProgressBar::UpdateTimer()
{
    FTimer.SetEnabled(FInfinite && FAnimated);
}

void TFxProgressBar::Sweep()
{
    if (FSweepUp) {
        FInfinitePos += 4;
        if (FInfinitePos > 99) {
            FInfinitePos = 100;
            FSweepUp = false;
        }
    } else {
        FInfinitePos -= 4;
        if (FInfinitePos < 1) {
            FInfinitePos = 0;
            FSweepUp = true;
        }
    }
    PaintNow();
}

TGaugeSettings TFxProgressBar::Settings() const
{
    TGaugeSettings g{};
    g.Level0Color = FLevel0Color;
    g.Level0ColorTo = FLevel0ColorTo;
    g.Level1Color = FLevel1Color;
    g.Level1ColorTo = FLevel1ColorTo;
    g.Level2Color = FLevel2Color;
    g.Level2ColorTo = FLevel2ColorTo;
    g.Level3Color = FLevel3Color;
    g.Level3ColorTo = FLevel3ColorTo;
    g.Level1Perc = FLevel1Perc;
    g.Level2Perc = FLevel2Perc;
    g.BorderColor = FBorderColor;
    g.Level0BkColor = FLevel0BkColor;
    g.Level1BkColor = FLevel1BkColor;
    g.Level2BkColor = FLevel2BkColor;
    g.ShowBorder = FShowBorder;
    g.Stacked = FStacked;
    g.ShowPercentage = FShowPercentage;
    g.ShowPosition = FShowPosition;
    g.Font = &Font();
    g.CompletionSmooth = FCompletionSmooth;
    g.ShowGradient = FShowGradient;
    g.Steps = FSteps;
    g.Position = Percentage();
    g.Value = FPosition;
    g.Max = FMax;
    g.BackgroundColor = FBackgroundColor;
    g.Orientation = FOrientation;
    g.Rounded = FRounded;
    g.ParentColor = clNone;
    g.Format = FFormat;
    g.Infinite = FInfinite;
    g.InfinitePos = FInfinitePos;
    return g;
}

void TFxProgressBar::Paint(TCanvas& Canvas)
{
    if (!parentWidget() || Width() <= 0 || Height() <= 0)
        return;
    QImage buffer(Width(), Height(), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent);
    {
        QPainter p(&buffer);
        TCanvas c(p);
        DrawGauge(c, ClientRect(), Settings());
    }
    if (FRounded)
        buffer = MaskedCopy(buffer, 0xFF00FF);
    Canvas.Painter().drawImage(0, 0, buffer);
}

} // namespace fx
