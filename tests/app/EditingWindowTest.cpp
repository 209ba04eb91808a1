// Editing on the main window through its controls, with the commands caught by a recorder and the
// curve timers on a fake clock: PEQ, crossovers, the graphs' mouse, overlays, the channel strip and the
// level meters.
#include "TestApp.h"
#include "WindowFixture.h"
#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainEditing.h"
#include "app/main/MainLayout.h"
#include "app/main/MainSessionView.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "app/pages/DynamicsPage.h"
#include "app/pages/PeqPage.h"
#include "app/pages/StripPage.h"
#include "base/ValueScales.h"
#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "eq/LProgressBar.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"
#include "proto/LCmd.h"
#include "proto/Levels.h"
#include "session/LLinkSession.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using namespace app;
using graph::LMyFFTDrawHpLp6dB;

namespace
{

using Sent = testapp::SentFrame;

class Editing : public testapp::WindowFixture
{
  protected:
    static void SetUpTestSuite()
    {
        // The window's timers run on the fake clock, which stays as long as the window.
        if (!clock)
            clock = new fw::FakeTimerScope;
        WindowFixture::SetUpTestSuite();
        // Lay the graphs out (their plot pages get their size on the first paint).
        for (int ch = 0; ch < 9; ++ch)
            Graph(ch)->Grab();
    }
    void SetUp() override
    {
        w->Unit()->LoadDefaults();
        w->View().ShowAllParams();
        Tick();
        sent.clear();
        modal.clear();
    }
    void TearDown() override
    {
        // No drag or pending edit leaks into the next case.
        if (auto* g = Graph(0))
            w->Peq().fftDrawInAMouseUp(g, fw::mbLeft, 0, 0, 0);
        Tick();
    }
    static void Tick() { clock->Fake.Advance(2); }
    template <class T> static T* Get(const QString& name) { return w->Get<T>(name); }
    static LMyFFTDrawHpLp6dB* Graph(int ch)
    {
        return Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + ChannelTitle(ch));
    }
    static eq::TMyPEQType8* Peq(int ch)
    {
        return Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + ChannelTitle(ch));
    }
    static fx::TCustomTrackBar* Fader(const QString& prefix, int ch)
    {
        return Get<fx::TCustomTrackBar>(prefix + ChannelTitle(ch));
    }
    static fx::TRoundEdit* Edit(const QString& prefix, int ch)
    {
        return Get<fx::TRoundEdit>(prefix + ChannelTitle(ch));
    }
    static int Count(int code)
    {
        return int(std::count_if(sent.begin(), sent.end(), [&](const Sent& s) { return s.code == code; }));
    }
    static std::vector<Sent> Of(int code)
    {
        std::vector<Sent> out;
        for (const Sent& s : sent)
            if (s.code == code)
                out.push_back(s);
        return out;
    }
    // Widget point of marker p at level `db` on channel ch's graph, moved by (dx, ddb).
    static QPoint MarkerPoint(int ch, int p, double db, int dx = 0)
    {
        const graph::TPlotFrame f = Graph(ch)->PlotFrame();
        const int x = f.Left + Graph(ch)->GetBlockPos(p).X + dx;
        // Middle of the dB step of the level, so that the truncation lands on it.
        const double units = (f.YMax - db) / (f.YMax - f.YMin) * f.H;
        return {x, f.Top + int(std::lround(units))};
    }
    // Widget point of a frequency and of pixel row `row` of channel ch's plot area, whose level is
    // 18 - row * 36 / H dB (H = 230: 0.1565 dB per row).
    static QPoint PointAt(int ch, double hz, int row)
    {
        const graph::TPlotFrame f = Graph(ch)->PlotFrame();
        EXPECT_EQ(f.H, 230);
        const double grid = std::log10(hz) / std::log10(48000.0) * 4096;
        return {int(std::lround(f.ControlX(grid))), f.Top + row};
    }
    // Selects band k of channel ch as a click on its button does.
    static void SelectBand(int ch, int k)
    {
        auto* b = Get<sk::TSkBmpButton>(QStringLiteral("rzbEq%1").arg(k + 1) + ChannelTitle(ch));
        ASSERT_NE(b, nullptr);
        b->SetDown(true);
        w->Peq().rzbEq1InAClick(b);
    }

    static inline fw::FakeTimerScope* clock = nullptr;
};

// ---------------------------------------------------------------------------------------------------
// PEQ

TEST_F(Editing, QRulesOfTheBandTypes)
{
    struct Case {
        const char* name;
        int fromType, fromQ; // the band as model and editor hold it
        int toType;          // the type the user picks
        int wantQ;           // -1: the default image's Q of the band
        int frames;
    };
    const Case cases[] = {
        {"peak to low shelf takes 0.71", PeqTypePeak, 20, PeqTypeLowShelf, 10, 2},
        {"low shelf to high shelf takes 0.71", PeqTypeLowShelf, 20, PeqTypeHighShelf, 10, 2},
        {"a new cut type already at 0.71 needs no second pass", PeqTypeLowShelf, 10, PeqTypeLp12, 10, 1},
        {"high shelf to peak takes the default Q", PeqTypeHighShelf, 10, PeqTypePeak, -1, 2},
        {"cut to all-pass takes the default Q", PeqTypeHp12, 10, PeqTypeAllpass2, -1, 2},
        {"a shelf above 3.0 is pulled to 3.0 at its next change", PeqTypeLowShelf, 50, PeqTypeLowShelf, 35,
         2},
        {"a shelf at 2.0 keeps its Q", PeqTypeLowShelf, 28, PeqTypeLowShelf, 28, 1},
        {"a peak keeps any Q", PeqTypePeak, 80, PeqTypePeak, 80, 1},
    };
    const int ch = 3, k = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeqBand band = w->Unit()->GetPeq(ch, k);
        band.type = uint8_t(c.fromType);
        band.q = uint8_t(c.fromQ);
        w->Unit()->SetPeq(ch, k, band, 0);
        w->View().ShowAllParams();
        SelectBand(ch, k);
        sent.clear();
        eq::TMyPEQType8* peq = Peq(ch);
        if (c.toType == c.fromType)
            peq->SetGainValue(k, 1.5); // any change of the row
        else
            peq->SetTypeValue(k, c.toType);
        const int want = c.wantQ >= 0 ? c.wantQ : w->Unit()->GetDefaultPeq(ch, k).q;
        EXPECT_EQ(peq->GetQIndex(k), want);
        EXPECT_EQ(w->Unit()->GetPeq(ch, k).q, want);
        EXPECT_EQ(w->Unit()->GetPeq(ch, k).type, c.toType);
        EXPECT_EQ(Count(CM_MCS_PEQ::Code), c.frames);
        EXPECT_EQ(Edit(QStringLiteral("cvdEqBw"), ch)->Text(), EqQText(want));
    }
}

TEST_F(Editing, ThirtyFaderMovesGiveOneStoreAndOneFrame)
{
    SelectBand(0, 0);
    sent.clear();
    fx::TCustomTrackBar* gain = Fader(QStringLiteral("isEqGain"), 0);
    for (int p = 121; p <= 150; ++p)
        gain->SetPosition(p);
    EXPECT_EQ(Count(CM_MCS_PEQ::Code), 0) << "nothing goes out before the timer";
    EXPECT_EQ(Edit(QStringLiteral("cvdEqGain"), 0)->Text(), QStringLiteral("+3.0dB"));
    Tick();
    const auto frames = Of(CM_MCS_PEQ::Code);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].payload[0], 0);
    EXPECT_EQ(frames[0].payload[1], 0);
    EXPECT_EQ(frames[0].payload[2], 0x96);
    EXPECT_EQ(frames[0].payload[3], 0x00);
    EXPECT_FALSE(frames[0].noCoalesce);
    EXPECT_EQ(w->Unit()->GetPeq(0, 0).gain, 150);
    EXPECT_EQ(Peq(0)->GetGainPosition(0), 30);
}

TEST_F(Editing, PanelFaderTextsAndTheQCeiling)
{
    SelectBand(4, 1);
    struct Case {
        const char* name;
        const char* fader;
        int position;
        const char* edit;
        const char* text;
    };
    const Case cases[] = {
        {"lowest frequency", "isEqFreq", 0, "cvdEqFreq", " 19.7Hz"},
        {"1 kHz", "isEqFreq", 170, "cvdEqFreq", "1.00KHz"},
        {"500 Hz", "isEqFreq", 140, "cvdEqFreq", " 500.0Hz"},
        {"gain -1.0 dB", "isEqGain", 110, "cvdEqGain", "-1.0dB"},
        {"gain 0 dB", "isEqGain", 120, "cvdEqGain", "+0.0dB"},
        {"gain +12 dB", "isEqGain", 240, "cvdEqGain", "+12.0dB"},
        {"Q 0.40", "isEqBw", 0, "cvdEqBw", "0.40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fader(QString::fromLatin1(c.fader), 4)->SetPosition(c.position);
        EXPECT_EQ(Edit(QString::fromLatin1(c.edit), 4)->Text(), QString::fromLatin1(c.text));
        Tick();
    }
    // A shelf's Q fader stops at 3.0.
    Peq(4)->SetTypeValue(1, PeqTypeLowShelf);
    Tick();
    sent.clear();
    Fader(QStringLiteral("isEqBw"), 4)->SetPosition(50);
    EXPECT_EQ(Fader(QStringLiteral("isEqBw"), 4)->Position(), 35);
    EXPECT_EQ(Edit(QStringLiteral("cvdEqBw"), 4)->Text(), QStringLiteral("3.00"));
    Tick();
    EXPECT_EQ(w->Unit()->GetPeq(4, 1).q, 35);
}

TEST_F(Editing, GuardsKeepTheModelAndTheDeviceQuiet)
{
    // No band selected: the keys and faders reach no model byte.
    const ParamImage before = w->Unit()->GetImage();
    eq::TMyPEQType8* peq = Peq(0);
    peq->SetNowIndex(15);
    fw::Word key = 38;
    w->Peq().cvdEqFreqInAKeyDown(Edit(QStringLiteral("cvdEqFreq"), 0), key, 0);
    key = 39;
    w->Peq().cvdEqFreqInAKeyDown(Edit(QStringLiteral("cvdEqFreq"), 0), key, 0);
    Tick();
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(std::memcmp(&before, &w->Unit()->GetImage(), sizeof before), 0);

    // A band being dragged on the graph: editor changes do not reach the model from the editor.
    SelectBand(0, 0);
    sent.clear();
    w->Peq().fftDrawInAMouseDown(Graph(0), fw::mbLeft, 0, MarkerPoint(0, 0, 0).x(), MarkerPoint(0, 0, 0).y());
    ASSERT_EQ(w->Peq().SelectedHandle(), 0);
    sent.clear();
    peq->SetGainValue(0, 5.0);
    EXPECT_EQ(Count(CM_MCS_PEQ::Code), 0);
    w->Peq().fftDrawInAMouseUp(Graph(0), fw::mbLeft, 0, 0, 0);
    EXPECT_EQ(w->Peq().SelectedHandle(), -1);
}

TEST_F(Editing, KeysOfTheFrequencyEditStepTheFaders)
{
    SelectBand(5, 0);
    struct Case {
        const char* name;
        fw::Word key;
        const char* fader;
        int delta;
    };
    const Case cases[] = {
        {"left", 37, "isEqFreq", -1}, {"right", 39, "isEqFreq", +1}, {"plus", 107, "isEqBw", +1},
        {"minus", 189, "isEqBw", -1}, {"up", 38, "isEqGain", +1},    {"down", 40, "isEqGain", -1},
        {"shift", 16, "isEqGain", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fx::TCustomTrackBar* f = Fader(QString::fromLatin1(c.fader), 5);
        const int before = f->Position();
        fw::Word key = c.key;
        w->Peq().cvdEqFreqInAKeyDown(Edit(QStringLiteral("cvdEqFreq"), 5), key, 0);
        EXPECT_EQ(f->Position(), before + c.delta);
        Tick();
    }
}

TEST_F(Editing, UpdatingFlagStopsFadersButNotTheQRule)
{
    // The refresh fills a shelf band whose stored Q is above the ceiling: the editor is pulled to
    // 3.0, the model and the device are not touched.
    // (The rule runs for the editor's current row, band 0 while the refresh fills the rows.)
    PeqBand band = w->Unit()->GetPeq(1, 0);
    band.type = PeqTypeHighShelf;
    band.q = 60;
    w->Unit()->SetPeq(1, 0, band, 0);
    sent.clear();
    w->View().ShowAllParams();
    Tick();
    EXPECT_EQ(Peq(1)->GetQIndex(0), 35);
    EXPECT_EQ(w->Unit()->GetPeq(1, 0).q, 60);
    EXPECT_EQ(Count(CM_MCS_PEQ::Code), 0);
}

TEST_F(Editing, ResetSendsEveryBandFromTheLastAndLeavesTheDefaults)
{
    const int ch = 3;
    for (int b = 0; b < 9; ++b) {
        PeqBand band = w->Unit()->GetPeq(ch, b);
        band.gain = 150;
        w->Unit()->SetPeq(ch, b, band, 1);
    }
    w->View().ShowAllParams();
    sent.clear();
    w->Peq().vrbEqResetInAClick(Get<fw::TControl>(QStringLiteral("vrbEqResetOut1")));
    ASSERT_EQ(modal.size(), 1u);
    EXPECT_EQ(w->Dialogs()->fmPeqRst->Target(), ch);
    w->Peq().ResetPeqBands(ch);
    const auto frames = Of(CM_MCS_PEQ::Code);
    // Each band once with coalescing off, then once through the store (kept: sent twice).
    ASSERT_EQ(frames.size(), 18u);
    for (int i = 0; i < 9; ++i) {
        const int b = 8 - i;
        SCOPED_TRACE(b);
        EXPECT_EQ(frames[2 * i].payload[1], b);
        EXPECT_TRUE(frames[2 * i].noCoalesce);
        EXPECT_EQ(frames[2 * i + 1].payload[1], b);
        EXPECT_FALSE(frames[2 * i + 1].noCoalesce);
        const PeqBand d = w->Unit()->GetDefaultPeq(ch, b);
        const PeqBand m = w->Unit()->GetPeq(ch, b);
        EXPECT_EQ(std::tie(m.gain, m.freq, m.q, m.type), std::tie(d.gain, d.freq, d.q, d.type));
        EXPECT_FALSE(w->Unit()->GetPeqBypass(ch, b));
        EXPECT_EQ(Peq(ch)->GetGainPosition(b), d.gain - 120);
        EXPECT_FALSE(Peq(ch)->GetBypassValue(b));
        EXPECT_NEAR(w->Plots(ch)->Section(b).gain(), (d.gain - 120) * 0.1, 1e-9);
    }
}

TEST_F(Editing, BypassCoversTheLinkGroupAndMarksTheClickedGraph)
{
    w->Unit()->SetLink(1, 0b110);
    w->Unit()->SetLink(2, 0);
    w->View().ShowAllParams();
    sent.clear();
    auto* button = Get<fw::TControl>(QStringLiteral("vrbEqBypassInB"));
    w->Peq().vrbEqBypassInAClick(button);
    EXPECT_EQ(w->Unit()->GetEqBypassMask(1) & 0b111, 0b110);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, 60);
    EXPECT_EQ(sent[0].payload, (std::vector<uint8_t>{1, 1}));
    EXPECT_FALSE(sent[0].noCoalesce);
    // Kept as the editor does it: only the clicked graph shows the mark.
    auto text = [](int ch) { return Graph(ch)->Grab(); };
    const QImage markedB = text(1), plainC = text(2);
    w->Peq().vrbEqBypassInAClick(button);
    EXPECT_EQ(w->Unit()->GetEqBypassMask(1) & 0b111, 0);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].payload, (std::vector<uint8_t>{1, 0}));
    EXPECT_NE(text(1), markedB) << "the mark goes again from B";
    EXPECT_EQ(text(2), plainC) << "C never had one";
}

TEST_F(Editing, ViewSwitchChangesTheAxesOnlyOnAChange)
{
    const int ch = 6;
    LMyFFTDrawHpLp6dB* g = Graph(ch);
    auto* phase = Get<fw::TControl>(QStringLiteral("rbShowPhaseOut4"));
    auto* gain = Get<fw::TControl>(QStringLiteral("rbShowGainOut4"));
    w->Peq().rbShowGainInAClick(gain); // already magnitude: nothing
    EXPECT_FALSE(w->Plots(ch)->GetPhaseMode());
    w->Peq().rbShowPhaseInAClick(phase);
    EXPECT_TRUE(w->Plots(ch)->GetPhaseMode());
    EXPECT_EQ(g->NumHorzGrid(), 7);
    EXPECT_EQ(g->YLabel(), QString());
    EXPECT_EQ(g->YLabelScale(), 10);
    EXPECT_EQ(phase->Font().Color(), fw::RGB(255, 255, 0));
    EXPECT_EQ(gain->Font().Color(), fw::RGB(192, 192, 192));
    EXPECT_TRUE(g->CurveDisplay()) << "the selected band's detail stays";
    w->Peq().rbShowGainInAClick(gain);
    EXPECT_FALSE(w->Plots(ch)->GetPhaseMode());
    EXPECT_EQ(g->NumHorzGrid(), 11);
    EXPECT_EQ(g->YLabel(), QStringLiteral("dB"));
    EXPECT_EQ(g->YLabelScale(), 1);
    // With no band selected the switch shows no detail.
    Peq(ch)->SetNowIndex(15);
    g->SetCurveDisplay(false);
    w->Peq().rbShowPhaseInAClick(phase);
    EXPECT_FALSE(g->CurveDisplay());
    w->Peq().rbShowGainInAClick(gain);
}

TEST_F(Editing, ShowAllFollowsItsButtonsState)
{
    const int ch = 4;
    auto* button = Get<sk::TLedPowerButton>(QStringLiteral("vrbEqShowAllOut2"));
    ASSERT_NE(button, nullptr);
    LMyFFTDrawHpLp6dB* g = Graph(ch);
    ASSERT_FALSE(button->Active());
    ASSERT_FALSE(g->ParameterDisplay());
    // Clicks with the mouse: on, then off.
    testapp::ClickAt(button, 5, 5);
    EXPECT_TRUE(button->Active());
    EXPECT_TRUE(g->ParameterDisplay());
    testapp::ClickAt(button, 5, 5);
    EXPECT_FALSE(button->Active());
    EXPECT_FALSE(g->ParameterDisplay());

    // The display takes the button's state, however often the handler runs and whatever it showed.
    struct Case {
        const char* name;
        bool active;
        int calls;
    };
    const Case cases[] = {
        {"on, handled once", true, 1},
        {"on, handled twice", true, 2},
        {"off, handled once", false, 1},
        {"off, handled twice", false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g->SetParameterDisplay(!c.active);
        button->SetActive(c.active);
        EXPECT_EQ(g->ParameterDisplay(), !c.active) << "setting the state alone does nothing";
        for (int i = 0; i < c.calls; ++i)
            w->Peq().vrbEqShowAllInAClick(button);
        EXPECT_EQ(g->ParameterDisplay(), c.active);
    }

    // Each channel's button reaches its own graph only; another kind of sender reaches none.
    for (int k = 0; k < 9; ++k) {
        SCOPED_TRACE(k);
        auto* b = Get<sk::TLedPowerButton>(QStringLiteral("vrbEqShowAll") + ChannelTitle(k));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Tag(), k);
        b->SetActive(true);
        w->Peq().vrbEqShowAllInAClick(b);
        for (int m = 0; m < 9; ++m)
            EXPECT_EQ(Graph(m)->ParameterDisplay(), m == k) << m;
        b->SetActive(false);
        w->Peq().vrbEqShowAllInAClick(b);
    }
    auto* reset = Get<fw::TControl>(QStringLiteral("vrbEqResetOut2"));
    w->Peq().vrbEqShowAllInAClick(reset);
    EXPECT_FALSE(g->ParameterDisplay());
    EXPECT_TRUE(modal.empty());
}

TEST_F(Editing, TypeWheelAndSlopeWheelChangeNothing)
{
    auto* combo = Get<sk::TSkComboBox>(QStringLiteral("rzcLowCutSlopInA"));
    const int before = combo->ItemIndex();
    testapp::Wheel(combo, -120);
    testapp::Wheel(combo, 120);
    EXPECT_EQ(combo->ItemIndex(), before);
    bool handled = false;
    Peq(0)->OnPeqTypeMouseWheel(Peq(0), 0, -120, {}, handled);
    EXPECT_TRUE(handled);
    EXPECT_TRUE(sent.empty());
}

TEST_F(Editing, LinkGroupOfAChannel)
{
    struct Case {
        const char* name;
        int ch;
        std::vector<std::pair<int, int>> links;
        int want;
    };
    const Case cases[] = {
        {"own word", 1, {{1, 0b010}}, 0b010},
        {"member of a lower leader", 2, {{0, 0b101}, {2, 0}}, 0b101},
        {"output member", 5, {{3, 0b000111}, {4, 0}, {5, 0}}, 0b000111},
        {"in no word: alone", 4, {{3, 0b000001}, {4, 0}}, 0b000010},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->Unit()->LoadDefaults();
        for (auto [ch, word] : c.links)
            w->Unit()->SetLink(ch, uint16_t(word));
        EXPECT_EQ(w->Unit()->GetLinkMembers(c.ch), c.want);
    }
}

// ---------------------------------------------------------------------------------------------------
// Crossovers

TEST_F(Editing, CutFaderTextsStoreAtOnceAndDrawOnTheTimer)
{
    struct Case {
        const char* name;
        int position;
        const char* text;
    };
    const Case cases[] = {{"1 kHz", 170, "1.00KHz"}, {"lowest", 0, " 19.7Hz"}, {"highest", 300, "20.16KHz"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sent.clear();
        Fader(QStringLiteral("isLowCutFreq"), 0)->SetPosition(c.position);
        EXPECT_EQ(Edit(QStringLiteral("cvdLowCutFreq"), 0)->Text(), QString::fromLatin1(c.text));
        const auto frames = Of(CM_MCS_HIGH_PASS::Code);
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].payload[1] | frames[0].payload[2] << 8, c.position);
        EXPECT_EQ(w->Unit()->GetXover(0).hpFreq, c.position);
        const double before = w->Plots(0)->Section(Plot::HighPassSection).frequency();
        Tick();
        EXPECT_NEAR(w->Plots(0)->Section(Plot::HighPassSection).frequency(), IndexToFreq(c.position), 1e-3)
            << "was " << before;
    }
}

TEST_F(Editing, SlopeAndBypassOfACut)
{
    auto* combo = Get<sk::TSkComboBox>(QStringLiteral("rzcHighCutSlopOut2"));
    auto* bypass = Get<sk::TSkBmpButton>(QStringLiteral("rzbHighCutBypassOut2"));
    Fader(QStringLiteral("isHighCutFreq"), 4)->SetPosition(200);
    bypass->SetDown(false);
    Tick();
    sent.clear();
    combo->SetItemIndex(9); // LK -24
    w->Peq().rzcHighCutSlopInAChange(combo);
    auto frames = Of(CM_MCS_LOW_PASS::Code);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].payload, (std::vector<uint8_t>{4, 200, 0, 10}));
    const Plot& plot = *w->Plots(4);
    // LK -24 reads about -6 dB at its corner.
    const int corner = int(std::lround(std::log10(IndexToFreq(200)) / std::log10(48000.0) * 4096));
    EXPECT_NEAR(plot.Section(Plot::LowPassSection).curve()[std::size_t(corner)], -6.0, 0.5);

    sent.clear();
    bypass->SetDown(true);
    w->Peq().rzcHighCutSlopInAChange(bypass);
    frames = Of(CM_MCS_LOW_PASS::Code);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].payload, (std::vector<uint8_t>{4, 200, 0, 0}));
    for (double v : plot.Section(Plot::LowPassSection).curve())
        ASSERT_EQ(v, 0.0) << "bypassed: flat";
    EXPECT_NEAR(plot.Section(Plot::LowPassSection).frequency(), IndexToFreq(200), 1e-3) << "marker stays";
    sent.clear();
    bypass->SetDown(false);
    w->Peq().rzcHighCutSlopInAChange(bypass);
    EXPECT_EQ(Of(CM_MCS_LOW_PASS::Code).at(0).payload, (std::vector<uint8_t>{4, 200, 0, 10}));
}

TEST_F(Editing, CutsDuringARefresh)
{
    // The fader does nothing at all; a slope change redraws and sends nothing.
    XoverParam x = w->Unit()->GetXover(2);
    x.hpFreq = 100;
    x.hpSlope = 8;
    w->Unit()->SetHighPass(2, x);
    sent.clear();
    w->View().ShowAllParams();
    Tick();
    EXPECT_EQ(Count(CM_MCS_HIGH_PASS::Code), 0);
    EXPECT_EQ(Fader(QStringLiteral("isLowCutFreq"), 2)->Position(), 100);
    EXPECT_EQ(Get<sk::TSkComboBox>(QStringLiteral("rzcLowCutSlopInC"))->ItemIndex(), 7);
    // A Butterworth cut reads about -3 dB at its frequency.
    const int corner = int(std::lround(std::log10(IndexToFreq(100)) / std::log10(48000.0) * 4096));
    EXPECT_NEAR(w->Plots(2)->Section(Plot::HighPassSection).curve()[std::size_t(corner)], -3.0, 0.5);
}

TEST_F(Editing, SlopeCodeOutsideTheTableDrawsAsBypass)
{
    // A device may send any code: the curve is flat with its marker, never a row past the table.
    XoverParam x = w->Unit()->GetXover(5);
    x.lpFreq = 150;
    x.lpSlope = 25;
    w->Unit()->SetLowPass(5, x);
    w->Peq().DrawLowPassCurve(5);
    const Plot& plot = *w->Plots(5);
    for (double v : plot.Section(Plot::LowPassSection).curve())
        ASSERT_EQ(v, 0.0);
    EXPECT_NEAR(plot.Section(Plot::LowPassSection).frequency(), IndexToFreq(150), 1e-3);
}

// ---------------------------------------------------------------------------------------------------
// Graph mouse

TEST_F(Editing, HitTestOfABandMarker)
{
    const int ch = 0, band = 2;
    SelectBand(ch, band);
    Tick();
    const double db = Peq(ch)->GetGainValue(band);
    struct Case {
        const char* name;
        int dx;
        double ddb;
        fw::TMouseButton button;
        int want;
    };
    const Case cases[] = {
        {"on the marker", 0, 0, fw::mbLeft, band},
        {"4 px to the left", -4, 0, fw::mbLeft, band},
        {"4 px to the right", 4, 0, fw::mbLeft, band},
        {"5 px to the side", 5, 0, fw::mbLeft, -1},
        {"3 dB above", 0, 3, fw::mbLeft, -1},
        {"3 dB below", 0, -3, fw::mbLeft, -1},
        {"right button on the marker", 0, 0, fw::mbRight, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QPoint p = MarkerPoint(ch, band, db + c.ddb, c.dx);
        w->Peq().fftDrawInAMouseDown(Graph(ch), c.button, 0, p.x(), p.y());
        EXPECT_EQ(w->Peq().SelectedHandle(), c.want);
        w->Peq().fftDrawInAMouseUp(Graph(ch), c.button, 0, p.x(), p.y());
    }
}

TEST_F(Editing, BandDragClampsAndTheMinusOneDbRule)
{
    const int ch = 3, band = 1;
    struct Case {
        const char* name;
        double startDb;
        int pointerRow;
        double hz;
        double wantDb;
        int wantFreq;
    };
    const Case cases[] = {
        {"above +12 stops at +12 (+16.4 dB)", 2.0, 10, 1000, 12.0, 170},
        {"below -12 stops at -12 (-16.4 dB)", 2.0, 220, 1000, -12.0, 170},
        {"positive band: the level under the pointer (+4.54 dB)", 2.0, 86, 1000, 4.5, 170},
        {"negative band: one dB below the pointer (+0.47 dB)", -4.0, 112, 1000, -0.5, 170},
        {"negative band turns positive above +1 dB (+1.41 dB)", -4.0, 106, 1000, 0.4, 170},
        {"left of the grid: 19.7 Hz (+3.13 dB)", 2.0, 95, 5, 3.1, 0},
        {"right of the grid: 20160 Hz (+3.13 dB)", 2.0, 95, 23000, 3.1, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeqBand b = w->Unit()->GetPeq(ch, band);
        b.gain = int16_t(GainToIndex(c.startDb));
        b.freq = 170;
        w->Unit()->SetPeq(ch, band, b, 0);
        w->View().ShowAllParams();
        Tick();
        const QPoint start = MarkerPoint(ch, band, c.startDb);
        w->Peq().fftDrawInAMouseDown(Graph(ch), fw::mbLeft, 0, start.x(), start.y());
        ASSERT_EQ(w->Peq().SelectedHandle(), band);
        sent.clear();
        const QPoint to = PointAt(ch, c.hz, c.pointerRow);
        w->Peq().fftDrawInAMouseMove(Graph(ch), 0, to.x(), to.y());
        const auto frames = Of(CM_MCS_PEQ::Code);
        ASSERT_EQ(frames.size(), 1u) << "one store per move";
        const PeqBand m = w->Unit()->GetPeq(ch, band);
        EXPECT_EQ(m.gain, GainToIndex(c.wantDb));
        EXPECT_EQ(m.freq, c.wantFreq);
        EXPECT_LE(m.freq, 300);
        EXPECT_NEAR(Peq(ch)->GetGainValue(band), c.wantDb, 1e-9);
        Tick();
        EXPECT_NEAR(w->Plots(ch)->Section(band).gain(), c.wantDb, 1e-9) << "the timer draws the band";
        w->Peq().fftDrawInAMouseUp(Graph(ch), fw::mbLeft, 0, to.x(), to.y());
    }
}

TEST_F(Editing, CornerDragMovesTheFaderAndColoursItsText)
{
    const int ch = 0;
    XoverParam x = w->Unit()->GetXover(ch);
    x.hpFreq = 100;
    x.hpSlope = 3;
    w->Unit()->SetHighPass(ch, x);
    w->View().ShowAllParams();
    Tick();
    const QPoint start = MarkerPoint(ch, Plot::HighPassSection, 0);
    w->Peq().fftDrawInAMouseDown(Graph(ch), fw::mbLeft, 0, start.x(), start.y());
    ASSERT_EQ(w->Peq().SelectedHandle(), Plot::HighPassSection);
    sent.clear();
    const QPoint to = PointAt(ch, IndexToFreq(130), 60);
    w->Peq().fftDrawInAMouseMove(Graph(ch), 0, to.x(), to.y());
    const int pos = Fader(QStringLiteral("isLowCutFreq"), ch)->Position();
    EXPECT_NEAR(pos, 130, 1);
    EXPECT_EQ(w->Unit()->GetXover(ch).hpFreq, pos);
    EXPECT_EQ(w->Unit()->GetXover(ch).hpSlope, 3) << "the slope stays";
    const auto frames = Of(CM_MCS_HIGH_PASS::Code);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back().payload, (std::vector<uint8_t>{0, uint8_t(pos), 0, 3}));
    EXPECT_EQ(Edit(QStringLiteral("cvdLowCutFreq"), ch)->Text(), EditFreqText(float(IndexToFreq(pos))));
    EXPECT_EQ(Edit(QStringLiteral("cvdLowCutFreq"), ch)->Font().Color(), fw::TColor(0x008000));
    w->Peq().fftDrawInAMouseUp(Graph(ch), fw::mbLeft, 0, to.x(), to.y());
    EXPECT_EQ(Edit(QStringLiteral("cvdLowCutFreq"), ch)->Font().Color(), fw::clBlack);
    EXPECT_EQ(Edit(QStringLiteral("cvdHighCutFreq"), ch)->Font().Color(), fw::clBlack);
    EXPECT_EQ(w->Peq().SelectedHandle(), -1);
}

TEST_F(Editing, HoverAndRepeatedPositions)
{
    const int ch = 1, band = 0;
    SelectBand(ch, band);
    Tick();
    const double db = Peq(ch)->GetGainValue(band);
    const QPoint on = MarkerPoint(ch, band, db);
    LMyFFTDrawHpLp6dB* g = Graph(ch);
    ASSERT_EQ(w->logicalDpiX(), 96) << "the hover scale of 96 pixels per inch";
    w->Peq().fftDrawInAMouseMove(g, 0, on.x(), on.y());
    EXPECT_EQ(g->cursor().shape(), Qt::CrossCursor);
    w->Peq().fftDrawInAMouseMove(g, 0, on.x() + 4, on.y());
    EXPECT_EQ(g->cursor().shape(), Qt::ArrowCursor) << "4 px selects on a press but shows no cross";
    // The same position again, even on another graph, does nothing.
    Graph(2)->setCursor(Qt::WaitCursor);
    w->Peq().fftDrawInAMouseMove(Graph(2), 0, on.x() + 4, on.y());
    EXPECT_EQ(Graph(2)->cursor().shape(), Qt::WaitCursor);
    Graph(2)->setCursor(Qt::ArrowCursor);
}

TEST_F(Editing, BandDragThroughRealMouseEvents)
{
    const int ch = 4, band = 3;
    SelectBand(ch, band);
    Tick();
    const double db = Peq(ch)->GetGainValue(band);
    const QPoint start = MarkerPoint(ch, band, db);
    testapp::Press(Graph(ch), start.x(), start.y());
    EXPECT_EQ(w->Peq().SelectedHandle(), band);
    const QPoint to = PointAt(ch, 2000, 76); // +6.10 dB
    testapp::Move(Graph(ch), to.x(), to.y());
    testapp::Release(Graph(ch), to.x(), to.y());
    EXPECT_EQ(w->Peq().SelectedHandle(), -1);
    Tick();
    EXPECT_EQ(w->Unit()->GetPeq(ch, band).gain, 181);
    EXPECT_EQ(w->Unit()->GetPeq(ch, band).freq, 200);
    EXPECT_EQ(Edit(QStringLiteral("cvdEqGain"), ch)->Text(), QStringLiteral("+6.1dB"));
    EXPECT_EQ(Edit(QStringLiteral("cvdEqFreq"), ch)->Text(), QStringLiteral("2.00KHz"));
}

// ---------------------------------------------------------------------------------------------------
// Overlays

TEST_F(Editing, OverlaysFollowEditsWhenTheirPageIsShown)
{
    // Output 2's button on output 4's graph on; an edit of output 2; output 4's page shown.
    auto* button = Get<sk::TLedPowerButton>(QStringLiteral("vrbShow2Out4"));
    ASSERT_NE(button, nullptr);
    button->SetActive(true);
    w->Peq().vrbShowOverlayClick(button, 6);
    SelectBand(4, 0);
    Fader(QStringLiteral("isEqGain"), 4)->SetPosition(200);
    Tick();
    EXPECT_TRUE(w->CurveDirty(6) & (1u << 4));
    auto* page = Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuOut4"));
    w->rzbMenuInAClick(page);
    EXPECT_FALSE(w->CurveDirty(6) & (1u << 4));
    const Plot& target = *w->Plots(6);
    const auto& copied = target.Section(Plot::FirstOverlaySection + 1).curve();
    const auto& source = w->Plots(4)->Section(Plot::TotalSection).curve();
    EXPECT_TRUE(std::equal(copied.begin(), copied.end(), source.begin()));
    fw::TColor colour = 0;
    ASSERT_TRUE(Graph(6)->GetPlotColor(colour, Plot::FirstOverlaySection + 1));
    EXPECT_EQ(colour, ChannelColours[4]);
    // Off removes the plot number.
    button->SetActive(false);
    w->Peq().vrbShowOverlayClick(button, 6);
    EXPECT_FALSE(Graph(6)->GetPlotColor(colour, Plot::FirstOverlaySection + 1));
    w->rzbMenuInAClick(Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuGain")));
}

TEST_F(Editing, GainPageOverlays)
{
    // At start the Gain page shows input A and output 1 only.
    fw::TColor colour = 0;
    auto* in = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawGainIn"));
    auto* out = Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawGainOut"));
    EXPECT_TRUE(in->GetPlotColor(colour, 0));
    EXPECT_FALSE(in->GetPlotColor(colour, 1));
    EXPECT_TRUE(out->GetPlotColor(colour, 3));
    EXPECT_FALSE(out->GetPlotColor(colour, 5));
    // A stale curve whose button is off keeps its mark until the button is on.
    w->View().MarkChannelCurvesDirty(5);
    w->rzbMenuInAClick(Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuOut1")));
    w->rzbMenuInAClick(Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuGain")));
    EXPECT_TRUE(w->CurveDirty(10) & (1u << 5));
    auto* b = Get<sk::TLedPowerButton>(QStringLiteral("vrbShow3Gain"));
    b->SetActive(true);
    w->Peq().vrbShowOverlayClick(b, 10);
    EXPECT_TRUE(out->GetPlotColor(colour, 5));
    EXPECT_EQ(colour, ChannelColours[5]);
    b->SetActive(false);
    w->Peq().vrbShowOverlayClick(b, 10);
    // A page without overlays changes none.
    const unsigned before = w->CurveDirty(3);
    w->View().MarkChannelCurvesDirty(4);
    w->rzbMenuInAClick(Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuDelay")));
    EXPECT_EQ(w->CurveDirty(3), before | (1u << 4));
    w->rzbMenuInAClick(Get<sk::TSkBmpButton>(QStringLiteral("rzbMenuGain")));
}

TEST_F(Editing, OverlaysAsThePageChanges)
{
    const int out2 = 4, out3 = 5, out4 = 6, out5 = 7;
    auto page = [](const char* n) { w->rzbMenuInAClick(Get<sk::TSkBmpButton>(QString::fromLatin1(n))); };
    auto slot = [](int k) { return Plot::FirstOverlaySection + k - 3; };
    auto same = [](const CurveArray& a, const CurveArray& b) {
        return std::equal(a.begin(), a.end(), b.begin());
    };
    auto total = [](int k) -> const CurveArray& { return w->Plots(k)->Section(Plot::TotalSection).curve(); };
    fw::TColor colour = 0;
    // Output 2 shown on the graphs of outputs 4 and 5, output 3 on neither.
    for (const auto& [n, g] : {std::pair{"vrbShow2Out4", out4}, std::pair{"vrbShow2Out5", out5}}) {
        auto* b = Get<sk::TLedPowerButton>(QString::fromLatin1(n));
        b->SetActive(true);
        w->Peq().vrbShowOverlayClick(b, g);
    }
    page("rzbMenuOut4");
    page("rzbMenuOut5");
    SelectBand(out2, 2);
    Fader(QStringLiteral("isEqGain"), out2)->SetPosition(60);
    Tick();
    SelectBand(out3, 1);
    Fader(QStringLiteral("isEqGain"), out3)->SetPosition(200);
    Tick();
    for (int g : {out4, out5})
        EXPECT_EQ(w->CurveDirty(g) & (1u << out2 | 1u << out3), 1u << out2 | 1u << out3) << g;

    // Output 4's page takes its own mask only.
    page("rzbMenuOut4");
    EXPECT_EQ(w->CurveDirty(out4) & (1u << out2 | 1u << out3), 0u);
    EXPECT_EQ(w->CurveDirty(out5) & (1u << out2 | 1u << out3), 1u << out2 | 1u << out3);
    EXPECT_TRUE(same(w->Plots(out4)->Section(slot(out2)).curve(), total(out2)));
    ASSERT_TRUE(Graph(out4)->GetPlotColor(colour, slot(out2)));
    EXPECT_EQ(colour, ChannelColours[out2]);
    // A stale curve is copied while its button is off but not drawn; on, it shows the new data.
    EXPECT_TRUE(same(w->Plots(out4)->Section(slot(out3)).curve(), total(out3)));
    EXPECT_FALSE(Graph(out4)->GetPlotColor(colour, slot(out3)));
    auto* show3 = Get<sk::TLedPowerButton>(QStringLiteral("vrbShow3Out4"));
    show3->SetActive(true);
    w->Peq().vrbShowOverlayClick(show3, out4);
    ASSERT_TRUE(Graph(out4)->GetPlotColor(colour, slot(out3)));
    EXPECT_EQ(colour, ChannelColours[out3]);
    show3->SetActive(false);
    w->Peq().vrbShowOverlayClick(show3, out4);

    // Output 5 next, then output 4 again: the second opening copies nothing.
    CurveArray marker{};
    marker.fill(-7.0);
    w->Plots(out4)->Section(slot(out2)).SetCurve(marker);
    page("rzbMenuOut5");
    EXPECT_TRUE(same(w->Plots(out5)->Section(slot(out2)).curve(), total(out2)));
    EXPECT_EQ(w->CurveDirty(out5) & (1u << out2 | 1u << out3), 0u);
    page("rzbMenuOut4");
    EXPECT_TRUE(same(w->Plots(out4)->Section(slot(out2)).curve(), marker));
    // A graph never shows its own channel as an overlay.
    page("rzbMenuOut2");
    EXPECT_FALSE(Graph(out2)->GetPlotColor(colour, slot(out2)));

    // Pages without overlay buttons leave every mask as it is.
    w->View().MarkChannelCurvesDirty(1);
    w->View().MarkChannelCurvesDirty(out3);
    std::array<unsigned, 11> before{};
    for (int g = 0; g < 11; ++g)
        before[std::size_t(g)] = w->CurveDirty(g);
    for (const char* n :
         {"rzbMenuComp", "rzbMenuDelay", "rzbMenuMatrix", "rzbMenuGate", "rzbMenuLimit", "rzbMenuGeq"}) {
        SCOPED_TRACE(n);
        page(n);
        for (int g = 0; g < 11; ++g)
            EXPECT_EQ(w->CurveDirty(g), before[std::size_t(g)]) << g;
    }
    for (const char* n : {"vrbShow2Out4", "vrbShow2Out5"})
        Get<sk::TLedPowerButton>(QString::fromLatin1(n))->SetActive(false);
    page("rzbMenuGain");
}

TEST_F(Editing, OverlaysOfLinkedChannels)
{
    const int out2 = 4, out3 = 5, out4 = 6;
    auto page = [](const char* n) { w->rzbMenuInAClick(Get<sk::TSkBmpButton>(QString::fromLatin1(n))); };
    auto slot = [](int k) { return Plot::FirstOverlaySection + k - 3; };
    auto same = [](const CurveArray& a, const CurveArray& b) {
        return std::equal(a.begin(), a.end(), b.begin());
    };
    auto total = [](int k) -> const CurveArray& { return w->Plots(k)->Section(Plot::TotalSection).curve(); };
    fw::TColor colour = 0;
    // Output 3's curve shown on output 4's graph and on the Gain page before the link.
    page("rzbMenuOut4");
    auto* show3 = Get<sk::TLedPowerButton>(QStringLiteral("vrbShow3Out4"));
    auto* show3Gain = Get<sk::TLedPowerButton>(QStringLiteral("vrbShow3Gain"));
    auto* show2 = Get<sk::TLedPowerButton>(QStringLiteral("vrbShow2Out4"));
    show3->SetActive(true);
    w->Peq().vrbShowOverlayClick(show3, out4);
    show3Gain->SetActive(true);
    w->Peq().vrbShowOverlayClick(show3Gain, 10);
    show2->SetActive(true);
    w->Peq().vrbShowOverlayClick(show2, out4);
    ASSERT_TRUE(Graph(out4)->GetPlotColor(colour, slot(out3)));

    // Outputs 2 and 3 linked, 2 leading: output 3's overlay buttons go, off, and its curve with them;
    // its stale marks are dropped. The leader's stay.
    w->Unit()->SetLink(out2, 0b000110);
    w->Unit()->SetLink(out3, 0);
    w->View().ShowAllParams();
    for (int g = 3; g < 9; ++g) {
        if (g == out3)
            continue;
        SCOPED_TRACE(g);
        auto* b = Get<sk::TLedPowerButton>(QStringLiteral("vrbShow3Out") + ChannelSuffix(g));
        EXPECT_FALSE(b->Visible());
        EXPECT_FALSE(b->Active());
        EXPECT_FALSE(w->CurveDirty(g) & (1u << out3));
        if (g != out2) {
            EXPECT_TRUE(
                Get<sk::TLedPowerButton>(QStringLiteral("vrbShow2Out") + ChannelSuffix(g))->Visible());
        }
    }
    EXPECT_FALSE(show3Gain->Visible());
    EXPECT_FALSE(show3Gain->Active());
    EXPECT_FALSE(w->CurveDirty(10) & (1u << out3));
    EXPECT_FALSE(Graph(out4)->GetPlotColor(colour, slot(out3)));
    EXPECT_FALSE(Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDrawGainOut"))->GetPlotColor(colour, out3));
    EXPECT_TRUE(show2->Active());

    // An edit of the leader reaches output 4's graph when its page is shown; the member's overlay
    // stays off.
    page("rzbMenuOut2");
    SelectBand(out2, 0);
    Fader(QStringLiteral("isEqGain"), out2)->SetPosition(220);
    Tick();
    EXPECT_EQ(w->Unit()->GetPeq(out3, 0).gain, 220) << "stored for the link group";
    EXPECT_TRUE(w->CurveDirty(out4) & (1u << out2));
    EXPECT_FALSE(w->CurveDirty(out4) & (1u << out3));
    page("rzbMenuOut4");
    EXPECT_TRUE(same(w->Plots(out4)->Section(slot(out2)).curve(), total(out2)));
    ASSERT_TRUE(Graph(out4)->GetPlotColor(colour, slot(out2)));
    EXPECT_EQ(colour, ChannelColours[out2]);
    EXPECT_FALSE(Graph(out4)->GetPlotColor(colour, slot(out3)));

    // Unlinked again: the buttons come back, off.
    w->Unit()->SetLink(out2, 0b000010);
    w->Unit()->SetLink(out3, 0b000100);
    w->View().ShowAllParams();
    EXPECT_TRUE(show3->Visible());
    EXPECT_FALSE(show3->Active());
    EXPECT_TRUE(show3Gain->Visible());
    show2->SetActive(false);
    w->Peq().vrbShowOverlayClick(show2, out4);
    page("rzbMenuGain");
}

// ---------------------------------------------------------------------------------------------------
// Channel strip

TEST_F(Editing, GainScaleOfTheStrip)
{
    struct Case {
        int position;
        const char* text;
        int stored;
    };
    const Case cases[] = {
        {0, "+0.0dB", 280},    {120, "+12.0dB", 400}, {-200, "-20.0dB", 80},
        {-201, "-20.5dB", 79}, {-280, "-60.0dB", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Fader(QStringLiteral("isGain"), 7)->SetPosition(c.position);
        EXPECT_EQ(Edit(QStringLiteral("cvdGain"), 7)->Text(), QString::fromLatin1(c.text));
        EXPECT_EQ(Edit(QStringLiteral("cvdGainBackup"), 7)->Text(), QString::fromLatin1(c.text));
        EXPECT_EQ(Fader(QStringLiteral("isGainBackup"), 7)->Position(), c.position);
        EXPECT_EQ(w->Unit()->GetGain(7), c.stored);
    }
}

TEST_F(Editing, StripMirrorsAcrossTheLinkGroup)
{
    w->Unit()->SetLink(0, 0b011);
    w->Unit()->SetLink(1, 0);
    w->View().ShowAllParams();
    sent.clear();
    Fader(QStringLiteral("isGainBackup"), 1)->SetPosition(-50);
    for (int ch : {0, 1}) {
        SCOPED_TRACE(ch);
        EXPECT_EQ(Fader(QStringLiteral("isGain"), ch)->Position(), -50);
        EXPECT_EQ(Fader(QStringLiteral("isGainBackup"), ch)->Position(), -50);
        EXPECT_EQ(Edit(QStringLiteral("cvdGain"), ch)->Text(), QStringLiteral("-5.0dB"));
        EXPECT_EQ(Edit(QStringLiteral("cvdGainBackup"), ch)->Text(), QStringLiteral("-5.0dB"));
        EXPECT_EQ(w->Unit()->GetGain(ch), 230);
    }
    EXPECT_EQ(Fader(QStringLiteral("isGain"), 2)->Position(), 0);
    // Kept: the mirror's handler stores and sends the same gain again.
    const auto frames = Of(CM_MCS_GAIN::Code);
    ASSERT_EQ(frames.size(), 2u);
    for (const Sent& f : frames)
        EXPECT_EQ(f.payload, (std::vector<uint8_t>{1, 230, 0}));
    EXPECT_EQ(sent.size(), 2u);

    sent.clear();
    auto* phase = Get<sk::TSkBmpButton>(QStringLiteral("rzbPhaseInA"));
    phase->SetDown(true);
    w->Strip().rzbPhaseInAClick(phase);
    for (const char* n : {"rzbPhaseInA", "rzbPhaseBackupInA", "rzbPhaseInB", "rzbPhaseBackupInB"}) {
        SCOPED_TRACE(n);
        auto* b = Get<sk::TSkBmpButton>(QString::fromLatin1(n));
        EXPECT_TRUE(b->Down());
        EXPECT_EQ(b->Caption(), QStringLiteral("Inverse"));
    }
    EXPECT_FALSE(Get<sk::TSkBmpButton>(QStringLiteral("rzbPhaseInC"))->Down());
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, CM_MCS_POLARITY::Code);
    EXPECT_EQ(sent[0].payload, (std::vector<uint8_t>{0, 1}));
    phase->SetDown(false);
    w->Strip().rzbPhaseInAClick(phase);
    EXPECT_EQ(Get<sk::TSkBmpButton>(QStringLiteral("rzbPhaseBackupInB"))->Caption(),
              QStringLiteral("Normal"));

    sent.clear();
    auto* mute = Get<sk::TSkBmpButton>(QStringLiteral("rzbMuteBackupInB"));
    mute->SetDown(true);
    w->Strip().rzbMuteBackupInAClick(mute);
    for (const char* n : {"rzbMuteInA", "rzbMuteBackupInA", "rzbMuteInB"})
        EXPECT_TRUE(Get<sk::TSkBmpButton>(QString::fromLatin1(n))->Down()) << n;
    EXPECT_TRUE(w->Unit()->GetMute(0) && w->Unit()->GetMute(1));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].code, CM_MCS_MUTE::Code);
    EXPECT_EQ(sent[0].payload, (std::vector<uint8_t>{1, 1}));
}

TEST_F(Editing, StripHandlersIgnoreWrongSendersAndRefreshes)
{
    // A sender of another class ends the handler.
    auto* label = Get<fw::TControl>(QStringLiteral("lbGainNameInA"));
    label->SetTag(0);
    w->Strip().isGainInAChange(label);
    w->Strip().rzbPhaseInAClick(label);
    w->Strip().rzbMuteInAClick(label);
    // A refresh that sets the faders stores and sends nothing.
    w->Unit()->SetGain(2, 300);
    sent.clear();
    w->View().ShowAllParams();
    EXPECT_EQ(Fader(QStringLiteral("isGain"), 2)->Position(), 20);
    EXPECT_EQ(Fader(QStringLiteral("isGainBackup"), 2)->Position(), 20);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(w->Unit()->GetGain(2), 300);
}

// ---------------------------------------------------------------------------------------------------
// Levels

std::vector<uint8_t> LevelPayload(const std::array<float, 12>& levels, uint16_t flags)
{
    std::vector<uint8_t> p;
    for (float l : levels) {
        const uint32_t bits = std::bit_cast<uint32_t>(l);
        p.push_back(uint8_t(bits >> 16));
        p.push_back(uint8_t(bits >> 24));
        p.push_back(uint8_t(bits >> 8));
    }
    p.push_back(uint8_t(flags));
    p.push_back(uint8_t(flags >> 8));
    return p;
}

TEST(LevelDecode, SegmentsOfLevels)
{
    struct Case {
        const char* name;
        std::array<uint8_t, 3> bytes;
        int input, output;
    };
    const Case cases[] = {
        {"1.0 is 0 dB: full scale", {0x80, 0x3F, 0x00}, 9, 8},
        {"zero counts as -140 dB", {0x00, 0x00, 0x00}, 0, 0},
        {"0.125 is -18.06 dB: -18 not passed", {0x00, 0x3E, 0x00}, 5, 6},
        {"0.12589 is -18.0005 dB: just below -18", {0x00, 0x3E, 0xE8}, 5, 6},
        {"0.12592 is -17.998 dB: just above -18", {0x00, 0x3E, 0xF0}, 6, 6},
        {"negative level lights nothing", {0x80, 0xBF, 0x00}, 0, 0},
        {"infinity lights everything", {0x80, 0x7F, 0x00}, 9, 8},
        {"not a number lights nothing", {0xC0, 0x7F, 0x00}, 0, 0},
        {"negative not a number lights nothing", {0xC0, 0xFF, 0x00}, 0, 0},
        {"negative zero counts as zero", {0x00, 0x80, 0x00}, 0, 0},
        {"negative infinity lights nothing", {0x80, 0xFF, 0x00}, 0, 0},
        {"the smallest number above zero lights nothing", {0x00, 0x00, 0x01}, 0, 0},
        {"the largest finite number lights everything", {0x7F, 0x7F, 0xFF}, 9, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> p(38, 0);
        std::copy(c.bytes.begin(), c.bytes.end(), p.begin());
        const auto r = proto::DecodeLevelReply(p);
        ASSERT_TRUE(r);
        EXPECT_EQ(MeterSegments(r->levels[0], true), c.input);
        EXPECT_EQ(MeterSegments(r->levels[0], false), c.output);
    }
    EXPECT_FALSE(proto::DecodeLevelReply(std::vector<uint8_t>(37, 0)));
}

TEST_F(Editing, LevelRepliesSetMetersAndLamps)
{
    std::array<float, 12> levels{};
    levels[0] = 1.0f;   // input A full
    levels[1] = 0.125f; // input B 5 segments
    levels[3] = 1.0f;   // slot 3: shown nowhere
    levels[4] = 1.0f;   // output 1 full
    levels[9] = 0.125f; // output 6: -18 dB, 6 steps below it
    w->View().OnLevelReply(LevelPayload(levels, 0));
    auto pos = [](const char* n) { return Get<eq::LProgressBar>(QString::fromLatin1(n))->Position(); };
    EXPECT_EQ(pos("pbLevelInA"), 9);
    EXPECT_EQ(pos("pbLevelBackupInA"), 9);
    EXPECT_EQ(pos("pbLevelGateInA"), 9);
    EXPECT_EQ(pos("pbLevelGateIn"), 9) << "the gate page shows input A";
    EXPECT_EQ(pos("pbLevelInB"), 5);
    EXPECT_EQ(pos("pbLevelInC"), 0);
    EXPECT_EQ(pos("pbLevelOut1"), 8);
    EXPECT_EQ(pos("pbLevelBackupOut1"), 8);
    EXPECT_EQ(pos("pbLevelCompOut1"), 8);
    EXPECT_EQ(pos("pbLevelLimitOut1"), 8);
    EXPECT_EQ(pos("pbLevelCompOut"), 8) << "the compressor page shows output 1";
    EXPECT_EQ(pos("pbLevelOut6"), 6);
    EXPECT_EQ(pos("pbLevelOut2"), 0);

    // Lamps: (flags, ratio position, limiter threshold position) -> lamps of output 1.
    struct Case {
        const char* name;
        uint16_t flags;
        int ratio, threshold;
        int comp, limit, either;
    };
    const Case cases[] = {
        {"compressor acting", 0x0001, 5, 20, 1, 0, 1},
        {"compressor acting at 1:1.0", 0x0001, 0, 20, 0, 0, 0},
        {"limiter acting", 0x0100, 5, 20, 0, 1, 1},
        {"limiter acting at +20 dB", 0x0100, 5, 40, 0, 0, 0},
        {"both", 0x0101, 5, 20, 1, 1, 1},
        {"none", 0x0000, 5, 20, 0, 0, 0},
    };
    auto* ratio = Get<TUpDown>(QStringLiteral("udCompRatioOut1"));
    auto* threshold = Get<fx::TCustomTrackBar>(QStringLiteral("isLimitThresholdOut1"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ratio->SetPosition(c.ratio);
        threshold->SetPosition(c.threshold);
        w->View().OnLevelReply(LevelPayload(levels, c.flags));
        EXPECT_EQ(pos("pbLimitCompOut1"), c.comp);
        EXPECT_EQ(pos("pbLimitCompOut"), c.comp);
        EXPECT_EQ(pos("pbLimitLimitOut1"), c.limit);
        EXPECT_EQ(pos("pbLimitLimitOut"), c.limit);
        EXPECT_EQ(pos("pbLimitOut1"), c.either);
        EXPECT_EQ(pos("pbLimitBackupOut1"), c.either);
    }

    // A short reply changes nothing.
    std::vector<uint8_t> shortReply = LevelPayload({}, 0);
    shortReply.resize(10);
    w->View().OnLevelReply(shortReply);
    EXPECT_EQ(pos("pbLevelInA"), 9);
    w->Strip().ResetLevelMeters();
    for (const char* n : {"pbLevelInA", "pbLevelOut1", "pbLimitOut1", "pbLevelGateIn", "pbLimitLimitOut"})
        EXPECT_EQ(pos(n), 0) << n;
}

TEST_F(Editing, PageMetersShowTheSelectedChannel)
{
    // Levels that give every channel its own segment count: inputs A..C 1, 3, 9; outputs 1..6
    // 1, 2, 3, 4, 6, 7.
    auto db = [](double d) { return float(std::pow(10.0, d / 20.0)); };
    std::array<float, 12> levels{};
    levels[0] = db(-60);
    levels[1] = db(-30);
    levels[2] = 1.0f;
    const double outDb[6] = {-73, -43, -33, -28, -18, -11};
    for (int n = 0; n < 6; ++n)
        levels[std::size_t(4 + n)] = db(outDb[n]);
    const int inSegments[3] = {1, 3, 9};
    const int outSegments[6] = {1, 2, 3, 4, 6, 7};
    // Output 4's compressor and output 6's limiter may act; output 1's may too.
    Get<TUpDown>(QStringLiteral("udCompRatioOut4"))->SetPosition(5);
    Get<TUpDown>(QStringLiteral("udCompRatioOut1"))->SetPosition(5);
    Get<fx::TCustomTrackBar>(QStringLiteral("isLimitThresholdOut6"))->SetPosition(20);
    Get<fx::TCustomTrackBar>(QStringLiteral("isLimitThresholdOut1"))->SetPosition(20);
    auto pos = [](const char* n) { return Get<eq::LProgressBar>(QString::fromLatin1(n))->Position(); };

    struct Case {
        const char* name;
        int gate, comp, limit; // the channels shown on the gate, compressor and limiter pages
        uint16_t flags;
        int compLamp, limitLamp;
    };
    const Case cases[] = {
        {"input C, outputs 4 and 6, their lamps acting", 2, 6, 8, 0x2008, 1, 1},
        {"input B, outputs 4 and 6, only output 1 acting", 1, 6, 8, 0x0101, 0, 0},
        {"input A, outputs 6 and 4, crossed", 0, 8, 6, 0x2008, 0, 0},
        {"the start: input A, output 1", 0, 3, 3, 0x0101, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w->Dynamics().DrawGateCurve(c.gate);
        w->Dynamics().DrawCompCurve(c.comp);
        w->Dynamics().DrawLimitCurve(c.limit);
        ASSERT_EQ(w->Dynamics().GateChannel(), c.gate);
        ASSERT_EQ(w->Dynamics().CompChannel(), c.comp);
        ASSERT_EQ(w->Dynamics().LimitChannel(), c.limit);
        w->View().OnLevelReply(LevelPayload(levels, c.flags));
        EXPECT_EQ(pos("pbLevelGateIn"), inSegments[c.gate]);
        EXPECT_EQ(pos("pbLevelCompOut"), outSegments[c.comp - 3]);
        EXPECT_EQ(pos("pbLevelLimitOut"), outSegments[c.limit - 3]);
        EXPECT_EQ(pos("pbLimitCompOut"), c.compLamp);
        EXPECT_EQ(pos("pbLimitLimitOut"), c.limitLamp);
        // The per-channel meters are the same whichever channel a page shows.
        EXPECT_EQ(pos("pbLevelGateInC"), 9);
        EXPECT_EQ(pos("pbLevelCompOut4"), 4);
        EXPECT_EQ(pos("pbLevelLimitOut6"), 7);
        EXPECT_EQ(pos("pbLimitCompOut4"), c.flags & 0x0008 ? 1 : 0);
        EXPECT_EQ(pos("pbLimitLimitOut6"), c.flags & 0x2000 ? 1 : 0);
    }
}

TEST_F(Editing, LevelRepliesOutsideTheRangeKeepTheMetersSane)
{
    auto pos = [](const QString& n) { return Get<eq::LProgressBar>(n)->Position(); };
    auto meters = [&] {
        std::vector<int> all;
        for (int c = 0; c < 9; ++c)
            all.push_back(
                pos((c < 3 ? QStringLiteral("pbLevelIn") : QStringLiteral("pbLevelOut")) + ChannelSuffix(c)));
        return all;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        float level;
        int input, output; // segments lit
    };
    const Case cases[] = {
        {"not a number", nan, 0, 0},
        {"negative not a number", -nan, 0, 0},
        {"infinity", inf, 9, 8},
        {"negative infinity", -inf, 0, 0},
        {"negative", -0.5f, 0, 0},
        {"far above full scale", 1e30f, 9, 8},
        {"far below the lowest step", 1e-30f, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::array<float, 12> levels;
        levels.fill(c.level);
        w->View().OnLevelReply(LevelPayload(levels, 0));
        const std::vector<int> m = meters();
        for (int ch = 0; ch < 9; ++ch)
            EXPECT_EQ(m[std::size_t(ch)], ch < 3 ? c.input : c.output) << ch;
        EXPECT_EQ(pos(QStringLiteral("pbLevelGateIn")), c.input);
        EXPECT_EQ(pos(QStringLiteral("pbLevelLimitOut")), c.output);
        // The bars still paint.
        EXPECT_FALSE(Get<eq::LProgressBar>(QStringLiteral("pbLevelInA"))->grab().isNull());
    }

    // Replies shorter than 38 bytes leave every meter as it was; a longer one is read.
    std::array<float, 12> full;
    full.fill(1.0f);
    w->View().OnLevelReply(LevelPayload(full, 0));
    const std::vector<int> lit = meters();
    for (std::size_t size : {0u, 1u, 36u, 37u}) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> p = LevelPayload({}, 0);
        p.resize(size);
        w->View().OnLevelReply(p);
        EXPECT_EQ(meters(), lit);
    }
    std::vector<uint8_t> longer = LevelPayload({}, 0);
    longer.push_back(0xFF);
    w->View().OnLevelReply(longer);
    EXPECT_EQ(pos(QStringLiteral("pbLevelInA")), 0);
}

TEST_F(Editing, LevelPollSendsEvery300ms)
{
    w->View().SetLevelPoll(true);
    clock->Fake.Advance(299);
    EXPECT_EQ(Count(64), 0);
    clock->Fake.Advance(1);
    ASSERT_EQ(Count(64), 1);
    EXPECT_FALSE(sent[0].noCoalesce);
    EXPECT_TRUE(sent[0].payload.empty());
    clock->Fake.Advance(600);
    EXPECT_EQ(Count(64), 3);
    w->View().SetLevelPoll(false);
    clock->Fake.Advance(900);
    EXPECT_EQ(Count(64), 3);
}

// A press in a band's row selects that band as its button does, presses the button and leaves the
// focus where the press put it; the button's click takes the focus to the frequency edit. (Last: it
// shows the window.)
TEST_F(Editing, PressInABandsRowSelectsTheBand)
{
    struct Case {
        const char* name;
        int ch, band;
        eq::TPeqEdit* (eq::TMyPEQType8::*edit)(int) const;
        const char* page;
    };
    const Case cases[] = {
        {"frequency edit of input B", 1, 5, &eq::TMyPEQType8::FreqEdit, "rzbMenuInB"},
        {"gain edit of output 2", 4, 3, &eq::TMyPEQType8::GainEdit, "rzbMenuOut2"},
        {"Q edit of output 6's last band", 8, 8, &eq::TMyPEQType8::QEdit, "rzbMenuOut6"},
    };
    // The window's focus is on the edit or on a part of it.
    auto focusIn = [](QWidget* e) {
        QWidget* f = w->focusWidget();
        return f && (f == e || e->isAncestorOf(f));
    };
    w->show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString s = ChannelTitle(c.ch);
        PeqBand band = w->Unit()->GetPeq(c.ch, c.band);
        band.gain = 150;
        band.freq = 200;
        band.q = 20;
        band.type = PeqTypePeak;
        w->Unit()->SetPeq(c.ch, c.band, band, 0);
        w->View().ShowAllParams(); // band 0 selected
        w->rzbMenuInAClick(Get<sk::TSkBmpButton>(QString::fromLatin1(c.page)));
        Tick();
        auto* first = Get<sk::TSkBmpButton>(QStringLiteral("rzbEq1") + s);
        auto* own = Get<sk::TSkBmpButton>(QStringLiteral("rzbEq%1").arg(c.band + 1) + s);
        auto* label = Get<fw::TControl>(QStringLiteral("lbFftParam") + s);
        fx::TRoundEdit* freqEdit = Edit(QStringLiteral("cvdEqFreq"), c.ch);
        ASSERT_TRUE(first->Down());
        ASSERT_FALSE(own->Down());
        label->SetVisible(false);
        Graph(c.ch)->SetCurveDisplay(false);
        sent.clear();

        eq::TPeqEdit* e = (Peq(c.ch)->*c.edit)(c.band);
        ASSERT_NE(e, nullptr);
        testapp::Press(e, 3, 3);
        testapp::Release(e, 3, 3);
        EXPECT_EQ(Peq(c.ch)->GetNowIndex(), c.band);
        EXPECT_TRUE(own->Down());
        EXPECT_FALSE(first->Down());
        EXPECT_EQ(Fader(QStringLiteral("isEqFreq"), c.ch)->Position(), 200);
        EXPECT_EQ(Fader(QStringLiteral("isEqBw"), c.ch)->Position(), 20);
        EXPECT_EQ(Fader(QStringLiteral("isEqGain"), c.ch)->Position(), 150);
        EXPECT_EQ(Edit(QStringLiteral("cvdEqGain"), c.ch)->Text(), QStringLiteral("+3.0dB"));
        EXPECT_EQ(freqEdit->Text(), QStringLiteral("2.00KHz"));
        EXPECT_TRUE(label->Visible());
        EXPECT_TRUE(Graph(c.ch)->CurveDisplay());
        EXPECT_FALSE(focusIn(freqEdit)) << "the press keeps the focus off the panel";
        EXPECT_TRUE(sent.empty()) << "a selection sends nothing";

        // The band button's click selects the same way and moves the focus to the panel.
        first->SetDown(true);
        w->Peq().rzbEq1InAClick(first);
        EXPECT_EQ(Peq(c.ch)->GetNowIndex(), 0);
        EXPECT_TRUE(focusIn(freqEdit));
        Tick();
    }
    w->hide();
}

} // namespace
