// The OPC binding against the in-process fake library: item activation and its preconditions,
// value scaling and quality, data from the library into a control's property, into an XY channel
// and into the strip channel (server-stamped values and pairs) without echoing the value back,
// the group manager with its callbacks and streams, the explorer window, the binding's error
// texts, and what happens without the library.
#include "ChartFixture.h"
#include "ErrorOf.h"
#include "FakeOPCLibrary.h"
#include "chart/component/CheckBox.h"
#include "chart/core/PropertyStream.h"
#include "chart/io/OPCItem.h"
#include "chart/io/OPCManager.h"
#include "chart/view/StripChart.h"
#include "chart/view/XYPlot.h"

#include <QTreeWidget>
#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

using namespace chart;
using chart::test::FakeOPCLibrary;

namespace
{

class OPCBinding : public ::testing::Test
{
  protected:
    OPCBinding() { charttest::EnsureApp(); }
    FakeOPCLibrary Library;
};

// An item of a check box bound to Property, named enough to connect.
TcOPCItem& OpcBoundItem(TcCheckBox& box, const QString& Property, const QString& Item = QStringLiteral("Tag"))
{
    TcOPCItem& item = box.OPCItems().Item(box.OPCAddItem());
    item.SetPropertyName(Property);
    item.SetServerName(QStringLiteral("Srv"));
    item.SetItemName(Item);
    return item;
}

} // namespace

TEST_F(OPCBinding, ActivationNeedsAPropertyAnItemAndAGroupOrServer)
{
    TcOPCItemManager list;
    TcOPCItem& fresh = list.Item(list.Add());
    EXPECT_EQ(fresh.UpdateRate(), 500);
    EXPECT_TRUE(fresh.AutoConnect());
    EXPECT_EQ(fresh.ComputerName(), QStringLiteral("Local"));

    struct Case {
        const char* name;
        QString property, group, server, item;
        bool connects;
    } cases[] = {
        {"neither group nor server", "Data", "", "", "Tag", false},
        {"blank group and server", "Data", "  ", " ", "Tag", false},
        {"blank property", " ", "G", "Srv", "Tag", false},
        {"blank item", "Data", "G", "Srv", "  ", false},
        {"group only", "Data", "G", "", "Tag", true},
        {"server only", "Data", "", "Srv", "Tag", true},
        {"names with blanks", " Data", " G ", "", " Tag ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TcOPCItem& item = list.Item(list.Add());
        item.SetPropertyName(c.property);
        item.SetGroupName(c.group);
        item.SetServerName(c.server);
        item.SetItemName(c.item);
        item.Activate();
        EXPECT_EQ(item.GetActive(), c.connects);
        if (c.connects) {
            const auto& s = Library.Signals.at(item.SignalHandle());
            EXPECT_EQ(s.Item, c.item) << "names go to the library as stored";
            EXPECT_EQ(s.Group, c.group);
            EXPECT_EQ(s.UpdateRate, 500);
            EXPECT_FALSE(s.Suspended);
        }
    }
}

TEST_F(OPCBinding, ChangedNamesReconnectRemovingTheOldSignalFirst)
{
    TcCheckBox box;
    TcOPCItem& item = OpcBoundItem(box, QStringLiteral("Checked"));
    item.Activate();
    const int first = item.SignalHandle();
    Library.Calls.clear();

    item.SetItemName(QStringLiteral("Tag2"));
    const auto remove = std::find(Library.Calls.begin(), Library.Calls.end(), "SignalRemove");
    const auto add = std::find(Library.Calls.begin(), Library.Calls.end(), "SignalAdd");
    ASSERT_NE(remove, Library.Calls.end());
    EXPECT_LT(remove, add);
    EXPECT_EQ(Library.Signals.size(), 1u);
    EXPECT_FALSE(Library.Signals.contains(first));
    EXPECT_EQ(Library.Signals.at(item.SignalHandle()).Item, QStringLiteral("Tag2"));

    item.SetUpdateRate(100);
    EXPECT_EQ(Library.Signals.at(item.SignalHandle()).UpdateRate, 100);
    item.Deactivate();
    EXPECT_TRUE(Library.Signals.empty());
    EXPECT_FALSE(item.GetActive());

    // An item without a signal only stores, and addresses nothing in the library.
    Library.Calls.clear();
    item.SetServerName(QStringLiteral("Other"));
    item.Deactivate();
    item.SetData(1);
    item.UpdateSuspend();
    item.UpdateResume();
    EXPECT_TRUE(Library.Calls.empty());
}

TEST_F(OPCBinding, TextPropertiesAskForTextData)
{
    TcCheckBox box;
    TcOPCItem& caption = OpcBoundItem(box, QStringLiteral("caption"));
    TcOPCItem& checked = OpcBoundItem(box, QStringLiteral("Checked"));
    EXPECT_EQ(caption.PropertyType(), tkString);
    caption.Activate();
    checked.Activate();
    EXPECT_EQ(Library.Signals.at(caption.SignalHandle()).DataType, 8);
    EXPECT_EQ(Library.Signals.at(checked.SignalHandle()).DataType, 0);
}

TEST(OPCScaling, NumbersAreScaledAndOffsetOthersPassUnchanged)
{
    struct Case {
        const char* name;
        QVariant in;
        double scalar, offset;
        QVariant out;
    } cases[] = {
        {"integer: round(14.5) to even", QVariant(7), 2, 0.5, QVariant(14)},
        {"floating", QVariant(7.0), 2, 0.5, QVariant(14.5)},
        {"single becomes double", QVariant(float(1.5)), 2, 0, QVariant(3.0)},
        {"half rounds to even up", QVariant(5), 0, 0.5, QVariant(6)},
        {"16-bit integer", QVariant::fromValue<short>(3), 1.5, 0, QVariant(4)},
        {"unsigned byte", QVariant::fromValue<uchar>(200), 0.5, 0, QVariant(100)},
        {"64-bit integer", QVariant(qlonglong(10)), 3, 0, QVariant(30)},
        {"beyond 32 bits is bounded", QVariant(INT_MAX), 4, 0, QVariant(INT_MAX)},
        {"below 32 bits is bounded", QVariant(INT_MIN), 4, 0, QVariant(INT_MIN)},
        {"no factor, no offset", QVariant(7), 0, 0, QVariant(7)},
        {"text", QVariant(QStringLiteral("7")), 2, 1, QVariant(QStringLiteral("7"))},
        {"boolean", QVariant(true), 2, 1, QVariant(true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QVariant v = ScaleOPCValue(c.in, c.scalar, c.offset);
        EXPECT_EQ(v.typeId(), c.out.typeId());
        EXPECT_EQ(v, c.out);
    }
}

TEST_F(OPCBinding, IncomingValuesSetThePropertyAndAreNotSentBack)
{
    TcCheckBox box;
    TcOPCItem& item = OpcBoundItem(box, QStringLiteral("Checked"));
    item.Activate();
    std::vector<int> seen;
    box.OnNewOPCData = [&](TcVCLComponent*, int Index) { seen.push_back(Index); };

    ASSERT_TRUE(Library.Deliver(item.SignalHandle(), true, 0xC0, 45000.5));
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(item.TimeStamp(), 45000.5);
    EXPECT_TRUE(Library.Signals.at(item.SignalHandle()).Sent.empty()) << "the incoming value is not echoed";
    EXPECT_EQ(seen, std::vector<int>{0});

    // A change of the program's own is sent.
    box.SetChecked(false);
    ASSERT_EQ(Library.Signals.at(item.SignalHandle()).Sent.size(), 1u);
    EXPECT_EQ(Library.Signals.at(item.SignalHandle()).Sent[0], QVariant(false));

    // A bad quality keeps the property, and the value is kept unscaled.
    item.SetScalar(2);
    Library.Deliver(item.SignalHandle(), 1, 0x40);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(item.Data(), QVariant(1));
    EXPECT_FALSE(item.GetQualityGood());

    // A value the property cannot take is logged and changes nothing.
    TcOPCItem& width = OpcBoundItem(box, QStringLiteral("Width"), QStringLiteral("W"));
    width.Activate();
    QStringList logged;
    SetChartErrorLog([&](const QString& m) { logged << m; });
    Library.Deliver(width.SignalHandle(), QStringLiteral("wide"));
    SetChartErrorLog({});
    EXPECT_EQ(box.Width(), 97);
    EXPECT_EQ(logged.size(), 1);

    // The handler before may change the value.
    box.OnBeforeNewOPCData = [](TcVCLComponent*, int, QVariant& d) { d = QVariant(d.toInt() == 0); };
    Library.Deliver(item.SignalHandle(), 0);
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(Library.Signals.at(item.SignalHandle()).Sent.size(), 1u);
}

TEST_F(OPCBinding, QualityDecidesTheErrorStateOfTheControl)
{
    TcCheckBox box;
    TcOPCItem& item = OpcBoundItem(box, QStringLiteral("Checked"));
    item.Activate();
    item.SetAutoError(true);
    struct Case {
        std::uint16_t quality;
        bool good;
    } cases[] = {{0xC0, true}, {0xD8, true}, {0xFF, true}, {0x40, false}, {0x80, false}, {0x00, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quality);
        Library.Deliver(item.SignalHandle(), 1, c.quality);
        EXPECT_EQ(item.GetQualityGood(), c.good);
        EXPECT_EQ(box.ErrorActive(), !c.good);
    }
}

TEST_F(OPCBinding, SuspendedSignalsDeliverAfterResume)
{
    TcCheckBox box;
    TcOPCItem& item = OpcBoundItem(box, QStringLiteral("Checked"));
    item.ActivateSuspend();
    EXPECT_TRUE(item.UpdateSuspended());
    EXPECT_FALSE(Library.Deliver(item.SignalHandle(), true));
    item.UpdateResume();
    EXPECT_FALSE(item.UpdateSuspended());
    EXPECT_TRUE(Library.Deliver(item.SignalHandle(), true));
    EXPECT_TRUE(box.Checked());

    Library.Signals.at(item.SignalHandle()).Data = 42;
    Library.Signals.at(item.SignalHandle()).Quality = 0x40;
    std::uint16_t quality = 0;
    EXPECT_EQ(item.GetDataNow(quality), QVariant(42));
    EXPECT_EQ(quality, 0x40);
}

TEST_F(OPCBinding, BindingErrorTexts)
{
    TcCheckBox box;
    TcOPCItem& item = OpcBoundItem(box, QStringLiteral("Checked"));

    Library.MissingEntryPoints.insert("SignalAdd");
    EXPECT_EQ(charttest::ErrorOf([&] { item.Activate(); }),
              QStringLiteral("Function \"SignalAdd\" not found in \"ChartOPC.dll\"."));
    Library.MissingEntryPoints.clear();

    // The library's own text is the failure; setters pass it on, loading swallows it.
    item.Activate();
    Library.NextError = QStringLiteral("Server not reachable");
    EXPECT_EQ(charttest::ErrorOf([&] { item.SetServerName(QStringLiteral("Gone")); }),
              QStringLiteral("Server not reachable"));
    Library.NextError = QStringLiteral("Server not reachable");
    item.Loaded();

    Library.MissingEntryPoints = {"ManagerCreated", "GetLastCallErrorString"};
    EXPECT_EQ(TcOPCDLL::ManagerCreated(), 0);
    Library.NextError = QStringLiteral("not asked");
    EXPECT_EQ(charttest::ErrorOf([] { TcOPCDLL::GroupSuspend(1); }), QStringLiteral("<no error>"));
}

TEST(OPCWithoutLibrary, ItemsAndManagerSkipEveryCall)
{
    charttest::EnsureApp();
    ASSERT_TRUE(TcOPCDLL::OPCDLLMissing());
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"SignalAdd", [] { TcOPCDLL::SignalAdd({}, {}, {}, {}, 500, false, 0, nullptr); }},
        {"SignalGetData", [] { TcOPCDLL::SignalGetData(1); }},
        {"SignalSendData", [] { TcOPCDLL::SignalSendData(1, 3); }},
        {"GroupAdd", [] { TcOPCDLL::GroupAdd({}, {}, {}, 500, nullptr); }},
        {"CloseAllServerConnections", [] { TcOPCDLL::CloseAllServerConnections(); }},
    };
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        EXPECT_EQ(charttest::ErrorOf(call), QStringLiteral("Chart OPC DLL Not Found."));
    }
    EXPECT_EQ(TcOPCDLL::GetLastCallErrorString(), QString());
    TcOPCDLL::ManagerDestroyed();

    TcCheckBox box;
    TcOPCItem& item = OpcBoundItem(box, QStringLiteral("Checked"));
    item.Activate();
    item.SetData(true);
    item.UpdateSuspend();
    EXPECT_FALSE(item.GetActive());
    EXPECT_FALSE(item.UpdateSuspended());
    std::uint16_t quality = 7;
    EXPECT_FALSE(item.GetDataNow(quality).isValid());
    EXPECT_EQ(quality, 7);

    TcOPCManager manager;
    EXPECT_FALSE(manager.FirstInstance());
    manager.GroupAdd(QStringLiteral("G"), QStringLiteral("Local"), QStringLiteral("Srv"), 500);
    manager.CloseAllServerConnections();
    manager.ExplorerShow();
    QTreeWidget* tree = TcOPCExplorerForm::Instance()->TreeView();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("Servers Connections"));
    EXPECT_EQ(tree->topLevelItem(1)->childCount(), 0);
}

TEST_F(OPCBinding, ManagerGroupsLiveInTheLibrary)
{
    auto manager = std::make_unique<TcOPCManager>();
    TcOPCManager second;
    EXPECT_TRUE(manager->FirstInstance());
    EXPECT_FALSE(second.FirstInstance());

    EXPECT_EQ(manager->GroupAdd(QStringLiteral("Line1"), QStringLiteral("Local"), QStringLiteral("Srv"), 500),
              0);
    manager->GroupAdd(QStringLiteral("Line2"), QStringLiteral("Plant"), QStringLiteral("Srv2"), 250);
    EXPECT_EQ(manager->GetGroupIndex(QStringLiteral("LINE2")), 1);
    TcOPCGroupObject& g = manager->GetGroup(0);
    ASSERT_TRUE(Library.Groups.contains(g.Handle));
    EXPECT_EQ(Library.Groups.at(g.Handle).Server, QStringLiteral("Srv"));

    g.Suspend();
    EXPECT_TRUE(Library.Groups.at(g.Handle).Suspended);
    EXPECT_FALSE(Library.UpdateGroup(g.Handle, {}));
    g.Resume();
    EXPECT_FALSE(Library.Groups.at(g.Handle).Suspended);

    Library.Calls.clear();
    g.SetUpdateRate(500);
    EXPECT_TRUE(Library.Calls.empty()) << "the same rate is not passed on";
    g.SetUpdateRate(1000);
    EXPECT_EQ(Library.Groups.at(g.Handle).UpdateRate, 1000);

    std::vector<QString> events;
    manager->OnBeforeGroupUpdate = [&](TcOPCManager*, const QString& n) { events.push_back("before " + n); };
    manager->OnAfterGroupUpdate = [&](TcOPCManager*, const QString& n) { events.push_back("after " + n); };
    Library.UpdateGroup(manager->GetGroup(1).Handle, {});
    manager->AfterGroupUpdate(999);
    EXPECT_EQ(events, (std::vector<QString>{"before Line2", "after Line2", "after "}));

    // A failing handler is logged, never thrown back into the library.
    QStringList logged;
    SetChartErrorLog([&](const QString& m) { logged << m; });
    manager->OnAfterGroupUpdate = [](TcOPCManager*, const QString&) {
        throw EChartError(QStringLiteral("bad"));
    };
    EXPECT_NO_THROW(Library.UpdateGroup(manager->GetGroup(1).Handle, {}));
    SetChartErrorLog({});
    EXPECT_EQ(logged.size(), 1);

    manager->GroupDelete(0);
    EXPECT_EQ(Library.Groups.size(), 1u);
    EXPECT_EQ(charttest::ErrorOf([&] { manager->GroupDelete(5); }),
              QStringLiteral("List index out of bounds (5)"));
    manager.reset();
    EXPECT_TRUE(Library.Groups.empty());
    EXPECT_EQ(Library.Managers, 1) << "the first manager unregistered";
}

TEST_F(OPCBinding, GroupUpdatesFeedTheXYChannel)
{
    TcXYPlot chart;
    TcXYPlotChannel* c = chart.GetChannel(0);
    c->SetOPCServerName(QStringLiteral("Srv"));
    c->SetOPCItemName(QStringLiteral("X"));
    c->SetOPCItem2Name(QStringLiteral("Y"));
    c->SetOPCScalar2(10);
    c->OPCActivate();
    EXPECT_TRUE(c->OPCActive());
    ASSERT_EQ(c->OPCManager().GroupCount(), 1);
    const int group = c->OPCManager().GetGroup(0).Handle;
    const int before = c->Count();

    ASSERT_TRUE(Library.UpdateGroup(group, {{QStringLiteral("X"), 1.5}, {QStringLiteral("Y"), 2}}));
    ASSERT_EQ(c->Count(), before + 1);
    EXPECT_DOUBLE_EQ(c->GetPointX(before), 1.5);
    EXPECT_DOUBLE_EQ(c->GetPointY(before), 20);

    c->OPCUpdateSuspend();
    EXPECT_FALSE(Library.UpdateGroup(group, {{QStringLiteral("X"), 3}}));
    c->OPCUpdateResume();
    EXPECT_TRUE(Library.UpdateGroup(group, {{QStringLiteral("X"), 3}}));
    EXPECT_EQ(c->Count(), before + 2);

    c->OPCDeactivate();
    EXPECT_FALSE(c->OPCActive());
    EXPECT_TRUE(Library.Signals.empty());
}

namespace
{

// The strip chart's channel with item 0 (and item 1 when named) connected to server "Srv".
TcPlotChannel* StripOPCChannel(TcPlot& Chart, TcOPCXValueSourceStyle Source, const QString& Item2 = {})
{
    TcPlotChannel* c = Chart.GetChannel(0);
    c->SetOPCXValueSource(Source);
    c->SetOPCServerName(QStringLiteral("Srv"));
    c->SetOPCItemName(QStringLiteral("V"));
    c->SetOPCItem2Name(Item2);
    c->OPCActivate();
    return c;
}

} // namespace

TEST_F(OPCBinding, ServerValuesReachTheStripChannelAsPoints)
{
    struct Case {
        const char* name;
        TcOPCXValueSourceStyle source;
        double x; // -1: no point
    };
    // The clock reads day 10, the elapsed time started at day 9.
    const Case cases[] = {
        {"server's stamp", iopcxvsOPCServerTimeStamp, 2.5},
        {"system time", iopcxvsSystemTimeStamp, 10},
        {"elapsed days", iopcxvsElapsedTime, 1},
        {"elapsed seconds", iopcxvsElapsedSeconds, 86400},
        {"pairs only", iopcxvsOPCItem, -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TcPlot chart;
        TcPlotChannel* c = chart.GetChannel(0);
        c->OnGetNow = [] { return 9.0; };
        c->ResetElapsedStartTime();
        c->OnGetNow = [] { return 10.0; };
        c->SetOPCScalar(2);
        StripOPCChannel(chart, k.source);
        const int v = Library.SignalOf(QStringLiteral("V"));
        ASSERT_NE(v, 0);
        const int before = c->Count();
        ASSERT_TRUE(Library.Deliver(v, 4, 0xC0, 2.5));
        if (k.x < 0) {
            EXPECT_EQ(c->Count(), before);
            continue;
        }
        ASSERT_EQ(c->Count(), before + 1);
        EXPECT_DOUBLE_EQ(c->XLast(), k.x);
        EXPECT_DOUBLE_EQ(c->YLast(), 8) << "scaled by the item";
        EXPECT_TRUE(Library.Signals.at(v).Sent.empty()) << "the incoming value is not echoed";
    }
}

TEST_F(OPCBinding, StripChannelDropsStampsAgainstItsOrderAndValuesThatAreNoNumbers)
{
    TcPlot chart;
    TcPlotChannel* c = StripOPCChannel(chart, iopcxvsOPCServerTimeStamp, QStringLiteral("Y"));
    EXPECT_EQ(Library.SignalOf(QStringLiteral("Y")), 0) << "a single item feeds the channel alone";
    EXPECT_TRUE(c->OPCActive());
    c->SetAllowOutOfOrderXValues(false);
    const int v = Library.SignalOf(QStringLiteral("V"));
    for (double stamp : {1.0, 2.0})
        Library.Deliver(v, 5, 0xC0, stamp);
    const int held = c->Count();
    QStringList logged;
    SetChartErrorLog([&](const QString& m) { logged << m; });
    Library.Deliver(v, 6, 0xC0, 1.5);
    Library.Deliver(v, QVariant(), 0x00, 3);
    Library.Deliver(v, QStringLiteral("off"), 0xC0, 3);
    SetChartErrorLog({});
    EXPECT_EQ(c->Count(), held);
    EXPECT_TRUE(logged.isEmpty()) << logged.join('\n').toStdString();
    Library.Deliver(v, 7, 0xC0, 3);
    EXPECT_EQ(c->XLast(), 3);
    EXPECT_EQ(c->YLast(), 7);
}

TEST_F(OPCBinding, StripChannelPairsInAGroupAndSuspendsWhatFeedsIt)
{
    TcPlot chart;
    TcPlotChannel* c = StripOPCChannel(chart, iopcxvsOPCItem, QStringLiteral("Y"));
    c->SetAllowOutOfOrderXValues(false);
    ASSERT_EQ(c->OPCManager().GroupCount(), 1);
    const int group = c->OPCManager().GetGroup(0).Handle;
    EXPECT_EQ(c->OPCGroupName(), c->OPCManager().GetGroup(0).Name);
    c->SetOPCScalar2(10);
    const int before = c->Count();
    for (double x : {1.0, 2.0, 1.5})
        ASSERT_TRUE(Library.UpdateGroup(group, {{QStringLiteral("V"), x}, {QStringLiteral("Y"), 3}}));
    ASSERT_EQ(c->Count(), before + 2) << "the pair against the order is dropped";
    EXPECT_DOUBLE_EQ(c->XLast(), 2);
    EXPECT_DOUBLE_EQ(c->YLast(), 30);
    for (int h : {Library.SignalOf(QStringLiteral("V")), Library.SignalOf(QStringLiteral("Y"))})
        EXPECT_TRUE(Library.Signals.at(h).Sent.empty()) << "the incoming values are not echoed";

    c->OPCUpdateSuspend();
    EXPECT_FALSE(Library.UpdateGroup(group, {{QStringLiteral("V"), 5}}));
    c->OPCUpdateResume();
    EXPECT_TRUE(Library.UpdateGroup(group, {{QStringLiteral("V"), 5}}));

    // Fed by item 0 alone the group goes, and the suspension reaches the item.
    c->SetOPCXValueSource(iopcxvsOPCServerTimeStamp);
    c->OPCActivateSuspend();
    EXPECT_EQ(c->OPCManager().GroupCount(), 0);
    EXPECT_TRUE(Library.Groups.empty());
    const int v = Library.SignalOf(QStringLiteral("V"));
    EXPECT_FALSE(Library.Deliver(v, 1, 0xC0, 10));
    c->OPCUpdateResume();
    EXPECT_TRUE(Library.Deliver(v, 1, 0xC0, 10));
    EXPECT_EQ(c->XLast(), 10);

    // Without a server the pair joins the group named for it.
    c->SetOPCXValueSource(iopcxvsOPCItem);
    c->SetOPCServerName(QString());
    c->SetOPCGroupName(QStringLiteral("Line"));
    c->OPCActivate();
    EXPECT_EQ(c->OPCManager().GroupCount(), 0);
    for (const char* item : {"V", "Y"}) {
        const int h = Library.SignalOf(QString::fromLatin1(item));
        ASSERT_NE(h, 0) << item;
        EXPECT_EQ(Library.Signals.at(h).Group, QStringLiteral("Line")) << item;
    }

    c->OPCDeactivate();
    EXPECT_FALSE(c->OPCActive());
    EXPECT_TRUE(Library.Signals.empty());
}

TEST_F(OPCBinding, ItemsAndGroupsStreamAndReconnect)
{
    TcCheckBox source;
    TcOPCItem& item = OpcBoundItem(source, QStringLiteral("Checked"), QStringLiteral("Valve"));
    item.SetScalar(2.5);
    item.SetUpdateRate(250);
    item.SetAutoConnect(false);
    OpcBoundItem(source, QStringLiteral("Caption"), QStringLiteral("Label"));
    TcWriter w;
    WriteObjectProperties(w, source);
    w.WriteListEnd();

    TcCheckBox target;
    OpcBoundItem(target, QStringLiteral("Checked"), QStringLiteral("Old"));
    TcReader r(w.Data());
    ReadObjectProperties(r, target);
    ASSERT_EQ(target.OPCItemCount(), 2);
    const TcOPCItem& back = target.OPCItems().Item(0);
    EXPECT_EQ(back.ItemName(), QStringLiteral("Valve"));
    EXPECT_EQ(back.Scalar(), 2.5);
    EXPECT_EQ(back.UpdateRate(), 250);
    EXPECT_FALSE(back.AutoConnect());
    EXPECT_FALSE(back.GetActive());
    EXPECT_TRUE(target.OPCItems().Item(1).GetActive()) << "an auto-connect item connects when loaded";

    TcOPCManager groups;
    groups.GroupAdd(QStringLiteral("A"), QStringLiteral("Local"), QStringLiteral("S1"), 100);
    groups.GroupAdd(QStringLiteral("B"), QStringLiteral("Plant"), QStringLiteral("S2"), 200);
    TcWriter gw;
    WriteObjectProperties(gw, groups);
    gw.WriteListEnd();
    TcOPCManager read;
    read.GroupAdd(QStringLiteral("Old"), {}, {}, 1);
    TcReader gr(gw.Data());
    ReadObjectProperties(gr, read);
    ASSERT_EQ(read.GroupCount(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const TcOPCGroupObject& a = groups.GetGroup(i);
        const TcOPCGroupObject& b = read.GetGroup(i);
        EXPECT_EQ(std::tie(a.Name, a.ComputerName, a.OPCServerName, a.UpdateRate),
                  std::tie(b.Name, b.ComputerName, b.OPCServerName, b.UpdateRate));
        EXPECT_TRUE(Library.Groups.contains(b.Handle));
    }
    EXPECT_EQ(read.GetGroupIndex(QStringLiteral("Old")), -1);

    // A value other than a list of groups ends the property; the stream reads on.
    TcWriter odd;
    odd.WritePropName(QStringLiteral("Groups"));
    odd.WriteInteger(3);
    odd.WriteListEnd();
    TcReader oddReader(odd.Data());
    ReadObjectProperties(oddReader, read);
    EXPECT_EQ(read.GroupCount(), 0);
    EXPECT_NO_THROW(oddReader.ReadListEnd());
}

TEST_F(OPCBinding, ExplorerIsOneWindowListingTheConnections)
{
    TcOPCManager manager;
    Library.Connections = {QStringLiteral("Zeta.Server"), QStringLiteral("Alpha.Server")};
    manager.ExplorerShow();
    TcOPCExplorerForm* form = TcOPCExplorerForm::Instance();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->size(), QSize(256, 319));
    EXPECT_EQ(form->minimumSize(), QSize(250, 300));
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);

    Library.Connections.append(QStringLiteral("Mid.Server"));
    manager.ExplorerShow();
    EXPECT_EQ(TcOPCExplorerForm::Instance(), form) << "the window is reused";
    QTreeWidget* tree = form->TreeView();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Groups"));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0);
    QTreeWidgetItem* servers = tree->topLevelItem(1);
    ASSERT_EQ(servers->childCount(), 3);
    EXPECT_EQ(servers->child(0)->text(0), QStringLiteral("Alpha.Server"));
    EXPECT_EQ(servers->child(2)->text(0), QStringLiteral("Zeta.Server"));

    manager.CloseAllServerConnections();
    manager.ExplorerShow();
    EXPECT_EQ(form->TreeView()->topLevelItem(1)->childCount(), 0);
}
