// The graphic equaliser, delay and matrix pages on the main window: handlers driven through their
// controls with a recording transport (exact frames), and end to end against the test device.
#include "WindowFixture.h"
#include "WindowOnDevice.h"
#include "app/main/MainSessionView.h"

#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/pages/DelayPage.h"
#include "app/pages/GeqPage.h"
#include "app/pages/MatrixPage.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "curves/Plot.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "pages/PageRules.h"
#include "proto/LCmd.h"
#include "session/LLinkSession.h"

#include <gtest/gtest.h>

using namespace app;

namespace
{

using Sent = testapp::SentFrame;

// One window for the suite; every test starts from the default model, shown, with nothing sent.
class Pages : public testapp::WindowFixture
{
  protected:
    void SetUp() override
    {
        w->Matrix().ChannelNameDialog = nullptr;
        w->Unit()->LoadDefaults();
        w->ShowAllParams(w->Unit());
        w->Geq().tmGeqCurveTimer();
        if (auto* b = Get<sk::TSkBmpButton>("rzbMenuGain"))
            w->rzbMenuInAClick(b);
        sent.clear();
        modal.clear();
    }
    template <class T> static T* Get(const QString& name) { return w->Get<T>(name); }
    template <class T> static T* Get(const char* name) { return w->Get<T>(QString::fromLatin1(name)); }
    static QString CaptionOf(const char* name) { return Get<fw::TControl>(name)->Caption(); }
    static fx::TCustomTrackBar* GeqFader(int input, int band)
    {
        return Get<fx::TCustomTrackBar>(QStringLiteral("isGeqCh%1").arg(band + 1, 2, 10, QChar(u'0')) +
                                        ChannelTitle(input));
    }
    static std::vector<int> Codes()
    {
        std::vector<int> c;
        for (const Sent& s : sent)
            c.push_back(s.code);
        return c;
    }
    // Types text into an edit and ends the entry with Enter (through the edit's key handling).
    static void Type(const char* edit, const QString& text)
    {
        auto* e = Get<fx::TRoundEdit>(edit);
        ASSERT_NE(e, nullptr);
        e->SetText(text);
        testapp::Key(e->InnerEdit(), Qt::Key_Return);
    }
};

// ---- graphic equaliser ----

TEST_F(Pages, GeqFaderShowsStoresAndSendsOneFrame)
{
    struct Case {
        int position;
        const char* label;
    } cases[] = {{150, "+3.0"}, {90, "-3.0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        sent.clear();
        GeqFader(1, 4)->SetPosition(c.position);
        EXPECT_EQ(CaptionOf("lbGeqGainCh05InB"), QString::fromLatin1(c.label));
        EXPECT_EQ(w->Unit()->GetGeq(1, 4), c.position);
        EXPECT_EQ(w->Plots(12)->Section(4).gain(), (c.position - 120) * 0.1);
        EXPECT_EQ(sent, (std::vector<Sent>{{72, {1, 4, uint8_t(c.position), 0}, false}}));
        EXPECT_TRUE(w->Geq().GeqCurvePending());
    }
}

TEST_F(Pages, GeqTimerDrawsOnceAndHidesTheDetailAtZero)
{
    auto* graph = Get<graph::LMyFFTDrawHpLp6dB>("fftDrawGeqInA");
    for (int p = 121; p <= 150; ++p)
        GeqFader(0, 10)->SetPosition(p);
    EXPECT_TRUE(w->Geq().GeqCurvePending());
    w->Geq().tmGeqCurveTimer();
    EXPECT_FALSE(w->Geq().GeqCurvePending());
    EXPECT_TRUE(graph->CurveDisplay());
    GeqFader(0, 10)->SetPosition(120);
    w->Geq().tmGeqCurveTimer();
    EXPECT_FALSE(graph->CurveDisplay());
}

TEST_F(Pages, RefreshDoesNotWriteLinkedGeqBands)
{
    LUnitControl& u = *w->Unit();
    u.SetGeq(0, 3, 60);
    u.SetGeq(1, 3, 200);
    u.SetLink(0, 0b011);
    u.SetLink(1, 0);
    sent.clear();
    w->ShowAllParams(&u);
    EXPECT_EQ(u.GetGeq(0, 3), 60);
    EXPECT_EQ(u.GetGeq(1, 3), 200);
    EXPECT_EQ(GeqFader(1, 3)->Position(), 200);
    EXPECT_TRUE(sent.empty());
}

TEST_F(Pages, GeqSelectorShowsTheLeaderCaptionedWithTheClickedInput)
{
    w->Unit()->SetLink(1, 0b110);
    w->Unit()->SetLink(2, 0);
    sent.clear();
    auto* c = Get<sk::TSkBmpButton>("rzbGeqSelInC");
    c->SetDown(true);
    w->Geq().rzbGeqSelInAClick(c);
    EXPECT_TRUE(Get<fw::TControl>("rzgGeqInB")->Visible());
    EXPECT_TRUE(Get<fw::TControl>("rzgFftGeqInB")->Visible());
    EXPECT_FALSE(Get<fw::TControl>("rzgGeqInC")->Visible());
    EXPECT_FALSE(Get<fw::TControl>("rzgGeqInA")->Visible());
    EXPECT_EQ(CaptionOf("lbFftChGeqInB"), QStringLiteral("InC"));
    EXPECT_EQ(CaptionOf("lbGeqInB"), QStringLiteral("InC"));
    // Input A's own caption label is named lbGeqinA: found all the same.
    w->Geq().rzbGeqSelInAClick(Get<sk::TSkBmpButton>("rzbGeqSelInA"));
    EXPECT_EQ(CaptionOf("lbGeqinA"), QStringLiteral("InA"));
    EXPECT_TRUE(Get<fw::TControl>("rzgGeqInA")->Visible());
    EXPECT_TRUE(sent.empty());
}

TEST_F(Pages, GeqBypassMarksEveryGraphOfTheGroupAndSendsOnce)
{
    w->Unit()->SetLink(0, 0b011);
    w->Unit()->SetLink(1, 0);
    sent.clear();
    w->Geq().vrbEqBypassGeqInAClick(Get<fw::TControl>("vrbEqBypassGeqInA"));
    EXPECT_EQ(w->Unit()->GetGeqBypassMask(), 0b011);
    EXPECT_EQ(Get<graph::LMyFFTDrawHpLp6dB>("fftDrawGeqInA")->FreeText(), QStringLiteral("BYPASS"));
    EXPECT_EQ(Get<graph::LMyFFTDrawHpLp6dB>("fftDrawGeqInB")->FreeText(), QStringLiteral("BYPASS"));
    EXPECT_EQ(Get<graph::LMyFFTDrawHpLp6dB>("fftDrawGeqInC")->FreeText(), QString());
    EXPECT_EQ(sent, (std::vector<Sent>{{73, {0, 1}, false}}));
    sent.clear();
    w->Geq().vrbEqBypassGeqInAClick(Get<fw::TControl>("vrbEqBypassGeqInA"));
    EXPECT_EQ(w->Unit()->GetGeqBypassMask(), 0);
    EXPECT_EQ(Get<graph::LMyFFTDrawHpLp6dB>("fftDrawGeqInB")->FreeText(), QString());
    EXPECT_EQ(sent, (std::vector<Sent>{{73, {0, 0}, false}}));
}

TEST_F(Pages, GeqResetSendsEveryBandUncoalescedInBandOrder)
{
    GeqFader(2, 4)->SetPosition(200);
    GeqFader(2, 30)->SetPosition(10);
    sent.clear();
    w->Geq().vrbEqResetGeqInAClick(Get<fw::TControl>("vrbEqResetGeqInC"));
    ASSERT_EQ(modal.size(), 1u);
    EXPECT_EQ(w->Dialogs()->fmPeqRst->Target(), 11);
    w->Dialogs()->fmPeqRst->btnOKClick();
    std::vector<Sent> expected;
    for (int b = 0; b < 31; ++b) {
        const int v = w->Unit()->GetDefaultGeq(2, b);
        expected.push_back({72, {2, uint8_t(b), uint8_t(v), uint8_t(v >> 8)}, true});
        EXPECT_EQ(w->Unit()->GetGeq(2, b), v);
    }
    EXPECT_EQ(sent, expected) << "each band once, the moved faders too";
    EXPECT_EQ(GeqFader(2, 4)->Position(), w->Unit()->GetDefaultGeq(2, 4));
    EXPECT_EQ(CaptionOf("lbGeqGainCh31InC"), QStringLiteral("+0.0"));
}

// ---- delay ----

TEST_F(Pages, TypedDelayStoresSendsAndShowsTheLinkGroup)
{
    w->Unit()->SetLink(3, 0b101); // outputs 1 and 3
    sent.clear();
    Type("cvdDelayOut1", QStringLiteral("1.5ms"));
    EXPECT_EQ(w->Unit()->GetDelay(3), 144);
    EXPECT_EQ(w->Unit()->GetDelay(5), 144);
    EXPECT_EQ(sent, (std::vector<Sent>{{56, {3, 144, 0}, false}}));
    for (const char* n : {"cvdDelayOut1", "cvdDelayOut3"})
        EXPECT_EQ(Get<fx::TRoundEdit>(n)->Text(), QStringLiteral("1.500ms")) << n;
    EXPECT_EQ(CaptionOf("lbFftDelayTimeOut3"), QStringLiteral("1.500ms"));
    EXPECT_EQ(Get<fx::TCustomTrackBar>("isDelayOut3")->Position(), 144);
    EXPECT_EQ(Get<fw::TControl>("imDelayOut3")->Left(), Get<fw::TControl>("imDelayOut1")->Left());
    EXPECT_FALSE(w->View().IsUpdating());
    // A refused text shows the current delay again and sends nothing.
    sent.clear();
    for (const char* text : {"abc", "-3", "", "5ms"}) {
        SCOPED_TRACE(text);
        w->Unit()->SetDelayUnit(1);
        sent.clear();
        Type("cvdDelayOut1", QString::fromLatin1(text));
        EXPECT_TRUE(sent.empty());
        EXPECT_EQ(Get<fx::TRoundEdit>("cvdDelayOut1")->Text(), QStringLiteral("0.515m"));
    }
    // A huge entry is clamped to the end of the range.
    w->Unit()->SetDelayUnit(0);
    Type("cvdDelayInA", QString(60, QChar(u'9')));
    EXPECT_EQ(w->Unit()->GetDelay(0), 65280);
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdDelayInA")->Text(), QStringLiteral("680.000ms"));
}

TEST_F(Pages, DelayMarkerGeometry)
{
    struct Case {
        const char* channel;
        int samples, left, dashes;
    } cases[] = {{"InA", 0, 40, 0}, {"InA", 65280, 425, 64}, {"Out2", 65280, 420, 63}, {"Out2", 192, 41, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.channel) + " " + std::to_string(c.samples));
        const QString s = QString::fromLatin1(c.channel);
        Get<fx::TCustomTrackBar>(QStringLiteral("isDelay") + s)->SetPosition(c.samples);
        auto* marker = Get<fw::TControl>(QStringLiteral("imDelay") + s);
        auto* time = Get<fw::TControl>(QStringLiteral("lbFftDelayTime") + s);
        EXPECT_EQ(marker->Left(), c.left);
        EXPECT_EQ(time->Left(), c.left + 30);
        EXPECT_EQ(time->Top(), marker->Top() + marker->Height() / 4);
        EXPECT_EQ(Get<fw::TControl>(QStringLiteral("lbDelayLine") + s)->Caption(),
                  QString(c.dashes, QChar(u'-')));
    }
}

TEST_F(Pages, DelayMarkerDrag)
{
    auto* line = Get<fw::TControl>("lbDelayLineInB");
    auto* fader = Get<fx::TCustomTrackBar>("isDelayInB");
    // A press more than 14 pixels from the marker's centre (line x 15) starts nothing.
    testapp::Press(line, 30, 24);
    testapp::Move(line, 200, 24);
    EXPECT_FALSE(w->Delay().DelayDragging());
    EXPECT_EQ(fader->Position(), 0);
    testapp::Release(line, 200, 24);
    testapp::Press(line, 20, 24);
    EXPECT_TRUE(w->Delay().DelayDragging());
    testapp::Move(line, 2000, 24); // held at the end of travel
    EXPECT_EQ(fader->Position(), 65280);
    EXPECT_EQ(w->Unit()->GetDelay(1), 65280);
    EXPECT_EQ(line->Caption(), QString(64, QChar(u'-')));
    testapp::Release(line, 2000, 24);
    EXPECT_FALSE(w->Delay().DelayDragging());
    EXPECT_EQ(Codes(), std::vector<int>{56});
}

TEST_F(Pages, DelayUnitRewritesEveryTextAndSendsOnce)
{
    Get<fx::TCustomTrackBar>("isDelayOut6")->SetPosition(192);
    sent.clear();
    auto* ft = Get<sk::TSkBmpButton>("rzbUnit2");
    ft->SetDown(true);
    w->Delay().rzbUnit0Click(ft);
    EXPECT_EQ(w->Unit()->GetDelayUnit(), 2);
    EXPECT_EQ(sent, (std::vector<Sent>{{21, {2}, false}}));
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdDelayOut6")->Text(), QStringLiteral("2.254ft"));
    EXPECT_EQ(CaptionOf("lbFftDelayTimeOut6"), QStringLiteral("2.254ft"));
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdDelayInA")->Text(), QStringLiteral("0.000ft"));
    // The refresh shows the stored unit without sending it.
    sent.clear();
    w->Unit()->SetDelayUnit(1);
    sent.clear();
    w->ShowAllParams(w->Unit());
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdDelayOut6")->Text(), QStringLiteral("0.687m"));
    EXPECT_TRUE(sent.empty());
}

// ---- matrix ----

TEST_F(Pages, TypedMixLevel)
{
    struct Case {
        const char* text;
        int position;
        const char* shown;
        bool sends;
    } cases[] = {{"-3.75", -37, "-3.7dB", true},  {"-25.7", -211, "-25.5dB", true},
                 {"-70", -280, "-60.0dB", true},  {"-60", -280, "-60.0dB", false},
                 {"--5", -280, "-60.0dB", false}, {"+3", 0, "+0.0dB", true},
                 {"-5 dB", -50, "-5.0dB", true},  {"-5.", -50, "-5.0dB", false}};
    auto* u = Get<TUpDown>("udMixGainBOut4");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        sent.clear();
        Type("cvdBMatrixOut4", QString::fromLatin1(c.text));
        EXPECT_EQ(u->Position(), c.position);
        EXPECT_EQ(Get<fx::TRoundEdit>("cvdBMatrixOut4")->Text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(w->Unit()->GetMix(6, 1), c.position + 280);
        if (c.sends)
            EXPECT_EQ(sent,
                      (std::vector<Sent>{
                          {65, {6, 1, uint8_t(c.position + 280), uint8_t((c.position + 280) >> 8)}, false}}));
        else
            EXPECT_TRUE(sent.empty());
    }
}

TEST_F(Pages, RefreshFillsMixEditsWithoutStoringOrSending)
{
    LUnitControl& u = *w->Unit();
    u.SetMix(3, 2, 79); // -201: -20.5 dB
    sent.clear();
    w->ShowAllParams(&u);
    EXPECT_EQ(Get<fx::TRoundEdit>("cvdCMatrixOut1")->Text(), QStringLiteral("-20.5dB"));
    EXPECT_EQ(u.GetMix(3, 2), 79);
    EXPECT_TRUE(sent.empty());
}

TEST_F(Pages, RouteButtonsSendTheWordAndDrawTheLines)
{
    // Default routing: A to 1 and 4, B to 2 and 5, C to 3 and 6. Route groups are per output box.
    auto click = [](const char* name, int output) {
        auto* b = Get<sk::TSkBmpButton>(name);
        b->SetDown(!b->Down());
        w->Matrix().rzbAMatrixOut1Click(b, output);
    };
    auto* a2 = Get<sk::TSkBmpButton>("rzbAMatrixOut2");
    auto* a1 = Get<sk::TSkBmpButton>("rzbAMatrixOut1");
    click("rzbAMatrixOut2", 2);
    EXPECT_TRUE(a2->Down());
    EXPECT_TRUE(a1->Down());
    EXPECT_EQ(w->Unit()->GetMatrix(4), 0b011);
    EXPECT_EQ(sent, (std::vector<Sent>{{58, {4, 0b011}, false}}));
    sent.clear();
    click("rzbAMatrixOut4", 4);
    EXPECT_EQ(sent, (std::vector<Sent>{{58, {6, 0}, false}}));
    std::vector<std::pair<int, int>> lines;
    for (const RouteSegment& r : w->Matrix().MatrixRoutes())
        lines.push_back({r.input, r.output});
    EXPECT_EQ(lines, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 1}, {1, 4}, {2, 2}, {2, 5}}));
}

TEST_F(Pages, RouteLinesStayOnTheirRowsWhenTheWindowGrows)
{
    w->show();
    w->resize(1400 - kFrameWidth, 900 - kFrameHeight);
    auto* pb = Get<fw::TControl>("pbMatrix");
    for (const RouteSegment& r : w->Matrix().MatrixRoutes()) {
        SCOPED_TRACE(std::to_string(r.input) + " to " + std::to_string(r.output));
        auto* in = Get<fw::TControl>(QStringLiteral("plMatrix") + ChannelTitle(r.input));
        auto* out = Get<fw::TControl>(QStringLiteral("plMatrix") + ChannelTitle(r.output + 3));
        EXPECT_GE(pb->Top() + r.y0, in->Top());
        EXPECT_LT(pb->Top() + r.y0, in->Top() + in->Height());
        EXPECT_GE(pb->Top() + r.y1, out->Top());
        EXPECT_LT(pb->Top() + r.y1, out->Top() + out->Height());
    }
    w->resize(kDesignWidth - kFrameWidth, kDesignHeight - kFrameHeight);
    w->hide();
    EXPECT_EQ(w->Matrix().MatrixRoutes().front().y0, 31);
}

// ---- navigation and names ----

TEST_F(Pages, BlockLabelsOpenTheirPages)
{
    struct Case {
        const char* label;
        int page;
    } cases[] = {{"lbMatrixMuteOut3", 5},         {"lbMatrixPhaseOut2", kPageLimit},
                 {"lbMatrixCompOut6", kPageComp}, {"lbMatrixHpLpInB", 1},
                 {"lbMatrixGateInC", kPageGate},  {"lbMatrixDelayOut4", kPageDelay},
                 {"lbMatrixXoverOut1", 3},        {"lbMatrixGainInA", 0},
                 {"lbMatrixPeqOut5", 7},          {"lbMatrixGeqInC", kPageGeq}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        w->rzbMenuInAClick(Get<sk::TSkBmpButton>("rzbMenuMatrix"));
        auto* l = Get<fw::TControl>(c.label);
        ASSERT_NE(l, nullptr);
        testapp::ClickAt(l, 3, 3);
        EXPECT_EQ(w->CurrentPage(), c.page);
        EXPECT_FALSE(Get<sk::TSkBmpButton>("rzbMenuMatrix")->Down());
    }
    EXPECT_TRUE(Get<sk::TSkBmpButton>("rzbGeqSelInC")->Down());
    EXPECT_TRUE(Get<fw::TControl>("rzgGeqInC")->Visible());
    EXPECT_EQ(CaptionOf("lbGeqInC"), QStringLiteral("InC"));
    EXPECT_TRUE(sent.empty());
}

TEST_F(Pages, ChannelNameShownStoredAndSentOnce)
{
    w->Matrix().SetChannelName(4, ChannelNameField(QStringLiteral("Sub"), CodePage::Windows1252));
    EXPECT_EQ(CaptionOf("lbMatrixChNameOut2"), QStringLiteral("Sub"));
    EXPECT_EQ(Get<fw::TControl>("rzbMenuOut2")->Hint(), QStringLiteral("Sub"));
    const std::vector<uint8_t> field = {'S', 'u', 'b', 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(field.begin(), field.end(), w->Matrix().GetChannelName(4).begin()));
    std::vector<uint8_t> payload = {4};
    payload.insert(payload.end(), field.begin(), field.end());
    EXPECT_EQ(sent, (std::vector<Sent>{{61, payload, true}}));
    // The name label opens the name dialog with the channel and its shown name.
    std::vector<std::pair<int, QString>> opened;
    w->Matrix().ChannelNameDialog = [&](int ch, const QString& name) { opened.push_back({ch, name}); };
    testapp::ClickAt(Get<fw::TControl>("lbMatrixChNameOut2"), 3, 3);
    EXPECT_EQ(opened, (std::vector<std::pair<int, QString>>{{4, QStringLiteral("Sub")}}));
}

// ---- end to end ----

TEST(PagesOnDevice, GeqBandDelayAndRouteReachTheDevice)
{
    testapp::WindowOnDevice rig;
    ASSERT_TRUE(rig.ConnectTcp());
    TfmMain& m = *rig.Main;
    m.Get<fx::TCustomTrackBar>(QStringLiteral("isGeqCh07InB"))->SetPosition(185);
    auto* delay = m.Get<fx::TRoundEdit>(QStringLiteral("cvdDelayOut5"));
    delay->SetText(QStringLiteral("12.5"));
    m.Delay().cvdDelayInAExit(delay);
    auto* route = m.Get<sk::TSkBmpButton>(QStringLiteral("rzbCMatrixOut2"));
    route->SetDown(true);
    m.Matrix().rzbAMatrixOut1Click(route, 2);
    auto* mix = m.Get<fx::TRoundEdit>(QStringLiteral("cvdCMatrixOut2"));
    mix->SetText(QStringLiteral("-6"));
    m.Matrix().cvdAMatrixOut1Exit(mix, 2);
    ASSERT_TRUE(rig.WaitDeviceMatchesModel());
    const ParamImage image = rig.Device.Image();
    EXPECT_EQ(image.inputs[1].geq[6], 185);
    EXPECT_EQ(image.outputs[4].delay, 1200);
    EXPECT_EQ(image.outputs[1].routeMask & 0b100, 0b100);
    EXPECT_EQ(image.outputs[1].mix[2], 220);
}

} // namespace
