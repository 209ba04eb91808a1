// The chart's files as bytes: text files as lines (UTF-8 with CR LF written; a byte-order mark, UTF-8
// or Windows-1252 read), the sections of property and annotation files with their bounded counts,
// and the data files of points in their text and compact-interval forms. Readers raise EChartError
// with the reason and build everything before the caller changes a chart. Pure, any thread.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace chart
{

// The largest chart file read, and the most objects of one kind a file may ask for.
constexpr std::size_t MaxChartFileSize = 64 * 1024 * 1024;
constexpr int MaxFileObjectCount = 1000;

QStringList DecodeTextLines(const QByteArray& bytes);
QByteArray EncodeTextLines(const QStringList& lines);
// The whole file, or EChartError with the path and the reason.
QByteArray ReadChartFile(const QString& FileName);
void WriteChartFile(const QString& FileName, const QByteArray& bytes);
// Appends to an existing file (a log).
void AppendChartFile(const QString& FileName, const QByteArray& bytes);

// Runs a file operation: true, or false with Prefix and the failure's text in Error.
bool CatchFileError(const QString& Prefix, const std::function<void()>& Hook, QString* Error);

// The value of the "Key = n" line, taken out of Lines: 0 when missing; a count that is no number or
// lies outside 0 .. MaxFileObjectCount raises.
int TakeCount(const QString& Key, QStringList& Lines);

// The object kinds of a chart property file, in file order, with their key words.
enum TcPlotConfigKind {
    pckChannel,
    pckXAxis,
    pckYAxis,
    pckToolBar,
    pckLegend,
    pckTable,
    pckLabel,
    pckDataView,
    pckDataCursor,
    pckLimit,
    pckKindCount
};
QString PlotConfigKindWord(int Kind);

// A chart property file split into one section of lines per object and the chart's own lines.
struct TcPlotConfig {
    std::array<std::vector<QStringList>, pckKindCount> Sections;
    std::optional<int> DataViewZHorz, DataViewZVert;
    QStringList Rest;
};
TcPlotConfig ParsePlotConfig(QStringList Lines);
// An annotation file: one section per annotation.
std::vector<QStringList> ParseAnnotationFile(QStringList Lines);

// Null and empty points travel in data arrays as these markers.
bool IsNullMarker(double v);
bool IsEmptyMarker(double v);

struct TcFilePoint {
    double X = 0, Y = 0;
    bool Null = false, Empty = false;
};
struct TcFileChannel {
    QString Title;
    std::vector<TcFilePoint> Points;
};

// Numbers of text data files: up to 15 significant digits; "." when "," separates the columns,
// the locale's decimal mark otherwise. Read with either mark.
QString DataFileNumber(double v, QChar Separator);

// The points of a chart data file for the first ChannelCount channels (the columns of others are
// dropped): a text table of X/Y column pairs or of one shared X column, or a compact-interval file.
std::vector<std::vector<TcFilePoint>> ParseDataFile(const QByteArray& bytes, int ChannelCount);
QByteArray WriteTextDataFile(const std::vector<TcFileChannel>& Channels, QChar Separator);
// Refused (EChartError) when a channel's X values are not evenly spaced or a value does not fit the
// format's 32-bit floats.
QByteArray WriteCompactDataFile(const std::vector<TcFileChannel>& Channels);
// The file's two header lines, and one point as the format stores it (X only for index 0 and 1).
QByteArray CompactHeader(int ChannelCount);
void AppendCompactValue(QByteArray& out, double v);

// A channel's own data file: "X<sep>Y" lines, "Null" for a null point, empty points left out; read
// with a tab separator when the first line holds one, a comma otherwise.
QByteArray WriteChannelDataFile(const std::vector<TcFilePoint>& Points, QChar Separator);
std::vector<TcFilePoint> ParseChannelDataFile(const QByteArray& bytes);

} // namespace chart
