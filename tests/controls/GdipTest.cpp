#include "support/ImageBytes.h"
#include "support/TestApp.h"

#include "framework/Canvas.h"
#include "framework/gdiplus/GDIPAPI.h"

#include <QPainter>
#include <bit>
#include <gtest/gtest.h>
#include <set>

using namespace gp;

namespace
{

TEST(Gdip, ColourPacking)
{
    EXPECT_EQ(ComposeArgb(0x11, 0x22, 0x33, 0x44), 0x11223344u);
    EXPECT_EQ(ArgbFromColor(128, 8421631), 0x80FF8080u); // BGR light red
    EXPECT_EQ(OpaqueArgbFromColor(fw::clBtnFace), 0xFFD4D0C8u);
    EXPECT_EQ(ArgbRed(0xFF112233), 0x11);
    EXPECT_EQ(ArgbBlue(0xFF112233), 0x33);
}

TEST(Gdip, ImageFormatsAreToldApart)
{
    testapp::EnsureApp();
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(Qt::red);
    struct Case {
        const char* name;
        const char* format;
        TGPImageFormat expected;
    } cases[] = {
        {"png", "PNG", ifPNG}, {"bmp", "BMP", ifBMP}, {"jpeg", "JPG", ifJPEG}, {"icon", "ICO", ifIcon}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGPImage image(testapp::EncodeImage(img, c.format));
        ASSERT_EQ(image.GetLastStatus(), Ok);
        EXPECT_EQ(image.GetFormat(), c.expected);
        EXPECT_EQ(image.GetWidth(), 3u);
    }
    TGPImage broken(QByteArray("nonsense"));
    EXPECT_EQ(broken.GetWidth(), 0u);
    EXPECT_NE(broken.GetLastStatus(), Ok);
}

TEST(Gdip, StatusKeepsTheFirstFailureUntilRead)
{
    TGPMatrix m;
    EXPECT_EQ(m.Multiply(nullptr), InvalidParameter);
    EXPECT_EQ(m.Translate(1, 2), Ok);
    EXPECT_EQ(m.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(m.GetLastStatus(), Ok);
}

TEST(Gdip, RotateAtTurnsAboutTheCentre)
{
    for (MatrixOrder order : {MatrixOrderAppend, MatrixOrderPrepend}) {
        SCOPED_TRACE(order);
        TGPMatrix m;
        m.RotateAt(90, {10, 10}, order);
        TGPPointF p[2] = {{10, 10}, {20, 10}};
        m.TransformPoints(p, 2);
        EXPECT_NEAR(p[0].X, 10, 1e-4);
        EXPECT_NEAR(p[0].Y, 10, 1e-4);
        EXPECT_NEAR(p[1].X, 10, 1e-4);
        EXPECT_NEAR(p[1].Y, 20, 1e-4);
    }
}

TEST(Gdip, SurroundColoursBeyondThePointCountAreRefused)
{
    TGPGraphicsPath path;
    path.AddEllipse(0, 0, 10, 10);
    TGPPathGradientBrush brush(&path);
    std::vector<ARGB> colors(brush.GetPointCount() + 1, 0xFF000000);
    int count = int(colors.size());
    EXPECT_EQ(brush.SetSurroundColors(colors.data(), count), InvalidParameter);
    EXPECT_EQ(count, int(colors.size()));
    int one = 1;
    EXPECT_EQ(brush.SetSurroundColors(colors.data(), one),
              InvalidParameter); // the earlier failure stays visible
    EXPECT_EQ(brush.GetLastStatus(), InvalidParameter);
}

TEST(Gdip, DrawImageRectDropsSubPixelPositions)
{
    testapp::EnsureApp();
    QImage dot(1, 1, QImage::Format_RGB32);
    dot.fill(Qt::black);
    TGPImage image(testapp::EncodeImage(dot, "PNG"));
    QImage target(20, 5, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter p(&target);
        TGPGraphics g(p);
        g.DrawImageRect(&image, TGPRectF{10.6f, 1.2f, 1, 1});
    }
    EXPECT_EQ(target.pixelColor(11, 1), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(10, 1), QColor(Qt::white));
}

TEST(Gdip, DrawTextCalculatesTheRectangleWithItsMargin)
{
    testapp::EnsureApp();
    QImage target(300, 50, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter p(&target);
    TGPGraphics g(p);
    struct Case {
        const char* name;
        int size;
        QString text, measured;
        int margin;
    } cases[] = {
        {"8 point", 8, "Gain", "Gain", 2},
        {"14 point", 14, "Gain", "Gain", 6},
        {"trailing blank measured as i", 8, "dB ", "dBi", 2},
        {"one blank stays", 8, " ", " ", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fw::TFont font;
        font.SetSize(c.size);
        std::unique_ptr<TGPFont> f(TGPGraphics::MakeFont(font));
        TGPRectF box;
        g.MeasureString(c.measured, int(c.measured.size()), f.get(), TGPRectF{5, 5, 1000, 20}, box);
        fw::TRect r{5, 5, 100, 25};
        const QImage before = target;
        const int h = g.DrawText(c.text, int(c.text.size()), fw::clNone, fw::DT_CALCRECT, font, r);
        EXPECT_EQ(r.Right - r.Left, Round(box.Width - c.margin));
        EXPECT_EQ(h, r.Bottom - r.Top);
        EXPECT_EQ(target, before); // calculating draws nothing
    }
}

TEST(Gdip, UnknownFamilyFallsBackToArial)
{
    testapp::EnsureApp();
    fw::TFont font;
    font.SetName("No Such Face 123");
    font.SetSize(9);
    std::unique_ptr<TGPFont> f(TGPGraphics::MakeFont(font));
    EXPECT_EQ(f->GetLastStatus(), Ok);
}

// A surface of w x h filled white, drawn on by `draw`.
template <class F> QImage Drawn(int w, int h, F draw)
{
    QImage target(w, h, QImage::Format_ARGB32);
    target.fill(Qt::white);
    {
        QPainter p(&target);
        TGPGraphics g(p);
        draw(g);
    }
    return target;
}

int SetBits(const gdip::HatchCell& c)
{
    int n = 0;
    for (auto row : c)
        n += std::popcount(unsigned(row));
    return n;
}

// Every hatch style has a cell of its own, the percentage styles hold about their share of the cell and
// each darker one covers the lighter one, and a fill shows the cell in the fore and back colours from the
// surface's origin.
TEST(Gdip, EveryHatchStyleHasItsOwnPattern)
{
    std::set<gdip::HatchCell> cells;
    for (int style = 0; style < gdip::HatchStyleTotal; ++style) {
        const gdip::HatchCell c = gdip::HatchPattern(style);
        EXPECT_GT(SetBits(c), 0) << style;
        EXPECT_LT(SetBits(c), 64) << style;
        EXPECT_TRUE(cells.insert(c).second) << "style " << style << " repeats another's pattern";
    }
    EXPECT_EQ(SetBits(gdip::HatchPattern(gdip::HatchStyleTotal)), 0);
    struct Percent {
        int style, percent;
    };
    const Percent percents[] = {
        {gdip::HatchStyle05Percent, 5},  {gdip::HatchStyle10Percent, 10}, {gdip::HatchStyle20Percent, 20},
        {gdip::HatchStyle25Percent, 25}, {gdip::HatchStyle30Percent, 30}, {gdip::HatchStyle40Percent, 40},
        {gdip::HatchStyle50Percent, 50}, {gdip::HatchStyle60Percent, 60}, {gdip::HatchStyle70Percent, 70},
        {gdip::HatchStyle75Percent, 75}, {gdip::HatchStyle80Percent, 80}, {gdip::HatchStyle90Percent, 90}};
    gdip::HatchCell lighter{};
    for (const Percent& p : percents) {
        SCOPED_TRACE(p.percent);
        const gdip::HatchCell c = gdip::HatchPattern(p.style);
        EXPECT_NEAR(SetBits(c) * 100.0 / 64, p.percent, 2.0);
        for (std::size_t row = 0; row < 8; ++row)
            EXPECT_EQ(c[row] & lighter[row], lighter[row]);
        lighter = c;
    }

    testapp::EnsureApp();
    for (int style :
         {int(gdip::HatchStyleHorizontal), int(gdip::HatchStyleDivot), int(gdip::HatchStyleSolidDiamond)}) {
        SCOPED_TRACE(style);
        const QImage image = Drawn(16, 16, [style](TGPGraphics& g) {
            TGPHatchBrush brush(style, OpaqueArgb(255, 0, 0), OpaqueArgb(0, 0, 255));
            g.FillRectangle(&brush, 0, 0, 16, 16);
        });
        const gdip::HatchCell c = gdip::HatchPattern(style);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(image.pixelColor(x, y),
                          (c[std::size_t(y % 8)] & (0x80 >> (x % 8))) ? QColor(Qt::red) : QColor(Qt::blue))
                    << x << "," << y;
    }
}

// A path gradient follows its own outline, whatever the shape: on a wide rectangle a pixel halfway from
// the centre to the outline is halfway between the colours towards a side and towards a corner alike
// (a radial gradient would make the corner darker), nothing is drawn outside the path, and each point
// of the outline gives its own surround colour.
TEST(Gdip, PathGradientFollowsItsOutline)
{
    testapp::EnsureApp();
    TGPGraphicsPath path;
    path.AddRectangle(TGPRectF{0, 0, 200, 40});
    const QImage image = Drawn(220, 60, [&](TGPGraphics& g) {
        TGPPathGradientBrush brush(&path);
        brush.SetCenterColor(OpaqueArgb(255, 255, 255));
        ARGB black = OpaqueArgb(0, 0, 0);
        int one = 1;
        brush.SetSurroundColors(&black, one);
        g.FillRectangle(&brush, 0, 0, 220, 60);
    });
    struct Case {
        const char* name;
        int x, y;
        int grey;
    };
    const Case cases[] = {
        {"centre", 100, 20, 255},
        {"halfway to the right side", 150, 20, 128},
        {"halfway to the corner", 150, 30, 128},
        {"halfway to the top", 100, 10, 128},
        {"near the outline", 1, 20, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(image.pixelColor(c.x, c.y).red(), c.grey, 8);
    }
    EXPECT_EQ(image.pixelColor(210, 20), QColor(Qt::white)) << "outside the path";

    TGPGraphicsPath square;
    square.AddRectangle(TGPRectF{0, 0, 40, 40});
    const QImage corners = Drawn(40, 40, [&](TGPGraphics& g) {
        TGPPathGradientBrush brush(&square);
        brush.SetCenterColor(OpaqueArgb(0, 0, 0));
        ARGB colours[4] = {OpaqueArgb(255, 0, 0), OpaqueArgb(0, 255, 0), OpaqueArgb(0, 0, 255),
                           OpaqueArgb(255, 255, 0)};
        int four = 4;
        EXPECT_EQ(brush.SetSurroundColors(colours, four), Ok);
        g.FillPath(&brush, &square);
    });
    const QColor tl = corners.pixelColor(1, 1), tr = corners.pixelColor(38, 1),
                 br = corners.pixelColor(38, 38), bl = corners.pixelColor(1, 38);
    EXPECT_GT(tl.red(), 200);
    EXPECT_LT(tl.green() + tl.blue(), 40);
    EXPECT_GT(tr.green(), 200);
    EXPECT_GT(br.blue(), 200);
    EXPECT_GT(bl.red() + bl.green(), 400);
}

// Interpolation colours run from the outline (0) to the centre (1): the soft shadow is clear at the edge
// and even from a tenth of the way in.
TEST(Gdip, PathGradientInterpolationColoursRunFromTheOutline)
{
    testapp::EnsureApp();
    TGPGraphicsPath path;
    path.AddRectangle(TGPRectF{0, 0, 100, 100});
    QImage image(100, 100, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        TGPGraphics g(p);
        TGPPathGradientBrush brush(&path);
        const ARGB colours[3] = {0, ComposeArgb(180, 0, 0, 0), ComposeArgb(180, 0, 0, 0)};
        const REAL positions[3] = {0, 0.1f, 1};
        EXPECT_EQ(brush.SetInterpolationColors(colours, positions, 3), Ok);
        g.FillPath(&brush, &path);
    }
    EXPECT_LT(image.pixelColor(0, 50).alpha(), 30);
    EXPECT_NEAR(image.pixelColor(2, 50).alpha(), 90, 25);
    EXPECT_NEAR(image.pixelColor(20, 50).alpha(), 180, 2);
    EXPECT_NEAR(image.pixelColor(50, 50).alpha(), 180, 2);
}

// Gamma correction: a gradient with it blends in linear light (its middle is lighter than the plain
// blend's), and a picture drawn with a gamma has every colour channel raised to that power.
TEST(Gdip, GammaCorrectionOfGradientsAndPictures)
{
    testapp::EnsureApp();
    for (bool gamma : {false, true}) {
        SCOPED_TRACE(gamma);
        const QImage image = Drawn(101, 4, [gamma](TGPGraphics& g) {
            TGPLinearGradientBrush brush(TGPRectF{0, 0, 101, 4}, OpaqueArgb(0, 0, 0),
                                         OpaqueArgb(255, 255, 255), LinearGradientModeHorizontal);
            brush.SetGammaCorrection(gamma);
            g.FillRectangle(&brush, 0, 0, 101, 4);
        });
        // The linear-light middle, 0.5 ^ (1 / 2.2), is 186 of 255.
        EXPECT_NEAR(image.pixelColor(50, 2).red(), gamma ? 186 : 128, 6);
    }

    QImage grey(4, 4, QImage::Format_RGB32);
    grey.fill(QColor(128, 64, 255));
    TGPImage picture(testapp::EncodeImage(grey, "PNG"));
    struct Case {
        const char* name;
        REAL gamma;
        bool clear;
        Status status;
        QColor drawn;
    };
    const Case cases[] = {
        {"gamma 2.2 darkens", 2.2f, false, Ok, QColor(56, 12, 255)},
        {"gamma 0.5 lightens", 0.5f, false, Ok, QColor(181, 128, 255)},
        {"cleared", 2.2f, true, Ok, QColor(128, 64, 255)},
        {"gamma 0 is refused", 0, false, InvalidParameter, QColor(128, 64, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGPImageAttributes attributes;
        EXPECT_EQ(attributes.SetGamma(c.gamma), c.status);
        if (c.clear)
            attributes.ClearGamma();
        const QImage image = Drawn(4, 4, [&](TGPGraphics& g) {
            g.DrawImage(&picture, TGPRectF{0, 0, 4, 4}, 0, 0, 4, 4, UnitPixel, &attributes);
        });
        const QColor got = image.pixelColor(2, 2);
        EXPECT_NEAR(got.red(), c.drawn.red(), 1);
        EXPECT_NEAR(got.green(), c.drawn.green(), 1);
        EXPECT_EQ(got.blue(), c.drawn.blue());
    }
}

} // namespace
