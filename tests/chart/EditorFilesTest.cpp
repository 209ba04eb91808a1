// The property editor's "File I/O" pages over a fake file dialog: the chart's and the channel's
// properties, data and annotations saved and loaded through the pickers, refused files shown and
// leaving what was there, logging switched on and off with its controls following; and the strip
// chart's own channel tabs bound to its channel both ways (hidden on an XY chart).
#include "ChartFixture.h"
#include "FakeDialogs.h"

#include "chart/editor/PlotEditorForm.h"
#include "chart/objects/PlotAnnotation.h"
#include "chart/view/PlotForms.h"
#include "chart/view/StripChart.h"
#include "chart/view/XYPlot.h"

#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace chart;
using charttest::FakeDialogs;
using EditForm = TcPlotEditorForm;

namespace
{

class EditorFiles : public ::testing::Test
{
  protected:
    EditorFiles()
    {
        charttest::EnsureApp();
        InstallPlotEditor();
        // Messages are recorded instead of shown.
        SetChartModalRunner([this](QDialog& d) {
            if (auto* box = qobject_cast<QMessageBox*>(&d))
                Messages << box->text();
            return 0;
        });
    }
    ~EditorFiles() override { SetChartModalRunner(nullptr); }

    EditForm* OpenOn(TcPlotComponent& chart)
    {
        chart.SetEditorFormStyle(ipfsStayOnTop);
        chart.Master().EditProperties();
        auto* f = dynamic_cast<EditForm*>(chart.Master().Editor());
        EXPECT_NE(f, nullptr);
        return f;
    }
    template <class T> static T* Find(EditForm* f, const char* name)
    {
        auto* w = dynamic_cast<T*>(f->Control(QString::fromLatin1(name)));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The dialog answers with File; then the named picker or button is clicked.
    void Pick(EditForm* f, const char* control, const QString& File)
    {
        Dialogs.Files = {File};
        Find<QPushButton>(f, control)->click();
    }
    QString Path(const char* name) const { return Dir.filePath(QString::fromLatin1(name)); }
    static int Points(const TcPlotComponent& chart, int c) { return chart.GetChannelCustom(c)->Count(); }

    charttest::MetricsScope Metrics;
    FakeDialogs Dialogs;
    QTemporaryDir Dir;
    QStringList Messages;
};

TEST_F(EditorFiles, ChartFilesGoThroughThePickersAndRefusedOnesLeaveTheChart)
{
    TcXYPlot chart;
    chart.SetDefaultPropertyDirectory(Dir.path());
    chart.SetTitleText(QStringLiteral("Saved"));
    chart.GetChannelCustom(0)->SetName(QStringLiteral("Flow"));
    for (int i = 0; i < 3; ++i)
        chart.GetChannelCustom(0)->AddXY(i, i * 2);
    chart.AddAnnotation();
    chart.GetAnnotation(0)->SetText(QStringLiteral("Note"));
    EditForm* f = OpenOn(chart);

    // Properties: saved, changed, loaded back; every page shows the loaded chart.
    Pick(f, "ControlPropertiesSavePicker", Path("chart.cfg"));
    ASSERT_TRUE(QFile::exists(Path("chart.cfg")));
    chart.SetTitleText(QStringLiteral("Changed"));
    chart.GetChannelCustom(0)->SetName(QStringLiteral("Other"));
    chart.AddChannel();
    f->UpdateAll();
    Pick(f, "ControlPropertiesOpenPicker", Path("chart.cfg"));
    const TcFileDialogRequest& asked = Dialogs.Requests.back();
    EXPECT_TRUE(asked.FileMustExist);
    EXPECT_EQ(asked.InitialDir, Dir.path());
    EXPECT_EQ(asked.DefaultExt, QStringLiteral("cfg"));
    EXPECT_EQ(chart.TitleText(), QStringLiteral("Saved"));
    ASSERT_EQ(chart.ChannelCount(), 1);
    EXPECT_EQ(f->List(EditForm::pkChannel)->Count(), 1);
    EXPECT_EQ(Find<TcComponentEditorEdit>(f, "ChannelNameEdit")->AsString(), QStringLiteral("Flow"));
    EXPECT_EQ(Find<TcComponentEditorEdit>(f, "TitleTextEdit")->AsString(), QStringLiteral("Saved"));

    // Data: a load replaces the points; a file that cannot be read is shown and leaves them.
    for (int i = 0; i < 3; ++i)
        chart.GetChannelCustom(0)->AddXY(i, i * 2);
    Pick(f, "ControlDataSavePicker", Path("chart.dat"));
    chart.GetChannelCustom(0)->AddXY(7, 7);
    Pick(f, "ControlDataOpenPicker", Path("chart.dat"));
    EXPECT_EQ(Points(chart, 0), 3);
    {
        QFile bad(Path("bad.dat"));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("(X)\tFlow(Y)\r\n1\t2\r\n3\tthree\r\n");
    }
    Pick(f, "ControlDataOpenPicker", Path("bad.dat"));
    EXPECT_EQ(Points(chart, 0), 3);
    ASSERT_EQ(Messages.size(), 1);
    EXPECT_EQ(Messages[0],
              QStringLiteral("Error Loading Data - 'three' is not a valid floating point value"));

    // Annotations.
    chart.AddAnnotation();
    chart.GetAnnotation(0)->SetText(QStringLiteral("Note"));
    Pick(f, "ControlAnnotationSavePicker", Path("notes.ano"));
    chart.RemoveAllAnnotations();
    Pick(f, "ControlAnnotationOpenPicker", Path("notes.ano"));
    ASSERT_EQ(chart.AnnotationCount(), 1);
    EXPECT_EQ(chart.GetAnnotation(0)->Text(), QStringLiteral("Note"));
    EXPECT_EQ(Messages.size(), 1);
}

TEST_F(EditorFiles, ChannelFilesGoThroughThePickers)
{
    TcXYPlot chart;
    chart.AddChannel();
    TcPlotChannelCustom* second = chart.GetChannelCustom(1);
    second->SetTraceLineWidth(4);
    for (int i = 0; i < 4; ++i)
        second->AddXY(i, -i);
    EditForm* f = OpenOn(chart);
    f->List(EditForm::pkChannel)->SetItemIndex(1);
    f->UpdatePage(EditForm::pkChannel);

    Pick(f, "ChannelPropertiesSavePicker", Path("channel.cfg"));
    Pick(f, "ChannelDataSavePicker", Path("channel.dat"));
    second->SetTraceLineWidth(1);
    second->AddXY(9, 9);
    f->UpdatePage(EditForm::pkChannel);
    Pick(f, "ChannelPropertiesOpenPicker", Path("channel.cfg"));
    Pick(f, "ChannelDataOpenPicker", Path("channel.dat"));
    EXPECT_EQ(second->TraceLineWidth(), 4);
    EXPECT_EQ(Find<TcComponentEditorEdit>(f, "ChannelTraceLineWidthEdit")->AsInteger(), 4);
    EXPECT_EQ(second->Count(), 4); // the old points were cleared
    EXPECT_EQ(chart.GetChannelCustom(0)->TraceLineWidth(), 1);
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join(QLatin1Char('\n')).toStdString();
}

// The chart's and the channel's logging from their "File I/O" pages.
TEST_F(EditorFiles, LogActivateAndDeactivateFollowTheLoggingState)
{
    struct Case {
        const char* prefix;
        std::function<bool(TcPlotComponent&)> active;
        std::function<QString(TcPlotComponent&)> file;
    };
    const Case cases[] = {
        {"Control", [](TcPlotComponent& c) { return c.LoggingActive(); },
         [](TcPlotComponent& c) { return c.LogFileName(); }},
        {"Channel", [](TcPlotComponent& c) { return c.GetChannelCustom(0)->LoggingActive(); },
         [](TcPlotComponent& c) { return c.GetChannelCustom(0)->LogFileName(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefix);
        TcXYPlot chart;
        EditForm* f = OpenOn(chart);
        Messages.clear();
        const QString prefix = QString::fromLatin1(c.prefix);
        const auto find = [&](const char* tail) { return f->Control(prefix + QString::fromLatin1(tail)); };
        QWidget* on = find("LogActivateButton");
        QWidget* off = find("LogDeactivateButton");
        auto* edit = dynamic_cast<TcComponentEditorEdit*>(find("LogFileNameEdit"));
        QWidget* picker = find("LogFileNamePicker");
        ASSERT_TRUE(on && off && edit && picker);

        // Without a file name the refusal is shown and nothing changes.
        static_cast<QPushButton*>(on)->click();
        EXPECT_FALSE(c.active(chart));
        ASSERT_EQ(Messages.size(), 1);
        EXPECT_EQ(Messages[0], QStringLiteral("Log File Name not Defined"));
        EXPECT_TRUE(on->isEnabled());
        EXPECT_FALSE(off->isEnabled());

        // The picker's file goes into the edit and the object.
        const QString log = Path("run.log");
        Dialogs.Files = {log};
        static_cast<QPushButton*>(picker)->click();
        EXPECT_EQ(edit->AsString(), log);
        EXPECT_EQ(c.file(chart), log);

        static_cast<QPushButton*>(on)->click();
        EXPECT_TRUE(c.active(chart));
        EXPECT_TRUE(QFile::exists(log));
        EXPECT_FALSE(on->isEnabled());
        EXPECT_TRUE(off->isEnabled());
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_EQ(edit->AsString(), log); // shown, not editable
        EXPECT_FALSE(picker->isEnabled());

        static_cast<QPushButton*>(off)->click();
        EXPECT_FALSE(c.active(chart));
        EXPECT_TRUE(on->isEnabled());
        EXPECT_FALSE(off->isEnabled());
        EXPECT_TRUE(edit->isEnabled());
        EXPECT_TRUE(picker->isEnabled());
        EXPECT_EQ(Messages.size(), 1);
    }
}

// The strip chart's channel tabs write their controls to the channel and show its values.
TEST_F(EditorFiles, StripChartChannelFieldsRoundTrip)
{
    TcPlot chart;
    TcPlotChannel* ch = chart.GetChannel(0);
    EditForm* f = OpenOn(chart);
    auto* tabs = Find<QTabWidget>(f, "ChannelPageControl");
    for (int i = 0; i < tabs->count(); ++i)
        EXPECT_TRUE(tabs->isTabVisible(i)) << tabs->tabText(i).toStdString();
    EXPECT_FALSE(Find<QWidget>(f, "ChannelFastDrawCheckBox")->isHidden());
    EXPECT_FALSE(Find<QWidget>(f, "ChannelInterpolationStyleLabel")->isHidden());

    struct EditCase {
        const char* control;
        const char* text;
        std::function<double()> value;
    };
    const EditCase edits[] = {
        {"ChannelBarWidthEdit", "7.5", [ch] { return ch->BarStored<double, &TcPlotPointStyle::BarWidth>(); }},
        {"ChannelFillReferenceEdit", "-3", [ch] { return ch->FillReference(); }},
        {"ChannelDigitalReferenceHighEdit", "80", [ch] { return ch->DigitalReferenceHigh(); }},
        {"ChannelHighLowOpenHeightEdit", "2",
         [ch] { return ch->HighLowSize<TcPlotChannel::hlOpenHeight>(); }},
    };
    for (const EditCase& c : edits) {
        SCOPED_TRACE(c.control);
        Find<TcComponentEditorEdit>(f, c.control)->SetStringWithEvent(QString::fromLatin1(c.text));
        EXPECT_EQ(c.value(), QString::fromLatin1(c.text).toDouble());
    }
    struct ComboCase {
        const char* control;
        int index;
        std::function<int()> value;
    };
    const ComboCase combos[] = {
        {"ChannelInterpolationStyleComboBox", 2, [ch] { return int(ch->InterpolationStyle()); }},
        {"ChannelHighLowStyleComboBox", 1, [ch] { return int(ch->HighLowStyle()); }},
        {"ChannelDigitalReferenceStyleComboBox", 1, [ch] { return int(ch->DigitalReferenceStyle()); }},
        {"ChannelBarBrushStyleComboBox", 4,
         [ch] { return int(ch->BarStored<TcBrushStyleValue, &TcPlotPointStyle::BarBrushStyle>()); }},
    };
    for (const ComboCase& c : combos) {
        SCOPED_TRACE(c.control);
        auto* box = Find<TcComponentEditorComboBox>(f, c.control);
        box->SetAsInteger(c.index);
        box->OnChange(box);
        EXPECT_EQ(c.value(), c.index);
    }
    auto* bar = Find<TcComponentEditorCheckBox>(f, "ChannelBarEnabledCheckBox");
    bar->SetAsBoolean(true);
    bar->OnClick(bar);
    EXPECT_TRUE(ch->BarEnabled());
    auto* bearish = Find<TcComponentEditorColorPicker>(f, "ChannelHighLowBearishColorColorPicker");
    bearish->SetColor(0x224466);
    bearish->OnChange(bearish);
    EXPECT_EQ(ch->HighLowColor<TcPlotChannel::hlBearish>(), TColor(0x224466));

    // Values set on the channel show on the next load of the page.
    ch->SetFastDrawEnabled(false);
    ch->SetDigitalReferenceLow(15);
    ch->SetFillEnabled(true);
    f->UpdateAll();
    EXPECT_FALSE(Find<TcComponentEditorCheckBox>(f, "ChannelFastDrawCheckBox")->AsBoolean());
    EXPECT_EQ(Find<TcComponentEditorEdit>(f, "ChannelDigitalReferenceLowEdit")->AsString(),
              QStringLiteral("15"));
    EXPECT_TRUE(Find<TcComponentEditorCheckBox>(f, "ChannelFillEnabledCheckBox")->AsBoolean());
    EXPECT_EQ(Find<TcComponentEditorComboBox>(f, "ChannelInterpolationStyleComboBox")->AsInteger(), 2);
}

TEST_F(EditorFiles, XYChartHidesTheStripChartTabsAndFields)
{
    TcXYPlot chart;
    EditForm* f = OpenOn(chart);
    auto* tabs = Find<QTabWidget>(f, "ChannelPageControl");
    QStringList shown;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i))
            shown << tabs->tabText(i);
    EXPECT_EQ(shown.join(QLatin1Char(',')), QStringLiteral("General,Trace,Marker,File I/O,Stats"));
    for (const char* hidden : {"ChannelFastDrawCheckBox", "ChannelClipToAxesCheckBox",
                               "ChannelInterpolationStyleComboBox", "ChannelInterpolationStyleLabel"})
        EXPECT_TRUE(Find<QWidget>(f, hidden)->isHidden()) << hidden;
}

} // namespace
