// Editing on the pages' channel controls: the wiring of the channel-strip and level handlers, and the
// texts the editing handlers share.
#include "app/main/MainEditing.h"

#include "app/main/TfmMain.h"
#include "base/ValueScales.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace app
{

namespace
{

QString Format(const char* format, double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return QString::fromLatin1(buffer);
}

} // namespace

QString EditFreqText(float hz)
{
    return hz >= 1000 ? Format("%4.2f", hz * 0.001) + QStringLiteral("KHz")
                      : Format(" %4.1f", double(hz)) + QStringLiteral("Hz");
}

QString EqGainText(int position)
{
    const double g = (position - GainIndexZero) * 0.1;
    return Format(position >= GainIndexZero ? "+%3.1f" : "%4.1f", g) + QStringLiteral("dB");
}

QString EqQText(int index)
{
    return Format("%3.2f", QTable[std::size_t(std::clamp(index, QIndexMin, QIndexMax))]);
}

int MeterSegments(float level, bool input)
{
    const float l = level == 0.0f ? 1e-7f : level;
    const double db = 20.0 * std::log10(double(l));
    const float shift = input ? 18.0f : 24.0f;
    int k = 0;
    auto count = [&](const auto& steps) {
        for (float step : steps) {
            if (!(double(step - shift) < db))
                break;
            ++k;
        }
    };
    if (input)
        count(MeterThresholds.Inputs);
    else
        count(MeterThresholds.Outputs);
    return k;
}

} // namespace app
