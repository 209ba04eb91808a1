#include "TestApp.h"

#include "controls/smooth/RoundEdit.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace fx;
using namespace testapp;

namespace {

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
