#include "framework/Control.h"
#include "runtime/Timer.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>

using namespace fw;

using testapp::EnsureApp;

namespace
{
TEST(TimerService, FakeClockFiresInOrderAndOneShotStopsItself)
{
    FakeTimerScope scope;
    std::vector<std::string> log;
    TTimer repeat;
    repeat.SetInterval(100);
    repeat.OnTimer = [&](TTimer*) { log.push_back("repeat@" + std::to_string(scope.Fake.Now())); };
    TTimer once;
    once.SetInterval(250);
    once.OnTimer = [&](TTimer* t) {
        t->SetEnabled(false);
        log.push_back("once@" + std::to_string(scope.Fake.Now()));
    };
    repeat.SetEnabled(true);
    once.SetEnabled(true);
    scope.Fake.Advance(300);
    EXPECT_EQ(log, (std::vector<std::string>{"repeat@100", "repeat@200", "once@250", "repeat@300"}));
    EXPECT_FALSE(once.Enabled());
    EXPECT_EQ(scope.Fake.ActiveCount(), 1u);
    repeat.SetEnabled(false);
    EXPECT_EQ(scope.Fake.ActiveCount(), 0u);
}

TEST(TimerService, DestroyedTimerNeverTicks)
{
    FakeTimerScope scope;
    int ticks = 0;
    {
        TTimer t;
        t.SetInterval(10);
        t.OnTimer = [&](TTimer*) { ++ticks; };
        t.SetEnabled(true);
    }
    scope.Fake.Advance(100);
    EXPECT_EQ(ticks, 0);
}

TEST(TimerService, TimerOutlivingAFakeServiceIsSafe)
{
    struct Case {
        const char* name;
        bool stopAfter; // disable after the service is gone, rather than only destroy
    };
    const Case cases[] = {{"destroyed after the fake", false}, {"disabled after the fake", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int ticks = 0;
        auto t = std::make_unique<TTimer>();
        {
            FakeTimerScope scope;
            t->SetInterval(10);
            t->OnTimer = [&](TTimer*) { ++ticks; };
            t->SetEnabled(true);
            scope.Fake.Advance(10);
        }
        EXPECT_EQ(ticks, 1);
        if (c.stopAfter) {
            t->SetEnabled(false);
            EXPECT_FALSE(t->Enabled());
        }
        t.reset(); // must not reach into the destroyed fake
        FakeTimerScope next;
        next.Fake.Advance(100);
        EXPECT_EQ(next.Fake.ActiveCount(), 0u);
        EXPECT_EQ(ticks, 1);
    }
}

TEST(Form, FindsComponentsByNameIgnoringCase)
{
    EnsureApp();
    TForm form;
    auto* a = new TControl(&form);
    a->SetName("isGainInA");
    auto* inner = new TControl(a);
    inner->SetName("cvdGainInA");
    EXPECT_EQ(form.FindComponent("ISGAININA"), a);
    EXPECT_EQ(form.FindComponent("cvdgaininA"), inner);
    EXPECT_EQ(form.FindComponent("isGainInB"), nullptr);
    a->SetName("isGainInB");
    EXPECT_EQ(form.FindComponent("isGainInA"), nullptr);
    EXPECT_EQ(form.FindComponent("isgaininb"), a);
    delete inner;
    EXPECT_EQ(form.FindComponent("cvdGainInA"), nullptr);
    // Names beyond ASCII fold their case as well.
    auto* named = new TControl(&form);
    named->SetName(QString::fromUtf8("lblKanal\u00c4"));
    EXPECT_EQ(form.FindComponent(QString::fromUtf8("LBLKANAL\u00e4")), named);
    EXPECT_EQ(form.FindComponent(QStringLiteral("lblKanalA")), nullptr);
}

TEST(Control, VisibleIsTheControlsOwnFlag)
{
    EnsureApp();
    TForm form;
    auto* c = new TControl(&form);
    EXPECT_TRUE(c->Visible());
    c->SetVisible(false);
    EXPECT_FALSE(c->Visible());
    c->SetVisible(true);
    EXPECT_TRUE(c->Visible()); // the form is not shown, the flag still holds
}

class WheelProbe : public TControl
{
  public:
    using TControl::TControl;
    std::vector<int> deltas;

  protected:
    bool DoMouseWheel(TShiftState, int WheelDelta, TPoint) override
    {
        deltas.push_back(WheelDelta);
        return true;
    }
};

TEST(Control, WheelDeltasAddUpToWholeNotches)
{
    EnsureApp();
    WheelProbe probe;
    auto send = [&](int delta) {
        QWheelEvent e(QPointF(1, 1), QPointF(1, 1), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&probe, &e);
    };
    send(40);
    send(40);
    EXPECT_TRUE(probe.deltas.empty());
    send(40);
    send(240);
    send(-60);
    send(-60);
    EXPECT_EQ(probe.deltas, (std::vector<int>{120, 120, 120, -120}));
}

TEST(Control, HeldKeyRepeatsKeyDownButReleasesOnce)
{
    EnsureApp();
    TControl c;
    std::vector<std::string> log;
    c.OnKeyDown = [&](TControl*, Word& key, TShiftState) { log.push_back("down " + std::to_string(key)); };
    c.OnKeyUp = [&](TControl*, Word& key, TShiftState) { log.push_back("up " + std::to_string(key)); };
    struct Step {
        QEvent::Type type;
        bool autoRepeat;
    };
    // A key held down as X11 reports it: every repeat comes as a release and a press.
    const Step steps[] = {{QEvent::KeyPress, false}, {QEvent::KeyRelease, true},
                          {QEvent::KeyPress, true},  {QEvent::KeyRelease, true},
                          {QEvent::KeyPress, true},  {QEvent::KeyRelease, false}};
    for (const Step& s : steps) {
        QKeyEvent e(s.type, Qt::Key_Up, Qt::NoModifier, QString(), s.autoRepeat);
        QApplication::sendEvent(&c, &e);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"down 38", "down 38", "down 38", "up 38"}));
}

TEST(Control, ExitFiresOnFocusMoveButNotOnDeactivationOrPopup)
{
    EnsureApp();
    TForm form;
    form.resize(200, 100);
    auto* a = new TControl(&form);
    auto* b = new TControl(&form);
    auto* inner = new QLineEdit(b); // a compound control's inner edit counts as b
    a->SetTabStop(true);
    b->SetTabStop(true);
    std::vector<std::string> log;
    a->OnEnter = [&](TControl*) { log.push_back("enter a"); };
    a->OnExit = [&](TControl*) { log.push_back("exit a"); };
    b->OnEnter = [&](TControl*) { log.push_back("enter b"); };
    b->OnExit = [&](TControl*) { log.push_back("exit b"); };
    form.show();
    QApplication::setActiveWindow(&form);
    a->SetFocus();
    QMenu menu;
    menu.addAction("x");
    menu.popup(QPoint(0, 0));
    QApplication::processEvents();
    menu.hide();
    QApplication::setActiveWindow(&form);
    a->SetFocus();
    inner->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"enter a", "exit a", "enter b"}));
}

} // namespace
