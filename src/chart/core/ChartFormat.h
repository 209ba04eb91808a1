// Number, span and text-line helpers shared by the chart's axes, legend and files. Our own
// formatter, independent of the C locale: the decimal mark is always "."; "%e" has the
// framework's look (a sign and at least three exponent digits: 1.50E+003). Pure functions, any thread.
#pragma once

#include "base/Rounding.h"

#include <QString>
#include <QStringList>
#include <climits>
#include <cmath>
#include <cstdint>

namespace chart
{

enum TcPrecisionStyle : std::uint8_t { ipsSignificantDigits, ipsFixedDecimalPoints };

// Round to nearest, halves to even (the library's Round), saturated.
using ::RoundHalfEven;
using ::RoundInt;

// Decimals of a value text for a precision over the width |B - A|.
int GetDecimalCount(int Precision, int Style, double A, double B);
// The largest count of decimals any value text gets (tiny spans would otherwise ask for hundreds).
constexpr int MaxDecimals = 20;

// Whole units in a span of days, computed in 64 bits: a negative count or one beyond 2^31 - 1
// gives 2147483647; SpanToMinutes gives 10000 for a negative count.
int SpanToMilliseconds(double Span);
int SpanToSeconds(double Span);
int SpanToMinutes(double Span);
int SpanToHours(double Span);

// Paper sizes of the printer device-mode paper codes 1 .. 68; code 0, the reserved codes 48 and
// 49 and every code above 68 give letter (8.5 x 11).
struct TcPaperSize {
    double Width = 0;
    double Height = 0;
};
inline double MillimetersToInches(double mm)
{
    return mm / 10 / 2.54;
}
TcPaperSize GetPaperSizeInInches(std::uint16_t PaperCode);

// "%.nf" in the C locale (n clamped to 0 .. MaxDecimals), without the minus of a value that rounds to
// zero.
QString FormatDecimals(double value, int decimals);
// "%.ne" in the framework's look: d.dddE+ddd.
QString FormatExponent(double value, int decimals);
// FormatFloat with "#,#0" and n decimals: thousands grouped with ",".
QString FormatThousands(double value, int decimals);
// The value and its SI prefix: "1.50K"; "Unknown" beyond 1e24 or 1e-24.
QString FormatPrefix(double value, int Precision, int PrecisionStyle, int& decimals);
// Price in 32nds: integer part, ".", 32nds (two digits) and eighths of a 32nd (one digit);
// negative values are formatted as their magnitude with a leading "-".
QString FormatPrice32nds(double value);
// The framework's date-time formatting of days since 30 December 1899 (y, m, d, h, n, s, z
// tokens, quoted literals; "m" right after an hour token means minutes).
QString FormatDateTime(const QString& format, double value);

// Lines of a text split at CR, LF or CR LF (LF CR is two breaks); no empty last line.
class TextLineIterator
{
  public:
    explicit TextLineIterator(const QString& text) : FText(text) {}
    bool Next(QString& line);

  private:
    QString FText;
    int FPos = 0;
};
QStringList TextLines(const QString& text);

} // namespace chart
