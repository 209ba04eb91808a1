#include "controls/FxProgressBar.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace fx {

using fw::TCanvas;
using fw::TRect;

long long RoundDiv(long long num, long long den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    long long q = num / den;
    long long r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    // Now num = q * den + r with 0 <= r < den.
    if (2 * r > den || (2 * r == den && (q & 1)))
        ++q;
    return q;
}

QString FormatTwoInts(const QString& format, long long a, long long b)
{
    QString out;
    const long long args[2] = {a, b};
    int next = 0;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c != QLatin1Char('%')) {
            out += c;
            continue;
        }
        if (i + 1 < n && format[i + 1] == QLatin1Char('%')) {
            out += QLatin1Char('%');
            ++i;
            continue;
        }
        // %[index:][-][width][.prec]type
        qsizetype j = i + 1;
        auto number = [&](int& v) {
            bool any = false;
            v = 0;
            while (j < n && format[j].isDigit() && v < 10000) {
                v = v * 10 + format[j].digitValue();
                ++j;
                any = true;
            }
            return any;
        };
        int index = -1, width = 0, prec = -1, v = 0;
        bool left = false;
        const qsizetype save = j;
        if (number(v) && j < n && format[j] == QLatin1Char(':'))
            index = v, ++j;
        else
            j = save;
        if (j < n && format[j] == QLatin1Char('-'))
            left = true, ++j;
        number(width);
        if (j < n && format[j] == QLatin1Char('.')) {
            ++j;
            number(prec);
        }
        if (j >= n) {
            out += format.mid(i);
            break;
        }
        const QChar t = format[j].toLower();
        const int argIndex = index >= 0 ? index : next;
        if ((t != QLatin1Char('d') && t != QLatin1Char('u') && t != QLatin1Char('x') && t != QLatin1Char('s')) ||
            argIndex > 1) {
            out += format.mid(i, j - i + 1);
            i = j;
            continue;
        }
        const long long value = args[argIndex];
        next = argIndex + 1;
        QString text;
        if (t == QLatin1Char('x'))
            text = QString::number(static_cast<unsigned long long>(value) & 0xFFFFFFFFull, 16);
        else if (t == QLatin1Char('u'))
            text = QString::number(static_cast<unsigned long long>(value) & 0xFFFFFFFFull);
        else
            text = QString::number(std::llabs(value));
        if (format[j] == QLatin1Char('X'))
            text = text.toUpper();
        if (prec > 0 && t != QLatin1Char('s') && text.size() < prec)
            text = QString(prec - text.size(), QLatin1Char('0')) + text;
        if (value < 0 && (t == QLatin1Char('d') || t == QLatin1Char('s')))
            text = QLatin1Char('-') + text;
        if (text.size() < width)
            text = left ? text + QString(width - text.size(), QLatin1Char(' '))
                        : QString(width - text.size(), QLatin1Char(' ')) + text;
        out += text;
        i = j;
    }
    return out;
}

namespace {

void FillBox(TCanvas& c, TColor color, int l, int t, int r, int b)
{
    if (r <= l || b <= t)
        return;
    c.Brush.Color = color;
    c.Brush.Style = fw::bsSolid;
    c.FillRect(fw::Rect(l, t, r, b));
}

struct Level {
    TColor c, d;
};

// One stretch of the bar in a level's colours.
void Segment(TCanvas& c, const TGaugeSettings& s, Level lv, int l, int t, int r, int b)
{
    if (r <= l || b <= t)
        return;
    if (!s.ShowGradient) {
        FillBox(c, lv.c, l, t, r, b);
        return;
    }
    if (s.Orientation == goHorizontal) {
        const int mid = (t + b) / 2;
        DrawGradient(c, lv.d, lv.c, false, fw::Rect(l, t, r, mid), s.Steps);
        DrawGradient(c, lv.c, lv.d, false, fw::Rect(l, mid, r, b), s.Steps);
    } else {
        const int mid = (l + r) / 2;
        DrawGradient(c, lv.d, lv.c, true, fw::Rect(l, t, mid, b), s.Steps);
        DrawGradient(c, lv.c, lv.d, true, fw::Rect(mid, t, r, b), s.Steps);
    }
}

} // namespace

void DrawGradient(TCanvas& canvas, TColor from, TColor to, bool vertical, const TRect& r, int steps)
{
    if (steps <= 0)
        steps = 1;
    from = fw::ColorToRGB(from);
    to = fw::ColorToRGB(to);
    const double ir = double(fw::GetRValue(to) - fw::GetRValue(from)) / steps;
    const double ig = double(fw::GetGValue(to) - fw::GetGValue(from)) / steps;
    const double ib = double(fw::GetBValue(to) - fw::GetBValue(from)) / steps;
    const double s = vertical ? double(r.Right - r.Left) / steps : double(r.Bottom - r.Top) / steps;
    for (int i = 0; i < steps; ++i) {
        const TColor col = fw::RGB(fw::GetRValue(from) + int(std::nearbyint(i * ir)),
                                   fw::GetGValue(from) + int(std::nearbyint(i * ig)),
                                   fw::GetBValue(from) + int(std::nearbyint(i * ib)));
        const int o = int(std::nearbyint(i * s));
        const int len = int(std::trunc(s)) + 1;
        if (vertical)
            FillBox(canvas, col, r.Left + o, r.Top, std::min(r.Right, r.Left + o + len), r.Bottom);
        else
            FillBox(canvas, col, r.Left, r.Top + o, r.Right, std::min(r.Bottom, r.Top + o + len));
    }
}

void DrawGauge(TCanvas& c, const TRect& R, const TGaugeSettings& s)
{
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const bool horiz = s.Orientation == goHorizontal;
    const int n = horiz ? (Rt - L) - 2 : (B - T) - 2;
    int p = s.Position, l1 = s.Level1Perc, l2 = s.Level2Perc;
    const Level lv[4] = {{s.Level0Color, s.Level0ColorTo}, {s.Level1Color, s.Level1ColorTo},
                         {s.Level2Color, s.Level2ColorTo}, {s.Level3Color, s.Level3ColorTo}};

    if (s.Rounded)
        FillBox(c, fw::clFuchsia, L, T, Rt, B);
    if (s.Infinite) {
        p = 100;
        l1 = l2 = 101;
    }

    c.Brush.Color = s.BackgroundColor;
    c.Brush.Style = fw::bsSolid;
    c.Pen.Color = s.ShowBorder ? s.BorderColor : s.BackgroundColor;
    c.Pen.Style = fw::psSolid;
    c.Pen.Width = 1;
    if (s.Rounded)
        c.RoundRect(L, T, Rt, B, 6, 6);
    else
        c.Rectangle(L, T, Rt, B);

    if (s.Level0BkColor != fw::clNone || s.Level1BkColor != fw::clNone || s.Level2BkColor != fw::clNone) {
        const int z1 = int(RoundDiv(1LL * l1 * n, 100));
        const int z2 = int(RoundDiv(1LL * n * (l2 - l1), 100));
        const int z3 = n - z1 - z2;
        const TColor bk[3] = {s.Level0BkColor, s.Level1BkColor, s.Level2BkColor};
        if (horiz) {
            int x = L + 2;
            const int z[3] = {z1, z2, z3};
            for (int i = 0; i < 3; ++i) {
                if (bk[i] != fw::clNone)
                    FillBox(c, bk[i], x, T + 1, x + z[i], B - 1);
                x += std::max(0, z[i]);
            }
        } else {
            const int top1 = B - z1 + 1;
            const int top2 = top1 - z2;
            if (bk[0] != fw::clNone)
                FillBox(c, bk[0], L + 1, top1, R.Right - 1, B - 2);
            if (bk[1] != fw::clNone)
                FillBox(c, bk[1], L + 1, top2, R.Right - 1, top1);
            if (bk[2] != fw::clNone)
                FillBox(c, bk[2], L + 1, top2 - 1 - z3, R.Right - 1, top2 - 1);
        }
    }

    if (p > 0) {
        if (s.Stacked) {
            const int len1 = int(p < l1 ? RoundDiv(1LL * p * n, 100) : RoundDiv(1LL * l1 * n, 100));
            if (horiz)
                Segment(c, s, lv[0], L + 2, T + 1, L + len1, B - 1);
            else
                Segment(c, s, lv[0], L + 1, B - len1 + 1, Rt - 1, B - 2);
            if (p >= l1) {
                const int len2 = int(p < l2 ? RoundDiv(1LL * n * (p - l1), 100) : RoundDiv(1LL * n * (l2 - l1), 100));
                const int top2 = B - len1 + 1 - len2;
                if (horiz)
                    Segment(c, s, lv[1], L + len1, T + 1, L + len1 + len2, B - 1);
                else
                    Segment(c, s, lv[1], L + 1, top2, Rt - 1, B - len1 + 1);
                if (p >= l2) {
                    const int len3 = int(p == 100 ? n - len1 - len2 : RoundDiv(1LL * n * (p - l2), 100));
                    if (horiz)
                        Segment(c, s, lv[2], L + len1 + len2, T + 1, L + len1 + len2 + len3, B - 1);
                    else
                        Segment(c, s, lv[2], L + 1, top2 - 1 - len3, Rt - 1, top2 - 1);
                }
            }
        } else {
            const Level level = p < l1 ? lv[0] : p < l2 ? lv[1] : p < 100 ? lv[2] : lv[3];
            if (s.CompletionSmooth) {
                const int len = int(RoundDiv(1LL * p * n, 100));
                if (horiz)
                    Segment(c, s, level, L + 2, T + 2, L + len, B - 2);
                else
                    Segment(c, s, level, L + 2, B - len, Rt - 2, B - 2);
            } else {
                c.Brush.Color = s.BackgroundColor;
                const int m = int(RoundDiv(1LL * n * p, 100));
                auto block = [&](int from, int length) {
                    // from: pixels from the start of the bar (L + 2 or B - 2).
                    if (horiz)
                        Segment(c, s, level, L + from, T + 2, L + from + length, B - 2);
                    else
                        Segment(c, s, level, L + 2, std::max(T + 2, B - from - length), Rt - 2, B - from);
                };
                if (m <= 9) {
                    if (m >= 2)
                        block(2, m - 1);
                } else {
                    const int k = m / 9;
                    for (int i = 0; i < k; ++i)
                        block(2 + 9 * i, 7);
                    const int r = m % 9;
                    if (r > 2)
                        block(9 * k + 2, r - 1);
                }
                c.Brush.Style = fw::bsClear;
            }
        }
    }

    if (s.Infinite) {
        const int extent = horiz ? Rt - L : B - T;
        const int P = extent > 4 ? int(RoundDiv(1LL * s.InfinitePos * (extent - 4), 100)) : 0;
        if (horiz) {
            FillBox(c, s.BackgroundColor, L + 2, T + 1, std::max(L + 2, L + P - 10), B - 1);
            FillBox(c, s.BackgroundColor, std::min(Rt - 2, L + P + 12), T + 2, Rt - 2, B - 2);
        } else {
            FillBox(c, s.BackgroundColor, L + 2, T + 2, Rt - 2, std::max(T + 2, T + P - 10));
            FillBox(c, s.BackgroundColor, L + 2, std::min(B - 2, T + P + 12), Rt - 2, B - 2);
        }
    }

    if (s.ShowPosition) {
        c.Brush.Style = fw::bsClear;
        if (s.Font)
            c.Font.Assign(*s.Font);
        QString text;
        if (!s.Format.isEmpty())
            text = FormatTwoInts(s.Format, s.Value, s.Max);
        else if (s.ShowPercentage)
            text = QString::number(p) + QLatin1Char('%');
        else
            text = QString::number(s.Value);
        const int tw = c.TextWidth(text), th = c.TextHeight(text);
        if (horiz) {
            c.TextOut((Rt - L) / 2 + L - tw / 2, (B - T) / 2 + T - th / 2, text);
        } else {
            c.Font.SetOrientation(900);
            c.TextOut((Rt - L) / 2 + L - th / 2, (B - T) / 2 + T + tw / 2, text);
            c.Font.SetOrientation(0);
        }
    }
}

// ---- TFxProgressBar ----

TFxProgressBar::TFxProgressBar(QWidget* parent) : fw::TControl(parent)
{
    Font().SetName(QStringLiteral("Verdana"));
    Font().SetSize(10);
    FTimer.SetEnabled(false);
    FTimer.SetInterval(50);
    FTimer.OnTimer = [this](fw::TTimer*) { Sweep(); };
    SetBounds(Left(), Top(), 128, 18);
}

TFxProgressBar::~TFxProgressBar() { FTimer.SetEnabled(false); }

int TFxProgressBar::PercentOf(int value) const
{
    // Measured from Min, so that a range not starting at 0 still runs 0 .. 100.
    if (FMax == FMin)
        return 0;
    return int(RoundDiv((1LL * value - FMin) * 100, 1LL * FMax - FMin));
}

void TFxProgressBar::SetMin(int value)
{
    FMin = value;
    FStepSize = int((1LL * FMax - FMin) / 100);
    Invalidate();
}

void TFxProgressBar::SetMax(int value)
{
    FMax = value;
    FStepSize = int((1LL * FMax - FMin) / 100);
    Invalidate();
}

void TFxProgressBar::SetPosition(int value)
{
    // An out-of-range value is stored as the bound and drawn by the same rule.
    if (value < FMin)
        value = FMin;
    else if (value > FMax)
        value = FMax;
    if (value < FMin) // Min above Max: nothing fits
        return;
    ApplyPosition(value);
}

void TFxProgressBar::ApplyPosition(int value)
{
    FPosition = value;
    const int p = PercentOf(value);
    const bool paint = FStepSize == 0 || value % FStepSize == 0 || value / FStepSize != FLastBlock || p != FLastPercent;
    if (paint)
        Repaint();
    FLastPercent = p;
    if (FStepSize != 0)
        FLastBlock = value / FStepSize;
}

void TFxProgressBar::SetInfinite(bool v)
{
    if (v && !FInfinite)
        FInfinitePos = 0;
    FInfinite = v;
    UpdateTimer();
    Invalidate();
}

void TFxProgressBar::SetAnimated(bool v)
{
    FAnimated = v;
    UpdateTimer();
    Invalidate();
}

void TFxProgressBar::UpdateTimer() { FTimer.SetEnabled(FInfinite && FAnimated); }

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
    Repaint();
}

TGaugeSettings TFxProgressBar::Settings() const
{
    TGaugeSettings s;
    s.Level0Color = FLevel0Color;
    s.Level0ColorTo = FLevel0ColorTo;
    s.Level1Color = FLevel1Color;
    s.Level1ColorTo = FLevel1ColorTo;
    s.Level2Color = FLevel2Color;
    s.Level2ColorTo = FLevel2ColorTo;
    s.Level3Color = FLevel3Color;
    s.Level3ColorTo = FLevel3ColorTo;
    s.Level1Perc = FLevel1Perc;
    s.Level2Perc = FLevel2Perc;
    s.BorderColor = FBorderColor;
    s.Level0BkColor = FLevel0BkColor;
    s.Level1BkColor = FLevel1BkColor;
    s.Level2BkColor = FLevel2BkColor;
    s.ShowBorder = FShowBorder;
    s.Stacked = FStacked;
    s.ShowPercentage = FShowPercentage;
    s.ShowPosition = FShowPosition;
    s.Font = &Font();
    s.CompletionSmooth = FCompletionSmooth;
    s.ShowGradient = FShowGradient;
    s.Steps = FSteps;
    s.Position = PercentOf(FPosition);
    s.Value = FPosition;
    s.Max = FMax;
    s.BackgroundColor = FBackgroundColor;
    s.Orientation = FOrientation;
    s.Rounded = FRounded;
    s.Format = FFormat;
    s.Infinite = FInfinite;
    s.InfinitePos = FInfinitePos;
    return s;
}

void TFxProgressBar::Paint(TCanvas& Canvas)
{
    if (!parentWidget() || Width() <= 0 || Height() <= 0)
        return;
    QImage image(Width(), Height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        TCanvas c(p);
        DrawGauge(c, ClientRect(), Settings());
    }
    if (FRounded)
        Canvas.DrawTransparent(ClientRect(), image, fw::clFuchsia);
    else
        Canvas.Draw(0, 0, image);
}

} // namespace fx
