#include "support/ImageBytes.h"
#include "support/TestApp.h"

#include "framework/Canvas.h"
#include "framework/gdiplus/GDIPAPI.h"

#include <gtest/gtest.h>

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

} // namespace
