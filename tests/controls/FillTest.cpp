#include "TestApp.h"

#include "controls/smooth/GDIPFill.h"
#include "framework/IniFile.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fx;

namespace {

QByteArray PngBytes(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(QColor(10, 200, 30, 200));
    QByteArray out;
    QBuffer b(&out);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    return out;
}

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
    f.Picture().LoadFromStream(PngBytes(5, 4));
    f.BackGroundPicture().LoadFromStream(PngBytes(2, 3));
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
        const gp::TGPRect r = PicturePlacement(c.pos, 7, 8, fw::TRect{0, 0, 300, 200}, c.w, c.h, c.aspect, c.mode);
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
