// Arbitrary bytes as a chart property file: decoded to lines, checked for its type and counts, split
// into sections; every section and the chart's own lines are checked and loaded into a probe object.
#include "ChartFuzzProbe.h"
#include "chart/core/ChartFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines =
        chart::DecodeTextLines(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    chart::TcPlotConfig config;
    try {
        config = chart::ParsePlotConfig(lines);
    } catch (const chart::EChartError&) {
        return 0;
    }
    qsizetype taken = config.Rest.size();
    for (int k = 0; k < chart::pckKindCount; ++k) {
        const auto& sections = config.Sections[std::size_t(k)];
        if (sections.size() > std::size_t(chart::MaxFileObjectCount))
            std::abort();
        for (std::size_t i = 0; i < sections.size(); ++i) {
            taken += sections[i].size();
            chartfuzz::CheckThenLoad(chart::PlotConfigKindWord(k) + QString::number(i), sections[i]);
        }
    }
    // Sections and the rest together are the file without its type, count and ZOrder lines.
    if (taken > lines.size())
        std::abort();
    chartfuzz::CheckThenLoad(QString(), config.Rest);
    return 0;
}
