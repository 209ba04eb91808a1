#include "eq/PeqEntry.h"

#include "base/Rounding.h"
#include "base/ValueScales.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace eq
{

namespace
{

// Removes the last `n` characters once for every word of the list found anywhere in the text.
bool StripUnit(std::string& s, std::initializer_list<const char*> words, std::size_t n)
{
    bool found = false;
    for (const char* w : words)
        if (s.find(w) != std::string::npos) {
            s.erase(s.size() - std::min(n, s.size()));
            found = true;
        }
    return found;
}

bool OnlyOf(const std::string& s, const char* allowed)
{
    for (char c : s)
        if (!(c >= '0' && c <= '9') && !std::strchr(allowed, c))
            return false;
    return true;
}

// A typed gain without its unit word: the place of its point (npos without one), or RefusedGain when
// the text is not a number of digits, one point and a sign, or nothing follows the point.
constexpr std::size_t RefusedGain = std::string::npos - 1;
std::size_t TypedGainPoint(std::string& s)
{
    StripUnit(s, {"DB", "Db", "dB", "db"}, 2);
    if (!ParseDecimal(s) || !OnlyOf(s, ".-"))
        return RefusedGain;
    const std::size_t dot = s.find('.');
    if (dot != std::string::npos && dot + 1 >= s.size())
        return RefusedGain;
    return dot;
}

} // namespace

double PositionToFreq(int position)
{
    return 1000.0 * std::pow(FreqStepRatio, position);
}

std::optional<int> SnapFreqPosition(double hz)
{
    if (!(hz > 0) || !std::isfinite(hz))
        return std::nullopt;
    const double x = std::log(hz / 1000.0) / std::log(FreqStepRatio);
    std::string t = FormatFixed(x, 2);
    double v = std::strtod(t.c_str(), nullptr);
    const std::size_t dot = t.find('.');
    if (dot != std::string::npos && dot + 1 < t.size() && t[dot + 1] > '5') {
        v = v < 0 ? v - 1 : v + 1;
        t = FormatFixed(v, 2);
    }
    return TruncInt(std::strtod(t.substr(0, t.find('.')).c_str(), nullptr));
}

int ParamGainPosition(double db)
{
    const int h = TruncInt(db * 100);
    return h / 10 + (h % 10 > 5 ? 1 : 0);
}

int GainPosition(double db)
{
    return TruncInt(db * 10);
}

int ClampQIndex(double q)
{
    return std::clamp(TruncInt(q), QIndexMin, QIndexMax);
}

std::string FreqText(double hz)
{
    return hz >= 1000 ? FormatFixed(hz / 1000, 2, 4) + "KHz" : FormatFixed(hz, 1, 4) + "Hz";
}

std::string QText(double q)
{
    return FormatFixed(q, 2, 1);
}

std::string GainText(double db)
{
    return FormatFixed(db, 1, 1) + "dB";
}

std::optional<int> ParseFreqEntry(const std::string& text)
{
    std::string s = text;
    StripUnit(s, {"HZ", "Hz", "hZ", "hz"}, 2);
    const bool kilo = StripUnit(s, {"k", "K"}, 1);
    const std::optional<double> typed = ParseDecimal(s);
    if (!typed || !OnlyOf(s, "."))
        return std::nullopt;
    // Far above the top of the range, and finite once taken as kHz.
    double f = std::min(*typed, 1e12);
    if (kilo)
        f *= 1000;
    // No logarithm of zero: a text that reads as zero ("0.0", "00") is refused like "0".
    if (!(f > 0) || !std::isfinite(f))
        return std::nullopt;
    return std::clamp(FreqToIndex(f), FreqIndexMin, FreqIndexMax);
}

std::optional<int> ParseQEntry(const std::string& text)
{
    const std::string& s = text;
    const std::optional<double> typed = ParseDecimal(s);
    if (!typed || !OnlyOf(s, "."))
        return std::nullopt;
    double q = *typed;
    if (!(q > 0) || !std::isfinite(q))
        return std::nullopt;
    q = std::clamp(q, 0.4, 128.0);
    return std::clamp(QToIndex(q), QIndexMin, QIndexMax);
}

std::optional<int> ParseGainEntry(const std::string& text)
{
    std::string s = text;
    const std::size_t dot = TypedGainPoint(s);
    if (dot == RefusedGain)
        return std::nullopt;
    if (dot != std::string::npos)
        s.erase(dot + 2); // one decimal stays, later digits are dropped
    // Read whole above; cutting digits after the point keeps it a number.
    const double g = std::clamp(ParseDecimal(s).value_or(0.0), -12.0, 12.0);
    return int(std::lround(g * 10));
}

} // namespace eq

namespace eq
{

namespace
{

std::string WithSeparator(std::string s, char sep)
{
    std::replace(s.begin(), s.end(), '.', sep);
    return s;
}

// The editor's stepping on a step-count text: a first decimal above 5 steps one away from zero, then
// the text before the point, read as an integer, is the position.
int StepAndCut(std::string t, double v, std::string (*write)(double))
{
    const std::size_t dot = t.find('.');
    if (dot != std::string::npos && dot + 1 < t.size() && t[dot + 1] > '5')
        t = write(v < 0 ? v - 1 : v + 1);
    return TruncInt(std::strtod(t.substr(0, t.find('.')).c_str(), nullptr));
}

// Three significant digits, at most two decimals, zero-filled to two (4.61, 45.60, 121.00).
std::string ThreeSignificant(double v)
{
    const double a = std::fabs(v);
    const int decimals = a >= 100 ? 0 : a >= 10 ? 1 : 2;
    std::string t = FormatFixed(v, decimals);
    if (decimals == 0)
        t += ".00";
    else if (decimals == 1)
        t += "0";
    return t;
}

std::string Plain15(double v)
{
    return GeneralText(v, '.');
}

std::optional<double> StepCount(double hz)
{
    if (!(hz > 0) || !std::isfinite(hz))
        return std::nullopt;
    return std::log(hz / 1000.0) / std::log(FreqStepRatio);
}

} // namespace

std::optional<int> SnapFreqPositionRounded(double hz)
{
    const auto x = StepCount(hz);
    if (!x)
        return std::nullopt;
    const std::string t = ThreeSignificant(*x);
    return StepAndCut(t, std::strtod(t.c_str(), nullptr), ThreeSignificant);
}

std::optional<int> SnapFreqPositionPlain(double hz)
{
    const auto x = StepCount(hz);
    if (!x)
        return std::nullopt;
    return StepAndCut(Plain15(*x), *x, Plain15);
}

int RoundedGainPosition(double db)
{
    const int h = TruncInt(db * 100);
    const long long a = std::llabs(static_cast<long long>(h));
    const long long p = a / 10 + (a % 10 > 5 ? 1 : 0);
    return int(h < 0 ? -p : p);
}

int HalfDbPosition(float db)
{
    return TruncInt(double(db * 2.0f));
}

std::string GeneralText(double v, char sep)
{
    if (!std::isfinite(v))
        return std::isnan(v) ? "NAN" : v < 0 ? "-INF" : "INF";
    if (v == 0)
        return "0";
    char buf[64];
    const double a = std::fabs(v);
    if (a >= 1e15 || a < 1e-5) {
        std::snprintf(buf, sizeof buf, "%.14E", v);
        std::string s = buf;
        const std::size_t e = s.find('E');
        std::string mant = s.substr(0, e), exp = s.substr(e + 1);
        mant.erase(mant.find_last_not_of('0') + 1);
        if (mant.back() == '.')
            mant.pop_back();
        const int n = std::atoi(exp.c_str());
        return WithSeparator(mant, sep) + "E" + (n < 0 ? "-" : "") + std::to_string(std::abs(n));
    }
    const int e = int(std::floor(std::log10(a)));
    std::snprintf(buf, sizeof buf, "%.*f", std::max(0, 14 - e), v);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.')
            s.pop_back();
    }
    if (s == "-0")
        s = "0";
    return WithSeparator(s, sep);
}

std::string SiblingQText(double q, char sep)
{
    return WithSeparator(ThreeSignificant(q), sep);
}

std::string SiblingGainText(double db, char sep)
{
    return GeneralText(db, sep) + "dB";
}

std::optional<int> ParseHalfDbGainEntry(const std::string& text)
{
    std::string s = text;
    const std::size_t dot = TypedGainPoint(s);
    if (dot == RefusedGain)
        return std::nullopt;
    if (dot != std::string::npos) {
        const char d = s[dot + 1];
        if (d >= '6')
            s.erase(dot + 2);
        else if (d <= '4')
            s.erase(dot);
    }
    const std::optional<double> v = ParseDecimal(s);
    if (!v || s.empty() || s == "-")
        return std::nullopt;
    const float g = float(std::clamp(*v, -12.0, 12.0));
    return HalfDbPosition(g);
}

std::optional<int> ParsePlainQEntry(const std::string& text)
{
    const std::optional<double> typed = ParseDecimal(text);
    if (!typed || !OnlyOf(text, ".") || !(*typed > 0) || !std::isfinite(*typed))
        return std::nullopt;
    return std::clamp(QToIndex(std::min(*typed, 1e6)), QIndexMin, QIndexMax);
}

} // namespace eq
