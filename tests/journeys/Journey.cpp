#include "Journey.h"

#include "DeviceLinkHelpers.h"
#include "app/main/LinkController.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "framework/Control.h"
#include "platform/SerialPortList.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace journeys
{

XServer* Journey::Server = nullptr;

Journey::Journey() = default;
Journey::~Journey() = default;

void RunOnGui(const std::function<void()>& f)
{
    if (QThread::currentThread() == qApp->thread())
        f();
    else
        QMetaObject::invokeMethod(qApp, f, Qt::BlockingQueuedConnection);
}

void Pump(int ms)
{
    QThread::msleep(unsigned(ms));
    // Whatever the program queued meanwhile has run.
    RunOnGui([] {});
}

bool Until(const std::function<bool()>& pred, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!Gui(pred)) {
        if (t.elapsed() > timeoutMs)
            return false;
        QThread::msleep(5);
    }
    return true;
}

void Journey::SetUp()
{
    ASSERT_NE(Server, nullptr) << "no X server";
    Me = std::make_unique<Person>();
    ASSERT_TRUE(Me->Ok()) << "cannot reach the X server";
    // No serial port of this machine is ever tried.
    platform::SetSerialPortProvider([] { return std::vector<platform::SerialPortEntry>{}; });
}

void Journey::TearDown()
{
    // Modal loops still open (a failed step) end first, then the window goes.
    for (int round = 0; round < 10; ++round) {
        const bool open = Gui([&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal)
                modal->close();
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            return modal != nullptr;
        });
        if (!open)
            break;
        Pump(30);
    }
    Gui([&] {
        if (Main)
            Main->SetExitConfirmed(true);
        Main.reset();
    });
    Pump(50);
    if (FDevice)
        FDevice->Terminate();
    FDevice.reset();
    if (!LogPath.empty())
        std::remove(LogPath.c_str());
}

void Journey::StartDevice(const std::vector<std::string>& extra)
{
    // A loopback address of its own: the editor always reaches the device at port 9761.
    std::mt19937 random(unsigned(::getpid()) * 2654435761u ^ unsigned(QDateTime::currentMSecsSinceEpoch()));
    for (int attempt = 0; attempt < 20; ++attempt) {
        const unsigned b = 1 + random() % 250, c = 1 + random() % 250, d = 2 + random() % 250;
        DeviceAddress = "127." + std::to_string(b) + "." + std::to_string(c) + "." + std::to_string(d);
        LogPath = ::testing::TempDir() + "journey-" + std::to_string(::getpid()) + "-frames.log";
        std::remove(LogPath.c_str());
        std::vector<std::string> args{
            MORVEX_TEST_DEVICE_PROGRAM, "--tcp", "9761", "--host", DeviceAddress, "--log", LogPath};
        args.insert(args.end(), extra.begin(), extra.end());
        FDevice = std::make_unique<morvex_device::ChildProcess>();
        ASSERT_TRUE(FDevice->Start(args));
        if (FDevice->ReadLine(5000).rfind("PORT ", 0) == 0)
            return;
        FDevice.reset();
    }
    FAIL() << "the test device found no free loopback address";
}

void Journey::StartEditor()
{
    Gui([&] {
        Main = std::make_unique<app::TfmMain>();
        Main->CreateDialogs();
        Main->Link().StartLink(nullptr, true);
        Main->show();
    });
    ASSERT_TRUE(Until([&] { return Main->windowHandle() && Main->windowHandle()->isExposed(); }));
    ASSERT_TRUE(WaitWindow(Text("SID_CONNECT")).id) << "the start-up scan did not show";
    // The scan ends without a device (no address set, no port): its buttons come back.
    const QString demo = Text("SID_DEMO"), connect = Text("SID_CONNECT");
    ASSERT_TRUE(Until([&] {
        QWidget* b = ControlCaptioned(demo, TopLevel(connect));
        return b && b->isEnabled();
    })) << "the start-up scan did not end";
}

void Journey::GoOffline()
{
    QWidget* scan = TopLevel(Text("SID_CONNECT"));
    ASSERT_NE(scan, nullptr);
    Click(ControlCaptioned(Text("SID_DEMO"), scan));
    ASSERT_TRUE(WaitWindowGone(Text("SID_CONNECT")));
}

void Journey::ConnectByTyping()
{
    QWidget* scan = TopLevel(Text("SID_CONNECT"));
    ASSERT_NE(scan, nullptr);
    QWidget* set = ControlCaptioned(Text("SID_SET"), scan);
    ASSERT_NE(set, nullptr);
    Click(set);
    const XClient setup = WaitWindow(Text("SID_SET_NETWORK"));
    ASSERT_TRUE(setup.id) << "the ID/IP setup did not open";
    EXPECT_EQ(TopWindow().id, setup.id) << "the ID/IP setup opened behind another window";
    QWidget* dialog = TopLevel(Text("SID_SET_NETWORK"));
    ASSERT_NE(dialog, nullptr);
    QWidget* first = Gui([&] { return dialog->findChild<QWidget*>(QStringLiteral("edIp1")); });
    ASSERT_NE(first, nullptr);
    Click(first);
    Pump(50);
    Me->Type(DeviceAddress);
    Pump(50);
    Click(ControlCaptioned(Text("SID_SET"), dialog));
    Pump(100);
    if (QWidget* still = TopLevel(Text("SID_SET_NETWORK")))
        Click(ControlCaptioned(Text("SID_EXIT"), still));
    ASSERT_TRUE(WaitWindowGone(Text("SID_SET_NETWORK")));
    scan = TopLevel(Text("SID_CONNECT"));
    ASSERT_NE(scan, nullptr);
    Click(ControlCaptioned(Text("SID_START_SCAN"), scan));
    ASSERT_TRUE(WaitWindowGone(Text("SID_CONNECT"), 10000))
        << "the scan found no device at " << DeviceAddress;
    ASSERT_TRUE(Until([&] { return Main->View().LevelPollOn(); }, 10000)) << "the full read did not end";
}

std::vector<LCmd> Journey::DeviceFrames() const
{
    std::vector<LCmd> out;
    std::ifstream in(LogPath);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream hex(line);
        BSTM frame;
        unsigned b;
        while (hex >> std::hex >> b)
            frame.push_back(uint8_t(b));
        out.emplace_back(frame);
    }
    return out;
}

std::vector<LCmd> Journey::FramesWithCode(uint8_t code, size_t from) const
{
    std::vector<LCmd> all = DeviceFrames(), out;
    for (size_t i = from; i < all.size(); ++i)
        if (all[i].GetCode() == code)
            out.push_back(all[i]);
    return out;
}

bool Journey::WaitForCode(uint8_t code, size_t from, int timeoutMs) const
{
    return Until([&] { return !FramesWithCode(code, from).empty(); }, timeoutMs);
}

QRect Journey::OnScreen(const QWidget* w) const
{
    return Gui([&] { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); });
}

QPoint Journey::Centre(const QWidget* w) const
{
    return OnScreen(w).center();
}

void Journey::ClickAt(QPoint p)
{
    Me->Click(p.x(), p.y());
    Pump(60);
}

void Journey::Click(const QWidget* w)
{
    ASSERT_NE(w, nullptr) << "nothing to click";
    ClickAt(Centre(w));
}

QImage Journey::Grab(const QRect& r) const
{
    return Gui([&] {
        return QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage();
    });
}

QWidget* Journey::ControlCaptioned(const QString& text, QWidget* within) const
{
    if (QThread::currentThread() != qApp->thread())
        return Gui([&] { return ControlCaptioned(text, within); });
    auto matches = [&](QWidget* w) {
        if (!w->isVisible())
            return false;
        if (auto* c = dynamic_cast<fw::TControl*>(w); c && c->Caption() == text)
            return true;
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && b->text() == text)
            return true;
        return false;
    };
    const QList<QWidget*> tops = within ? QList<QWidget*>{within} : QApplication::topLevelWidgets();
    for (QWidget* top : tops) {
        if (!top->isVisible())
            continue;
        for (QWidget* w : top->findChildren<QWidget*>())
            if (matches(w))
                return w;
    }
    return nullptr;
}

QMenu* Journey::OpenPopup() const
{
    return Gui([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); });
}

std::optional<QPoint> Journey::MenuTitleAt(const QString& title) const
{
    return Gui([&]() -> std::optional<QPoint> {
        auto* bar = Main->findChild<QMenuBar*>(QStringLiteral("MainMenu"));
        if (bar)
            for (QAction* a : bar->actions())
                if (a->isVisible() && QString(a->text()).remove(u'&') == title)
                    return bar->mapToGlobal(bar->actionGeometry(a).center());
        return std::nullopt;
    });
}

QMenu* Journey::OpenMenu(const QString& title)
{
    const std::optional<QPoint> at = MenuTitleAt(title);
    if (!at) {
        ADD_FAILURE() << "no menu titled " << title.toStdString();
        return nullptr;
    }
    ClickAt(*at);
    Until([&] { return QApplication::activePopupWidget() != nullptr; }, 1000);
    return OpenPopup();
}

void Journey::ClickMenuItem(QMenu* menu, const QString& text)
{
    ASSERT_NE(menu, nullptr);
    const std::optional<QPoint> at = Gui([&]() -> std::optional<QPoint> {
        for (QAction* a : menu->actions())
            if (a->isVisible() && QString(a->text()).remove(u'&') == text)
                return menu->mapToGlobal(menu->actionGeometry(a).center());
        return std::nullopt;
    });
    ASSERT_TRUE(at.has_value()) << "no item " << text.toStdString();
    ClickAt(*at);
}

void Journey::ClickMenuTitle(const QString& title)
{
    const std::optional<QPoint> at = MenuTitleAt(title);
    ASSERT_TRUE(at.has_value()) << "no menu title " << title.toStdString();
    ClickAt(*at);
}

void Journey::ChooseInCombo(QWidget* combo, const QString& item)
{
    ASSERT_NE(combo, nullptr) << "no combo";
    Click(combo);
    QAbstractItemView* list = nullptr;
    ASSERT_TRUE(Until(
        [&] {
            list = qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget());
            return list != nullptr && list->isVisible();
        },
        2000))
        << "the combo's list did not open";
    Pump(50);
    for (int step = 0; step < 60; ++step) {
        // Where the list draws the item, and whether all of it shows.
        struct Place {
            bool found = false, shown = false, below = false;
            QPoint centre, middle;
        };
        const Place place = Gui([&] {
            Place out;
            const QModelIndexList hits =
                list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, item, 1, Qt::MatchExactly);
            out.middle = list->viewport()->mapToGlobal(list->viewport()->rect().center());
            if (hits.isEmpty())
                return out;
            out.found = true;
            const QRect r = list->visualRect(hits.first());
            out.shown = list->viewport()->rect().contains(r);
            out.below = r.top() >= list->viewport()->rect().bottom();
            out.centre = list->viewport()->mapToGlobal(r.center());
            return out;
        });
        ASSERT_TRUE(place.found) << "no item " << item.toStdString() << " in the list";
        if (place.shown) {
            ClickAt(place.centre);
            return;
        }
        // The wheel: 4 scrolls up, 5 down.
        Me->Click(place.middle.x(), place.middle.y(), place.below ? 5 : 4);
        Pump(40);
    }
    FAIL() << "the item " << item.toStdString() << " never showed in the list";
}

void Journey::TypeInto(QWidget* edit, const std::string& text)
{
    Click(edit);
    Me->Key("a", {"Control_L"});
    Pump(30);
    Me->Type(text);
    Pump(50);
}

XClient Journey::WaitWindow(const QString& title, int timeoutMs)
{
    XClient found;
    Until(
        [&] {
            found = Me->FindWindow(title.toStdString());
            return found.id != 0;
        },
        timeoutMs);
    // Mapped and drawn.
    Pump(80);
    return found;
}

bool Journey::WaitWindowGone(const QString& title, int timeoutMs)
{
    return Until([&] { return Me->FindWindow(title.toStdString()).id == 0; }, timeoutMs);
}

QWidget* Journey::TopLevel(const QString& title) const
{
    return Gui([&]() -> QWidget* {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle() == title)
                return w;
        return nullptr;
    });
}

XClient Journey::TopWindow()
{
    const auto list = Me->Stacking();
    return list.empty() ? XClient{} : list.back();
}

bool Journey::WaitWindowsSettled(int timeoutMs)
{
    return Until(
        [&] {
            std::set<unsigned long> shown, listed;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip &&
                    !w->windowFlags().testFlag(Qt::BypassWindowManagerHint))
                    shown.insert(w->winId());
            for (const XClient& c : Me->Stacking())
                listed.insert(c.id);
            return shown == listed;
        },
        timeoutMs);
}

QString Journey::Text(const char* key) const
{
    return Gui([&] { return Main->LookupText(QString::fromLatin1(key)); });
}

} // namespace journeys

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    journeys::XServer server;
    std::string error;
    if (!server.Start(1600, 1000, error)) {
        std::fprintf(stderr, "journeys: %s\n", error.c_str());
        return 1;
    }
    journeys::Journey::Server = &server;
    qputenv("QT_QPA_PLATFORM", "xcb");
    // No session bus: the accessibility bridge would otherwise try to start one (autolaunch) and can
    // block the window's thread for minutes. The journeys never use the bus.
    qputenv("DBUS_SESSION_BUS_ADDRESS",
            QByteArray::fromStdString("unix:path=" + ::testing::TempDir() + "journeys-no-session-bus"));
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    int result = 1;
    std::thread person([&] {
        result = RUN_ALL_TESTS();
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    });
    QApplication::exec();
    person.join();
    return result;
}
