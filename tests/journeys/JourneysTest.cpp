// The journeys of a person at the editor: each opens, clicks and types through the X server only.
#include "Journey.h"

#include "app/main/LinkController.h"
#include "app/main/TfmMain.h"
#include "framework/Control.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QThread>
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

struct MenuTitle {
    QString name, text;
    QStringList items; // visible items, empty for a title without a menu
};

// Every title of the menu bar opens its menu, or its dialog, where it is drawn; every item of every menu
// opens its window in front (Escape closes it again) or acts; Alt+F and F10 open the menus from the
// keyboard. On every page.
TEST_F(Menus, EveryTitleAndItemIsReachedWhereItIsDrawn)
{
    StartEditor();
    GoOffline();
    const QString fileTitle = Text("SID_FILE").remove(u'&');

    // The keyboard first: Alt+F opens File, Escape closes it, F10 opens the first menu.
    Me->Key("f", {"Alt_L"});
    ASSERT_TRUE(Until([&] { return QApplication::activePopupWidget() != nullptr; }, 1000))
        << "Alt+F opened nothing";
    EXPECT_EQ(Gui([&] { return OpenPopup()->title().remove(u'&'); }), fileTitle);
    Me->Key("Escape");
    ASSERT_TRUE(Until([&] { return QApplication::activePopupWidget() == nullptr; }, 1000));
    Me->Key("F10");
    EXPECT_TRUE(Until([&] { return QApplication::activePopupWidget() != nullptr; }, 1000))
        << "F10 opened nothing";
    Me->Key("Escape");
    Until([&] { return QApplication::activePopupWidget() == nullptr; }, 1000);

    const std::vector<MenuTitle> titles = Gui([&] {
        std::vector<MenuTitle> out;
        auto* bar = Main->findChild<QMenuBar*>(QStringLiteral("MainMenu"));
        for (QAction* t : bar->actions()) {
            if (!t->isVisible() || t->isSeparator())
                continue;
            MenuTitle m{t->objectName(), Plain(t), {}};
            if (t->menu())
                for (QAction* a : t->menu()->actions())
                    if (a->isVisible() && !a->isSeparator())
                        m.items << Plain(a);
            out.push_back(m);
        }
        return out;
    });
    ASSERT_GE(titles.size(), 8u);

    // Opens a window from the menu (open: clicks the title or the item), then closes it with Escape.
    int windowsOpened = 0;
    auto opensAWindow = [&](const std::function<void()>& open) {
        const size_t before = Me->Stacking().size();
        open();
        if (!Until([&] { return Me->Stacking().size() > before; }, 8000)) {
            ADD_FAILURE() << "no window opened";
            return;
        }
        ++windowsOpened;
        const XClient top = TopWindow();
        EXPECT_NE(top.id, Gui([&] { return Main->winId(); })) << "the window opened behind the main window";
        // The keys reach the window once the window manager has made it the active one.
        EXPECT_TRUE(Until([&] { return Me->ActiveWindow() == top.id; }, 5000))
            << top.title << " is not active";
        Pump(50);
        Me->Key("Escape");
        EXPECT_TRUE(Until([&] { return Me->Stacking().size() == before; }, 5000))
            << "Escape did not close " << top.title;
    };
    for (const MenuTitle& t : titles) {
        SCOPED_TRACE(t.text.toStdString());
        if (t.items.isEmpty()) {
            opensAWindow([&] {
                const QPoint at = Gui([&] {
                    auto* bar = Main->findChild<QMenuBar*>(QStringLiteral("MainMenu"));
                    for (QAction* a : bar->actions())
                        if (a->objectName() == t.name)
                            return bar->mapToGlobal(bar->actionGeometry(a).center());
                    return QPoint();
                });
                ClickAt(at);
            });
            continue;
        }
        ASSERT_NE(OpenMenu(t.text), nullptr) << "the menu did not open from its title";
        Me->Key("Escape");
        Until([&] { return QApplication::activePopupWidget() == nullptr; }, 1000);
        // The language items act on the window; the language journey follows them.
        if (t.name == u"LanguageSel")
            continue;
        for (const QString& item : t.items) {
            SCOPED_TRACE(item.toStdString());
            opensAWindow([&] { ClickMenuItem(OpenMenu(t.text), item); });
        }
    }
    EXPECT_GE(windowsOpened, 10);

    // The bar stays on top of the frame on every page: File opens after each page switch.
    for (const char* page : {"rzbMenuInA", "rzbMenuOut3", "rzbMenuComp", "rzbMenuDelay", "rzbMenuGain",
                             "rzbMenuMatrix", "rzbMenuGate", "rzbMenuLimit", "rzbMenuGeq"}) {
        SCOPED_TRACE(page);
        Click(Gui([&] { return Main->Get<QWidget>(QString::fromLatin1(page)); }));
        EXPECT_NE(OpenMenu(fileTitle), nullptr) << "File did not open";
        Me->Key("Escape");
        Until([&] { return QApplication::activePopupWidget() == nullptr; }, 1000);
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
    EXPECT_TRUE(Gui([&] { return Main->Link().Online(); }));
}

// Exit with nothing queued: OK, the disconnect reaches the device, and the window is gone within half a
// second of the click.
TEST_F(Exiting, OkClosesTheWindowPromptlyAfterTheDisconnect)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    const size_t before = DeviceFrames().size();
    QMenu* file = OpenMenu(Text("SID_FILE").remove(u'&'));
    ASSERT_NE(file, nullptr);
    ClickMenuItem(file, Text("SID_EXIT").remove(u'&'));
    QWidget* dialog = nullptr;
    ASSERT_TRUE(Until([&] {
        dialog = QApplication::activeModalWidget();
        return dialog != nullptr;
    }));
    Pump(100);
    QWidget* ok = ControlCaptioned(Text("SID_EXIT_OK"), dialog);
    ASSERT_NE(ok, nullptr);
    const unsigned long mainWindow = Gui([&] { return Main->winId(); });
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
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Connected and polling levels, after a visit to every page, the editor does next to nothing.
TEST_F(Idle, UnderTwoPercentOfACoreOnEveryPage)
{
    StartDevice();
    StartEditor();
    ConnectByTyping();
    const char* pages[] = {"rzbMenuInA",  "rzbMenuInB",   "rzbMenuInC",   "rzbMenuOut1",
                           "rzbMenuOut2", "rzbMenuOut3",  "rzbMenuOut4",  "rzbMenuOut5",
                           "rzbMenuOut6", "rzbMenuComp",  "rzbMenuDelay", "rzbMenuMatrix",
                           "rzbMenuGate", "rzbMenuLimit", "rzbMenuGeq",   "rzbMenuGain"};
    auto button = [&](const char* page) {
        return Gui([&] { return Main->Get<QWidget>(QString::fromLatin1(page)); });
    };
    for (const char* page : pages) {
        Click(button(page));
        Pump(150);
    }
    for (const char* page : {"rzbMenuMatrix", "rzbMenuOut2"}) {
        Click(button(page));
        Pump(500);
        const double cpu0 = CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QThread::msleep(5000);
        const double share = (CpuSeconds() - cpu0) / (double(wall.elapsed()) / 1000.0);
        EXPECT_LT(share, 0.02) << page << ": " << share * 100 << " % of a core";
    }
}

} // namespace
} // namespace journeys
