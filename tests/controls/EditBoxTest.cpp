// Rounded edit box: fixed height and inner-edit layout, text set from code without events, keys with
// the key variable passed through (Enter and Escape included, each seen once), exit on focus moves
// but not on deactivation or popups, rim and button clicks, colour and enabled pass-through.
#include "controls/smooth/RoundEdit.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QtTest/QTest>
#include <algorithm>
#include <string>
#include <vector>

using namespace fx;
using namespace testapp;

namespace
{

class RoundEditTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        testapp::EnsureApp();
        window = std::make_unique<QWidget>();
        window->resize(200, 120);
        edit = new TRoundEdit(window.get());
        other = new TRoundEdit(window.get());
        for (TRoundEdit* e : {edit, other}) {
            e->SetRounding(6);
            e->SetTabStop(true);
            e->Controls().Update(); // as the layout reader's streaming does
        }
        edit->SetName(QStringLiteral("cvdEqGainInA"));
        edit->SetBounds(10, 10, 58, 24);
        other->SetBounds(10, 50, 58, 24);
        edit->SetText(QStringLiteral("+0.0dB"));
        window->show();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
        edit->OnKeyDown = [this](fw::TControl* s, fw::Word& key, fw::TShiftState) {
            log.push_back("down " + std::to_string(key) + (s == edit ? "" : " wrong sender"));
            if (clearKey && key == clearKey)
                key = 0;
        };
        edit->OnChange = [this](fw::TControl* s) {
            log.push_back(s == edit ? "change" : "change wrong sender");
        };
        edit->OnExit = [this](fw::TControl* s) { log.push_back(s == edit ? "exit" : "exit wrong sender"); };
        edit->OnEnter = [this](fw::TControl* s) {
            log.push_back(s == edit ? "enter" : "enter wrong sender");
        };
        edit->OnClick = [this](fw::TControl*) { log.push_back("click"); };
        edit->OnMouseDown = [this](fw::TControl*, fw::TMouseButton, fw::TShiftState, int, int) {
            log.push_back("mousedown");
        };
    }
    void Type(int key, const QString& text = {})
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(edit->InnerEdit(), &e);
    }
    std::unique_ptr<QWidget> window;
    TRoundEdit* edit = nullptr;
    TRoundEdit* other = nullptr;
    std::vector<std::string> log;
    fw::Word clearKey = 0;
};

} // namespace

TEST_F(RoundEditTest, HeightIsAlways24AndInnerEditSitsInsideTheRim)
{
    EXPECT_EQ(edit->Height(), 24);
    edit->SetHeight(40);
    EXPECT_EQ(edit->Height(), 24);
    edit->SetBounds(10, 10, 58, 40);
    EXPECT_EQ(edit->Height(), 24);
    EXPECT_EQ(edit->Width(), 58);
    EXPECT_EQ(edit->InnerEdit()->geometry(), QRect(6, 5, 44, 18));
    edit->SetWidth(70);
    EXPECT_EQ(edit->InnerEdit()->geometry(), QRect(6, 5, 56, 18));
    EXPECT_EQ(edit->Version(), "1.0.3.1");
}

TEST_F(RoundEditTest, TextFromCodeFiresOnlyTheEditsChange)
{
    other->SetFocus();
    edit->SetFocus();
    QApplication::processEvents();
    log.clear();
    edit->SetText(QStringLiteral("19.7Hz"));
    EXPECT_EQ(edit->Text(), QStringLiteral("19.7Hz"));
    edit->SetText(QStringLiteral("19.7Hz"));
    EXPECT_EQ(log, (std::vector<std::string>{"change"}))
        << "no key, exit or click events; same text: nothing";
}

TEST_F(RoundEditTest, KeysReachTheOwnerOnceWithTheKeyVariable)
{
    struct Case {
        const char* name;
        int qtKey;
        const char* text;
        fw::Word clear;
        std::vector<std::string> log;
        const char* after;
    };
    const Case cases[] = {
        {"Enter takes the value", Qt::Key_Return, "\r", 0, {"down 13"}, "12"},
        {"Escape", Qt::Key_Escape, "\x1b", 0, {"down 27"}, "12"},
        {"arrow up", Qt::Key_Up, "", 0, {"down 38"}, "12"},
        {"a digit is typed", Qt::Key_3, "3", 0, {"down 51", "change"}, "123"},
        {"a cleared key is not typed", Qt::Key_3, "3", 0x33, {"down 51"}, "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        edit->SetText(QStringLiteral("12"));
        edit->InnerEdit()->setCursorPosition(2);
        clearKey = c.clear;
        log.clear();
        Type(c.qtKey, QString::fromLatin1(c.text));
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(edit->Text(), QString::fromLatin1(c.after));
    }
}

TEST_F(RoundEditTest, KeyPressCanReplaceTheCharacter)
{
    edit->SetText(QString());
    edit->OnKeyPress = [](fw::TControl*, QChar& ch) {
        if (ch == QLatin1Char(','))
            ch = QLatin1Char('.');
    };
    Type(Qt::Key_1, QStringLiteral("1"));
    Type(Qt::Key_Comma, QStringLiteral(","));
    Type(Qt::Key_5, QStringLiteral("5"));
    EXPECT_EQ(edit->Text(), QStringLiteral("1.5"));
}

TEST_F(RoundEditTest, ExitFiresWhenFocusMovesToAnotherControl)
{
    other->SetFocus();
    QApplication::processEvents();
    log.clear();
    edit->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"enter"}));
    log.clear();
    other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(log, (std::vector<std::string>{"exit"}));
}

TEST_F(RoundEditTest, NoExitOnDeactivationOrPopup)
{
    edit->SetFocus();
    QApplication::processEvents();
    log.clear();
    {
        SCOPED_TRACE("window deactivated");
        QApplication::setActiveWindow(nullptr);
        QApplication::processEvents();
        QApplication::setActiveWindow(window.get());
        edit->SetFocus();
        QApplication::processEvents();
        EXPECT_TRUE(log.empty());
    }
    {
        SCOPED_TRACE("popup menu");
        QMenu menu;
        menu.addAction(QStringLiteral("Item"));
        menu.popup(window->mapToGlobal(QPoint(20, 20)));
        QApplication::processEvents();
        menu.close();
        QApplication::processEvents();
        edit->SetFocus();
        QApplication::processEvents();
        EXPECT_TRUE(log.empty());
    }
}

TEST_F(RoundEditTest, RimPressFiresNoEditEvents)
{
    log.clear();
    testapp::Press(edit, 2, 12);
    testapp::Release(edit, 2, 12);
    EXPECT_TRUE(log.empty());
    testapp::Press(edit->InnerEdit(), 5, 5);
    testapp::Release(edit->InnerEdit(), 5, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"mousedown", "click"}));
}

TEST_F(RoundEditTest, ImageListButtonsTakeTheCellSizeAndDrawTheirIndex)
{
    edit->SetColor(fw::clWhite);
    TRoundControl* button = edit->Controls().Add();
    auto* list = new fw::TCustomImageList(8, 8);
    for (QColor c : {QColor(Qt::red), QColor(Qt::blue)}) {
        QImage cell(8, 8, QImage::Format_RGB32);
        cell.fill(c);
        list->Add(cell);
    }
    edit->SetImages(list);
    button->SetImageIndex(0);
    button->SetImageIndexHover(1);
    // Right inner size 2 + 10; start 58 - 12 - 3 = 43, strictly inside 44 .. 52; top (24 - 8) / 2 = 8.
    EXPECT_EQ(edit->ControlAt(43), -1);
    EXPECT_EQ(edit->ControlAt(44), 0);
    EXPECT_EQ(edit->ControlAt(52), 0);
    EXPECT_EQ(edit->ControlAt(53), -1);
    struct Case {
        const char* name;
        TControlState state;
        QColor colour;
    };
    const Case cases[] = {{"normal: ImageIndex", csNormal, Qt::red},
                          {"hover: ImageIndexHover", csHover, Qt::blue},
                          {"down without ImageIndexDown: ImageIndex", csDown, Qt::red}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        button->SetState(c.state);
        const QImage img = edit->grab().toImage();
        EXPECT_EQ(QColor(img.pixel(47, 12)), c.colour);
    }
    delete list;
    EXPECT_EQ(edit->Images(), nullptr);
    // A button without list or picture is 2 wide: start 58 - 4 - 3 = 51.
    EXPECT_EQ(edit->ControlAt(44), -1);
    EXPECT_EQ(edit->ControlAt(52), 0);
}

TEST_F(RoundEditTest, ButtonClicksOnlyWhenReleasedOverItself)
{
    TRoundControl* button = edit->Controls().Add();
    QImage glyph(10, 10, QImage::Format_ARGB32);
    glyph.fill(Qt::black);
    button->Picture().AssignBitmap(glyph);
    // Right inner size 2 + 12; start 58 - 14 - 3 = 41; inside strictly 42 .. 52.
    EXPECT_EQ(edit->ControlAt(41), -1);
    EXPECT_EQ(edit->ControlAt(42), 0);
    EXPECT_EQ(edit->ControlAt(52), 0);
    EXPECT_EQ(edit->ControlAt(53), -1);
    std::vector<int> clicks;
    edit->OnControlClick = [&](fw::TControl*, int index) { clicks.push_back(index); };
    testapp::Press(edit, 45, 12);
    EXPECT_EQ(button->State(), csDown);
    testapp::Release(edit, 45, 12);
    EXPECT_EQ(clicks, std::vector<int>{0});
    EXPECT_EQ(button->State(), csNormal);
    testapp::Press(edit, 45, 12);
    testapp::Release(edit, 2, 12);
    EXPECT_EQ(clicks, std::vector<int>{0}) << "released over the rim";
    EXPECT_EQ(button->State(), csNormal) << "no button stays down";
}

TEST_F(RoundEditTest, ColourAndEnabledGoToTheInnerEdit)
{
    edit->SetColor(fw::clWhite);
    EXPECT_EQ(edit->InnerEdit()->palette().color(QPalette::Base), QColor(Qt::white));
    edit->SetColor(0xFFFFDF);
    EXPECT_EQ(edit->InnerEdit()->palette().color(QPalette::Base), QColor(0xDF, 0xFF, 0xFF));
    edit->SetEnabled(false);
    EXPECT_FALSE(edit->InnerEdit()->isEnabled());
    EXPECT_TRUE(edit->isEnabled()) << "the panel keeps drawing normally";
    EXPECT_FALSE(edit->Enabled());
    edit->SetReadOnly(true);
    EXPECT_TRUE(edit->InnerEdit()->isReadOnly());
}

TEST_F(RoundEditTest, DisabledTextIsGreyEnabledTextKeepsTheFontColour)
{
    struct Case {
        const char* name;
        bool enabled;
        int darkestMin, darkestMax; // the darkest grey level of the text's pixels
    };
    const Case cases[] = {{"enabled: black font", true, 0, 40}, {"disabled: system grey", false, 100, 160}};
    edit->Font().SetColor(fw::clBlack);
    edit->SetColor(fw::clWhite);
    edit->SetText(QStringLiteral("888"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        edit->SetEnabled(c.enabled);
        QApplication::processEvents();
        const QImage img = edit->InnerEdit()->grab().toImage();
        int darkest = 255;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                darkest = std::min(darkest, qGray(img.pixel(x, y)));
        EXPECT_GE(darkest, c.darkestMin);
        EXPECT_LE(darkest, c.darkestMax);
    }
}

TEST_F(RoundEditTest, HeldKeyReleasesOnce)
{
    std::vector<std::string> ups;
    edit->OnKeyUp = [&](fw::TControl*, fw::Word& key, fw::TShiftState) {
        ups.push_back("up " + std::to_string(key));
    };
    for (bool autoRepeat : {true, true, false}) {
        QKeyEvent e(QEvent::KeyRelease, Qt::Key_Up, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(edit->InnerEdit(), &e);
    }
    EXPECT_EQ(ups, std::vector<std::string>{"up 38"});
}

TEST_F(RoundEditTest, PaintShowsTheParentThroughTheCornersAndTheBorderColour)
{
    QPalette pal;
    pal.setColor(QPalette::Window, Qt::black);
    window->setPalette(pal);
    window->setAutoFillBackground(true);
    edit->SetColor(fw::clWhite);
    edit->SetBorderColor(0x0000FF);
    const QImage img = window->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(10, 10)), QColor(Qt::black)) << "corner outside the rounded shape";
    EXPECT_GT(QColor(img.pixel(10, 22)).red(), 100) << "left border";
    EXPECT_EQ(QColor(img.pixel(13, 30)), QColor(Qt::white)) << "face below the inner edit";
}

TEST(EmptyEdit, GreyHintWhileEmptyAlsoWithFocus)
{
    testapp::EnsureApp();
    QWidget window;
    window.resize(120, 40);
    auto* edit = new TRoundEdit(&window);
    edit->SetBounds(0, 0, 100, 24);
    edit->SetColor(fw::clWhite);
    edit->SetEmptyText(QStringLiteral("WWWW"));
    window.show();
    QApplication::setActiveWindow(&window);
    edit->SetFocus();
    QApplication::processEvents();
    auto greyPixels = [&] {
        const QImage img = edit->InnerEdit()->grab().toImage();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c(img.pixel(x, y));
                n += c.red() > 60 && c.red() < 200 && std::abs(c.red() - c.blue()) < 20 &&
                     std::abs(c.red() - c.green()) < 20;
            }
        return n;
    };
    EXPECT_GT(greyPixels(), 5);
    edit->SetText(QStringLiteral(" "));
    EXPECT_EQ(greyPixels(), 0);
}

// The hint stands on the line that typed text takes (the edit centres its line in its 18 pixels), at x 3
// whatever the alignment.
TEST(EmptyEdit, HintSharesTheLineOfTypedText)
{
    testapp::EnsureApp();
    QWidget window;
    window.resize(120, 40);
    auto* edit = new TRoundEdit(&window);
    edit->SetBounds(0, 0, 100, 24);
    edit->SetColor(fw::clWhite);
    edit->SetAlignment(taCenter);
    window.show();
    QApplication::processEvents();
    struct Ink {
        int top = -1, bottom = -1, left = 1000;
    };
    auto inkOf = [&] {
        const QImage img = edit->InnerEdit()->grab().toImage();
        Ink ink;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) < 200) {
                    if (ink.top < 0)
                        ink.top = y;
                    ink.bottom = y;
                    ink.left = std::min(ink.left, x);
                }
        return ink;
    };
    edit->SetText(QStringLiteral("8"));
    const Ink typed = inkOf();
    edit->SetText(QString());
    edit->SetEmptyText(QStringLiteral("8"));
    const Ink hint = inkOf();
    ASSERT_GE(typed.top, 0);
    ASSERT_GE(hint.top, 0);
    EXPECT_EQ(hint.top, typed.top);
    EXPECT_EQ(hint.bottom, typed.bottom);
    EXPECT_LE(hint.left, 5);
}

namespace
{

struct EditBox : ::testing::Test {
    void SetUp() override
    {
        EnsureApp();
        form = std::make_unique<fw::TForm>();
        form->resize(300, 100);
        edit = new TRoundEdit(form.get());
        edit->SetName("cvdEqGainInA");
        edit->SetBounds(10, 10, 58, 24);
        edit->SetRounding(6);
        edit->SetAlignment(taCenter);
        other = new TRoundEdit(form.get());
        other->SetBounds(100, 10, 58, 24);
    }
    void Type(const QString& text, int key = 0)
    {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(edit->InnerEdit(), &e);
    }
    std::unique_ptr<fw::TForm> form;
    TRoundEdit* edit = nullptr;
    TRoundEdit* other = nullptr;
};

TEST_F(EditBox, KeepsItsHeightAndPlacesTheInnerEdit)
{
    edit->SetBounds(10, 10, 58, 40);
    EXPECT_EQ(edit->Height(), 24);
    EXPECT_EQ(edit->InnerEdit()->geometry(), QRect(6, 5, 44, 18));
    edit->SetBounds(10, 10, 70, 24);
    EXPECT_EQ(edit->InnerEdit()->geometry(), QRect(6, 5, 56, 18));
    EXPECT_EQ(edit->Version(), "1.0.3.1");
    EXPECT_EQ(form->Find<TRoundEdit>("CVDEQGAININA"), edit);
}

TEST_F(EditBox, ChangedTextFiresChangeOnceFromCodeOrTyping)
{
    std::vector<QString> changes;
    edit->OnChange = [&](fw::TControl* sender) {
        EXPECT_EQ(sender, edit);
        changes.push_back(edit->Text());
    };
    edit->SetText("+0.0dB");
    edit->SetText("+0.0dB"); // unchanged: nothing
    EXPECT_EQ(edit->InnerEdit()->text(), "+0.0dB");
    edit->InnerEdit()->setCursorPosition(6);
    Type("x");
    EXPECT_EQ(changes, (std::vector<QString>{"+0.0dB", "+0.0dBx"}));
}

TEST_F(EditBox, ColourAndEnabledActOnTheInnerEdit)
{
    edit->SetColor(0xFFFFDF);
    EXPECT_EQ(edit->InnerEdit()->palette().color(QPalette::Base), fw::ToQColor(0xFFFFDF));
    edit->SetEnabled(false);
    EXPECT_FALSE(edit->InnerEdit()->isEnabled());
    EXPECT_TRUE(edit->isEnabled()); // the rounded panel still draws normally
}

TEST_F(EditBox, KeyDownReachesTheOwnerOnceAndCanSwallowTheKey)
{
    std::vector<std::string> log;
    edit->OnKeyDown = [&](fw::TControl* sender, fw::Word& key, fw::TShiftState) {
        EXPECT_EQ(sender, edit);
        log.push_back("key " + std::to_string(key));
        if (key == fw::VK_UP)
            key = 0;
    };
    edit->SetText("12");
    edit->InnerEdit()->setCursorPosition(2);
    Key(edit->InnerEdit(), Qt::Key_Return);
    Key(edit->InnerEdit(), Qt::Key_Escape);
    Key(edit->InnerEdit(), Qt::Key_Up);
    Type("3", Qt::Key_3);
    EXPECT_EQ(log, (std::vector<std::string>{"key 13", "key 27", "key 38", "key 51"}));
    EXPECT_EQ(edit->Text(), "123");
}

TEST_F(EditBox, KeyPressCanChangeOrDropTheCharacter)
{
    edit->OnKeyPress = [](fw::TControl*, QChar& ch) {
        if (ch == u'x')
            ch = QChar();
        else if (ch == u',')
            ch = u'.';
    };
    for (const char* t : {"1", ",", "x", "5"})
        Type(QString::fromLatin1(t));
    EXPECT_EQ(edit->Text(), "1.5");
}

TEST_F(EditBox, RimClicksFireNothingButtonsClickOnReleaseOverThemselves)
{
    int clicks = 0, downs = 0;
    std::vector<int> controlClicks;
    edit->OnClick = [&](fw::TControl*) { ++clicks; };
    edit->OnMouseDown = [&](fw::TControl*, fw::TMouseButton, fw::TShiftState, int, int) { ++downs; };
    edit->OnControlClick = [&](fw::TControl*, int index) { controlClicks.push_back(index); };
    Press(edit, 2, 12);
    Release(edit, 2, 12);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(downs, 0);
    QImage dot(10, 10, QImage::Format_ARGB32);
    dot.fill(Qt::blue);
    edit->SetBounds(10, 10, 120, 24);
    TRoundControl* a = edit->Controls().Add();
    a->Picture().AssignBitmap(dot);
    TRoundControl* b = edit->Controls().Add();
    b->Picture().AssignBitmap(dot);
    // Right-inner buttons start at Width - right outer - right inner - Rounding div 2.
    const int startA = 120 - 0 - (2 + 12 + 12) - 3;
    int leftA = 0, leftB = 0;
    ASSERT_EQ(edit->ControlAt(startA + 4, &leftA), 0);
    ASSERT_EQ(edit->ControlAt(startA + 12 + 4, &leftB), 1);
    EXPECT_EQ(edit->ControlAt(startA), -1); // the left edge itself is outside
    Press(edit, leftA + 4, 12);
    EXPECT_EQ(a->State(), csDown);
    Release(edit, leftA + 4, 12);
    EXPECT_EQ(controlClicks, (std::vector<int>{0}));
    EXPECT_EQ(a->State(), csNormal);
    // Press on one button and release on the other: neither clicks, neither stays down.
    Press(edit, leftA + 4, 12);
    Release(edit, leftB + 4, 12);
    EXPECT_EQ(controlClicks, (std::vector<int>{0}));
    EXPECT_EQ(a->State(), csNormal);
    EXPECT_EQ(b->State(), csNormal);
    EXPECT_EQ(edit->InnerEdit()->width(), 120 - 12 - (2 + 24));
}

} // namespace

// Until it is used, an edit box draws its text itself; what it draws is what its inner edit draws, and the
// inner edit, once made, takes the box's place in the tab order and the press that made it.
namespace
{

struct LazyEditCase {
    const char* name;
    const char* text;
    TAlignment alignment;
    int width;
    int fontPixels;
    bool enabled;
    bool readOnly;
    bool drawn; // by the box, with no inner edit
};

void ConfigureLazyEdit(TRoundEdit& e, const LazyEditCase& c, int y)
{
    e.SetBounds(4, y, c.width, 24);
    e.SetRounding(6);
    e.SetBorderColor(fw::clHighlightText);
    e.Font().SetName(QStringLiteral("Tahoma"));
    e.Font().SetHeight(-c.fontPixels);
    e.Font().SetColor(0x402010);
    e.SetAlignment(c.alignment);
    e.SetColor(fw::clWhite);
    e.SetText(QString::fromUtf8(c.text));
    e.SetEnabled(c.enabled);
    e.SetReadOnly(c.readOnly);
}

} // namespace

TEST(LazyRoundEdit, DrawsItsTextAsTheInnerEditDoes)
{
    testapp::EnsureApp();
    const LazyEditCase cases[] = {
        {"centred gain in a narrow box", "+0.0dB", taCenter, 58, 10, true, false, true},
        {"centred wide box", "19.7Hz", taCenter, 120, 11, true, false, true},
        {"left", "-12.5 ms", taLeftJustify, 90, 11, true, false, true},
        {"right", "1", taRightJustify, 70, 11, true, false, true},
        {"descenders and odd width", "Wgjy 7", taCenter, 77, 11, true, false, true},
        {"disabled", "+20.0dB", taCenter, 64, 10, false, false, true},
        {"read-only", "Out 1", taLeftJustify, 64, 11, true, true, true},
        {"empty", "", taCenter, 58, 11, true, false, true},
        {"wider than the box, scrolled to its end", "+20.0dB and far more text", taCenter, 58, 11, true,
         false, true},
        {"not Latin", "\xce\xa9 \xc2\xb5s", taCenter, 80, 11, true, false, true},
        {"right to left", "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d", taCenter, 80, 11, true, false, false},
    };
    for (const LazyEditCase& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        window.resize(200, 110);
        auto* drawn = new TRoundEdit(&window);
        auto* madeFirst = new TRoundEdit(&window);
        madeFirst->InnerEdit();
        auto* madeAfter = new TRoundEdit(&window);
        ConfigureLazyEdit(*drawn, c, 4);
        ConfigureLazyEdit(*madeFirst, c, 40);
        ConfigureLazyEdit(*madeAfter, c, 76);
        madeAfter->InnerEdit();
        QCursor::setPos(1000, 1000); // the pointer over a box would make its edit
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
        const QImage expected = madeFirst->grab().toImage();
        EXPECT_EQ(drawn->findChildren<QLineEdit*>().size(), c.drawn ? 0 : 1) << "drawn by the box";
        EXPECT_EQ(drawn->grab().toImage(), expected);
        EXPECT_EQ(madeAfter->grab().toImage(), expected);
        EXPECT_EQ(drawn->Text(), QString::fromUtf8(c.text));
        EXPECT_EQ(drawn->Enabled(), c.enabled);
        EXPECT_EQ(drawn->ReadOnly(), c.readOnly);
    }
}

TEST(LazyRoundEdit, TabVisitsTheEditsInTheirPlace)
{
    testapp::EnsureApp();
    QWidget window;
    window.resize(300, 200);
    std::vector<TRoundEdit*> edits;
    for (int i = 0; i < 4; ++i) {
        auto* e = new TRoundEdit(&window);
        e->SetBounds(4, 4 + 30 * i, 80, 24);
        e->SetText(QStringLiteral("value %1").arg(i));
        e->SetTabStop(i != 2);
        edits.push_back(e);
    }
    auto* after = new QLineEdit(&window);
    after->setGeometry(4, 130, 80, 20);
    edits[3]->InnerEdit(); // made out of order
    window.show();
    QApplication::setActiveWindow(&window);
    edits[0]->SetFocus();
    QApplication::processEvents();
    struct Step {
        const char* name;
        int key;
        QWidget* expected;
    };
    const Step steps[] = {
        {"Tab to the second", Qt::Key_Tab, edits[1]->InnerEdit()},
        {"past the edit that is no tab stop to the one made first", Qt::Key_Tab, edits[3]->InnerEdit()},
        {"then to the plain edit after it", Qt::Key_Tab, after},
        {"back", Qt::Key_Backtab, edits[3]->InnerEdit()},
        {"back again", Qt::Key_Backtab, edits[1]->InnerEdit()},
        {"back to the first", Qt::Key_Backtab, edits[0]->InnerEdit()},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        testapp::Key(QApplication::focusWidget(), s.key);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), s.expected);
    }
}

TEST(LazyRoundEdit, TabIntoAnEditNotYetMadeSelectsItsText)
{
    testapp::EnsureApp();
    QWidget window;
    window.resize(200, 80);
    auto* first = new TRoundEdit(&window);
    auto* second = new TRoundEdit(&window);
    second->SetBounds(4, 40, 80, 24);
    for (TRoundEdit* e : {first, second})
        e->SetTabStop(true);
    second->SetText(QStringLiteral("+1.5dB"));
    std::vector<std::string> log;
    second->OnEnter = [&](fw::TControl* s) { log.push_back(s == second ? "enter" : "enter wrong sender"); };
    window.show();
    QApplication::setActiveWindow(&window);
    first->SetFocus();
    QApplication::processEvents();
    testapp::Key(QApplication::focusWidget(), Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), second->InnerEdit());
    EXPECT_EQ(second->InnerEdit()->selectedText(), QStringLiteral("+1.5dB"));
    EXPECT_EQ(log, std::vector<std::string>{"enter"});
}

TEST(LazyRoundEdit, APressThatMakesTheEditIsTheEdits)
{
    testapp::EnsureApp();
    struct Case {
        const char* name;
        int x;
        bool enabled;
        std::vector<std::string> log;
        bool focused;
    };
    const Case cases[] = {
        {"on the text", 20, true, {"mousedown", "click"}, true},
        {"on the rim", 2, true, {}, false},
        {"on a disabled edit", 20, false, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget window;
        window.resize(200, 80);
        auto* edit = new TRoundEdit(&window);
        edit->SetBounds(4, 4, 80, 24);
        edit->SetText(QStringLiteral("12"));
        edit->SetEnabled(c.enabled);
        std::vector<std::string> log;
        edit->OnMouseDown = [&](fw::TControl* s, fw::TMouseButton, fw::TShiftState, int, int) {
            log.push_back(s == edit ? "mousedown" : "mousedown wrong sender");
        };
        edit->OnClick = [&](fw::TControl*) { log.push_back("click"); };
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
        // Through the window system, with no move before it: the box is picked before its edit is made.
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, edit->mapTo(&window, QPoint(c.x, 12)));
        QApplication::processEvents();
        EXPECT_EQ(log, c.log);
        EXPECT_EQ(QApplication::focusWidget() == edit->InnerEdit(), c.focused);
    }
}

TEST(LazyRoundEdit, TextSetBeforeTheEditIsMadeKeepsTheEditsRules)
{
    testapp::EnsureApp();
    QWidget window;
    auto* edit = new TRoundEdit(&window);
    int changes = 0;
    edit->OnChange = [&](fw::TControl*) { ++changes; };
    edit->SetMaxLength(4);
    edit->SetText(QStringLiteral("123456"));
    EXPECT_EQ(edit->Text(), QStringLiteral("1234"));
    edit->SetText(QStringLiteral("1234"));
    EXPECT_EQ(changes, 1) << "the same text again changes nothing";
    edit->SetCharCase(ecUpperCase);
    edit->SetText(QStringLiteral("ab"));
    edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(edit->Text(), QStringLiteral("AB"));
    changes = 0;
    EXPECT_EQ(edit->InnerEdit()->text(), QStringLiteral("AB"));
    EXPECT_EQ(edit->InnerEdit()->maxLength(), 4);
    EXPECT_EQ(edit->InnerEdit()->cursorPosition(), 2);
    EXPECT_EQ(changes, 0) << "making the edit is no change";
}
