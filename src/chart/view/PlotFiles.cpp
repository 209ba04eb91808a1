// TcPlotComponent's files: the chart property file, the annotation file, the data files, the
// data arrays and logging.
#include "chart/core/ChartFiles.h"
#include "chart/objects/Translation.h"
#include "chart/view/PlotComponent.h"

#include <QDateTime>
#include <memory>

namespace chart
{

namespace
{
// Opens an update with the layout manager off; both end on every way out.
class LoadBracket
{
  public:
    explicit LoadBracket(TcPlotComponent& Chart) : FChart(Chart)
    {
        FChart.DisableLayoutManager();
        FChart.BeginUpdate();
    }
    ~LoadBracket()
    {
        FChart.EnableLayoutManager();
        FChart.EndUpdate();
    }
    LoadBracket(const LoadBracket&) = delete;
    LoadBracket& operator=(const LoadBracket&) = delete;

  private:
    TcPlotComponent& FChart;
};

// Opens an update that ends on every way out.
class UpdateBracket
{
  public:
    explicit UpdateBracket(TcPlotComponent& Chart) : FChart(Chart) { FChart.BeginUpdate(); }
    ~UpdateBracket() { FChart.EndUpdate(); }
    UpdateBracket(const UpdateBracket&) = delete;
    UpdateBracket& operator=(const UpdateBracket&) = delete;

  private:
    TcPlotComponent& FChart;
};

void Fire(const TcPlotComponent::TcFileEvent& Event, TcPlotComponent* Sender)
{
    if (Event)
        Event(Sender);
}

// A file operation that fires Event when it succeeds.
bool FileOperation(const QString& Prefix, const std::function<void()>& Hook, QString* Error,
                   const TcPlotComponent::TcFileEvent& Event, TcPlotComponent* Sender)
{
    if (!CatchFileError(Prefix, Hook, Error))
        return false;
    Fire(Event, Sender);
    return true;
}

TcPlotObjectManagerCustom* KindManager(TcPlotMasterManager& m, int Kind)
{
    switch (Kind) {
    case pckChannel:
        return m.ChannelManager();
    case pckXAxis:
        return m.XAxisManager();
    case pckYAxis:
        return m.YAxisManager();
    case pckToolBar:
        return m.ToolBarManager();
    case pckLegend:
        return m.LegendManager();
    case pckTable:
        return m.TableManager();
    case pckLabel:
        return m.LabelManager();
    case pckDataView:
        return m.DataViewManager();
    case pckDataCursor:
        return m.DataCursorManager();
    default:
        return m.LimitManager();
    }
}

// Checks Lines against an object of Manager's kind that is made for the check and never filed.
void CheckSection(TcPlotObjectManagerCustom& Manager, const QString& Prefix, const QStringList& Lines)
{
    if (Lines.isEmpty())
        return;
    const std::unique_ptr<TcPlotObject> scratch(Manager.CreateObject());
    CheckPropertiesFromList(*scratch, Prefix, Lines);
}

void ApplySection(TcPersistent& Object, const QString& Prefix, QStringList Lines)
{
    LoadPropertiesFromList(Object, Prefix, Lines);
}

std::vector<TcFileChannel> ChannelPoints(const TcPlotComponent& Chart)
{
    std::vector<TcFileChannel> out;
    for (int c = 0; c < Chart.ChannelCount(); ++c) {
        const TcPlotChannelCustom* ch = Chart.GetChannelCustom(c);
        TcFileChannel f{ch->TitleText(), {}};
        f.Points.resize(std::size_t(ch->Count()));
        for (int i = 0; i < ch->Count(); ++i) {
            TcFilePoint& p = f.Points[std::size_t(i)];
            ch->GetXYEmptyNull(i, p.X, p.Y, p.Empty, p.Null);
        }
        out.push_back(std::move(f));
    }
    return out;
}

bool IsList(const QVariant& v)
{
    return v.typeId() == QMetaType::QVariantList || v.typeId() == QMetaType::QStringList;
}

double ArrayNumber(const QVariant& v)
{
    bool ok = false;
    const double d = IsList(v) ? 0 : v.toDouble(&ok);
    if (!ok)
        throw EChartError(QStringLiteral("Data Array must be 1 or 2 Dimensions"));
    return d;
}
} // namespace

// Property stream.

void TcPlotComponent::DefineProperties(TcFiler& Filer)
{
    const std::pair<const char*, TcPlotObjectManagerCustom*> managers[] = {
        {"ToolBarManager", FMaster->ToolBarManager()},   {"LegendManager", FMaster->LegendManager()},
        {"TableManager", FMaster->TableManager()},       {"XAxisManager", FMaster->XAxisManager()},
        {"YAxisManager", FMaster->YAxisManager()},       {"ChannelManager", FMaster->ChannelManager()},
        {"DataViewManager", FMaster->DataViewManager()}, {"DataCursorManager", FMaster->DataCursorManager()},
        {"LimitManager", FMaster->LimitManager()},       {"LabelManager", FMaster->LabelManager()}};
    for (const auto& [name, m] : managers)
        Filer.DefineProperty(
            QString::fromLatin1(name), [m](TcReader& r) { m->ReadFromStream(r); },
            [m](TcWriter& w) { m->WriteToStream(w); }, m->DoWriteToStream());
    TcPlotTranslationManager* t = FMaster->TranslationManager();
    Filer.DefineProperty(
        QStringLiteral("TranslationManager"), [t](TcReader& r) { t->ReadFromStream(r); },
        [t](TcWriter& w) { t->WriteToStream(w); }, t->DoWriteToStream());
    TcCustomComponent::DefineProperties(Filer);
}

void TcPlotComponent::WriteToStream(TcWriter& Writer)
{
    WriteObjectProperties(Writer, *this);
    Writer.WriteListEnd();
}

void TcPlotComponent::ReadFromStream(TcReader& Reader)
{
    BeginLoading();
    try {
        ReadObjectProperties(Reader, *this);
        Reader.ReadListEnd();
    } catch (...) {
        Loaded();
        throw;
    }
    Loaded();
}

// Property file.

bool TcPlotComponent::SavePropertiesToFile(const QString& FileName, QString* Error)
{
    return FileOperation(
        QStringLiteral("Error Saving Properties - "),
        [&] {
            QStringList lines = {QStringLiteral("File Type = Plot Config")};
            for (int k = 0; k < pckKindCount; ++k)
                lines << PlotConfigKindWord(k) + QStringLiteral("Count = ") +
                             QString::number(KindManager(*FMaster, k)->Count());
            lines << QStringLiteral("DataViewZHorz = %1").arg(DataViewZHorz())
                  << QStringLiteral("DataViewZVert = %1").arg(DataViewZVert());
            for (int k = 0; k < pckKindCount; ++k) {
                TcPlotObjectManagerCustom* m = KindManager(*FMaster, k);
                for (int i = 0; i < m->Count(); ++i)
                    SavePropertiesToList(*m->Item(i), PlotConfigKindWord(k) + QString::number(i), lines,
                                         FDifferentialPropertySave);
            }
            QStringList exclude = PropertyFileExclusions(OptionSaveAllProperties());
            if (!OptionSaveAllProperties())
                exclude << QStringLiteral("HelpKeyword");
            SavePropertiesToList(*this, QString(), lines, FDifferentialPropertySave, &exclude);
            WriteChartFile(FileName, EncodeTextLines(lines));
            FLastPropertiesFileName = FileName;
        },
        Error, OnAfterSaveProperties, this);
}

void TcPlotComponent::CheckPlotConfig(const TcPlotConfig& Config)
{
    for (int k = 0; k < pckKindCount; ++k) {
        const auto& sections = Config.Sections[std::size_t(k)];
        for (std::size_t i = 0; i < sections.size(); ++i)
            CheckSection(*KindManager(*FMaster, k), PlotConfigKindWord(k) + QString::number(i), sections[i]);
    }
    CheckPropertiesFromList(*this, QString(), Config.Rest);
}

int TcPlotComponent::AddOfKind(int Kind)
{
    switch (Kind) {
    case pckXAxis:
        return AddXAxis();
    case pckYAxis:
        return AddYAxis();
    case pckLegend:
        return AddLegend();
    case pckTable:
        return AddTable();
    case pckDataView:
        return AddDataView();
    case pckDataCursor:
        return AddDataCursor();
    default:
        return AddLimit();
    }
}

void TcPlotComponent::ApplyPlotConfig(const TcPlotConfig& Config)
{
    LoadBracket bracket(*this);
    if (Config.DataViewZHorz)
        SetDataViewZHorz(*Config.DataViewZHorz);
    if (Config.DataViewZVert)
        SetDataViewZVert(*Config.DataViewZVert);
    FMaster->LegendManager()->Clear();
    FMaster->TableManager()->Clear();
    RemoveAllLabels();
    FMaster->LimitManager()->Clear();
    FMaster->XAxisManager()->Clear();
    FMaster->YAxisManager()->Clear();
    FMaster->DataViewManager()->Clear();
    FMaster->ChannelManager()->Clear();
    FMaster->AnnotationManager()->Clear();
    FMaster->DataCursorManager()->Clear();
    for (int k = 0; k < pckKindCount; ++k) {
        const auto& sections = Config.Sections[std::size_t(k)];
        TcPlotObjectManagerCustom* m = KindManager(*FMaster, k);
        for (std::size_t i = 0; i < sections.size(); ++i) {
            const QString prefix = PlotConfigKindWord(k) + QString::number(i);
            TcPlotObject* target = nullptr;
            switch (k) {
            case pckToolBar:
                // The toolbars stay: every section goes to toolbar 0.
                target = ToolBarCount() > 0 ? GetToolBar(0) : nullptr;
                break;
            case pckLabel:
                target = i == 0 ? GetLabel(0) : GetLabel(AddLabel());
                break;
            case pckChannel: {
                TcPlotChannelCustom* ch = GetChannelCustom(AddChannel());
                ch->SetColor(0x0000FF);
                target = ch;
                break;
            }
            default:
                target = m->Item(AddOfKind(k));
                break;
            }
            if (target)
                ApplySection(*target, prefix, sections[i]);
        }
    }
    ApplySection(*this, QString(), Config.Rest);
}

bool TcPlotComponent::LoadPropertiesFromFile(const QString& FileName, QString* Error)
{
    Fire(OnBeforeLoadProperties, this);
    return FileOperation(
        QStringLiteral("Error Loading Properties - "),
        [&] {
            const TcPlotConfig config = ParsePlotConfig(DecodeTextLines(ReadChartFile(FileName)));
            CheckPlotConfig(config);
            ApplyPlotConfig(config);
            FLastPropertiesFileName = FileName;
        },
        Error, OnAfterLoadProperties, this);
}

// Annotation file.

bool TcPlotComponent::SaveAnnotationsToFile(const QString& FileName, QString* Error)
{
    return CatchFileError(
        QStringLiteral("Error Saving Annotations - "),
        [&] {
            QStringList lines = {QStringLiteral("AnnotationCount = %1").arg(AnnotationCount())};
            for (int i = 0; i < AnnotationCount(); ++i)
                SavePropertiesToList(*GetAnnotation(i), QStringLiteral("Annotation") + QString::number(i),
                                     lines, true);
            WriteChartFile(FileName, EncodeTextLines(lines));
        },
        Error);
}

bool TcPlotComponent::LoadAnnotationsFromFile(const QString& FileName, QString* Error)
{
    return CatchFileError(
        QStringLiteral("Error Loading Annotations - "),
        [&] {
            const std::vector<QStringList> sections =
                ParseAnnotationFile(DecodeTextLines(ReadChartFile(FileName)));
            for (std::size_t i = 0; i < sections.size(); ++i)
                CheckSection(*FMaster->AnnotationManager(), QStringLiteral("Annotation") + QString::number(i),
                             sections[i]);
            UpdateBracket update(*this);
            FMaster->AnnotationManager()->Clear();
            for (std::size_t i = 0; i < sections.size(); ++i)
                ApplySection(*GetAnnotation(AddAnnotation()),
                             QStringLiteral("Annotation") + QString::number(i), sections[i]);
        },
        Error);
}

// Data files.

bool TcPlotComponent::SaveDataToFile(const QString& FileName, QString* Error)
{
    return FileOperation(
        QStringLiteral("Error Saving Data - "),
        [&] {
            const std::vector<TcFileChannel> channels = ChannelPoints(*this);
            WriteChartFile(FileName, FDataFileFormat == ipdffCompactInterval
                                         ? WriteCompactDataFile(channels)
                                         : WriteTextDataFile(channels, DataFileSeparatorOf()));
            FLastDataFileName = FileName;
        },
        Error, OnAfterSaveData, this);
}

bool TcPlotComponent::LoadDataFromFile(const QString& FileName, QString* Error)
{
    return LoadDataFromFile(FileName, false, Error);
}

bool TcPlotComponent::LoadDataFromFile(const QString& FileName, bool ClearPreviousData, QString* Error)
{
    return FileOperation(
        QStringLiteral("Error Loading Data - "),
        [&] {
            const auto points = ParseDataFile(ReadChartFile(FileName), ChannelCount());
            UpdateBracket update(*this);
            if (ClearPreviousData)
                ClearAllData();
            for (std::size_t c = 0; c < points.size(); ++c)
                for (const TcFilePoint& p : points[c])
                    GetChannelCustom(int(c))->AddPoint(p.X, p.Y, p.Null, p.Empty);
            FLastDataFileName = FileName;
        },
        Error, OnAfterLoadData, this);
}

// Data arrays.

void TcPlotComponent::AddDataArray(double XValue, const QVariant& Data)
{
    if (!IsList(Data))
        throw EChartError(QStringLiteral("Data Array must be 1 or 2 Dimensions"));
    const QVariantList outer = Data.toList();
    if (outer.size() > ChannelCount())
        throw EChartError(
            QStringLiteral("Data Array holds more channels than the chart (%1)").arg(ChannelCount()));
    const bool twoDimensions = !outer.isEmpty() && IsList(outer[0]);
    int rows = 1;
    if (twoDimensions) {
        std::vector<std::vector<double>> values;
        rows = 0;
        for (const QVariant& channel : outer) {
            if (!IsList(channel))
                throw EChartError(QStringLiteral("Data Array must be 1 or 2 Dimensions"));
            std::vector<double>& row = values.emplace_back();
            for (const QVariant& v : channel.toList())
                row.push_back(ArrayNumber(v));
            rows = std::max(rows, int(row.size()));
        }
        for (int p = 0; p < rows; ++p)
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (std::size_t(p) >= values[i].size())
                    continue;
                TcPlotChannelCustom* ch = GetChannelCustom(int(i));
                const double x = ch->Count() ? ch->XLast() + XValue : 0;
                ch->AddXY(x, values[i][std::size_t(p)]);
            }
    } else {
        std::vector<double> values;
        for (const QVariant& v : outer)
            values.push_back(ArrayNumber(v));
        for (std::size_t e = 0; e < values.size(); ++e) {
            TcPlotChannelCustom* ch = GetChannelCustom(int(e));
            if (IsNullMarker(values[e]))
                ch->AddPoint(XValue, 0, true, false);
            else if (IsEmptyMarker(values[e]))
                ch->AddPoint(XValue, 0, false, true);
            else
                ch->AddXY(XValue, values[e]);
        }
    }
    if (FLoggingActive) {
        FLogBufferCount += rows;
        if (FLogBufferCount >= FLogBufferSize)
            LogWriteBuffer();
    }
}

void TcPlotComponent::TransferChannelData(int SourceChannelIndex, int DestinationChannelIndex, int StartIndex,
                                          int StopIndex)
{
    TcPlotChannelCustom* source = GetChannelCustom(SourceChannelIndex);
    TcPlotChannelCustom* destination = GetChannelCustom(DestinationChannelIndex);
    if (StartIndex < 0)
        throw EChartError(QStringLiteral("Start Index Must be 0 or Greater"));
    if (StopIndex > source->Count() - 1)
        throw EChartError(QStringLiteral("StopIndex Must Out Of Range"));
    for (int i = StartIndex; i <= StopIndex; ++i) {
        double x, y;
        bool empty, null;
        source->GetXYEmptyNull(i, x, y, empty, null);
        const int added = destination->AddXY(x, y);
        destination->SetPointNull(added, null);
        destination->SetPointEmpty(added, empty);
    }
}

void TcPlotComponent::ClearAllData()
{
    if (FLoggingActive)
        LogDeactivate();
    for (int c = 0; c < ChannelCount(); ++c)
        GetChannelCustom(c)->Clear();
    for (int i = 0; i < XAxisCount(); ++i)
        GetXAxis(i)->ResetFirstAlign();
    for (int i = 0; i < YAxisCount(); ++i)
        GetYAxis(i)->ResetFirstAlign();
}

double TcPlotComponent::GetNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    return double(QDate(1899, 12, 30).daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

// Logging.

void TcPlotComponent::SetLogFileName(const QString& v)
{
    if (v == FLogFileName)
        return;
    if (FLoggingActive)
        throw EChartError(QStringLiteral("Log File Name can not be changed while logging is active."));
    FLogFileName = v;
}

void TcPlotComponent::SetDataFileColumnSeparator(TcPlotDataFileColumnSeparator v)
{
    if (v == FDataFileColumnSeparator)
        return;
    if (FLoggingActive)
        throw EChartError(
            QStringLiteral("Data File Column Seperator can not be changed while logging active"));
    FDataFileColumnSeparator = v;
}

void TcPlotComponent::SetDataFileFormat(TcPlotDataFileFormat v)
{
    if (FLoggingActive)
        throw EChartError(QStringLiteral("Data File Format can not be changed while logging active"));
    FDataFileFormat = v;
}

void TcPlotComponent::LogActivate(bool Append)
{
    if (FLogFileName.trimmed().isEmpty())
        throw EChartError(QStringLiteral("Log File Name not Defined"));
    if (FLoggingActive)
        throw EChartError(QStringLiteral("Logging Already Active"));
    if (Append) {
        AppendChartFile(FLogFileName, QByteArray());
    } else if (FDataFileFormat == ipdffCompactInterval) {
        WriteChartFile(FLogFileName, CompactHeader(ChannelCount()));
    } else {
        QString header = QStringLiteral("(X)");
        for (int c = 0; c < ChannelCount(); ++c)
            header += DataFileSeparatorOf() + GetChannelCustom(c)->TitleText() + QStringLiteral("(Y)");
        WriteChartFile(FLogFileName, EncodeTextLines({header}));
    }
    FLoggingActive = true;
    FLogBufferCount = 0;
}

void TcPlotComponent::LogDeactivate()
{
    if (!FLoggingActive)
        throw EChartError(QStringLiteral("Logging not Active"));
    FLoggingActive = false;
    if (FLogBufferCount > 0)
        LogWriteBuffer();
}

void TcPlotComponent::LogWriteBuffer()
{
    const int pending = FLogBufferCount;
    FLogBufferCount = 0;
    if (ChannelCount() == 0)
        return;
    const QChar sep = DataFileSeparatorOf();
    const int first = GetChannelCustom(0)->Count() - pending;
    QByteArray out;
    QStringList lines;
    for (int r = std::max(0, -first); r < pending; ++r) {
        const int index = first + r;
        if (FDataFileFormat == ipdffCompactInterval) {
            for (int c = 0; c < ChannelCount(); ++c) {
                const TcPlotChannelCustom* ch = GetChannelCustom(c);
                const bool has = index < ch->Count();
                if (index < 2)
                    AppendCompactValue(out, has ? ch->GetPointX(index) : 1e38);
                AppendCompactValue(out, has ? ch->GetPointY(index) : 1e38);
            }
            continue;
        }
        QString line = DataFileNumber(GetChannelCustom(0)->GetPointX(index), sep);
        for (int c = 0; c < ChannelCount(); ++c) {
            const TcPlotChannelCustom* ch = GetChannelCustom(c);
            line += sep;
            if (index >= ch->Count())
                continue;
            line += ch->GetPointNull(index)    ? QStringLiteral("Null")
                    : ch->GetPointEmpty(index) ? QStringLiteral("Empty")
                                               : DataFileNumber(ch->GetPointY(index), sep);
        }
        lines << line;
    }
    AppendChartFile(FLogFileName, FDataFileFormat == ipdffCompactInterval ? out : EncodeTextLines(lines));
}

} // namespace chart
