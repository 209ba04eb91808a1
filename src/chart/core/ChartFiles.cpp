#include "chart/core/ChartFiles.h"

#include "base/CodePage.h"
#include "chart/core/ChartError.h"
#include "chart/core/ChartFormat.h"
#include "chart/core/PropertyText.h"
#include "platform/WholeFile.h"

#include <QLocale>
#include <QStringDecoder>
#include <charconv>
#include <cmath>
#include <cstring>

namespace chart
{

QStringList DecodeTextLines(const QByteArray& bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.mid(3));
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decode(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                           : QStringConverter::Utf16BE);
        text = decode(bytes.mid(2));
    } else {
        QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        text = decode(bytes);
        if (decode.hasError()) {
            const std::string utf8 = CodePageToUtf8(
                std::string_view(bytes.constData(), std::size_t(bytes.size())), CodePage::Windows1252);
            text = QString::fromStdString(utf8);
        }
    }
    return TextLines(text);
}

QByteArray EncodeTextLines(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines)
        out += line.toUtf8() + "\r\n";
    return out;
}

QByteArray ReadChartFile(const QString& FileName)
{
    std::vector<std::uint8_t> bytes;
    const std::string failure = platform::ReadFileLimited(FileName.toStdString(), MaxChartFileSize, bytes);
    if (!failure.empty())
        throw EChartError(QString::fromStdString(failure));
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

void WriteChartFile(const QString& FileName, const QByteArray& bytes)
{
    const std::string failure = platform::WriteFileAtomic(
        FileName.toStdString(),
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    if (!failure.empty())
        throw EChartError(QString::fromStdString(failure));
}

void AppendChartFile(const QString& FileName, const QByteArray& bytes)
{
    const std::string failure = platform::AppendToFile(
        FileName.toStdString(),
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())});
    if (!failure.empty())
        throw EChartError(QString::fromStdString(failure));
}

bool CatchFileError(const QString& Prefix, const std::function<void()>& Hook, QString* Error)
{
    QString message;
    if (CatchChartError(Hook, &message))
        return true;
    if (Error)
        *Error = Prefix + message;
    return false;
}

int TakeCount(const QString& Key, QStringList& Lines)
{
    QString value;
    if (!FindAndRemoveKey(Key, value, Lines))
        return 0;
    const long long n = TextToInteger(value);
    if (n < 0 || n > MaxFileObjectCount)
        throw EChartError(
            QStringLiteral("%1 %2 is out of range (0 to %3)").arg(Key, value).arg(MaxFileObjectCount));
    return int(n);
}

QString PlotConfigKindWord(int Kind)
{
    static const char* const words[pckKindCount] = {"Channel", "XAxis", "YAxis",    "ToolBar",    "Legend",
                                                    "Table",   "Label", "DataView", "DataCursor", "Limit"};
    return QString::fromLatin1(words[Kind]);
}

TcPlotConfig ParsePlotConfig(QStringList Lines)
{
    QString type;
    if (!FindAndRemoveKey(QStringLiteral("File Type"), type, Lines) ||
        type.compare(QLatin1String("Plot Config"), Qt::CaseInsensitive) != 0)
        throw EChartError(QStringLiteral("Incompatible Plot Configuration File Type"));
    std::array<int, pckKindCount> counts{};
    for (int k = 0; k < pckKindCount; ++k)
        counts[std::size_t(k)] = TakeCount(PlotConfigKindWord(k) + QStringLiteral("Count"), Lines);
    TcPlotConfig config;
    QString z;
    if (FindAndRemoveKey(QStringLiteral("DataViewZHorz"), z, Lines))
        config.DataViewZHorz = int(TextToInteger(z));
    if (FindAndRemoveKey(QStringLiteral("DataViewZVert"), z, Lines))
        config.DataViewZVert = int(TextToInteger(z));
    for (int k = 0; k < pckKindCount; ++k)
        for (int i = 0; i < counts[std::size_t(k)]; ++i)
            config.Sections[std::size_t(k)].push_back(
                TakeSection(PlotConfigKindWord(k) + QString::number(i), Lines));
    config.Rest = Lines;
    return config;
}

std::vector<QStringList> ParseAnnotationFile(QStringList Lines)
{
    const int count = TakeCount(QStringLiteral("AnnotationCount"), Lines);
    std::vector<QStringList> sections;
    for (int i = 0; i < count; ++i)
        sections.push_back(TakeSection(QStringLiteral("Annotation") + QString::number(i), Lines));
    return sections;
}

bool IsNullMarker(double v)
{
    return v > 1e-301 && v < 1e-300;
}

bool IsEmptyMarker(double v)
{
    return v > 1e-302 && v < 1e-301;
}

QString DataFileNumber(double v, QChar Separator)
{
    const QString mark = QLocale().decimalPoint();
    const QChar decimal = Separator == QLatin1Char(',') || mark.size() != 1 ? QLatin1Char('.') : mark[0];
    QString text = FloatToText(v, decimal);
    // 15 digits round the largest doubles up beyond the range; those keep all 17.
    bool ok = false;
    const double back = QString(text).replace(decimal, QLatin1Char('.')).toDouble(&ok);
    if (std::isfinite(v) && (!ok || !std::isfinite(back))) {
        char buf[32];
        const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17).ptr;
        text = QString::fromLatin1(buf, end - buf).toUpper().replace(QLatin1Char('.'), decimal);
    }
    return text;
}

namespace
{
// Compact-interval values: 32-bit IEEE floats, little-endian.
constexpr double CompactMissing = 1e38;
constexpr double CompactEnd = 2e38;

bool CompactRecordStart(const QByteArray& bytes, qsizetype& pos, QByteArray& line)
{
    const qsizetype lf = bytes.indexOf('\n', pos);
    if (lf < 0)
        return false;
    line = bytes.mid(pos, lf - pos);
    line.replace("\r", "");
    pos = lf + 1;
    return true;
}

double ReadCompactValue(const QByteArray& bytes, qsizetype& pos)
{
    if (bytes.size() - pos < 4)
        throw EChartError(QStringLiteral("Invalid Data"));
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= std::uint32_t(std::uint8_t(bytes[pos + i])) << (8 * i);
    pos += 4;
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return double(f);
}

std::vector<std::vector<TcFilePoint>> ParseCompact(const QByteArray& bytes, int ChannelCount)
{
    qsizetype pos = 0;
    QByteArray header, countText;
    if (!CompactRecordStart(bytes, pos, header) || !CompactRecordStart(bytes, pos, countText))
        throw EChartError(QStringLiteral("Invalid Data"));
    bool ok = false;
    const int fileChannels = countText.trimmed().toInt(&ok);
    if (!ok || fileChannels < 0 || fileChannels > MaxFileObjectCount)
        throw EChartError(QStringLiteral("Invalid Data"));
    std::vector<std::vector<TcFilePoint>> out(std::size_t(std::min(fileChannels, std::max(ChannelCount, 0))));
    // X of every point after the second follows from the first two.
    std::vector<double> x0(static_cast<std::size_t>(fileChannels)),
        x1(static_cast<std::size_t>(fileChannels));
    for (long long k = 0; fileChannels > 0 && pos < bytes.size(); ++k) {
        for (int i = 0; i < fileChannels; ++i) {
            double x;
            if (k == 0)
                x = x0[std::size_t(i)] = ReadCompactValue(bytes, pos);
            else if (k == 1)
                x = x1[std::size_t(i)] = ReadCompactValue(bytes, pos);
            else
                x = x0[std::size_t(i)] + double(k) * (x1[std::size_t(i)] - x0[std::size_t(i)]);
            if (k < 2 && x > 1.5e38)
                return out;
            const double y = ReadCompactValue(bytes, pos);
            if (y > 1.5e38)
                return out;
            if (std::size_t(i) < out.size() && std::isfinite(x) && std::isfinite(y) && x < 9e37 && y < 9e37)
                out[std::size_t(i)].push_back({x, y, false, false});
        }
    }
    return out;
}

// A number of a data file: infinities and NaN are refused like any other text that is no number.
double FileNumber(const QString& text)
{
    const double v = TextToFloat(text);
    if (!std::isfinite(v))
        throw EChartError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return v;
}

// A Y text of a data file: "Null" and "Empty" in any case mark the point.
TcFilePoint TextPoint(double x, const QString& y)
{
    if (y.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return {x, 0, true, false};
    if (y.compare(QLatin1String("EMPTY"), Qt::CaseInsensitive) == 0)
        return {x, 0, false, true};
    return {x, FileNumber(y), false, false};
}
} // namespace

std::vector<std::vector<TcFilePoint>> ParseDataFile(const QByteArray& bytes, int ChannelCount)
{
    qsizetype pos = 0;
    QByteArray first;
    if (CompactRecordStart(bytes, pos, first) &&
        first.trimmed().compare("Compact Interval", Qt::CaseInsensitive) == 0)
        return ParseCompact(bytes, ChannelCount);
    const QStringList lines = DecodeTextLines(bytes);
    std::vector<std::vector<TcFilePoint>> out(std::size_t(std::max(ChannelCount, 0)));
    if (lines.isEmpty())
        return out;
    const QChar sep = lines[0].contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    const bool sharedX = lines[0].startsWith(QLatin1String("(X)"), Qt::CaseInsensitive);
    for (int l = 1; l < lines.size(); ++l) {
        const QStringList cols = lines[l].split(sep);
        if (sharedX) {
            const QString xText = cols[0].trimmed();
            if (xText.isEmpty())
                continue;
            const double x = FileNumber(xText);
            for (int n = 1; n < cols.size() && n - 1 < ChannelCount; ++n) {
                const QString y = cols[n].trimmed();
                if (!y.isEmpty())
                    out[std::size_t(n - 1)].push_back(TextPoint(x, y));
            }
        } else {
            for (int i = 0; i < ChannelCount && 2 * i + 1 < cols.size(); ++i) {
                const QString xText = cols[2 * i].trimmed(), y = cols[2 * i + 1].trimmed();
                if (xText.isEmpty() || y.isEmpty())
                    continue;
                out[std::size_t(i)].push_back(TextPoint(FileNumber(xText), y));
            }
        }
    }
    return out;
}

namespace
{
std::size_t LongestChannel(const std::vector<TcFileChannel>& Channels)
{
    std::size_t n = 0;
    for (const TcFileChannel& c : Channels)
        n = std::max(n, c.Points.size());
    return n;
}

QString TextY(const TcFilePoint& p, QChar Separator)
{
    if (p.Null)
        return QStringLiteral("Null");
    if (p.Empty)
        return QStringLiteral("Empty");
    return DataFileNumber(p.Y, Separator);
}
} // namespace

QByteArray WriteTextDataFile(const std::vector<TcFileChannel>& Channels, QChar Separator)
{
    QStringList lines, header;
    for (const TcFileChannel& c : Channels)
        header << c.Title + QStringLiteral("(X)") << c.Title + QStringLiteral("(Y)");
    lines << header.join(Separator);
    const std::size_t rows = LongestChannel(Channels);
    for (std::size_t k = 0; k < rows; ++k) {
        QStringList cols;
        for (const TcFileChannel& c : Channels) {
            if (k < c.Points.size())
                cols << DataFileNumber(c.Points[k].X, Separator) << TextY(c.Points[k], Separator);
            else
                cols << QString() << QString();
        }
        lines << cols.join(Separator);
    }
    return EncodeTextLines(lines);
}

QByteArray CompactHeader(int ChannelCount)
{
    return "Compact Interval\r\n" + QByteArray::number(ChannelCount) + "\r\n";
}

void AppendCompactValue(QByteArray& out, double v)
{
    const float f = float(v);
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    for (int i = 0; i < 4; ++i)
        out.append(char((bits >> (8 * i)) & 0xFF));
}

QByteArray WriteCompactDataFile(const std::vector<TcFileChannel>& Channels)
{
    auto fits = [](double v) { return std::isfinite(v) && std::fabs(v) < 9e37; };
    for (std::size_t c = 0; c < Channels.size(); ++c) {
        const std::vector<TcFilePoint>& p = Channels[c].Points;
        for (std::size_t k = 0; k < p.size(); ++k) {
            if (!fits(p[k].Y) || (k < 2 && !fits(p[k].X)))
                throw EChartError(
                    QStringLiteral("Channel %1 holds a value the Compact Interval format can not hold")
                        .arg(c));
            if (k < 2)
                continue;
            const double step = p[1].X - p[0].X, expected = p[0].X + double(k) * step;
            if (std::fabs(p[k].X - expected) > 1e-9 * (std::fabs(p[0].X) + double(k) * std::fabs(step)))
                throw EChartError(
                    QStringLiteral("Channel %1 X values are not evenly spaced; the Compact Interval format "
                                   "can not hold them")
                        .arg(c));
        }
    }
    QByteArray out = CompactHeader(int(Channels.size()));
    const std::size_t rows = LongestChannel(Channels);
    for (std::size_t k = 0; k < rows; ++k)
        for (const TcFileChannel& c : Channels) {
            const bool has = k < c.Points.size();
            if (k < 2)
                AppendCompactValue(out, has ? c.Points[k].X : CompactMissing);
            AppendCompactValue(out, has ? c.Points[k].Y : CompactMissing);
        }
    AppendCompactValue(out, CompactEnd);
    return out;
}

QByteArray WriteChannelDataFile(const std::vector<TcFilePoint>& Points, QChar Separator)
{
    QStringList lines;
    for (const TcFilePoint& p : Points)
        if (!p.Empty)
            lines << DataFileNumber(p.X, Separator) + Separator +
                         (p.Null ? QStringLiteral("Null") : DataFileNumber(p.Y, Separator));
    return EncodeTextLines(lines);
}

std::vector<TcFilePoint> ParseChannelDataFile(const QByteArray& bytes)
{
    const QStringList lines = DecodeTextLines(bytes);
    std::vector<TcFilePoint> out;
    if (lines.isEmpty())
        return out;
    const QChar sep = lines[0].contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    for (const QString& line : lines) {
        QString x, y;
        SplitAtSeparator(line, sep, x, y);
        if (x.isEmpty())
            continue;
        if (y.compare(QLatin1String("Null"), Qt::CaseInsensitive) == 0)
            out.push_back({FileNumber(x), 0, true, false});
        else
            out.push_back({FileNumber(x), FileNumber(y), false, false});
    }
    return out;
}

} // namespace chart
