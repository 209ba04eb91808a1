// The sibling band tables as widgets: the five-type table, the fifteen-band half-decibel table and the
// plain table, each with its number texts, grids, change events and layout.
#include "eq/TMyPEQ.h"
#include "eq/TMyPEQGain.h"

#include "controls/panels/SkComboBox.h"
#include "framework/FloatFormat.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace eq;

using testapp::EnsureApp;

namespace
{
void Type(QLineEdit* e, const char* text)
{
    e->setText(QString::fromLatin1(text));
    QKeyEvent k(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(e, &k);
}

// The user's separator for one test, put back afterwards.
struct Separator {
    explicit Separator(char c) : old(fw::UserDecimalSeparator()) { fw::SetUserDecimalSeparator(c); }
    ~Separator() { fw::SetUserDecimalSeparator(old); }
    char old;
};

struct Tables : ::testing::Test {
    void SetUp() override { EnsureApp(); }
    Separator dot{'.'};
};
} // namespace

TEST_F(Tables, FiveTypeTableStartsAndShowsGeneralTexts)
{
    TMyPEQGain peq;
    peq.resize(520, 300);
    peq.SetChannelNumber(9);
    int changes = 0;
    peq.OnChange = [&](fw::TControl*) { ++changes; };
    for (int row = 0; row < 9; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(peq.GainEdit(row)->text(), QStringLiteral("0dB"));
        EXPECT_EQ(peq.QEdit(row)->text(), QStringLiteral("1.26"));
        EXPECT_EQ(peq.FreqEdit(row)->text(), QString::number(row));
        EXPECT_EQ(peq.TypeBox(row)->Count(), 5);
        EXPECT_EQ(peq.GetTypeValue(row), 1);
    }
    EXPECT_EQ(peq.TypeBox(0)->Items()[4], QStringLiteral(" High Cut   "));
    peq.SetEqParamValue(2, 1000.0, 20, -1.26, 4, false);
    EXPECT_EQ(peq.GetGainPosition(2), -13);
    EXPECT_EQ(peq.GainEdit(2)->text(), QStringLiteral("-1.26dB"));
    EXPECT_EQ(peq.FreqEdit(2)->text(), QStringLiteral("1.00KHz"));
    peq.SetEqParamValue(3, 1000.0, 20, 0.0, 0, false);
    EXPECT_EQ(peq.GainEdit(3)->text(), QStringLiteral("0dB"));
    peq.SetTypeValue(3, 5); // not one of the five types
    EXPECT_EQ(peq.GetTypeValue(3), 0);
    EXPECT_EQ(changes, 2);
    struct Case {
        const char* typed;
        const char* shown;
        int position;
    } typed[] = {{"1.5", "1.5dB", 15}, {"20", "12dB", 120}, {"-0.3", "-0.3dB", -3}, {"x", "-0.3dB", -3}};
    for (const auto& c : typed) {
        SCOPED_TRACE(c.typed);
        Type(peq.GainEdit(4), c.typed);
        EXPECT_EQ(peq.GainEdit(4)->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(peq.GetGainPosition(4), c.position);
    }
    peq.SetChannelNumber(60);
    EXPECT_EQ(peq.ChannelNumber(), 50);
}

TEST_F(Tables, FiveTypeTableKeepsTypesAndTextsAcrossLanguageAndResize)
{
    TMyPEQGain peq;
    peq.resize(520, 300);
    peq.SetChannelNumber(6);
    for (int row = 0; row < 6; ++row)
        peq.SetTypeValue(row, row % 5);
    peq.ChangeLanguage();
    peq.resize(640, 360);
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(peq.GetTypeValue(row), row % 5);
        EXPECT_EQ(peq.TypeBox(row)->ItemIndex(), row % 5);
        EXPECT_EQ(peq.TypeBox(row)->Count(), 5);
        EXPECT_EQ(peq.BypassButton(row)->Caption(), QStringLiteral("   BYPASS   "));
    }
}

TEST_F(Tables, UserSeparatorGoesIntoQAndGainTextsOnly)
{
    Separator comma(',');
    TMyPEQGain five;
    five.SetChannelNumber(2);
    five.SetEqParamValue(0, 1530.0, 35, 1.5, 0, false);
    EXPECT_EQ(five.QEdit(0)->text(), QStringLiteral("3,00"));
    EXPECT_EQ(five.GainEdit(0)->text(), QStringLiteral("1,5dB"));
    // Step count 18.40 with either separator: the same grid point, written with ".".
    EXPECT_EQ(five.GetFreqPosition(0), 18);
    EXPECT_EQ(five.FreqEdit(0)->text(), QStringLiteral("1.52KHz"));
    EXPECT_EQ(five.QEdit(1)->text(), QStringLiteral("1,26"));
    // Typed values still take "." as the point.
    Type(five.GainEdit(1), "2.5");
    EXPECT_EQ(five.GetGainPosition(1), 25);
    EXPECT_EQ(five.GainEdit(1)->text(), QStringLiteral("2,5dB"));
    TMyPEQ plain;
    EXPECT_EQ(plain.QEdit(0)->text(), QStringLiteral("1,26"));
    Type(plain.GainEdit(0), "3.5");
    EXPECT_EQ(plain.GainEdit(0)->text(), QStringLiteral("3,5dB"));
    Type(plain.QEdit(0), "2.5");
    EXPECT_EQ(plain.QEdit(0)->text(), QStringLiteral("2,50"));
}

TEST_F(Tables, FifteenBandTable)
{
    TMyPEQHpLp peq;
    peq.resize(520, 420);
    int changes = 0;
    peq.OnChange = [&](fw::TControl*) { ++changes; };
    EXPECT_EQ(peq.ChannelNumber(), 15);
    for (int row = 0; row < 15; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(peq.FreqEdit(row)->text(), QStringLiteral("1.00KHz"));
        EXPECT_EQ(peq.GainEdit(row)->text(), QStringLiteral("0dB"));
        EXPECT_EQ(peq.QEdit(row)->text(), QStringLiteral("1.26"));
    }
    EXPECT_EQ(peq.NumberLabel(13)->Font().Color(), fw::RGB(192, 192, 192));
    EXPECT_EQ(peq.NumberLabel(14)->Font().Color(), fw::RGB(0, 0, 0));
    peq.SetChannelNumber(15);
    peq.SetChannelNumber(20);
    EXPECT_EQ(peq.ChannelNumber(), 15);
    peq.SetChannelNumber(12);
    EXPECT_EQ(peq.ChannelNumber(), 12);
    EXPECT_EQ(changes, 0);
    peq.SetChannelNumber(15);

    struct Case {
        const char* name;
        void (*set)(TMyPEQHpLp&);
        int position;
        const char* shown;
        double db;
    } sets[] = {
        {"SetGainValue 3.5", [](TMyPEQHpLp& p) { p.SetGainValue(1, 3.5f); }, 7, "3.5dB", 3.5},
        {"SetGainValue -0.5", [](TMyPEQHpLp& p) { p.SetGainValue(1, -0.5f); }, -1, "-0.5dB", -0.5},
        {"param 1.75", [](TMyPEQHpLp& p) { p.SetEqParamValue(1, 1000.f, 20.f, 1.75f, 0, false); }, 3,
         "1.75dB", 1.5},
        {"param -1.25", [](TMyPEQHpLp& p) { p.SetEqParamValue(1, 1000.f, 20.f, -1.25f, 0, false); }, -2,
         "-1.25dB", -1.0},
        {"param 1.9", [](TMyPEQHpLp& p) { p.SetEqParamValue(1, 1000.f, 20.f, 1.9f, 0, false); }, 3,
         "1.89999997615814dB", 1.5},
    };
    for (const auto& c : sets) {
        SCOPED_TRACE(c.name);
        changes = 0;
        c.set(peq);
        EXPECT_EQ(peq.GetGainPosition(1), c.position);
        EXPECT_EQ(peq.GainEdit(1)->text(), QString::fromLatin1(c.shown));
        EXPECT_DOUBLE_EQ(peq.GetGainValue(1), c.db);
        EXPECT_EQ(changes, 1);
    }
    struct Typed {
        const char* typed;
        const char* shown;
        int position;
    } typed[] = {{"12.9", "12dB", 24}, {"3.67", "3.5dB", 7},   {"3.", "3.5dB", 7}, {".3", "3.5dB", 7},
                 {"3.4", "3dB", 6},    {"-3.7", "-3.5dB", -7}, {".5", "0.5dB", 1}};
    for (const auto& c : typed) {
        SCOPED_TRACE(c.typed);
        changes = 0;
        Type(peq.GainEdit(2), c.typed);
        EXPECT_EQ(peq.GainEdit(2)->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(peq.GetGainPosition(2), c.position);
        EXPECT_EQ(changes, 1); // accepted or refused, the host re-reads the row
    }
    peq.SetBypassValue(3, true);
    peq.ByPassClick(5);
    EXPECT_TRUE(peq.GetBypassValue(3));
    EXPECT_TRUE(peq.GetBypassValue(5));
    EXPECT_FALSE(peq.GetBypassValue(4));
    // Rows past the fifteen slots change nothing.
    changes = 0;
    peq.SetGainValue(15, 3.0f);
    peq.SetEqParamValue(-1, 100.f, 1.f, 1.f, 1, true);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(peq.GetTypeValue(15), -1);
}

TEST_F(Tables, PlainTableStartsWithItsControls)
{
    TMyPEQ peq;
    peq.show();
    EXPECT_EQ(peq.ChannelNumber(), 15);
    for (int row = 0; row < 15; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(peq.FreqEdit(row)->text(), QStringLiteral("1.00KHz"));
        EXPECT_EQ(peq.QEdit(row)->text(), QStringLiteral("1.26"));
        EXPECT_EQ(peq.GainEdit(row)->text(), QStringLiteral("0dB"));
        EXPECT_EQ(peq.TypeBox(row)->currentText(), QStringLiteral("Low Shelf"));
        EXPECT_EQ(peq.TypeBox(row)->count(), 3);
        EXPECT_EQ(peq.BypassBox(row)->text(), QStringLiteral("ByPass"));
        for (int k = 0; k < 3; ++k)
            EXPECT_TRUE(peq.Spinner(row, k)->isVisible());
    }
    EXPECT_NE(PlainNumberColour(14), PlainNumberColour(13));
    EXPECT_DOUBLE_EQ(peq.GetQValue(1), 1.2599999904632568); // the single-precision table
}

TEST_F(Tables, PlainTableChangeEvents)
{
    TMyPEQ peq;
    int changes = 0;
    peq.OnChange = [&](TMyPEQ*) { ++changes; };
    struct Case {
        const char* name;
        void (*act)(TMyPEQ&);
        int changes;
    } cases[] = {
        {"SetQValue fires nothing", [](TMyPEQ& p) { p.SetQValue(2, 30.f); }, 0},
        {"bypass ticked from code: box click and change", [](TMyPEQ& p) { p.SetBypassValue(2, true); }, 2},
        {"bypass already ticked", [](TMyPEQ& p) { p.SetBypassValue(2, true); }, 1},
        {"bypass cleared", [](TMyPEQ& p) { p.SetBypassValue(2, false); }, 2},
        {"type", [](TMyPEQ& p) { p.SetTypeValue(2, 2); }, 1},
        {"frequency", [](TMyPEQ& p) { p.SetFreqValue(2, 500.f); }, 1},
        {"gain", [](TMyPEQ& p) { p.SetGainValue(2, 3.5f); }, 1},
        {"channel number", [](TMyPEQ& p) { p.SetChannelNumber(8); }, 0},
        {"row outside", [](TMyPEQ& p) { p.SetGainValue(15, 1.f); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        changes = 0;
        c.act(peq);
        EXPECT_EQ(changes, c.changes);
    }
    EXPECT_EQ(peq.GetQIndex(2), 30);
    EXPECT_EQ(peq.QEdit(2)->text(), QStringLiteral("2.20"));
    EXPECT_EQ(peq.GetTypeValue(2), 2);
    EXPECT_EQ(peq.GetGainPosition(2), 7);
    EXPECT_EQ(peq.GetFreqPosition(2), -30);
    EXPECT_EQ(peq.FreqEdit(2)->text(), QStringLiteral("500.0Hz"));
    peq.SetFreqValue(3, 11850.f); // longer than a typed text may be, shown whole
    EXPECT_EQ(peq.FreqEdit(3)->text(), QStringLiteral("11.85KHz"));
}

TEST_F(Tables, PlainTableTypedValues)
{
    TMyPEQ peq;
    int changes = 0;
    peq.OnChange = [&](TMyPEQ*) { ++changes; };
    struct Case {
        const char* name;
        int edit;
        const char* text;
        const char* shown;
    } cases[] = {
        {"frequency 1,5 refused", 0, "1,5", "1.00KHz"},
        {"Q 1,5 refused", 1, "1,5", "1.26"},
        {"gain 1,5 refused", 2, "1,5", "0dB"},
        {"Q 500", 1, "500", "128.00"},
        {"frequency 1.5k", 0, "1.5k", "1.52KHz"},
        {"frequency 0.0 refused", 0, "0.0", "1.52KHz"},
        {"Q 00 refused", 1, "00", "128.00"},
        {"gain 3.67", 2, "3.67", "3.5dB"},
        {"gain -.3 refused", 2, "-.3", "3.5dB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        changes = 0;
        QLineEdit* e = c.edit == 0 ? peq.FreqEdit(0) : c.edit == 1 ? peq.QEdit(0) : peq.GainEdit(0);
        Type(e, c.text);
        EXPECT_EQ(e->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(e->cursorPosition(), e->text().size());
        EXPECT_EQ(changes, 1);
    }
    EXPECT_EQ(peq.GetQIndex(0), 100);
}

TEST_F(Tables, PlainTableLayoutKeepsTypesAndShrinksSmallTables)
{
    TMyPEQ peq;
    peq.show(); // the relayout follows the size the window system reports
    peq.resize(490, 400);
    QApplication::processEvents();
    for (int row = 0; row < 15; ++row)
        peq.SetTypeValue(row, row % 3);
    // Row 2 of 15 rows at 490 x 400: W = 81, H = (400 - 15 - 30) / 16 = 22.
    EXPECT_EQ(peq.NumberLabel(2)->geometry(), QRect(8, 24 * 2 + 22 + 17, 20, 20));
    EXPECT_EQ(peq.GainEdit(2)->geometry(), QRect(28 + 2 * 81 + 36, 24 * 2 + 22 + 17 - 1, 81, 22));
    EXPECT_EQ(peq.Spinner(2, 2)->geometry(),
              QRect(peq.GainEdit(2)->geometry().right() + 1 - 22, peq.GainEdit(2)->y() + 2, 20, 21));
    EXPECT_EQ(peq.Title(3)->pos(), QPoint(12 * 3 + 2 * 81 + 33, 15));
    peq.SetChannelNumber(4);
    peq.resize(500, 200);
    QApplication::processEvents();
    for (int row = 0; row < 15; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(peq.GetTypeValue(row), row % 3);
    }
    EXPECT_EQ(peq.NumberLabel(0)->height(), 18);
    EXPECT_EQ(peq.Spinner(3, 1)->height(), 18);
    EXPECT_FALSE(peq.NumberLabel(4)->isVisibleTo(&peq));
    EXPECT_EQ(peq.NumberLabel(4)->y(), 10000);
}
