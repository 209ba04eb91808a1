// The compressor, limiter and gate pages on the main window, through a recording sink: stores and
// frames, mirroring onto link groups, the deferred redraws, typed entries, presses and the refresh.
#include "TestApp.h"
#include "WindowFixture.h"
#include "app/main/MainSessionView.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "app/main/TransferChartControl.h"
#include "app/pages/DynamicsPage.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "model/LUnitControl.h"
#include "pages/DynamicsRules.h"
#include "proto/LCmd.h"
#include "runtime/Timer.h"
#include "session/LLinkSession.h"

#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

using namespace app;

namespace
{

using Sent = testapp::SentFrame;

// The fake clock, counting how often a timer was started (one start = one pending redraw).
class CountingTimers : public fw::FakeTimerService
{
  public:
    int Start(int intervalMs, std::function<void()> tick) override
    {
        ++Starts;
        return FakeTimerService::Start(intervalMs, std::move(tick));
    }
    int Starts = 0;
};

class DynamicsPages : public testapp::WindowFixture
{
  protected:
    void SetUp() override
    {
        w->Dynamics().tmCompDisp.SetEnabled(false);
        w->Dynamics().tmLimitDisp.SetEnabled(false);
        fw::SetTimerService(&timers);
        w->Unit()->LoadDefaults();
        w->ShowAllParams(w->Unit());
        sent.clear();
    }
    void TearDown() override
    {
        w->Dynamics().tmCompDisp.SetEnabled(false);
        w->Dynamics().tmLimitDisp.SetEnabled(false);
        fw::SetTimerService(nullptr);
    }
    template <class T> static T* Get(const QString& name)
    {
        T* c = w->Get<T>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    static fx::TCustomTrackBar* Fader(const QString& name) { return Get<fx::TCustomTrackBar>(name); }
    static TUpDown* UpDown(const QString& name) { return Get<TUpDown>(name); }
    static fx::TRoundEdit* Edit(const QString& name) { return Get<fx::TRoundEdit>(name); }
    static QString TextOf(const QString& name) { return Edit(name)->Text(); }
    static QString CaptionOf(const char* name) { return Get<fw::TControl>(QLatin1String(name))->Caption(); }
    static std::vector<ChartPoint> Curve(const char* chart)
    {
        return ChartCurve(Get<fw::TControl>(QLatin1String(chart)));
    }
    // Links channels through the model: the leader's word holds every member's bit, the members' own
    // words are empty.
    static void Link(int leader, uint16_t word)
    {
        const int first = leader < 3 ? 0 : 3;
        for (int r = 0; r < (leader < 3 ? 3 : 6); ++r)
            if (((word >> r) & 1) && first + r != leader)
                w->Unit()->SetLink(first + r, 0);
        w->Unit()->SetLink(leader, word);
        sent.clear();
    }
    static void TypeInto(const QString& edit, const QString& text)
    {
        fx::TRoundEdit* e = Edit(edit);
        e->SetText(text);
        testapp::Key(e->InnerEdit(), Qt::Key_Return);
    }
    void Tick(int ms = 1) { timers.Advance(ms); }

    static std::vector<uint8_t> Words(int channel, std::initializer_list<int> words)
    {
        std::vector<uint8_t> out{uint8_t(channel)};
        for (int v : words) {
            out.push_back(uint8_t(v & 0xFF));
            out.push_back(uint8_t((v >> 8) & 0xFF));
        }
        return out;
    }

    CountingTimers timers;
};

TEST_F(DynamicsPages, CompressorAttackOnALinkedOutputStoresBothSendsOnceAndRedrawsLater)
{
    Link(3, 0b101); // Out1 leads Out3
    Fader("isCompAttackOut3")->SetPosition(4);

    EXPECT_EQ(Fader("isCompAttackOut1")->Position(), 4);
    EXPECT_EQ(TextOf("cvdCompAttackOut1"), "  5ms");
    EXPECT_EQ(TextOf("cvdCompAttackOut3"), "  5ms");
    EXPECT_EQ(Fader("isCompAttackOut2")->Position(), 49);
    EXPECT_EQ(w->Unit()->GetComp(3).attack, 4);
    EXPECT_EQ(w->Unit()->GetComp(5).attack, 4);
    EXPECT_EQ(w->Unit()->GetComp(4).attack, 49);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, 48);
    EXPECT_EQ(sent[0].payload, Words(5, {0, 4, 499, 0, 220}));
    EXPECT_EQ(w->Dynamics().CompChannel(), 5);
    EXPECT_FALSE(w->View().IsUpdating());

    // The curve waits for the timer.
    EXPECT_EQ(CaptionOf("lbCompName"), "Out 1  RMS Compressor");
    Tick();
    EXPECT_EQ(CaptionOf("lbCompName"), "Out 3  RMS Compressor");
    EXPECT_EQ(CaptionOf("lbHeadCompOut"), "Out 3");
}

TEST_F(DynamicsPages, MirroringCoversTheLinkGroupWithOneFrame)
{
    struct Case {
        const char* name;
        int leader;
        uint16_t word;
        const char* control; // moved on the addressed channel
        int value;
        int code, channel;
        std::vector<const char*> memberEdits; // every member's edit, addressed one included
        const char* text;
    };
    const Case cases[] = {
        {"compressor threshold, Out2 leads Out2+Out3",
         4,
         0b110,
         "isCompThresholdOut3",
         -40,
         48,
         5,
         {"cvdCompThresholdOut2", "cvdCompThresholdOut3"},
         "-20.0dB"},
        {"compressor ratio, Out1 leads Out1+Out2",
         3,
         0b011,
         "udCompRatioOut1",
         9,
         48,
         3,
         {"cvdCompRatioOut1", "cvdCompRatioOut2"},
         "1:4.0"},
        {"limiter threshold, Out2 leads Out2+Out3",
         4,
         0b110,
         "isLimitThresholdOut2",
         -12,
         63,
         4,
         {"cvdLimitThresholdOut2", "cvdLimitThresholdOut3"},
         "-6.0dB"},
        {"limiter knee, Out4 leads Out4..Out6",
         6,
         0b111000,
         "udLimitKneeOut5",
         7,
         63,
         7,
         {"cvdLimitKneeOut4", "cvdLimitKneeOut5", "cvdLimitKneeOut6"},
         "7dB"},
        {"gate release, A leads A+B",
         0,
         0b011,
         "isGateReleaseInB",
         249,
         62,
         1,
         {"cvdGateReleaseInA", "cvdGateReleaseInB"},
         "250ms"},
        {"gate threshold, B leads B+C",
         1,
         0b110,
         "isGateThresholdInC",
         -100,
         62,
         2,
         {"cvdGateThresholdInB", "cvdGateThresholdInC"},
         "-50.0dB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        Link(c.leader, c.word);
        const QString control = QLatin1String(c.control);
        if (control.startsWith(u"ud"))
            UpDown(control)->SetPosition(c.value);
        else
            Fader(control)->SetPosition(c.value);
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].code, c.code);
        EXPECT_EQ(sent[0].payload[0], c.channel);
        for (const char* e : c.memberEdits) {
            SCOPED_TRACE(e);
            EXPECT_EQ(TextOf(QLatin1String(e)), QLatin1String(c.text));
            // The member's own control holds the value too.
            QString twin = QLatin1String(e).mid(3);
            const QString prefix = control.left(2);
            const int held =
                prefix == u"ud" ? UpDown(prefix + twin)->Position() : Fader(prefix + twin)->Position();
            EXPECT_EQ(held, c.value);
        }
        // The model holds the value for every member: the device image's bytes of each member's
        // record are the addressed channel's.
        const ParamImage& image = w->Unit()->GetImage();
        const bool gate = c.code == 62;
        const int first = gate ? 0 : 3;
        for (int r = 0; r < (gate ? 3 : 6); ++r) {
            if (!((c.word >> r) & 1))
                continue;
            SCOPED_TRACE(r);
            const int same =
                gate ? std::memcmp(&image.inputs[r].gate, &image.inputs[c.channel].gate, sizeof(GateParam))
                : c.code == 48 ? std::memcmp(&image.outputs[r].comp, &image.outputs[c.channel - first].comp,
                                             sizeof(CompParam))
                               : std::memcmp(&image.outputs[r].limit, &image.outputs[c.channel - first].limit,
                                             sizeof(LimitParam));
            EXPECT_EQ(same, 0);
        }
        EXPECT_FALSE(w->View().IsUpdating());
        TearDown();
    }
}

TEST_F(DynamicsPages, UnlinkedChangeLeavesTheOtherChannelsAlone)
{
    UpDown("udLimitKneeOut6")->SetPosition(4);
    sent.clear();
    UpDown("udLimitKneeOut6")->SetPosition(5);
    EXPECT_EQ(TextOf("cvdLimitKneeOut6"), "5dB");
    EXPECT_EQ(w->Unit()->GetLimit(8).knee, 5);
    for (int ch = 3; ch < 8; ++ch)
        EXPECT_EQ(w->Unit()->GetLimit(ch).knee, 0) << ch;
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].payload, Words(8, {49, 499, 5, 220}));
    Tick();
    EXPECT_EQ(CaptionOf("lbLimitName"), "Out 6  Peak Limit");
    EXPECT_EQ(w->Dynamics().LimitChannel(), 8);
}

TEST_F(DynamicsPages, RatioStepUpFromTwentyShowsLimitAndFlattensTheCurve)
{
    Fader("isCompThresholdOut2")->SetPosition(-40);
    UpDown("udCompRatioOut2")->SetPosition(14);
    EXPECT_EQ(TextOf("cvdCompRatioOut2"), "1:20");
    sent.clear();
    TUpDown* u = UpDown("udCompRatioOut2");
    testapp::Press(u, u->Width() / 2, 2); // the upper half
    EXPECT_EQ(u->Position(), 15);
    EXPECT_EQ(TextOf("cvdCompRatioOut2"), "Limit");
    EXPECT_EQ(w->Unit()->GetComp(4).ratio, 15);
    ASSERT_EQ(sent.size(), 1u);
    Tick();
    const std::vector<ChartPoint> curve = Curve("ipComp");
    ASSERT_EQ(curve.size(), 4u);
    EXPECT_EQ(curve[0], ChartPoint(20, -20));
    EXPECT_EQ(curve[1], ChartPoint(-20, -20));

    // At the top another click changes nothing.
    testapp::Press(u, u->Width() / 2, 2);
    EXPECT_EQ(sent.size(), 1u);
}

TEST_F(DynamicsPages, PositionsOutsideTheUpDownsRangeAreIgnored)
{
    bool allow = true;
    w->Dynamics().udCompRatioOut1ChangingEx(UpDown("udCompRatioOut1"), allow, 16);
    w->Dynamics().udCompKneeOut1ChangingEx(UpDown("udCompKneeOut1"), allow, -1);
    w->Dynamics().udLimitKneeOut1ChangingEx(UpDown("udLimitKneeOut1"), allow, 13);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(TextOf("cvdCompRatioOut1"), "1:1.0");
    EXPECT_EQ(TextOf("cvdCompKneeOut1"), "0dB");
    EXPECT_EQ(TextOf("cvdLimitKneeOut1"), "0dB");
    EXPECT_EQ(timers.Starts, 0);
}

TEST_F(DynamicsPages, ARunOfChangesRedrawsOnceTheChannelChangedLast)
{
    Fader("isCompThresholdOut1")->SetPosition(-20);
    Fader("isCompAttackOut2")->SetPosition(10);
    Fader("isCompThresholdOut2")->SetPosition(-60);
    UpDown("udCompKneeOut2")->SetPosition(6);
    UpDown("udCompRatioOut2")->SetPosition(5);
    EXPECT_EQ(timers.Starts, 1);
    EXPECT_EQ(sent.size(), 5u);
    EXPECT_EQ(CaptionOf("lbCompName"), "Out 1  RMS Compressor");

    Tick();
    const TransferCurve expected = CompCurve(-60, 6, 5);
    EXPECT_EQ(Curve("ipComp"), expected.points);
    EXPECT_EQ(CaptionOf("lbCompName"), "Out 2  RMS Compressor");
    Tick(50);
    EXPECT_EQ(timers.Starts, 1);

    // The limiter's timer is its own.
    Fader("isLimitThresholdOut3")->SetPosition(-12);
    UpDown("udLimitKneeOut3")->SetPosition(3);
    Fader("isCompReleaseOut4")->SetPosition(100);
    EXPECT_EQ(timers.Starts, 3);
    Tick();
    EXPECT_EQ(Curve("ipLimit"), LimitCurve(-12, 3).points);
    EXPECT_EQ(CaptionOf("lbLimitName"), "Out 3  Peak Limit");
    EXPECT_EQ(CaptionOf("lbCompName"), "Out 4  RMS Compressor");
}

TEST_F(DynamicsPages, GateRedrawsAtOnceWithoutTheHeadLabel)
{
    w->Dynamics().DrawGateCurve(0);
    Fader("isGateThresholdInB")->SetPosition(-80);
    EXPECT_EQ(timers.Starts, 0);
    EXPECT_EQ(Curve("ipGate"), GateCurve(-80).points);
    EXPECT_EQ(CaptionOf("lbGateName"), "In B  Gate");
    EXPECT_EQ(CaptionOf("lbHeadGateIn"), "In A");
    EXPECT_EQ(w->Dynamics().GateChannel(), 1);
    EXPECT_EQ(TextOf("cvdGateThresholdInB"), "-40.0dB");

    // Any gate fader shows its input's curve from the threshold fader.
    Fader("isGateThresholdInC")->SetPosition(-20);
    Fader("isGateHoldInC")->SetPosition(99);
    Fader("isGateHoldInC")->SetPosition(150);
    EXPECT_EQ(Curve("ipGate"), GateCurve(-20).points);
    EXPECT_EQ(TextOf("cvdGateHoldInC"), "151ms");
    EXPECT_EQ(CaptionOf("lbGateName"), "In C  Gate");
    EXPECT_EQ(w->Unit()->GetGate(2).hold, 150);
    EXPECT_EQ(sent.back().payload, Words(2, {0, 99, 150, 160}));
}

TEST_F(DynamicsPages, TypedEntries)
{
    struct Case {
        const char* name;
        const char* edit;
        QString text;
        bool enter; // else the edit loses the focus
        const char* shown;
        const char* control;
        int position;
        std::size_t frames;
        int code;
    };
    const Case cases[] = {
        {"threshold with its unit", "cvdCompThresholdOut1", "-10.5dB", true, "-10.5dB", "isCompThresholdOut1",
         -21, 1, 48},
        {"typed attack has no padding", "cvdCompAttackOut1", "5", true, "5ms", "isCompAttackOut1", 4, 1, 48},
        {"the value shown sends nothing", "cvdCompThresholdOut2", "+20.0dB", true, "+20.0dB",
         "isCompThresholdOut2", 40, 0, 0},
        {"refused knee shows the knee again", "cvdCompKneeOut1", "5.", true, "0dB", "udCompKneeOut1", 0, 0,
         0},
        {"ratio above the last step", "cvdCompRatioOut1", "25", true, "Limit", "udCompRatioOut1", 15, 1, 48},
        {"refused ratio", "cvdCompRatioOut2", "2:4", true, "1:1.0", "udCompRatioOut2", 0, 0, 0},
        {"ratio on focus loss", "cvdCompRatioOut3", "1:4", false, "1:4.0", "udCompRatioOut3", 9, 1, 48},
        {"huge release", "cvdCompReleaseOut3", QString(60, u'9'), true, "3000ms", "isCompReleaseOut3", 2999,
         1, 48},
        {"limiter knee", "cvdLimitKneeOut1", "3", true, "3dB", "udLimitKneeOut1", 3, 1, 63},
        {"limiter release on focus loss", "cvdLimitReleaseOut2", "5000", false, "3000ms",
         "isLimitReleaseOut2", 2999, 1, 63},
        {"gate threshold ends at the fader's top", "cvdGateThresholdInA", "+10", true, "+0.0dB",
         "isGateThresholdInA", 0, 1, 62},
        {"gate threshold five on focus loss", "cvdGateThresholdInB", "5", false, "+0.0dB",
         "isGateThresholdInB", 0, 1, 62},
        {"gate hold minimum", "cvdGateHoldInC", "0", true, "10ms", "isGateHoldInC", 9, 1, 62},
        {"seconds are refused", "cvdGateAttackInA", "12s", true, "1ms", "isGateAttackInA", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const QString edit = QLatin1String(c.edit), control = QLatin1String(c.control);
        if (c.enter) {
            TypeInto(edit, c.text);
        } else {
            Edit(edit)->SetText(c.text);
            Edit(edit)->OnExit(Edit(edit));
        }
        EXPECT_EQ(TextOf(edit), QLatin1String(c.shown));
        EXPECT_EQ(control.startsWith(u"ud") ? UpDown(control)->Position() : Fader(control)->Position(),
                  c.position);
        ASSERT_EQ(sent.size(), c.frames);
        if (c.frames) {
            EXPECT_EQ(sent[0].code, c.code);
        }
        TearDown();
    }
}

TEST_F(DynamicsPages, TypedGateThresholdStoresTheFadersTop)
{
    TypeInto("cvdGateThresholdInA", "5");
    EXPECT_EQ(w->Unit()->GetGate(0).threshold, 180);
    EXPECT_EQ(Curve("ipGate"), GateCurve(0).points);
}

TEST_F(DynamicsPages, TypedLimiterKneeRedrawsThatOutput)
{
    w->Dynamics().DrawLimitCurve(5);
    TypeInto("cvdLimitKneeOut1", "3");
    EXPECT_EQ(UpDown("udLimitKneeOut1")->Position(), 3);
    Tick();
    EXPECT_EQ(Curve("ipLimit"), LimitCurve(40, 3).points);
    EXPECT_EQ(CaptionOf("lbLimitName"), "Out 1  Peak Limit");
}

TEST_F(DynamicsPages, FaderChangeAndTypedEntryShowTimesDifferently)
{
    Fader("isCompAttackOut4")->SetPosition(4);
    EXPECT_EQ(TextOf("cvdCompAttackOut4"), "  5ms");
    Fader("isLimitAttackOut4")->SetPosition(4);
    EXPECT_EQ(TextOf("cvdLimitAttackOut4"), "  5ms");
    TypeInto("cvdCompAttackOut4", "  5ms");
    EXPECT_EQ(TextOf("cvdCompAttackOut4"), "5ms");
    EXPECT_EQ(sent.size(), 2u); // the typed entry named the value held
}

TEST_F(DynamicsPages, PressesShowAChannelsCurve)
{
    enum How { Widget, Handler };
    struct Case {
        const char* name;
        const char* control;
        How how;
        const char* title; // the page's title label
        const char* expected;
    };
    const Case cases[] = {
        {"compressor knee edit", "cvdCompKneeOut4", Widget, "lbCompName", "Out 4  RMS Compressor"},
        {"compressor attack fader", "isCompAttackOut5", Handler, "lbCompName", "Out 5  RMS Compressor"},
        {"compressor column label", "lbCompOut6", Widget, "lbCompName", "Out 6  RMS Compressor"},
        {"limiter release edit", "cvdLimitReleaseOut2", Widget, "lbLimitName", "Out 2  Peak Limit"},
        {"limiter threshold fader", "isLimitThresholdOut4", Handler, "lbLimitName", "Out 4  Peak Limit"},
        {"limiter column label", "lbLimitOut5", Widget, "lbLimitName", "Out 5  Peak Limit"},
        {"gate threshold edit", "cvdGateThresholdInB", Widget, "lbGateName", "In B  Gate"},
        {"gate attack edit of A", "cvdGateAttackInA", Widget, "lbGateName", "In A  Gate"},
        {"gate release edit of A", "cvdGateReleaseInA", Widget, "lbGateName", "In A  Gate"},
        {"gate attack edit of B does nothing", "cvdGateAttackInB", Widget, "lbGateName", "In C  Gate"},
        {"gate hold edit does nothing", "cvdGateHoldInA", Widget, "lbGateName", "In C  Gate"},
        {"gate hold fader", "isGateHoldInB", Handler, "lbGateName", "In B  Gate"},
        {"gate threshold fader has no press handler", "isGateThresholdInA", Handler, "lbGateName",
         "In C  Gate"},
        {"gate column label", "lbGateInA", Widget, "lbGateName", "In A  Gate"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->Dynamics().DrawCompCurve(3);
        w->Dynamics().DrawLimitCurve(3);
        w->Dynamics().DrawGateCurve(2);
        auto* control = Get<fw::TControl>(QLatin1String(c.control));
        if (c.how == Handler) {
            if (control->OnMouseDown)
                control->OnMouseDown(control, fw::mbLeft, 0, 2, 2);
        } else if (auto* e = dynamic_cast<fx::TRoundEdit*>(control)) {
            testapp::Press(e->InnerEdit(), 2, 2);
            testapp::Release(e->InnerEdit(), 2, 2);
        } else {
            testapp::Press(control, 2, 2);
            testapp::Release(control, 2, 2);
        }
        EXPECT_EQ(CaptionOf(c.title), QLatin1String(c.expected));
    }
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(CaptionOf("lbHeadGateIn"), "In A");
    EXPECT_EQ(w->Dynamics().GateChannel(), 0);
}

TEST_F(DynamicsPages, RefreshFillsThePagesDrawsOut1AndSendsNothing)
{
    LUnitControl& u = *w->Unit();
    u.SetComp(3, CompParam{9, 4, 99, 6, 140});
    u.SetLimit(3, LimitParam{0, 9, 3, 168});
    u.SetGate(0, GateParam{0, 9, 9, 100});
    u.SetComp(6, CompParam{15, 0, 9, 12, 0});
    w->Dynamics().DrawCompCurve(6);
    w->Dynamics().DrawLimitCurve(7);
    w->Dynamics().DrawGateCurve(2);
    sent.clear();
    const ParamImage before = u.GetImage();

    w->ShowAllParams(w->Unit());

    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(0, std::memcmp(&before, &u.GetImage(), sizeof before));
    EXPECT_FALSE(w->View().IsUpdating());
    EXPECT_EQ(timers.Starts, 0);
    EXPECT_EQ(TextOf("cvdCompThresholdOut1"), "-20.0dB");
    EXPECT_EQ(TextOf("cvdCompAttackOut1"), "  5ms");
    EXPECT_EQ(TextOf("cvdCompRatioOut1"), "1:4.0");
    EXPECT_EQ(TextOf("cvdCompKneeOut1"), "6dB");
    EXPECT_EQ(TextOf("cvdCompRatioOut4"), "Limit");
    EXPECT_EQ(TextOf("cvdLimitThresholdOut1"), "-6.0dB");
    EXPECT_EQ(TextOf("cvdGateThresholdInA"), "-40.0dB");
    EXPECT_EQ(TextOf("cvdGateHoldInA"), "10ms");
    EXPECT_EQ(Curve("ipComp"), CompCurve(-40, 6, 9).points);
    EXPECT_EQ(Curve("ipLimit"), LimitCurve(-12, 3).points);
    EXPECT_EQ(Curve("ipGate"), GateCurve(-80).points);
    EXPECT_EQ(CaptionOf("lbCompName"), "Out 1  RMS Compressor");
    EXPECT_EQ(CaptionOf("lbLimitName"), "Out 1  Peak Limit");
    EXPECT_EQ(CaptionOf("lbGateName"), "In A  Gate");
}

// A write nested inside a refresh keeps the refresh's flag: the rest of the refresh still sends nothing.
TEST_F(DynamicsPages, NestedWritesKeepTheRefreshFlag)
{
    auto* threshold = Fader("isCompThresholdOut1");
    auto* release = Fader("isGateReleaseInA");
    const fw::TNotifyEvent saved = threshold->OnChange, savedRelease = release->OnChange;
    std::vector<bool> flagAfter;
    bool inside = false;
    threshold->OnChange = [&](fw::TControl*) {
        if (std::exchange(inside, true))
            return;
        w->Dynamics().SetCompParam(3, 0, -40); // moves the fader with the flag set, then would store
        w->Dynamics().SyncCompDisplay(3, 1, 20);
        flagAfter.push_back(w->View().IsUpdating());
        inside = false;
    };
    release->OnChange = [&](fw::TControl*) {
        if (std::exchange(inside, true))
            return;
        w->Dynamics().SyncGateDisplay(0, 2, 300);
        flagAfter.push_back(w->View().IsUpdating());
        inside = false;
    };
    CompParam c = w->Unit()->GetComp(3);
    c.threshold = 100;
    w->Unit()->SetComp(3, c);
    GateParam g = w->Unit()->GetGate(0);
    g.release = 500;
    w->Unit()->SetGate(0, g);
    sent.clear();

    w->ShowAllParams(w->Unit());
    threshold->OnChange = saved;
    release->OnChange = savedRelease;

    EXPECT_EQ(flagAfter, std::vector<bool>({true, true}));
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(w->View().IsUpdating());
    EXPECT_EQ(w->Unit()->GetComp(3).threshold, 100); // the nested write stored nothing
}

} // namespace
