// Editing as a person does it on the shown main window: the pointer is placed where a thing is drawn
// (found by its colour in a grab, or from the geometry of the control that draws it) and the events go
// to the top-level window, which routes them; keys go to the window and reach the focused control.
#include "DrawnSpots.h"
#include "TestApp.h"
#include "app/dialogs/SmallDialogs.h"
#include "app/main/LanguageTables.h"
#include "app/main/MainEditing.h"
#include "app/main/MainLayout.h"
#include "app/main/MainSessionView.h"
#include "app/main/StdControls.h"
#include "app/main/TfmMain.h"
#include "app/pages/PeqPage.h"
#include "base/ValueScales.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/smooth/RoundEdit.h"
#include "controls/smooth/TrackBar.h"
#include "curves/CurveColours.h"
#include "curves/Plot.h"
#include "eq/TMyPEQType8.h"
#include "graph/LMyFFTDrawHpLp6dB.h"
#include "model/LUnitControl.h"

#include <QLineEdit>
#include <QWindow>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <cmath>

using namespace app;
using graph::LMyFFTDrawHpLp6dB;
using testapp::Spots;

namespace
{

class Pointer : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        testapp::EnsureApp();
        TDialogForm::ModalRunner = [](TDialogForm*) {};
        w = new TfmMain;
        w->CreateDialogs();
        w->show();
        QApplication::processEvents();
    }
    static void TearDownTestSuite()
    {
        TDialogForm::ModalRunner = nullptr;
        w->SetExitConfirmed(true);
        delete w;
    }
    void SetUp() override
    {
        w->Unit()->LoadDefaults();
        w->View().ShowAllParams();
        testapp::PumpFor(20);
    }
    template <class T> static T* Get(const QString& name) { return w->Get<T>(name); }
    static QWindow* Window() { return w->windowHandle(); }
    // A point of widget c in the top-level window's coordinates.
    static QPoint InWindow(QWidget* c, QPoint p) { return c->mapTo(w, p); }
    static void Press(QWidget* c, QPoint p)
    {
        QTest::mousePress(Window(), Qt::LeftButton, {}, InWindow(c, p));
        testapp::PumpFor(5);
    }
    static void Release(QWidget* c, QPoint p)
    {
        QTest::mouseRelease(Window(), Qt::LeftButton, {}, InWindow(c, p));
        testapp::PumpFor(5);
    }
    static void Click(QWidget* c, QPoint p)
    {
        Press(c, p);
        Release(c, p);
    }
    // Presses at `from`, moves in steps to `to` with the button held and releases there.
    static void Drag(QWidget* c, QPoint from, QPoint to)
    {
        Press(c, from);
        for (int i = 1; i <= 8; ++i) {
            QTest::mouseMove(Window(), InWindow(c, from + (to - from) * i / 8));
            testapp::PumpFor(3);
        }
        Release(c, to);
        testapp::PumpFor(30);
    }
    // Typed through the window: each key reaches the focused control.
    static void Type(const char* text)
    {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(Window(), *c);
        testapp::PumpFor(5);
    }
    static void ClickCentre(QWidget* c) { Click(c, c->rect().center()); }
    static void ShowPage(const char* button)
    {
        ClickCentre(Get<QWidget>(QString::fromLatin1(button)));
        testapp::PumpFor(20);
    }
    static LMyFFTDrawHpLp6dB* Graph(int ch)
    {
        return Get<LMyFFTDrawHpLp6dB>(QStringLiteral("fftDraw") + ChannelTitle(ch));
    }
    static eq::TMyPEQType8* Peq(int ch)
    {
        return Get<eq::TMyPEQType8>(QStringLiteral("peqPeq") + ChannelTitle(ch));
    }
    static fx::TRoundEdit* Edit(const QString& prefix, int ch)
    {
        return Get<fx::TRoundEdit>(prefix + ChannelTitle(ch));
    }
    static fx::TCustomTrackBar* Fader(const QString& prefix, int ch)
    {
        return Get<fx::TCustomTrackBar>(prefix + ChannelTitle(ch));
    }

    static inline TfmMain* w = nullptr;
};

// The spot of `colour` in a grab of the graph nearest to `near` (none: far away).
QPoint SpotNear(QWidget* graph, fw::TColor colour, QPoint near)
{
    QPoint best(-1000, -1000);
    for (QPoint p : Spots(graph->grab().toImage(), colour))
        if ((p - near).manhattanLength() < (best - near).manhattanLength())
            best = p;
    return best;
}

// ---------------------------------------------------------------------------------------------------
// Response graph

TEST_F(Pointer, BandMarkerIsGrabbedWhereDrawnAndFollowsThePointer)
{
    ShowPage("rzbMenuInA");
    const int ch = 0, band = 2;
    LMyFFTDrawHpLp6dB* g = Graph(ch);
    const fw::TColor colour = MarkerColours[band];
    const std::vector<QPoint> spots = Spots(g->grab().toImage(), colour);
    ASSERT_EQ(spots.size(), 1u) << "band 3's marker drawn once";
    const QPoint marker = spots.front();
    const PeqBand before = w->Unit()->GetPeq(ch, band);
    ASSERT_EQ(before.gain, GainIndexZero);

    const QPoint to = marker + QPoint(90, -40);
    Drag(g, marker, to);
    const PeqBand after = w->Unit()->GetPeq(ch, band);
    EXPECT_GT(after.freq, before.freq) << "the band moved up in frequency";
    EXPECT_GT(after.gain, before.gain) << "and up in gain";
    EXPECT_EQ(Peq(ch)->GetFreqPosition(band) + FreqIndex1kHz, after.freq);
    EXPECT_EQ(w->Peq().SelectedHandle(), -1);
    const QPoint drawn = SpotNear(g, colour, to);
    EXPECT_LE(std::abs(drawn.x() - to.x()), 3) << "the marker is drawn under the release point";
    // The selected band's fill darkens the marker's lower half a little: its spot sits a pixel higher.
    EXPECT_LE(std::abs(drawn.y() - to.y()), 3) << "the marker is drawn under the release point";
}

TEST_F(Pointer, CrossoverCornerIsGrabbedWhereDrawn)
{
    const int ch = 0;
    // The fourth band shares the corner's colour: it goes up to +9 dB, out of the corner's row.
    PeqBand b = w->Unit()->GetPeq(ch, 3);
    b.gain = int16_t(GainToIndex(9.0));
    w->Unit()->SetPeq(ch, 3, b, 0);
    XoverParam x = w->Unit()->GetXover(ch);
    x.hpFreq = 100;
    x.hpSlope = 3;
    w->Unit()->SetHighPass(ch, x);
    w->View().ShowAllParams();
    ShowPage("rzbMenuInA");
    LMyFFTDrawHpLp6dB* g = Graph(ch);
    const fw::TColor colour = MarkerColours[Plot::HighPassSection];
    std::vector<QPoint> spots = Spots(g->grab().toImage(), colour);
    ASSERT_EQ(spots.size(), 2u) << "the corner and band 4";
    const QPoint corner = spots[0].y() > spots[1].y() ? spots[0] : spots[1];

    const QPoint to = corner + QPoint(70, 0);
    Drag(g, corner, to);
    EXPECT_GT(w->Unit()->GetXover(ch).hpFreq, 100) << "the low cut moved up";
    EXPECT_EQ(w->Unit()->GetXover(ch).hpFreq, Fader(QStringLiteral("isLowCutFreq"), ch)->Position());
    EXPECT_EQ(w->Unit()->GetXover(ch).hpSlope, 3);
    testapp::PumpFor(30);
    const QPoint drawn = SpotNear(g, colour, to);
    EXPECT_LE(std::abs(drawn.x() - to.x()), 3) << "the corner is drawn under the release point";
    EXPECT_LE(std::abs(drawn.y() - corner.y()), 1) << "on its row";
}

// ---------------------------------------------------------------------------------------------------
// Delay page

TEST_F(Pointer, DelayMarkerIsDraggedFromWhereItIsDrawn)
{
    ShowPage("rzbMenuDelay");
    for (int ch : {1, 5}) {
        const QString s = ChannelTitle(ch);
        SCOPED_TRACE(s.toStdString());
        auto* panel = Get<QWidget>(ch < 3 ? QStringLiteral("plFftDelayIn") : QStringLiteral("plFftDelayOut"));
        auto* line = Get<QWidget>(QStringLiteral("lbDelayLine") + s);
        ASSERT_NE(panel, nullptr);
        // The marker: the orange triangle drawn in the channel's row.
        const QImage img = panel->grab().toImage();
        int n = 0;
        QPoint sum;
        for (int y = line->y(); y < line->y() + line->height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 130 && c.green() < 240 && c.blue() < 140)
                    ++n, sum += QPoint(x, y);
            }
        ASSERT_GT(n, 60) << "the marker is drawn";
        const QPoint marker = sum / n;
        const uint16_t before = w->Unit()->GetDelay(ch);
        Drag(panel, marker, marker + QPoint(120, 0));
        EXPECT_GT(w->Unit()->GetDelay(ch), before) << "the drag set a longer delay";
        EXPECT_EQ(Fader(QStringLiteral("isDelay"), ch)->Position(), w->Unit()->GetDelay(ch));
        auto* picture = Get<QWidget>(QStringLiteral("imDelay") + s);
        EXPECT_NEAR(picture->geometry().center().x(), marker.x() + 120, 3)
            << "the marker follows the pointer";
        // The line is its dashes up to the marker: nothing is drawn past the marker and its time.
        auto* time = Get<QWidget>(QStringLiteral("lbFftDelayTime") + s);
        const QImage after = panel->grab().toImage();
        int green = 0;
        for (int y = line->y(); y < line->y() + line->height(); ++y)
            for (int x = time->x() + time->width() + 40; x < line->x() + line->width(); ++x) {
                const QColor c = after.pixelColor(x, y);
                green += c.green() > c.red() + 30 && c.green() > c.blue() + 30;
            }
        EXPECT_EQ(green, 0) << "no track or ticks beyond the marker";
    }
}

// ---------------------------------------------------------------------------------------------------
// PEQ panel keys and typed texts

TEST_F(Pointer, PanelKeysDoWhatTheHintSays)
{
    ShowPage("rzbMenuInA");
    const int ch = 0;
    ClickCentre(Get<QWidget>(QStringLiteral("rzbEq2") + ChannelTitle(ch)));
    fx::TRoundEdit* freq = Edit(QStringLiteral("cvdEqFreq"), ch);
    ASSERT_TRUE(freq->isAncestorOf(QApplication::focusWidget())) << "the band's click focuses the edit";
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* fader;
        int delta;
    };
    const Case cases[] = {
        {"minus", Qt::Key_Minus, Qt::NoModifier, "isEqBw", -1},
        {"plus", Qt::Key_Plus, Qt::ShiftModifier, "isEqBw", +1},
        {"keypad minus", Qt::Key_Minus, Qt::KeypadModifier, "isEqBw", -1},
        {"keypad plus", Qt::Key_Plus, Qt::KeypadModifier, "isEqBw", +1},
        {"equals key (plus unshifted)", Qt::Key_Equal, Qt::NoModifier, "isEqBw", +1},
        {"right", Qt::Key_Right, Qt::NoModifier, "isEqFreq", +1},
        {"left", Qt::Key_Left, Qt::NoModifier, "isEqFreq", -1},
        {"up", Qt::Key_Up, Qt::NoModifier, "isEqGain", +1},
        {"down", Qt::Key_Down, Qt::NoModifier, "isEqGain", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fx::TCustomTrackBar* f = Fader(QString::fromLatin1(c.fader), ch);
        const int before = f->Position();
        QTest::keyClick(Window(), c.key, c.mods);
        // Waits for the step itself, not a fixed time: a loaded machine may take longer.
        const auto shown = [&] { return freq->Text() == EditFreqText(float(Peq(ch)->GetFreqValue(1))); };
        testapp::PumpUntil([&] { return f->Position() != before && shown(); }, 10000);
        EXPECT_EQ(f->Position(), before + c.delta);
        EXPECT_TRUE(shown()) << "nothing typed";
    }
    EXPECT_EQ(Edit(QStringLiteral("cvdEqBw"), ch)->Text(),
              EqQText(Fader(QStringLiteral("isEqBw"), ch)->Position()));
}

TEST_F(Pointer, EditsShowTheModelAgainAfterEnterOrFocusLoss)
{
    ShowPage("rzbMenuInA");
    const int ch = 0;
    ClickCentre(Get<QWidget>(QStringLiteral("rzbEq3") + ChannelTitle(ch)));
    const QString freqText = EditFreqText(float(Peq(ch)->GetFreqValue(2)));
    fx::TRoundEdit* freq = Edit(QStringLiteral("cvdEqFreq"), ch);
    ASSERT_EQ(freq->Text(), freqText);
    // Typed into the focused panel edit, then Enter.
    Type("xyz");
    QTest::keyClick(Window(), Qt::Key_Return);
    testapp::PumpFor(10);
    EXPECT_EQ(freq->Text(), freqText) << "Enter";
    // Typed, then the focus goes elsewhere.
    ClickCentre(freq);
    Type("1k2");
    ClickCentre(Edit(QStringLiteral("cvdEqGain"), ch));
    testapp::PumpFor(10);
    EXPECT_EQ(freq->Text(), freqText) << "focus loss";

    // A band row's edit: a text that does not parse goes back to the band's value.
    eq::TPeqEdit* rowFreq = Peq(ch)->FreqEdit(4);
    const QString rowText = rowFreq->text();
    ClickCentre(rowFreq);
    rowFreq->selectAll();
    Type("abc");
    QTest::keyClick(Window(), Qt::Key_Return);
    testapp::PumpFor(10);
    EXPECT_EQ(rowFreq->text(), rowText);
}

// ---------------------------------------------------------------------------------------------------
// PEQ table

// Green (the selected row's text colour) pixels inside a widget's area of a grab of the table.
int GreenPixels(const QImage& img, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.green() > 120 && c.red() < 90 && c.blue() < 90)
                ++n;
        }
    return n;
}

TEST_F(Pointer, OnlyTheSelectedRowIsGreen)
{
    ShowPage("rzbMenuOut2");
    const int ch = 4;
    eq::TMyPEQType8* peq = Peq(ch);
    for (int row : {1, 3, 0, 2}) {
        ClickCentre(peq->GainEdit(row));
        testapp::PumpFor(10);
    }
    EXPECT_EQ(peq->GetNowIndex(), 2);
    const QImage img = peq->grab().toImage();
    for (int row = 0; row < peq->ChannelNumber(); ++row) {
        SCOPED_TRACE(row + 1);
        int green = 0;
        for (QWidget* e : {static_cast<QWidget*>(peq->FreqEdit(row)), static_cast<QWidget*>(peq->QEdit(row)),
                           static_cast<QWidget*>(peq->GainEdit(row))})
            green += GreenPixels(img, e->geometry());
        if (row == 2)
            EXPECT_GT(green, 20) << "the selected row is green";
        else
            EXPECT_EQ(green, 0) << "no other row is green";
    }
}

// Runs of text columns in a grab of a label (gaps of 10 pixels or more split them).
std::vector<std::pair<int, int>> TextRuns(const QImage& img, QColor background)
{
    std::vector<int> columns;
    for (int x = 0; x < img.width(); ++x)
        for (int y = 0; y < img.height(); ++y) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                    std::abs(c.blue() - background.blue()) >
                120) {
                columns.push_back(x);
                break;
            }
        }
    std::vector<std::pair<int, int>> runs;
    for (int x : columns)
        if (!runs.empty() && x - runs.back().second < 10)
            runs.back().second = x;
        else
            runs.push_back({x, x});
    return runs;
}

TEST_F(Pointer, TableHeaderStandsOverItsColumns)
{
    ShowPage("rzbMenuOut1");
    const int ch = 3;
    eq::TMyPEQType8* peq = Peq(ch);
    auto* header = Get<QWidget>(QStringLiteral("lbEq") + ChannelTitle(ch));
    ASSERT_NE(header, nullptr);
    const QWidget* cells[6] = {peq->NumberLabel(0), peq->FreqEdit(0), peq->QEdit(0),
                               peq->GainEdit(0),    peq->TypeBox(0),  peq->BypassButton(0)};
    // The heading texts of both languages, as the language switch sets them.
    for (const char* language : {"English", "ChineseGB"}) {
        SCOPED_TRACE(language);
        Get<fw::TControl>(QStringLiteral("lbEq") + ChannelTitle(ch))
            ->SetCaption(QString::fromStdString(LookupText(language, "SID_EQ_PARAM_TITLE")));
        testapp::PumpFor(10);
        // The header's background: the pixel colour at its left end.
        const QImage img = header->grab().toImage();
        const auto runs = TextRuns(img, img.pixelColor(1, 1));
        ASSERT_EQ(runs.size(), 6u) << "six headings";
        for (int k = 0; k < 6; ++k) {
            SCOPED_TRACE(k);
            const QRect cell(cells[k]->mapTo(w, QPoint()), cells[k]->size());
            const int cellCentre = cell.center().x();
            const int textCentre = header->mapTo(w, QPoint((runs[k].first + runs[k].second) / 2, 0)).x();
            EXPECT_NEAR(textCentre, cellCentre, 4) << "the heading centred over its column";
            EXPECT_GE(header->mapTo(w, QPoint(runs[k].first, 0)).x(), cell.left() - 6);
            EXPECT_LE(header->mapTo(w, QPoint(runs[k].second, 0)).x(), cell.right() + 6);
        }
    }
    Get<fw::TControl>(QStringLiteral("lbEq") + ChannelTitle(ch))
        ->SetCaption(QString::fromStdString(LookupText("English", "SID_EQ_PARAM_TITLE")));
}

// ---------------------------------------------------------------------------------------------------
// Crossover slopes

TEST_F(Pointer, SlopeListsReadAsSpecified)
{
    const QStringList want{"BW -6",  "BL -6",  "BW -12", "BL -12", "LK -12", "BW -18", "BL -18",
                           "BW -24", "BL -24", "LK -24", "BW -30", "BL -30", "BW -36", "BL -36",
                           "LK -36", "BW -42", "BL -42", "BW -48", "BL -48", "LK -48"};
    for (int ch = 0; ch < 9; ++ch)
        for (const char* cut : {"rzcLowCutSlop", "rzcHighCutSlop"}) {
            auto* combo = Get<sk::TSkComboBox>(QString::fromLatin1(cut) + ChannelTitle(ch));
            ASSERT_NE(combo, nullptr);
            QStringList items;
            for (int i = 0; i < combo->Count(); ++i)
                items << combo->Items()[i];
            EXPECT_EQ(items, want) << cut << ch;
        }
}

} // namespace
