#include "pages/PeqRules.h"

#include "base/ValueScales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace app
{

bool PeqQFree(int type)
{
    return type == PeqTypePeak || type == PeqTypeAllpass1 || type == PeqTypeAllpass2;
}

std::optional<PeqQ> PeqQRule(int type, int storedType, double q, int defaultQIndex)
{
    if (PeqQFree(type)) {
        if (storedType == type)
            return std::nullopt;
        const int qi = std::min(defaultQIndex, QIndexMax);
        if (QTable[std::size_t(qi)] == q)
            return std::nullopt;
        return PeqQ{QTable[std::size_t(qi)], qi};
    }
    if (storedType == type) {
        if (q > PeqQCeiling)
            return PeqQ{PeqQCeiling, QToIndex(PeqQCeiling)};
        return std::nullopt;
    }
    if (q != PeqFixedQ)
        return PeqQ{PeqFixedQ, QToIndex(PeqFixedQ)};
    return std::nullopt;
}

int PeqQFaderPosition(int type, int position)
{
    const int ceiling = QToIndex(PeqQCeiling);
    return !PeqQFree(type) && position > ceiling ? ceiling : position;
}

uint16_t ToggledEqBypass(uint16_t mask, int bit, unsigned group, int count)
{
    const bool wasOn = mask & (1u << bit);
    for (int i = 0; i < count; ++i)
        if (group & (1u << i))
            mask = wasOn ? uint16_t(mask & ~(1u << i)) : uint16_t(mask | (1u << i));
    return mask;
}

int CutSlopeCode(bool bypassed, int slopeIndex)
{
    return bypassed ? 0 : slopeIndex + 1;
}

QString CutFrequencyText(int position)
{
    const double f = IndexToFreq(position);
    char buffer[64];
    if (f >= 1000)
        std::snprintf(buffer, sizeof buffer, "%4.2fKHz", f / 1000);
    else
        std::snprintf(buffer, sizeof buffer, "%4.1fHz", f);
    return QString::fromLatin1(buffer);
}

double DragFrequency(double axisX)
{
    double f = std::pow(10.0, std::log10(48000.0) * axisX / 4096);
    f = IndexToFreq(FreqToIndex(f));
    if (f < 19.6)
        return 19.7;
    if (f > 20160)
        return 20160;
    return f;
}

double DragGain(double downY, double bandGain)
{
    double y = downY;
    if (-bandGain > 0)
        y += 1;
    y = std::clamp(y, -12.0, 12.0);
    return std::trunc(-y * 10) * 0.1;
}

int DragBandFreqIndex(double hz)
{
    return std::min<int>(uint16_t(FreqToIndex(hz)), FreqIndexMax);
}

int CornerFaderPosition(double hz)
{
    return std::clamp(FreqToIndex(hz), 0, FreqIndexMax);
}

} // namespace app
