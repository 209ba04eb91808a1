#include "PanelsTestUtil.h"
#include "support/Hover.h"

#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/panels/SkPanel.h"
#include "controls/panels/SkinButtons.h"
#include "controls/smooth/RoundEdit.h"
#include "runtime/Timer.h"

#include <QDialog>
#include <QListWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace fw;
using namespace sk;
using namespace panels_test;

namespace
{
class Fixture : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureApp();
        form = std::make_unique<TForm>();
        form->resize(400, 300);
        form->show();
    }
    TSkBmpButton* Button(QWidget* parent, int group, bool allowAllUp = false)
    {
        auto* b = new TSkBmpButton(parent);
        b->Bitmaps().SetUp(SkinButtonFace(40, 20, TSkinState::Up));
        b->SetGroupIndex(group);
        b->SetAllowAllUp(allowAllUp);
        return b;
    }
    std::unique_ptr<TForm> form;
};
} // namespace

using BmpButton = Fixture;

TEST_F(BmpButton, GroupsAreExclusivePerParent)
{
    auto* a = Button(form.get(), 1);
    auto* b = Button(form.get(), 1);
    auto* other = new TControl(form.get());
    auto* c = Button(other, 1);
    a->SetDown(true);
    c->SetDown(true);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    EXPECT_TRUE(c->Down()); // same GroupIndex under another parent is left alone
}

TEST_F(BmpButton, PlainMovesReachButtonsAndFireOnMouseMove)
{
    auto* bmp = Button(form.get(), 0);
    bmp->SetBounds(10, 10, 40, 20);
    auto* push = new TSkButton(form.get());
    push->SetBounds(100, 10, 60, 24);
    push->SetHotTrack(true);
    std::vector<std::string> seen;
    bmp->OnMouseMove = [&](TControl*, TShiftState, int, int) { seen.push_back("bitmap"); };
    push->OnMouseMove = [&](TControl*, TShiftState, int, int) { seen.push_back("push"); };
    testsupport::Hover(bmp, 20, 10);
    testsupport::Hover(push, 30, 12);
    EXPECT_TRUE(std::find(seen.begin(), seen.end(), "bitmap") != seen.end());
    EXPECT_TRUE(std::find(seen.begin(), seen.end(), "push") != seen.end());
    EXPECT_TRUE(push->MouseInControl());
}

TEST_F(BmpButton, SetDownRules)
{
    struct Case {
        const char* name;
        int group;
        bool allowAllUp;
        bool start, set, want;
    };
    const Case cases[] = {
        {"no group never stays down", 0, false, false, true, false},
        {"down without AllowAllUp cannot be released", 1, false, true, false, true},
        {"down with AllowAllUp releases", 1, true, true, false, false},
        {"grouped goes down", 1, false, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto* b = Button(form.get(), c.group, true);
        b->SetDown(c.start);
        b->SetAllowAllUp(c.allowAllUp);
        int clicks = 0;
        b->OnClick = [&](TControl*) { ++clicks; };
        b->SetDown(c.set);
        EXPECT_EQ(b->Down(), c.want);
        EXPECT_EQ(clicks, 0); // SetDown never clicks
        delete b;
    }
}

TEST_F(BmpButton, AllowAllUpIsTheGroupsSetting)
{
    auto* a = Button(form.get(), 2, false);
    auto* b = Button(form.get(), 2, false);
    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    a->SetDown(true);
    ClickAt(b, 5, 5); // pressing does not carry a setting into the group
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(a->AllowAllUp());
    ClickAt(b, 5, 5);
    EXPECT_FALSE(b->Down());
}

TEST_F(BmpButton, ClickOnReleaseInsideEvenBeforeTheFocusArrives)
{
    // The window is shown but never activated, so Qt's focus hand-over stays pending.
    auto* b = Button(form.get(), 0);
    int clicks = 0;
    b->OnClick = [&](TControl*) { ++clicks; };
    ClickAt(b, 3, 3);
    EXPECT_EQ(clicks, 1);
    Press(b, 3, 3);
    Move(b, b->Width(), 3);
    EXPECT_EQ(b->State(), bsUp);
    Release(b, b->Width(), 3); // just past the last column is outside
    EXPECT_EQ(clicks, 1);
    form->hide(); // a button whose window is hidden cannot take the focus, and does not press
    ClickAt(b, 3, 3);
    EXPECT_EQ(clicks, 1);
}

TEST_F(BmpButton, GroupedClickTogglesAndEnterClicksWithoutToggle)
{
    auto* b = Button(form.get(), 3, true);
    std::vector<bool> seen;
    b->OnClick = [&](TControl*) { seen.push_back(b->Down()); };
    ClickAt(b, 2, 2);
    ClickAt(b, 2, 2);
    Key(b, QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(seen, (std::vector<bool>{true, false, false}));
    Key(b, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    Key(b, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "), true); // auto-repeat release is ignored
    EXPECT_EQ(seen.size(), 3u);
    Key(b, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(seen, (std::vector<bool>{true, false, false, true}));
}

TEST_F(BmpButton, ClickHandsTheModalResultToTheDialog)
{
    QDialog dlg;
    auto* b = new TSkBmpButton(&dlg);
    b->SetModalResult(5);
    int clicks = 0;
    b->OnClick = [&](TControl*) { ++clicks; };
    b->Click();
    EXPECT_EQ(dlg.result(), 5);
    EXPECT_EQ(clicks, 1);
    auto* main = Button(form.get(), 0);
    main->SetModalResult(5);
    main->Click();
    EXPECT_EQ(FormModalResult(main), 5);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(BmpButton, SizesToThePictureAndEmbossesWhenDisabled)
{
    auto* b = new TSkBmpButton(form.get());
    b->SetButtonBorder(bbSingle);
    b->Bitmaps().SetTransparentColor(clTeal);
    b->Bitmaps().SetUp(SkinButtonFace(30, 12, TSkinState::Up));
    EXPECT_EQ(b->Width(), 32);
    EXPECT_EQ(b->Height(), 14);
    b->SetButtonBorder(bbNone);
    EXPECT_EQ(b->Width(), 30);
    b->SetEnabled(false);
    const QImage pic = b->CurrentPicture();
    ASSERT_FALSE(pic.isNull());
    EXPECT_NE(pic, b->Bitmaps().Up());
    const QImage shown = b->Render();
    EXPECT_EQ(FromQColor(shown.pixelColor(0, 0)), ColorToRGB(clBtnFace))
        << "the embossed picture stands on the face";

    // A dark 2 x 2 block on the key colour: shadow in place, highlight one pixel down-right, face elsewhere.
    QImage up(6, 6, QImage::Format_RGB32);
    up.fill(ToQColor(clTeal));
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 3; ++x)
            up.setPixelColor(x, y, Qt::black);
    b->Bitmaps().SetUp(up);
    const QImage emboss = b->CurrentPicture();
    EXPECT_EQ(FromQColor(emboss.pixelColor(1, 1)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(FromQColor(emboss.pixelColor(3, 3)), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(FromQColor(emboss.pixelColor(0, 0)), ColorToRGB(clBtnFace));
    EXPECT_EQ(FromQColor(emboss.pixelColor(5, 5)), ColorToRGB(clBtnFace));
}

// A click reaches the button as from the platform (Qt's own click focus included); the focus stays on the
// field being edited unless the clicked control is a tab stop.
TEST(FocusOnClick, OnlyATabStopTakesTheFocus)
{
    EnsureApp();
    TForm form;
    form.resize(300, 200);
    auto* field = new TControl(&form);
    field->SetBounds(0, 150, 40, 20);
    field->SetTabStop(true);
    int exits = 0;
    field->OnExit = [&](TControl*) { ++exits; };
    form.show();
    QApplication::setActiveWindow(&form);
    struct Case {
        const char* name;
        std::function<QWidget*(QWidget*)> make; // returns the widget to click
        QPoint at;
        bool takesFocus;
    };
    auto roundEdit = [](QWidget* parent, bool tabStop, bool clickButton) -> QWidget* {
        auto* e = new fx::TRoundEdit(parent);
        e->SetRounding(6);
        e->SetBounds(0, 0, 58, 24);
        QImage glyph(10, 10, QImage::Format_ARGB32);
        glyph.fill(Qt::black);
        e->Controls().Add()->Picture().AssignBitmap(glyph);
        e->SetTabStop(tabStop);
        EXPECT_EQ(e->TabStop(), tabStop);
        return clickButton ? static_cast<QWidget*>(e) : e->InnerEdit();
    };
    const Case cases[] = {
        {"power button", [](QWidget* p) { return new TLedPowerButton(p); }, {5, 5}, false},
        {"demo button", [](QWidget* p) { return new TLedDemoButton(p); }, {5, 5}, false},
        {"power button as a tab stop",
         [](QWidget* p) {
             auto* b = new TLedPowerButton(p);
             b->SetTabStop(true);
             return b;
         },
         {5, 5},
         true},
        {"demo button as a tab stop",
         [](QWidget* p) {
             auto* b = new TLedDemoButton(p);
             b->SetTabStop(true);
             return b;
         },
         {5, 5},
         true},
        {"rounded edit's inner button",
         [&](QWidget* p) { return roundEdit(p, true, true); },
         {47, 12},
         false},
        {"rounded edit's inner edit, no tab stop",
         [&](QWidget* p) { return roundEdit(p, false, false); },
         {5, 5},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* w = c.make(&form);
        w->show();
        field->SetFocus();
        ASSERT_TRUE(field->Focused());
        exits = 0;
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, c.at);
        EXPECT_EQ(field->Focused(), !c.takesFocus);
        EXPECT_EQ(exits, c.takesFocus ? 1 : 0) << "the edited field ends only when the focus moves";
        for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child != field)
                delete child;
    }
    auto* power = new TLedPowerButton(&form);
    EXPECT_FALSE(power->TabStop());
    EXPECT_TRUE(power->CanFocus()) << "code can still focus it";
    power->SetFocus();
    EXPECT_TRUE(power->Focused());
}

TEST_F(BmpButton, AnyMouseReleaseEndsAPressAndAnyKeyReleaseEndsABitmapButtonsPress)
{
    enum class End { RightInside, RightOutside, KeyA };
    struct Case {
        const char* name;
        std::function<TControl*(QWidget*)> make;
        bool bySpace;
        End end;
        int clicks; // when the press ends
    };
    auto bitmap = [](QWidget* p) {
        auto* b = new TSkBmpButton(p);
        b->Bitmaps().SetUp(SkinButtonFace(40, 20, TSkinState::Up));
        return b;
    };
    auto push = [](QWidget* p) { return new TSkButton(p); };
    auto shape = [](QWidget* p) {
        auto* s = new TSkShapeButton(p);
        s->SetBitmap(SkinShape(30, 30));
        return s;
    };
    const Case cases[] = {
        {"bitmap button, right release inside", bitmap, false, End::RightInside, 1},
        {"bitmap button, right release outside", bitmap, false, End::RightOutside, 0},
        {"bitmap button, a key released during a mouse press", bitmap, false, End::KeyA, 1},
        {"bitmap button, another key released during a Space press", bitmap, true, End::KeyA, 1},
        {"push button, right release inside", push, false, End::RightInside, 1},
        {"push button, right release outside", push, false, End::RightOutside, 0},
        {"push button, another key released during a Space press", push, true, End::KeyA, 0},
        {"shape button, right release inside", shape, false, End::RightInside, 1},
        {"shape button, right release outside", shape, false, End::RightOutside, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TControl* b = c.make(form.get());
        int clicks = 0;
        b->OnClick = [&](TControl*) { ++clicks; };
        StartPress(b, c.bySpace, 15, 15);
        switch (c.end) {
        case End::RightInside:
            Release(b, 15, 15, Qt::RightButton);
            break;
        case End::RightOutside:
            Release(b, 500, 15, Qt::RightButton);
            break;
        case End::KeyA:
            Key(b, QEvent::KeyRelease, Qt::Key_A, QStringLiteral("a"));
            break;
        }
        EXPECT_EQ(clicks, c.clicks);
        if (auto* bb = dynamic_cast<TSkBmpButton*>(b)) {
            EXPECT_EQ(bb->State(), bsUp) << "the pressed look ends with the press";
        }
        // The press is over: the later release of the pressing key or button clicks nothing more.
        EndPress(b, c.bySpace, 15, 15);
        const bool spaceStillPressing = c.bySpace && c.clicks == 0;
        EXPECT_EQ(clicks, c.clicks + (spaceStillPressing ? 1 : 0));
        delete b;
    }
}

using PowerButton = Fixture;

TEST_F(PowerButton, TogglesOnLeftReleaseInsideOrSpace)
{
    auto* p = new TLedPowerButton(form.get());
    p->SetCaption(QStringLiteral("Show"));
    std::vector<bool> log;
    p->OnClick = [&](TControl*) { log.push_back(p->Active()); };
    ClickAt(p, 5, 5);
    EXPECT_EQ(log, std::vector<bool>{true});
    Press(p, 5, 5);
    Move(p, 300, 5);
    Release(p, 300, 5);
    EXPECT_EQ(log.size(), 1u);
    Press(p, 5, 5);
    Release(p, 5, 5, Qt::RightButton); // another button's release does not toggle
    EXPECT_TRUE(p->Active());
    Release(p, 5, 5);
    EXPECT_EQ(log, (std::vector<bool>{true, false}));
    Key(p, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" ")); // no press began here
    EXPECT_EQ(log.size(), 2u);
    Key(p, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    Key(p, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(log, (std::vector<bool>{true, false, true}));
    const int redraws = p->RedrawCount();
    p->SetActive(true);
    EXPECT_EQ(p->RedrawCount(), redraws);
}

TEST_F(PowerButton, MainWindowLookCentresLampAndCaption)
{
    auto* p = new TLedPowerButton(form.get());
    p->SetBevelWidth(0);
    p->SetOutlineWidth(0);
    p->SetColor(clBlack);
    p->Palette().SetLow(clOlive);
    p->Palette().SetHigh(clYellow);
    p->SetBounds(0, 0, 47, 16);
    p->SetCaption(QStringLiteral("ALL"));
    EXPECT_EQ(p->ImageRect().Width(), 12);
    EXPECT_EQ(p->TextBounds().Left - p->ImageRect().Right, 5);
    const QImage img = p->Snapshot();
    const TRect l = p->ImageRect();
    EXPECT_EQ(FromQColor(img.pixelColor(l.Left + 6, l.Top + 6)), clOlive);
    p->SetActive(true);
    EXPECT_EQ(FromQColor(p->Snapshot().pixelColor(l.Left + 6, l.Top + 6)), clYellow);
}

TEST_F(PowerButton, DemoButtonClicksOnlyOnReleaseInside)
{
    auto* d = new TLedDemoButton(form.get());
    int clicks = 0;
    d->OnClick = [&](TControl*) { ++clicks; };
    ClickAt(d, 5, 5);
    Press(d, 5, 5);
    Move(d, 500, 5);
    Release(d, 500, 5);
    EXPECT_EQ(clicks, 1);
}

TEST_F(PowerButton, HeldSpaceClicksOnceOnTheRealRelease)
{
    // A held key arrives as auto-repeat release and press pairs before the real release.
    struct Case {
        const char* name;
        std::function<TControl*(QWidget*)> make;
    };
    const Case cases[] = {
        {"power button", [](QWidget* p) { return new TLedPowerButton(p); }},
        {"demo button", [](QWidget* p) { return new TLedDemoButton(p); }},
        {"bitmap button", [](QWidget* p) { return new TSkBmpButton(p); }},
        {"push button", [](QWidget* p) { return new TSkButton(p); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TControl* b = c.make(form.get());
        int clicks = 0;
        b->OnClick = [&](TControl*) { ++clicks; };
        Key(b, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
        for (int i = 0; i < 3; ++i) {
            Key(b, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "), true);
            Key(b, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "), true);
        }
        EXPECT_EQ(clicks, 0);
        Key(b, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
        EXPECT_EQ(clicks, 1);
        if (auto* p = dynamic_cast<TLedPowerButton*>(b)) {
            EXPECT_TRUE(p->Active());
        }
        delete b;
    }
}

TEST_F(PowerButton, DisablingDuringAPressCancelsIt)
{
    struct Case {
        const char* name;
        std::function<TControl*(QWidget*)> make;
        bool bySpace;
    };
    const Case cases[] = {
        {"power button, mouse", [](QWidget* p) { return new TLedPowerButton(p); }, false},
        {"power button, space", [](QWidget* p) { return new TLedPowerButton(p); }, true},
        {"demo button, mouse", [](QWidget* p) { return new TLedDemoButton(p); }, false},
        {"bitmap button, mouse", [](QWidget* p) { return new TSkBmpButton(p); }, false},
        {"bitmap button, space", [](QWidget* p) { return new TSkBmpButton(p); }, true},
        {"push button, mouse", [](QWidget* p) { return new TSkButton(p); }, false},
        {"push button, space", [](QWidget* p) { return new TSkButton(p); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TControl* b = c.make(form.get());
        int clicks = 0;
        b->OnClick = [&](TControl*) { ++clicks; };
        StartPress(b, c.bySpace, 3, 3);
        b->SetEnabled(false); // e.g. a handler or the connection state turns it off meanwhile
        b->SetEnabled(true);
        EndPress(b, c.bySpace, 3, 3);
        EXPECT_EQ(clicks, 0);
        if (auto* p = dynamic_cast<TLedPowerButton*>(b)) {
            EXPECT_FALSE(p->Active());
        }
        if (auto* bb = dynamic_cast<TSkBmpButton*>(b)) {
            EXPECT_EQ(bb->State(), bsUp);
        }
        ClickAt(b, 3, 3); // the next press works as ever
        EXPECT_EQ(clicks, 1);
        delete b;
    }
}

using ComboBox = Fixture;

TEST_F(ComboBox, ItemIndexFromCodeIsSilentUserChoiceFires)
{
    auto* c = new TSkComboBox(form.get());
    for (const char* s : {"BW -6", "BL -6", "BW -12", "BL -12"})
        c->Add(QString::fromLatin1(s));
    std::vector<std::string> log;
    c->OnClick = [&](TControl*) { log.push_back("click"); };
    c->OnChange = [&](TControl*) { log.push_back("change " + std::to_string(c->ItemIndex())); };
    c->SetItemIndex(2);
    EXPECT_TRUE(log.empty());
    c->SelectByUser(1);
    Key(c, QEvent::KeyPress, Qt::Key_Down);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "change 1", "click", "change 2"}));
}

TEST_F(ComboBox, OpenListChoosesByClickOrEnterOnce)
{
    struct Case {
        const char* name;
        std::function<void(QListWidget*)> choose;
    };
    const Case cases[] = {
        {"click", [](QListWidget* l) { emit l->itemClicked(l->item(2)); }},
        {"enter",
         [](QListWidget* l) {
             l->setCurrentRow(2);
             Key(l, QEvent::KeyPress, Qt::Key_Return, QStringLiteral("\r"));
         }},
        {"click that also activates",
         [](QListWidget* l) {
             emit l->itemClicked(l->item(2));
             emit l->itemActivated(l->item(2));
         }},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        auto* c = new TSkComboBox(form.get());
        for (const char* s : {"BW -6", "BL -6", "BW -12"})
            c->Add(QString::fromLatin1(s));
        int changes = 0;
        c->OnChange = [&](TControl*) { ++changes; };
        c->SetDroppedDown(true);
        QListWidget* list = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* l = qobject_cast<QListWidget*>(w); l && l->isVisible())
                list = l;
        ASSERT_NE(list, nullptr);
        row.choose(list);
        EXPECT_EQ(c->ItemIndex(), 2);
        EXPECT_EQ(changes, 1);
        EXPECT_FALSE(c->DroppedDown());
        delete c;
    }
}

TEST_F(ComboBox, IncrementalSearchForgetsAfterTheDelay)
{
    FakeTimerScope scope;
    int beeps = 0;
    SetBeepHook([&] { ++beeps; });
    auto* c = new TSkComboBox(form.get());
    c->Add(QStringLiteral("BW -6"));
    c->Add(QStringLiteral("BL -6"));
    Key(c, QEvent::KeyPress, Qt::Key_B, QStringLiteral("b"));
    EXPECT_EQ(c->ItemIndex(), 0);
    scope.Fake.Advance(1000);
    Key(c, QEvent::KeyPress, Qt::Key_L, QStringLiteral("l"));
    EXPECT_EQ(c->ItemIndex(), 1);
    scope.Fake.Advance(1600);
    Key(c, QEvent::KeyPress, Qt::Key_L, QStringLiteral("l"));
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(beeps, 1);
    SetBeepHook(nullptr);
    delete c; // its search timer lives on the fake service
}

TEST_F(ComboBox, WheelHandledByTheOwnerChangesNothingAndStopsAtTheEnds)
{
    auto* c = new TSkComboBox(form.get());
    c->Add(QStringLiteral("a"));
    c->Add(QStringLiteral("b"));
    c->SetItemIndex(0);
    int changes = 0;
    c->OnChange = [&](TControl*) { ++changes; };
    c->OnMouseWheel = [](TControl*, TShiftState, int, TPoint, bool& handled) { handled = true; };
    Wheel(c, -120);
    EXPECT_EQ(c->ItemIndex(), 0);
    c->OnMouseWheel = nullptr;
    Wheel(c, -120);
    Wheel(c, -120);
    EXPECT_EQ(c->ItemIndex(), 1); // stays on the last item
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(c->ActualDropDownWidth(), c->Width());
}

using Panels = Fixture;

TEST_F(Panels, TransparentCustomGroupBoxPaintsOnlyItsHandler)
{
    auto* g = new TSkGroupBox(form.get());
    g->SetGroupStyle(gsCustom);
    g->SetTransparent(true);
    int paints = 0;
    g->OnPaint = [&](TControl*, TCanvas&) { ++paints; };
    QImage img(g->size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    g->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(img.pixelColor(10, 10).alpha(), 0);
    g->SetTransparent(false);
    g->SetColor(0x898989);
    g->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(FromQColor(img.pixelColor(0, 0)), TColor(0x898989));
    EXPECT_EQ(FromQColor(img.pixelColor(g->Width() - 1, g->Height() - 1)), TColor(0x898989));
}

TEST_F(Panels, ClientInsetsAndEnabledMemory)
{
    auto* g = new TSkGroupBox(form.get());
    g->SetGroupStyle(gsCustom);
    EXPECT_EQ(g->ClientArea(), Rect(2, 2, g->Width() - 2, g->Height() - 2));
    g->SetCaption(QStringLiteral("Gate"));
    EXPECT_GT(g->ClientArea().Top, 2);
    auto* p = new TSkPanel(form.get());
    EXPECT_EQ(p->ClientArea(), Rect(2, 2, p->Width() - 2, p->Height() - 2)); // raised outer border
    auto* on = new TControl(p);
    auto* off = new TControl(p);
    off->SetEnabled(false);
    p->SetEnabled(false);
    EXPECT_FALSE(on->Enabled());
    p->SetEnabled(true);
    EXPECT_TRUE(on->Enabled());
    EXPECT_FALSE(off->Enabled());
}

TEST_F(Panels, CaptionFontFollowsUntilChanged)
{
    auto* g = new TSkGroupBox(form.get());
    g->Font().SetSize(14);
    EXPECT_EQ(g->CaptionFont().Size(), 14);
    g->CaptionFont().SetSize(9);
    g->Font().SetSize(20);
    EXPECT_EQ(g->CaptionFont().Size(), 9);
}

using Labels = Fixture;

TEST_F(Labels, AngleRotationAndZeroRadiusCurve)
{
    auto* l = new TSkLabel(form.get());
    struct Case {
        const char* name;
        int in, want;
    };
    for (const Case& c : {Case{"negative", -90, 270}, Case{"past a turn", 450, 90}, Case{"plain", 45, 45}}) {
        SCOPED_TRACE(c.name);
        l->SetAngle(c.in);
        EXPECT_EQ(l->Angle(), c.want);
    }
    EXPECT_EQ(l->Rotation(), roFlat);
    l->SetRotation(roNone);
    l->SetRotation(roFlat);
    EXPECT_EQ(l->Angle(), 0);
    l->SetAutoSize(false);
    l->SetCaption(QStringLiteral("Curved"));
    l->SetRotation(roCurve);
    l->SetBorderWidth(40);
    l->SetBounds(0, 0, 20, 10);
    const QImage img = l->Render(); // radius below zero: straight text, no division
    EXPECT_FALSE(img.isNull());
}

// Curved text: each character stands with its baseline centre on the point of the arc, so an "I" at the
// top of the arc (Angle 0) ends on the row above y = cy - (ry - h), centred on cx.
TEST_F(Labels, CurvedCharacterSitsOnItsBaselinePoint)
{
    struct Case {
        const char* name;
        TCenterPoint centre;
        int border, width, height;
        int cx, baselineBelowH; // y of the baseline minus the height of "Yy"
    };
    const Case cases[] = {
        {"lower centre", cpLowerCenter, 0, 40, 60, 20, 0},
        {"lower centre, border 3", cpLowerCenter, 3, 40, 60, 20, 3},
        {"centre, border 3", cpCenter, 3, 50, 80, 25, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* l = new TSkLabel(form.get());
        l->SetAutoSize(false);
        l->SetCaption(QStringLiteral("I"));
        l->Font().SetColor(clBlack);
        l->SetColor(clWhite);
        l->SetRotation(roCurve);
        l->SetCenterPoint(c.centre);
        l->SetBorderWidth(c.border);
        l->SetBounds(0, 0, c.width, c.height);
        const QImage img = l->Render();
        QImage probe(1, 1, QImage::Format_RGB32);
        QPainter p(&probe);
        TCanvas canvas(p);
        canvas.Font.Assign(l->Font());
        const int baseline = canvas.TextHeight(QStringLiteral("Yy")) + c.baselineBelowH;
        int lowest = -1, left = c.width, right = -1;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                if (qGray(img.pixel(x, y)) < 96) {
                    lowest = y;
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        EXPECT_EQ(lowest, baseline - 1);
        EXPECT_LE(std::abs((left + right + 1) / 2 - c.cx), 1);
        delete l;
    }
}

TEST_F(Labels, FlyByRestoresTheColourExactly)
{
    auto* l = new TSkLabel(form.get());
    l->Font().SetColor(0x123456);
    l->SetFlyByEnabled(true);
    l->SetFlyByColor(clRed);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(l, &enter);
    EXPECT_EQ(l->CurrentColor(), clRed);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(l, &leave);
    EXPECT_EQ(l->CurrentColor(), TColor(0x123456));
}

using PushButton = Fixture;

TEST_F(PushButton, SpaceClicksOnceAndFocusLossCancels)
{
    auto* b = new TSkButton(form.get());
    int clicks = 0;
    b->OnClick = [&](TControl*) { ++clicks; };
    Key(b, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    Key(b, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    EXPECT_EQ(clicks, 1);
    Press(b, 3, 3);
    Release(b, b->Width(), 3);
    EXPECT_EQ(clicks, 1);
    ClickAt(b, 3, 3);
    EXPECT_EQ(clicks, 2);
}

TEST_F(PushButton, ShapeButtonBevelAndPreciseHits)
{
    auto* s = new TSkShapeButton(form.get());
    s->SetBevelWidth(5);
    EXPECT_EQ(s->BevelWidth(), 2);
    s->SetBitmap(SkinShape(30, 30));
    EXPECT_EQ(s->Width(), 34);
    EXPECT_TRUE(s->PtInMask(15, 15));
    EXPECT_FALSE(s->PtInMask(0, 29));
    int clicks = 0;
    s->OnClick = [&](TControl*) { ++clicks; };
    ClickAt(s, 0, 29);
    EXPECT_EQ(clicks, 0);
    ClickAt(s, 15, 15);
    EXPECT_EQ(clicks, 1);
}

// Bevel rings around an 8 x 8 square (two bevel rings and the border ring): lit from the upper left in
// the up picture, from the lower right in the down picture, which leaves out the outer lower-right ring.
TEST_F(PushButton, ShapeButtonBevelRingsLitFromEachSide)
{
    QImage shape(24, 24, QImage::Format_RGB32);
    shape.fill(ToQColor(clFuchsia));
    for (int y = 8; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            shape.setPixelColor(x, y, ToQColor(clNavy));
    auto* s = new TSkShapeButton(form.get());
    s->SetBitmap(shape);
    const TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
    const TColor border = ColorToRGB(cl3DDkShadow), none = clFuchsia;
    struct Case {
        const char* name;
        int x, y;
        TColor up, down;
    };
    const Case cases[] = {
        {"left side, ring 1", 7, 11, light, dark},     {"left side, ring 2", 6, 11, light, dark},
        {"left side, border", 5, 11, border, border},  {"top side, ring 1", 11, 7, light, dark},
        {"top side, ring 2", 11, 6, light, dark},      {"upper-left corner", 7, 7, light, dark},
        {"right side, ring 1", 16, 11, dark, light},   {"right side, ring 2", 17, 11, dark, light},
        {"right side, border", 18, 11, border, none},  {"bottom side, ring 1", 11, 16, dark, light},
        {"bottom side, border", 11, 18, border, none}, {"upper-right corner", 16, 7, dark, light},
        {"lower-left corner", 7, 16, dark, light},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FromQColor(s->BitmapUp().pixelColor(c.x, c.y)), c.up);
        EXPECT_EQ(FromQColor(s->BitmapDown().pixelColor(c.x, c.y)), c.down);
    }
}

// Accelerator keys: a caption's "&" letter clicks its button from anywhere in the window with Alt, and
// without Alt while the focus is on a control that takes no typed characters; a combo box keeps its
// letters. Hidden, disabled and other windows' buttons are left alone; "&&" marks nothing.
TEST_F(PushButton, AcceleratorKeysClickTheirButtons)
{
    std::vector<std::string> clicks;
    const auto counted = [&](TControl* c, const char* caption) {
        c->SetCaption(QString::fromUtf8(caption));
        c->OnClick = [&clicks, caption](TControl*) { clicks.emplace_back(caption); };
    };
    auto* push = new TSkButton(form.get());
    counted(push, "&Ok");
    auto* bmp = Button(form.get(), 0);
    counted(bmp, "&Bitmap");
    auto* shape = new TSkShapeButton(form.get());
    shape->SetBitmap(SkinShape(30, 30));
    counted(shape, "&Shape");
    auto* power = new TLedPowerButton(form.get());
    counted(power, "&Power");
    auto* demo = new TLedDemoButton(form.get());
    counted(demo, "&Demo");
    auto* hidden = new TSkButton(form.get());
    counted(hidden, "&Hidden");
    hidden->SetVisible(false);
    auto* disabled = new TSkBmpButton(form.get());
    counted(disabled, "&Xoff");
    disabled->SetEnabled(false);
    auto* doubled = new TSkButton(form.get());
    counted(doubled, "A&&mp");
    auto* group = new TSkGroupBox(form.get());
    group->SetCaption(QStringLiteral("&Group"));
    auto* inGroup = new TSkButton(group);
    inGroup->SetTabStop(true);
    auto* combo = new TSkComboBox(form.get());
    combo->SetTabStop(true);
    auto* other = new TForm();
    other->show();
    auto* elsewhere = new TSkButton(other);
    counted(elsewhere, "&Elsewhere");
    QApplication::processEvents();

    struct Case {
        const char* name;
        QWidget* at;
        int key;
        bool alt;
        std::vector<std::string> clicked;
    };
    const Case cases[] = {
        {"Alt with the letter", push, Qt::Key_O, true, {"&Ok"}},
        {"any case", push, Qt::Key_B, false, {"&Bitmap"}},
        {"shape button", push, Qt::Key_S, false, {"&Shape"}},
        {"power button clicks, its state stays", push, Qt::Key_P, false, {"&Power"}},
        {"demo button", push, Qt::Key_D, false, {"&Demo"}},
        {"hidden button", push, Qt::Key_H, true, {}},
        {"disabled button", push, Qt::Key_X, true, {}},
        {"doubled ampersand", push, Qt::Key_M, true, {}},
        {"another window's button", push, Qt::Key_E, true, {}},
        {"a combo box keeps plain letters", combo, Qt::Key_O, false, {}},
        {"but not Alt ones", combo, Qt::Key_O, true, {"&Ok"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clicks.clear();
        const bool active = power->Active();
        const QString text = QString(QChar(char16_t(c.alt ? c.key : c.key + 32)));
        QKeyEvent e(QEvent::KeyPress, c.key, c.alt ? Qt::AltModifier : Qt::NoModifier, text);
        QApplication::sendEvent(c.at, &e);
        EXPECT_EQ(clicks, c.clicked);
        EXPECT_EQ(power->Active(), active);
    }
    delete other;
    // The group box's letter moves the focus to its first control.
    push->SetFocus();
    QKeyEvent g(QEvent::KeyPress, Qt::Key_G, Qt::AltModifier, QStringLiteral("g"));
    QApplication::sendEvent(push, &g);
    EXPECT_EQ(form->focusWidget(), inGroup);
}
