// The splash progress bar: its rectangles and value text, the eased position and the glow on the
// fake timer, the appearance applied to the control, and its drawing.
#include "controls/smooth/SplashProgress.h"
#include "support/TestApp.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace fx;

TEST(SplashProgress, RectanglesAndValueText)
{
    testapp::EnsureApp();
    TGDIPSplashProgress a;
    a.BackGroundFill().SetBorderColor(fw::clGray);
    a.BackGroundFill().SetBorderWidth(3);
    const fw::TRect r{0, 0, 301, 21};
    const gp::TGPRectF in = a.GetInsideRectF(r);
    EXPECT_FLOAT_EQ(in.X, 2);
    EXPECT_FLOAT_EQ(in.Width, 296);
    EXPECT_FLOAT_EQ(in.Height, 16);
    struct Case {
        const char* name;
        double position, maximum, minimum;
        float filled;
    } cases[] = {
        {"half", 50, 100, 0, 148}, {"full", 100, 100, 0, 296},     {"beyond", 150, 100, 0, 296},
        {"below", -5, 100, 0, 0},  {"empty range", 50, 50, 50, 0}, {"reversed range", 50, 0, 100, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FLOAT_EQ(a.CalculateProgressRectangle(r, c.position, c.maximum, c.minimum).Width, c.filled);
    }
    a.ProgressFill().SetBorderColor(fw::clBlue);
    a.ProgressFill().SetBorderWidth(2);
    const gp::TGPRectF done = a.CalculateProgressRectangle(r, 100, 100, 0);
    EXPECT_FLOAT_EQ(done.X, 3);
    EXPECT_FLOAT_EQ(done.Width, 294);
    EXPECT_FLOAT_EQ(done.Height, 14);

    EXPECT_EQ(a.ValueText(42.4, 100, 0), QStringLiteral("42%"));
    a.SetValueType(vtPercentage);
    EXPECT_EQ(a.ValueText(30, 200, 100), QStringLiteral("0%"));
    EXPECT_EQ(a.ValueText(150, 200, 100), QStringLiteral("50%"));
    EXPECT_EQ(a.ValueText(7, 50, 50), QStringLiteral("50%")); // an empty range shows the maximum
    struct Format {
        const char* format;
        double value;
        const char* text;
    } formats[] = {
        {"%.0f%%", 42.4, "42%"},
        {"%.2f", 1.0 / 3, "0.33"},
        {"%5.1f|", 2.25, "  2.2|"},
        {"%-5.1f|", 2.5, "2.5  |"},
        {"%d items", 3, "%d items"},
        {"%.1f %.1f", 1, "1.0 %.1f"},
        {"%", 1, "%"},
        {"%999999999.99999f", 1, "%999999999.99999f"},
        {"%.1e", 1500, "1.5E+03"},
        {"%g", 0.5, "0.5"},
    };
    for (const auto& f : formats) {
        SCOPED_TRACE(f.format);
        const QString text = FormatReal(QString::fromLatin1(f.format), f.value);
        if (QByteArray(f.format) == "%999999999.99999f")
            EXPECT_LE(text.size(), 100);
        else
            EXPECT_EQ(text, QString::fromLatin1(f.text));
    }
}

TEST(SplashProgress, PositionClampsAndEasesOnTheTimer)
{
    testapp::EnsureApp();
    fw::FakeTimerScope timers;
    TFxSplashProgressBar bar;
    std::vector<double> positions;
    bar.OnPositionChanged = [&](fw::TControl*, double p) { positions.push_back(p); };
    bar.SetPosition(150);
    EXPECT_DOUBLE_EQ(bar.Position(), 100);
    bar.SetPosition(-3);
    EXPECT_DOUBLE_EQ(bar.Position(), 0);
    EXPECT_EQ(positions, (std::vector<double>{100, 0}));

    bar.SetProgressAnimation(true);
    positions.clear();
    bar.SetPosition(100);
    EXPECT_DOUBLE_EQ(bar.Position(), 0);
    EXPECT_TRUE(bar.AnimationInProgress());
    timers.Fake.Advance(330);
    EXPECT_LT(bar.Position(), 90);
    timers.Fake.Advance(10);
    EXPECT_GT(bar.Position(), 90); // passes 90 on the 34th tick
    timers.Fake.Advance(10000);
    EXPECT_EQ(bar.Position(), 100.0); // and ends exactly there
    EXPECT_FALSE(bar.AnimationInProgress());
    const std::size_t fired = positions.size();
    timers.Fake.Advance(1000);
    EXPECT_EQ(positions.size(), fired); // at rest, nothing more fires
    // Switching the animation off takes the target at once.
    bar.SetPosition(20);
    bar.SetProgressAnimation(false);
    EXPECT_DOUBLE_EQ(bar.Position(), 20);
    // Moving the bounds pulls the position along.
    bar.SetMaximum(10);
    EXPECT_DOUBLE_EQ(bar.Position(), 10);
    bar.SetMinimum(12);
    EXPECT_DOUBLE_EQ(bar.Position(), 12);
}

TEST(SplashProgress, GlowCrossesRestsAndStartsAgain)
{
    testapp::EnsureApp();
    fw::FakeTimerScope timers;
    TFxSplashProgressBar bar;
    bar.resize(101, 17);
    bar.SetGlowAnimation(true);
    bar.SetPosition(50); // filled width 50 of the 100 inside
    EXPECT_DOUBLE_EQ(bar.GlowPos(), -40);
    timers.Fake.Advance(10);
    EXPECT_DOUBLE_EQ(bar.GlowPos(), -37);
    // -40 + 3n passes 50 after 31 ticks: back to -60, then 150 ticks of rest.
    timers.Fake.Advance(300);
    EXPECT_DOUBLE_EQ(bar.GlowPos(), -60);
    timers.Fake.Advance(1490);
    EXPECT_DOUBLE_EQ(bar.GlowPos(), -60);
    timers.Fake.Advance(20);
    EXPECT_DOUBLE_EQ(bar.GlowPos(), -57);
}

TEST(SplashProgress, AppearanceAppliesToTheControl)
{
    testapp::EnsureApp();
    QWidget parent;
    TFxSplashProgressBar bar(&parent);
    TGDIPSplashProgress look;
    look.SetLeft(160);
    look.SetTop(220);
    look.SetHeight(12);
    look.SetWidth(300);
    look.SetMaximum(200);
    look.SetPosition(80);
    look.SetStep(20);
    look.SetVisible(true);
    int changes = 0;
    bar.OnChange = [&](fw::TControl*) { ++changes; };
    bar.SetAppearance(look);
    EXPECT_EQ(bar.BoundsRect(), (fw::TRect{160, 220, 460, 232}));
    EXPECT_TRUE(bar.Visible());
    EXPECT_DOUBLE_EQ(bar.Maximum(), 200);
    EXPECT_DOUBLE_EQ(bar.Position(), 80);
    bar.Next();
    EXPECT_DOUBLE_EQ(bar.Position(), 100);
    EXPECT_EQ(changes, 1);
    // Drawn: the filled part reaches half way, the rest is the background.
    bar.Appearance().BackGroundFill().SetColor(fw::clWhite);
    bar.Appearance().BackGroundFill().SetColorTo(fw::clWhite);
    bar.Appearance().ProgressFill().SetColor(fw::clBlue);
    bar.Appearance().ProgressFill().SetColorTo(fw::clBlue);
    QImage img(bar.size(), QImage::Format_ARGB32);
    img.fill(Qt::black);
    bar.render(&img);
    EXPECT_GT(img.pixelColor(100, 8).blue(), 200);
    EXPECT_LT(img.pixelColor(100, 8).red(), 100);
    EXPECT_GT(img.pixelColor(250, 8).red(), 200);
}
