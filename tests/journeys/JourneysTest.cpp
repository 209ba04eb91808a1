// The journeys of a person at the editor: each opens, clicks and types through the X server only.
#include "Journey.h"

#include "app/main/TfmMain.h"
#include "framework/Control.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

#include <sys/resource.h>

namespace journeys
{
namespace
{

using Menus = Journey;
using Connecting = Journey;
using Exiting = Journey;
using Idle = Journey;

QString Plain(const QAction* a)
{
    return QString(a->text()).remove(u'&');
}

// Every title of the menu bar opens its menu, or its dialog, where it is drawn; every item of every menu
// opens its window in front (Escape closes it again) or acts; Alt+F and F10 open the menus from the
// keyboard. On every page.
TEST_F(Menus, EveryTitleAndItemIsReachedWhereItIsDrawn)
{
    StartEditor();
    GoOffline();
    auto* bar = Main->findChild<QMenuBar*>(QStringLiteral("MainMenu"));
    ASSERT_NE(bar, nullptr);

    // The keyboard first: Alt+F opens File, Escape closes it, F10 enters the bar.
    Me->Key("f", {"Alt_L"});
    ASSERT_TRUE(Until([&] { return OpenPopup() != nullptr; }, 1000)) << "Alt+F opened nothing";
    EXPECT_EQ(OpenPopup()->title().remove(u'&'), Main->LookupText(QStringLiteral("SID_FILE")).remove(u'&'));
    Me->Key("Escape");
    Me->Key("Escape");
    ASSERT_TRUE(Until([&] { return OpenPopup() == nullptr; }, 1000));
    Me->Key("F10");
    Me->Key("Down");
    EXPECT_TRUE(Until([&] { return OpenPopup() != nullptr; }, 1000)) << "F10 and Down opened nothing";
    Me->Key("Escape");
    Me->Key("Escape");
    Until([&] { return OpenPopup() == nullptr; }, 1000);

    int windowsOpened = 0;
    for (QAction* title : bar->actions()) {
        if (!title->isVisible() || title->isSeparator())
            continue;
        SCOPED_TRACE(Plain(title).toStdString());
        const QString name = title->objectName();
        if (title->menu()) {
            QMenu* menu = OpenMenu(Plain(title));
            ASSERT_NE(menu, nullptr) << "the menu did not open from its title";
            QStringList items;
            for (QAction* a : menu->actions())
                if (a->isVisible() && !a->isSeparator())
                    items << Plain(a);
            Me->Key("Escape");
            Until([&] { return OpenPopup() == nullptr; }, 1000);
            for (const QString& item : items) {
                SCOPED_TRACE(item.toStdString());
                QMenu* again = OpenMenu(Plain(title));
                ASSERT_NE(again, nullptr);
                QAction* action = nullptr;
                for (QAction* a : again->actions())
                    if (Plain(a) == item)
                        action = a;
                ASSERT_NE(action, nullptr);
                if (name == u"LanguageSel") {
                    // The language items act on the window; the language journey follows them.
                    Me->Key("Escape");
                    Until([&] { return OpenPopup() == nullptr; }, 1000);
                    continue;
                }
                const size_t before = Me->Stacking().size();
                ClickMenuItem(again, item);
                ASSERT_TRUE(Until([&] { return Me->Stacking().size() > before; }, 3000))
                    << "the item opened no window";
                const XClient top = TopWindow();
                EXPECT_NE(top.id, Main->winId()) << "the window opened behind the main window";
                ++windowsOpened;
                Me->Key("Escape");
                EXPECT_TRUE(Until([&] { return Me->Stacking().size() == before; }, 3000))
                    << "Escape did not close " << top.title;
            }
        } else {
            const size_t before = Me->Stacking().size();
            ClickAt(bar->mapToGlobal(bar->actionGeometry(title).center()));
            ASSERT_TRUE(Until([&] { return Me->Stacking().size() > before; }, 3000))
                << "the title opened no window";
            ++windowsOpened;
            const XClient top = TopWindow();
            Me->Key("Escape");
            EXPECT_TRUE(Until([&] { return Me->Stacking().size() == before; }, 3000))
                << "Escape did not close " << top.title;
        }
    }
    EXPECT_GE(windowsOpened, 10);

    // The bar stays on top of the frame on every page: File opens after each page switch.
    const char* pages[] = {"rzbMenuInA", "rzbMenuOut3", "rzbMenuComp", "rzbMenuDelay", "rzbMenuGain",
                           "rzbMenuMatrix", "rzbMenuGate", "rzbMenuLimit", "rzbMenuGeq"};
    for (const char* page : pages) {
        SCOPED_TRACE(page);
        Click(Main->Get<QWidget>(QString::fromLatin1(page)));
        QMenu* file = OpenMenu(Main->LookupText(QStringLiteral("SID_FILE")).remove(u'&'));
        EXPECT_NE(file, nullptr) << "File did not open";
        Me->Key("Escape");
        Until([&] { return OpenPopup() == nullptr; }, 1000);
    }
}

// The address typed with its dots in the ID/IP setup reaches the device: the handshake and the full
// read arrive there, and the window shows it online.
TEST_F(Connecting, TypedAddressReachesTheDevice)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    const std::vector<LCmd> frames = DeviceFrames();
    ASSERT_GE(frames.size(), 3u);
    EXPECT_EQ(frames[0].GetCode(), 16);
    EXPECT_TRUE(Main->Online());
}

// Exit with nothing queued: OK, the disconnect reaches the device, and the window is gone within half a
// second of the click.
TEST_F(Exiting, OkClosesTheWindowPromptlyAfterTheDisconnect)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    const size_t before = DeviceFrames().size();
    auto* bar = Main->findChild<QMenuBar*>(QStringLiteral("MainMenu"));
    ASSERT_NE(bar, nullptr);
    QMenu* file = OpenMenu(Main->LookupText(QStringLiteral("SID_FILE")).remove(u'&'));
    ASSERT_NE(file, nullptr);
    ClickMenuItem(file, Main->LookupText(QStringLiteral("SID_EXIT")).remove(u'&'));
    QWidget* dialog = nullptr;
    ASSERT_TRUE(Until([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w != Main.get() && w->isModal())
                dialog = w;
        return dialog != nullptr;
    }));
    Pump(100);
    QWidget* ok = ControlCaptioned(Main->LookupText(QStringLiteral("SID_EXIT_OK")), dialog);
    ASSERT_NE(ok, nullptr);
    const unsigned long mainWindow = Main->winId();
    QElapsedTimer clock;
    Me->Click(Centre(ok).x(), Centre(ok).y());
    clock.start();
    const bool gone = Until(
        [&] {
            for (const XClient& c : Me->Stacking())
                if (c.id == mainWindow)
                    return false;
            return true;
        },
        5000);
    const qint64 ms = clock.elapsed();
    ASSERT_TRUE(gone) << "the window did not close";
    EXPECT_LT(ms, 500) << "the window took " << ms << " ms to close";
    EXPECT_TRUE(WaitForCode(17, before, 2000)) << "no disconnect reached the device";
}

double CpuSeconds()
{
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Connected and polling levels, after a visit to every page, the editor does next to nothing.
TEST_F(Idle, UnderTwoPercentOfACoreOnEveryPage)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    const char* pages[] = {"rzbMenuInA",  "rzbMenuInB",   "rzbMenuInC",   "rzbMenuOut1", "rzbMenuOut2",
                           "rzbMenuOut3", "rzbMenuOut4",  "rzbMenuOut5",  "rzbMenuOut6", "rzbMenuComp",
                           "rzbMenuDelay", "rzbMenuMatrix", "rzbMenuGate", "rzbMenuLimit", "rzbMenuGeq",
                           "rzbMenuGain"};
    for (const char* page : pages) {
        Click(Main->Get<QWidget>(QString::fromLatin1(page)));
        Pump(150);
    }
    for (const char* page : {"rzbMenuMatrix", "rzbMenuOut2"}) {
        Click(Main->Get<QWidget>(QString::fromLatin1(page)));
        Pump(500);
        const double cpu0 = CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        // The program's own way of waiting: sleep in the event loop until something arrives.
        while (wall.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        const double share = (CpuSeconds() - cpu0) / (double(wall.elapsed()) / 1000.0);
        EXPECT_LT(share, 0.02) << page << ": " << share * 100 << " % of a core";
    }
}

} // namespace
} // namespace journeys
