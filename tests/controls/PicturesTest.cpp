#include "support/ImageBytes.h"
#include "support/TestApp.h"

#include "controls/smooth/ImageHeaders.h"
#include "controls/smooth/Pictures.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fx;
using imghdr::ImageSize;

namespace
{

std::vector<std::uint8_t> Bytes(std::initializer_list<int> list)
{
    std::vector<std::uint8_t> v;
    for (int b : list)
        v.push_back(std::uint8_t(b));
    return v;
}

std::vector<std::uint8_t> Png(int w, int h)
{
    auto v = Bytes({0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
    for (int x : {w, h})
        for (int s : {24, 16, 8, 0})
            v.push_back(std::uint8_t((unsigned(x) >> s) & 0xFF));
    return v;
}

std::vector<std::uint8_t> Bmp(int headerSize, int w, int h)
{
    std::vector<std::uint8_t> v = {'B', 'M'};
    auto le32 = [&](std::uint32_t x) {
        for (int s = 0; s < 32; s += 8)
            v.push_back(std::uint8_t(x >> s));
    };
    le32(1000);
    le32(0);
    le32(54);
    le32(std::uint32_t(headerSize));
    if (headerSize == 12) {
        v.push_back(std::uint8_t(w));
        v.push_back(std::uint8_t(w >> 8));
        v.push_back(std::uint8_t(h));
        v.push_back(std::uint8_t(h >> 8));
    } else {
        le32(std::uint32_t(w));
        le32(std::uint32_t(h));
    }
    return v;
}

std::vector<std::uint8_t> Tiff(bool bigEndian, bool heightFirst)
{
    std::vector<std::uint8_t> v;
    auto u16 = [&](int x) {
        if (bigEndian) {
            v.push_back(std::uint8_t(x >> 8));
            v.push_back(std::uint8_t(x));
        } else {
            v.push_back(std::uint8_t(x));
            v.push_back(std::uint8_t(x >> 8));
        }
    };
    auto u32 = [&](std::uint32_t x) {
        if (bigEndian)
            for (int s = 24; s >= 0; s -= 8)
                v.push_back(std::uint8_t(x >> s));
        else
            for (int s = 0; s < 32; s += 8)
                v.push_back(std::uint8_t(x >> s));
    };
    v.push_back(bigEndian ? 'M' : 'I');
    v.push_back(bigEndian ? 'M' : 'I');
    u16(42);
    u32(8);
    u16(3);
    auto entry = [&](int tag, std::uint32_t value) {
        u16(tag);
        u16(4); // LONG
        u32(1);
        u32(value);
    };
    entry(254, 0);
    if (heightFirst) {
        entry(257, 480);
        entry(256, 640);
    } else {
        entry(256, 640);
        entry(257, 480);
    }
    return v;
}

TEST(ImageHeaders, EachFormatGivesItsSizeFromSmallFixtures)
{
    // GIF: global table of 2 colours, a comment extension holding 0x2C, then the image 5 x 7.
    const auto gif =
        Bytes({'G',  'I',  'F', '8',  '9',  'a',  100, 0,    100, 0, 0x80, 0, 0, 1, 2, 3, 4, 5, 6,
               0x21, 0xFE, 3,   0x2C, 0x2C, 0x2C, 0,   0x2C, 0,   0, 0,    0, 5, 0, 7, 0, 0, 0});
    const auto jpegApp = Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 16,   'J',  'F', 'I', 'F', 0, 1,  1, 0, 0,
                                1,    0,    1,    0,    0, 0xFF, 0xC0, 0,   17,  8,   0, 29, 0, 16});
    const auto jpegProgressive = Bytes({0xFF, 0xD8, 0xFF, 0xFF, 0xC2, 0, 17, 8, 1, 0, 2, 0});
    const auto jpegLossless = Bytes({0xFF, 0xD8, 0xFF, 0xC3, 0, 11, 8, 0, 29, 0, 16, 1, 1, 0x11, 0});
    const auto pngFull = Png(640, 480);
    struct Case {
        const char* name;
        ImageSize (*reader)(imghdr::Bytes);
        std::vector<std::uint8_t> data;
        ImageSize expected;
    } cases[] = {
        {"png 640 x 480", imghdr::ReadPngSize, Png(640, 480), {640, 480}},
        {"png truncated",
         imghdr::ReadPngSize,
         std::vector<std::uint8_t>(pngFull.begin(), pngFull.begin() + 20),
         {0, 0}},
        {"jpeg after an application segment", imghdr::ReadJpegSize, jpegApp, {16, 29}},
        {"progressive jpeg", imghdr::ReadJpegSize, jpegProgressive, {512, 256}},
        {"lossless jpeg frame is skipped", imghdr::ReadJpegSize, jpegLossless, {0, 0}},
        {"jpeg truncated inside a segment",
         imghdr::ReadJpegSize,
         Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 200, 1}),
         {0, 0}},
        {"not a jpeg", imghdr::ReadJpegSize, Bytes({0xFF, 0xD9}), {0, 0}},
        {"bmp", imghdr::ReadBmpSize, Bmp(40, 16, 29), {16, 29}},
        {"bmp top-down keeps the low bits", imghdr::ReadBmpSize, Bmp(40, 16, -29), {16, 65507}},
        {"bmp core header", imghdr::ReadBmpSize, Bmp(12, 300, 2), {300, 2}},
        {"bmp truncated", imghdr::ReadBmpSize, Bytes({'B', 'M', 1, 2}), {0, 0}},
        {"tiff little-endian", imghdr::ReadTiffSize, Tiff(false, false), {640, 480}},
        {"tiff height tag first", imghdr::ReadTiffSize, Tiff(false, true), {640, 480}},
        {"tiff big-endian", imghdr::ReadTiffSize, Tiff(true, false), {640, 480}},
        {"tiff with an offset past the end",
         imghdr::ReadTiffSize,
         Bytes({'I', 'I', 42, 0, 0xFF, 0xFF, 0, 0}),
         {0, 0}},
        {"gif skips extensions holding 0x2C", imghdr::ReadGifSize, gif, {5, 7}},
        {"gif without image",
         imghdr::ReadGifSize,
         Bytes({'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}),
         {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ImageSize s = c.reader(c.data);
        EXPECT_EQ(s.Width, c.expected.Width);
        EXPECT_EQ(s.Height, c.expected.Height);
    }
}

TEST(ImageHeaders, ReaderIsChosenByExtension)
{
    const auto png = Png(4, 3);
    EXPECT_EQ(imghdr::ReadSizeByExtension("a.PNG", png), (ImageSize{4, 3}));
    EXPECT_EQ(imghdr::ReadSizeByExtension("a.png", png), (ImageSize{4, 3}));
    EXPECT_EQ(imghdr::ReadSizeByExtension("a.tif", Tiff(false, false)), (ImageSize{0, 0}));
    EXPECT_EQ(imghdr::ReadSizeByExtension("a.ico", png), (ImageSize{0, 0}));
    EXPECT_EQ(imghdr::ReadSizeByExtension("noext", png), (ImageSize{0, 0}));
}

struct PictureTest : ::testing::Test {
    void SetUp() override
    {
        testapp::EnsureApp();
        QImage thumb(16, 29, QImage::Format_RGB32);
        thumb.fill(QColor(255, 0, 255));
        thumb.setPixelColor(5, 5, Qt::black);
        bmp = testapp::EncodeImage(thumb, "BMP");
        QImage alpha(8, 6, QImage::Format_ARGB32);
        alpha.fill(QColor(0, 0, 255, 128));
        png = testapp::EncodeImage(alpha, "PNG");
    }
    QByteArray bmp, png;
};

TEST_F(PictureTest, LayoutDataIsKeptUnchangedAndMeasuredOnRead)
{
    TGDIPPicture p;
    int changes = 0;
    p.OnChange = [&](TPictureBytes*) { ++changes; };
    ASSERT_TRUE(p.ReadData(bmp));
    EXPECT_EQ(p.WriteData(), bmp);
    EXPECT_EQ(p.Width(), 16);
    EXPECT_EQ(p.Height(), 29);
    EXPECT_EQ(changes, 0); // layout reading fires nothing
}

TEST_F(PictureTest, CorruptOrTruncatedPictureIsRefusedAndTheOldOneStays)
{
    struct Case {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"truncated bmp", bmp.left(30)},
        {"truncated png", png.left(png.size() / 2)},
        {"garbage", QByteArray("not a picture at all")},
        {"empty", QByteArray()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGDIPPicture p;
        ASSERT_TRUE(p.LoadFromStream(png));
        QString error;
        EXPECT_FALSE(p.ReadData(c.data, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(p.LoadFromStream(c.data));
        EXPECT_EQ(p.Data(), png);
        EXPECT_EQ(p.Width(), 8);
        TFxGDIPPicture f;
        ASSERT_TRUE(f.LoadFromStream(bmp));
        EXPECT_FALSE(f.ReadData(c.data));
        EXPECT_EQ(f.Data(), bmp);
    }
}

TEST_F(PictureTest, FileLoadsReportFailureAndKeepThePicture)
{
    QTemporaryDir dir;
    const QString good = dir.filePath("p.png"), bad = dir.filePath("bad.bmp");
    {
        QFile f(good);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(png);
    }
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bmp.left(20));
    }
    TFxGDIPPicture p;
    std::vector<std::string> log;
    p.OnChange = [&](TPictureBytes*) { log.push_back("change"); };
    p.OnClear = [&](TPictureBytes*) { log.push_back("clear"); };
    ASSERT_TRUE(p.LoadFromFile(good));
    EXPECT_EQ(log, (std::vector<std::string>{"clear", "change"}));
    EXPECT_EQ(p.Width(), 8); // from the header by extension
    QString error;
    EXPECT_FALSE(p.LoadFromFile(dir.filePath("missing.png"), &error));
    EXPECT_TRUE(error.contains("missing.png"));
    EXPECT_FALSE(p.LoadFromFile(bad));
    EXPECT_EQ(p.Data(), png);
    EXPECT_FALSE(p.LoadFromURL(QStringLiteral("FILE://")));
    EXPECT_TRUE(p.LoadFromURL(QStringLiteral("file://") + good));
}

TEST_F(PictureTest, AssignNothingEmptiesAndFiresChangeThenClear)
{
    TGDIPPicture p;
    ASSERT_TRUE(p.LoadFromStream(bmp));
    std::vector<std::string> log;
    p.OnChange = [&](TPictureBytes*) { log.push_back("change"); };
    p.OnClear = [&](TPictureBytes*) { log.push_back("clear"); };
    p.Assign(nullptr);
    EXPECT_TRUE(p.Empty());
    EXPECT_TRUE(p.Data().isEmpty()); // no old bytes kept to come back later
    EXPECT_EQ(log, (std::vector<std::string>{"change", "clear"}));
    TGDIPPicture empty;
    log.clear();
    p.Assign(&empty);
    EXPECT_TRUE(p.Empty());
    EXPECT_EQ(log, (std::vector<std::string>{"change"}));
}

TEST_F(PictureTest, BitmapBottomLeftColourIsTransparentPngKeepsAlpha)
{
    TGDIPPicture p;
    ASSERT_TRUE(p.LoadFromStream(bmp));
    const QImage drawn = p.TransparentImage();
    EXPECT_EQ(qAlpha(drawn.pixel(0, 28)), 0);
    EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(drawn.pixel(5, 5)), 255);
    TGDIPPicture q;
    ASSERT_TRUE(q.LoadFromStream(png));
    EXPECT_NEAR(qAlpha(q.TransparentImage().pixel(0, 5)), 128, 1);
    p.SetWidth(100);
    EXPECT_EQ(p.Width(), 16);
}

// An 8-bit BMP of 4 x 1 whose colour table holds two entries (red, green) while its pixels use the
// indices 0, 1, 200 and 255, as a damaged or hostile file can.
QByteArray ShortColourTableBmp()
{
    QByteArray b;
    auto le = [&b](unsigned v, int n) {
        for (int i = 0; i < n; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    const unsigned tableBytes = 2 * 4, pixelOffset = 14 + 40 + tableBytes;
    b.append("BM");
    le(pixelOffset + 4, 4); // file size
    le(0, 4);
    le(pixelOffset, 4);
    le(40, 4); // header size
    le(4, 4);  // width
    le(1, 4);  // height
    le(1, 2);  // planes
    le(8, 2);  // bits per pixel
    le(0, 4);  // no compression
    le(4, 4);  // pixel bytes
    le(2835, 4);
    le(2835, 4);
    le(2, 4); // colours used
    le(0, 4);
    le(0x00FF0000, 4); // entry 0 red (blue, green, red, 0)
    le(0x0000FF00, 4); // entry 1 green
    for (int index : {0, 1, 200, 255})
        b.append(char(index));
    return b;
}

TEST_F(PictureTest, PixelsBeyondTheColourTableDrawBlack)
{
    const QByteArray bytes = ShortColourTableBmp();
    QImage target(4, 1, QImage::Format_ARGB32);
    {
        SCOPED_TRACE("fader picture");
        TGDIPPicture p;
        ASSERT_TRUE(p.LoadFromStream(bytes));
        target.fill(Qt::white);
        QPainter painter(&target);
        gp::TGPGraphics g(painter);
        p.DrawImageRect(g, 0, 0, 4, 1);
        painter.end();
        EXPECT_EQ(target.pixel(1, 0), qRgb(0, 255, 0));
        EXPECT_EQ(target.pixel(2, 0), qRgb(0, 0, 0));
        EXPECT_EQ(target.pixel(3, 0), qRgb(0, 0, 0));
        EXPECT_EQ(p.Image().convertToFormat(QImage::Format_ARGB32).pixel(3, 0), qRgb(0, 0, 0));
    }
    {
        SCOPED_TRACE("fill picture");
        TFxGDIPPicture p;
        ASSERT_TRUE(p.LoadFromStream(bytes));
        target.fill(Qt::white);
        QPainter painter(&target);
        gp::TGPGraphics g(painter);
        p.GDIPDraw(g, fw::Rect(0, 0, 4, 1));
        painter.end();
        EXPECT_EQ(target.pixel(0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(target.pixel(2, 0), qRgb(0, 0, 0));
    }
}

TEST_F(PictureTest, AssignedBitmapKeepsItsTransparency)
{
    // A 6 x 6 glyph: a red 2 x 2 dot on see-through pixels, or on opaque blue (then keyed as a BMP).
    struct Case {
        const char* name;
        QColor ground;
        bool fxPicture;
    };
    const Case cases[] = {{"see-through glyph", Qt::transparent, false},
                          {"see-through glyph, raw-bytes picture", Qt::transparent, true},
                          {"opaque glyph keyed on its bottom-left pixel", QColor(0, 0, 255), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage glyph(6, 6, QImage::Format_ARGB32);
        glyph.fill(c.ground);
        for (int y = 2; y < 4; ++y)
            for (int x = 2; x < 4; ++x)
                glyph.setPixelColor(x, y, Qt::red);
        QImage target(10, 10, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::white);
        {
            QPainter painter(&target);
            if (c.fxPicture) {
                TFxGDIPPicture p;
                p.AssignBitmap(glyph);
                EXPECT_EQ(p.Width(), 6);
                gp::TGPGraphics g(painter);
                p.GDIPDraw(g, fw::TRect{0, 0, 6, 6});
            } else {
                TGDIPPicture p;
                p.AssignBitmap(glyph);
                EXPECT_EQ(p.Width(), 6);
                fw::TCanvas canvas(painter);
                p.DrawAt(canvas, 0, 0);
            }
        }
        EXPECT_EQ(QColor(target.pixel(0, 0)), QColor(Qt::white)) << "the ground shows through";
        EXPECT_EQ(QColor(target.pixel(5, 5)), QColor(Qt::white));
        EXPECT_EQ(QColor(target.pixel(2, 2)), QColor(Qt::red));
    }
}

TEST_F(PictureTest, FxPictureRecordsPixelFactsWhenDrawn)
{
    TFxGDIPPicture p;
    ASSERT_TRUE(p.LoadFromStream(png));
    QImage target(20, 20, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QPainter painter(&target);
    gp::TGPGraphics g(painter);
    p.GDIPDraw(g, fw::TRect{0, 0, 8, 6});
    EXPECT_TRUE(p.HasAlpha);
    EXPECT_FALSE(p.HasPalette);
    EXPECT_EQ(p.PixelDepth, 32);
}

} // namespace
