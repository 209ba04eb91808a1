#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Fonts.h"
#include "support/RecordingCanvas.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

using namespace fw;

namespace
{

struct Surface {
    QImage image{20, 20, QImage::Format_RGB32};
    Surface() { image.fill(Qt::white); }
    bool Black(int x, int y) const { return (image.pixel(x, y) & 0xFFFFFF) == 0; }
};

TEST(Colors, SystemColoursComeFromTheFixedTable)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clHighlightText), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(8421631), 8421631); // plain BGR passes
    const QColor lightRed = ToQColor(8421631);
    EXPECT_EQ(lightRed.red(), 255);
    EXPECT_EQ(lightRed.green(), 128);
    EXPECT_EQ(lightRed.blue(), 128);
    EXPECT_EQ(ToQColor(clNone).alpha(), 0);
}

TEST(Fonts, LayoutFamiliesMapToInstalledFaces)
{
    EXPECT_EQ(SubstituteFamily("Tahoma"), "DejaVu Sans");
    EXPECT_EQ(SubstituteFamily("arial"), "Liberation Sans");
    EXPECT_EQ(SubstituteFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(SubstituteFamily(QString::fromUtf8("\u5b8b\u4f53")), "WenQuanYi Micro Hei");
    TFont f;
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    int changes = 0;
    f.OnChange = [&](TFont*) { ++changes; };
    f.SetSize(8);
    f.SetStyle(fsBold);
    EXPECT_EQ(changes, 1);
}

TEST(Canvas, GdiRulesLeaveOutRightAndBottomEdges)
{
    testapp::EnsureApp();
    struct Case {
        const char* name;
        void (*draw)(TCanvas&);
        std::vector<std::pair<int, int>> black;
        std::vector<std::pair<int, int>> white;
    };
    const Case cases[] = {
        {"rectangle outline",
         [](TCanvas& c) {
             c.Brush.Style = bsClear;
             c.Rectangle(2, 2, 6, 6);
         },
         {{2, 2}, {5, 2}, {2, 5}, {5, 5}},
         {{6, 2}, {2, 6}, {3, 3}}},
        {"fill rect",
         [](TCanvas& c) {
             c.Brush.Color = clBlack;
             c.FillRect(Rect(1, 1, 4, 3));
         },
         {{1, 1}, {3, 2}},
         {{4, 1}, {1, 3}, {0, 0}}},
        {"frame rect",
         [](TCanvas& c) {
             c.Brush.Color = clBlack;
             c.FrameRect(Rect(1, 1, 5, 5));
         },
         {{1, 1}, {4, 4}, {4, 1}},
         {{2, 2}, {5, 5}}},
        {"line leaves out its end",
         [](TCanvas& c) {
             c.MoveTo(0, 0);
             c.LineTo(5, 0);
         },
         {{0, 0}, {4, 0}},
         {{5, 0}}},
        {"vertical line",
         [](TCanvas& c) {
             c.MoveTo(3, 1);
             c.LineTo(3, 4);
         },
         {{3, 1}, {3, 3}},
         {{3, 4}}},
        {"diagonal line",
         [](TCanvas& c) {
             c.MoveTo(0, 0);
             c.LineTo(4, 4);
         },
         {{0, 0}, {3, 3}},
         {{4, 4}}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        Surface s;
        {
            QPainter p(&s.image);
            TCanvas c(p);
            c.Pen.Color = clBlack;
            row.draw(c);
        }
        for (auto [x, y] : row.black)
            EXPECT_TRUE(s.Black(x, y)) << x << "," << y;
        for (auto [x, y] : row.white)
            EXPECT_FALSE(s.Black(x, y)) << x << "," << y;
    }
}

TEST(Canvas, FocusRectTwiceRestoresTheSurface)
{
    testapp::EnsureApp();
    Surface s;
    const QImage before = s.image.copy();
    QPainter p(&s.image);
    TCanvas c(p);
    c.DrawFocusRect(Rect(1, 1, 9, 7));
    p.end();
    EXPECT_NE(s.image, before);
    QPainter p2(&s.image);
    TCanvas c2(p2);
    c2.DrawFocusRect(Rect(1, 1, 9, 7));
    p2.end();
    EXPECT_EQ(s.image, before);
}

TEST(Canvas, TransparentDrawLeavesKeyColourOut)
{
    testapp::EnsureApp();
    Surface s;
    QImage pic(2, 1, QImage::Format_RGB32);
    pic.setPixel(0, 0, qRgb(0, 128, 128)); // teal key (0x808000 as BGR)
    pic.setPixel(1, 0, qRgb(0, 0, 0));
    QPainter p(&s.image);
    TCanvas c(p);
    c.DrawTransparent(Rect(0, 0, 4, 2), pic, clTeal);
    p.end();
    EXPECT_FALSE(s.Black(0, 0));
    EXPECT_FALSE(s.Black(1, 1));
    EXPECT_TRUE(s.Black(2, 0));
    EXPECT_TRUE(s.Black(3, 1));
}

TEST(Canvas, RecorderSeesCallsWithTheirStateAndScopesNest)
{
    testapp::EnsureApp();
    Surface s;
    testsupport::RecordingCanvas outer;
    {
        testsupport::RecordingCanvas inner;
        QPainter p(&s.image);
        TCanvas c(p);
        c.Pen.Color = clRed;
        c.MoveTo(1, 2);
        c.LineTo(5, 2);
        c.Brush.Color = clBlue;
        c.FillRect(TRect{0, 0, 4, 4});
        c.Font.SetColor(clLime);
        c.TextOut(3, 4, "dB");
        TRect r{0, 0, 10, 10};
        c.DrawText("x", r, DT_CALCRECT); // measuring draws nothing
        c.Polygon({{0, 0}, {3, 0}, {0, 3}});
        ASSERT_EQ(inner.Ops.size(), 4u);
        EXPECT_STREQ(inner.Ops[0].Name, "LineTo");
        EXPECT_EQ(inner.Ops[0].Args, (std::vector<int>{1, 2, 5, 2}));
        EXPECT_EQ(inner.Ops[0].Pen.Color, clRed);
        EXPECT_EQ(inner.Named("FillRect")[0].Brush.Color, clBlue);
        EXPECT_EQ(inner.Texts(), std::vector<QString>{"dB"});
        EXPECT_EQ(inner.Named("TextOut")[0].FontColor, clLime);
        EXPECT_EQ(inner.Named("Polygon")[0].Args, (std::vector<int>{0, 0, 3, 0, 0, 3}));
    }
    EXPECT_TRUE(outer.Ops.empty());
    QPainter p(&s.image);
    TCanvas c(p);
    c.Ellipse(0, 0, 4, 4);
    EXPECT_EQ(outer.Named("Ellipse").size(), 1u);
}

// Lines in a run share the pen handed to the painter; a pen changed between them, on the canvas or
// behind it on the painter, and a raster mode, still reach the next line.
TEST(Canvas, EachLineDrawsInThePenInForceThen)
{
    testapp::EnsureApp();
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    TCanvas c(p);
    auto line = [&](int y) {
        c.MoveTo(0, y);
        c.LineTo(8, y + 1); // diagonal: drawn point by point
    };
    c.Pen.Color = clRed;
    line(0);
    c.Pen.Color = clBlue;
    line(2);
    p.setPen(QPen(Qt::green, 0)); // someone else's pen on the painter
    line(4);
    c.Pen.Mode = pmNot;
    c.MoveTo(0, 6);
    c.LineTo(4, 6);
    c.MoveTo(0, 6);
    c.LineTo(2, 6); // inverted twice: white again
    p.end();
    struct Case {
        const char* name;
        int x, y;
        QRgb rgb;
    };
    const Case cases[] = {
        {"first pen", 1, 0, qRgb(255, 0, 0)},
        {"changed colour", 1, 2, qRgb(0, 0, 255)},
        {"painter pen replaced behind the canvas", 1, 4, qRgb(0, 0, 255)},
        {"inverted twice", 1, 6, qRgb(255, 255, 255)},
        {"inverted once", 3, 6, qRgb(0, 0, 0)},
        {"untouched after the not line", 5, 6, qRgb(255, 255, 255)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(image.pixel(k.x, k.y) & 0xFFFFFF, k.rgb & 0xFFFFFF);
    }
}

// The painter-free measure gives what DrawText's measuring call gives.
TEST(Canvas, MeasureTextMatchesDrawTextCalcRect)
{
    testapp::EnsureApp();
    QImage image(4, 4, QImage::Format_RGB32);
    QPainter p(&image);
    TCanvas c(p);
    c.Font.SetName(QStringLiteral("Tahoma"));
    c.Font.SetHeight(-13);
    c.Font.SetStyle(fsBold);
    struct Case {
        const char* name;
        QString text;
        int width;
        unsigned flags;
    };
    const Case cases[] = {
        {"one line", QStringLiteral("Gain -12.0dB"), 40, DT_CALCRECT},
        {"prefix mark", QStringLiteral("&Store"), 40, DT_CALCRECT},
        {"no prefix", QStringLiteral("&Store"), 40, DT_CALCRECT | DT_NOPREFIX},
        {"word break", QStringLiteral("a longer caption that wraps"), 50, DT_CALCRECT | DT_WORDBREAK},
        {"ellipsis", QStringLiteral("a caption cut short"), 30,
         DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TRect drawn = Rect(3, 4, 3 + k.width, 4);
        const int h1 = c.DrawText(k.text, drawn, k.flags);
        TRect measured = Rect(3, 4, 3 + k.width, 4);
        const int h2 = MeasureText(c.Font, k.text, measured, k.flags);
        EXPECT_EQ(h1, h2);
        EXPECT_EQ(drawn.Left, measured.Left);
        EXPECT_EQ(drawn.Top, measured.Top);
        EXPECT_EQ(drawn.Right, measured.Right);
        EXPECT_EQ(drawn.Bottom, measured.Bottom);
    }
}

} // namespace
