#include "pages/PageRules.h"

#include "base/ValueScales.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace app
{

namespace
{

QString Fixed(double v, int precision, int width)
{
    return QString::fromStdString(FormatFixed(v, precision, width));
}

// Drops the last n characters once for every word of the list found anywhere in the text.
template <std::size_t N>
void StripUnitWords(std::string& s, const std::array<std::string_view, N>& words, std::size_t n)
{
    for (std::string_view w : words)
        if (s.find(w) != std::string::npos)
            s.erase(s.size() - std::min(n, s.size()));
}

} // namespace

QString GeqGainText(int position)
{
    const double g = (position - 120) * 0.1;
    return position >= 120 ? QStringLiteral("+") + Fixed(g, 1, 3) : Fixed(g, 1, 4);
}

QString DelayText(int samples, int unit)
{
    const double s = samples;
    switch (unit) {
    case DelayUnitMetres:
        return Fixed(s * 343.5 / 96 / 1000, 3, 4) + QStringLiteral("m");
    case DelayUnitFeet:
        return Fixed(s * 343.5 / 96 * 3.2808 / 1000, 3, 4) + QStringLiteral("ft");
    default:
        return Fixed(s / 96, 3, 4) + QStringLiteral("ms");
    }
}

std::optional<int> ParseTypedDelay(const QString& text, int unit, int max)
{
    static constexpr std::array<std::string_view, 4> ms = {"ms", "Ms", "mS", "MS"};
    static constexpr std::array<std::string_view, 2> m = {"m", "M"};
    static constexpr std::array<std::string_view, 4> ft = {"ft", "Ft", "fT", "FT"};
    std::string s = text.toStdString();
    if (unit == DelayUnitMetres)
        StripUnitWords(s, m, 1);
    else if (unit == DelayUnitFeet)
        StripUnitWords(s, ft, 2);
    else
        StripUnitWords(s, ms, 2);
    const std::optional<double> typed = ParseDecimal(s);
    if (!typed || !IsNumericText(s))
        return std::nullopt;
    // Clamped while still a double: every unit reaches the top of the range well below 1e6.
    const double value = std::min(*typed, 1e6);
    return std::clamp(DelayToSamples(value, unit == DelayUnitMetres || unit == DelayUnitFeet ? unit : 0), 0,
                      max);
}

QString DelayDashes(int markerLeft)
{
    return QString(std::clamp((markerLeft - 40) / 6, 0, 132), QChar(u'-'));
}

QString DragDashes(int x)
{
    return QString(std::clamp((x - 15) / 6, 0, 132), QChar(u'-'));
}

std::optional<int> DelayDragPosition(int x, int lineWidth, int max)
{
    const int travel = lineWidth - 90;
    if (travel <= 0)
        return std::nullopt;
    const double d = std::min(x, lineWidth - 75) - 15;
    return int(std::clamp(d * max / travel, 0.0, double(max)));
}

bool NearDelayMarker(int x, int y, int markerLeft, int lineHeight)
{
    return std::abs(x - markerLeft + 25) < 15 && std::abs(y - lineHeight / 2) < 15;
}

std::optional<int> ParseTypedMix(const QString& text)
{
    std::string s = text.toStdString();
    StripUnitWords(s, DbSuffixes, 2);
    if (!ParseDecimal(s))
        return std::nullopt;
    s.erase(s.find_last_not_of(" \t") + 1);
    // Read once whole above; cutting digits after the point keeps it a number.
    const auto number = [](const std::string& t) { return ParseDecimal(t).value_or(0.0); };
    if (const std::size_t dot = s.find('.'); dot != std::string::npos) {
        if (dot + 1 >= s.size())
            return std::nullopt;
        s.erase(dot + 2);
        // Below -20 dB the level snaps toward zero onto the half-decibel grid.
        if (number(s) < -20) {
            const char f = s[dot + 1];
            if (f == '5')
                ;
            else if (f >= '6' && f <= '9')
                s[dot + 1] = '5';
            else
                s.erase(dot);
        }
    }
    const double v = std::clamp(number(s), -60.0, 0.0);
    // One fractional digit at most: v x 10 is a whole number of tenths up to rounding noise.
    int p = int(std::lround(v * 10));
    if (p < -200)
        p = (p + 200) / 5 - 200;
    return p;
}

std::vector<RouteSegment> MatrixRouteSegments(std::span<const uint16_t, 6> routes,
                                              std::span<const int, 3> inputShift,
                                              std::span<const int, 6> outputShift, int width)
{
    static constexpr int a[3] = {31, 103, 175};
    static constexpr int b[6] = {0, 41, 83, 124, 166, 206};
    std::vector<RouteSegment> lines;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 6; ++j)
            if (routes[std::size_t(j)] & (1u << i))
                lines.push_back({i, j, 0, a[i] + inputShift[std::size_t(i)], width,
                                 b[j] + outputShift[std::size_t(j)], kRouteColours[std::size_t(i)]});
    return lines;
}

std::array<uint8_t, 8> ChannelNameField(const QString& name, CodePage page)
{
    const std::string bytes = FitCodePageField(Utf8ToCodePage(name.toStdString(), page), 8, '\0', page);
    std::array<uint8_t, 8> field{};
    std::copy_n(bytes.begin(), std::min<std::size_t>(8, bytes.size()), field.begin());
    return field;
}

QString ChannelNameText(std::span<const uint8_t, 8> field, CodePage page)
{
    return QString::fromStdString(FieldToUtf8(field, page));
}

} // namespace app
