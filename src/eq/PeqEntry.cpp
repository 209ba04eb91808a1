#include "eq/PeqEntry.h"

#include "base/Rounding.h"
#include "base/ValueScales.h"

#include <algorithm>
#include <climits>
#include <cmath>
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
    StripUnit(s, {"DB", "Db", "dB", "db"}, 2);
    if (!ParseDecimal(s) || !OnlyOf(s, ".-"))
        return std::nullopt;
    const std::size_t dot = s.find('.');
    if (dot != std::string::npos) {
        if (dot + 1 >= s.size())
            return std::nullopt;
        s.erase(dot + 2); // one decimal stays, later digits are dropped
    }
    // Read whole above; cutting digits after the point keeps it a number.
    const double g = std::clamp(ParseDecimal(s).value_or(0.0), -12.0, 12.0);
    return int(std::lround(g * 10));
}

} // namespace eq
