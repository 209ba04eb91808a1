// The chart object model: managers and their default names, colours and links, two-phase
// announcement, the object base (percent clamps, rename, focus fan-out, popup, auto-repeat
// button, sort keys), the sorted lists, translations and the layout manager.
#include "ChartFixture.h"

#include "chart/objects/PlotLabel.h"
#include "chart/view/XYPlot.h"
#include "framework/Control.h"
#include "runtime/Timer.h"

#include "ErrorOf.h"
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace chart;
using namespace charttest;

namespace
{

class ObjectModel : public ::testing::Test
{
  protected:
    void SetUp() override { EnsureApp(); }
};

using charttest::ErrorOf;

TEST_F(ObjectModel, ManagersAnnounceThemselvesAfterConstruction)
{
    Host h;
    auto& m = h.Master();
    EXPECT_NE(m.ObjectManager(), nullptr);
    EXPECT_NE(m.ChannelManager(), nullptr);
    EXPECT_NE(m.LayoutManager(), nullptr);
    EXPECT_NE(m.TranslationManager(), nullptr);
    EXPECT_NE(m.AnnotationManager(), nullptr);
    // The placeholders are filed with the object list and the layout manager.
    EXPECT_EQ(m.ObjectManager()->Count(), 2);
    EXPECT_EQ(m.LayoutManager()->DataViewHorz()->Name(), "Data View");
    EXPECT_EQ(m.LayoutManager()->DataViewVert()->ZOrder(), 1);
}

TEST_F(ObjectModel, RemovalIsAnnouncedBeforeDestructionWithTheRealKind)
{
    Host h;
    std::vector<QString> removed;
    h.Master().OnRemove = [&](TcPersistent* s) {
        if (auto* c = dynamic_cast<TcPlotChannelCustom*>(s))
            removed.push_back(c->Name());
    };
    h.Master().AddChannel();
    h.Master().AddChannel();
    FreeObject(h.Channel(0));
    EXPECT_EQ(removed, std::vector<QString>{"Channel 1"});
    EXPECT_EQ(h.Master().ChannelManager()->Count(), 1);
    EXPECT_EQ(h.Master().ObjectManager()->GetIndex(h.Channel(0)), 2);
}

TEST_F(ObjectModel, DefaultNames)
{
    Host h;
    auto& m = h.Master();
    m.AddXAxis();
    EXPECT_EQ(h.X()->Name(), "X-Axis 1");
    EXPECT_EQ(h.X()->Title(), "X-Axis 1");
    FreeObject(h.X());
    m.AddXAxis();
    EXPECT_EQ(h.X()->Name(), "X-Axis 1");
    h.X()->SetName("x-axis 7");
    m.AddXAxis();
    EXPECT_EQ(h.X(1)->Name(), "X-Axis 8");

    struct Case {
        const char* name;
        QString existing;
        QString next;
    } cases[] = {
        {"leading zero counts", "Channel 02", "Channel 3"},
        {"trailing text ignored", "Channel 2b", "Channel 1"},
        {"bare stem ignored", "Channel", "Channel 1"},
        {"other stems ignored", "Chan 9", "Channel 1"},
        {"leading blanks allowed", "Channel   5", "Channel 6"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Host k;
        k.Master().AddChannel();
        k.Channel()->SetName(c.existing);
        k.Master().AddChannel();
        EXPECT_EQ(k.Channel(1)->Name(), c.next);
    }
}

TEST_F(ObjectModel, ChannelColoursAndLinks)
{
    Host h;
    auto& m = h.Master();
    m.AddChannel();
    EXPECT_TRUE(h.Channel()->XAxisName().isEmpty()); // no axes yet
    m.AddXAxis();
    m.AddYAxis();
    for (int i = 1; i < 30; ++i)
        m.AddChannel();
    EXPECT_EQ(h.Channel(0)->Color(), fw::clRed);
    EXPECT_EQ(h.Channel(1)->Color(), fw::clYellow);
    EXPECT_EQ(h.Channel(2)->Color(), fw::clBlue);
    EXPECT_EQ(h.Channel(1)->XAxisName(), "X-Axis 1");
    EXPECT_EQ(h.Channel(1)->TitleText(), "Channel 2");
    // 30 channels hold the 30 palette colours once each (the first two are red and yellow);
    // the 31st takes yellow.
    for (int i = 0; i < 30; ++i)
        h.Channel(i)->SetColor(ChannelPalette[i]);
    m.AddChannel();
    EXPECT_EQ(h.Channel(30)->Color(), fw::clYellow);

    m.AddDataCursor();
    EXPECT_EQ(m.DataCursorManager()->GetItem(0)->ChannelName(), "Channel 1");
    Host empty;
    empty.Master().AddDataCursor();
    EXPECT_TRUE(empty.Master().DataCursorManager()->GetItem(0)->ChannelName().isEmpty());
}

TEST_F(ObjectModel, ConstructorChecksInOrder)
{
    Host h;
    TcPlotHandlers all{[](TcPersistent*) {}, [](TcPersistent*) {}, [](TcPersistent*) {},
                       [](TcPersistent*) {}};
    struct Case {
        const char* name;
        bool owner;
        int drop; // 0 none, 1 change, 2 insert, 3 remove, 4 rename
        QString object, manager;
    } cases[] = {
        {"owner", false, 1, "Owner must be assigned", "Owner must be Assigned"},
        {"change", true, 1, "OnChange event handler can not be null",
         "OnChange event handler can not be null"},
        {"insert", true, 2, "OnInsert event handler can not be null",
         "OnInsert event handler can not be null"},
        {"remove", true, 3, "OnRemove event handler can not be null",
         "OnRemove event handler can not be null"},
        {"rename", true, 4, "AOnRename event handler can not be null",
         "AOnRename event handler can not be null"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TcPlotHandlers hs = all;
        if (c.drop == 1)
            hs.OnChange = nullptr;
        if (c.drop == 2)
            hs.OnInsert = nullptr;
        if (c.drop == 3)
            hs.OnRemove = nullptr;
        if (c.drop == 4)
            hs.OnRename = nullptr;
        TcPlotOwner* owner = c.owner ? &h : nullptr;
        EXPECT_EQ(ErrorOf([&] { TcPlotLegend l(owner, hs); }), c.object);
        EXPECT_EQ(ErrorOf([&] { TcPlotLegendManager l(owner, hs); }), c.manager);
    }
    EXPECT_EQ(ErrorOf([&] { h.Master().ObjectManager()->CreateObject(); }),
              "Object Manager does not support creation of objects");
}

TEST_F(ObjectModel, PercentClampsRenameAndKeys)
{
    Host h;
    h.Master().AddLegend();
    TcPlotLegend* l = h.Master().LegendManager()->GetItem(0);
    struct Case {
        const char* name;
        double start0, stop0;
        bool setStart;
        double value, start, stop;
    } cases[] = {
        {"start near the top", 0, 100, true, 99.5, 99, 100},
        {"stop near the bottom", 0, 100, false, 0.5, 0, 1},
        {"negative start", 20, 100, true, -5, 0, 100},
        {"stop above 100", 0, 50, false, 120, 0, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        l->SetStartStopPercent(c.start0, c.stop0);
        if (c.setStart)
            l->SetStartPercent(c.value);
        else
            l->SetStopPercent(c.value);
        EXPECT_EQ(l->StartPercent(), c.start);
        EXPECT_EQ(l->StopPercent(), c.stop);
    }

    l->SetName("Legend 1");
    const int before = h.Changes;
    l->SetName("Legend 1");
    EXPECT_EQ(h.Changes, before);
    l->SetName("LEGEND 1");
    EXPECT_EQ(h.Changes, before + 1);
    EXPECT_EQ(l->NameOld(), "Legend 1");

    l->SetZOrder(3);
    l->SetStartStopPercent(12.6, 50);
    EXPECT_EQ(l->GetLayerKey(), "000100");
    EXPECT_EQ(l->GetZOrderKey(), "003");
    EXPECT_EQ(l->GetStartPercentKey(), "013");
    EXPECT_EQ(TcPlotLayoutManager::SideKey(l), "003013");
    l->SetZOrder(2);
    l->SetStartStopPercent(37.5, 50);
    EXPECT_EQ(TcPlotLayoutManager::SideKey(l), "002038");
    l->SetStartStopPercent(36.5, 50);
    EXPECT_EQ(TcPlotLayoutManager::SideKey(l), "002036");
}

TEST_F(ObjectModel, SelectingADataViewDeselectsAToolbar)
{
    Host h;
    h.Master().AddToolBar();
    h.Master().AddDataView();
    auto* tb = h.Master().ToolBarManager()->GetItem(0);
    auto* dv = h.Master().DataViewManager()->GetItem(0);
    tb->SetUserSelected(true);
    h.Events.clear();
    dv->SetUserSelected(true);
    EXPECT_FALSE(tb->UserSelected());
    std::vector<std::pair<TcPlotEventKind, TcPlotObject*>> got;
    for (const auto& e : h.Events)
        got.push_back({e.Kind, e.Object});
    EXPECT_EQ(got, (std::vector<std::pair<TcPlotEventKind, TcPlotObject*>>{{TcPlotEventKind::LostFocus, tb},
                                                                           {TcPlotEventKind::GotFocus, dv}}));
}

TEST_F(ObjectModel, PopupMenus)
{
    Host h;
    h.Master().AddLegend();
    h.Master().AddAnnotation();
    auto* l = h.Master().LegendManager()->GetItem(0);
    l->SetDrawRect({0, 0, 100, 50});
    TcPopupMenu menu;
    l->SetPopupEnabled(false);
    l->iMouseDown(fw::mbRight, 0, 10, 10, 110, 110, &menu);
    l->iMouseUp(fw::mbRight, 0, 10, 10, 110, 110, false, &menu);
    fw::Word key = 0x79;
    l->iKeyDown(key, fw::ssShift, &menu);
    EXPECT_EQ(menu.PopupCount, 0);
    l->SetPopupEnabled(true);
    l->iMouseDown(fw::mbRight, 0, 10, 10, 110, 110, &menu);
    l->iMouseUp(fw::mbRight, 0, 10, 10, 110, 110, false, &menu);
    EXPECT_EQ(menu.PopupCount, 1);
    EXPECT_EQ(menu.PopupAt, (fw::TPoint{110, 110}));
    l->iKeyDown(key, fw::ssShift, &menu);
    EXPECT_EQ(menu.PopupCount, 2);
    EXPECT_EQ(menu.PopupAt, (fw::TPoint{50, 25}));

    // An object that is neither a layout object nor a channel fills the menu but shows nothing.
    auto* a = h.Master().AnnotationManager()->GetItem(0);
    TcPopupMenu other;
    other.Items.push_back({});
    a->iKeyDown(key, fw::ssShift, &other);
    EXPECT_TRUE(other.Items.empty());
    EXPECT_EQ(other.PopupCount, 0);
}

TEST_F(ObjectModel, AutoRepeatButton)
{
    fw::FakeTimerScope timers;
    Host h;
    TcPlotButton b(&h);
    b.SetDrawRect({0, 0, 20, 20});
    b.SetTimerEnabled(true);
    std::vector<int> clicks;
    b.OnClick = [&](TcPlotButton*) { clicks.push_back(timers.Fake.Now()); };
    b.iMouseDown(fw::mbLeft, 0, 5, 5, 0, 0, nullptr);
    timers.Fake.Advance(649);
    EXPECT_EQ(clicks, (std::vector<int>{500, 550, 600}));
    b.iMouseUp(fw::mbLeft, 0, 50, 50, 0, 0, false, nullptr); // released outside: no final click
    timers.Fake.Advance(500);
    EXPECT_EQ(clicks.size(), 3u);
    EXPECT_FALSE(b.TimerRunning());
    b.iMouseDown(fw::mbLeft, 0, 5, 5, 0, 0, nullptr);
    b.iMouseUp(fw::mbLeft, 0, 5, 5, 0, 0, false, nullptr);
    EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(ObjectModel, SortedListsPutANewItemBeforeEqualKeys)
{
    TcSortedKeyList<int> l;
    l.Add("002", 1);
    l.Add("001", 2);
    l.Add("002", 3);
    l.Add("003", 4);
    l.Add("002", 5);
    std::vector<int> order;
    for (int i = 0; i < l.Count(); ++i)
        order.push_back(l.Item(i));
    EXPECT_EQ(order, (std::vector<int>{2, 5, 3, 1, 4}));
}

TEST_F(ObjectModel, Translations)
{
    Host h;
    auto* t = h.Master().TranslationManager();
    for (auto [orig, repl] : {std::pair{"Zoom", "first"}, std::pair{"Zoom", "second"}}) {
        const int i = h.Master().AddTranslation();
        EXPECT_EQ(i, 0);
        t->Item(i)->SetOriginalString(orig);
        t->Item(i)->SetReplacementString(repl);
    }
    EXPECT_EQ(t->FindReplacement("Zoom"), "second");
    EXPECT_EQ(t->FindReplacement("zoom"), "zoom");
    EXPECT_EQ(h.TranslateText("Zoom"), "second");

    QTemporaryDir dir;
    const QString in = dir.filePath("in.txt"), out = dir.filePath("out.txt");
    QFile f(in);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("A\t1\nB\t2\twith tab\n");
    f.close();
    ASSERT_TRUE(t->LoadFromFile(in));
    EXPECT_EQ(t->Count(), 2);
    ASSERT_TRUE(t->SaveToFile(out));
    QFile g(out);
    ASSERT_TRUE(g.open(QIODevice::ReadOnly));
    EXPECT_EQ(g.readAll(), QByteArray("B\t2\twith tab\nA\t1\n"));

    QFile bad(in);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("C\t3\nno tab here\nD\t4\n");
    bad.close();
    QString error;
    EXPECT_FALSE(t->LoadFromFile(in, &error));
    EXPECT_EQ(error, "Error Loading Data - Invalid Format - Tab Deliminator Missing");
    EXPECT_EQ(t->Count(), 2) << "a refused file leaves the pairs as they were";
    EXPECT_EQ(t->FindReplacement("C"), "C");
    EXPECT_EQ(t->FindReplacement("B"), "2\twith tab");
    t->Clear();
    EXPECT_FALSE(t->DoWriteToStream());
}

TEST_F(ObjectModel, TranslateFormReplacesExactTexts)
{
    Host h;
    fw::TForm form;
    form.SetCaption("Plot");
    fw::TControl caption(&form);
    caption.SetCaption("Plot");
    QLabel label("Plot", &form);
    QPushButton other("plot", &form); // letter case counts
    QGroupBox group("Plot", &form);
    QLineEdit edit("Plot", &group);
    QMenu menu(&form);
    menu.addAction("Plot");
    menu.addAction("Copy");
    menu.addMenu("Plot")->addAction("Plot"); // only top-level items
    const auto texts = [&] {
        const QMenu* sub = menu.actions()[2]->menu();
        return QStringList{form.Caption(),
                           caption.Caption(),
                           label.text(),
                           other.text(),
                           group.title(),
                           edit.text(),
                           menu.actions()[0]->text(),
                           menu.actions()[1]->text(),
                           menu.actions()[2]->text(),
                           sub->actions()[0]->text()};
    };
    const QStringList before = texts();

    h.Master().TranslateForm(&form); // an empty list changes nothing
    h.Master().TranslateForm(nullptr);
    EXPECT_EQ(texts(), before);

    auto* t = h.Master().TranslationManager();
    t->Item(h.Master().AddTranslation())->SetOriginalString("Plot");
    t->Item(0)->SetReplacementString("Diagramm");
    h.Master().TranslateForm(&form);
    EXPECT_EQ(texts(), QStringList({"Diagramm", "Diagramm", "Diagramm", "plot", "Diagramm", "Diagramm",
                                    "Diagramm", "Copy", "Diagramm", "Plot"}));

    QWidget window;
    window.setWindowTitle("Plot");
    h.Master().TranslateForm(&window);
    EXPECT_EQ(window.windowTitle(), "Diagramm");
}

TEST_F(ObjectModel, LayoutBands)
{
    Host h;
    auto& m = h.Master();
    auto* lm = m.LayoutManager();
    m.AddXAxis();
    EXPECT_EQ(h.X()->ZOrder(), 0);
    EXPECT_TRUE(lm->BottomList().Contains(h.X()));
    m.AddXAxis(); // same span: no merge
    EXPECT_EQ(h.X(0)->ZOrder(), 1);
    EXPECT_EQ(lm->DataViewHorz()->ZOrder(), 2);
    EXPECT_EQ(h.X(1)->ZOrder(), 0);
    EXPECT_EQ(lm->BottomUniqueCount(), 2);

    // Touching spans share a band; the empty span 30..30 does not.
    Host k;
    k.Master().AddLegend();
    k.Master().AddLegend();
    auto* a = k.Master().LegendManager()->GetItem(0);
    auto* b = k.Master().LegendManager()->GetItem(1);
    for (auto* o : {a, b})
        o->SetHorizontal(true);
    a->SetStartStopPercent(0, 50);
    b->SetStartStopPercent(50, 100);
    k.Master().LayoutManager()->InsertZOrder(a, 0, iidBelow);
    k.Master().LayoutManager()->InsertZOrder(b, 0, iidMerge);
    EXPECT_EQ(a->ZOrder(), b->ZOrder());
    a->SetStartStopPercent(30, 30);
    b->SetStartStopPercent(30, 30);
    const int band = a->ZOrder();
    k.Master().LayoutManager()->InsertZOrder(b, band, iidMerge);
    EXPECT_NE(a->ZOrder(), b->ZOrder());

    // iidAbove moves only bands above the value.
    const int placeholder = k.Master().LayoutManager()->DataViewHorz()->ZOrder();
    k.Master().LayoutManager()->InsertZOrder(a, 1, iidAbove);
    EXPECT_EQ(a->ZOrder(), 2);
    EXPECT_EQ(k.Master().LayoutManager()->DataViewHorz()->ZOrder(),
              placeholder > 1 ? placeholder + 1 : placeholder);

    // Axes swap sides with XYAxesReverse.
    m.SetXYAxesReverse(true);
    EXPECT_FALSE(h.X()->Horizontal());
    EXPECT_TRUE(lm->LeftList().Contains(h.X()) || lm->RightList().Contains(h.X()));
}

TEST_F(ObjectModel, RemovingTheOnlyObjectOfABandClosesIt)
{
    Host h;
    auto& m = h.Master();
    m.AddYAxis();
    m.AddYAxis();
    m.AddYAxis(); // bands 0, 1, 2 and the placeholder above them
    auto* lm = m.LayoutManager();
    const int topBefore = lm->DataViewVert()->ZOrder();
    TcPlotYAxis* middle = nullptr;
    for (int i = 0; i < 3; ++i)
        if (h.Y(i)->ZOrder() == 1)
            middle = h.Y(i);
    ASSERT_NE(middle, nullptr);
    FreeObject(middle);
    EXPECT_EQ(lm->DataViewVert()->ZOrder(), topBefore - 1);
    std::vector<int> bands{h.Y(0)->ZOrder(), h.Y(1)->ZOrder()};
    std::sort(bands.begin(), bands.end());
    EXPECT_EQ(bands, (std::vector<int>{0, 1}));

    TcSortedKeyList<TcPlotLayoutObject*> keys;
    keys.Add("000010", nullptr);
    keys.Add("000060", nullptr);
    keys.Add("001000", nullptr);
    EXPECT_EQ(TcPlotLayoutManager::UniqueCount(keys), 2);
}

TEST_F(ObjectModel, ChartWideSettingsReachEveryObject)
{
    Host h;
    int invalidations = 0;
    h.Master().OnInvalidateNow = [&](TcPersistent*) { ++invalidations; };
    h.Master().AddChannel();
    h.Master().AddXAxis();
    h.Master().SetXYAxesReverse(true);
    EXPECT_TRUE(h.Channel()->XYAxesReversed());
    EXPECT_TRUE(h.X()->XYAxesReversed());
    EXPECT_EQ(invalidations, 1);
    h.Master().SetUserCanEditObjects(false);
    EXPECT_FALSE(h.Channel()->UserCanEdit());
    EXPECT_FALSE(h.Master().ObjectManager()->MouseWheelFocusObjects(120, 0, {0, 0}));
}

} // namespace

namespace
{

// Every public loader given a bad file: refused with its text, nothing it held changed.
TEST(ChartLoaders, BadFilesAreRefusedAndLoseNothing)
{
    charttest::EnsureApp();
    QTemporaryDir dir;
    auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return dir.filePath(name);
    };
    auto sparse = [&](const char* name, qint64 size) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_TRUE(f.resize(size));
        return dir.filePath(name);
    };
    struct Case {
        const char* name;
        QString file;
        const char* errorStart;
    };

    Host h;
    auto* t = h.Master().TranslationManager();
    t->Item(h.Master().AddTranslation())->SetOriginalString("Kept");
    const Case translationCases[] = {
        {"missing", dir.filePath("none.txt"), "Error Loading Data - "},
        {"a folder", dir.path(), "Error Loading Data - "},
        {"no tab", write("notab.txt", "A\t1\nB 2\n"), "Error Loading Data - Invalid Format"},
        {"binary", write("binary.txt", QByteArray("\0\1\2\3", 4)), "Error Loading Data - Invalid Format"},
        {"too large", sparse("huge.txt", qint64(TcPlotTranslationManager::MaxFileSize) + 1),
         "Error Loading Data - "},
    };
    for (const Case& c : translationCases) {
        SCOPED_TRACE(c.name);
        QString error;
        EXPECT_FALSE(t->LoadFromFile(c.file, &error));
        EXPECT_TRUE(error.startsWith(c.errorStart)) << error.toStdString();
        ASSERT_EQ(t->Count(), 1);
        EXPECT_EQ(t->Item(0)->OriginalString(), "Kept");
    }
    QString error;
    const QString saved = write("saved.txt", "old\tfile\n");
    EXPECT_FALSE(t->SaveToFile(dir.filePath("no/such/folder/t.txt"), &error));
    EXPECT_TRUE(error.startsWith("Error Saving Translation Data - ")) << error.toStdString();
    ASSERT_TRUE(t->SaveToFile(saved, &error)) << error.toStdString();
    ASSERT_TRUE(t->LoadFromFile(saved, &error));
    EXPECT_EQ(t->Item(0)->OriginalString(), "Kept");

    chart::TcXYPlot chart;
    chart::TcPlotLabel* label = chart.GetLabel(0);
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::green);
    label->SetImage(&picture);
    const Case imageCases[] = {
        {"missing", dir.filePath("none.png"), "Cannot open file"},
        {"not a picture", write("garbage.png", "this is no picture"), "Cannot open file"},
        {"too large", sparse("huge.png", qint64(chart::TcPlotLabel::MaxImageFileSize) + 1),
         "Cannot open file"},
    };
    for (const Case& c : imageCases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(label->ImageLoadFromFile(c.file, &error));
        EXPECT_TRUE(error.startsWith(c.errorStart)) << error.toStdString();
        ASSERT_NE(label->Image(), nullptr);
        EXPECT_EQ(label->Image()->size(), QSize(4, 3));
    }
    QImage other(2, 2, QImage::Format_RGB32);
    other.fill(Qt::blue);
    ASSERT_TRUE(other.save(dir.filePath("good.png")));
    ASSERT_TRUE(label->ImageLoadFromFile(dir.filePath("good.png"), &error)) << error.toStdString();
    EXPECT_EQ(label->Image()->size(), QSize(2, 2));
}

} // namespace
