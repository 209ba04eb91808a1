#include "support/Hover.h"
#include "support/TestApp.h"

#include "controls/smooth/Skin.h"
#include "controls/smooth/TrackBar.h"
#include "runtime/Timer.h"

#include <gtest/gtest.h>

using namespace fx;
using namespace testapp;

namespace
{

// A main-window fader: 26 x 193, vertical, slider 3 wide, 16 x 29 thumb pictures, range 0..240.
struct Fader : ::testing::Test {
    void SetUp() override
    {
        EnsureApp();
        parent = std::make_unique<QWidget>();
        bar = new TFxTrackBar(parent.get());
        bar->SetOrientation(trVertical);
        bar->SetBounds(0, 0, 26, 193);
        bar->Slider().SetSize(3);
        bar->TickMark().SetStyle(tsNone);
        bar->SetShowFocus(true);
        skin::LoadFaderThumbs(bar->Thumb());
        bar->SetMax(240);
        bar->SetPageSize(6);
        bar->SetPosition(120);
        bar->OnChange = [this](fw::TControl*) { changes.push_back(bar->Position()); };
    }
    std::unique_ptr<QWidget> parent;
    TFxTrackBar* bar = nullptr;
    std::vector<int> changes;
};

TEST(TrackGeometry, ValueToPixelRoundsHalfToEven)
{
    struct Case {
        const char* name;
        int travel, position, min, max, offset;
    } cases[] = {
        {"middle", 158, 120, 0, 240, 79},
        {"half rounds to even", 158, 180, 0, 240, 118},
        {"min end", 158, 0, 0, 240, 0},
        {"max end", 158, 240, 0, 240, 158},
        {"empty range", 158, 5, 5, 5, 0},
        {"no travel", 0, 120, 0, 240, 0},
        {"min above max stays on the track", 158, 3, 10, 0, 111},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trackgeom::ThumbOffset(c.travel, c.position, c.min, c.max), c.offset);
    }
}

TEST(TrackGeometry, JumpAndDragMapPixelsToValues)
{
    const fw::TRect track{13, 3, 23, 190};
    struct Case {
        const char* name;
        int y, value;
    } cases[] = {{"row 161 is the bottom", 161, 0},
                 {"below the bottom clamps", 180, 0},
                 {"row 3 clamps to max", 3, 240},
                 {"thumb top at 82 is the middle", 82, 120},
                 {"one row up", 160, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trackgeom::JumpValue(true, track, 29, 14, 0, c.y, 0, 240, -1), c.value);
    }
    // Grip 5 pixels below the centre; moving by the whole travel crosses the whole range.
    EXPECT_EQ(trackgeom::DragValue(true, track, 29, 0, 5, 0, 190 - 29 + 14 + 5, 0, 240, 7), 0);
    EXPECT_EQ(trackgeom::DragValue(true, track, 29, 0, 5, 0, 190 - 29 + 14 + 5 - 158, 0, 240, 7), 240);
    // A track no longer than the thumb maps nothing: the value stays.
    EXPECT_EQ(trackgeom::JumpValue(true, {0, 0, 10, 29}, 29, 14, 0, 5, 0, 240, 77), 77);
    EXPECT_EQ(trackgeom::DragValue(false, {0, 0, 20, 10}, 29, 0, 0, 5, 0, 0, 240, 77), 77);
    // Min above Max: the mapping clamps to Max first, then to Min.
    EXPECT_EQ(trackgeom::JumpValue(true, track, 29, 14, 0, 50, 10, 0, 3), 10);
}

TEST(TrackGeometry, ValueHintMovesOnlyWhenItLiesBeyondTheMonitorEdge)
{
    const QRect monitor(0, 0, 1920, 1080); // right edge 1920, bottom edge 1080
    const QSize hint(40, 20);
    struct Case {
        const char* name;
        QPoint wanted, placed;
    };
    const Case cases[] = {
        {"inside: stays", {100, 100}, {100, 100}},
        {"right edge on the monitor's: stays", {1880, 100}, {1880, 100}},
        {"bottom edge on the monitor's: stays", {100, 1060}, {100, 1060}},
        {"one pixel beyond the right: 2 pixels inside", {1881, 100}, {1878, 100}},
        {"beyond the bottom: 2 pixels inside", {100, 1075}, {100, 1058}},
        {"beyond both", {1900, 1070}, {1878, 1058}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(trackgeom::HintPosition(c.wanted, hint, monitor), c.placed);
    }
    // A second monitor to the right: its own edges count.
    EXPECT_EQ(trackgeom::HintPosition({3830, 5}, hint, QRect(1920, 0, 1920, 1080)), QPoint(3838 - 40, 5));
}

TEST_F(Fader, ThumbTakesItsSizeFromThePictureAndSitsWhereTheLayoutExpects)
{
    EXPECT_EQ(bar->Thumb().Width(), 29);
    EXPECT_EQ(bar->Thumb().Size(), 16);
    bar->Thumb().SetWidth(10);
    bar->Thumb().SetSize(3);
    EXPECT_EQ(bar->Thumb().Width(), 29); // ignored while a picture is loaded
    EXPECT_EQ(bar->GetInnerRect(), (fw::TRect{3, 3, 23, 190}));
    EXPECT_EQ(bar->GetTrackRect(), (fw::TRect{13, 3, 23, 190}));
    EXPECT_EQ(bar->GetSliderRect(), (fw::TRect{13, 3, 16, 190}));
    EXPECT_EQ(bar->GetThumbRect(), (fw::TRect{6, 82, 22, 111}));
    bar->SetPosition(180);
    EXPECT_EQ(bar->GetThumbRect().Bottom, 190 - 118);
}

TEST_F(Fader, PlainMovesLightTheThumbAndFireOnMouseMove)
{
    int moves = 0;
    bar->OnMouseMove = [&](fw::TControl*, fw::TShiftState, int, int) { ++moves; };
    const fw::TRect thumb = bar->GetThumbRect();
    testsupport::Hover(bar, thumb.Left + thumb.Width() / 2, thumb.Top + thumb.Height() / 2);
    EXPECT_TRUE(bar->ThumbHot());
    EXPECT_GE(moves, 1);
    testsupport::Hover(bar, thumb.Left + thumb.Width() / 2, 190);
    EXPECT_FALSE(bar->ThumbHot());
}

TEST_F(Fader, SetPositionFiresExactlyWhatTheValueModelSays)
{
    bar->SetPosition(120); // unchanged
    EXPECT_TRUE(changes.empty());
    bar->SetPosition(300); // clamped to Max, fires
    bar->SetPosition(245); // differs from Position before clamping: fires again at Max
    bar->SetPosition(100);
    bar->SetMin(150); // raising Min above Position moves it
    bar->SetMin(0);
    bar->SetMax(120); // lowering Max below Position moves it
    EXPECT_EQ(changes, (std::vector<int>{240, 240, 100, 150, 120}));
    EXPECT_EQ(bar->Position(), 120);
}

TEST_F(Fader, KeysAndWheelMoveAVerticalFader)
{
    struct Case {
        const char* name;
        int start;
        std::function<void()> act;
        int expected;
        bool fires;
    } cases[] = {
        {"page up", 100, [&] { Key(bar, Qt::Key_PageUp); }, 106, true},
        {"page down", 100, [&] { Key(bar, Qt::Key_PageDown); }, 94, true},
        {"home goes to max", 100, [&] { Key(bar, Qt::Key_Home); }, 240, true},
        {"end goes to min", 100, [&] { Key(bar, Qt::Key_End); }, 0, true},
        {"up", 100, [&] { Key(bar, Qt::Key_Up); }, 101, true},
        {"right", 100, [&] { Key(bar, Qt::Key_Right); }, 101, true},
        {"down", 100, [&] { Key(bar, Qt::Key_Down); }, 99, true},
        {"left", 100, [&] { Key(bar, Qt::Key_Left); }, 99, true},
        {"shift leaves the value", 100, [&] { Key(bar, Qt::Key_Up, Qt::ShiftModifier); }, 100, false},
        {"up at max fires nothing", 240, [&] { Key(bar, Qt::Key_Up); }, 240, false},
        {"wheel up", 100, [&] { Wheel(bar, 120); }, 101, true},
        {"wheel down at min fires nothing", 0, [&] { Wheel(bar, -120); }, 0, false},
        {"three partial deltas make one notch", 100,
         [&] {
             Wheel(bar, 40);
             Wheel(bar, 40);
             Wheel(bar, 40);
         },
         101, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bar->SetPosition(c.start);
        changes.clear();
        c.act();
        EXPECT_EQ(bar->Position(), c.expected);
        EXPECT_EQ(!changes.empty(), c.fires);
    }
}

TEST_F(Fader, KeyHandlerCanSwallowTheKey)
{
    bar->OnKeyDown = [](fw::TControl*, fw::Word& key, fw::TShiftState) { key = 0; };
    Key(bar, Qt::Key_Up);
    EXPECT_TRUE(changes.empty());
}

TEST_F(Fader, HoldingTheTrackPagesTowardThePointerAndStopsThere)
{
    fw::FakeTimerScope timers;
    // Press above the thumb (thumb rows 82..111): paging up toward row 60.
    Press(bar, 10, 60);
    ASSERT_EQ(changes, (std::vector<int>{126}));
    timers.Fake.Advance(399);
    EXPECT_EQ(changes.size(), 1u);
    timers.Fake.Advance(1);
    EXPECT_EQ(bar->Position(), 132);
    timers.Fake.Advance(3000);
    const int reached = bar->Position();
    // The thumb reached the pointer: it no longer steps, and never steps back.
    const std::size_t count = changes.size();
    timers.Fake.Advance(3000);
    EXPECT_EQ(changes.size(), count);
    for (std::size_t i = 1; i < changes.size(); ++i)
        EXPECT_GT(changes[i], changes[i - 1]);
    const int bottomEdge = bar->GetThumbRect().Bottom;
    EXPECT_GE(60, bar->GetThumbRect().Top - 2);
    EXPECT_LE(bar->GetThumbRect().Top, 60 + 2);
    (void)bottomEdge;
    (void)reached;
    Release(bar, 10, 60);
    EXPECT_FALSE(bar->RepeatTimerEnabled());
}

TEST_F(Fader, QuickClickOnTheTrackPagesOnce)
{
    fw::FakeTimerScope timers;
    Press(bar, 10, 150);
    Release(bar, 10, 150);
    timers.Fake.Advance(1000);
    EXPECT_EQ(changes, (std::vector<int>{114}));
}

TEST_F(Fader, DraggingTheThumbKeepsTheGripPoint)
{
    const fw::TRect thumb = bar->GetThumbRect();
    const int grabY = thumb.Top + thumb.Height() / 2 + 5;
    Press(bar, 12, grabY);
    EXPECT_TRUE(bar->ThumbDown());
    EXPECT_TRUE(changes.empty()); // grabbing does not move it
    Move(bar, 12, grabY - 79);
    EXPECT_EQ(bar->Position(), 240);
    Move(bar, 12, grabY + 79);
    EXPECT_EQ(bar->Position(), 0);
    Release(bar, 12, grabY + 79);
    EXPECT_FALSE(bar->Sliding());
    EXPECT_FALSE(bar->TrackHintShowing()); // TrackHint is off on the main window's faders
}

TEST_F(Fader, MoveOnClickJumpsToThePressedRow)
{
    bar->SetMoveOnClick(mcMove);
    Press(bar, 10, 161);
    EXPECT_EQ(bar->Position(), 0);
    Release(bar, 10, 161);
    Press(bar, 10, 3);
    EXPECT_EQ(bar->Position(), 240);
}

TEST_F(Fader, EmptyRangeAndShortTrackNeverDivideByZero)
{
    fw::FakeTimerScope timers;
    bar->SetMin(240);
    changes.clear();
    Press(bar, 10, 20);
    timers.Fake.Advance(2000);
    Release(bar, 10, 20);
    EXPECT_TRUE(changes.empty()); // paging an empty range sends nothing
    bar->SetBounds(0, 0, 26, 30); // track shorter than the thumb
    bar->SetMin(0);
    bar->SetMoveOnClick(mcMove);
    const int before = bar->Position();
    Press(bar, 10, 100);
    EXPECT_EQ(bar->Position(), before);
}

TEST_F(Fader, MouseDownHandlerRunsBeforeTheFaderActs)
{
    std::vector<std::string> log;
    bar->OnMouseDown = [&](fw::TControl*, fw::TMouseButton, fw::TShiftState, int, int) {
        log.push_back("down@" + std::to_string(bar->Position()));
    };
    bar->OnChange = [&](fw::TControl*) { log.push_back("change@" + std::to_string(bar->Position())); };
    fw::FakeTimerScope timers;
    Press(bar, 10, 150);
    Release(bar, 10, 150);
    EXPECT_EQ(log, (std::vector<std::string>{"down@120", "change@114"}));
}

TEST(FaderButtons, StepButtonStepsOnReleaseAndRepeatsWhileHeld)
{
    EnsureApp();
    fw::FakeTimerScope timers;
    QWidget parent;
    TFxTrackBar bar(&parent);
    bar.SetBounds(0, 0, 200, 30);
    bar.Buttons().SetVisible(true);
    bar.SetMax(100);
    std::vector<int> changes;
    bar.OnChange = [&](fw::TControl*) { changes.push_back(bar.Position()); };
    const fw::TRect maxButton = bar.GetMaxButtonRect();
    Press(&bar, maxButton.Left + 3, maxButton.Top + 3);
    EXPECT_TRUE(changes.empty());
    timers.Fake.Advance(400 + 100 * 2);
    Release(&bar, maxButton.Left + 3, maxButton.Top + 3);
    EXPECT_EQ(changes, (std::vector<int>{1, 2, 3, 4}));
}

TEST(FaderStyle, ComponentStyleClearsPicturesAndSetsColours)
{
    EnsureApp();
    TFxTrackBar bar;
    skin::LoadFaderThumbs(bar.Thumb());
    bar.Thumb().SetShape(tsRound);
    bar.SetComponentStyle(tsCustom);
    EXPECT_TRUE(bar.Thumb().Picture().Empty());
    EXPECT_EQ(bar.Thumb().Shape(), tsPointer);
    bar.SetComponentStyle(tsOffice2010Black);
    EXPECT_EQ(bar.Thumb().Color(), 13224393);
    EXPECT_EQ(bar.Slider().BorderColor(), 2500134);
    EXPECT_EQ(bar.TickMark().Color(), 2500134);
    EXPECT_EQ(bar.Thumb().ColorDown(), 6670325);
    EXPECT_EQ(bar.Version(), "1.6.3.0");
}

TEST(FaderThumbShapes, PolygonThumbsHaveWhiteContoursWithTheBorderColourBetween)
{
    // A horizontal bar with ticks above: a thumb 20 along and 30 across; each shape has a straight
    // edge at the probe, and the lines stand 0, 1 and 2 pixels inside it.
    EnsureApp();
    struct Case {
        const char* name;
        TThumbShape shape;
        char edge; // 'b'ottom, 'l'eft or 'r'ight side of the thumb rectangle
    };
    const Case cases[] = {
        {"triangle pointing up", tsTriangle, 'b'},        {"triangle pointing right", tsTriangleLeft, 'l'},
        {"triangle pointing left", tsTriangleRight, 'r'}, {"pointer slanted right", tsPointerRightUp, 'b'},
        {"pointer slanted left", tsPointerLeftUp, 'l'},
    };
    for (const Case& c : cases) {
        for (const bool withBorder : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (withBorder ? ", border colour" : ", no border colour"));
            QWidget parent;
            TFxTrackBar bar(&parent);
            bar.SetBounds(0, 0, 200, 60);
            bar.TickMark().SetStyle(tsAuto);
            bar.TickMark().SetPosition(tmTopLeft);
            bar.Thumb().SetShape(c.shape);
            bar.Thumb().SetWidth(20);
            bar.Thumb().SetSize(30);
            bar.Thumb().SetBorderColor(withBorder ? fw::clRed : fw::clNone);
            bar.SetPosition(5);
            const fw::TRect r = bar.GetThumbRect();
            ASSERT_EQ(r.Width(), 20);
            ASSERT_EQ(r.Height(), 30);
            const QImage img = bar.grab().toImage();
            const int midX = r.Left + 10, midY = r.Top + 14;
            QPoint at, in;
            switch (c.edge) {
            case 'b':
                at = {midX - 3, r.Bottom - 1}, in = {0, -1};
                break;
            case 'l':
                at = {r.Left, midY}, in = {1, 0};
                break;
            default:
                at = {r.Right - 1, midY}, in = {-1, 0};
                break;
            }
            auto colour = [&](QPoint q) { return fw::FromQColor(img.pixelColor(q)); };
            EXPECT_EQ(colour(at), fw::clWhite) << "the contour";
            EXPECT_EQ(colour(at + 2 * in), fw::clWhite) << "the inner contour";
            if (withBorder) {
                EXPECT_EQ(colour(at + in), fw::clRed) << "the border colour between them";
            } else {
                EXPECT_NE(colour(at + in), fw::clWhite) << "the body shows between them";
            }
            const fw::TColor body = colour(at + 4 * in);
            EXPECT_NE(body, fw::clWhite);
            EXPECT_NE(body, fw::clRed);
            // The grip runs across the middle: white, and beside it (one pixel on) the border colour.
            const int gripX = r.Left + r.Width() / 2, gripY = r.Top + r.Height() / 2;
            EXPECT_EQ(colour({gripX, gripY}), fw::clWhite);
            if (withBorder) {
                EXPECT_EQ(colour({gripX + 1, gripY}), fw::clRed) << "the border-coloured grip";
            } else {
                EXPECT_NE(colour({gripX + 1, gripY}), fw::clWhite) << "one white grip only";
            }
        }
    }
}

TEST(FaderRating, ClickOnTheKthPictureSetsMinPlusK)
{
    EnsureApp();
    QWidget parent;
    TFxTrackBar bar(&parent);
    bar.SetBounds(0, 0, 200, 40);
    bar.SetMax(5);
    QImage star(12, 12, QImage::Format_RGB32);
    star.fill(Qt::yellow);
    bar.RateActive().AssignBitmap(star);
    star.fill(Qt::gray);
    bar.RateInActive().AssignBitmap(star);
    ASSERT_TRUE(bar.IsRatingMode());
    const fw::TRect third = bar.GetRateRect(3);
    Release(&bar, third.Left + 2, third.Top + 2);
    EXPECT_EQ(bar.Position(), 3);
    const fw::TRect first = bar.GetRateRect(1);
    Release(&bar, first.Left - 2, first.Top + 2);
    EXPECT_EQ(bar.Position(), 0);
}

TEST(FaderTicks, TickImagesDrawByValueAndTheListCanGo)
{
    EnsureApp();
    QWidget parent;
    TFxTrackBar bar(&parent);
    bar.SetBounds(0, 0, 200, 40);
    bar.SetMax(3);
    bar.SetPosition(3);
    bar.Thumb().SetShowAtMinMax(false); // keep the thumb off the ticks
    bar.TickMark().SetStyle(tsAuto);
    bar.TickMark().SetPosition(tmBottomRight);
    auto* list = new fw::TCustomImageList(6, 6);
    for (QColor c : {QColor(Qt::red), QColor(Qt::blue)}) {
        QImage cell(6, 6, QImage::Format_RGB32);
        cell.fill(c);
        list->Add(cell);
    }
    bar.SetTickImages(list);
    const fw::TRect t2 = bar.GetBottomRightTickRect();
    const fw::TRect track = bar.GetTrackRect();
    const double scale = double(track.Width() - bar.Thumb().Width()) / 3;
    struct Case {
        const char* name;
        int value;
        QColor colour;
    };
    const Case cases[] = {{"value 0 takes image 0", 0, Qt::red},
                          {"value 1 takes image 1", 1, Qt::blue},
                          {"value 2 is past the list: image 0", 2, Qt::red}};
    const QImage img = bar.grab().toImage();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int along = t2.Left + int(scale * c.value);
        // Drawn where the line starts, moved back by half the image height.
        EXPECT_EQ(QColor(img.pixel(along - 3 + 2, t2.Bottom - bar.TickMark().Size() + 2)), c.colour);
    }
    delete list;
    EXPECT_EQ(bar.TickImages(), nullptr);
    EXPECT_FALSE(bar.grab().toImage().isNull()) << "paints with the plain tick lines again";
}

} // namespace
