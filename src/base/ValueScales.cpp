#include "base/ValueScales.h"

#include "base/CodePage.h"
#include "base/Rounding.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <system_error>

namespace
{

// Keeps a logarithm's argument finite and positive.
double ClampPositive(double x)
{
    constexpr double lo = 1e-300;
    constexpr double hi = 1e300;
    if (!(x > lo)) // also catches not-a-number
        return lo;
    return std::min(x, hi);
}

} // namespace

int FreqToIndex(double frequencyHz)
{
    const double f = ClampPositive(frequencyHz);
    const double a = std::log(f * 0.001) / std::log(FreqStepRatio) + 170.0;
    const double t = std::trunc(a);
    // A fraction of exactly .5 stays down.
    return TruncInt(a - t > 0.5 ? t + 1.0 : t);
}

double IndexToFreq(int index)
{
    return 1000.0 * std::pow(FreqStepRatio, static_cast<double>(index) - 170.0);
}

int GainToIndex(double gainDb)
{
    if (std::isnan(gainDb))
        return 120;
    return TruncInt(std::trunc(gainDb * 10.0) + 120.0);
}

double IndexToGain(int index)
{
    return (static_cast<double>(index) - 120.0) * 0.1;
}

int QToIndex(double q)
{
    double r = std::log(128.0 / ClampPositive(q)) / std::log(1.0596);
    // The step-up rule reads the first decimal of r printed with ten decimals,
    // so a value just below .5 that prints as .5000000000 steps up too.
    const std::string text = FormatFixed(r, 10);
    const auto point = text.find('.');
    if (point != std::string::npos && point + 1 < text.size() && text[point + 1] > '4')
        r += 1.0;
    return SaturateInt(100LL - TruncInt(r));
}

double IndexToQ(std::uint8_t index)
{
    const double q = 128.0 / std::pow(1.0594, 100.0 - static_cast<double>(index));
    const std::string text = FormatFixed(q, 2, 4);
    const auto first = text.find_first_not_of(' ');
    double value = q;
    std::from_chars(text.data() + first, text.data() + text.size(), value);
    return value;
}

int DelayToSamples(double value, int unit)
{
    switch (unit) {
    case DelayUnitMs:
        return TruncInt(value * 96.0);
    case DelayUnitMetres:
        return TruncInt(value * 96.0 * 1000.0 / SoundSpeed);
    case DelayUnitFeet:
        return TruncInt(value * 96.0 * 1000.0 / SoundSpeed * MetresPerFoot);
    default:
        return 0;
    }
}

std::string FormatGainText(int position)
{
    if (position >= 0)
        return "+" + FormatFixed(position * 0.1, 1, 3) + "dB";
    const long long v = -static_cast<long long>(position);
    const float magnitude =
        v > 200 ? static_cast<float>((v - 200) * 0.5 + 20.0) : static_cast<float>(v * 0.1);
    return "-" + FormatFixed(magnitude, 1, 3) + "dB";
}

bool IsNumericText(std::string_view text)
{
    const std::string ansi = WideToAnsi(text);
    return std::all_of(ansi.begin(), ansi.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == ',' || c == ' '; });
}

std::optional<double> ParseDecimal(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string number = "0"; // so that ".5" reads
    bool point = false, digits = false, whole = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            number.push_back(c);
            digits = true;
            whole = whole || (c != '0' && !point);
        } else if (c == '.' && !point) {
            point = true;
            number.push_back('.');
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    if (number.back() == '.')
        number.pop_back();
    double v = 0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), v, std::chars_format::fixed);
    if (r.ec == std::errc::result_out_of_range)
        v = whole ? std::numeric_limits<double>::max() : 0.0;
    else if (r.ec != std::errc() || r.ptr != number.data() + number.size())
        return std::nullopt;
    return negative ? -v : v;
}

std::string FormatFixed(double value, int precision, int width)
{
    precision = std::clamp(precision, 0, 100);
    // Enough for the 309 integer digits of the largest double, sign and point.
    char buffer[320 + 100];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string WideToAnsi(std::string_view utf8)
{
    return WideToAnsi(utf8, CurrentCodePage());
}

std::string WideToAnsi(std::string_view utf8, CodePage page)
{
    return Utf8ToCodePage(utf8, page);
}

std::string WideToAnsiField(std::string_view utf8, std::size_t width, char pad)
{
    return WideToAnsiField(utf8, width, pad, CurrentCodePage());
}

std::string WideToAnsiField(std::string_view utf8, std::size_t width, char pad, CodePage page)
{
    return FitCodePageField(Utf8ToCodePage(utf8, page), width, pad, page);
}

std::string AnsiToUtf8(std::string_view ansi)
{
    return AnsiToUtf8(ansi, CurrentCodePage());
}

std::string AnsiToUtf8(std::string_view ansi, CodePage page)
{
    return CodePageToUtf8(ansi, page);
}
