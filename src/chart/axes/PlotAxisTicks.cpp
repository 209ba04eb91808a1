// Ticks, value texts, sizes and drawing of TcPlotAxis.
#include "base/FlagScope.h"
#include "chart/axes/PlotAxis.h"
#include "chart/objects/MasterManager.h"

#include <QDate>
#include <cmath>

namespace chart
{

using namespace fw;

namespace
{
int TextW(TCanvas& c, const QString& s)
{
    return GetMaxLineWidth(c, s);
}
int TextH(TCanvas& c, const QString& s)
{
    return GetTextHeight(c, s);
}
bool Quarter(TcRotationAngle r)
{
    return r == ira090 || r == ira270;
}
bool Upright(TcRotationAngle r)
{
    return r == ira000 || r == ira180;
}
} // namespace

// Texts.

QString TcPlotAxis::FormatValueText(TcPlotTextFormat FormatStyle, const QString& DateTimeFormat,
                                    double& MinLength, bool MinLengthAutoAdjust, int Precision,
                                    TcPrecisionStyle PrecisionStyle, double Value)
{
    QString text = QStringLiteral("Unknown");
    try {
        switch (FormatStyle) {
        case iptfValue:
            if (FScaleType == ipstLinear) {
                text = FormatDecimals(Value, GetDecimalCount(Precision, PrecisionStyle, 0, FSpan)).trimmed();
            } else {
                if (!(Value > 0))
                    return QStringLiteral("Unknown");
                int n = FLabelsPrecisionStyle == ipsFixedDecimalPoints
                            ? FLabelsPrecision
                            : FLabelsPrecision - int(std::trunc(std::log10(Value))) - 1;
                text = FormatDecimals(Value, std::max(0, n)).trimmed();
            }
            break;
        case iptfExponent:
            if (PrecisionStyle == ipsSignificantDigits)
                text = FormatExponent(Value, std::max(0, Precision - 1)).trimmed();
            else if (PrecisionStyle == ipsFixedDecimalPoints)
                text = FormatExponent(Value, std::max(0, Precision)).trimmed();
            break;
        case iptfPrefix: {
            int n = 0;
            text = FormatPrefix(Value, Precision, PrecisionStyle, n);
            if (FSpan > 1e-10 && Value > -1e-12 && Value < 1e-12)
                text = n > 0 ? QStringLiteral("0.") + QString(std::min(n, MaxDecimals), QLatin1Char('0'))
                             : QStringLiteral("0.");
            break;
        }
        case iptfDateTime:
            if (!DateTimeFormat.isEmpty() && DateTimeFormat[0].toUpper() == QLatin1Char('J'))
                text = (QString::number((long long)std::trunc(Value)) + QLatin1Char(' ') +
                        FormatDateTime(DateTimeFormat.mid(1), Value).trimmed())
                           .trimmed();
            else
                text = FormatDateTime(DateTimeFormat, Value).trimmed();
            break;
        case iptfPrice32nds:
            text = FormatPrice32nds(Value);
            break;
        case iptfThousands: {
            const int n = GetDecimalCount(Precision, PrecisionStyle, 0, FSpan);
            text = FormatThousands(Value, n >= 1 ? n : 0).trimmed();
            break;
        }
        }
    } catch (...) {
        text = QStringLiteral("Error");
    }
    FCustomizeLabelEventModified = false;
    FCustomizeLabelEventText = text;
    if (FOwner) {
        TcPlotEvent e{TcPlotEventKind::AxisCustomizeLabel, this, KindIndex()};
        e.Values[0] = Value;
        e.Text = &text;
        FOwner->DoPlotEvent(e);
        if (FCustomizeLabelEventModified)
            text = FCustomizeLabelEventText;
    }
    if (MinLengthAutoAdjust && FAllowLabelMinAdjust && text.size() > MinLength)
        MinLength = text.size();
    return text;
}

QString TcPlotAxis::GetLabelText(double Value)
{
    return FormatValueText(FLabelsFormatStyle, FDateTimeFormat, FLabelsMinLength, FLabelsMinLengthAutoAdjust,
                           FLabelsPrecision, FLabelsPrecisionStyle, Value);
}

namespace
{
QString OneLine(QString s)
{
    s.replace(QLatin1String("\r\n"), QLatin1String(" "));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return s;
}
} // namespace

QString TcPlotAxis::GetCursorText(double Value)
{
    if (FCursorUseDefaultFormat)
        return OneLine(GetLabelText(Value));
    return OneLine(FormatValueText(FCursorFormatStyle, FCursorDateTimeFormat, FCursorMinLength, false,
                                   FCursorPrecision, FCursorPrecisionStyle, Value));
}

QString TcPlotAxis::GetLegendText(double Value)
{
    if (FLegendUseDefaultFormat)
        return OneLine(GetLabelText(Value));
    return OneLine(FormatValueText(FLegendFormatStyle, FLegendDateTimeFormat, FLegendMinLength, false,
                                   FLegendPrecision, FLegendPrecisionStyle, Value));
}

int TcPlotAxis::GetMaxLabelWidth(TCanvas& Canvas)
{
    Canvas.Font.Assign(FLabelsFont);
    int w = RoundInt(Canvas.TextWidth(QStringLiteral("0")) * FLabelsMinLength);
    QString representative;
    {
        FlagScope adjust(FAllowLabelMinAdjust);
        representative = GetLabelText(FSpan * (std::trunc(FMin / FSpan) + 1));
    }
    w = std::max(w, TextW(Canvas, representative));
    for (const auto& t : FTickList)
        w = std::max(w, TextW(Canvas, t.Text));
    return w;
}

int TcPlotAxis::TickListAdd(double Position, const QString& ALabel, TcPlotTickType Style)
{
    if (FScaleType == ipstLog10 && !(Position > 0))
        throw EChartError(QStringLiteral("Log Scale Requires Position to be Greater Than Zero"));
    TcPlotTickObject t;
    t.TickType = Style;
    t.Position = Position;
    t.Text = ALabel;
    FTickList.push_back(t);
    DoChange();
    return int(FTickList.size()) - 1;
}

void TcPlotAxis::TickListClear()
{
    FTickList.clear();
    DoChange();
}

// Scale rectangle and ticks.

void TcPlotAxis::CalcScaleRect(TCanvas& Canvas)
{
    if (IsCartesian())
        FQuadSide = IsHorz() ? 3 : 2;
    else if (IsHorz())
        FQuadSide = ReverseSide() ? 1 : 3;
    else
        FQuadSide = ReverseSide() ? 2 : 0;
    Canvas.Font.Assign(FLabelsFont);
    const TRect d0 = DrawRect();
    TRect scale = d0, focus = d0;
    if (IsHorz()) {
        focus.Top = d0.Top + 2;
        focus.Bottom = d0.Bottom - 2;
        const int b = Canvas.TextWidth(QStringLiteral("0"));
        int c = 0;
        if (FLabelsVisible)
            c = Quarter(FLabelsRotation) ? TextH(Canvas, GetLabelText(FMin)) : GetMaxLabelWidth(Canvas);
        const int d = IsCartesian() ? 0 : RoundInt(c / 2.0) + RoundInt(b * FStackingEndsMargin);
        scale.Left = d0.Left + (StartStacked() ? d : 0);
        scale.Right = d0.Right - (StopStacked() ? d : 0);
        focus.Left = scale.Left - d;
        focus.Right = scale.Right + d;
    } else {
        focus.Left = d0.Left + 2;
        focus.Right = d0.Right - 2;
        const int b = TextH(Canvas, QStringLiteral("0"));
        int c = 0;
        if (FLabelsVisible)
            c = Quarter(FLabelsRotation) ? GetMaxLabelWidth(Canvas) : TextH(Canvas, GetLabelText(FMin));
        const int d = IsCartesian() ? 0 : (c + RoundInt(b * FStackingEndsMargin)) / 2;
        scale.Bottom = d0.Bottom - (StartStacked() ? d : 0);
        scale.Top = d0.Top + (StopStacked() ? d : 0);
        focus.Bottom = scale.Bottom + d;
        focus.Top = scale.Top - d;
    }
    FScaleRect = scale;
    FFocusRect = focus;
}

void TcPlotAxis::AddTick(TcPlotTickType Type, double Value)
{
    if (!PointOnScale(Value) || (FScaleType == ipstLog10 && !(Value > 0)))
        return;
    TcPlotTickObject t;
    t.TickType = Type;
    t.Position = Value;
    if (Type == ipttMajor)
        t.Text = GetLabelText(Value);
    FTickList.push_back(t);
}

void TcPlotAxis::CalcValueIncrement(int c, double& increment, int& k) const
{
    int e = int(std::trunc(std::log10(FSpan) - 1 - std::log10(double(c))));
    for (int guard = 0; guard < 700; ++guard, ++e) {
        for (int m : {1, 2, 5}) {
            const double step = m * std::pow(10.0, e);
            if (c >= FSpan / step) {
                increment = step;
                k = RoundInt(FSpan / increment);
                return;
            }
        }
    }
    increment = FSpan;
    k = 1;
}

void TcPlotAxis::CalcPrice32ndsIncrement(int c, double& increment, int& k) const
{
    for (double step : {1.0 / 256, 1.0 / 128, 1.0 / 64, 1.0 / 32, 1.0 / 16, 1.0 / 8, 1.0 / 4, 1.0 / 2})
        if (c >= FSpan / step) {
            increment = step;
            k = int(std::trunc(FSpan / step));
            return;
        }
    for (int i = 0; i < 300; ++i) {
        const double o = std::trunc(std::pow(10.0, i));
        for (double step : {o, 2 * o, 5 * o})
            if (c >= FSpan / step) {
                increment = step;
                k = int(std::trunc(FSpan / step));
                return;
            }
    }
    increment = FSpan;
    k = 1;
}

void TcPlotAxis::CalcDateTimeIncrement(int c, double& increment, int& k)
{
    const int a = c - 1;
    const double day = 1.0;
    struct Level {
        int count;
        std::initializer_list<int> steps;
        double unitDays;
    };
    const Level levels[] = {
        {SpanToMilliseconds(FSpan), {1, 2, 5, 10, 20, 50, 100, 200, 500}, day / 86400000},
        {SpanToSeconds(FSpan), {1, 2, 5, 10, 15, 20, 30}, day / 86400},
        {SpanToMinutes(FSpan), {1, 2, 5, 10, 15, 20, 30}, day / 1440},
        {SpanToHours(FSpan), {1, 2, 4, 6, 12}, day / 24},
        {int(std::min(std::trunc(FSpan), 2147483647.0)), {1, 7, 14}, day},
    };
    for (const Level& l : levels)
        for (int step : l.steps)
            if (a >= l.count / step) {
                increment = step * l.unitDays;
                k = std::max(1, l.count / step);
                return;
            }
    const int days = int(std::min(std::trunc(FSpan), 2147483647.0));
    const std::pair<int, int> months[] = {{31, 1}, {61, 2}, {92, 3}, {183, 6}};
    for (auto [len, n] : months)
        if (a >= days / len) {
            increment = n;
            k = std::max(1, days / len);
            FMonthModeEnabled = true;
            return;
        }
    for (int i = 0; i < 9; ++i) {
        const int o = int(std::trunc(std::pow(10.0, i)));
        for (auto [len, n] :
             {std::pair<long long, int>{365LL * o, o}, {730LL * o, 2 * o}, {1825LL * o, 5 * o}})
            if (a >= days / len) {
                increment = n;
                k = int(std::max<long long>(1, days / len));
                FYearModeEnabled = true;
                return;
            }
    }
    increment = FSpan;
    k = 1;
}

void TcPlotAxis::CalcLogTicks(int c)
{
    const double base = FMin > 0 ? FMin : 1;
    const double d = std::log10(Max()) - std::log10(FMin);
    int step = 200;
    double exponent;
    if (c >= d) {
        step = 1;
        exponent = std::trunc(std::log10(FMin)) - 1;
    } else {
        for (int s : {1, 2, 5, 10, 20, 50, 100})
            if (c >= d / s) {
                step = s;
                break;
            }
        exponent = std::trunc(std::log10(base));
    }
    for (int guard = 0; base + FSpan >= std::pow(10.0, exponent) && guard < 5000; ++guard) {
        const double major = std::pow(10.0, exponent);
        AddTick(ipttMajor, major);
        if (step == 1)
            for (int m = 2; m <= 9; ++m)
                AddTick(ipttMinor, m * major);
        exponent += step;
    }
}

int TcPlotAxis::TickCountForLabels(TCanvas& Canvas, int length)
{
    const bool horz = IsHorz();
    double g = 0;
    if ((horz && Quarter(FLabelsRotation)) || (!horz && Upright(FLabelsRotation)))
        g = RoundInt(TextH(Canvas, QStringLiteral("0")) * (FLabelSeparation + 1));
    else if ((horz && Upright(FLabelsRotation)) || (!horz && Quarter(FLabelsRotation)))
        g = RoundInt(Canvas.TextWidth(QStringLiteral("0")) * (FLabelSeparation + 1) +
                     GetMaxLabelWidth(Canvas));
    if (g < 1)
        g = 1;
    return std::max(1, int(std::trunc(length / g)));
}

double TcPlotAxis::ChooseMajorIncrement(int c, int length)
{
    FMajorIncrement = 0;
    double increment = 0;
    int k = 0;
    if (FSpan <= 1e-299) {
        k = 1;
        increment = FSpan;
    }
    if (k == 0 && FDesiredIncrement != 0 && !FLabelsVisible &&
        FSpan / FDesiredIncrement < double(length) / (FMinorCount + 1)) {
        k = RoundInt(FSpan / FDesiredIncrement);
        increment = FDesiredIncrement;
        c = k;
    }
    if (k == 0 && FDesiredIncrement != 0 && c > FSpan / FDesiredIncrement) {
        k = RoundInt(FSpan / FDesiredIncrement);
        increment = FDesiredIncrement;
        c = k;
    }
    c = std::max(1, c);
    if (k == 0) {
        if (FLabelsFormatStyle == iptfDateTime)
            CalcDateTimeIncrement(c, increment, k);
        else if (FLabelsFormatStyle == iptfPrice32nds)
            CalcPrice32ndsIncrement(c, increment, k);
        else
            CalcValueIncrement(c, increment, k);
    }
    if (k < 2 && c > 1) {
        increment /= 2;
        k = 2;
    }
    if (c < k) {
        k = c;
        increment = FSpan / c;
    }
    FMajorIncrement = increment;
    FMinorIncrement = increment / (FMinorCount + 1);
    return increment;
}

double TcPlotAxis::FirstTickPosition(double& increment)
{
    const bool months = FMonthModeEnabled, years = FYearModeEnabled;
    if (FDesiredStart != 0 && FMin <= FDesiredStart && FDesiredStart <= Max()) {
        double p = FDesiredStart;
        while (p > FMin)
            p -= increment;
        return p;
    }
    if (!months && !years)
        return std::trunc(FMin / increment) * increment - increment;
    FMin = std::clamp(FMin, years ? -182625.0 : 0.0, 2593224.0);
    FSpan = std::min(FSpan, 36525.0);
    if (increment < 1)
        increment = FMajorIncrement = 1;
    const int step = RoundInt(increment);
    const double timeOfDay = FMin - std::floor(FMin);
    QDate date = QDate(1899, 12, 30).addDays(qint64(std::floor(FMin)));
    if (months) {
        int t = date.month() / step * step;
        date = QDate(date.year(), std::max(1, t), 1).addMonths(-step);
    } else {
        int y = date.year();
        if (step != 0)
            y = y / step * step;
        date = QDate(y, 1, 1).addYears(-step);
    }
    return QDate(1899, 12, 30).daysTo(date) + timeOfDay;
}

void TcPlotAxis::AddTicksFrom(double p, double increment)
{
    const bool months = FMonthModeEnabled, years = FYearModeEnabled;
    while (p <= Max() + increment) {
        AddTick(ipttMajor, p);
        if (FMinorCount >= 1 && !months && !years && FMinorIncrement != 0) {
            for (int i = 0; i < FMinorCount; ++i) {
                p += FMinorIncrement;
                AddTick(ipttMinor, p);
            }
            p += FMinorIncrement;
        } else {
            const double before = p;
            if (months || years) {
                const double timeOfDay = p - std::floor(p);
                QDate date = QDate(1899, 12, 30).addDays(qint64(std::floor(p)));
                date = months ? date.addMonths(RoundInt(increment)) : date.addYears(RoundInt(increment));
                p = QDate(1899, 12, 30).daysTo(date) + timeOfDay;
            } else {
                p += increment;
            }
            if (p == before)
                break;
        }
        if (FTickList.size() > 5000 || p + FMinorIncrement == p) {
            FTickList.clear();
            AddTick(ipttMajor, FMin + FSpan / 2);
            break;
        }
    }
}

void TcPlotAxis::CalcTicks(TCanvas& Canvas)
{
    FMonthModeEnabled = FYearModeEnabled = false;
    CalcScaleRect(Canvas);
    struct Finish {
        TcPlotAxis* a;
        ~Finish()
        {
            for (auto& t : a->FTickList) {
                t.Show = a->PointOnScale(t.Position);
                if (t.Show)
                    t.PositionPixels = a->PositionToPixels(t.Position);
            }
        }
    } finish{this};
    if (FTickListCustom)
        return;
    FTickList.clear();
    Canvas.Font.Assign(FLabelsFont);
    const int length = IsHorz() ? FScaleRect.Width() : FScaleRect.Height();
    const int c = TickCountForLabels(Canvas, length);
    if (FScaleType == ipstLog10 && std::log10(Max()) - std::log10(FMin) > 1) {
        CalcLogTicks(c);
        return;
    }
    double increment = ChooseMajorIncrement(c, length);
    const double first = FirstTickPosition(increment);
    AddTicksFrom(first, increment);
}

// Size.

int TcPlotAxis::LabelExtentAcross(TCanvas& Canvas)
{
    if (IsVert())
        return Quarter(FLabelsRotation)   ? TextH(Canvas, GetLabelText(FMin))
               : Upright(FLabelsRotation) ? GetMaxLabelWidth(Canvas)
                                          : 0;
    return Quarter(FLabelsRotation)   ? GetMaxLabelWidth(Canvas)
           : Upright(FLabelsRotation) ? TextH(Canvas, GetLabelText(FMin))
                                      : 0;
}

int TcPlotAxis::GetRequiredSize(TCanvas& Canvas)
{
    int t = 0;
    if (FTitleShow && !IsCartesian()) {
        Canvas.Font.Assign(FTitleFont);
        const int h = TextH(Canvas, FTitle);
        const int a = FTitleRotated ? TextW(Canvas, FTitle) : h;
        t = RoundInt(h * FTitleMargin + a);
    }
    const int ticks = FScaleLinesShow ? std::max(FMinorLength, std::max(0, FMajorLength)) : 0;
    int m = 0, x = 0;
    if (FLabelsVisible) {
        Canvas.Font.Assign(FLabelsFont);
        m = RoundInt(TextH(Canvas, QStringLiteral("A")) * FLabelsMargin);
        x = LabelExtentAcross(Canvas);
    }
    FTitleOffset = ticks + FInnerMargin + m + x;
    FRequiredWidth = FInnerMargin + FOuterMargin + ticks + m + x + t;
    return FRequiredWidth;
}

int TcPlotAxis::GetRequiredEndMargin(TCanvas& Canvas)
{
    if (!FLabelsVisible)
        return 0;
    Canvas.Font.Assign(FLabelsFont);
    int v = 0;
    if (IsVert())
        v = Quarter(FLabelsRotation)   ? GetMaxLabelWidth(Canvas)
            : Upright(FLabelsRotation) ? TextH(Canvas, QStringLiteral("XYZ"))
                                       : 0;
    else
        v = Quarter(FLabelsRotation)   ? TextH(Canvas, QStringLiteral("XYZ"))
            : Upright(FLabelsRotation) ? GetMaxLabelWidth(Canvas)
                                       : 0;
    return v / 2;
}

// Drawing.

void TcPlotAxis::DrawMark(TCanvas& Canvas, int pixel, int r1, int r2)
{
    const TRect d = DrawRect();
    TRect mark;
    switch (FQuadSide) {
    case 0:
        Canvas.MoveTo(d.Right - r1, pixel);
        Canvas.LineTo(d.Right - r2, pixel);
        mark = RectFromCorners(d.Right - r1, pixel, d.Right - r2, pixel + 1);
        break;
    case 1:
        Canvas.MoveTo(pixel, d.Bottom - r1);
        Canvas.LineTo(pixel, d.Bottom - r2);
        mark = RectFromCorners(pixel, d.Bottom - r1, pixel + 1, d.Bottom - r2);
        break;
    case 2:
        Canvas.MoveTo(d.Left + r1, pixel);
        Canvas.LineTo(d.Left + r2, pixel);
        mark = RectFromCorners(d.Left + r1, pixel, d.Left + r2, pixel + 1);
        break;
    default:
        Canvas.MoveTo(pixel, d.Top + r1);
        Canvas.LineTo(pixel, d.Top + r2);
        mark = RectFromCorners(pixel, d.Top + r1, pixel + 1, d.Top + r2);
        break;
    }
    // A mark across a cartesian axis line takes its place among the occupied rectangles.
    if (IsCartesian() && FOwner)
        FOwner->AxesCollisionAdd(mark);
}

void TcPlotAxis::DrawTickLabel(TCanvas& Canvas, const TcPlotTickObject& Tick)
{
    Canvas.Brush.Style = bsClear;
    Canvas.Font.Assign(FLabelsFont);
    const int m = RoundInt(TextH(Canvas, QStringLiteral("A")) * FLabelsMargin);
    int r;
    if (IsCartesian())
        r = m + (FMajorLength + 1) / 2;
    else
        r = FScaleLinesShow ? FInnerMargin + FMajorLength + m : FInnerMargin + m;
    int h = TextH(Canvas, Tick.Text), w = TextW(Canvas, Tick.Text);
    if (Quarter(FLabelsRotation))
        std::swap(h, w);
    const int P = Tick.PositionPixels;
    const TRect d = DrawRect();
    TRect box;
    switch (FQuadSide) {
    case 0:
        box = {d.Right - r - w, P - h / 2, d.Right - r, P + h / 2};
        break;
    case 1:
        box = {P - w / 2, d.Bottom - r - h, P + w / 2, d.Bottom - r};
        break;
    case 2:
        box = {d.Left + r, P - h / 2, d.Left + r + w, P + h / 2};
        break;
    default:
        box = {P - w / 2, d.Top + r, P + w / 2, d.Top + r + h};
        break;
    }
    // A cartesian axis runs through the plotting area: its label is drawn only where it is free.
    if (IsCartesian() && FOwner && !FOwner->AxesCollisionTestAdd(box))
        return;
    TRect drawn;
    DrawRotatedText(Canvas, Tick.Text, box, FLabelsRotation, iahCenter, true, clBlack, drawn);
}

void TcPlotAxis::DrawTitle(TCanvas& Canvas)
{
    if (!FTitleShow || FTitle.trimmed().isEmpty())
        return;
    Canvas.Font.Assign(FTitleFont);
    Canvas.Brush.Style = bsClear;
    int a = TextH(Canvas, FTitle), b = TextW(Canvas, FTitle);
    if (FTitleRotated)
        std::swap(a, b);
    const int cy = (FScaleRect.Top + FScaleRect.Bottom) / 2;
    TRect box;
    TcRotationAngle rotation;
    switch (FQuadSide) {
    case 1:
        box = {FScaleRect.Left, FScaleRect.Top + FOuterMargin, FScaleRect.Right,
               FScaleRect.Top + FOuterMargin + a};
        rotation = FTitleRotated ? ira090 : ira000;
        break;
    case 3:
        box = {FScaleRect.Left, FScaleRect.Bottom - FOuterMargin - a, FScaleRect.Right,
               FScaleRect.Bottom - FOuterMargin};
        rotation = FTitleRotated ? ira090 : ira000;
        break;
    case 0:
        box = {FScaleRect.Left + FOuterMargin, cy - b / 2, FScaleRect.Left + FOuterMargin + a, cy + b / 2};
        rotation = FTitleRotated ? ira000 : ira090;
        break;
    default:
        box = {FScaleRect.Right - FOuterMargin - a, cy - b / 2, FScaleRect.Right - FOuterMargin, cy + b / 2};
        rotation = FTitleRotated ? ira000 : ira090;
        break;
    }
    TRect drawn;
    DrawRotatedText(Canvas, FTitle, box, rotation, iahCenter, true, clBlack, drawn);
}

void TcPlotAxis::Draw(TCanvas& Canvas, TColor)
{
    if (!Visible())
        return;
    for (auto& t : FTickList) {
        t.Show = PointOnScale(t.Position);
        if (!t.Show)
            continue;
        t.PositionPixels = PositionToPixels(t.Position);
        if (t.TickType == ipttMajor && FLabelsVisible)
            DrawTickLabel(Canvas, t);
    }
    if (FScaleLinesShow) {
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Style = psSolid;
        Canvas.Pen.Width = 1;
        Canvas.Pen.Color = FScaleLinesColor;
        if (FScaleLineShow) {
            const int m = IsCartesian() ? 0 : FInnerMargin;
            const TRect& s = FScaleRect;
            switch (FQuadSide) {
            case 0:
                Canvas.MoveTo(s.Right - m, s.Top);
                Canvas.LineTo(s.Right - m, s.Bottom + 1);
                break;
            case 2:
                Canvas.MoveTo(s.Left + m, s.Top);
                Canvas.LineTo(s.Left + m, s.Bottom + 1);
                break;
            case 1:
                Canvas.MoveTo(s.Left, s.Bottom - m);
                Canvas.LineTo(s.Right + 1, s.Bottom - m);
                break;
            default:
                Canvas.MoveTo(s.Left, s.Top + m);
                Canvas.LineTo(s.Right + 1, s.Top + m);
                break;
            }
        }
        for (const auto& t : FTickList) {
            if (!t.Show)
                continue;
            const int len = t.TickType == ipttMajor ? FMajorLength : FMinorLength;
            if (IsCartesian()) {
                const int h = t.TickType == ipttMajor ? (FMajorLength + 1) / 2 : FMinorLength;
                DrawMark(Canvas, t.PositionPixels, -h - 1, h);
            } else {
                DrawMark(Canvas, t.PositionPixels, FInnerMargin, FInnerMargin + len);
            }
        }
    }
    if (IsCartesian()) {
        const int start = (IsHorz() ? DrawRect().Top : DrawRect().Left) - (FMajorLength + 1) / 2 - 5;
        if (IsHorz()) {
            FFocusRect.Top = start;
            FFocusRect.Bottom = start + FRequiredWidth;
        } else {
            FFocusRect.Left = start;
            FFocusRect.Right = start + FRequiredWidth;
        }
    } else {
        DrawTitle(Canvas);
    }
    if (UserSelected()) {
        Canvas.Font.SetColor(clWhite);
        TRect r = FFocusRect;
        r.Right += 1;
        r.Bottom += 1;
        DrawFocusRectangle(Canvas, r);
    }
}

void TcPlotAxis::DrawGridLines(TCanvas& Canvas, const TRect& r, int MinorWidth, int MajorWidth,
                               TColor MinorColor, TColor MajorColor, TcPlotGridLineStyle MinorStyle,
                               TcPlotGridLineStyle MajorStyle, bool ShowMinors, bool ShowMajors)
{
    if (!FGridLinesVisible)
        return;
    auto style = [](TcPlotGridLineStyle s) {
        return s == ipglsDash ? psDash : s == ipglsDot ? psDot : psSolid;
    };
    for (const auto& t : FTickList) {
        if (!t.Show)
            continue;
        const bool major = t.TickType == ipttMajor;
        if (major ? !ShowMajors : !ShowMinors)
            continue;
        Canvas.Pen.Style = style(major ? MajorStyle : MinorStyle);
        Canvas.Pen.Width = major ? MajorWidth : MinorWidth;
        Canvas.Pen.Color = major ? MajorColor : MinorColor;
        if (IsHorz()) {
            Canvas.MoveTo(t.PositionPixels, r.Top);
            Canvas.LineTo(t.PositionPixels, r.Bottom);
        } else {
            Canvas.MoveTo(r.Left, t.PositionPixels);
            Canvas.LineTo(r.Right, t.PositionPixels);
        }
    }
}

} // namespace chart
