// The main window and the test device, joined over loopback TCP through the window's link session.
// End-to-end tests of the window: edit on the window, then compare the device's image with the model.
#pragma once

#include <QCoreApplication>
#include <QThread>

#include <chrono>
#include <functional>
#include <memory>

#include "TestApp.h"
#include "TestDevice.h"
#include "app/dialogs/SmallDialogs.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "model/LUnitControl.h"
#include "session/LLinkSession.h"

namespace testapp
{

class WindowOnDevice
{
  public:
    WindowOnDevice()
    {
        EnsureApp();
        Main = std::make_unique<app::TfmMain>();
        Main->CreateDialogs();
    }
    ~WindowOnDevice()
    {
        if (Main)
            Main->SetExitConfirmed(true);
        Main.reset();
        Device.Stop();
    }

    // Runs the event loop until pred holds or the time is up.
    static bool Until(const std::function<bool()>& pred, int timeoutMs = 10000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!pred()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
        return true;
    }

    // Starts the device on a free loopback port (unless started), opens the session's TCP link and
    // waits until the full read is over (the machine then starts the level poll).
    bool ConnectTcp(int timeoutMs = 10000)
    {
        if (Device.Port() == 0 && !Device.StartTcp(0))
            return false;
        LLinkSession& s = Main->Session();
        s.Core.ClientSocket.Address = "127.0.0.1";
        s.Core.ClientSocket.Port = Device.Port();
        s.Core.ClientSocket.SetActive(true);
        if (!Until([&] { return s.Core.ClientSocket.Connected(); }, timeoutMs) || !s.OpenNet())
            return false;
        return Until([&] { return s.Machine.Online() && !s.Machine.Busy() && Main->View().LevelPollOn(); },
                     timeoutMs);
    }

    // The device's parameter body equals the model's.
    bool DeviceMatchesModel() const
    {
        const ParamImage device = Device.Image();
        const ParamImage model = Main->Unit()->GetImage();
        const auto* a = reinterpret_cast<const uint8_t*>(&device);
        const auto* b = reinterpret_cast<const uint8_t*>(&model);
        return std::equal(a + 2, a + sizeof device, b + 2);
    }
    bool WaitDeviceMatchesModel(int timeoutMs = 5000)
    {
        return Until([&] { return DeviceMatchesModel(); }, timeoutMs);
    }

    morvex_device::TestDevice Device;
    std::unique_ptr<app::TfmMain> Main;
};

} // namespace testapp
