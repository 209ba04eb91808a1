// The chart's and the channel's files on disk: property, annotation and data files saved and loaded
// back, refused files that leave the chart as it was (and its update lock and layout free), data
// arrays, channel transfers, and logging of rows and points with its refusals.
#include "ChartFixture.h"
#include "ErrorOf.h"
#include "chart/component/CheckBox.h"
#include "chart/core/ChartFiles.h"
#include "chart/core/PropertyStream.h"
#include "chart/objects/LayoutManager.h"
#include "chart/objects/PlotAnnotation.h"
#include "chart/objects/Translation.h"
#include "chart/view/StripChart.h"
#include "chart/view/XYPlot.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace chart;
using namespace charttest;

namespace
{

class PlotFiles : public ::testing::Test
{
  protected:
    void SetUp() override { EnsureApp(); }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void Write(const char* name, const QByteArray& bytes) const
    {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Read(const char* name) const
    {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // Channel c's points as text, for comparing whole charts.
    static QString Points(const TcPlotComponent& chart, int c)
    {
        QStringList out;
        const TcPlotChannelCustom* ch = chart.GetChannelCustom(c);
        for (int i = 0; i < ch->Count(); ++i)
            out << QStringLiteral("%1:%2%3")
                       .arg(ch->GetPointX(i))
                       .arg(ch->GetPointY(i))
                       .arg(ch->GetPointNull(i)    ? "n"
                            : ch->GetPointEmpty(i) ? "e"
                                                   : "");
        return out.join(QLatin1Char(' '));
    }
    // The chart's state a refused load must not touch.
    static QString State(TcXYPlot& chart)
    {
        QStringList lines;
        SavePropertiesToList(chart, QString(), lines, false);
        for (int c = 0; c < chart.ChannelCount(); ++c) {
            SavePropertiesToList(*chart.GetChannel(c), QStringLiteral("C%1").arg(c), lines, false);
            lines << Points(chart, c);
        }
        for (int a = 0; a < chart.AnnotationCount(); ++a)
            SavePropertiesToList(*chart.GetAnnotation(a), QStringLiteral("A%1").arg(a), lines, false);
        lines << QStringLiteral("axes %1 %2 labels %3")
                     .arg(chart.XAxisCount())
                     .arg(chart.YAxisCount())
                     .arg(chart.LabelCount());
        return lines.join(QLatin1Char('\n'));
    }
    QTemporaryDir dir;
    MetricsScope metrics;
};

// A chart of two channels with points, a label, a limit and an annotation.
void Populate(TcXYPlot& chart)
{
    chart.AddChannel();
    chart.GetChannel(0)->SetTitleText(QStringLiteral("In"));
    chart.GetChannel(1)->SetTitleText(QStringLiteral("Out"));
    chart.GetChannel(1)->SetTraceLineWidth(4);
    chart.GetChannel(1)->MarkersFont().SetSize(13);
    for (int i = 0; i < 3; ++i) {
        chart.GetChannel(0)->AddXY(i, i * 2);
        chart.GetChannel(1)->AddXY(i * 0.5, -i);
    }
    chart.AddLabel();
    chart.GetLabel(1)->SetCaption(QStringLiteral("Two\r\nlines"));
    chart.AddLimit();
    chart.AddAnnotation();
    chart.GetAnnotation(0)->SetText(QStringLiteral("Note"));
    chart.SetOuterMarginLeft(9);
    chart.SetTitleText(QStringLiteral("Chart"));
}

} // namespace

TEST_F(PlotFiles, PropertyFilesRebuildEveryObjectKind)
{
    for (const bool differential : {false, true}) {
        SCOPED_TRACE(differential ? "differential" : "all values");
        TcXYPlot source;
        Populate(source);
        source.SetDifferentialPropertySave(differential);
        QString error;
        int saved = 0;
        source.OnAfterSaveProperties = [&](TcPlotComponent*) { ++saved; };
        ASSERT_TRUE(source.SavePropertiesToFile(Path("chart.cfg"), &error)) << error.toStdString();
        EXPECT_EQ(saved, 1);
        EXPECT_EQ(source.LastPropertiesFileName(), Path("chart.cfg"));
        const QByteArray text = Read("chart.cfg");
        EXPECT_TRUE(text.startsWith("File Type = Plot Config\r\nChannelCount = 2\r\nXAxisCount = 1\r\n"));
        EXPECT_TRUE(text.contains("\r\nChannel1.TraceLineWidth = 4\r\n"));
        EXPECT_TRUE(text.contains("\r\nLabel1.Caption = Two#13#10lines\r\n"));
        EXPECT_FALSE(text.contains("\r\nName = "));
        EXPECT_FALSE(text.contains("Annotation0."));
        EXPECT_EQ(text.contains("\r\nChannel0.TraceLineWidth = 1\r\n"), !differential);

        TcXYPlot target;
        target.GetChannel(0)->AddXY(5, 5);
        std::vector<std::string> events;
        target.OnBeforeLoadProperties = [&](TcPlotComponent*) { events.push_back("before"); };
        target.OnAfterLoadProperties = [&](TcPlotComponent*) { events.push_back("after"); };
        ASSERT_TRUE(target.LoadPropertiesFromFile(Path("chart.cfg"), &error)) << error.toStdString();
        EXPECT_EQ(events, (std::vector<std::string>{"before", "after"}));
        ASSERT_EQ(target.ChannelCount(), 2);
        EXPECT_EQ(target.GetChannel(1)->TitleText(), QStringLiteral("Out"));
        EXPECT_EQ(target.GetChannel(1)->TraceLineWidth(), 4);
        EXPECT_EQ(target.GetChannel(1)->MarkersFont().Size(), 13);
        EXPECT_EQ(target.GetChannel(1)->Color(), source.GetChannel(1)->Color());
        EXPECT_EQ(target.GetChannel(0)->Count(), 0);
        ASSERT_EQ(target.LabelCount(), 2);
        EXPECT_EQ(target.GetLabel(1)->Caption(), QStringLiteral("Two\r\nlines"));
        EXPECT_EQ(target.TitleText(), QStringLiteral("Chart"));
        EXPECT_EQ(target.LimitCount(), 1);
        EXPECT_EQ(target.AnnotationCount(), 0);
        EXPECT_EQ(target.OuterMarginLeft(), 9);
        EXPECT_EQ(target.GetChannel(0)->XAxisName(), source.GetChannel(0)->XAxisName());
        EXPECT_FALSE(target.UpdateActive());
        EXPECT_TRUE(target.Master().LayoutManager()->Enabled());
    }
}

TEST_F(PlotFiles, PropertyFileSectionsFollowTheFileRules)
{
    // A channel colour missing from the file is red; every toolbar section goes to toolbar 0.
    Write("rules.cfg", "File Type = Plot Config\r\nChannelCount = 2\r\nToolBarCount = 2\r\n"
                       "Channel0.TitleText = A\r\nChannel1.Color = 65280\r\n"
                       "ToolBar0.ZOrder = 7\r\nToolBar1.ZOrder = 8\r\nDataViewZVert = 4\r\n");
    TcXYPlot chart;
    chart.AddToolBar();
    QString error;
    ASSERT_TRUE(chart.LoadPropertiesFromFile(Path("rules.cfg"), &error)) << error.toStdString();
    ASSERT_EQ(chart.ChannelCount(), 2);
    EXPECT_EQ(chart.GetChannel(0)->Color(), TColor(0x0000FF));
    EXPECT_EQ(chart.GetChannel(1)->Color(), TColor(0x00FF00));
    EXPECT_EQ(chart.ToolBarCount(), 2);
    EXPECT_EQ(chart.GetToolBar(0)->ZOrder(), 8);
    EXPECT_EQ(chart.DataViewZVert(), 4);
    EXPECT_EQ(chart.XAxisCount(), 0);
    EXPECT_EQ(chart.LabelCount(), 1);
}

TEST_F(PlotFiles, RefusedPropertyFilesLeaveTheChartAsItWas)
{
    struct Case {
        const char* name;
        QByteArray file;
        const char* error;
    } cases[] = {
        {"missing file", QByteArray(), "Error Loading Properties - open '"},
        {"channel file", "File Type = Plot Channel Config\r\n",
         "Error Loading Properties - Incompatible Plot Configuration File Type"},
        {"bad number in the last section",
         "File Type = Plot Config\r\nChannelCount = 2\r\nChannel1.TraceLineWidth = wide\r\n",
         "Error Loading Properties - 'wide' is not a valid integer value"},
        {"bad nested value", "File Type = Plot Config\r\nXAxisCount = 1\r\nXAxis0.LabelsFont.Color = x\r\n",
         "Error Loading Properties - 'x' is not a valid integer value"},
        {"enumeration out of range",
         "File Type = Plot Config\r\nChannelCount = 1\r\nChannel0.TraceLineStyle = 99\r\n",
         "Error Loading Properties - '99' is out of range for TraceLineStyle"},
        {"bad chart value", "File Type = Plot Config\r\nChannelCount = 1\r\nPrintMarginLeft = wide\r\n",
         "Error Loading Properties - 'wide' is not a valid floating point value"},
        {"crafted count", "File Type = Plot Config\r\nChannelCount = 100000000\r\n",
         "Error Loading Properties - ChannelCount 100000000 is out of range (0 to 1000)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.file.isNull())
            Write("bad.cfg", c.file);
        else
            QFile::remove(Path("bad.cfg"));
        TcXYPlot chart;
        Populate(chart);
        const QString before = State(chart);
        QString error;
        EXPECT_FALSE(chart.LoadPropertiesFromFile(Path("bad.cfg"), &error));
        EXPECT_TRUE(error.startsWith(QString::fromLatin1(c.error))) << error.toStdString();
        EXPECT_EQ(State(chart), before);
        EXPECT_FALSE(chart.UpdateActive());
        EXPECT_TRUE(chart.Master().LayoutManager()->Enabled());
        EXPECT_TRUE(chart.LastPropertiesFileName().isEmpty());
    }
}

TEST_F(PlotFiles, AnnotationFilesReplaceTheAnnotations)
{
    TcXYPlot source;
    source.AddAnnotation();
    source.AddAnnotation();
    source.GetAnnotation(1)->SetText(QStringLiteral("Second"));
    source.GetAnnotation(1)->SetX(2.5);
    QString error;
    ASSERT_TRUE(source.SaveAnnotationsToFile(Path("notes.txt"), &error)) << error.toStdString();
    const QByteArray text = Read("notes.txt");
    EXPECT_TRUE(text.startsWith("AnnotationCount = 2\r\n"));
    EXPECT_TRUE(text.contains("Annotation1.Text = Second\r\n"));

    TcXYPlot target;
    target.AddAnnotation();
    ASSERT_TRUE(target.LoadAnnotationsFromFile(Path("notes.txt"), &error)) << error.toStdString();
    ASSERT_EQ(target.AnnotationCount(), 2);
    EXPECT_EQ(target.GetAnnotation(1)->Text(), QStringLiteral("Second"));
    EXPECT_DOUBLE_EQ(target.GetAnnotation(1)->X(), 2.5);

    Write("bad.txt", "AnnotationCount = 2\r\nAnnotation0.Text = kept?\r\nAnnotation1.X = far\r\n");
    EXPECT_FALSE(target.LoadAnnotationsFromFile(Path("bad.txt"), &error));
    EXPECT_EQ(error, QStringLiteral("Error Loading Annotations - 'far' is not a valid floating point value"));
    ASSERT_EQ(target.AnnotationCount(), 2);
    EXPECT_EQ(target.GetAnnotation(0)->Text(), source.GetAnnotation(0)->Text());
    EXPECT_FALSE(target.UpdateActive());
}

TEST_F(PlotFiles, DataFilesRoundTripInEveryFormat)
{
    struct Case {
        const char* name;
        TcPlotDataFileFormat format;
        TcPlotDataFileColumnSeparator separator;
    } cases[] = {{"text, tab", ipdffText, ipdfcsTab},
                 {"text, comma", ipdffText, ipdfcsComma},
                 {"compact interval", ipdffCompactInterval, ipdfcsTab}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TcXYPlot source;
        source.AddChannel();
        source.SetDataFileFormat(c.format);
        source.SetDataFileColumnSeparator(c.separator);
        for (int i = 0; i < 4; ++i)
            source.GetChannel(0)->AddXY(i * 0.25, i * 1.5);
        source.GetChannel(1)->AddXY(10, 1);
        source.GetChannel(1)->AddXY(20, 2);
        if (c.format == ipdffText) {
            source.GetChannel(1)->AddNull();
            source.GetChannel(1)->AddEmpty();
        }
        QString error;
        ASSERT_TRUE(source.SaveDataToFile(Path("data"), &error)) << error.toStdString();
        EXPECT_EQ(source.LastDataFileName(), Path("data"));

        TcXYPlot target;
        target.AddChannel();
        target.GetChannel(1)->AddXY(-1, -1);
        int loaded = 0;
        target.OnAfterLoadData = [&](TcPlotComponent*) { ++loaded; };
        ASSERT_TRUE(target.LoadDataFromFile(Path("data"), &error)) << error.toStdString();
        EXPECT_EQ(loaded, 1);
        EXPECT_EQ(Points(target, 0), Points(source, 0));
        EXPECT_EQ(Points(target, 1), QStringLiteral("-1:-1 ") + Points(source, 1));
        EXPECT_FALSE(target.UpdateActive());
    }
}

TEST_F(PlotFiles, DataFilesRefuseWithTheirTexts)
{
    TcXYPlot chart;
    chart.SetDataFileFormat(ipdffCompactInterval);
    chart.GetChannel(0)->AddXY(0, 1);
    chart.GetChannel(0)->AddXY(1, 1);
    chart.GetChannel(0)->AddXY(5, 1);
    QString error;
    EXPECT_FALSE(chart.SaveDataToFile(Path("data"), &error));
    EXPECT_EQ(error,
              QStringLiteral("Error Saving Data - Channel 0 X values are not evenly spaced; the Compact "
                             "Interval format can not hold them"));
    EXPECT_EQ(Read("data"), QByteArray("<missing>"));
    EXPECT_TRUE(chart.LastDataFileName().isEmpty());

    // A bad line anywhere adds nothing.
    Write("bad", "A(X),A(Y)\r\n1,2\r\n3,three\r\n");
    EXPECT_FALSE(chart.LoadDataFromFile(Path("bad"), &error));
    EXPECT_EQ(error, QStringLiteral("Error Loading Data - 'three' is not a valid floating point value"));
    EXPECT_EQ(chart.GetChannel(0)->Count(), 3);
    EXPECT_FALSE(chart.UpdateActive());
}

TEST_F(PlotFiles, DataArraysAddOnePointPerChannelOrRows)
{
    TcXYPlot chart;
    chart.AddChannel();
    chart.AddChannel();
    chart.AddDataArray(7, QVariantList{1.0, 5e-301, 5e-302});
    EXPECT_EQ(Points(chart, 0), QStringLiteral("7:1"));
    EXPECT_EQ(Points(chart, 1), QStringLiteral("7:0n"));
    EXPECT_EQ(Points(chart, 2), QStringLiteral("7:0e"));

    chart.AddDataArray(2, QVariantList{QVariantList{10, 11}, QVariantList{20}});
    EXPECT_EQ(Points(chart, 0), QStringLiteral("7:1 9:10 11:11"));
    EXPECT_EQ(Points(chart, 1), QStringLiteral("7:0n 9:20"));

    struct Case {
        const char* name;
        QVariant data;
        const char* error;
    } cases[] = {
        {"scalar", QVariant(1.0), "Data Array must be 1 or 2 Dimensions"},
        {"three dimensions", QVariantList{QVariantList{QVariantList{1}}},
         "Data Array must be 1 or 2 Dimensions"},
        {"text", QVariantList{QStringLiteral("x")}, "Data Array must be 1 or 2 Dimensions"},
        {"too many channels", QVariantList{1, 2, 3, 4}, "Data Array holds more channels than the chart (3)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ErrorOf([&] { chart.AddDataArray(0, c.data); }), QString::fromLatin1(c.error));
        EXPECT_EQ(chart.GetChannel(0)->Count(), 3);
    }
}

TEST_F(PlotFiles, TransferCopiesPointsWithTheirMarks)
{
    TcXYPlot chart;
    chart.AddChannel();
    chart.GetChannel(0)->AddXY(1, 1);
    chart.GetChannel(0)->AddNull();
    chart.GetChannel(0)->AddXY(3, 3);
    chart.TransferChannelData(0, 1, 1, 2);
    EXPECT_EQ(Points(chart, 1), Points(chart, 0).section(QLatin1Char(' '), 1));
    chart.TransferChannelData(0, 1, 2, 1);
    EXPECT_EQ(chart.GetChannel(1)->Count(), 2);
    EXPECT_EQ(ErrorOf([&] { chart.TransferChannelData(0, 1, -1, 1); }),
              QStringLiteral("Start Index Must be 0 or Greater"));
    EXPECT_EQ(ErrorOf([&] { chart.TransferChannelData(0, 1, 0, 3); }),
              QStringLiteral("StopIndex Must Out Of Range"));
}

TEST_F(PlotFiles, ChartLogsRowsAndReadsThemBack)
{
    for (const auto format : {ipdffText, ipdffCompactInterval}) {
        SCOPED_TRACE(format == ipdffText ? "text" : "compact");
        TcXYPlot chart;
        chart.AddChannel();
        chart.GetChannel(0)->SetTitleText(QStringLiteral("A"));
        chart.GetChannel(1)->SetTitleText(QStringLiteral("B"));
        chart.SetDataFileFormat(format);
        chart.SetDataFileColumnSeparator(ipdfcsComma);
        EXPECT_EQ(ErrorOf([&] { chart.LogActivate(false); }), QStringLiteral("Log File Name not Defined"));
        chart.SetLogFileName(Path("log"));
        chart.LogActivate(false);
        EXPECT_TRUE(chart.LoggingActive());
        EXPECT_EQ(ErrorOf([&] { chart.LogActivate(false); }), QStringLiteral("Logging Already Active"));
        EXPECT_EQ(ErrorOf([&] { chart.SetLogFileName(Path("other")); }),
                  QStringLiteral("Log File Name can not be changed while logging is active."));
        EXPECT_EQ(ErrorOf([&] { chart.SetDataFileFormat(format); }),
                  QStringLiteral("Data File Format can not be changed while logging active"));
        EXPECT_EQ(ErrorOf([&] { chart.SetDataFileColumnSeparator(ipdfcsTab); }),
                  QStringLiteral("Data File Column Seperator can not be changed while logging active"));

        // Buffer size 0: each row at once.
        chart.AddDataArray(0, QVariantList{1.5, 2});
        const QByteArray first = Read("log");
        if (format == ipdffText) {
            EXPECT_EQ(first, QByteArray("(X),A(Y),B(Y)\r\n0,1.5,2\r\n"));
        }
        chart.SetLogBufferSize(2);
        chart.AddDataArray(1, QVariantList{3, 5e-301});
        EXPECT_EQ(Read("log"), first);
        chart.AddDataArray(2, QVariantList{4, 6});
        const QByteArray second = Read("log");
        EXPECT_GT(second.size(), first.size());
        chart.AddDataArray(3, QVariantList{7, 8});
        EXPECT_EQ(Read("log"), second);
        chart.LogDeactivate();
        EXPECT_FALSE(chart.LoggingActive());
        EXPECT_EQ(ErrorOf([&] { chart.LogDeactivate(); }), QStringLiteral("Logging not Active"));
        if (format == ipdffText) {
            EXPECT_EQ(Read("log"), QByteArray("(X),A(Y),B(Y)\r\n0,1.5,2\r\n1,3,Null\r\n2,4,6\r\n3,7,8\r\n"));
        }

        TcXYPlot back;
        back.AddChannel();
        QString error;
        ASSERT_TRUE(back.LoadDataFromFile(Path("log"), &error)) << error.toStdString();
        EXPECT_EQ(Points(back, 0), QStringLiteral("0:1.5 1:3 2:4 3:7"));
        EXPECT_EQ(Points(back, 1), format == ipdffText ? QStringLiteral("0:2 1:0n 2:6 3:8")
                                                       : QStringLiteral("0:2 1:0 2:6 3:8"));

        // Appending needs the file; ClearAllData ends logging.
        chart.SetLogFileName(Path("none"));
        EXPECT_TRUE(ErrorOf([&] { chart.LogActivate(true); }).startsWith(QStringLiteral("open '")));
        chart.SetLogFileName(Path("log"));
        chart.LogActivate(true);
        chart.SetLogBufferSize(5);
        chart.AddDataArray(4, QVariantList{9, 9});
        chart.ClearAllData();
        EXPECT_FALSE(chart.LoggingActive());
        EXPECT_EQ(chart.GetChannel(0)->Count(), 0);
        ASSERT_TRUE(back.LoadDataFromFile(Path("log"), &error)) << error.toStdString();
        EXPECT_EQ(back.GetChannel(0)->Count(), 9);
    }
}

TEST_F(PlotFiles, ChannelFilesAndLog)
{
    TcXYPlot chart;
    chart.SetDifferentialPropertySave(true);
    TcXYPlotChannel* ch = chart.GetChannel(0);
    ch->SetTraceLineWidth(3);
    ch->SetTitleText(QStringLiteral("Probe"));
    QString error;
    ASSERT_TRUE(ch->SavePropertiesToFile(Path("channel.cfg"), &error)) << error.toStdString();
    const QByteArray text = Read("channel.cfg");
    EXPECT_TRUE(text.startsWith("File Type = Plot Channel Config\r\n"));
    EXPECT_TRUE(text.contains("\r\nChannel.TraceLineWidth = 3\r\n"));
    EXPECT_FALSE(text.contains("Channel.Color"));
    EXPECT_FALSE(text.contains("Channel.Name"));
    chart.AddChannel();
    ASSERT_TRUE(chart.GetChannel(1)->LoadPropertiesFromFile(Path("channel.cfg"), &error))
        << error.toStdString();
    EXPECT_EQ(chart.GetChannel(1)->TraceLineWidth(), 3);
    EXPECT_EQ(chart.GetChannel(1)->TitleText(), QStringLiteral("Probe"));

    Write("chart.cfg", "File Type = Plot Config\r\n");
    EXPECT_FALSE(ch->LoadPropertiesFromFile(Path("chart.cfg"), &error));
    EXPECT_EQ(error,
              QStringLiteral("Error Loading Properties - Incompatible Plot Channel Configuration File Type"));

    ch->AddXY(1, 2);
    ch->AddNull();
    ch->AddEmpty();
    ch->AddXY(5, 6);
    ASSERT_TRUE(ch->SaveDataToFile(Path("points"), &error));
    EXPECT_EQ(Read("points").count('\n'), 3);
    Write("points2", "1,2\r\n3,null\r\nx\r\n,5\r\n");
    ASSERT_TRUE(chart.GetChannel(1)->LoadDataFromFile(Path("points2"), true, &error)) << error.toStdString();
    EXPECT_EQ(Points(chart, 1), QStringLiteral("1:2 3:0n"));

    // Buffer of 3: points 0-2 at the third, 3-5 at the sixth, 6 when logging ends.
    TcXYPlotChannel* logged = chart.GetChannel(1);
    logged->Clear();
    logged->SetLogFileName(Path("channel.log"));
    logged->SetLogBufferSize(3);
    Write("channel.log", "an old log\r\n");
    logged->LogActivate(false);
    std::vector<int> lines;
    for (int i = 0; i < 7; ++i) {
        logged->AddXY(i, i * 10);
        lines.push_back(int(Read("channel.log").count('\n')));
    }
    EXPECT_EQ(lines, (std::vector<int>{0, 0, 3, 3, 3, 6, 6}));
    logged->LogDeactivate();
    EXPECT_EQ(Read("channel.log").count('\n'), 7);
    EXPECT_TRUE(Read("channel.log").endsWith("6\t60\r\n"));
    logged->SetLogFileName(Path("missing.log"));
    EXPECT_TRUE(ErrorOf([&] { logged->LogActivate(true); }).startsWith(QStringLiteral("open '")));
}

TEST_F(PlotFiles, ControlPropertyFilesKeepPlacementOutUnlessAsked)
{
    for (const bool all : {false, true}) {
        SCOPED_TRACE(all ? "all" : "without placement");
        TcCheckBox box;
        box.SetOptionSaveAllProperties(all);
        box.SetCaption(QStringLiteral("Line one\r\nline two"));
        box.SetChecked(true);
        QString error;
        ASSERT_TRUE(box.SavePropertiesToFile(Path("box.cfg"), &error)) << error.toStdString();
        const QByteArray text = Read("box.cfg");
        EXPECT_TRUE(text.startsWith("File Type = TcCheckBox\r\n"));
        EXPECT_TRUE(text.contains("\r\nCaption = Line one#13#10line two\r\n"));
        EXPECT_EQ(text.contains("\r\nWidth = "), all);
        EXPECT_FALSE(text.contains("\r\nName = "));

        TcCheckBox other;
        ASSERT_TRUE(other.LoadPropertiesFromFile(Path("box.cfg"), &error)) << error.toStdString();
        EXPECT_EQ(other.Caption(), box.Caption());
        EXPECT_TRUE(other.Checked());
        EXPECT_FALSE(other.UpdateActive());
    }
    // Another class's file sets the properties the two share.
    Write("other.cfg", "File Type = TcRadioGroup\r\nCaption = shared\r\nColumns = 3\r\n");
    TcCheckBox box;
    QString error;
    ASSERT_TRUE(box.LoadPropertiesFromFile(Path("other.cfg"), &error)) << error.toStdString();
    EXPECT_EQ(box.Caption(), QStringLiteral("shared"));

    // A bad value anywhere changes nothing.
    Write("bad.cfg", "File Type = TcCheckBox\r\nCaption = changed\r\nChecked = maybe\r\n");
    const QString caption = box.Caption();
    EXPECT_FALSE(box.LoadPropertiesFromFile(Path("bad.cfg"), &error));
    EXPECT_EQ(error, QStringLiteral("Error Loading Properties - 'maybe' is not a valid integer value"));
    EXPECT_EQ(box.Caption(), caption);
    EXPECT_FALSE(box.UpdateActive());
}

TEST_F(PlotFiles, PropertyStreamRebuildsEveryObjectWithItsName)
{
    TcXYPlot source;
    Populate(source);
    source.GetChannel(1)->SetName(QStringLiteral("Output"));
    source.Master().TranslationManager()->Add();
    source.Master().TranslationManager()->Item(0)->SetOriginalString(QStringLiteral("Zoom"));
    TcWriter writer;
    source.WriteToStream(writer);

    TcXYPlot target;
    target.AddChannel();
    target.AddChannel();
    TcReader reader(writer.Data());
    target.ReadFromStream(reader);
    EXPECT_TRUE(reader.AtEnd());
    QString error;
    ASSERT_TRUE(source.SavePropertiesToFile(Path("source.cfg"), &error)) << error.toStdString();
    ASSERT_TRUE(target.SavePropertiesToFile(Path("target.cfg"), &error)) << error.toStdString();
    EXPECT_EQ(Read("target.cfg"), Read("source.cfg"));
    EXPECT_EQ(target.GetChannel(1)->Name(), QStringLiteral("Output"));
    ASSERT_EQ(target.Master().TranslationManager()->Count(), 1);
    EXPECT_EQ(target.Master().TranslationManager()->Item(0)->OriginalString(), QStringLiteral("Zoom"));
    EXPECT_FALSE(target.UpdateActive());
    EXPECT_TRUE(target.Master().LayoutManager()->Enabled());

    // A manager value that is not a collection empties that manager only.
    TcWriter odd;
    odd.WritePropName(QStringLiteral("ChannelManager"));
    odd.WriteInteger(5);
    odd.WriteListEnd();
    TcReader oddReader(odd.Data());
    target.ReadFromStream(oddReader);
    EXPECT_EQ(target.ChannelCount(), 0);
    EXPECT_EQ(target.XAxisCount(), 1);

    // A cut stream raises and leaves the load bracket closed.
    TcReader cut(writer.Data().left(writer.Data().size() / 2));
    EXPECT_EQ(ErrorOf([&] { target.ReadFromStream(cut); }), QStringLiteral("Stream read error"));
    EXPECT_FALSE(target.UpdateActive());
    EXPECT_TRUE(target.Master().LayoutManager()->Enabled());
}

// A strip chart's own channel settings and the chart's OPC items come back from both the property
// stream (the items are a defined property of the chart) and, for the settings, the property file.
TEST_F(PlotFiles, StripChartSettingsAndOPCItemsRoundTrip)
{
    TcPlot source;
    TcPlotChannel* ch = source.GetChannel(0);
    ch->SetBarEnabled(true);
    ch->SetBarStored<double, &TcPlotPointStyle::BarWidth>(7.5);
    ch->SetHighLowStyle(iphlsCandleStick);
    ch->SetHighLowColor<TcPlotChannel::hlBearish>(0x123456);
    ch->SetFillEnabled(true);
    ch->SetFillReference(-2.5);
    ch->SetDigitalReferenceStyle(ipdrPercent);
    ch->SetFastDrawEnabled(false);
    ch->SetInterpolationStyle(ipistCubicSpline);
    ch->SetClipToAxes(true);
    TcOPCItem& item = source.OPCItems().Item(source.OPCAddItem());
    item.SetPropertyName(QStringLiteral("TitleText"));
    item.SetItemName(QStringLiteral("Line.Speed"));
    item.SetAutoConnect(false);

    const auto check = [](TcPlot& target, bool withItems) {
        const TcPlotChannel* c = target.GetChannel(0);
        EXPECT_TRUE(c->BarEnabled());
        EXPECT_EQ((c->BarStored<double, &TcPlotPointStyle::BarWidth>()), 7.5);
        EXPECT_EQ(c->HighLowStyle(), iphlsCandleStick);
        EXPECT_EQ(c->HighLowColor<TcPlotChannel::hlBearish>(), TColor(0x123456));
        EXPECT_TRUE(c->FillEnabled());
        EXPECT_EQ(c->FillReference(), -2.5);
        EXPECT_EQ(c->DigitalReferenceStyle(), ipdrPercent);
        EXPECT_FALSE(c->FastDrawEnabled());
        EXPECT_EQ(c->InterpolationStyle(), ipistCubicSpline);
        EXPECT_TRUE(c->ClipToAxes());
        if (!withItems)
            return;
        ASSERT_EQ(target.OPCItemCount(), 1);
        EXPECT_EQ(target.OPCItems().Item(0).PropertyName(), QStringLiteral("TitleText"));
        EXPECT_EQ(target.OPCItems().Item(0).ItemName(), QStringLiteral("Line.Speed"));
    };
    {
        SCOPED_TRACE("property stream");
        TcWriter writer;
        source.WriteToStream(writer);
        TcPlot target;
        TcReader reader(writer.Data());
        target.ReadFromStream(reader);
        EXPECT_TRUE(reader.AtEnd());
        check(target, true);
    }
    {
        SCOPED_TRACE("property file");
        QString error;
        ASSERT_TRUE(source.SavePropertiesToFile(Path("strip.cfg"), &error)) << error.toStdString();
        TcPlot target;
        ASSERT_TRUE(target.LoadPropertiesFromFile(Path("strip.cfg"), &error)) << error.toStdString();
        check(target, false);
    }
}
