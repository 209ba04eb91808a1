// Segmented progress bar: position, range and percentage, the repaint rule, blocks and levels drawn
// on small images, the infinite sweep on the fake timer service, the two-integer format.
#include "controls/smooth/ProgressBar.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <utility>
#include <vector>

using namespace fx;

namespace
{

class CountingBar : public TFxProgressBar
{
  public:
    using TFxProgressBar::TFxProgressBar;
    int paints = 0;

  protected:
    void Paint(fw::TCanvas& c) override
    {
        ++paints;
        TFxProgressBar::Paint(c);
    }
};

class ProgressBarTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        testapp::EnsureApp();
        parent = std::make_unique<QWidget>();
        parent->resize(500, 100);
        bar = new CountingBar(parent.get());
        bar->SetBounds(10, 10, 431, 41);
        parent->show();
        Flush();
    }
    void Flush()
    {
        QApplication::processEvents();
        bar->paints = 0;
    }
    std::unique_ptr<QWidget> parent;
    CountingBar* bar = nullptr;
};

// A gauge drawn flat (no gradient, border or text) into a W x H image.
TGaugeSettings FlatSettings(int percent)
{
    TGaugeSettings s{};
    s.Level1Perc = 70;
    s.Level2Perc = 90;
    s.Steps = 8;
    s.Max = 100;
    s.Level0BkColor = s.Level1BkColor = s.Level2BkColor = fw::clNone;
    s.Level0Color = fw::clLime;
    s.Level1Color = fw::clYellow;
    s.Level2Color = 0x53A9FF;
    s.Level3Color = fw::clRed;
    s.BackgroundColor = fw::clWhite;
    s.BorderColor = fw::clGray;
    s.ShowGradient = false;
    s.ShowPosition = false;
    s.Rounded = false;
    s.Position = percent;
    s.Value = percent;
    return s;
}

QImage Render(const TGaugeSettings& s, int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    fw::TCanvas c(p);
    DrawGauge(c, fw::Rect(0, 0, w, h), s);
    return img;
}

fw::TColor At(const QImage& img, int x, int y)
{
    return fw::FromQColor(QColor(img.pixel(x, y)));
}

// Runs (start, length) of colour c along row y.
std::vector<std::pair<int, int>> Runs(const QImage& img, int y, fw::TColor c)
{
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < img.width(); ++x) {
        if (At(img, x, y) != c)
            continue;
        if (!runs.empty() && runs.back().first + runs.back().second == x)
            ++runs.back().second;
        else
            runs.push_back({x, 1});
    }
    return runs;
}

} // namespace

TEST_F(ProgressBarTest, DefaultsAndRange)
{
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(bar->Level1Perc(), 70);
    EXPECT_EQ(bar->Version(), "1.2.0.1");
    bar->SetVersion("9.9");
    EXPECT_EQ(bar->Version(), "1.2.0.1");
    TFxProgressBar fresh;
    EXPECT_EQ(fresh.Width(), 128);
    EXPECT_EQ(fresh.Height(), 18);
}

TEST_F(ProgressBarTest, PercentageFollowsPositionAndRange)
{
    struct Case {
        const char* name;
        int min, max, position, percent;
    };
    const Case cases[] = {
        {"max 22 half way", 0, 22, 11, 50},       {"max 2 one step", 0, 2, 1, 50},
        {"max 280 start", 0, 280, 0, 0},          {"max 280 end", 0, 280, 280, 100},
        {"rounds to nearest", 0, 3, 1, 33},       {"half rounds to even", 0, 8, 1, 12},
        {"measured from min", 100, 200, 150, 50}, {"empty range", 5, 5, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar->SetMin(c.min);
        bar->SetMax(c.max);
        bar->SetPosition(c.position);
        EXPECT_EQ(bar->Position(), c.position);
        EXPECT_EQ(bar->Percentage(), c.percent);
        bar->SetMin(0);
        bar->SetMax(100);
    }
}

TEST_F(ProgressBarTest, OutOfRangeStoresTheBoundAndShowsIt)
{
    bar->SetMax(22);
    bar->SetPosition(11);
    Flush();
    bar->SetPosition(40);
    EXPECT_EQ(bar->Position(), 22);
    EXPECT_EQ(bar->Percentage(), 100);
    EXPECT_EQ(bar->paints, 1) << "the stored bound is drawn";
    bar->SetPosition(-3);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(bar->paints, 2);
}

TEST_F(ProgressBarTest, RepaintsOnlyOnStepBlockOrPercentChange)
{
    bar->SetMax(280); // step size 2
    struct Case {
        const char* name;
        int position;
        bool paints;
    };
    const Case cases[] = {
        {"0 is on a step bound", 0, true},   {"1 same block, same percent", 1, false},
        {"2 on a step bound", 2, true},      {"3 same block and percent as 2", 3, false},
        {"5 percent changes to 2", 5, true}, {"5 again", 5, false},
        {"6 on a step bound", 6, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Flush();
        bar->SetPosition(c.position);
        EXPECT_EQ(bar->paints > 0, c.paints);
    }
}

TEST_F(ProgressBarTest, SmallRangesRepaintEveryPosition)
{
    bar->SetMax(22); // step size 0
    for (int p = 0; p <= 22; ++p) {
        Flush();
        bar->SetPosition(p);
        EXPECT_EQ(bar->paints, 1) << "position " << p;
    }
}

TEST(ProgressBarDrawing, BlocksOfSevenWithRemainder)
{
    // Width 102: the inner length n is 100, so the percentage is the block length m.
    struct Case {
        const char* name;
        int percent;
        std::vector<std::pair<int, int>> runs;
    };
    const Case cases[] = {
        {"m 1 draws nothing", 1, {}},
        {"m 2 draws one pixel", 2, {{2, 1}}},
        {"m 9 one block of 8", 9, {{2, 8}}},
        {"m 10 one block, no remainder", 10, {{2, 7}}},
        {"m 21 two blocks and 2 pixels", 21, {{2, 7}, {11, 7}, {20, 2}}},
        {"m 29 remainder 2 is dropped", 29, {{2, 7}, {11, 7}, {20, 7}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage img = Render(FlatSettings(c.percent), 102, 20);
        EXPECT_EQ(Runs(img, 10, fw::clLime), c.runs);
    }
}

TEST(ProgressBarDrawing, VerticalBlocksRunUpFromTheBottom)
{
    TGaugeSettings s = FlatSettings(9);
    s.Orientation = goVertical;
    const QImage img = Render(s, 20, 102);
    // B - m - 1 .. B - 2: rows 92 .. 99.
    int first = -1, count = 0;
    for (int y = 0; y < 102; ++y)
        if (At(img, 10, y) == fw::clLime) {
            if (first < 0)
                first = y;
            ++count;
        }
    EXPECT_EQ(first, 92);
    EXPECT_EQ(count, 8);
}

TEST(ProgressBarDrawing, LevelColourByPercentage)
{
    struct Case {
        const char* name;
        int percent;
        fw::TColor colour;
    };
    const Case cases[] = {
        {"below level 1", 69, fw::clLime}, {"at level 1", 70, fw::clYellow},   {"at level 2", 90, 0x53A9FF},
        {"99 is level 2", 99, 0x53A9FF},   {"100 is level 3", 100, fw::clRed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGaugeSettings s = FlatSettings(c.percent);
        s.CompletionSmooth = true;
        const QImage img = Render(s, 102, 20);
        EXPECT_EQ(At(img, 5, 10), c.colour);
    }
}

TEST(ProgressBarDrawing, StackedSplitsAtTheThresholds)
{
    TGaugeSettings s = FlatSettings(80);
    s.Stacked = true;
    const QImage img = Render(s, 102, 20);
    const auto lime = Runs(img, 10, fw::clLime);
    const auto yellow = Runs(img, 10, fw::clYellow);
    ASSERT_EQ(lime.size(), 1u);
    ASSERT_EQ(yellow.size(), 1u);
    EXPECT_EQ(lime[0].first, 2);
    EXPECT_GE(lime[0].second, 68) << "level 0 over 70 % of the length";
    EXPECT_LE(lime[0].second, 70);
    EXPECT_EQ(yellow[0].first, lime[0].first + lime[0].second) << "level 1 follows at once";
    EXPECT_EQ(yellow[0].second, 10);
    EXPECT_TRUE(Runs(img, 10, 0x53A9FF).empty()) << "nothing of level 2";
}

TEST(ProgressBarDrawing, StackedSegmentsStayInsideTheBorder)
{
    // n = 100 inner pixels: at p 100 the three segments are 70, 20 and 10 pixels and end at R - 2.
    TGaugeSettings s = FlatSettings(100);
    s.Stacked = true;
    s.ShowBorder = true;
    const QImage img = Render(s, 102, 20);
    const auto lime = Runs(img, 10, fw::clLime);
    const auto yellow = Runs(img, 10, fw::clYellow);
    const auto orange = Runs(img, 10, 0x53A9FF);
    ASSERT_EQ(lime.size(), 1u);
    ASSERT_EQ(yellow.size(), 1u);
    ASSERT_EQ(orange.size(), 1u);
    EXPECT_EQ(lime[0], std::make_pair(2, 68)) << "segment 1 runs L+2 .. L+70";
    EXPECT_EQ(yellow[0], std::make_pair(70, 20));
    EXPECT_EQ(orange[0], std::make_pair(90, 10)) << "segment 3 ends at R-2";
    EXPECT_EQ(At(img, 101, 10), fw::clGray) << "the right border is not painted over";
}

TEST(ProgressBarDrawing, InfiniteShowsA22PixelWindow)
{
    TGaugeSettings s = FlatSettings(0);
    s.Infinite = true;
    s.InfinitePos = 0;
    QImage img = Render(s, 102, 20);
    EXPECT_EQ(At(img, 5, 10), fw::clLime) << "the window at the start";
    EXPECT_EQ(At(img, 50, 10), fw::clWhite) << "outside the window";
    s.InfinitePos = 50; // P = 49: window 39 .. 61
    img = Render(s, 102, 20);
    EXPECT_EQ(At(img, 5, 10), fw::clWhite);
    EXPECT_EQ(At(img, 50, 10), fw::clLime);
    EXPECT_EQ(At(img, 70, 10), fw::clWhite);
}

TEST(ProgressBarDrawing, GradientShowsColourInTheMiddleAndColourToAtTheEdges)
{
    TGaugeSettings s = FlatSettings(50);
    s.ShowGradient = true;
    s.CompletionSmooth = true;
    s.Level0Color = fw::RGB(0, 0, 0);
    s.Level0ColorTo = fw::RGB(240, 240, 240);
    s.Steps = 8;
    const QImage img = Render(s, 102, 42);
    const int edge = fw::GetRValue(At(img, 20, 2));
    const int middle = fw::GetRValue(At(img, 20, 20));
    EXPECT_GT(edge, 180);
    EXPECT_LT(middle, 60);
}

TEST(ProgressBarDrawing, RoundedCornersShowTheParent)
{
    testapp::EnsureApp();
    QWidget parent;
    parent.resize(200, 60);
    QPalette pal;
    pal.setColor(QPalette::Window, Qt::blue);
    parent.setPalette(pal);
    parent.setAutoFillBackground(true);
    auto* bar = new TFxProgressBar(&parent);
    bar->SetBounds(10, 10, 128, 18);
    parent.show();
    const QImage img = parent.grab().toImage();
    EXPECT_EQ(QColor(img.pixel(10, 10)), QColor(Qt::blue)) << "corner keyed out";
    EXPECT_NE(QColor(img.pixel(12, 19)), QColor(Qt::magenta));
}

TEST(ProgressBarSweep, TimerRunsOnlyWhenInfiniteAndAnimated)
{
    testapp::EnsureApp();
    fw::FakeTimerScope timers;
    TFxProgressBar bar;
    bar.SetInfinite(true);
    EXPECT_EQ(timers.Fake.ActiveCount(), 0u);
    bar.SetAnimated(true);
    EXPECT_EQ(timers.Fake.ActiveCount(), 1u);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        timers.Fake.Advance(50);
        seen.push_back(bar.InfinitePos());
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 4, 8, 12})) << "the first tick turns upward at 0";
    for (int i = 0; i < 30; ++i)
        timers.Fake.Advance(50);
    EXPECT_LE(bar.InfinitePos(), 100);
    EXPECT_GE(bar.InfinitePos(), 0);
    bar.SetAnimated(false);
    EXPECT_EQ(timers.Fake.ActiveCount(), 0u);
    bar.SetAnimated(true);
    bar.SetInfinite(false);
    EXPECT_EQ(timers.Fake.ActiveCount(), 0u);
}

TEST(ProgressBarText, TextByFormatPercentageOrValue)
{
    struct Case {
        const char* name;
        const char* format;
        bool percentage;
        const char* text;
    };
    const Case cases[] = {
        {"percentage", "", true, "23%"},
        {"raw value", "", false, "5"},
        {"format with two integers", "%d of %d", true, "5 of 22"},
        {"format without placeholders", "busy", true, "busy"},
        {"width and left alignment", "[%3d|%-3d]", true, "[  5|22 ]"},
        {"precision pads with zeros", "%.3d/%.3d", true, "005/022"},
        {"hexadecimal", "%x %X", true, "5 16"},
        {"percent sign", "%d%% of %d", true, "5% of 22"},
        {"a third directive is left as written", "%d %d %d", true, "5 22 %d"},
        {"a non-integer directive is left as written", "%s %d", true, "%s 5"},
        {"a directive at the end", "%d %", true, "5 %"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGaugeSettings s = FlatSettings(23);
        s.Value = 5;
        s.Max = 22;
        s.ShowPercentage = c.percentage;
        s.Format = QString::fromLatin1(c.format);
        EXPECT_EQ(GaugeText(s), QString::fromLatin1(c.text));
    }
}

namespace
{

TEST(ProgressBar, PercentageAndText)
{
    testapp::EnsureApp();
    TFxProgressBar bar;
    struct Case {
        const char* name;
        int min, max, position;
        QString format;
        bool showPercentage;
        int percent;
        QString text;
    } cases[] = {
        {"half of 22", 0, 22, 11, "", true, 50, "50%"},
        {"value instead of percent", 0, 22, 11, "", false, 50, "11"},
        {"format with position and max", 0, 22, 5, "%d of %d", true, 23, "5 of 22"},
        {"empty range", 5, 5, 5, "", true, 0, "0%"},
        {"range not starting at zero", 100, 200, 150, "", true, 50, "50%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bar.SetMin(c.min);
        bar.SetMax(c.max);
        bar.SetPosition(c.position);
        bar.SetFormat(c.format);
        bar.SetShowPercentage(c.showPercentage);
        EXPECT_EQ(bar.Percentage(), c.percent);
        EXPECT_EQ(GaugeText(bar.Settings()), c.text);
        bar.SetMin(0);
    }
}

TEST(ProgressBar, RepaintRuleFollowsStepsBlocksAndPercent)
{
    testapp::EnsureApp();
    TFxProgressBar bar;
    bar.SetMax(22); // step size 0: every accepted position paints
    bar.SetPosition(0);
    const int base = bar.PaintRequests();
    for (int i = 1; i <= 22; ++i)
        bar.SetPosition(i);
    EXPECT_EQ(bar.PaintRequests() - base, 22);

    bar.SetMax(280); // step size 2
    bar.SetPosition(0);
    struct Case {
        const char* name;
        int position;
        bool paints;
    } steps[] = {
        {"1: same block, same percent", 1, false}, {"2: on a step bound", 2, true},
        {"3: same block, same percent", 3, false}, {"4: step bound", 4, true},
        {"5: percent changes to 2", 5, true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.name);
        const int before = bar.PaintRequests();
        bar.SetPosition(s.position);
        EXPECT_EQ(bar.PaintRequests() - before, s.paints ? 1 : 0);
    }
}

TEST(ProgressBar, OutOfRangePositionIsClampedAndShown)
{
    testapp::EnsureApp();
    TFxProgressBar bar;
    bar.SetMax(22);
    bar.SetPosition(10);
    int before = bar.PaintRequests();
    bar.SetPosition(40);
    EXPECT_EQ(bar.Position(), 22);
    EXPECT_EQ(bar.PaintRequests() - before, 1);
    before = bar.PaintRequests();
    bar.SetPosition(50); // already at Max: nothing to show
    EXPECT_EQ(bar.PaintRequests() - before, 0);
    bar.SetPosition(-3);
    EXPECT_EQ(bar.Position(), 0);
}

TEST(ProgressBar, SweepRunsOnlyWhenInfiniteAndAnimated)
{
    testapp::EnsureApp();
    fw::FakeTimerScope timers;
    TFxProgressBar bar;
    bar.SetInfinite(true);
    timers.Fake.Advance(500);
    EXPECT_EQ(bar.InfinitePos(), 0);
    bar.SetAnimated(true);
    timers.Fake.Advance(50);
    EXPECT_EQ(bar.InfinitePos(), 0); // the first tick turns upward
    timers.Fake.Advance(100);
    EXPECT_EQ(bar.InfinitePos(), 8);
    timers.Fake.Advance(50 * 30);
    EXPECT_EQ(bar.InfinitePos(), 100 - 4 * 7);
    bar.SetAnimated(false);
    const int pos = bar.InfinitePos();
    timers.Fake.Advance(1000);
    EXPECT_EQ(bar.InfinitePos(), pos);
}

TEST(ProgressBar, BlocksAndLevelsArePaintedWhereTheRulesPutThem)
{
    testapp::EnsureApp();
    struct Case {
        const char* name;
        int percent;
        int lastLit; // last bar column painted (relative to L + 2), -1 for none
    } cases[] = {
        {"m = 9: one block of 8", 9, 7},
        {"m = 10: one block of 7", 10, 6},
        {"m = 21: two blocks and a remainder of 2", 21, 9 * 2 + 1},
        {"m = 1: nothing", 1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGaugeSettings g = TFxProgressBar().Settings();
        g.ShowGradient = false;
        g.ShowPosition = false;
        g.Rounded = false;
        g.Position = c.percent; // n = 100, so m = percent
        QImage img(102, 20, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            fw::TCanvas canvas(p);
            DrawGauge(canvas, {0, 0, 102, 20}, g);
        }
        int last = -1;
        for (int x = 2; x < 100; ++x)
            if (img.pixelColor(x, 10) == fw::ToQColor(g.Level0Color))
                last = x - 2;
        EXPECT_EQ(last, c.lastLit);
    }
}

} // namespace
