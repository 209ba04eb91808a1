// Fill description: saved section round trip (every property, pictures included), refusal of a
// section with a bad value, the older form of "PictureSize", change notices, and the drawing of a
// fill on small images where the rules fix a pixel.
#include "controls/smooth/GDIPFill.h"
#include "framework/IniFile.h"
#include "support/ImageBytes.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <limits>

using namespace fx;

namespace
{

// Every saved property set away from its default.
void SetAll(TGDIPFill& f)
{
    f.SetColor(0x112233);
    f.SetColorTo(0x445566);
    f.SetColorMirror(0x778899);
    f.SetColorMirrorTo(fw::clBtnFace);
    f.SetGradientType(gp::gtHatch);
    f.SetGradientMirrorType(gp::gtAngle);
    f.SetHatchStyle(3);
    f.SetHatchStyleMirror(5);
    f.SetBackGroundPictureMode(pmInsideFill);
    f.SetBackGroundPicturePosition(ppTiled);
    f.SetBackGroundPictureLeft(-7);
    f.SetBackGroundPictureTop(9);
    f.SetPicturePosition(ppCustom);
    f.SetPictureLeft(11);
    f.SetPictureTop(12);
    f.SetPictureSize(psCustom);
    f.SetPictureWidth(33);
    f.SetPictureHeight(44);
    f.SetOpacity(10);
    f.SetOpacityTo(20);
    f.SetOpacityMirror(30);
    f.SetOpacityMirrorTo(40);
    f.SetBorderColor(0x0000FF);
    f.SetBorderOpacity(50);
    f.SetBorderWidth(3);
    f.SetRounding(6);
    f.SetRoundingType(rtLeft);
    f.SetShadowOffset(4);
    f.SetShadowColor(0x123456);
    f.SetAngle(45);
    f.SetGlow(gmRadialGradient);
    f.SetGlowGradientColor(0x00FF00);
    f.SetGlowRadialColor(0xFF0000);
    ASSERT_TRUE(f.Picture().LoadFromStream(testapp::ImageBytes(8, 6, Qt::red)));
    ASSERT_TRUE(f.BackGroundPicture().LoadFromStream(testapp::ImageBytes(4, 3, Qt::blue)));
}

void ExpectSame(const TGDIPFill& a, const TGDIPFill& b)
{
    EXPECT_EQ(a.Color(), b.Color());
    EXPECT_EQ(a.ColorTo(), b.ColorTo());
    EXPECT_EQ(a.ColorMirror(), b.ColorMirror());
    EXPECT_EQ(a.ColorMirrorTo(), b.ColorMirrorTo());
    EXPECT_EQ(a.GradientType(), b.GradientType());
    EXPECT_EQ(a.GradientMirrorType(), b.GradientMirrorType());
    EXPECT_EQ(a.HatchStyle(), b.HatchStyle());
    EXPECT_EQ(a.HatchStyleMirror(), b.HatchStyleMirror());
    EXPECT_EQ(a.BackGroundPictureMode(), b.BackGroundPictureMode());
    EXPECT_EQ(a.BackGroundPicturePosition(), b.BackGroundPicturePosition());
    EXPECT_EQ(a.BackGroundPictureLeft(), b.BackGroundPictureLeft());
    EXPECT_EQ(a.BackGroundPictureTop(), b.BackGroundPictureTop());
    EXPECT_EQ(a.PicturePosition(), b.PicturePosition());
    EXPECT_EQ(a.PictureLeft(), b.PictureLeft());
    EXPECT_EQ(a.PictureTop(), b.PictureTop());
    EXPECT_EQ(a.PictureSize(), b.PictureSize());
    EXPECT_EQ(a.PictureWidth(), b.PictureWidth());
    EXPECT_EQ(a.PictureHeight(), b.PictureHeight());
    EXPECT_EQ(a.Opacity(), b.Opacity());
    EXPECT_EQ(a.OpacityTo(), b.OpacityTo());
    EXPECT_EQ(a.OpacityMirror(), b.OpacityMirror());
    EXPECT_EQ(a.OpacityMirrorTo(), b.OpacityMirrorTo());
    EXPECT_EQ(a.BorderColor(), b.BorderColor());
    EXPECT_EQ(a.BorderOpacity(), b.BorderOpacity());
    EXPECT_EQ(a.BorderWidth(), b.BorderWidth());
    EXPECT_EQ(a.Rounding(), b.Rounding());
    EXPECT_EQ(a.RoundingType(), b.RoundingType());
    EXPECT_EQ(a.ShadowOffset(), b.ShadowOffset());
    EXPECT_EQ(a.ShadowColor(), b.ShadowColor());
    EXPECT_EQ(a.Angle(), b.Angle());
    EXPECT_EQ(a.Glow(), b.Glow());
    EXPECT_EQ(a.GlowGradientColor(), b.GlowGradientColor());
    EXPECT_EQ(a.GlowRadialColor(), b.GlowRadialColor());
    EXPECT_EQ(a.Picture().Data(), b.Picture().Data());
    EXPECT_EQ(a.BackGroundPicture().Data(), b.BackGroundPicture().Data());
}

QString ReadText(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll());
}

void WriteText(const QString& path, const QString& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
}

class FillFileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        testapp::EnsureApp();
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("fill.ini"));
    }
    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(FillFileTest, SavedSectionLoadsBackToTheSameValues)
{
    TGDIPFill saved;
    SetAll(saved);
    QString error;
    ASSERT_TRUE(saved.SaveToFile(path, QStringLiteral("Splash"), &error)) << error.toStdString();
    TGDIPFill loaded;
    int changes = 0;
    loaded.OnChange = [&](TGDIPFill*) { ++changes; };
    ASSERT_TRUE(loaded.LoadFromFile(path, QStringLiteral("Splash"), &error)) << error.toStdString();
    ExpectSame(saved, loaded);
    EXPECT_GE(changes, 1);
}

TEST_F(FillFileTest, NoKeyIsWrittenTwice)
{
    TGDIPFill f;
    SetAll(f);
    ASSERT_TRUE(f.SaveToFile(path, QStringLiteral("Fill")));
    QStringList keys;
    for (const QString& line : ReadText(path).split(QLatin1Char('\n'))) {
        const int eq = int(line.indexOf(QLatin1Char('=')));
        if (eq > 0)
            keys << line.left(eq).trimmed().toLower();
    }
    EXPECT_GT(keys.size(), 30);
    const qsizetype all = keys.size();
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), all);
    EXPECT_TRUE(keys.contains(QStringLiteral("picturesize")));
}

TEST_F(FillFileTest, SavingKeepsOtherSections)
{
    WriteText(path, QStringLiteral("[Other]\r\nKeep=1\r\n"));
    TGDIPFill f;
    ASSERT_TRUE(f.SaveToFile(path, QStringLiteral("Fill")));
    fw::TIniFile ini(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Other"), QStringLiteral("Keep"), 0), 1);
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Fill"), QStringLiteral("Color"), 0), 0xC0C0C0);
}

TEST_F(FillFileTest, BadSectionIsRefusedWhole)
{
    TGDIPFill good;
    good.SetColor(0x010203);
    ASSERT_TRUE(good.SaveToFile(path, QStringLiteral("Fill")));
    const QString base = ReadText(path);
    struct Case {
        const char* name;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"non-hex character in the picture", "Picture", "89504EZZ"},
        {"non-hex character in the background", "BackgroundPicture", "0G"},
        {"hex that is no picture", "Picture", "00112233"},
        {"enumeration out of range", "GradientType", "99"},
        {"opacity above a byte", "Opacity", "300"},
        {"not a number", "Rounding", "six"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fw::TIniFile ini(path);
        ini.Parse(base);
        ini.WriteInteger(QStringLiteral("Fill"), QStringLiteral("Color"),
                         0x0A0B0C); // read before the bad key
        ini.WriteString(QStringLiteral("Fill"), QString::fromLatin1(c.key), QString::fromLatin1(c.value));
        ASSERT_TRUE(ini.Save());
        TGDIPFill f;
        f.SetColor(0x777777);
        int changes = 0;
        f.OnChange = [&](TGDIPFill*) { ++changes; };
        QString error;
        EXPECT_FALSE(f.LoadFromFile(path, QStringLiteral("Fill"), &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(f.Color(), 0x777777) << "nothing of the section is taken";
        EXPECT_TRUE(f.Picture().Empty());
        EXPECT_EQ(changes, 0);
    }
}

TEST_F(FillFileTest, BadHexSaysNoHexNumber)
{
    WriteText(path, QStringLiteral("[Fill]\nColor=255\nPicture=0X\n"));
    TGDIPFill f;
    QString error;
    EXPECT_FALSE(f.LoadFromFile(path, QStringLiteral("Fill"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("No Hex-Number"))) << error.toStdString();
    EXPECT_EQ(f.Color(), 0xC0C0C0);
}

TEST_F(FillFileTest, OlderSectionWithTheTextLengthUnderPictureSize)
{
    // Older files hold the picture text's length under "PictureSize" and no key of their own.
    const QString hex = StreamToHex(testapp::ImageBytes(5, 5, Qt::green));
    WriteText(path,
              QStringLiteral("[Fill]\nPictureSize=%1\nPicture=%2\nColor=65280\n").arg(hex.size()).arg(hex));
    TGDIPFill f;
    f.SetPictureSize(psCustom);
    QString error;
    ASSERT_TRUE(f.LoadFromFile(path, QStringLiteral("Fill"), &error)) << error.toStdString();
    EXPECT_EQ(f.PictureSize(), psCustom) << "the length is not taken as the property";
    EXPECT_EQ(f.Picture().Width(), 5);
    EXPECT_EQ(f.Color(), 0x00FF00);
}

TEST_F(FillFileTest, MissingFileIsAnError)
{
    TGDIPFill f;
    QString error;
    f.LoadFromFile(dir.filePath(QStringLiteral("none.ini")), QStringLiteral("Fill"), &error);
    EXPECT_EQ(f.Color(), 0xC0C0C0) << "nothing loaded from a missing file";
    EXPECT_FALSE(
        f.SaveToFile(dir.filePath(QStringLiteral("no/such/dir/f.ini")), QStringLiteral("Fill"), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(FillHex, TextAndBack)
{
    struct Case {
        const char* name;
        const char* text;
        bool ok;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"upper case", "00FF10", true, QByteArray("\x00\xFF\x10", 3)},
        {"lower case is accepted", "0aff", true, QByteArray("\x0A\xFF", 2)},
        {"odd last character ignored", "ABC", true, QByteArray("\xAB", 1)},
        {"empty", "", true, QByteArray()},
        {"not a digit", "0G", false, {}},
        {"space", "0 ", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray out;
        EXPECT_EQ(HexToStream(QString::fromLatin1(c.text), out), c.ok);
        if (c.ok) {
            EXPECT_EQ(out, c.bytes);
        }
    }
    EXPECT_EQ(StreamToHex(QByteArray("\x00\xAB\x0F", 3)), QStringLiteral("00AB0F"));
}

TEST(FillChanges, SettersNotifyOnlyOnChangeAndNotInsideAnUpdate)
{
    TGDIPFill f;
    int changes = 0;
    f.OnChange = [&](TGDIPFill*) { ++changes; };
    f.SetColor(f.Color());
    EXPECT_EQ(changes, 0);
    f.SetColor(0x123456);
    EXPECT_EQ(changes, 1);
    f.BeginUpdate();
    f.SetRounding(5);
    f.SetOpacity(7);
    f.EndUpdate();
    EXPECT_EQ(changes, 1) << "EndUpdate does not notify";
    f.SetRounding(6);
    EXPECT_EQ(changes, 2);
}

TEST(FillChanges, AssignCopiesAllButFocusAndOnChange)
{
    testapp::EnsureApp();
    TGDIPFill source;
    SetAll(source);
    source.Focus = true;
    source.FocusColor = fw::clRed;
    TGDIPFill target;
    int changes = 0;
    target.OnChange = [&](TGDIPFill*) { ++changes; };
    target.Assign(source);
    ExpectSame(source, target);
    EXPECT_FALSE(target.Focus);
    EXPECT_EQ(target.FocusColor, fw::clBlack);
    EXPECT_GE(changes, 1);
    EXPECT_TRUE(target.OnChange);
}

TEST(FillPictures, PlacementByPositionCode)
{
    struct Case {
        const char* name;
        TFillPicturePosition pos;
        int w, h;
        bool aspect;
        TPictureMode mode;
        int x, y, rw, rh;
    };
    const Case cases[] = {
        {"bottom centre", ppBottomCenter, 100, 40, false, pmStretch, 100, 160, 100, 40},
        {"top right", ppTopRight, 100, 40, false, pmStretch, 200, 0, 100, 40},
        {"centre centre", ppCenterCenter, 100, 40, false, pmStretch, 100, 80, 100, 40},
        {"custom", ppCustom, 10, 10, false, pmStretch, 7, 8, 10, 10},
        {"stretched, aspect, normal", ppStretched, 50, 20, true, pmNormal, 125, 90, 50, 20},
        {"stretched, aspect, stretch", ppStretched, 50, 20, true, pmStretch, 0, 40, 300, 120},
        {"stretched without aspect", ppStretched, 50, 20, false, pmStretch, 0, 0, 300, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const gp::TGPRect r =
            PicturePlacement(c.pos, 7, 8, fw::Rect(0, 0, 300, 200), c.w, c.h, c.aspect, c.mode);
        EXPECT_EQ(r.X, c.x);
        EXPECT_EQ(r.Y, c.y);
        EXPECT_EQ(r.Width, c.rw);
        EXPECT_EQ(r.Height, c.rh);
    }
}

TEST(FillPictures, PlacementAtTheEndsOfTheIntRangeKeepsEveryEdgeAnInt)
{
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    struct Case {
        const char* name;
        TFillPicturePosition pos;
        int left, top, w, h;
    };
    const Case cases[] = {
        {"custom at the largest int", ppCustom, kMax, kMax, 2, 2},
        {"custom at the smallest int", ppCustom, kMin, kMin, 2, 2},
        {"centred, width the smallest int", ppCenterCenter, 0, 0, kMin, kMin},
        {"centred, width the largest int", ppCenterCenter, 0, 0, kMax, kMax},
        {"bottom right, width the smallest int", ppBottomRight, 0, 0, kMin, kMin},
        {"stretched with aspect, huge picture", ppStretched, 0, 0, kMax, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const gp::TGPRect r =
            PicturePlacement(c.pos, c.left, c.top, fw::Rect(0, 0, 300, 200), c.w, c.h, true, pmStretch);
        for (const std::int64_t edge : {std::int64_t(r.X) + r.Width, std::int64_t(r.Y) + r.Height}) {
            EXPECT_LE(edge, kMax);
            EXPECT_GE(edge, kMin);
        }
        EXPECT_LE(std::abs(std::int64_t(r.X)), std::int64_t(1) << 24)
            << "far outside, but still a pixel position";
    }
    const gp::TGPRect small =
        PicturePlacement(ppCustom, -5, 7, fw::Rect(0, 0, 300, 200), 10, 20, false, pmStretch);
    EXPECT_EQ(small.X, -5) << "ordinary numbers are kept as they are";
    EXPECT_EQ(small.Y, 7);
}

TEST_F(FillFileTest, PicturePositionsAndSizesOutsideAPixelRangeAreRefused)
{
    // Sections whose placement sums overflowed an int; each names the key it is refused for.
    struct Case {
        const char* name;
        const char* file;
        const char* key;
    };
    const Case cases[] = {
        {"background picture inside the fill, far right", "fill-ub-460.ini", "BackGroundPictureLeft"},
        {"background picture outside the fill, far right", "fill-ub-488.ini", "BackGroundPictureLeft"},
        {"picture far right", "fill-ub-497.ini", "PictureLeft"},
        {"picture of the smallest width", "fill-ub-67.ini", "PictureWidth"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file =
            QStringLiteral(MORVEX_CONTROLS_FIXTURES "/fill-overflow/") + QString::fromLatin1(c.file);
        TGDIPFill f;
        QString error;
        EXPECT_FALSE(f.LoadFromFile(file, QStringLiteral("Fill"), &error));
        EXPECT_TRUE(error.contains(QString::fromLatin1(c.key))) << error.toStdString();
        EXPECT_TRUE(f.Picture().Empty());
        EXPECT_TRUE(f.BackGroundPicture().Empty());
        EXPECT_EQ(f.PictureLeft(), 0);
        EXPECT_EQ(f.PictureWidth(), 50);
    }
    // The ends of the range load.
    WriteText(path, QStringLiteral("[Fill]\nPictureLeft=-32768\nPictureTop=32767\nPictureWidth=32767\n"
                                   "BackGroundPictureLeft=32767\nBackGroundPictureTop=-32768\n"));
    TGDIPFill f;
    QString error;
    ASSERT_TRUE(f.LoadFromFile(path, QStringLiteral("Fill"), &error)) << error.toStdString();
    EXPECT_EQ(f.PictureLeft(), -32768);
    EXPECT_EQ(f.PictureTop(), 32767);
    EXPECT_EQ(f.PictureWidth(), 32767);
    EXPECT_EQ(f.BackGroundPictureLeft(), 32767);
    EXPECT_EQ(f.BackGroundPictureTop(), -32768);
}

namespace
{

QImage Paint(TGDIPFill& f, int w, int h, gp::TGPRectF r, int opacity = 255, gp::TGPRectF* content = nullptr)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    gp::TGPGraphics g(p);
    f.Fill(&g, r, 255, opacity, 255, 255, 255, content);
    return img;
}

} // namespace

TEST(FillDrawing, DefaultIsSilverToGrayWithoutBorder)
{
    testapp::EnsureApp();
    TGDIPFill f;
    const QImage img = Paint(f, 40, 40, {0, 0, 40, 40});
    const QColor top(img.pixel(20, 0)), bottom(img.pixel(20, 39));
    EXPECT_NEAR(top.red(), 0xC0, 8);
    EXPECT_NEAR(bottom.red(), 0x80, 8);
    EXPECT_EQ(QColor(img.pixel(0, 20)).red(), QColor(img.pixel(20, 20)).red()) << "no border at the side";
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 255) << "square corners";
}

TEST(FillDrawing, ColoursAndOpacities)
{
    testapp::EnsureApp();
    {
        SCOPED_TRACE("ColorTo none paints solid");
        TGDIPFill f;
        f.SetColor(0x0000FF);
        f.SetColorTo(fw::clNone);
        const QImage img = Paint(f, 20, 20, {0, 0, 20, 20});
        EXPECT_EQ(QColor(img.pixel(10, 1)), QColor(255, 0, 0));
        EXPECT_EQ(QColor(img.pixel(10, 18)), QColor(255, 0, 0));
    }
    {
        SCOPED_TRACE("Color none paints nothing");
        TGDIPFill f;
        f.SetColor(fw::clNone);
        const QImage img = Paint(f, 20, 20, {0, 0, 20, 20});
        EXPECT_EQ(qAlpha(img.pixel(10, 10)), 0);
    }
    {
        SCOPED_TRACE("gtPath paints no colour");
        TGDIPFill f;
        f.SetGradientType(gp::gtPath);
        const QImage img = Paint(f, 20, 20, {0, 0, 20, 20});
        EXPECT_EQ(qAlpha(img.pixel(10, 10)), 0);
    }
    {
        SCOPED_TRACE("opacity argument overrides for one call");
        TGDIPFill f;
        f.SetColorTo(fw::clNone);
        const QImage half = Paint(f, 20, 20, {0, 0, 20, 20}, 128);
        EXPECT_NEAR(qAlpha(half.pixel(10, 10)), 128, 2);
        EXPECT_EQ(f.Opacity(), 255);
        const QImage full = Paint(f, 20, 20, {0, 0, 20, 20});
        EXPECT_EQ(qAlpha(full.pixel(10, 10)), 255);
    }
    {
        SCOPED_TRACE("mirror part below the middle");
        TGDIPFill f;
        f.SetColor(0x0000FF);
        f.SetColorTo(fw::clNone);
        f.SetColorMirror(0xFF0000);
        f.SetColorMirrorTo(fw::clNone);
        const QImage img = Paint(f, 20, 40, {0, 0, 20, 40});
        EXPECT_EQ(QColor(img.pixel(10, 5)), QColor(255, 0, 0));
        EXPECT_EQ(QColor(img.pixel(10, 35)), QColor(0, 0, 255));
    }
}

TEST(FillDrawing, BorderAndShadowSteps)
{
    testapp::EnsureApp();
    struct Case {
        const char* name;
        TShadowType type;
        gp::TGPRectF content;
    };
    const Case cases[] = {
        {"right bottom", stRightBottom, {0, 0, 96, 46}},
        {"surround", stSurround, {4, 4, 92, 42}},
        {"bottom", stBottom, {0, 0, 100, 46}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGDIPFill f;
        f.SetShadowOffset(4);
        f.SetShadowType(c.type);
        gp::TGPRectF content{};
        Paint(f, 100, 50, {0, 0, 100, 50}, 255, &content);
        EXPECT_FLOAT_EQ(content.X, c.content.X);
        EXPECT_FLOAT_EQ(content.Y, c.content.Y);
        EXPECT_FLOAT_EQ(content.Width, c.content.Width);
        EXPECT_FLOAT_EQ(content.Height, c.content.Height);
    }
    TGDIPFill f;
    f.SetColor(fw::clWhite);
    f.SetColorTo(fw::clNone);
    f.SetBorderColor(0x0000FF);
    const QImage img = Paint(f, 30, 30, {0.5f, 0.5f, 28, 28});
    EXPECT_GT(QColor(img.pixel(0, 15)).red(), 128);
    EXPECT_LT(QColor(img.pixel(0, 15)).green(), 128) << "border in its colour";
    EXPECT_EQ(QColor(img.pixel(15, 15)), QColor(Qt::white));
}

TEST(FillDrawing, OnePixelHighDrawsOnlyTheBorderLine)
{
    testapp::EnsureApp();
    TGDIPFill f;
    f.SetColor(0x00FF00);
    const QImage none = Paint(f, 20, 6, {0, 2, 20, 1});
    EXPECT_EQ(qAlpha(none.pixel(10, 2)), 0) << "no colour area, no border colour";
    f.SetBorderColor(0x0000FF);
    const QImage line = Paint(f, 20, 6, {0, 2.5f, 20, 1});
    EXPECT_GT(qAlpha(line.pixel(10, 2)) + qAlpha(line.pixel(10, 3)), 0);
    EXPECT_EQ(QColor(line.pixel(10, 2)).green() + QColor(line.pixel(10, 3)).green(), 0) << "no green area";
}

TEST(FillDrawing, PicturesSetFarOutsideDrawNothingInside)
{
    // Setters take any int; painting such a fill places the pictures far away without overflow.
    testapp::EnsureApp();
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    TGDIPFill f;
    f.SetColor(fw::clWhite);
    f.SetColorTo(fw::clNone);
    f.SetGradientType(gp::gtTexture);
    ASSERT_TRUE(f.Picture().LoadFromStream(testapp::ImageBytes(4, 4, Qt::red)));
    ASSERT_TRUE(f.BackGroundPicture().LoadFromStream(testapp::ImageBytes(4, 4, Qt::blue)));
    f.SetPicturePosition(ppCustom);
    f.SetPictureLeft(kMax);
    f.SetPictureTop(kMin);
    f.SetBackGroundPicturePosition(ppCustom);
    f.SetBackGroundPictureLeft(kMin);
    f.SetBackGroundPictureTop(kMax);
    for (TFillPictureMode mode : {pmInsideFill, pmOutsideFill}) {
        SCOPED_TRACE(mode == pmInsideFill ? "background inside the fill" : "background outside the fill");
        f.SetBackGroundPictureMode(mode);
        const QImage img = Paint(f, 20, 20, {0, 0, 20, 20});
        for (int y = 0; y < 20; y += 3)
            for (int x = 0; x < 20; x += 3) {
                const QColor c(img.pixel(x, y));
                EXPECT_FALSE(c.red() > 200 && c.green() < 50) << "picture drawn at " << x << "," << y;
                EXPECT_FALSE(c.blue() > 200 && c.green() < 50) << "background drawn at " << x << "," << y;
            }
    }
    f.SetPicturePosition(ppCenterCenter);
    f.SetPictureSize(psCustom);
    f.SetPictureWidth(kMin);
    f.SetPictureHeight(kMin);
    Paint(f, 20, 20, {0, 0, 20, 20});
}

TEST(FillClipboard, RoundTripAndForeignData)
{
    testapp::EnsureApp();
    TGDIPFill saved;
    SetAll(saved);
    saved.SaveToClipBoard();
    TGDIPFill loaded;
    QString error;
    ASSERT_TRUE(loaded.LoadFromClipBoard(&error)) << error.toStdString();
    ExpectSame(saved, loaded);

    QGuiApplication::clipboard()->setText(QStringLiteral("not a fill"));
    TGDIPFill untouched;
    untouched.SetColor(0x010101);
    untouched.LoadFromClipBoard(&error);
    EXPECT_EQ(untouched.Color(), 0x010101);
}

namespace
{

void Configure(TGDIPFill& f)
{
    f.SetColor(0x123456);
    f.SetColorTo(fw::clNone);
    f.SetColorMirror(0x654321);
    f.SetColorMirrorTo(fw::clBtnFace);
    f.SetGradientType(gp::gtAngle);
    f.SetGradientMirrorType(gp::gtHatch);
    f.SetHatchStyle(3);
    f.SetHatchStyleMirror(7);
    f.SetBackGroundPictureMode(pmInsideFill);
    f.SetBackGroundPicturePosition(ppCenterRight);
    f.SetBackGroundPictureLeft(-4);
    f.SetBackGroundPictureTop(9);
    f.SetPicturePosition(ppBottomCenter);
    f.SetPictureLeft(3);
    f.SetPictureTop(4);
    f.SetPictureSize(psCustom);
    f.SetPictureWidth(33);
    f.SetPictureHeight(44);
    f.SetOpacity(10);
    f.SetOpacityTo(20);
    f.SetOpacityMirror(30);
    f.SetOpacityMirrorTo(40);
    f.SetBorderColor(fw::clRed);
    f.SetBorderOpacity(128);
    f.SetBorderWidth(2);
    f.SetRounding(7);
    f.SetRoundingType(rtLeft);
    f.SetShadowOffset(5);
    f.SetShadowColor(fw::clGray);
    f.SetAngle(135);
    f.SetGlow(gmRadial);
    f.SetGlowGradientColor(fw::clYellow);
    f.SetGlowRadialColor(fw::clAqua);
    f.Picture().LoadFromStream(testapp::ImageBytes(5, 4, QColor(10, 200, 30, 200)));
    f.BackGroundPicture().LoadFromStream(testapp::ImageBytes(2, 3, QColor(10, 200, 30, 200)));
}

TEST(Fill, SavedPropertiesLoadBackToTheSameValues)
{
    testapp::EnsureApp();
    QTemporaryDir dir;
    const QString file = dir.filePath("fill.ini");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Other]\r\nKeep=1\r\n");
    }
    TGDIPFill saved;
    Configure(saved);
    QString error;
    ASSERT_TRUE(saved.SaveToFile(file, "Splash", &error)) << error.toStdString();
    TGDIPFill loaded;
    int changes = 0;
    loaded.OnChange = [&](TGDIPFill*) { ++changes; };
    ASSERT_TRUE(loaded.LoadFromFile(file, "Splash", &error)) << error.toStdString();
    ExpectSame(saved, loaded);
    EXPECT_EQ(changes, 1);
    // Every key is written once, and the other section is kept.
    fw::TIniFile ini(file);
    ASSERT_TRUE(ini.Load());
    const QStringList keys = ini.Keys("Splash");
    EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size());
    EXPECT_EQ(ini.ReadInteger("Splash", "PictureSize", -1), int(psCustom));
    EXPECT_EQ(ini.ReadInteger("Other", "Keep", 0), 1);
}

TEST(Fill, BadValueRefusesTheWholeFill)
{
    testapp::EnsureApp();
    TGDIPFill source;
    Configure(source);
    struct Case {
        const char* name;
        const char* key;
        const char* value;
    } cases[] = {
        {"bad hex character", "Picture", "89504EZZ"},
        {"hex of bytes that are no picture", "BackgroundPicture", "00112233"},
        {"opacity out of range", "Opacity", "300"},
        {"gradient type out of range", "GradientType", "99"},
        {"not a number", "Rounding", "seven"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fw::TIniFile ini;
        source.SaveToIni(ini, "F");
        ini.WriteInteger("F", "Color", 0x00FF00); // would change, if anything were taken
        ini.WriteString("F", c.key, c.value);
        TGDIPFill target;
        int changes = 0;
        target.OnChange = [&](TGDIPFill*) { ++changes; };
        QString error;
        EXPECT_FALSE(target.LoadFromIni(ini, "F", &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(target.Color(), 0xC0C0C0);
        EXPECT_TRUE(target.Picture().Empty());
        EXPECT_EQ(changes, 0);
    }
}

TEST(Fill, HexTextRoundTrips)
{
    QByteArray out;
    EXPECT_EQ(StreamToHex(QByteArray("\x00\xAB\x7F", 3)), "00AB7F");
    ASSERT_TRUE(HexToStream("00ab7f1", out)); // odd last character ignored
    EXPECT_EQ(out, QByteArray("\x00\xAB\x7F", 3));
    EXPECT_FALSE(HexToStream("0G", out));
}

TEST(Fill, PicturePlacementByPosition)
{
    struct Case {
        const char* name;
        TFillPicturePosition pos;
        int w, h;
        bool aspect;
        TPictureMode mode;
        gp::TGPRect expected;
    } cases[] = {
        {"bottom centre", ppBottomCenter, 100, 40, false, pmStretch, {100, 160, 100, 40}},
        {"top right", ppTopRight, 100, 40, false, pmStretch, {200, 0, 100, 40}},
        {"centre centre", ppCenterCenter, 100, 40, false, pmStretch, {100, 80, 100, 40}},
        {"custom", ppCustom, 10, 10, false, pmStretch, {7, 8, 10, 10}},
        {"stretched without aspect", ppStretched, 50, 20, false, pmStretch, {0, 0, 300, 200}},
        {"stretched, aspect, normal keeps size", ppStretched, 50, 20, true, pmNormal, {125, 90, 50, 20}},
        {"stretched, aspect, stretch", ppStretched, 50, 20, true, pmStretch, {0, 40, 300, 120}},
        {"stretched, empty picture", ppStretched, 0, 20, true, pmStretch, {150, 100, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const gp::TGPRect r =
            PicturePlacement(c.pos, 7, 8, fw::TRect{0, 0, 300, 200}, c.w, c.h, c.aspect, c.mode);
        EXPECT_EQ(r.X, c.expected.X);
        EXPECT_EQ(r.Y, c.expected.Y);
        EXPECT_EQ(r.Width, c.expected.Width);
        EXPECT_EQ(r.Height, c.expected.Height);
    }
}

TEST(Fill, UpdatesAreQuietAndShadowShrinksTheColourArea)
{
    testapp::EnsureApp();
    TGDIPFill f;
    int changes = 0;
    f.OnChange = [&](TGDIPFill*) { ++changes; };
    f.BeginUpdate();
    f.SetColor(fw::clRed);
    f.EndUpdate();
    EXPECT_EQ(changes, 0);
    f.SetColor(fw::clRed);
    EXPECT_EQ(changes, 0);
    QImage img(200, 200, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    gp::TGPGraphics g(p);
    struct Case {
        const char* name;
        TShadowType type;
        gp::TGPRectF expected;
    } cases[] = {{"right bottom", stRightBottom, {10, 10, 96, 96}},
                 {"surround", stSurround, {14, 14, 92, 92}},
                 {"bottom", stBottom, {10, 10, 100, 96}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        f.SetShadowOffset(4);
        f.SetShadowType(c.type);
        gp::TGPRectF content;
        f.Fill(&g, {10, 10, 100, 100}, 255, 255, 255, 255, 255, &content);
        EXPECT_FLOAT_EQ(content.X, c.expected.X);
        EXPECT_FLOAT_EQ(content.Y, c.expected.Y);
        EXPECT_FLOAT_EQ(content.Width, c.expected.Width);
        EXPECT_FLOAT_EQ(content.Height, c.expected.Height);
    }
}

TEST(Fill, DefaultFillIsSilverToGreyTopToBottom)
{
    testapp::EnsureApp();
    TGDIPFill f;
    QImage img(20, 100, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        gp::TGPGraphics g(p);
        f.Fill(&g, {0, 0, 20, 100});
    }
    const QColor top = img.pixelColor(10, 1), bottom = img.pixelColor(10, 98);
    EXPECT_NEAR(top.red(), 0xC0, 6);
    EXPECT_NEAR(bottom.red(), 0x80, 6);
    EXPECT_EQ(top.alpha(), 255);
}

} // namespace
