// A journey: the editor's main window as the program starts it, on a virtual X server with a window
// manager, a test device on a loopback address of its own at the editor's fixed TCP port, and a person
// with a pointer and a keyboard. Everything the person does goes through the X server; positions come
// from what is drawn (a widget's place on the screen, a menu title's geometry, pixels of a screen grab,
// a window found through the window manager).
#pragma once

#include "XDisplay.h"
#include "proto/LCmd.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class QWidget;
class QMenu;

namespace app
{
class TfmMain;
}

namespace morvex_device
{
class ChildProcess;
}

namespace journeys
{

// The person acts on a thread of their own while the program's thread runs its event loop, modal
// loops included, as it does for a user. What the person reads of the window is read on the program's
// thread: Gui(f) runs f there and returns its result.
void RunOnGui(const std::function<void()>& f);
template <class F> auto Gui(F&& f)
{
    if constexpr (std::is_void_v<decltype(f())>) {
        RunOnGui(f);
    } else {
        decltype(f()) result{};
        RunOnGui([&] { result = f(); });
        return result;
    }
}
// Lets the program run for ms milliseconds.
void Pump(int ms);
// Waits until pred (run on the program's thread) holds or the time is up; returns pred().
bool Until(const std::function<bool()>& pred, int timeoutMs = 5000);

class Journey : public ::testing::Test
{
  public:
    Journey();
    ~Journey() override;
    static XServer* Server;

  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the test device on a loopback address of its own (port 9761) with a frame log.
    void StartDevice(const std::vector<std::string>& extra = {});
    // The editor as the program starts it; the start-up scan runs.
    void StartEditor();
    // From the start-up scan: the ID/IP setup, the device's address typed with its dots, Set, back to
    // the scan and a new scan; returns when the full read is over.
    void ConnectByTyping();
    // From the start-up scan: work without a device.
    void GoOffline();

    // Frames the device received so far (from its log).
    std::vector<LCmd> DeviceFrames() const;
    // Frames with this command code received after the first `from` frames.
    std::vector<LCmd> FramesWithCode(uint8_t code, size_t from = 0) const;
    // Waits until a frame with this code arrived after the first `from` frames.
    bool WaitForCode(uint8_t code, size_t from = 0, int timeoutMs = 5000) const;

    // Screen positions.
    QPoint Centre(const QWidget* w) const;
    QRect OnScreen(const QWidget* w) const;
    void Click(const QWidget* w);
    void ClickAt(QPoint p);
    // The screen as the person sees it.
    QImage Grab(const QRect& r) const;
    // The visible control (of any top-level) whose caption or text is `text`.
    QWidget* ControlCaptioned(const QString& text, QWidget* within = nullptr) const;

    // Opens a menu of the menu bar by clicking its title; returns the open popup (null when none opened).
    QMenu* OpenMenu(const QString& title);
    // Clicks an item of the open popup by its text.
    void ClickMenuItem(QMenu* menu, const QString& text);
    // The open popup menu, if any.
    QMenu* OpenPopup() const;
    // Clicks a title of the menu bar that acts at once (no menu of its own).
    void ClickMenuTitle(const QString& title);
    // Opens a drawn combo with a click and clicks the item of its open list where the list draws it,
    // scrolling the list with the wheel until the item shows.
    void ChooseInCombo(QWidget* combo, const QString& item);
    // Clicks into an edit, selects its text (Ctrl+A) and types over it.
    void TypeInto(QWidget* edit, const std::string& text);

    // The newest top-level window of the editor that the window manager shows with this title.
    XClient WaitWindow(const QString& title, int timeoutMs = 5000);
    bool WaitWindowGone(const QString& title, int timeoutMs = 5000);
    // The editor's visible top-level widget whose window title is `title` (null when none).
    QWidget* TopLevel(const QString& title) const;
    // The window the window manager stacks on top of the others (of those it manages).
    XClient TopWindow();
    // Waits until the window manager lists exactly the editor's shown windows. It follows the program
    // a moment late: a window just closed may still be listed (and keeps its id when shown again), one
    // just opened may not be listed yet. A snapshot of its list taken before this is not the screen.
    bool WaitWindowsSettled(int timeoutMs = 5000);

    QString Text(const char* key) const;

    std::unique_ptr<Person> Me;
    std::unique_ptr<app::TfmMain> Main;
    std::string DeviceAddress; // dotted loopback address of the device
    std::string LogPath;

  private:
    // A title's centre in the menu bar, on the screen.
    std::optional<QPoint> MenuTitleAt(const QString& title) const;
    std::unique_ptr<morvex_device::ChildProcess> FDevice;
};

} // namespace journeys
