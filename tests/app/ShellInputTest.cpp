// The main window driven as a person drives it: clicks and keys go to the top-level window through the
// window system at the places where things are drawn; menus, hints, the language menu, the look of the
// selected page button, exit and idle paints.
#include "app/dialogs/SmallDialogs.h"
#include "app/main/LanguageTables.h"
#include "app/main/MainLayout.h"
#include "app/main/MainSessionView.h"
#include "app/main/TfmMain.h"
#include "app/pages/MatrixPage.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkLabel.h"
#include "eq/LProgressBar.h"
#include "model/LUnitControl.h"
#include "support/TestApp.h"
#include "support/WindowOnDevice.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolTip>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <functional>

using namespace app;

namespace
{

const char* const kPageButtons[kPageCount] = {"rzbMenuInA",    "rzbMenuInB",  "rzbMenuInC",   "rzbMenuOut1",
                                              "rzbMenuOut2",   "rzbMenuOut3", "rzbMenuOut4",  "rzbMenuOut5",
                                              "rzbMenuOut6",   "rzbMenuComp", "rzbMenuDelay", "rzbMenuGain",
                                              "rzbMenuMatrix", "rzbMenuGate", "rzbMenuLimit", "rzbMenuGeq"};

// A window shown on the screen, with helpers that deliver input through its window-system window.
class ShownWindow
{
  public:
    explicit ShownWindow(TfmMain& w) : W(w)
    {
        W.show();
        W.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&W));
        EXPECT_TRUE(QTest::qWaitForWindowActive(&W));
    }
    QMenuBar* Bar() const { return W.findChild<QMenuBar*>(QStringLiteral("MainMenu")); }
    // A point of a child widget in the top-level window's coordinates.
    QPoint InWindow(QWidget* child, QPoint p) const { return child->mapTo(&W, p); }
    void ClickAt(QPoint inWindow)
    {
        QTest::mouseClick(W.windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
        QApplication::processEvents();
    }
    // Clicks a page button where it is drawn.
    void ClickPage(int page)
    {
        auto* b = W.Get<QWidget>(QString::fromLatin1(kPageButtons[page]));
        ASSERT_NE(b, nullptr);
        ClickAt(InWindow(b, b->rect().center()));
        ASSERT_EQ(W.CurrentPage(), page);
    }
    // Resizes to an outer window size.
    void SetOuterSize(QSize outer)
    {
        W.resize(outer.width() - kFrameWidth, outer.height() - kFrameHeight);
        QApplication::processEvents();
    }
    QPoint TitleCentre(QAction* a) const { return InWindow(Bar(), Bar()->actionGeometry(a).center()); }
    // Opens a menu by clicking its title; the open menu.
    QMenu* OpenByClick(QAction* title)
    {
        ClickAt(TitleCentre(title));
        QMenu* m = title->menu();
        return m && m->isVisible() ? m : nullptr;
    }
    // Clicks a menu item where the open menu draws it.
    void ClickItem(QMenu* menu, QAction* item)
    {
        QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(item).center());
        QApplication::processEvents();
    }
    static void CloseMenus()
    {
        while (QWidget* p = QApplication::activePopupWidget()) {
            QTest::keyClick(p->windowHandle(), Qt::Key_Escape);
            QApplication::processEvents();
        }
    }
    TfmMain& W;
};

// The visible titles of the menu bar.
std::vector<QAction*> Titles(QMenuBar* bar)
{
    std::vector<QAction*> out;
    for (QAction* a : bar->actions())
        if (a->isVisible())
            out.push_back(a);
    return out;
}

// The offscreen platform says for each popup that it cannot raise it or grab the keyboard.
void QuietPopups()
{
    static const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(u"This plugin does not support"))
                previous(type, context, text);
        });
}

class ShellInput : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        testapp::EnsureApp();
        QuietPopups();
        TDialogForm::ModalRunner = [this](TDialogForm* d) { modal.push_back(d); };
        w = std::make_unique<TfmMain>();
        w->CreateDialogs();
    }
    void TearDown() override
    {
        ShownWindow::CloseMenus();
        TDialogForm::ModalRunner = nullptr;
        w->SetExitConfirmed(true);
        w.reset();
    }
    std::unique_ptr<TfmMain> w;
    std::vector<TDialogForm*> modal;
};

// Every title of the menu bar is the menu bar where it is drawn, takes a click, and Alt+F and F10
// open the File menu: on every page, at the design size and a larger one, in both languages.
TEST_F(ShellInput, MenuBarTakesClicksAndKeysOnEveryPageAndSize)
{
    ShownWindow s(*w);
    QMenuBar* bar = s.Bar();
    ASSERT_NE(bar, nullptr);
    QAction* file = w->MenuItem(QStringLiteral("File"));
    ASSERT_NE(file, nullptr);
    int triggered = 0;
    for (QAction* a : Titles(bar))
        if (!a->menu())
            QObject::connect(a, &QAction::triggered, w.get(), [&triggered] { ++triggered; });
    // Every miss is listed, once per title, page, size and language.
    QStringList misses;
    auto miss = [&misses](const QString& where, const char* what) {
        misses << where + QStringLiteral(": ") + QString::fromLatin1(what);
    };
    for (const char* language : {"English", "ChineseSimplified"}) {
        w->MenuItem(QString::fromLatin1(language))->trigger();
        for (QSize outer :
             {QSize(kDesignWidth, kDesignHeight), QSize(1400, 900), QSize(kDesignWidth, kDesignHeight)}) {
            s.SetOuterSize(outer);
            for (int page = 0; page < kPageCount; ++page) {
                const QString where = QStringLiteral("%1 %2x%3 %4")
                                          .arg(QString::fromLatin1(language))
                                          .arg(outer.width())
                                          .arg(outer.height())
                                          .arg(QString::fromLatin1(kPageButtons[page]));
                s.ClickPage(page);
                for (QAction* a : Titles(bar)) {
                    const QString at_ = where + u' ' + a->objectName();
                    const QPoint at = s.TitleCentre(a);
                    if (QApplication::widgetAt(w->mapToGlobal(at)) != bar)
                        miss(at_, "another widget lies over the title");
                    const int before = triggered;
                    const std::size_t dialogs = modal.size();
                    s.ClickAt(at);
                    if (a->menu() ? !a->menu()->isVisible()
                                  : triggered != before + 1 && modal.size() == dialogs)
                        miss(at_, "a click does nothing");
                    ShownWindow::CloseMenus();
                }
                QTest::keyClick(w->windowHandle(), Qt::Key_F, Qt::AltModifier);
                if (!file->menu()->isVisible())
                    miss(where, "Alt+F opens nothing");
                ShownWindow::CloseMenus();
                QTest::keyClick(w->windowHandle(), Qt::Key_F10);
                if (!file->menu()->isVisible())
                    miss(where, "F10 opens nothing");
                ShownWindow::CloseMenus();
            }
        }
    }
    EXPECT_TRUE(misses.isEmpty()) << misses.size()
                                  << " misses, the first: " << misses.mid(0, 12).join(u'\n').toStdString();
}

// The channel page buttons show the channel's name as their hint where they are drawn.
TEST_F(ShellInput, PageButtonsShowTheChannelNameAsHint)
{
    for (int ch = 0; ch < 9; ++ch) {
        std::array<uint8_t, 8> name{};
        const std::string text = "Spk " + std::to_string(ch + 1);
        std::copy(text.begin(), text.end(), name.begin());
        w->Matrix().SetChannelName(ch, name);
    }
    ShownWindow s(*w);
    for (int ch = 0; ch < 9; ++ch) {
        SCOPED_TRACE(ch);
        auto* b = w->Get<QWidget>(QString::fromLatin1(kPageButtons[ch]));
        ASSERT_NE(b, nullptr);
        const QPoint at = s.InWindow(b, b->rect().center());
        QTest::mouseMove(w->windowHandle(), at);
        const QString want = QStringLiteral("Spk %1").arg(ch + 1);
        EXPECT_TRUE(
            testapp::PumpUntil([&] { return QToolTip::isVisible() && QToolTip::text() == want; }, 3000))
            << QToolTip::text().toStdString();
    }
}

// Relative luminance of an sRGB colour.
double Luminance(QColor c)
{
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

// The selected page button keeps its lime caption, readable on its face (contrast at least 4.5:1 to
// the face behind the text, as grabbed from the screen).
TEST_F(ShellInput, SelectedPageButtonCaptionIsReadable)
{
    ShownWindow s(*w);
    for (int page = 0; page < kPageCount; ++page) {
        SCOPED_TRACE(kPageButtons[page]);
        s.ClickPage(page);
        QApplication::processEvents();
        auto* b = w->Get<QWidget>(QString::fromLatin1(kPageButtons[page]));
        const QImage img = w->grab(QRect(s.InWindow(b, QPoint(0, 0)), b->size())).toImage();
        int lime = 0;
        std::vector<double> face;
        for (int y = 4; y < img.height() - 4; ++y)
            for (int x = 4; x < img.width() - 4; ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.green() > 220 && c.red() < 60 && c.blue() < 60)
                    ++lime;
                else if (std::abs(c.green() - 255) + c.red() + c.blue() > 300)
                    face.push_back(Luminance(c));
            }
        EXPECT_GT(lime, 10) << "the caption is drawn lime";
        ASSERT_FALSE(face.empty());
        std::sort(face.begin(), face.end());
        const double bg = face[face.size() / 2];
        const double ratio = (Luminance(QColor(0, 255, 0)) + 0.05) / (bg + 0.05);
        EXPECT_GE(ratio, 4.5);
    }
}

// One activation of a language item, made as a person makes it, switches every caption; exactly one
// item is ticked; choosing the ticked language again keeps it ticked.
TEST_F(ShellInput, LanguageMenuSwitchesInOneActivation)
{
    ShownWindow s(*w);
    QAction* title = w->MenuItem(QStringLiteral("LanguageSel"));
    ASSERT_NE(title, nullptr);
    ASSERT_TRUE(title->isVisible());
    QAction* zh = w->MenuItem(QStringLiteral("ChineseSimplified"));
    QAction* en = w->MenuItem(QStringLiteral("English"));
    QAction* tw = w->MenuItem(QStringLiteral("ChineseTraditional"));
    EXPECT_FALSE(tw->isVisible());
    auto text = [](const char* language, const char* key) {
        return QString::fromStdString(LookupText(language, key));
    };
    struct Step {
        QAction* item;
        const char* language;
    };
    for (const Step& step : {Step{zh, "ChineseGB"}, Step{en, "English"}, Step{en, "English"},
                             Step{zh, "ChineseGB"}, Step{zh, "ChineseGB"}, Step{en, "English"}}) {
        SCOPED_TRACE(step.language);
        QMenu* menu = s.OpenByClick(title);
        ASSERT_NE(menu, nullptr);
        s.ClickItem(menu, step.item);
        EXPECT_FALSE(menu->isVisible());
        EXPECT_EQ(w->Language(), QString::fromLatin1(step.language));
        EXPECT_TRUE(step.item->isChecked());
        EXPECT_EQ(int(zh->isChecked()) + int(en->isChecked()) + int(tw->isChecked()), 1);
        EXPECT_EQ(w->MenuItem(QStringLiteral("File"))->text(), text(step.language, "SID_FILE"));
        EXPECT_EQ(w->Get<fw::TControl>(QStringLiteral("lbGainInput"))->Caption(),
                  text(step.language, "SID_IN"));
        EXPECT_EQ(w->Get<fw::TControl>(QStringLiteral("bStore"))->Caption(),
                  text(step.language, "SID_BT_STORE"));
        w->Dialogs()->fmExit->Show();
        EXPECT_EQ(w->Dialogs()->fmExit->lbExit->Caption(), text(step.language, "SID_EXIT_QUIT"));
        w->Dialogs()->fmExit->Close();
    }
}

// Runs the event loop for a while as the program does, with nothing of the test's own waking it.
void IdleFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// CPU time of the calling thread, in milliseconds.
double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Counts paint events over every widget.
class PaintCounter : public QObject
{
  public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && o->isWidgetType() && !(Skip && Skip(o))) {
            ++Count;
            Last = o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                             : o->objectName();
        }
        return false;
    }
    std::function<bool(QObject*)> Skip;
    int Count = 0;
    QString Last;
};

// Idle means no paint: after the switch to each page, offline, nothing paints for 300 ms.
TEST_F(ShellInput, IdleWindowPaintsNothing)
{
    ShownWindow s(*w);
    for (int page : {kPageMatrix, kPageDelay, 0, 1, 2, 3, 4, 5, 6, 7, 8, kPageGeq, kPageGain, kPageComp,
                     kPageGate, kPageLimit}) {
        SCOPED_TRACE(kPageButtons[page]);
        s.ClickPage(page);
        // The switch's own paints settle first.
        testapp::PumpFor(150);
        PaintCounter paints;
        IdleFor(300);
        EXPECT_EQ(paints.Count, 0) << "last painted: " << paints.Last.toStdString();
    }
}

// Connected and polling levels, the window's thread stays under 2 % of a core on every page, and
// nothing but the level meters paints.
TEST(ShellIdle, ConnectedWindowIsIdleOnEveryPage)
{
    testapp::WindowOnDevice t;
    QuietPopups();
    ASSERT_TRUE(t.ConnectTcp());
    ShownWindow s(*t.Main);
    double busy = 0;
    for (int page = 0; page < kPageCount; ++page) {
        SCOPED_TRACE(kPageButtons[page]);
        s.ClickPage(page);
        testapp::PumpFor(150);
        PaintCounter paints;
        paints.Skip = [](QObject* o) { return dynamic_cast<eq::LProgressBar*>(o) != nullptr; };
        const double cpu = ThreadCpuMs();
        IdleFor(1000);
        busy += ThreadCpuMs() - cpu;
        EXPECT_EQ(paints.Count, 0) << "last painted: " << paints.Last.toStdString();
        EXPECT_TRUE(t.Main->View().LevelPollOn());
    }
    EXPECT_LT(busy, 0.02 * 1000 * kPageCount) << "ms of CPU over " << kPageCount << " s";
}

// Exit with nothing queued: the window is gone and the link closed within half a second of OK, and
// the device received the disconnect frame.
TEST(ShellExit, ExitIsQuickAndSendsTheDisconnect)
{
    testapp::WindowOnDevice t;
    QuietPopups();
    ASSERT_TRUE(t.ConnectTcp());
    ShownWindow s(*t.Main);
    // From a page with response graphs and meters, as a person leaves it.
    s.ClickPage(kPageMatrix);
    testapp::PumpFor(100);
    // Through the File menu's Exit item, then OK in the dialog where its button is drawn.
    QMenu* file = s.OpenByClick(t.Main->MenuItem(QStringLiteral("File")));
    ASSERT_NE(file, nullptr);
    TfmExit* exit = t.Main->Dialogs()->fmExit.get();
    QElapsedTimer clock;
    bool clicked = false;
    // The modal dialog runs its own loop: OK is clicked from inside it.
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(testapp::PumpUntil([&] { return exit->isVisible(); }, 2000));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(exit));
        t.Device.ClearReceived();
        clock.start();
        clicked = true;
        QTest::mouseClick(exit->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          exit->btnOK->mapTo(exit, exit->btnOK->rect().center()));
    });
    s.ClickItem(file, t.Main->MenuItem(QStringLiteral("Exit")));
    ASSERT_TRUE(clicked);
    ASSERT_TRUE(testapp::PumpUntil([&] { return !t.Main->isVisible(); }, 3000));
    const qint64 hidden = clock.elapsed();
    // What the program does once its last window closed: the window and its link go.
    t.Main.reset();
    const qint64 gone = clock.elapsed();
    EXPECT_LT(hidden, 500);
    EXPECT_LT(gone, 500) << "hidden after " << hidden << " ms";
    const std::vector<uint8_t> codes = t.Device.ReceivedCodes();
    EXPECT_NE(std::find(codes.begin(), codes.end(), uint8_t(17)), codes.end());
}

} // namespace
