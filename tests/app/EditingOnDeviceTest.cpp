// Editing on the main window against the test device over loopback TCP: after every kind of edit the
// device's image equals the model, and the meters follow the levels the device reports.
#include "WindowOnDevice.h"
#include "app/main/LinkController.h"
#include "app/main/MainSessionView.h"

#include <gtest/gtest.h>

#include "app/main/MainLayout.h"
#include "app/main/StdControls.h"
#include "app/pages/GeqPage.h"
#include "app/pages/PeqPage.h"
#include "app/pages/StripPage.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/smooth/TrackBar.h"
#include "curves/Plot.h"
#include "eq/LProgressBar.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "proto/LCmd.h"

#include <functional>

namespace
{

using testapp::WindowOnDevice;

template <class T> T* Get(WindowOnDevice& rig, const char* name)
{
    return rig.Main->Get<T>(QString::fromLatin1(name));
}

TEST(EditingOnDevice, EditsOnTheWindowReachTheDevice)
{
    WindowOnDevice rig;
    ASSERT_TRUE(rig.ConnectTcp());
    app::TfmMain& w = *rig.Main;

    // A band dragged on output 2's graph.
    auto* graph = Get<graph::LMyFFTDrawHpLp6dB>(rig, "fftDrawOut2");
    graph->Grab();
    auto* band = Get<sk::TSkBmpButton>(rig, "rzbEq4Out2");
    band->SetDown(true);
    w.Peq().rzbEq1InAClick(band);
    const PeqBand before = w.Unit()->GetPeq(4, 3);
    const double db = w.Get<eq::TMyPEQType8>(QStringLiteral("peqPeqOut2"))->GetGainValue(3);
    const int x = graph->PlotFrame().Left + graph->GetBlockPos(3).X;
    const int y = int(std::lround(graph->PlotFrame().ControlY(db)));
    testapp::Press(graph, x, y);
    ASSERT_EQ(w.Peq().SelectedHandle(), 3);
    for (int i = 1; i <= 20; ++i)
        testapp::Move(graph, x + 5 * i, y - 2 * i);
    testapp::Release(graph, x + 100, y - 40);
    EXPECT_NE(w.Unit()->GetPeq(4, 3).freq, before.freq);
    EXPECT_NE(w.Unit()->GetPeq(4, 3).gain, before.gain);
    EXPECT_TRUE(rig.WaitDeviceMatchesModel());

    // A typed Q on input B.
    auto* peq = w.Get<eq::TMyPEQType8>(QStringLiteral("peqPeqInB"));
    peq->SetNowIndex(2);
    peq->QEdit(2)->setText(QStringLiteral("2.5"));
    peq->QfactorEntered(2);
    EXPECT_EQ(w.Unit()->GetPeq(1, 2).q, QToIndex(2.5));
    EXPECT_TRUE(rig.WaitDeviceMatchesModel());

    // A crossover slope on output 5.
    auto* combo = Get<sk::TSkComboBox>(rig, "rzcLowCutSlopOut5");
    Get<sk::TSkBmpButton>(rig, "rzbLowCutBypassOut5")->SetDown(false);
    combo->SetItemIndex(14);
    w.Peq().rzcLowCutSlopInAChange(combo);
    EXPECT_EQ(w.Unit()->GetXover(7).hpSlope, 15);
    EXPECT_TRUE(rig.WaitDeviceMatchesModel());

    // A gain fader drag on output 1 and a mute of input C.
    auto* gain = Get<fx::TCustomTrackBar>(rig, "isGainOut1");
    for (int p = 0; p >= -60; p -= 3)
        gain->SetPosition(p);
    auto* mute = Get<sk::TSkBmpButton>(rig, "rzbMuteInC");
    mute->SetDown(true);
    w.Strip().rzbMuteInAClick(mute);
    EXPECT_EQ(w.Unit()->GetGain(3), 220);
    EXPECT_TRUE(w.Unit()->GetMute(2));
    EXPECT_TRUE(rig.WaitDeviceMatchesModel());
    EXPECT_EQ(rig.Device.Image().outputs[0].gain, 220);
}

// The bypasses, the EQ resets and the test signal reach the device through the model alone: the frames
// the device receives, whole, and its image equal to the model's afterwards.
TEST(EditingOnDevice, BypassResetAndTestSignalFramesReachTheDevice)
{
    WindowOnDevice rig;
    ASSERT_TRUE(rig.ConnectTcp());
    app::TfmMain& w = *rig.Main;
    LUnitControl& u = *w.Unit();
    for (int b = 0; b < 9; ++b)
        u.SetPeq(4, b, PeqBand{150, int16_t(100 + b), 60, 3}, 1);
    u.SetGeq(2, 7, 200);
    u.SetGeq(2, 30, 10);
    w.View().ShowAllParams();
    ASSERT_TRUE(rig.WaitDeviceMatchesModel());
    // Frames whole as the device took them, besides the level poll.
    auto received = [&] {
        std::vector<BSTM> frames;
        for (const BSTM& f : rig.Device.ReceivedFrames())
            if (f.size() > 5 && f[5] != proto::kLevels)
                frames.push_back(f);
        return frames;
    };
    const uint8_t id = uint8_t(w.Link().GetDeviceId());

    struct Case {
        const char* name;
        std::function<void()> act;
        std::vector<BSTM> frames;
    };
    std::vector<BSTM> geqReset;
    for (int b = 0; b < 31; ++b)
        geqReset.push_back(BuildFrame(CM_MCS_GEQ(id, 2, b, 120)));
    const Case cases[] = {
        {"EQ bypass of input B",
         [&] { w.Peq().vrbEqBypassInAClick(w.Get<fw::TControl>(QStringLiteral("vrbEqBypassInB"))); },
         {BuildFrame(CM_MCS_CMD(id, 60, 1, 1))}},
        {"GEQ bypass of input C",
         [&] { w.Geq().vrbEqBypassGeqInAClick(w.Get<fw::TControl>(QStringLiteral("vrbEqBypassGeqInC"))); },
         {BuildFrame(CM_MCS_CMD(id, 73, 2, 1))}},
        {"GEQ reset of input C: each band once, in band order", [&] { w.Geq().ResetGeqBands(11); }, geqReset},
        {"test signal: pink noise",
         [&] { w.Dialogs()->fmTest->rbPinkNoise->SetChecked(true); },
         {BuildFrame(CM_MCS_WORK_MODE(id, 1, 0))}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rig.Device.ClearReceived();
        c.act();
        EXPECT_TRUE(WindowOnDevice::Until([&] { return received().size() >= c.frames.size(); }));
        EXPECT_TRUE(rig.WaitDeviceMatchesModel());
        EXPECT_EQ(received(), c.frames);
    }

    // The EQ reset of output 2: each band appended at once, then stored again through its editor.
    rig.Device.ClearReceived();
    w.Peq().ResetPeqBands(4);
    ASSERT_TRUE(WindowOnDevice::Until([&] { return received().size() >= 18; }));
    const std::vector<BSTM> frames = received();
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i);
        const int b = 8 - int(i / 2);
        EXPECT_EQ(frames[i], BuildFrame(CM_MCS_PEQ(id, 4, b, u.GetDefaultPeq(4, b), 0)));
    }
    EXPECT_TRUE(rig.WaitDeviceMatchesModel());
    EXPECT_EQ(rig.Device.Image().outputs[1].peq[2].type, 0);
}

TEST(EditingOnDevice, MetersFollowTheDevicesLevels)
{
    WindowOnDevice rig;
    morvex_device::LevelStep loud, quiet, silent;
    loud.Levels[0] = 1.0f;   // input A: 0 dB
    loud.Levels[4] = 1.0f;   // output 1: 0 dB
    loud.Flags = 0x0100;     // output 1's limiter acting
    quiet.Levels[0] = 0.01f; // -40 dB: 2 input segments
    quiet.Levels[4] = 0.01f; // 2 output segments
    rig.Device.SetLevelScript({silent, loud, quiet});
    ParamImage image = rig.Device.Image();
    image.outputs[0].limit.threshold = 200; // +10 dB: the limiter lamp may light
    rig.Device.SetImage(image);
    ASSERT_TRUE(rig.ConnectTcp());
    auto pos = [&](const char* n) { return Get<eq::LProgressBar>(rig, n)->Position(); };
    ASSERT_TRUE(WindowOnDevice::Until([&] { return pos("pbLevelInA") == 9; }));
    EXPECT_EQ(pos("pbLevelOut1"), 8);
    EXPECT_EQ(pos("pbLimitOut1"), 1);
    ASSERT_TRUE(WindowOnDevice::Until([&] { return pos("pbLevelInA") == 2; }));
    EXPECT_EQ(pos("pbLevelOut1"), 2);
    EXPECT_EQ(pos("pbLimitOut1"), 0);
    EXPECT_EQ(pos("pbLevelBackupInA"), 2);
    EXPECT_TRUE(rig.Device.LevelScriptDone());
}

} // namespace
