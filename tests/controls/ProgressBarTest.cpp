#include "TestApp.h"

#include "controls/smooth/ProgressBar.h"

#include <gtest/gtest.h>

using namespace fx;

namespace {

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
        {"1: same block, same percent", 1, false},
        {"2: on a step bound", 2, true},
        {"3: same block, same percent", 3, false},
        {"4: step bound", 4, true},
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
