// Arbitrary bytes as a chart data file and as a channel data file. Every point read is finite, and
// what is read writes as a text file that reads back to the same points (to 15 digits), with a tab
// or (by the first byte) a comma between the columns.
#include "chart/core/ChartError.h"
#include "chart/core/ChartFiles.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{

bool Close(double a, double b)
{
    return a == b || std::fabs(a - b) <= 1e-13 * std::max(std::fabs(a), std::fabs(b));
}

void ExpectSame(const std::vector<chart::TcFilePoint>& a, const std::vector<chart::TcFilePoint>& b)
{
    if (a.size() != b.size())
        std::abort();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!Close(a[i].X, b[i].X) || !Close(a[i].Y, b[i].Y) || a[i].Null != b[i].Null ||
            a[i].Empty != b[i].Empty)
            std::abort();
}

} // namespace

// Parses, or gives nothing for a refused file.
template <class F> bool Parsed(F parse)
{
    try {
        parse();
        return true;
    } catch (const chart::EChartError&) {
        return false;
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const int channels = size > 0 ? data[size - 1] % 4 : 0;
    std::vector<std::vector<chart::TcFilePoint>> points;
    if (Parsed([&] { points = chart::ParseDataFile(bytes, channels); })) {
        if (points.size() > std::size_t(channels))
            std::abort();
        std::vector<chart::TcFileChannel> file;
        for (const auto& p : points) {
            for (const chart::TcFilePoint& q : p)
                if (!std::isfinite(q.X) || !std::isfinite(q.Y))
                    std::abort();
            file.push_back({QStringLiteral("C"), p});
        }
        const QChar sep = size > 0 && (data[0] & 1) ? QLatin1Char(',') : QLatin1Char('\t');
        std::vector<std::vector<chart::TcFilePoint>> back;
        if (!Parsed([&] { back = chart::ParseDataFile(chart::WriteTextDataFile(file, sep), channels); }))
            std::abort();
        for (std::size_t c = 0; c < file.size(); ++c)
            ExpectSame(back[c], file[c].Points);
    }
    std::vector<chart::TcFilePoint> own;
    if (Parsed([&] { own = chart::ParseChannelDataFile(bytes); })) {
        std::vector<chart::TcFilePoint> kept, back;
        for (const chart::TcFilePoint& p : own)
            if (!p.Empty)
                kept.push_back(p);
        if (!Parsed([&] {
                back = chart::ParseChannelDataFile(chart::WriteChannelDataFile(own, QLatin1Char('\t')));
            }))
            std::abort();
        ExpectSame(back, kept);
    }
    return 0;
}
