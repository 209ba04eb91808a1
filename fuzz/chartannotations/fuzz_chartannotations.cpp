// Arbitrary bytes as an annotation file: decoded to lines, the count bounded, one section per
// annotation checked and loaded into a probe object.
#include "ChartFuzzProbe.h"
#include "chart/core/ChartFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList lines =
        chart::DecodeTextLines(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    std::vector<QStringList> sections;
    try {
        sections = chart::ParseAnnotationFile(lines);
    } catch (const chart::EChartError&) {
        return 0;
    }
    if (sections.size() > std::size_t(chart::MaxFileObjectCount))
        std::abort();
    for (std::size_t i = 0; i < sections.size(); ++i)
        chartfuzz::CheckThenLoad(QStringLiteral("Annotation") + QString::number(i), sections[i]);
    return 0;
}
