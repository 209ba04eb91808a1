// The editor windows' controls: an edit's commit, Escape and Tab, the up-down's repeat and
// bounds, silent filling, the owner-drawn list with its drops and deletes, the pickers over a fake
// dialog service, and the dialog components' file-name rules.
#include "support/TestApp.h"

#include "FakeDialogs.h"

#include "chart/core/ChartError.h"
#include "chart/editor/EditorControls.h"
#include "chart/editor/EditorDialogs.h"
#include "chart/editor/PropertyBinding.h"
#include "chart/editor/ValueConverter.h"
#include "runtime/Timer.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace
{

using namespace chart;
using namespace testapp;
using charttest::FakeDialogs;

struct EditorAppFirst {
    EditorAppFirst() { EnsureApp(); }
};

// An editor window that counts its UserChange calls.
class CountingForm : public TcCustomEditorForm
{
  public:
    CountingForm() { resize(400, 300); }
    void UserChange() override { ++UserChanges; }
    int UserChanges = 0;
};

class EditorControls : public ::testing::Test
{
  protected:
    void ShowForm()
    {
        Form.show();
        Form.activateWindow();
        QApplication::setActiveWindow(&Form);
        QApplication::processEvents();
    }
    EditorAppFirst FApp;
    CountingForm Form;
};

TEST_F(EditorControls, EditCommitsOnEnterAndFocusLossAndEscapeRestores)
{
    auto* edit = new TcComponentEditorEdit(&Form);
    auto* other = new TcComponentEditorEdit(&Form);
    other->move(0, 40);
    int updates = 0;
    edit->OnUpdate = [&](TcComponentEditorEdit*) { ++updates; };
    edit->SetAsInteger(12);
    ShowForm();
    edit->setFocus();

    edit->setText(QStringLiteral("13"));
    Key(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("12"));
    EXPECT_EQ(updates, 0);
    EXPECT_EQ(Form.UserChanges, 0);

    edit->setText(QStringLiteral("13"));
    Key(edit, Qt::Key_Return);
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(Form.UserChanges, 1);
    EXPECT_EQ(edit->OriginalText(), QStringLiteral("13"));
    Key(edit, Qt::Key_Return);
    EXPECT_EQ(updates, 1) << "a second Enter commits nothing";

    edit->setText(QStringLiteral("14"));
    Key(edit, Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(updates, 2) << "leaving the edit commits";
    // Escape after the commit goes back to the committed text, not the first one.
    edit->setText(QStringLiteral("99"));
    Key(edit, Qt::Key_Escape);
    EXPECT_EQ(edit->text(), QStringLiteral("14"));
}

TEST_F(EditorControls, EditReadsNumbersSafely)
{
    TcComponentEditorEdit edit(&Form);
    struct Case {
        const char* text;
        int asInteger;
        double asFloat;
    } cases[] = {
        {"", 0, 0},
        {"abc", 0, 0},
        {" 42 ", 42, 42},
        {"-7", -7, -7},
        {"12.5", 0, 12.5},
        {"1,5", 0, 1.5},
        {"99999999999", INT_MAX, 99999999999.0},
        {"-999999999999999999999999", INT_MIN, -999999999999999999999999.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        edit.SetAsString(QString::fromLatin1(c.text));
        EXPECT_EQ(edit.AsInteger(), c.asInteger);
        EXPECT_DOUBLE_EQ(edit.AsFloat(), c.asFloat);
    }
    edit.SetAsString(QStringLiteral("abc"));
    EXPECT_THROW(edit.AsDateTime(), EChartError);
    edit.SetAsString(QStringLiteral("2023-03-15 18:00:00"));
    EXPECT_DOUBLE_EQ(edit.AsDateTime(), 45000.75);
    edit.SetAsDateTime(45000.75);
    EXPECT_EQ(edit.text(), QStringLiteral("2023-03-15 18:00:00"));
}

TEST_F(EditorControls, TabMovesAmongTabStopsBothWays)
{
    auto* first = new TcComponentEditorEdit(&Form);
    auto* skipped = new TcComponentEditorEdit(&Form);
    skipped->Disable();
    auto* box = new TcComponentEditorCheckBox(&Form);
    box->setFocusPolicy(Qt::StrongFocus);
    auto* combo = new TcComponentEditorComboBox(&Form);
    auto* button = new TcComponentEditorButton(&Form);
    ShowForm();
    first->setFocus();
    const std::vector<QWidget*> forward{box, combo, button, first};
    for (QWidget* want : forward) {
        Key(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), want) << want->metaObject()->className();
    }
    Key(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), button);
    Key(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), combo);
}

class UpDownTest : public EditorControls
{
  protected:
    UpDownTest()
    {
        Edit = new TcComponentEditorEdit(&Form);
        Edit->setGeometry(10, 10, 60, 21);
        Edit->OnUpdate = [this](TcComponentEditorEdit*) { ++Updates; };
        Spin = new TcUpDown(&Form);
        Spin->SetAssociate(Edit);
    }
    QPoint UpButton() const { return {7, 3}; }
    QPoint DownButton() const { return {7, Spin->height() - 4}; }
    fw::FakeTimerScope Time;
    TcComponentEditorEdit* Edit;
    TcUpDown* Spin;
    int Updates = 0;
};

TEST_F(UpDownTest, SitsBesideItsEditAndRepeatsAtOnceThenAfter500ThenEvery50)
{
    EXPECT_EQ(Spin->geometry(), QRect(70, 10, 15, 21));
    Edit->SetAsInteger(5);
    Press(Spin, UpButton().x(), UpButton().y());
    EXPECT_EQ(Edit->AsInteger(), 6);
    EXPECT_TRUE(Spin->UpPressed());
    Time.Fake.Advance(499);
    EXPECT_EQ(Edit->AsInteger(), 6);
    Time.Fake.Advance(1);
    EXPECT_EQ(Edit->AsInteger(), 7);
    Time.Fake.Advance(49);
    EXPECT_EQ(Edit->AsInteger(), 7);
    Time.Fake.Advance(1);
    EXPECT_EQ(Edit->AsInteger(), 8);
    Time.Fake.Advance(100);
    EXPECT_EQ(Edit->AsInteger(), 10);
    Release(Spin, UpButton().x(), UpButton().y());
    Time.Fake.Advance(1000);
    EXPECT_EQ(Edit->AsInteger(), 10);
    EXPECT_EQ(Updates, 5) << "each step is the user's";
    EXPECT_EQ(Form.UserChanges, 10) << "the shown value and its commit each tell the form";

    Press(Spin, DownButton().x(), DownButton().y());
    Release(Spin, DownButton().x(), DownButton().y());
    EXPECT_EQ(Edit->AsInteger(), 9);
}

TEST_F(UpDownTest, BoundsHoldUnlessBothAreZero)
{
    // Held for 1000 ms: a step at once, one after 500 ms and ten more at 50 ms, 12 in all.
    struct Case {
        const char* name;
        int min, max, increment, start;
        bool up;
        int heldMs, after;
    } cases[] = {
        {"Max 23 held stops at 23", 0, 23, 1, 20, true, 1000, 23},
        {"Min 0 held stops at 0", 0, 59, 1, 2, false, 1000, 0},
        {"no bounds go below 0", 0, 0, 1, 2, false, 1000, -10},
        {"no bounds go above 100", 0, 0, 100, 90, true, 1000, 1290},
        {"no bounds stop at the int range", 0, 0, 1000, INT_MAX - 1500, true, 1000, INT_MAX},
        {"no bounds stop at the int range going down", 0, 0, 1000, INT_MIN + 1500, false, 1000, INT_MIN},
        {"a value outside the bounds comes in at the first step", 0, 31, 1, 500, false, 0, 31},
        {"a negative Min", -5, 5, 1, 0, false, 1000, -5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Spin->SetMin(std::int16_t(c.min));
        Spin->SetMax(std::int16_t(c.max));
        Spin->SetIncrement(c.increment);
        Edit->SetAsInteger(c.start);
        const QPoint at = c.up ? UpButton() : DownButton();
        Press(Spin, at.x(), at.y());
        Time.Fake.Advance(c.heldMs);
        Release(Spin, at.x(), at.y());
        EXPECT_EQ(Edit->AsInteger(), c.after);
    }
    Spin->SetMax(23);
    Spin->SetAsInteger(40);
    EXPECT_EQ(Edit->text(), QStringLiteral("23"));

    delete Edit;
    EXPECT_EQ(Spin->Associate(), nullptr);
    Press(Spin, UpButton().x(), UpButton().y());
    Time.Fake.Advance(600);
    Release(Spin, UpButton().x(), UpButton().y());
    EXPECT_EQ(Spin->AsInteger(), 0);
}

TEST_F(EditorControls, AsSettersAndDisableFireNothing)
{
    std::vector<std::string> fired;
    auto* edit = new TcComponentEditorEdit(&Form);
    edit->OnChange = [&](TcComponentEditorEdit*) { fired.push_back("edit change"); };
    edit->OnUpdate = [&](TcComponentEditorEdit*) { fired.push_back("edit update"); };
    auto* combo = new TcComponentEditorComboBox(&Form);
    combo->SetItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    combo->OnChange = [&](TcComponentEditorComboBox*) { fired.push_back("combo change"); };
    auto* box = new TcComponentEditorCheckBox(&Form);
    box->OnClick = [&](TcComponentEditorCheckBox*) { fired.push_back("box click"); };
    auto* group = new TcComponentEditorRadioGroup(&Form);
    group->SetItems({QStringLiteral("x"), QStringLiteral("y")});
    group->OnClick = [&](TcComponentEditorRadioGroup*) { fired.push_back("group click"); };
    group->OnChange = [&](TcRadioGroup*) { fired.push_back("group change"); };

    const std::vector<std::pair<const char*, std::function<void()>>> fills{
        {"edit string", [&] { edit->SetAsString(QStringLiteral("x")); }},
        {"edit integer", [&] { edit->SetAsInteger(3); }},
        {"edit float", [&] { edit->SetAsFloat(2.5); }},
        {"combo integer", [&] { combo->SetAsInteger(2); }},
        {"combo string", [&] { combo->SetAsString(QStringLiteral("b")); }},
        {"check box", [&] { box->SetAsBoolean(true); }},
        {"radio group", [&] { group->SetAsInteger(1); }},
        {"disable edit", [&] { edit->Disable(); }},
        {"disable combo", [&] { combo->Disable(); }},
        {"disable check box", [&] { box->Disable(); }},
        {"disable radio group", [&] { group->Disable(); }},
    };
    for (const auto& [name, fill] : fills) {
        SCOPED_TRACE(name);
        fill();
        EXPECT_TRUE(fired.empty()) << fired.front();
        EXPECT_EQ(Form.UserChanges, 0);
        fired.clear();
    }
    EXPECT_EQ(combo->AsInteger(), -1);
    EXPECT_FALSE(box->AsBoolean());
    EXPECT_EQ(group->AsInteger(), -1);
    EXPECT_TRUE(edit->text().isEmpty());
    // Events are back after the silent fills.
    box->Enable();
    box->SetChecked(true);
    EXPECT_EQ(fired, std::vector<std::string>({"box click"}));
    EXPECT_EQ(Form.UserChanges, 1);
}

TEST_F(EditorControls, UserChoicesReportToTheForm)
{
    std::vector<std::string> fired;
    auto* combo = new TcComponentEditorComboBox(&Form);
    combo->SetItems({QStringLiteral("a"), QStringLiteral("b")});
    combo->SetAsInteger(0);
    combo->OnChange = [&](TcComponentEditorComboBox*) { fired.push_back("combo change"); };
    combo->OnDropDown = [&](TcComponentEditorComboBox*) { fired.push_back("combo drop down"); };
    auto* box = new TcComponentEditorCheckBox(&Form);
    box->SetBounds(10, 60, 97, 17);
    box->SetCaption(QStringLiteral("Visible"));
    box->OnClick = [&](TcComponentEditorCheckBox*) { fired.push_back("box click"); };
    ShowForm();

    combo->setFocus();
    Key(combo, Qt::Key_Down);
    EXPECT_EQ(combo->AsInteger(), 1);
    combo->showPopup();
    combo->hidePopup();
    ClickAt(box, 8, 8);
    EXPECT_TRUE(box->AsBoolean());
    EXPECT_EQ(fired, std::vector<std::string>({"combo change", "combo drop down", "box click"}));
    EXPECT_EQ(Form.UserChanges, 2);
}

class ListBoxTest : public EditorControls
{
  protected:
    ListBoxTest()
    {
        List = new TcComponentEditorListBox(&Form);
        List->setGeometry(10, 10, 150, 120);
        for (int i = 0; i < 4; ++i)
            List->AddObject(QStringLiteral("Channel %1").arg(i), &Objects[i]);
        List->OnItemMove = [this](TcComponentEditorListBox*) { ++Moves; };
        List->OnClick = [this](TcComponentEditorListBox*) { ++Clicks; };
        List->FreeObject = [this](void* o) { Freed.push_back(static_cast<int*>(o) - Objects); };
    }
    QStringList Texts() const
    {
        QStringList out;
        for (int i = 0; i < List->Count(); ++i)
            out << List->ItemText(i);
        return out;
    }
    int RowY(int row) const { return List->visualItemRect(List->item(row)).center().y(); }
    int Objects[4] = {};
    TcComponentEditorListBox* List;
    int Moves = 0;
    int Clicks = 0;
    std::vector<long> Freed;
};

TEST_F(ListBoxTest, DropBelowTheLastRowMovesToTheEnd)
{
    ShowForm();
    QWidget* vp = List->viewport();
    Press(vp, 20, RowY(1));
    Move(vp, 20, RowY(1) + 10);
    Move(vp, 20, 110);
    Release(vp, 20, 110);
    EXPECT_EQ(Texts(), QStringList({"Channel 0", "Channel 2", "Channel 3", "Channel 1"}));
    EXPECT_EQ(List->ItemIndex(), 3);
    EXPECT_EQ(List->Object(3), &Objects[1]);
    EXPECT_EQ(Moves, 1);
    EXPECT_EQ(Clicks, 1) << "the press selected row 1; the move is no click";
    // Dropped where it was: nothing moves.
    Press(vp, 20, RowY(0));
    Move(vp, 20, RowY(0) + 6);
    Release(vp, 20, RowY(0) + 6);
    EXPECT_EQ(Moves, 1);

    struct Case {
        int y, top, height, count, want;
    } cases[] = {{0, 0, 18, 4, 0},   {17, 0, 18, 4, 0}, {18, 0, 18, 4, 1},
                 {500, 0, 18, 4, 3}, {5, 2, 18, 10, 2}, {INT_MAX, INT_MAX, 18, 4, 3},
                 {3, 0, 0, 4, -1},   {3, 0, 18, 0, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        EXPECT_EQ(TcComponentEditorListBox::DropIndex(c.y, c.top, c.height, c.count), c.want);
    }
}

TEST_F(ListBoxTest, DeletesKeepASelection)
{
    List->DeleteSelectedObject();
    EXPECT_EQ(List->Count(), 4) << "without a selection nothing is deleted";
    EXPECT_TRUE(Freed.empty());

    List->SelectLast();
    List->DeleteSelectedObject();
    EXPECT_EQ(Freed, std::vector<long>({3}));
    EXPECT_EQ(List->ItemIndex(), 2) << "past the end: the new last row";
    List->SetItemIndex(0);
    List->DeleteSelectedObject();
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Texts(), QStringList({"Channel 1", "Channel 2"}));

    List->SetItemIndex(1);
    List->DeleteObjectIndex(&Objects[1]);
    EXPECT_EQ(Texts(), QStringList({"Channel 2"}));
    EXPECT_EQ(List->ItemIndex(), 0);
    EXPECT_EQ(Freed.size(), 2u) << "DeleteObjectIndex frees nothing";
    List->DeleteObjectIndex(&Objects[0]);
    EXPECT_EQ(List->Count(), 1);
    EXPECT_EQ(Clicks, 0) << "selections made by code are no clicks";
}

TEST_F(ListBoxTest, RowsShowTheColourBoxTheCallerAsksFor)
{
    List->OnGetData = [](TcComponentEditorListBox*, int Index, bool& Box, TColor& Colour, QString& Text) {
        Box = Index != 2;
        Colour = Index == 1 ? fw::clBlue : fw::clLime;
        Text += QStringLiteral("!");
    };
    EXPECT_EQ(List->RowLook(2).Text, QStringLiteral("Channel 2!"));
    List->SetItemIndex(0);
    ShowForm();
    const QImage img = List->viewport()->grab().toImage();
    auto at = [&](int row, int x) { return img.pixelColor(x, RowY(row)); };
    EXPECT_EQ(at(1, 10), fw::ToQColor(fw::clBlue)) << "colour box of row 1";
    EXPECT_EQ(at(0, 10), fw::ToQColor(fw::clLime));
    EXPECT_EQ(at(0, 100), fw::ToQColor(fw::clTeal)) << "the selected row";
    EXPECT_NE(at(2, 10), fw::ToQColor(fw::clLime)) << "no box on row 2";
}

TEST_F(EditorControls, PickersTakeTheDialogsAnswerOrNothing)
{
    FakeDialogs dialogs;
    std::vector<std::string> fired;
    auto* colour = new TcComponentEditorColorPicker(&Form);
    colour->OnChange = [&](TcComponentEditorColorPicker*) { fired.push_back("colour"); };
    auto* font = new TcComponentEditorFontPicker(&Form);
    font->OnChange = [&](TcComponentEditorFontPicker*) { fired.push_back("font"); };
    auto* open = new TcComponentEditorOpenPicker(&Form);
    open->OnChange = [&](TcComponentEditorOpenPicker*) { fired.push_back("open"); };
    open->DefaultDir = QStringLiteral("/data");
    open->FileName = QStringLiteral("/data/");
    auto* save = new TcComponentEditorSavePicker(&Form);
    save->Filter = QStringLiteral("Bitmap|*.bmp|JPEG|*.jpg");
    save->OnChange = [&](TcComponentEditorSavePicker*) { fired.push_back("save"); };

    dialogs.Confirm = false;
    colour->Button()->click();
    font->click();
    open->click();
    EXPECT_FALSE(save->Execute());
    EXPECT_EQ(dialogs.Shown, 4);
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(colour->Color(), fw::clRed);
    EXPECT_EQ(Form.UserChanges, 0);
    ASSERT_EQ(dialogs.Requests.size(), 2u);
    EXPECT_EQ(dialogs.Requests[0].InitialDir, QStringLiteral("/data"));
    EXPECT_EQ(dialogs.Requests[0].FileName, QStringLiteral("/data/Untitled"));

    dialogs.Confirm = true;
    dialogs.Files = {QStringLiteral("/tmp/a")};
    dialogs.FilterIndex = 2;
    colour->Button()->click();
    font->click();
    open->click();
    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(colour->Color(), fw::clBlue);
    EXPECT_EQ(font->Font().Name(), QStringLiteral("Chosen Face"));
    EXPECT_EQ(open->FileName, QStringLiteral("/tmp/a"));
    EXPECT_EQ(save->FileName, QStringLiteral("/tmp/a.jpg"));
    EXPECT_EQ(save->FilterIndex, 2);
    EXPECT_EQ(fired, std::vector<std::string>({"colour", "font", "open", "save"}));
    EXPECT_EQ(Form.UserChanges, 4);
    EXPECT_EQ(dialogs.Requests[2].InitialDir, QStringLiteral(".")) << "the default folder only at first";
}

TEST(EditorDialogs, SavedNamesGetTheChosenFiltersExtension)
{
    const QString filter = QStringLiteral("Bitmap|*.bmp|JPEG|*.jpg;*.jpeg|All|*.*");
    struct Case {
        const char* typed;
        int index;
        const char* saved;
    } cases[] = {
        {"a", 2, "a.jpg"},     {"a.jpg", 2, "a.jpg"},   {"a.bmp", 2, "a.bmp.jpg"},
        {"A.JPG", 2, "A.JPG"}, {"a.jpeg", 2, "a.jpeg"}, {"a", 1, "a.bmp"},
        {"a", 3, "a"},         {"a", 7, "a"},           {"dir.v2/a", 2, "dir.v2/a.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(AppendReturnExt(QString::fromLatin1(c.typed), filter, c.index),
                  QString::fromLatin1(c.saved));
    }
    EXPECT_EQ(SaveReturnExt(filter, 2), QStringLiteral(".jpg"));
    EXPECT_EQ(QtNameFilters(filter), QStringList({"Bitmap (*.bmp)", "JPEG (*.jpg *.jpeg)", "All (*.*)"}));
    EXPECT_TRUE(FilterPatterns(QString()).isEmpty());
}

TEST(EditorDialogs, WithoutAWindowNothingIsShown)
{
    EnsureApp();
    FakeDialogs dialogs;
    TcColorDialog colour;
    TcOpenDialog open;
    TcSaveDialog save;
    EXPECT_FALSE(colour.Execute());
    EXPECT_FALSE(open.Execute());
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(dialogs.Shown, 0);

    // On a window: every chosen file with multi-select, only the first without.
    QWidget window;
    TcOpenDialog onWindow(&window);
    dialogs.Files = {QStringLiteral("/d/a.txt"), QStringLiteral("/d/b.txt")};
    for (bool multi : {true, false}) {
        SCOPED_TRACE(multi);
        onWindow.AllowMultiSelect = multi;
        ASSERT_TRUE(onWindow.Execute());
        EXPECT_EQ(onWindow.FileName, QStringLiteral("/d/a.txt"));
        EXPECT_EQ(onWindow.Files().size(), multi ? 2 : 1);
        EXPECT_EQ(dialogs.Requests.back().AllowMultiSelect, multi);
        EXPECT_EQ(dialogs.Requests.back().InitialDir, QStringLiteral("."));
    }
}

TEST_F(EditorControls, ValueConverterPickerWritesTheConfirmedValueBack)
{
    auto* edit = new TcComponentEditorEdit(&Form);
    edit->SetAsFloat(100.5);
    int updates = 0;
    edit->OnUpdate = [&](TcComponentEditorEdit*) { ++updates; };
    auto* picker = new TcComponentEditorValueConverterPicker(&Form);
    picker->SetAssociate(edit);
    picker->SetDefaultPage(ivcptPrice32nd);
    QString translated;
    picker->TranslationMethod = [&](QWidget* f) { translated = f->windowTitle(); };
    int changes = 0;
    picker->OnChange = [&](TcComponentEditorValueConverterPicker*) { ++changes; };

    struct Run {
        const char* name;
        bool ok;
        QString edited;
    };
    for (const Run& run : {Run{"cancel", false, {}}, Run{"ok", true, QStringLiteral("4")}}) {
        SCOPED_TRACE(run.name);
        TcCustomEditorForm::ModalRunner = [&](TcCustomEditorForm* f) {
            auto* vc = dynamic_cast<TcValueConverterEditForm*>(f);
            ASSERT_NE(vc, nullptr);
            EXPECT_EQ(vc->Pages->TabIndex(), int(ivcptPrice32nd));
            EXPECT_EQ(vc->Price32ndsEdit->text(), QStringLiteral("16"));
            vc->Price256thsEdit->SetStringWithEvent(QStringLiteral("4"));
            (run.ok ? vc->OKButton : vc->CancelButton)->click();
        };
        picker->click();
    }
    TcCustomEditorForm::ModalRunner = nullptr;
    EXPECT_EQ(translated, QStringLiteral("Value Converter"));
    EXPECT_EQ(edit->text(), QStringLiteral("100.515625"));
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_DOUBLE_EQ(picker->DateTime(), 100.515625);
}

// An object with one property of each kind the editor pages bind.
class BoundThing : public fw::TPersistent
{
  public:
    int Width() const { return FWidth; }
    void SetWidth(int v) { FWidth = std::clamp(v, 0, 100); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool v) { FVisible = v; }
    int Style() const { return FStyle; }
    void SetStyle(int v) { FStyle = v; }
    double Scale() const { return FScale; }
    void SetScale(double v) { FScale = v; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString& v) { FTitle = v; }
    fw::TFont& Font() { return FFont; }
    const TPropertyTable& PropertyTable() const override
    {
        static const TPropertyTable table = [] {
            TPropertyTable t;
            t.Ordinal("Width", "Integer", &BoundThing::Width, &BoundThing::SetWidth, 10, 0, 100);
            t.Boolean("Visible", &BoundThing::Visible, &BoundThing::SetVisible, true);
            t.Enum("Style", "TStyle", &BoundThing::Style, &BoundThing::SetStyle, 0,
                   {QStringLiteral("isSolid"), QStringLiteral("isDash"), QStringLiteral("isDot")});
            t.Float("Scale", &BoundThing::Scale, &BoundThing::SetScale, 1.5);
            t.String("Title", &BoundThing::Title, &BoundThing::SetTitle, QString());
            t.Object("Font", "TFont", &BoundThing::Font);
            return t;
        }();
        return table;
    }

  private:
    int FWidth = 10;
    bool FVisible = true;
    int FStyle = 0;
    double FScale = 1.5;
    QString FTitle = QStringLiteral("Output");
    fw::TFont FFont;
};

TEST_F(EditorControls, BoundControlsShowAndWriteThroughThePropertyTable)
{
    FakeDialogs dialogs;
    BoundThing a, b;
    b.SetWidth(77);
    auto* width = new TcComponentEditorEdit(&Form);
    auto* scale = new TcComponentEditorEdit(&Form);
    auto* visible = new TcComponentEditorCheckBox(&Form);
    visible->SetBounds(0, 60, 97, 17);
    auto* style = new TcComponentEditorComboBox(&Form);
    style->SetItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot")});
    auto* styleGroup = new TcComponentEditorRadioGroup(&Form);
    styleGroup->SetItems({QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot")});
    auto* title = new TcComponentEditorComboBox(&Form);
    title->SetItems({QStringLiteral("Input"), QStringLiteral("Output")});
    auto* colour = new TcComponentEditorColorPicker(&Form);
    auto* font = new TcComponentEditorFontPicker(&Form);

    TcPropertyBindings bind;
    std::vector<QString> applied, refused;
    bind.OnApplied = [&](const QString& path) { applied.push_back(path); };
    bind.OnRefused = [&](const QString& path, const QString&) { refused.push_back(path); };
    bind.SetObject(&a);
    bind.Edit(width, QStringLiteral("Width"));
    bind.Edit(scale, QStringLiteral("scale"));
    bind.CheckBox(visible, QStringLiteral("Visible"));
    bind.ComboBox(style, QStringLiteral("Style"));
    bind.RadioGroup(styleGroup, QStringLiteral("Style"));
    bind.ComboBox(title, QStringLiteral("Title"));
    bind.ColorPicker(colour, QStringLiteral("Font.Color"));
    bind.FontPicker(font, QStringLiteral("Font"));
    EXPECT_EQ(width->text(), QStringLiteral("10"));
    EXPECT_EQ(scale->text(), QStringLiteral("1.5"));
    EXPECT_TRUE(visible->AsBoolean());
    EXPECT_EQ(title->AsInteger(), 1);
    EXPECT_EQ(Form.UserChanges, 0) << "filling is silent";

    struct Edit {
        const char* name;
        std::function<void()> act;
        std::function<bool()> stored;
    } edits[] = {
        {"edit", [&] { width->SetStringWithEvent(QStringLiteral("42")); }, [&] { return a.Width() == 42; }},
        {"edit bounded by the setter", [&] { width->SetStringWithEvent(QStringLiteral("250")); },
         [&] { return a.Width() == 100 && width->text() == QLatin1String("100"); }},
        {"check box", [&] { visible->SetChecked(false); }, [&] { return !a.Visible(); }},
        {"combo box", [&] { style->setCurrentIndex(2), emit style->activated(2); },
         [&] { return a.Style() == 2 && styleGroup->AsInteger() == 2; }},
        {"text combo box", [&] { title->setCurrentIndex(0), emit title->activated(0); },
         [&] { return a.Title() == QLatin1String("Input"); }},
        {"colour", [&] { colour->Choose(); }, [&] { return a.Font().Color() == fw::clBlue; }},
        {"font", [&] { font->click(); }, [&] { return a.Font().Name() == QLatin1String("Chosen Face"); }},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.name);
        e.act();
        EXPECT_TRUE(e.stored());
    }
    EXPECT_TRUE(refused.empty());
    EXPECT_NE(std::find(applied.begin(), applied.end(), QStringLiteral("Font.Name")), applied.end());

    scale->SetStringWithEvent(QStringLiteral("abc"));
    EXPECT_EQ(refused, std::vector<QString>({QStringLiteral("scale")}));
    EXPECT_EQ(a.Scale(), 1.5);
    EXPECT_EQ(scale->text(), QStringLiteral("1.5")) << "a refused text gives way to the value";
    EXPECT_EQ(GetPropertyText(a, QStringLiteral("Nope.Width")), QString());

    bind.SetObject(&b);
    EXPECT_EQ(width->text(), QStringLiteral("77"));
    EXPECT_TRUE(width->isEnabled());
    bind.SetObject(nullptr);
    EXPECT_FALSE(width->isEnabled());
    EXPECT_FALSE(visible->isEnabled());
    width->SetStringWithEvent(QStringLiteral("5"));
    EXPECT_EQ(b.Width(), 77);
}

} // namespace
