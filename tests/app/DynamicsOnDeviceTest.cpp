// The dynamics pages against the test device over loopback TCP: edits made on the pages' controls
// reach the device's image.
#include "WindowOnDevice.h"

#include "app/main/StdControls.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"

#include <gtest/gtest.h>

namespace
{

TEST(DynamicsOnDevice, PageEditsReachTheDevice)
{
    testapp::WindowOnDevice rig;
    ASSERT_TRUE(rig.ConnectTcp());
    app::TfmMain& w = *rig.Main;
    auto fader = [&](const char* name) { return w.Get<fx::TCustomTrackBar>(QLatin1String(name)); };
    auto type = [&](const char* name, const char* text) {
        auto* e = w.Get<fx::TRoundEdit>(QLatin1String(name));
        ASSERT_NE(e, nullptr);
        e->SetText(QLatin1String(text));
        testapp::Key(e->InnerEdit(), Qt::Key_Return);
    };

    fader("isCompThresholdOut2")->SetPosition(-40); // -20 dB
    type("cvdCompRatioOut2", "1:4");
    w.Get<app::TUpDown>(QStringLiteral("udLimitKneeOut5"))->SetPosition(6);
    fader("isGateThresholdInB")->SetPosition(-120); // -60 dB
    type("cvdGateHoldInB", "250");

    ASSERT_TRUE(rig.WaitDeviceMatchesModel());
    const ParamImage device = rig.Device.Image();
    EXPECT_EQ(device.outputs[1].comp.threshold, 140);
    EXPECT_EQ(device.outputs[1].comp.ratio, 9);
    EXPECT_EQ(device.outputs[4].limit.knee, 6);
    EXPECT_EQ(device.inputs[1].gate.threshold, 60);
    EXPECT_EQ(device.inputs[1].gate.hold, 249);
}

} // namespace
