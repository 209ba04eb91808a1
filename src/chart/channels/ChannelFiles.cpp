// TcPlotChannelCustom's files: property file, data file and log.
#include "chart/channels/PlotChannelCustom.h"
#include "chart/core/ChartFiles.h"

namespace chart
{

bool TcPlotChannelCustom::SavePropertiesToFile(const QString& FileName, QString* Error)
{
    return CatchFileError(
        QStringLiteral("Error Saving Properties - "),
        [&] {
            QStringList lines = {QStringLiteral("File Type = Plot Channel Config")};
            const QStringList exclude = {QStringLiteral("Channel.Name")};
            SavePropertiesToList(*this, QStringLiteral("Channel"), lines,
                                 FOwner && FOwner->DifferentialPropertySaveOf(), &exclude);
            WriteChartFile(FileName, EncodeTextLines(lines));
        },
        Error);
}

bool TcPlotChannelCustom::LoadPropertiesFromFile(const QString& FileName, QString* Error)
{
    return CatchFileError(
        QStringLiteral("Error Loading Properties - "),
        [&] {
            QStringList lines = DecodeTextLines(ReadChartFile(FileName));
            QString type;
            if (!FindAndRemoveKey(QStringLiteral("File Type"), type, lines) ||
                type.compare(QLatin1String("Plot Channel Config"), Qt::CaseInsensitive) != 0)
                throw EChartError(QStringLiteral("Incompatible Plot Channel Configuration File Type"));
            CheckPropertiesFromList(*this, QStringLiteral("Channel"), lines);
            LoadPropertiesFromList(*this, QStringLiteral("Channel"), lines);
        },
        Error);
}

bool TcPlotChannelCustom::SaveDataToFile(const QString& FileName, QString* Error)
{
    return CatchChartError(
        [&] {
            std::vector<TcFilePoint> points(static_cast<std::size_t>(Count()));
            for (int i = 0; i < Count(); ++i) {
                TcFilePoint& p = points[std::size_t(i)];
                GetXYEmptyNull(i, p.X, p.Y, p.Empty, p.Null);
            }
            const QChar sep = FOwner ? FOwner->DataFileSeparatorOf() : QLatin1Char('\t');
            WriteChartFile(FileName, WriteChannelDataFile(points, sep));
        },
        Error);
}

bool TcPlotChannelCustom::LoadDataFromFile(const QString& FileName, bool ClearPreviousData, QString* Error)
{
    return CatchChartError(
        [&] {
            if (FLoggingActive)
                LogDeactivate();
            const std::vector<TcFilePoint> points = ParseChannelDataFile(ReadChartFile(FileName));
            if (ClearPreviousData)
                Clear();
            for (const TcFilePoint& p : points)
                AddPoint(p.X, p.Y, p.Null, false);
        },
        Error);
}

void TcPlotChannelCustom::SetLogFileName(const QString& v)
{
    if (v == FLogFileName)
        return;
    if (FLoggingActive)
        throw EChartError(QStringLiteral("Log File Name can not be changed while logging is active."));
    FLogFileName = v;
}

void TcPlotChannelCustom::LogActivate(bool Append)
{
    if (FLogFileName.trimmed().isEmpty())
        throw EChartError(QStringLiteral("Log File Name not Defined"));
    if (FLoggingActive)
        throw EChartError(QStringLiteral("Logging Already Active"));
    if (Append)
        AppendChartFile(FLogFileName, QByteArray());
    else
        WriteChartFile(FLogFileName, QByteArray());
    FLoggingActive = true;
    FLogBufferCount = 0;
}

void TcPlotChannelCustom::LogDeactivate()
{
    if (!FLoggingActive)
        throw EChartError(QStringLiteral("Logging not Active"));
    FLoggingActive = false;
    if (FLogBufferCount > 0)
        LogWriteBuffer();
}

void TcPlotChannelCustom::LogWriteBuffer()
{
    const QChar sep = FOwner ? FOwner->DataFileSeparatorOf() : QLatin1Char('\t');
    QStringList lines;
    for (int i = std::max(0, Count() - FLogBufferCount); i < Count(); ++i)
        lines << (DataFileNumber(GetPointX(i), sep) + sep + DataFileNumber(GetPointY(i), sep))
                     .left(MaxPropertyLineLength);
    FLogBufferCount = 0;
    AppendChartFile(FLogFileName, EncodeTextLines(lines));
}

} // namespace chart
