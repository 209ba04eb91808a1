// The chart's property editor on an XY chart: opening it modally and stay-on-top, an edit round
// trip on every page through the controls, the pages greyed out without objects, Add and Remove,
// names mirrored on rename, the title kept in step between the chart page and the label page,
// and numbers or names that cannot be used leaving the property as it was.
#include "ChartFixture.h"

#include "chart/editor/LayoutViewer.h"
#include "chart/editor/PlotEditorForm.h"
#include "chart/objects/PlotDataCursor.h"
#include "chart/objects/PlotLabel.h"
#include "chart/objects/PlotLimit.h"
#include "chart/objects/PlotToolBar.h"
#include "chart/view/StripChart.h"
#include "chart/view/XYPlot.h"
#include "runtime/Timer.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <gtest/gtest.h>

using namespace chart;
using Form = TcPlotEditorForm;

namespace
{

class EditorForm : public ::testing::Test
{
  protected:
    void SetUp() override { chart.SetEditorFormStyle(ipfsStayOnTop); }
    void TearDown() override { TcCustomEditorForm::ModalRunner = nullptr; }

    Form* Open()
    {
        chart.Master().EditProperties();
        Form* f = dynamic_cast<Form*>(chart.Master().Editor());
        EXPECT_NE(f, nullptr);
        return f;
    }
    template <class T> T* Get(Form* f, const char* name)
    {
        auto* w = dynamic_cast<T*>(f->Control(QString::fromLatin1(name)));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QString PropertyText(const fw::TPersistent& o, const QString& name)
    {
        const fw::TPropertyInfo* p = o.PropertyTable().Find(name);
        if (!p)
            return QStringLiteral("<missing>");
        switch (p->Kind) {
        case fw::TPropertyKind::Ordinal:
            return QString::number(p->GetOrdinal(o));
        case fw::TPropertyKind::Float:
            return QString::number(p->GetFloat(o));
        case fw::TPropertyKind::String:
            return p->GetString(o);
        case fw::TPropertyKind::Object:
            break;
        }
        return {};
    }

    struct Installed {
        Installed()
        {
            charttest::EnsureApp();
            InstallPlotEditor();
        }
    } installed;
    charttest::MetricsScope metrics;
    TcXYPlot chart;
};

TEST_F(EditorForm, ModalRunFillsThePagesAndFreesTheFormAfterwards)
{
    chart.SetEditorFormStyle(ipfsModal);
    chart.GetChannelCustom(0)->SetName(QStringLiteral("Flow"));
    int opened = 0, closed = 0;
    chart.OnAfterOpenEditor = [&](TcPlotMasterManager*) { ++opened; };
    chart.OnAfterCloseEditor = [&](QWidget*) { ++closed; };
    bool ran = false;
    TcCustomEditorForm::ModalRunner = [&](TcCustomEditorForm* form) {
        ran = true;
        auto* f = dynamic_cast<Form*>(form);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Caption(), QStringLiteral("Plot"));
        EXPECT_EQ(f->List(Form::pkChannel)->Count(), 1);
        EXPECT_EQ(f->List(Form::pkChannel)->ItemIndex(), 0);
        EXPECT_EQ(Get<TcComponentEditorEdit>(f, "ChannelNameEdit")->AsString(), QStringLiteral("Flow"));
        EXPECT_TRUE(Get<TcComponentEditorEdit>(f, "ChannelNameEdit")->isEnabled());
        // The chart page is filled from the chart.
        EXPECT_EQ(Get<TcComponentEditorEdit>(f, "PrintDocumentNameEdit")->AsString(),
                  chart.PrintDocumentName());
        // Channels are added and removed here only where the chart allows it.
        EXPECT_TRUE(Get<QWidget>(f, "iChannelAddButton")->isHidden());
        f->MainPageControl()->setCurrentIndex(4);
        f->SetModalResult(mrOk);
    };
    chart.Master().EditProperties();
    EXPECT_TRUE(ran);
    EXPECT_EQ(chart.Master().Editor(), nullptr);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closed, 1);
    // The active page is remembered for the next opening.
    EXPECT_EQ(chart.Master().PageIndexes()[0], 4);
}

TEST_F(EditorForm, TheEditorGoesWithItsRunOrItsChart)
{
    // A modal run that ends by an error still frees the form.
    chart.SetEditorFormStyle(ipfsModal);
    TcCustomEditorForm::ModalRunner = [](TcCustomEditorForm*) {
        throw EChartError(QStringLiteral("broken"));
    };
    EXPECT_THROW(chart.Master().EditProperties(), EChartError);
    EXPECT_EQ(chart.Master().Editor(), nullptr);
    // A chart destroyed under its open editor takes the editor along without calling back into it.
    auto other = std::make_unique<TcXYPlot>();
    other->SetEditorFormStyle(ipfsStayOnTop);
    other->Master().EditProperties();
    QPointer<QWidget> window = other->Master().Editor()->Window();
    int closed = 0;
    other->OnAfterCloseEditor = [&](QWidget*) { ++closed; };
    other.reset();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(closed, 0);
}

TEST_F(EditorForm, StayOnTopFormIsReusedAndEditObjectShowsTheObject)
{
    chart.SetUserCanAddRemoveChannels(true);
    Form* f = Open();
    EXPECT_FALSE(Get<QWidget>(f, "iChannelAddButton")->isHidden());
    const int second = chart.Master().AddYAxis();
    TcPlotAxis* axis = chart.GetYAxis(second);
    axis->SetSpan(42);
    chart.Master().EditObject(axis);
    EXPECT_EQ(dynamic_cast<Form*>(chart.Master().Editor()), f);
    EXPECT_EQ(f->MainPageControl()->tabText(f->MainPageControl()->currentIndex()), QStringLiteral("Y-Axes"));
    EXPECT_EQ(f->Selected(Form::pkYAxis), axis);
    EXPECT_EQ(Get<TcComponentEditorEdit>(f, "YAxisSpanEdit")->AsString(), QStringLiteral("42"));
    // Closing it frees it; objects added afterwards no longer reach it.
    QPointer<QWidget> window = f;
    const int yPage = f->MainPageControl()->currentIndex();
    f->close();
    EXPECT_EQ(chart.Master().Editor(), nullptr);
    chart.Master().AddXAxis();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(chart.Master().PageIndexes()[0], yPage); // shown again on the next opening
}

TEST_F(EditorForm, EveryPageWritesItsControlsToTheSelectedObject)
{
    chart.Master().AddTable();
    chart.Master().AddLimit();
    Form* f = Open();
    struct Case {
        Form::TcPageKind page; // -1: the chart page
        const char* control;
        const char* text;
        const char* property;
        const char* expected;
    };
    const Case cases[] = {
        {Form::pkChannel, "ChannelNameEdit", "Flow", "Name", "Flow"},
        {Form::pkChannel, "ChannelTraceLineWidthEdit", "3", "TraceLineWidth", "3"},
        {Form::pkXAxis, "XAxisSpanEdit", "250", "Span", "250"},
        {Form::pkYAxis, "YAxisTitleTextEdit", "Volts", "Title", "Volts"},
        {Form::pkLegend, "LegendColumnSpacingEdit", "9", "ColumnSpacing", "9"},
        {Form::pkToolBar, "ToolBarZoomInOutFactorEdit", "3", "ZoomInOutFactor", "3"},
        {Form::pkDataView, "DataViewGridLineXMajorWidthEdit", "2", "GridLineXMajorWidth", "2"},
        {Form::pkDataCursor, "DataCursorPointer1PositionEdit", "30", "Pointer1Position", "30"},
        {Form::pkLimit, "LimitLine1PositionEdit", "12.5", "Line1Position", "12.5"},
        {Form::pkLabel, "LabelCaptionMemo", "Hello", "Caption", "Hello"},
        {Form::pkTable, "TableRowsMaxEdit", "7", "RowsMax", "7"},
        {Form::pkCount, "OuterMarginLeftEdit", "7", "OuterMarginLeft", "7"},
        {Form::pkCount, "PrintMarginTopEdit", "1.5", "PrintMarginTop", "1.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control);
        auto* edit = Get<TcComponentEditorEdit>(f, c.control);
        ASSERT_NE(edit, nullptr);
        EXPECT_TRUE(edit->isEnabled());
        edit->SetStringWithEvent(QString::fromLatin1(c.text));
        const fw::TPersistent& o =
            c.page == Form::pkCount ? static_cast<const fw::TPersistent&>(chart) : *f->Selected(c.page);
        EXPECT_EQ(PropertyText(o, QString::fromLatin1(c.property)), QString::fromLatin1(c.expected));
    }
    // Check boxes, combo boxes, radio groups and colours go the same way.
    auto* marker = Get<TcComponentEditorCheckBox>(f, "LegendShowMarkerCheckbox");
    marker->SetAsBoolean(false);
    marker->OnClick(marker);
    EXPECT_EQ(PropertyText(*f->Selected(Form::pkLegend), QStringLiteral("ShowColumnMarker")),
              QStringLiteral("0"));
    auto* style = Get<TcComponentEditorComboBox>(f, "LimitStyleComboBox");
    style->SetAsInteger(3);
    style->OnChange(style);
    auto* colour = Get<TcComponentEditorColorPicker>(f, "LimitColorColorPicker");
    colour->SetColor(0x123456);
    colour->OnChange(colour);
    EXPECT_EQ(PropertyText(*f->Selected(Form::pkLimit), QStringLiteral("Style")), QStringLiteral("3"));
    EXPECT_EQ(PropertyText(*f->Selected(Form::pkLimit), QStringLiteral("Color")), QString::number(0x123456));
    auto* border = Get<TcComponentEditorRadioGroup>(f, "BorderStyleRadioGroup");
    border->SetAsInteger(2);
    border->OnClick(border);
    EXPECT_EQ(PropertyText(chart, QStringLiteral("BorderStyle")), QStringLiteral("2"));
}

// Typed text reaches the object on Enter; Escape brings back the last committed text.
TEST_F(EditorForm, EnterCommitsAndEscapeCancelsATypedValue)
{
    Form* f = Open();
    TcPlotAxis* x = chart.GetXAxis(0);
    x->SetSpan(100);
    f->UpdateAll();
    auto* span = Get<TcComponentEditorEdit>(f, "XAxisSpanEdit");
    auto press = [&](int key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(span, &e);
    };
    span->setText(QStringLiteral("77"));
    press(Qt::Key_Escape);
    EXPECT_EQ(span->AsString(), QStringLiteral("100"));
    EXPECT_EQ(x->Span(), 100);
    span->setText(QStringLiteral("88"));
    press(Qt::Key_Return);
    EXPECT_EQ(x->Span(), 88);
    EXPECT_EQ(span->AsString(), QStringLiteral("88"));
}

// The up-down beside a chart margin steps the chart's value, again while it is held.
TEST_F(EditorForm, UpDownStepsTheChartsValue)
{
    fw::FakeTimerScope timers;
    Form* f = Open();
    chart.SetOuterMarginTop(5);
    f->LoadChartPage();
    auto* up = Get<TcUpDown>(f, "OuterMarginTopUpDown");
    const QPoint at(up->width() / 2, 2);
    auto mouse = [&](QEvent::Type type) {
        QMouseEvent e(type, QPointF(at), QPointF(up->mapToGlobal(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(up, &e);
    };
    mouse(QEvent::MouseButtonPress);
    EXPECT_EQ(chart.OuterMarginTop(), 6);
    timers.Fake.Advance(500);
    EXPECT_GT(chart.OuterMarginTop(), 6);
    mouse(QEvent::MouseButtonRelease);
    const int held = chart.OuterMarginTop();
    timers.Fake.Advance(2000);
    EXPECT_EQ(chart.OuterMarginTop(), held);
    EXPECT_EQ(Get<TcComponentEditorEdit>(f, "OuterMarginTopEdit")->AsInteger(), held);
}

TEST_F(EditorForm, NumbersAndNamesThatCannotBeUsedLeaveThePropertyAlone)
{
    Form* f = Open();
    TcPlotAxis* x = chart.GetXAxis(0);
    x->SetSpan(100);
    f->UpdateAll();
    auto* span = Get<TcComponentEditorEdit>(f, "XAxisSpanEdit");
    span->SetStringWithEvent(QStringLiteral("abc"));
    EXPECT_EQ(x->Span(), 100);
    EXPECT_EQ(span->AsString(), QStringLiteral("100")); // reloaded from the axis
    // A channel whose axis name matches no axis shows no selection; another edit keeps the name.
    TcPlotChannelCustom* c = chart.GetChannelCustom(0);
    c->SetXAxisName(QStringLiteral("Nowhere"));
    f->UpdatePage(Form::pkChannel);
    auto* axisBox = Get<TcComponentEditorComboBox>(f, "ChannelXAxisNameComboBox");
    EXPECT_EQ(axisBox->AsInteger(), -1);
    Get<TcComponentEditorEdit>(f, "ChannelTraceLineWidthEdit")->SetStringWithEvent(QStringLiteral("4"));
    EXPECT_EQ(c->TraceLineWidth(), 4);
    EXPECT_EQ(c->XAxisName(), QStringLiteral("Nowhere"));
    // "<None>" chosen on purpose is written as it stands.
    axisBox->SetAsInteger(0);
    axisBox->OnChange(axisBox);
    EXPECT_EQ(c->XAxisName(), QStringLiteral("<None>"));
}

TEST_F(EditorForm, EmptyListsGreyOutTheirPageAndAddRemoveKeepTheSelection)
{
    Form* f = Open();
    ASSERT_EQ(f->List(Form::pkLimit)->Count(), 0);
    EXPECT_FALSE(Get<QWidget>(f, "LimitNameEdit")->isEnabled());
    EXPECT_FALSE(Get<QWidget>(f, "LimitListBox")->isEnabled());
    EXPECT_FALSE(Get<QWidget>(f, "LimitRemoveButton")->isEnabled());
    auto* add = Get<TcComponentEditorButton>(f, "iLimitAddButton");
    EXPECT_TRUE(add->isEnabled());
    for (int i = 0; i < 3; ++i)
        add->click();
    EXPECT_EQ(chart.Master().LimitManager()->Count(), 3);
    EXPECT_EQ(f->List(Form::pkLimit)->Count(), 3);
    EXPECT_EQ(f->List(Form::pkLimit)->ItemIndex(), 2);
    EXPECT_TRUE(Get<QWidget>(f, "LimitNameEdit")->isEnabled());
    TcPlotObject* last = f->Selected(Form::pkLimit);
    f->List(Form::pkLimit)->SetItemIndex(1);
    f->UpdatePage(Form::pkLimit);
    Get<TcComponentEditorButton>(f, "LimitRemoveButton")->click();
    EXPECT_EQ(chart.Master().LimitManager()->Count(), 2);
    EXPECT_EQ(f->List(Form::pkLimit)->Count(), 2);
    EXPECT_EQ(f->Selected(Form::pkLimit), last);
    EXPECT_EQ(Get<TcComponentEditorEdit>(f, "LimitNameEdit")->AsString(), last->Name());
    Get<TcComponentEditorButton>(f, "LimitRemoveButton")->click();
    Get<TcComponentEditorButton>(f, "LimitRemoveButton")->click();
    EXPECT_EQ(f->List(Form::pkLimit)->Count(), 0);
    EXPECT_FALSE(Get<QWidget>(f, "LimitNameEdit")->isEnabled());
    // An object removed by code leaves the page that showed it.
    add->click();
    FreeObject(chart.Master().LimitManager()->Item(0));
    EXPECT_EQ(f->List(Form::pkLimit)->Count(), 0);
    EXPECT_EQ(f->Selected(Form::pkLimit), nullptr);
    EXPECT_FALSE(Get<QWidget>(f, "LimitNameEdit")->isEnabled());
    Get<TcComponentEditorEdit>(f, "LimitNameEdit")
        ->SetStringWithEvent(QStringLiteral("Gone")); // reaches nothing
    // Objects added by code reach the open editor's list, selected.
    const int added = chart.Master().AddXAxis();
    EXPECT_EQ(f->List(Form::pkXAxis)->Count(), added + 1);
    EXPECT_EQ(f->Selected(Form::pkXAxis), chart.GetXAxis(added));
}

TEST_F(EditorForm, RenamingAnAxisUpdatesTheNameBoxesThatShowedIt)
{
    chart.Master().AddLimit();
    Form* f = Open();
    auto* limitY = Get<TcComponentEditorComboBox>(f, "LimitYAxisNameComboBox");
    const QString old = chart.GetYAxis(0)->Name();
    ASSERT_EQ(limitY->AsString(), old);
    auto* channelY = Get<TcComponentEditorComboBox>(f, "ChannelYAxisNameComboBox");
    chart.GetYAxis(0)->SetName(QStringLiteral("Gain"));
    EXPECT_EQ(limitY->AsString(), QStringLiteral("Gain"));
    EXPECT_EQ(channelY->AsString(), QStringLiteral("Gain"));
    // Choosing it on the limit page then links the limit to the renamed axis.
    limitY->OnChange(limitY);
    EXPECT_EQ(chart.Master().LimitManager()->GetItem(0)->YAxisName(), QStringLiteral("Gain"));
    // A box listing Y axes keeps its choice when an X axis of the same name is renamed.
    chart.GetXAxis(0)->SetCartesianChildRefAxisName(QStringLiteral("Gain"));
    f->UpdatePage(Form::pkXAxis);
    auto* childRef = Get<TcComponentEditorComboBox>(f, "XAxisCartesianChildRefAxisNameComboBox");
    ASSERT_EQ(childRef->AsString(), QStringLiteral("Gain"));
    chart.GetXAxis(0)->SetName(QStringLiteral("Gain"));
    chart.GetXAxis(0)->SetName(QStringLiteral("Time"));
    EXPECT_EQ(childRef->AsString(), QStringLiteral("Gain"));
    // The drop-down list starts with "<None>" and lists the axes.
    auto* channelX = Get<TcComponentEditorComboBox>(f, "ChannelXAxisNameComboBox");
    f->RefillNames(channelX, TcEditorNameList::XAxes, Form::pkChannel);
    EXPECT_EQ(channelX->itemText(0), QStringLiteral("<None>"));
    EXPECT_EQ(channelX->itemText(1), chart.GetXAxis(0)->Name());
    // The data view's grid lists end with "<All>".
    auto* grid = Get<TcComponentEditorComboBox>(f, "DataViewGridXAxisNameComboBox");
    EXPECT_EQ(grid->itemText(grid->count() - 1), QStringLiteral("<All>"));
}

TEST_F(EditorForm, TheTitleIsEditedOnTheChartPageAndAsTheFirstLabel)
{
    Form* f = Open();
    TcPlotLabel* title = chart.GetLabel(0);
    EXPECT_FALSE(Get<QWidget>(f, "LabelRemoveButton")->isEnabled());
    Get<TcComponentEditorEdit>(f, "LabelCaptionMemo")->SetStringWithEvent(QStringLiteral("Response"));
    EXPECT_EQ(title->Caption(), QStringLiteral("Response"));
    EXPECT_EQ(Get<TcComponentEditorEdit>(f, "TitleTextEdit")->AsString(), QStringLiteral("Response"));
    auto* visible = Get<TcComponentEditorCheckBox>(f, "TitleVisibleCheckBox");
    visible->SetAsBoolean(false);
    visible->OnClick(visible);
    EXPECT_FALSE(title->Visible());
    EXPECT_FALSE(Get<TcComponentEditorCheckBox>(f, "LabelVisibleCheckBox")->AsBoolean());
    // A second label may be removed.
    Get<TcComponentEditorButton>(f, "iLabelAddButton")->click();
    EXPECT_TRUE(Get<QWidget>(f, "LabelRemoveButton")->isEnabled());
}

TEST_F(EditorForm, ChannelStatisticsShowOnRefreshAndResetOnSelection)
{
    TcPlotChannelCustom* c = chart.GetChannelCustom(0);
    for (double x : {1.0, 2.0, 6.0})
        c->AddXY(x, x * 10);
    Form* f = Open();
    auto* count = Get<QLabel>(f, "ChannelStatsPointCountDisplay");
    auto* memory = Get<QLabel>(f, "ChannelStatsMemoryDisplay");
    auto* yMax = Get<QLabel>(f, "ChannelStatsYMaxDisplay");
    EXPECT_EQ(count->text(), QStringLiteral("Click Refresh"));
    Get<TcComponentEditorButton>(f, "ChannelStatsRefreshButton")->click();
    EXPECT_EQ(count->text(), QStringLiteral("3"));
    EXPECT_EQ(memory->text(), QString::number(c->MemoryUsed()) + QStringLiteral(" Bytes"));
    EXPECT_EQ(yMax->text(), c->YAxis()->GetLabelText(60));
    f->List(Form::pkChannel)->OnClick(f->List(Form::pkChannel));
    EXPECT_EQ(count->text(), QStringLiteral("Click Refresh"));
}

TEST_F(EditorForm, LayoutMenuOffersWhatThePressedObjectAllows)
{
    Form* f = Open();
    QMenu* menu = f->LayoutPopupMenu();
    auto item = [&](const char* caption) -> QAction* {
        for (QAction* a : menu->actions())
            if (a->text() == QLatin1String(caption))
                return a;
        ADD_FAILURE() << caption;
        return nullptr;
    };
    f->SetPopupObject(nullptr);
    f->LayoutPopupMenuPopup();
    EXPECT_FALSE(item("Delete")->isEnabled());
    EXPECT_FALSE(item("Edit")->isEnabled());
    // The chart title cannot be deleted, but can be hidden.
    TcPlotLabel* title = chart.GetLabel(0);
    f->SetPopupObject(title);
    f->LayoutPopupMenuPopup();
    EXPECT_FALSE(item("Delete")->isEnabled());
    EXPECT_TRUE(item("Visible")->isChecked());
    item("Visible")->trigger();
    EXPECT_FALSE(title->Visible());
    // A press on the layout viewer chooses the block under it; "Edit" on a Y axis shows it on its page.
    const int second = chart.Master().AddYAxis();
    f->List(Form::pkYAxis)->SetItemIndex(0);
    TcPlotLayoutViewer* viewer = f->LayoutViewer();
    f->MainPageControl()->setCurrentWidget(f->LayoutPage());
    viewer->grab();
    QPoint at(-1, -1);
    for (int y = 0; y < viewer->height() && at.x() < 0; y += 2)
        for (int x = 0; x < viewer->width() && at.x() < 0; x += 2)
            if (viewer->GetMouseOverBlock(x, y) == chart.GetYAxis(second))
                at = QPoint(x, y);
    ASSERT_GE(at.x(), 0);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, QPointF(at), QPointF(viewer->mapToGlobal(at)), Qt::RightButton,
                      type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewer, &e);
    }
    EXPECT_EQ(f->PopupObject(), chart.GetYAxis(second));
    f->LayoutPopupMenuPopup();
    EXPECT_TRUE(item("Delete")->isEnabled());
    item("Edit")->trigger();
    EXPECT_EQ(f->MainPageControl()->tabText(f->MainPageControl()->currentIndex()), QStringLiteral("Y-Axes"));
    EXPECT_EQ(f->Selected(Form::pkYAxis), chart.GetYAxis(second));
    // After "Delete" the menu offers nothing for the object that is gone.
    item("Delete")->trigger();
    EXPECT_EQ(chart.Master().YAxisManager()->Count(), 1);
    EXPECT_EQ(f->PopupObject(), nullptr);
    f->LayoutPopupMenuPopup();
    EXPECT_FALSE(item("Edit")->isEnabled());
    item("XY-Axes Reverse")->trigger();
    EXPECT_TRUE(chart.Master().XYAxesReverse());
}

TEST_F(EditorForm, CopyDefaultWritesTheDefaultLabelFormatIntoTheCursorFormat)
{
    Form* f = Open();
    TcPlotAxis* x = chart.GetXAxis(0);
    auto* style = Get<TcComponentEditorComboBox>(f, "XAxisLabelFormatStyleComboBox");
    style->SetAsInteger(3); // "Date/Time"
    style->OnChange(style);
    auto* format = Get<TcComponentEditorComboBox>(f, "XAxisLabelDateTimeFormatComboBox");
    format->SetAsString(QStringLiteral("hh:nn:ss"));
    format->OnChange(format);
    ASSERT_EQ(int(x->LabelsFormatStyle()), 3);
    Get<TcComponentEditorButton>(f, "XAxisCursorCopyDefaultButton")->click();
    EXPECT_EQ(int(x->CursorFormatStyle()), 3);
    EXPECT_EQ(x->CursorDateTimeFormat(), QStringLiteral("hh:nn:ss"));
    EXPECT_EQ(Get<TcComponentEditorComboBox>(f, "XAxisCursorFormatStyleComboBox")->AsInteger(), 3);
    // The legend format is left alone.
    EXPECT_NE(int(x->LegendFormatStyle()), 3);
}

TEST_F(EditorForm, TheCursorMenusEditOpensTheEditorOnTheCursor)
{
    TcPlotDataCursor* cursor = chart.GetDataCursor(0);
    TcPopupMenu menu;
    cursor->FillPopupMenu(menu);
    auto edit = std::find_if(menu.Items.begin(), menu.Items.end(),
                             [](const TcMenuItem& i) { return i.Caption == QLatin1String("Edit..."); });
    ASSERT_NE(edit, menu.Items.end());
    edit->OnClick();
    auto* f = dynamic_cast<Form*>(chart.Master().Editor());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->MainPageControl()->tabText(f->MainPageControl()->currentIndex()), QStringLiteral("Cursors"));
    EXPECT_EQ(f->Selected(Form::pkDataCursor), cursor);
}

TEST_F(EditorForm, TheToolBarsEditButtonOpensTheEditor)
{
    TcPlotToolBar* bar = chart.GetToolBar(0);
    chart.resize(400, 300);
    chart.ReCalcLayout();
    chart.grab(); // a paint brings the command buttons up to date
    TcPlotToolBarButton* edit = nullptr;
    for (int i = 0; i < bar->ButtonCount(); ++i)
        if (bar->Button(i)->ButtonType() == iptbbtEdit && bar->Button(i)->Style() != iptbbsSpacer)
            edit = bar->Button(i);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->Enabled());
    const QPointF at(edit->DrawRect().Left + 5, edit->DrawRect().Top + 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&chart, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&chart, &release);
    ASSERT_NE(chart.Master().Editor(), nullptr);
    EXPECT_TRUE(chart.Master().Editor()->Window()->isVisible());
}

TEST_F(EditorForm, TranslationReachesTheForm)
{
    const int i = chart.Master().AddTranslation();
    chart.Master().TranslationManager()->Item(i)->SetOriginalString(QStringLiteral("Plot"));
    chart.Master().TranslationManager()->Item(i)->SetReplacementString(QStringLiteral("Diagramm"));
    const int solid = chart.Master().AddTranslation();
    chart.Master().TranslationManager()->Item(solid)->SetOriginalString(QStringLiteral("Linear"));
    chart.Master().TranslationManager()->Item(solid)->SetReplacementString(QStringLiteral("Linear!"));
    const int none = chart.Master().AddTranslation();
    chart.Master().TranslationManager()->Item(none)->SetOriginalString(QStringLiteral("<None>"));
    chart.Master().TranslationManager()->Item(none)->SetReplacementString(QStringLiteral("(keine)"));
    Form* f = Open();
    EXPECT_EQ(f->Caption(), QStringLiteral("Diagramm"));
    EXPECT_EQ(Get<TcComponentEditorRadioGroup>(f, "XAxisScaleTypeRadioGroup")->Items().at(0),
              QStringLiteral("Linear!"));
    auto* channelX = Get<TcComponentEditorComboBox>(f, "ChannelXAxisNameComboBox");
    f->RefillNames(channelX, TcEditorNameList::XAxes, Form::pkChannel);
    EXPECT_EQ(channelX->itemText(0), QStringLiteral("(keine)"));
}

// Every field of every page names a property its object has (the strip-chart fields on a strip
// chart's channel); the commands name none.
TEST_F(EditorForm, PageTablesNameExistingProperties)
{
    chart.Master().AddTable();
    chart.Master().AddLimit();
    auto& m = chart.Master();
    TcPlot strip;
    const std::pair<const TcEditorPageTable*, const fw::TPersistent*> pages[] = {
        {&ChannelPageTable(), m.ChannelManager()->Item(0)},
        {&ChannelPageTable(), strip.GetChannel(0)},
        {&XAxisPageTable(), m.XAxisManager()->Item(0)},
        {&YAxisPageTable(), m.YAxisManager()->Item(0)},
        {&LegendPageTable(), m.LegendManager()->Item(0)},
        {&ToolBarPageTable(), m.ToolBarManager()->Item(0)},
        {&DataViewPageTable(), m.DataViewManager()->Item(0)},
        {&DataCursorPageTable(), m.DataCursorManager()->Item(0)},
        {&LimitPageTable(), m.LimitManager()->Item(0)},
        {&LabelPageTable(), m.LabelManager()->Item(0)},
        {&TablePageTable(), m.TableManager()->Item(0)},
        {&ControlPageTable(), &chart},
    };
    for (const auto& [table, object] : pages) {
        SCOPED_TRACE(table->Prefix.toStdString());
        for (const TcEditorField& f : table->Fields) {
            SCOPED_TRACE(f.Control.toStdString());
            const bool command = f.Kind == TcEditorFieldKind::Button ||
                                 f.Kind == TcEditorFieldKind::OpenFile ||
                                 f.Kind == TcEditorFieldKind::SaveFile;
            EXPECT_EQ(f.Property.isEmpty(), command);
            const bool stripField = f.StripOnly && !dynamic_cast<const TcPlotChannel*>(object);
            if (!command && !stripField) {
                EXPECT_NE(object->PropertyTable().Find(f.Property), nullptr);
            }
            EXPECT_TRUE(f.Control.startsWith(table->Prefix) || table->Prefix == QLatin1String("Control"));
        }
    }
}

} // namespace
