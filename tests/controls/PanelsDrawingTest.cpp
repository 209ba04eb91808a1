#include "PanelsTestUtil.h"

#include "controls/panels/LedBase.h"
#include "controls/panels/SkCommon.h"
#include "controls/panels/SkGraphics.h"
#include "runtime/Timer.h"

#include <gtest/gtest.h>

using namespace fw;
using namespace sk;
using panels_test::ImageCanvas;

TEST(SkColors, WorkedValues)
{
    struct Case {
        const char* name;
        TColor got;
        TColor want;
    };
    const Case cases[] = {
        {"darken button face 10", DarkenColor(clBtnFace, 10), RGB(203, 198, 188)},
        {"darken button face 50", DarkenColor(clBtnFace, 50), RGB(165, 157, 141)},
        {"lighten button shadow 30", LightenColor(clBtnShadow, 30), RGB(159, 159, 159)},
        {"darken silver 100 (tinted push frame)", DarkenColor(clSilver, 100), RGB(86, 86, 86)},
        {"lighten near white is white", LightenColor(RGB(250, 250, 250), 100), clWhite},
        {"lighten button face 100 is white", LightenColor(clBtnFace, 100), clWhite},
        {"hue 160 on the 239 divisor", ColorFromHls(160, 240, 120), RGB(4, 0, 255)},
        {"hue 239 equals hue 0", ColorFromHls(239, 240, 120), ColorFromHls(0, 240, 120)},
        {"zero lightness is black", ColorFromHls(80, 240, 0), clBlack},
        {"mix white and hot-track colour 190", MixColors(clWhite, 0x149BF0, 190), RGB(251, 230, 195)},
        {"shift 0 returns the colour", ShiftColor(clBtnFace, 0), clBtnFace},
        {"shift negative darkens", ShiftColor(clBtnFace, -10), RGB(203, 198, 188)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, c.want) << std::hex << c.got;
    }
}

TEST(SkColors, SplitAndCompare)
{
    const THls face = SplitColorHls(clBtnFace);
    EXPECT_EQ(face.H, 27);
    EXPECT_EQ(face.S, 29);
    EXPECT_EQ(face.L, 194);
    const THls red = SplitColorHls(clRed);
    EXPECT_EQ(red.H, 0);
    EXPECT_EQ(red.S, 240);
    EXPECT_EQ(red.L, 120);
    EXPECT_TRUE(ColorsNearlyEqual(clBtnFace, RGB(200, 200, 190)));
    EXPECT_FALSE(ColorsNearlyEqual(clBlack, clWhite));
    EXPECT_EQ(HueOfColor(OppositeHueColor(clRed, 120)), 120);
}

TEST(SkFrames, SideLinesShrinkEvenWithoutColour)
{
    ImageCanvas ic(10, 8);
    const TRect r = PaintSideLines(*ic.canvas, Rect(0, 0, 10, 8), clNone, clRed, AllSides);
    EXPECT_EQ(r, Rect(1, 1, 9, 7));
    EXPECT_EQ(ic.At(0, 3), clWhite); // no left line
    EXPECT_EQ(ic.At(9, 3), clRed);
    EXPECT_EQ(ic.At(4, 7), clRed);
    EXPECT_EQ(ic.At(9, 0), clRed); // the right line starts at the top
}

TEST(SkFrames, StyleFramesOnFixedCoordinates)
{
    struct Case {
        const char* name;
        TFrameStyle style;
        TRect inner;
        std::vector<std::pair<TPoint, TColor>> pixels;
    };
    const TColor hi = ColorToRGB(clBtnHighlight), sh = ColorToRGB(clBtnShadow), dk = ColorToRGB(cl3DDkShadow),
                 lt = ColorToRGB(cl3DLight);
    const Case cases[] = {
        {"none draws nothing", fsNone, Rect(0, 0, 12, 10), {{{0, 0}, clWhite}, {{11, 9}, clWhite}}},
        {"flat one dark line", fsFlat, Rect(1, 1, 11, 9), {{{0, 0}, dk}, {{11, 9}, dk}, {{1, 1}, clWhite}}},
        {"button up: highlight outside, 3-D light inside",
         fsButtonUp,
         Rect(2, 2, 10, 8),
         {{{0, 5}, hi}, {{11, 5}, dk}, {{1, 5}, lt}, {{10, 5}, sh}}},
        {"lowered: shadow then dark shadow",
         fsLowered,
         Rect(2, 2, 10, 8),
         {{{0, 5}, sh}, {{1, 5}, dk}, {{11, 5}, hi}, {{10, 5}, lt}}},
        {"flat bold: two lines",
         fsFlatBold,
         Rect(2, 2, 10, 8),
         {{{0, 4}, sh}, {{1, 4}, sh}, {{2, 4}, clWhite}}},
        {"groove: etched corners",
         fsGroove,
         Rect(2, 2, 10, 8),
         {{{11, 0}, hi}, {{0, 9}, hi}, {{0, 4}, sh}, {{1, 4}, hi}, {{10, 4}, sh}, {{11, 4}, hi}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ImageCanvas ic(12, 10);
        EXPECT_EQ(PaintStyleFrame(*ic.canvas, Rect(0, 0, 12, 10), c.style), c.inner);
        for (const auto& [p, colour] : c.pixels)
            EXPECT_EQ(ic.At(p.X, p.Y), colour) << "at " << p.X << "," << p.Y;
    }
}

TEST(SkFrames, TintedPushFrameUsesFaceShades)
{
    ImageCanvas ic(10, 10);
    const TRect r = PaintTintedPushFrame(*ic.canvas, Rect(0, 0, 10, 10), clSilver, false);
    EXPECT_EQ(r, Rect(2, 2, 8, 8));
    EXPECT_EQ(ic.At(0, 5), LightenColor(clSilver, 100));
    EXPECT_EQ(ic.At(9, 5), DarkenColor(clSilver, 100));
    EXPECT_EQ(ic.At(1, 5), LightenColor(clSilver, 40));
    EXPECT_EQ(ic.At(8, 5), DarkenColor(clSilver, 50));
}

TEST(SkFrames, RoundedSidesAndDottedBox)
{
    ImageCanvas ic(8, 8);
    EXPECT_EQ(PaintRoundedSides(*ic.canvas, Rect(0, 0, 8, 8), clRed, AllSides), Rect(2, 2, 6, 6));
    EXPECT_EQ(ic.At(0, 0), clWhite);
    EXPECT_EQ(ic.At(1, 1), clRed);
    EXPECT_EQ(ic.At(0, 2), clRed);
    EXPECT_EQ(ic.At(0, 6), clWhite);
    ImageCanvas dots(6, 6);
    EXPECT_EQ(PaintDottedBox(*dots.canvas, Rect(0, 0, 6, 6)), Rect(1, 1, 5, 5));
    EXPECT_EQ(dots.At(0, 0), clWhite);
    EXPECT_EQ(dots.At(1, 0), clBlack);
    EXPECT_EQ(dots.At(2, 0), clWhite);
    EXPECT_EQ(dots.At(0, 1), clBlack);
}

TEST(SkFrames, PanelFrameRoundedFaceCorners)
{
    ImageCanvas ic(10, 10);
    TPanelFrameArgs a;
    a.Outer = fsFlatRounded;
    a.Color = clBlue;
    a.ParentColor = clLime;
    const TRect r = PaintPanelFrame(*ic.canvas, Rect(0, 0, 10, 10), a);
    EXPECT_EQ(r, Rect(2, 2, 8, 8));
    EXPECT_EQ(ic.At(1, 1), ShiftColor(clBtnShadow, 30));
    EXPECT_EQ(ic.At(0, 0), clLime); // the parent's colour outside the rounding
}

TEST(SkText, StripAccelerators)
{
    struct Case {
        const char* name;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"single before a letter goes", "&Open", "Open"},
        {"doubled gives one", "A&&B", "A&B"},
        {"last stays", "Save&", "Save&"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StripAccelerators(QString::fromUtf8(c.in)), QString::fromUtf8(c.out));
    }
    EXPECT_EQ(AcceleratorOf(QStringLiteral("&Ok")), QChar(u'o'));
    EXPECT_TRUE(AcceleratorOf(QStringLiteral("A&&B")).isNull());
}

TEST(SkGradients, EdgesAndEmptyRects)
{
    EXPECT_TRUE(RenderGradientImage(0, 10, gdHorizontalEnd, clWhite, clBlack).isNull());
    const QImage v = RenderGradientImage(20, 16, gdHorizontalEnd, clRed, clBlue);
    EXPECT_EQ(FromQColor(v.pixelColor(5, 15)), clBlue); // end colour at the bottom row
    EXPECT_EQ(GetRValue(FromQColor(v.pixelColor(5, 0))) > 200, true);
    const QImage box = RenderGradientImage(4, 4, gdSquareBox, clRed, clBlue);
    EXPECT_EQ(FromQColor(box.pixelColor(0, 0)), clRed); // too small: one plain fill of the start colour
    const QImage sq = RenderGradientImage(21, 21, gdSquareBox, clWhite, clBlack);
    EXPECT_EQ(FromQColor(sq.pixelColor(0, 0)), FromQColor(sq.pixelColor(20, 20))); // mirrored quarters
    EXPECT_GT(GetRValue(FromQColor(sq.pixelColor(0, 0))), 200);
    EXPECT_LT(GetRValue(FromQColor(sq.pixelColor(10, 10))), 30);
}

TEST(SkBitmaps, TransparentTileCutsTheLastTile)
{
    QImage bmp(4, 2, QImage::Format_RGB32);
    bmp.fill(ToQColor(clTeal));
    bmp.setPixelColor(0, 0, Qt::red);
    bmp.setPixelColor(3, 0, Qt::blue);
    ImageCanvas ic(10, 2);
    TileTransparentBitmap(*ic.canvas, bmp, Rect(0, 0, 10, 2), clTeal);
    EXPECT_EQ(ic.At(0, 0), clRed);
    EXPECT_EQ(ic.At(4, 0), clRed);
    EXPECT_EQ(ic.At(8, 0), clRed); // half tile shows the left half
    EXPECT_EQ(ic.At(7, 0), clBlue);
    EXPECT_EQ(ic.At(9, 0), clWhite);
    EXPECT_EQ(ic.At(1, 1), clWhite); // key colour leaves the target
}

TEST(SkBitmaps, StretchedKeyColourLeavesNoFringe)
{
    QImage bmp(3, 3, QImage::Format_RGB32);
    bmp.fill(ToQColor(clOlive));
    bmp.setPixelColor(1, 1, Qt::red);
    ImageCanvas ic(9, 9);
    DrawTransparentBitmap(*ic.canvas, bmp, Rect(0, 0, 9, 9), clOlive);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const TColor p = ic.At(x, y);
            EXPECT_TRUE(p == clWhite || p == clRed) << x << "," << y;
        }
}

TEST(SkBlinking, OnAndOffIntervalsTheRightWayRound)
{
    panels_test::EnsureApp();
    FakeTimerScope scope;
    TSkBlinkingControlsList list;
    list.SetIntervalOn(100);
    list.SetIntervalOff(300);
    std::vector<std::pair<int, TBlinkState>> log;
    int owner = 0;
    list.Add(&owner, [&](TBlinkState s) {
        log.emplace_back(scope.Fake.Now(), s);
        return true;
    });
    scope.Fake.Advance(1000);
    // off lasts 300, on lasts 100
    const std::vector<std::pair<int, TBlinkState>> want = {
        {300, bsOn}, {400, bsOff}, {700, bsOn}, {800, bsOff}};
    EXPECT_EQ(log, want);
}

TEST(SkBlinking, AControlThatLeavesDuringATickIsNotCalled)
{
    panels_test::EnsureApp();
    FakeTimerScope scope;
    TSkBlinkingControlsList list;
    int first = 0, second = 0;
    std::vector<int*> called;
    // The first control's blink destroys the second one (as closing a window would).
    list.Add(&first, [&](TBlinkState) {
        called.push_back(&first);
        list.Remove(&second);
        return true;
    });
    list.Add(&second, [&](TBlinkState) {
        called.push_back(&second);
        return true;
    });
    scope.Fake.Advance(list.IntervalOff());
    EXPECT_EQ(called, std::vector<int*>{&first});
    EXPECT_EQ(list.Count(), 1);
    // A control is listed once; one that left may come back.
    list.Add(&first, {});
    EXPECT_EQ(list.Count(), 1);
    list.Add(&second, [&](TBlinkState) {
        called.push_back(&second);
        return true;
    });
    EXPECT_EQ(list.Count(), 2);
    list.Remove(&first);
    called.clear();
    scope.Fake.Advance(list.IntervalOn());
    EXPECT_EQ(called, std::vector<int*>{&second});
}

namespace
{
struct Recorder : ISkFramed {
    std::vector<TSkFrameControllerProperty> seen;
    void NotifyFramingChanged(TSkFrameController*, TSkFrameControllerProperty p) override
    {
        seen.push_back(p);
    }
};
} // namespace

TEST(SkFrameController, PropagatesAndCouplesColours)
{
    TSkFrameController fc;
    Recorder r;
    fc.AddControl(&r);
    EXPECT_EQ(r.seen, std::vector<TSkFrameControllerProperty>{fcpAll});
    fc.SetParentColor(true);
    fc.SetColor(clYellow); // focus colour equalled the old colour: both change, parent colour cleared
    EXPECT_EQ(fc.FocusColor(), clYellow);
    EXPECT_FALSE(fc.ParentColor());
    fc.BeginUpdate();
    fc.SetFrameStyle(fsRaised);
    fc.SetFrameColor(clRed);
    const std::size_t before = r.seen.size();
    fc.EndUpdate();
    EXPECT_EQ(r.seen.size(), before + 1);
    EXPECT_EQ(r.seen.back(), fcpAll);
    fc.EndUpdate(); // unbalanced: stays at 0 and still propagates
    EXPECT_EQ(r.seen.size(), before + 2);
    fc.SetFrameSides(SideBit(sdTop));
    r.seen.clear();
    fc.SetFrameHotTrack(true); // shows the frame through its setter, on all sides
    EXPECT_TRUE(fc.FrameVisible());
    EXPECT_EQ(fc.FrameSides(), AllSides);
    EXPECT_EQ(r.seen, (std::vector<TSkFrameControllerProperty>{fcpFrameVisible, fcpFrameHotTrack}));
    fc.RemoveControl(&r);
    EXPECT_EQ(fc.ControlCount(), 0);
}

TEST(LedRoutines, ButtonLayoutAndFrames)
{
    TPoint img;
    TRect text;
    CalcButtonLayoutSized(Rect(0, 0, 47, 16), 20, 13, 1, -1, 5, {12, 12}, img, text);
    EXPECT_EQ(img.X, 5);
    EXPECT_EQ(text.Left, 22);
    EXPECT_EQ(img.Y, 2);
    ImageCanvas ic(10, 10);
    TRect r = Rect(0, 0, 10, 10);
    DrawFrame3D(*ic.canvas, r, clRed, clBlue, 0);
    EXPECT_EQ(r, Rect(0, 0, 10, 10));
    DrawFrame3D(*ic.canvas, r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(2, 2, 8, 8));
    EXPECT_EQ(ic.At(0, 0), clRed);
    EXPECT_EQ(ic.At(9, 9), clBlue);
    EXPECT_EQ(ic.At(0, 9), clBlue);
    EXPECT_EQ(ic.At(9, 0), clBlue);
}

TEST(LedPalette, ColoursEventsAndRecolour)
{
    TLedPalette p;
    p.SetLow(clOlive);
    p.SetHigh(clYellow);
    EXPECT_EQ(p.Colors(-1), clOlive);
    EXPECT_EQ(p.Colors(0), clOlive);
    EXPECT_EQ(p.Colors(1), clYellow);
    EXPECT_EQ(p.Colors(255), clYellow);
    int events = 0;
    TLedPalette q;
    q.OnChange = [&](TLedPersistent*) { ++events; };
    q.Assign(p);
    EXPECT_EQ(events, 1);
    q.EndUpdate();
    EXPECT_EQ(events, 2);
    q.BeginUpdate();
    q.SetLow(clRed);
    EXPECT_EQ(events, 2); // a single BeginUpdate after the unbalanced End still holds
    q.EndUpdate();
    EXPECT_EQ(events, 3);
    // Low = yellow: dark pixels become yellow and are not then taken for the light colour.
    TLedPalette swap;
    swap.SetLow(clWhite);
    swap.SetHigh(clBlack);
    QImage img(2, 1, QImage::Format_RGB32);
    img.setPixelColor(0, 0, Qt::black);
    img.setPixelColor(1, 0, Qt::white);
    swap.ToBMP(img, clBlack, clWhite);
    EXPECT_EQ(FromQColor(img.pixelColor(0, 0)), clWhite);
    EXPECT_EQ(FromQColor(img.pixelColor(1, 0)), clBlack);
}
