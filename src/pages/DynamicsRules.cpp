#include "pages/DynamicsRules.h"

#include "base/ValueScales.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace app
{

namespace
{

// A unit word anywhere in the text drops the text's last two characters, once per word of the list.
template <std::size_t N> QString DropSuffixes(QString text, const std::array<std::string_view, N>& words)
{
    for (std::string_view w : words)
        if (text.contains(QLatin1String(w.data(), qsizetype(w.size()))))
            text.chop(2);
    return text;
}

std::optional<double> Number(const QString& text)
{
    return ParseDecimal(text.toStdString());
}

bool OnlyOf(const QString& text, QStringView allowed)
{
    return std::all_of(text.begin(), text.end(), [&](QChar c) { return allowed.contains(c); });
}

// The dB entry's own refusals: characters, signs and points.
bool DecibelTextAccepted(const QString& text)
{
    if (text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("."))
        return false;
    if (!OnlyOf(text, u"0123456789.,-+ ") || text.count(u'.') > 1 || text.count(u'-') > 1)
        return false;
    const qsizetype point = text.indexOf(u'.');
    return point < 0 || point + 1 < text.size();
}

} // namespace

QString ThresholdText(int position)
{
    return QString::asprintf("%+1.1fdB", position * 0.5);
}

QString PaddedTimeText(int position)
{
    return QString::asprintf("%3dms", position + 1);
}

QString TimeText(int position)
{
    return QString::asprintf("%dms", position + 1);
}

QString RatioText(int index)
{
    index = std::clamp(index, 0, RatioLimitIndex);
    if (index == RatioLimitIndex)
        return QStringLiteral("Limit");
    const std::string_view t = RatioTexts[std::size_t(index)];
    return QStringLiteral("1:") + QLatin1String(t.data(), qsizetype(t.size()));
}

QString KneeText(int knee)
{
    return QString::asprintf("%ddB", knee);
}

QString RatioUpDownText(int position, int upDownMax)
{
    return RatioText(position == upDownMax ? RatioLimitIndex : position);
}

namespace
{

constexpr DynParam kCompParams[] = {
    {"Threshold", false}, {"Attack", false}, {"Release", false}, {"Ratio", true}, {"Knee", true}};
constexpr DynParam kLimitParams[] = {
    {"Threshold", false}, {"Attack", false}, {"Release", false}, {"Knee", true}};
constexpr DynParam kGateParams[] = {
    {"Threshold", false}, {"Attack", false}, {"Release", false}, {"Hold", false}};

} // namespace

std::span<const DynParam> DynParams(DynKind kind)
{
    switch (kind) {
    case DynKind::Comp:
        return kCompParams;
    case DynKind::Limit:
        return kLimitParams;
    case DynKind::Gate:
        break;
    }
    return kGateParams;
}

const char* DynKindName(DynKind kind)
{
    switch (kind) {
    case DynKind::Comp:
        return "Comp";
    case DynKind::Limit:
        return "Limit";
    case DynKind::Gate:
        break;
    }
    return "Gate";
}

int DynFirstChannel(DynKind kind)
{
    return kind == DynKind::Gate ? 0 : 3;
}

int DynChannelCount(DynKind kind)
{
    return kind == DynKind::Gate ? 3 : 6;
}

bool DynOnPage(DynKind kind, int channel)
{
    return channel >= DynFirstChannel(kind) && channel < DynFirstChannel(kind) + DynChannelCount(kind);
}

QString DynValueText(DynKind kind, int parameter, int value)
{
    const std::span<const DynParam> params = DynParams(kind);
    if (parameter < 0 || parameter >= int(params.size()))
        return {};
    const std::string_view name = params[std::size_t(parameter)].name;
    if (name == "Threshold")
        return ThresholdText(value);
    if (name == "Ratio")
        return RatioText(value);
    if (name == "Knee")
        return KneeText(value);
    return kind == DynKind::Gate ? TimeText(value) : PaddedTimeText(value);
}

std::vector<int> DynMirrorChannels(DynKind kind, int channel, unsigned group, int parameter)
{
    const std::span<const DynParam> params = DynParams(kind);
    if (!DynOnPage(kind, channel) || parameter < 0 || parameter >= int(params.size()))
        return {};
    const int first = DynFirstChannel(kind);
    const bool upDown = params[std::size_t(parameter)].upDown;
    group |= 1u << (channel - first);
    std::vector<int> out;
    for (int r = 0; r < DynChannelCount(kind); ++r)
        if ((group >> r) & 1u && !(upDown && first + r == channel))
            out.push_back(first + r);
    return out;
}

std::optional<int> TypedThreshold(const QString& text, int position)
{
    const QString t = DropSuffixes(text, DbSuffixes);
    const std::optional<double> typed = Number(t);
    if (!typed || !DecibelTextAccepted(t))
        return std::nullopt;
    const double v = std::clamp(*typed, ThresholdMinDb, ThresholdMaxDb);
    if (2 * v == position)
        return std::nullopt;
    return int(std::trunc(2 * v));
}

std::optional<int> TypedKnee(const QString& text, int knee)
{
    const QString t = DropSuffixes(text, DbSuffixes);
    const std::optional<double> typed = Number(t);
    if (!typed || !DecibelTextAccepted(t))
        return std::nullopt;
    const double v = std::clamp(*typed, 0.0, double(KneeMax));
    if (v == knee)
        return std::nullopt;
    return int(std::trunc(v));
}

std::optional<int> TypedTime(const QString& text, int faderMin, int faderMax, int position)
{
    const QString t = DropSuffixes(text, TimeSuffixes);
    const std::optional<double> typed = Number(t);
    if (!typed || !IsNumericText(t.toStdString()))
        return std::nullopt;
    // Whole milliseconds; the clamp comes before any conversion, so a long digit run stays defined.
    double ms = std::trunc(*typed);
    if (ms <= faderMin + 1)
        ms = faderMin + 1;
    if (ms >= faderMax + 1)
        ms = faderMax + 1;
    const int next = int(ms) - 1;
    if (next == position)
        return std::nullopt;
    return next;
}

std::optional<int> TypedRatio(const QString& text, int index)
{
    const QString t = DropSuffixes(text, DbSuffixes);
    if (t.isEmpty() || t == QLatin1String(":") || t == QLatin1String(".") || !OnlyOf(t, u"0123456789:.") ||
        t.count(u'.') > 1 || t.count(u':') > 1)
        return std::nullopt;
    const bool colon = t.contains(u':');
    if (colon && t.front() != u'1')
        return std::nullopt;
    const QString number = colon ? t.mid(2) : t;
    const std::optional<double> typed = Number(number);
    if (!typed || number.back() == u'.')
        return std::nullopt;
    const double v = *typed;
    int m = RatioLimitIndex;
    for (int i = 0; i < RatioCount; ++i)
        if (v <= RatioValues[std::size_t(i)]) {
            m = i;
            break;
        }
    if (m == index)
        return std::nullopt;
    return m;
}

TransferCurve CompCurve(int thresholdPosition, int knee, int ratioIndex, int limitIndex)
{
    const double T = thresholdPosition * 0.5, K = knee;
    double a = 0, b = 0;
    if (ratioIndex != limitIndex) {
        const double R = RatioValues[std::size_t(std::clamp(ratioIndex, 0, RatioCount - 1))];
        a = (20 - T) / R;
        b = K / R;
    }
    return {{{20, T + a}, {T + K, T + b}, {T - K, T - K}, {-100, -100}}, {T + 0.2, T - 0.4}};
}

TransferCurve LimitCurve(int thresholdPosition, int knee)
{
    const double T = thresholdPosition * 0.5, K = knee;
    return {{{20, T}, {T + K, T}, {T - K, T - K}, {-100, -100}}, {T + 0.2, T - 0.4}};
}

TransferCurve GateCurve(int thresholdPosition)
{
    const double T = thresholdPosition * 0.5;
    return {{{20, 20}, {T, T}, {T, -100}}, {T + 0.2, T - 0.4}};
}

} // namespace app
