// The main window against the test device over loopback TCP: the full read lands in the model and on
// the pages, and edits reach the device.
#include "WindowOnDevice.h"
#include "app/main/LinkController.h"

#include <gtest/gtest.h>

#include "controls/smooth/RoundEdit.h"

namespace
{

TEST(MainOnDevice, FullReadFillsTheModelAndAnEditReachesTheDevice)
{
    testapp::WindowOnDevice rig;
    ParamImage image = rig.Device.Image();
    image.outputs[2].gain = 77;
    rig.Device.SetImage(image);
    ASSERT_TRUE(rig.ConnectTcp());
    EXPECT_TRUE(rig.Main->Link().Online());
    EXPECT_TRUE(rig.DeviceMatchesModel());
    EXPECT_EQ(rig.Main->Unit()->GetGain(5), 77);

    rig.Main->Unit()->SetGain(5, 130);
    EXPECT_TRUE(rig.WaitDeviceMatchesModel());
    EXPECT_EQ(rig.Device.Image().outputs[2].gain, 130);
}

} // namespace
