#include "chart/core/ChartFormat.h"

#include "base/ValueScales.h"
#include "chart/core/ChartMath.h"

#include <QDate>
#include <QLocale>
#include <climits>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace chart
{

namespace
{

// Width and height as the codes are defined: in inches, or in millimetres where Mm is set.
struct Paper {
    double W, H;
    bool Mm;
};
constexpr Paper kPapers[] = {
    {8.5, 11, false},      // 1 letter
    {8.5, 11, false},      // 2 letter small
    {11, 17, false},       // 3 tabloid
    {17, 11, false},       // 4 ledger
    {8.5, 14, false},      // 5 legal
    {5.5, 8.5, false},     // 6 statement
    {7.25, 10.5, false},   // 7 executive
    {297, 420, true},      // 8 A3
    {210, 297, true},      // 9 A4
    {210, 297, true},      // 10 A4 small
    {148, 210, true},      // 11 A5
    {250, 354, true},      // 12 B4
    {182, 257, true},      // 13 B5
    {8.5, 13, false},      // 14 folio
    {215, 275, true},      // 15 quarto
    {10, 14, false},       // 16 10 x 14
    {11, 17, false},       // 17 11 x 17
    {8.5, 11, false},      // 18 note
    {3.875, 8.875, false}, // 19 envelope #9
    {4.125, 9.5, false},   // 20 envelope #10
    {4.5, 10.375, false},  // 21 envelope #11
    {4.75, 11, false},     // 22 envelope #12
    {5, 11.5, false},      // 23 envelope #14
    {17, 22, false},       // 24 C sheet
    {22, 34, false},       // 25 D sheet
    {34, 44, false},       // 26 E sheet
    {110, 220, true},      // 27 envelope DL
    {162, 229, true},      // 28 envelope C5
    {324, 458, true},      // 29 envelope C3
    {229, 324, true},      // 30 envelope C4
    {114, 162, true},      // 31 envelope C6
    {114, 229, true},      // 32 envelope C65
    {250, 353, true},      // 33 envelope B4
    {176, 250, true},      // 34 envelope B5
    {176, 125, true},      // 35 envelope B6
    {110, 230, true},      // 36 envelope 110 x 230
    {3.875, 7.5, false},   // 37 envelope monarch
    {3.625, 6.5, false},   // 38 6 3/4 envelope
    {14.875, 11, false},   // 39 US standard fanfold
    {8.5, 12, false},      // 40 German standard fanfold
    {8.5, 13, false},      // 41 German legal fanfold
    {250, 353, true},      // 42 B4 (ISO)
    {100, 148, true},      // 43 Japanese postcard
    {9, 11, false},        // 44 9 x 11
    {10, 11, false},       // 45 10 x 11
    {15, 11, false},       // 46 15 x 11
    {220, 220, true},      // 47 envelope invite
    {8.5, 11, false},      // 48 reserved
    {8.5, 11, false},      // 49 reserved
    {9.5, 12, false},      // 50 letter extra
    {9.5, 15, false},      // 51 legal extra
    {11.69, 18, false},    // 52 tabloid extra
    {9.27, 12.69, false},  // 53 A4 extra
    {8.5, 11, false},      // 54 letter transverse
    {210, 297, true},      // 55 A4 transverse
    {9.5, 12, false},      // 56 letter extra transverse
    {227, 356, true},      // 57 super A
    {305, 487, true},      // 58 super B
    {8.5, 12.69, false},   // 59 letter plus
    {210, 330, true},      // 60 A4 plus
    {148, 210, true},      // 61 A5 transverse
    {182, 257, true},      // 62 B5 transverse
    {322, 445, true},      // 63 A3 extra
    {174, 235, true},      // 64 A5 extra
    {201, 276, true},      // 65 B5 (ISO) extra
    {420, 594, true},      // 66 A2
    {297, 420, true},      // 67 A3 transverse
    {322, 445, true},      // 68 A3 extra transverse
};
static_assert(std::size(kPapers) == 68);

} // namespace

TcPaperSize GetPaperSizeInInches(std::uint16_t PaperCode)
{
    if (PaperCode < 1 || PaperCode > 68)
        return {8.5, 11};
    const Paper& p = kPapers[PaperCode - 1];
    return p.Mm ? TcPaperSize{MillimetersToInches(p.W), MillimetersToInches(p.H)} : TcPaperSize{p.W, p.H};
}

int GetDecimalCount(int Precision, int Style, double A, double B)
{
    if (Style == ipsFixedDecimalPoints)
        return Precision;
    if (Style != ipsSignificantDigits || Precision <= 0)
        return 0;
    const double w = std::fabs(B - A);
    int d = 0;
    if (w != 0 && std::isfinite(w))
        d = Precision - (int(std::trunc(std::log10(w))) + 1);
    if (w < 1)
        d += 1;
    return std::max(0, d);
}

namespace
{
struct DecodedSpan {
    long long days = 0;
    long long h = 0, m = 0, s = 0, ms = 0;
};
DecodedSpan Decode(double span)
{
    DecodedSpan d;
    d.days = (long long)std::trunc(span + 1e-15);
    const long long t = (long long)std::llround(std::fabs(span - std::trunc(span)) * 86400000.0) % 86400000;
    d.h = t / 3600000;
    d.m = t / 60000 % 60;
    d.s = t / 1000 % 60;
    d.ms = t % 1000;
    return d;
}
int Clamp32(long long v, int whenNegative)
{
    if (v < 0)
        return whenNegative;
    return v > INT_MAX ? INT_MAX : int(v);
}
} // namespace

int SpanToMilliseconds(double Span)
{
    if (!std::isfinite(Span) || std::fabs(Span) > 1e12)
        return Span < 0 ? INT_MAX : INT_MAX;
    const DecodedSpan d = Decode(Span);
    return Clamp32(d.days * 86400000LL + d.h * 3600000 + d.m * 60000 + d.s * 1000 + d.ms, INT_MAX);
}
int SpanToSeconds(double Span)
{
    if (!std::isfinite(Span) || std::fabs(Span) > 1e12)
        return INT_MAX;
    const DecodedSpan d = Decode(Span);
    return Clamp32(d.days * 86400LL + d.h * 3600 + d.m * 60 + d.s, INT_MAX);
}
int SpanToMinutes(double Span)
{
    if (!std::isfinite(Span) || std::fabs(Span) > 1e12)
        return Span < 0 ? 10000 : INT_MAX;
    const DecodedSpan d = Decode(Span);
    return Clamp32(d.days * 1440LL + d.h * 60 + d.m, 10000);
}
int SpanToHours(double Span)
{
    if (!std::isfinite(Span) || std::fabs(Span) > 1e12)
        return INT_MAX;
    const DecodedSpan d = Decode(Span);
    return Clamp32(d.days * 24LL + d.h, INT_MAX);
}

QString FormatDecimals(double value, int decimals)
{
    QString s = QString::fromStdString(FormatFixed(value, std::clamp(decimals, 0, MaxDecimals)));
    if (s == QLatin1String("-0") ||
        (s.startsWith(QLatin1String("-0.")) && s.count(QLatin1Char('0')) == s.size() - 2))
        s.remove(0, 1); // no "-0.00" for a value that rounds to zero
    return s;
}

QString FormatExponent(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, MaxDecimals);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", decimals, value);
    QString s = QString::fromLatin1(buf);
    const int e = s.indexOf(QLatin1Char('E'));
    if (e < 0)
        return s;
    const QChar sign = s[e + 1];
    QString digits = s.mid(e + 2);
    while (digits.size() < 3)
        digits.prepend(QLatin1Char('0'));
    return s.left(e + 1) + sign + digits;
}

QString FormatThousands(double value, int decimals)
{
    QString s = FormatDecimals(value, decimals);
    const bool negative = s.startsWith(QLatin1Char('-'));
    if (negative)
        s.remove(0, 1);
    int dot = s.indexOf(QLatin1Char('.'));
    if (dot < 0)
        dot = s.size();
    for (int i = dot - 3; i > 0; i -= 3)
        s.insert(i, QLatin1Char(','));
    return negative ? QLatin1Char('-') + s : s;
}

QString FormatPrefix(double value, int Precision, int PrecisionStyle, int& decimals)
{
    static const char* const prefixes[] = {"y", "z", "a", "f", "p", "n", "\u00b5", "m", "",
                                           "K", "M", "G", "T", "P", "E", "Z",      "Y"};
    int e = 0;
    if (value != 0 && std::isfinite(value))
        e = int(std::trunc(std::trunc(std::log10(std::fabs(value)) / 3) * 3));
    const double v = value / std::pow(10.0, e);
    decimals = GetDecimalCount(Precision, PrecisionStyle, 0, v);
    if (e < -24 || e > 24)
        return QStringLiteral("Unknown");
    return FormatDecimals(v, decimals).trimmed() + QString::fromUtf8(prefixes[(e + 24) / 3]);
}

QString FormatPrice32nds(double value)
{
    if (value < 0)
        return QLatin1Char('-') + FormatPrice32nds(-value);
    const double shifted = value + 1.0 / 512;
    const double whole = std::trunc(shifted);
    const long long k = RoundHalfEven((shifted - whole) * 1024);
    QString s = FormatDecimals(whole, 0) + QLatin1Char('.');
    s += QString::number(k / 32).rightJustified(2, QLatin1Char('0'));
    s += QString::number((k % 32) / 4);
    return s;
}

QString FormatDateTime(const QString& format, double value)
{
    const long long t = (long long)std::llround(std::fabs(value - std::trunc(value)) * 86400000.0) % 86400000;
    const QDate date = QDate(1899, 12, 30).addDays(qint64(std::trunc(value)));
    const int h = int(t / 3600000), n = int(t / 60000 % 60), s = int(t / 1000 % 60), z = int(t % 1000);
    QString out;
    bool lastWasHour = false;
    const int len = format.size();
    auto run = [&](int i, QChar c) {
        int j = i;
        while (j < len && format[j].toLower() == c)
            ++j;
        return j - i;
    };
    for (int i = 0; i < len;) {
        const QChar c = format[i].toLower();
        if (format[i] == QLatin1Char('"') || format[i] == QLatin1Char('\'')) {
            const int end = format.indexOf(format[i], i + 1);
            out += format.mid(i + 1, (end < 0 ? len : end) - i - 1);
            i = end < 0 ? len : end + 1;
            continue;
        }
        const int k = run(i, c);
        auto two = [](int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
        if (c == QLatin1Char('y')) {
            out += k <= 2 ? two(date.year() % 100)
                          : QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
        } else if (c == QLatin1Char('m')) {
            if (lastWasHour)
                out += k >= 2 ? two(n) : QString::number(n);
            else if (k >= 4)
                out += QLocale::c().monthName(date.month());
            else if (k == 3)
                out += QLocale::c().monthName(date.month(), QLocale::ShortFormat);
            else
                out += k == 2 ? two(date.month()) : QString::number(date.month());
        } else if (c == QLatin1Char('d')) {
            out += k >= 2 ? two(date.day()) : QString::number(date.day());
        } else if (c == QLatin1Char('h')) {
            out += k >= 2 ? two(h) : QString::number(h);
        } else if (c == QLatin1Char('n')) {
            out += k >= 2 ? two(n) : QString::number(n);
        } else if (c == QLatin1Char('s')) {
            out += k >= 2 ? two(s) : QString::number(s);
        } else if (c == QLatin1Char('z')) {
            out += k >= 3 ? QString::number(z).rightJustified(3, QLatin1Char('0')) : QString::number(z);
        } else {
            out += format.mid(i, k);
        }
        if (c == QLatin1Char('h'))
            lastWasHour = true;
        else if (c.isLetter())
            lastWasHour = false;
        i += k;
    }
    return out;
}

bool TextLineIterator::Next(QString& line)
{
    if (FPos >= FText.size())
        return false;
    int end = FPos;
    while (end < FText.size() && FText[end] != QLatin1Char('\r') && FText[end] != QLatin1Char('\n'))
        ++end;
    line = FText.mid(FPos, end - FPos);
    FPos = end;
    if (FPos < FText.size() && FText[FPos] == QLatin1Char('\r'))
        ++FPos;
    if (FPos < FText.size() && FText[FPos] == QLatin1Char('\n'))
        ++FPos;
    return true;
}

QStringList TextLines(const QString& text)
{
    QStringList out;
    TextLineIterator it(text);
    QString line;
    while (it.Next(line))
        out << line;
    return out;
}

} // namespace chart
