// The band editor and the level meter as widgets: rows, typed entries, highlight, start-up state,
// index guards, meter colours and resize.
#include "eq/LProgressBar.h"
#include "eq/TMyPEQType8.h"

#include "base/ValueScales.h"
#include "controls/panels/SkButton.h"
#include "controls/panels/SkComboBox.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace eq;

using testapp::EnsureApp;

namespace
{
struct Editor : ::testing::Test {
    void SetUp() override
    {
        EnsureApp();
        peq = std::make_unique<TMyPEQType8>();
        peq->resize(520, 300);
        peq->SetChannelNumber(9);
        peq->SetEditBackColor(fw::clWhite);
        peq->SetBypassBackColor(fw::clSilver);
        peq->OnChange = [this](fw::TControl*) { ++changes; };
    }
    void Type(TPeqEdit* e, const char* text, bool enter = true)
    {
        e->setText(QString::fromLatin1(text));
        if (enter) {
            QKeyEvent k(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(e, &k);
        }
    }
    std::unique_ptr<TMyPEQType8> peq;
    int changes = 0;
};
} // namespace

TEST_F(Editor, StartUpListsNineTypesOnceAndTheRefreshHasTheLastWord)
{
    for (int row = 0; row < 9; ++row) {
        SCOPED_TRACE(row);
        ASSERT_NE(peq->TypeBox(row), nullptr);
        EXPECT_EQ(peq->TypeBox(row)->Count(), 9);
        EXPECT_EQ(peq->GetTypeValue(row), 1);
    }
    EXPECT_EQ(peq->TypeBox(9), nullptr); // only visible rows have controls
    for (int row = 0; row < 9; ++row)
        peq->SetEqParamValue(row, 1000.0, 20, 0.0, PeqTypePeak, false);
    peq->resize(600, 320); // a relayout keeps every type
    peq->ChangeLanguage();
    for (int row = 0; row < 9; ++row) {
        EXPECT_EQ(peq->GetTypeValue(row), PeqTypePeak);
        EXPECT_EQ(peq->TypeBox(row)->ItemIndex(), PeqTypePeak);
        EXPECT_EQ(peq->TypeBox(row)->Count(), 9);
    }
}

TEST_F(Editor, SetOperationsSnapAndFireChange)
{
    peq->SetFreqValue(2, 1000.0);
    EXPECT_EQ(peq->FreqEdit(2)->text(), QStringLiteral("1.00KHz"));
    EXPECT_EQ(peq->GetFreqPosition(2), 0);
    peq->SetEqParamValue(3, 250.0, 35.9, 1.26, PeqTypeHp12, true);
    EXPECT_EQ(peq->GetGainPosition(3), 13);
    EXPECT_EQ(peq->GainEdit(3)->text(), QStringLiteral("1.3dB"));
    EXPECT_DOUBLE_EQ(peq->GetQValue(3), 3.0);
    EXPECT_EQ(peq->QEdit(3)->text(), QStringLiteral("3.00"));
    EXPECT_TRUE(peq->GetBypassValue(3));
    EXPECT_EQ(peq->GetTypeValue(3), PeqTypeHp12);
    peq->SetGainValue(4, -3.45);
    EXPECT_EQ(peq->GetGainPosition(4), -34);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(peq->BypassButtonColor(3), fw::RGB(255, 128, 128));
    EXPECT_EQ(peq->BypassButtonColor(4), fw::clSilver);
}

TEST_F(Editor, TypedEntriesAndRefusals)
{
    struct Case {
        const char* name;
        int edit; // 0 frequency, 1 Q, 2 gain
        const char* text;
        const char* shown;
    } cases[] = {
        {"1.5kHz", 0, "1.5kHz", "1.52KHz"},   {"25000", 0, "25000", "20.16KHz"},
        {"abc refused", 0, "abc", "1.00KHz"}, {"0.0 refused", 0, "0.0", "1.00KHz"},
        {"Q 200", 1, "200", "128.00"},        {"Q 0.1", 1, "0.1", "0.40"},
        {"Q 0 refused", 1, "0", "1.26"},      {"-15dB", 2, "-15dB", "-12.0dB"},
        {"3.47", 2, "3.47", "3.4dB"},         {"3. refused", 2, "3.", "0.0dB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        peq->SetEqParamValue(1, 1000.0, 20, 0.0, 0, false);
        changes = 0;
        TPeqEdit* e = c.edit == 0 ? peq->FreqEdit(1) : c.edit == 1 ? peq->QEdit(1) : peq->GainEdit(1);
        Type(e, c.text);
        EXPECT_EQ(e->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(changes, 1); // accepted or refused, the host re-reads the row
        EXPECT_EQ(peq->GetNowIndex(), 1);
    }
    peq->SetEqParamValue(1, 1000.0, 20, 0.0, 0, false);
    Type(peq->FreqEdit(1), "1.5kHz");
    EXPECT_EQ(peq->GetFreqPosition(1), 18);
}

TEST_F(Editor, NowIndexHighlight)
{
    const fw::TColor normal = peq->EditColor(0);
    peq->SetNowIndex(2);
    EXPECT_EQ(peq->EditColor(2), fw::RGB(0, 176, 0));
    peq->SetNowIndex(-1);
    EXPECT_EQ(peq->EditColor(2), normal);
    EXPECT_EQ(peq->GetNowIndex(), 2);
    peq->SetNowIndex(15); // "none": no row is coloured
    EXPECT_EQ(peq->GetNowIndex(), 15);
    for (int row = 0; row < 9; ++row)
        EXPECT_EQ(peq->EditColor(row), normal);
}

TEST_F(Editor, RowsOutsideTheSlotsChangeNothing)
{
    peq->SetEqParamValue(0, 500.0, 30, 2.0, 0, false);
    const int before = changes;
    for (int row : {-1, 50, 1000, -1000}) {
        SCOPED_TRACE(row);
        peq->SetFreqValue(row, 2000.0);
        peq->SetGainValue(row, 3.0);
        peq->SetQValue(row, 10);
        peq->SetTypeValue(row, 2);
        peq->SetBypassValue(row, true);
        peq->SetEqParamValue(row, 2000.0, 10, 3.0, 2, true);
        EXPECT_EQ(peq->GetTypeValue(row), -1);
    }
    EXPECT_EQ(changes, before);
    // Row 15 of a 9-row editor is a slot without controls: its values are kept, nothing is shown.
    peq->SetFreqValue(15, 2000.0);
    EXPECT_EQ(peq->GetFreqPosition(15), 30);
    EXPECT_EQ(peq->GetFreqPosition(0), SnapFreqPosition(500.0));
    peq->SetTypeValue(0, 9); // not a type
    EXPECT_EQ(peq->GetTypeValue(0), 0);
    // Controls built again for a row show its stored values.
    peq->SetChannelNumber(16);
    EXPECT_EQ(peq->FreqEdit(15)->text(), QStringLiteral("2.00KHz"));
    EXPECT_EQ(peq->FreqEdit(14)->text(), QStringLiteral("14"));
}

TEST_F(Editor, ChannelNumberClampsAndBypassColourNeedsOnChange)
{
    peq->SetChannelNumber(60);
    EXPECT_EQ(peq->ChannelNumber(), 50);
    TMyPEQType8 bare;
    bare.SetChannelNumber(9);
    bare.SetBypassBackColor(fw::clSilver);
    bare.SetBypassValue(0, true);
    EXPECT_TRUE(bare.GetBypassValue(0));
    EXPECT_EQ(bare.BypassButtonColor(0), fw::clSilver);
}

TEST(LProgressBarWidget, ConfigurationsColoursAndResize)
{
    EnsureApp();
    LProgressBar in;
    ConfigureInputMeter(in);
    in.SetPosition(8);
    EXPECT_EQ(in.SegmentColor(0), fw::RGB(128, 0, 0));
    EXPECT_EQ(in.SegmentColor(1), fw::RGB(255, 255, 0));
    EXPECT_EQ(in.SegmentColor(8), fw::RGB(0, 255, 0));
    const auto lit = in.State().Lit();
    in.resize(14, 200);
    QImage img(14, 200, QImage::Format_RGB32);
    in.render(&img);
    EXPECT_EQ(in.State().Lit(), lit);
    EXPECT_EQ(in.Segments()[1].Top, int(200.0 / 9) - 1);
    LProgressBar lamp;
    ConfigureLamp(lamp);
    lamp.SetPosition(1);
    EXPECT_EQ(lamp.SegmentColor(0), fw::RGB(255, 163, 70));
    lamp.SetPosition(0);
    EXPECT_EQ(lamp.SegmentColor(0), fw::RGB(155, 78, 0));
    // Unusable meters paint their background only.
    LProgressBar broken;
    broken.SetMax(0);
    broken.SetPosition(3);
    QImage b(14, 132, QImage::Format_RGB32);
    broken.render(&b);
    EXPECT_EQ(b.pixelColor(7, 60), QColor(Qt::black));
}

namespace
{
// An editor as the pages hold it, with a few bands set.
void Fill(TMyPEQType8& peq)
{
    peq.resize(520, 300);
    peq.SetChannelNumber(9);
    peq.SetLabelColor(fw::clBlack);
    peq.OnChange = [](fw::TControl*) {};
    peq.SetEditBackColor(fw::clWhite);
    peq.SetBypassBackColor(fw::clSilver);
    peq.SetTitleVisable(true);
    for (int i = 0; i < 9; ++i)
        peq.SetEqParamValue(i, 100.0 * (i + 1), 10 + 3 * i, i - 4.0, i % 9, i == 5);
}

QImage Picture(QWidget& w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(Qt::darkGray);
    w.render(&img);
    return img;
}
} // namespace

TEST_F(Editor, IdleLooksFollowEveryChange)
{
    struct Case {
        const char* name;
        void (*change)(TMyPEQType8&);
    } cases[] = {
        {"row highlighted", [](TMyPEQType8& p) { p.SetNowIndex(4); }},
        {"values set",
         [](TMyPEQType8& p) { p.SetEqParamValue(2, 2500.0, 60, -7.5, PeqTypeHighShelf, false); }},
        {"bypass toggled", [](TMyPEQType8& p) { p.ByPassClick(1); }},
        {"edit background", [](TMyPEQType8& p) { p.SetEditBackColor(fw::clYellow); }},
        {"type names",
         [](TMyPEQType8& p) {
             p.SetEqTypeString(QStringLiteral(" Glocke "), 0);
             p.SetBypassString(QStringLiteral(" AUS "));
             p.ChangeLanguage();
         }},
        {"text typed by the host", [](TMyPEQType8& p) { p.GainEdit(3)->setText(QStringLiteral("--3")); }},
        {"text selected", [](TMyPEQType8& p) { p.FreqEdit(6)->setSelection(0, 3); }},
        {"row disabled",
         [](TMyPEQType8& p) {
             p.TypeBox(7)->SetEnabled(false);
             p.QEdit(7)->setEnabled(false);
         }},
        {"resized", [](TMyPEQType8& p) { p.resize(600, 330); }},
        {"row colour", [](TMyPEQType8& p) { p.SetColor(8, fw::clRed); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMyPEQType8 shown, fresh;
        Fill(shown);
        Picture(shown); // every row control now holds its idle look
        c.change(shown);
        Fill(fresh);
        c.change(fresh);
        EXPECT_TRUE(Picture(shown) == Picture(fresh));
    }
}

TEST_F(Editor, TitlesSwitchedOnAfterTheLayoutPushTheRowsDown)
{
    // Laid out at 520 x 300 without titles: row 0 at TopBottomSpace + 8 - 1, the rows 28 apart.
    const int top = peq->FreqEdit(0)->y();
    EXPECT_EQ(top, 15 + 8 - 1);
    peq->SetTitleVisable(true); // same size: the rows still make room for the title row
    const int pitch = (300 - 15 - 13 - 16) / 9;
    EXPECT_EQ(peq->FreqEdit(0)->y(), 15 + 13 + 8 - 1);
    EXPECT_EQ(peq->TypeBox(8)->Top(), 15 + 13 + 8 * pitch + 8 - 1);
    peq->SetTitleVisable(true); // unchanged: nothing moves
    EXPECT_EQ(peq->FreqEdit(0)->y(), 15 + 13 + 8 - 1);
    peq->SetTitleVisable(false);
    EXPECT_EQ(peq->FreqEdit(0)->y(), top);
}

namespace
{
// A table between two edits in a window of its own; `built` asks for its rows at once.
struct TableInWindow {
    explicit TableInWindow(bool built)
    {
        window.resize(600, 340);
        before = new QLineEdit(&window);
        peq = new TMyPEQType8(&window, 9);
        peq->setGeometry(10, 30, 520, 300);
        if (built)
            peq->FreqEdit(0);
        after = new QLineEdit(&window);
        after->move(540, 0);
    }
    // The focus chain from `before` to `after`, each control named by its place in the table.
    QStringList FocusChain() const
    {
        QStringList names;
        for (QWidget* w = before; w; w = w->nextInFocusChain()) {
            QString name = w == before  ? QStringLiteral("before")
                           : w == after ? QStringLiteral("after")
                           : w == peq   ? QStringLiteral("table")
                                        : QString();
            for (int row = 0; row < 9 && name.isEmpty(); ++row) {
                const QWidget* cells[6] = {peq->NumberLabel(row), peq->FreqEdit(row), peq->QEdit(row),
                                           peq->GainEdit(row),    peq->TypeBox(row),  peq->BypassButton(row)};
                for (int k = 0; k < 6; ++k)
                    if (cells[k] == w)
                        name = QStringLiteral("row %1 cell %2").arg(row).arg(k);
            }
            names << (name.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : name);
            if (w == after)
                break;
        }
        return names;
    }
    QWidget window;
    QLineEdit *before = nullptr, *after = nullptr;
    TMyPEQType8* peq = nullptr;
};
} // namespace

TEST(BandEditorRows, BuiltOnFirstShowTheyLookAndTabAsIfBuiltWithTheTable)
{
    EnsureApp();
    TableInWindow lazy(false), built(true);
    int changes = 0;
    // What a host does before the page is first shown, some of it showing texts and colours that
    // the stored values alone do not give back.
    for (TMyPEQType8* peq : {lazy.peq, built.peq}) {
        peq->SetEditBackColor(fw::clWhite);
        peq->SetBypassBackColor(fw::clSilver);
        peq->SetEqParamValue(1, 250.0, 35.9, 1.35, PeqTypeHp12, true); // no OnChange: bypass colour kept
        peq->SetGainValue(2, 1.37);
        peq->SetNowIndex(3);
        peq->SetColor(4, fw::clRed);
        peq->OnChange = [&changes](fw::TControl*) { ++changes; };
        peq->SetBypassValue(5, true);
        peq->SetBypassBackColor(fw::clGray); // every button, bypassed or not
        peq->SetBypassValue(6, true);
        peq->SetEqTypeString(QStringLiteral("Bell"), PeqTypePeak);
        peq->ChangeLanguage();
    }
    lazy.window.show();
    built.window.show();
    QApplication::processEvents();
    for (int row = 0; row < 9; ++row) {
        SCOPED_TRACE(row);
        ASSERT_NE(lazy.peq->FreqEdit(row), nullptr);
        for (auto edit : {&TMyPEQType8::FreqEdit, &TMyPEQType8::QEdit, &TMyPEQType8::GainEdit})
            EXPECT_EQ((lazy.peq->*edit)(row)->text(), (built.peq->*edit)(row)->text());
        EXPECT_EQ(lazy.peq->EditColor(row), built.peq->EditColor(row));
        EXPECT_EQ(lazy.peq->BypassButtonColor(row), built.peq->BypassButtonColor(row));
        EXPECT_EQ(lazy.peq->TypeBox(row)->ItemIndex(), built.peq->TypeBox(row)->ItemIndex());
        EXPECT_EQ(lazy.peq->TypeBox(row)->Items(), built.peq->TypeBox(row)->Items());
        EXPECT_EQ(lazy.peq->FreqEdit(row)->geometry(), built.peq->FreqEdit(row)->geometry());
    }
    EXPECT_EQ(lazy.peq->GainEdit(1)->text(), QStringLiteral("1.4dB")); // as given, not as stored
    EXPECT_EQ(lazy.peq->EditColor(3), fw::RGB(0, 176, 0));
    EXPECT_EQ(lazy.FocusChain(), built.FocusChain());
    EXPECT_EQ(lazy.peq->grab().toImage(), built.peq->grab().toImage());
    // The chain runs through the rows in order, from the edit before the table to the one after it.
    const QStringList chain = lazy.FocusChain();
    EXPECT_LT(chain.indexOf(QStringLiteral("row 0 cell 1")), chain.indexOf(QStringLiteral("row 1 cell 1")));
    EXPECT_LT(chain.indexOf(QStringLiteral("row 8 cell 5")), chain.indexOf(QStringLiteral("after")));
    EXPECT_EQ(chain.back(), QStringLiteral("after"));
}
