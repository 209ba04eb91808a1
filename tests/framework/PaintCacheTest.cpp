// Paint results that go through kept fonts, metrics, masked bitmaps, shaped text and gradient images
// must follow every change of their inputs, and never take an entry made for other inputs.
#include "controls/panels/SkGraphics.h"
#include "controls/smooth/TrackBar.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Fonts.h"
#include "support/TestApp.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace fw;

using testapp::EnsureApp;

namespace
{
// Index of the first pixel where a and b differ, or -1 (also a size mismatch gives 0).
int FirstDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if (x.pixel(col, row) != y.pixel(col, row))
                return row * x.width() + col;
    return -1;
}

// ---- TFont::ToQFont ----

struct FontSetup {
    QString name;
    int height;
    TFontStyles style;
};

void Apply(TFont& f, const FontSetup& s)
{
    f.SetName(s.name);
    f.SetHeight(s.height);
    f.SetStyle(s.style);
}

TEST(PaintCacheFont, ToQFontFollowsChangesMadeAfterAnEarlierCall)
{
    EnsureApp();
    const FontSetup start{"Tahoma", -11, 0};
    struct Case {
        const char* name;
        FontSetup after;
    };
    const Case cases[] = {
        {"height", {"Tahoma", -16, 0}},
        {"positive height", {"Tahoma", 14, 0}},
        {"bold", {"Tahoma", -11, fsBold}},
        {"italic", {"Tahoma", -11, fsItalic}},
        {"underline", {"Tahoma", -11, fsUnderline}},
        {"strike-out", {"Tahoma", -11, fsStrikeOut}},
        {"name", {"Times New Roman", -11, 0}},
        {"unmapped name", {"Liberation Mono", -11, 0}},
        {"all at once", {"Arial", -20, fsBold | fsItalic | fsUnderline}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFont font;
        Apply(font, start);
        const QFont before = font.ToQFont();
        Apply(font, c.after);
        const QFont changed = font.ToQFont();
        TFont fresh;
        Apply(fresh, c.after);
        EXPECT_EQ(changed, fresh.ToQFont());
        EXPECT_NE(changed, before);
        EXPECT_EQ(changed.pixelSize(), std::abs(c.after.height));
        EXPECT_EQ(changed.bold(), bool(c.after.style & fsBold));
        EXPECT_EQ(changed.italic(), bool(c.after.style & fsItalic));
        EXPECT_EQ(changed.underline(), bool(c.after.style & fsUnderline));
        EXPECT_EQ(changed.strikeOut(), bool(c.after.style & fsStrikeOut));
        EXPECT_EQ(changed.family(), SubstituteFamily(c.after.name));
        // The font handed out earlier keeps its own settings.
        EXPECT_EQ(before.pixelSize(), 11);
        EXPECT_FALSE(before.bold());
        EXPECT_EQ(before.family(), SubstituteFamily("Tahoma"));
        // Back to the start gives the start font again.
        Apply(font, start);
        EXPECT_EQ(font.ToQFont(), before);
    }
}

TEST(PaintCacheFont, ToQFontFollowsAssignSizeAndIgnoresColour)
{
    EnsureApp();
    TFont font;
    const QFont plain = font.ToQFont();
    font.SetColor(clRed);
    EXPECT_EQ(font.ToQFont(), plain) << "colour is not part of the QFont";

    font.SetSize(14);
    EXPECT_EQ(font.ToQFont().pixelSize(), std::abs(font.Height()));

    TFont source;
    source.SetName("Courier New");
    source.SetHeight(-13);
    source.SetStyle(fsItalic);
    font.Assign(source);
    EXPECT_EQ(font.ToQFont(), source.ToQFont());
    EXPECT_EQ(font.ToQFont().family(), "Liberation Mono");
    // Fonts alike share one QFont; a copy changed by its holder leaves the shared one alone.
    EXPECT_TRUE(font.ToQFont().isCopyOf(source.ToQFont()));
    QFont changed = font.ToQFont();
    changed.setBold(true);
    EXPECT_FALSE(source.ToQFont().bold());
}

// ---- default text metrics ----

TEST(PaintCacheMetrics, WidthsAndHeightsArePerFontAndString)
{
    EnsureApp();
    const TextMetrics& m = CurrentTextMetrics();
    const QString texts[] = {"i", "W", "WWWW", "iiii", "12:30", "caf\u00e9", "a b", ""};
    const FontSetup setups[] = {{"Tahoma", -11, 0},
                                {"Tahoma", -11, fsBold},
                                {"Tahoma", -24, 0},
                                {"Courier New", -11, 0},
                                {"Arial", 15, 0}};
    // Two rounds: the second one answers from what the first kept.
    for (int round = 0; round < 2; ++round)
        for (const FontSetup& s : setups) {
            TFont tf;
            Apply(tf, s);
            const QFont f = tf.ToQFont();
            const QFontMetrics qm(f);
            SCOPED_TRACE(QString("round %1, %2 %3 style %4")
                             .arg(round)
                             .arg(s.name)
                             .arg(s.height)
                             .arg(s.style)
                             .toStdString());
            EXPECT_EQ(m.Height(f), qm.height());
            EXPECT_EQ(m.Ascent(f), qm.ascent());
            for (const QString& t : texts) {
                SCOPED_TRACE(t.toStdString());
                EXPECT_EQ(m.Width(f, t), qm.horizontalAdvance(t));
            }
        }
    TFont small, large;
    large.SetHeight(-30);
    EXPECT_LT(m.Width(small.ToQFont(), "WWWW"), m.Width(large.ToQFont(), "WWWW"));
    EXPECT_LT(m.Height(small.ToQFont()), m.Height(large.ToQFont()));
    EXPECT_LT(m.Width(small.ToQFont(), "iiii"), m.Width(small.ToQFont(), "WWWW"));
}

TEST(PaintCacheMetrics, CanvasMeasuresWithItsFontAsChangedInPlace)
{
    EnsureApp();
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter p(&image);
    TCanvas c(p);
    struct Case {
        const char* name;
        std::function<void(TFont&)> change;
    };
    const Case cases[] = {
        {"start", [](TFont&) {}},
        {"taller", [](TFont& f) { f.SetHeight(-22); }},
        {"bold", [](TFont& f) { f.SetStyle(fsBold); }},
        {"other face", [](TFont& f) { f.SetName("Courier New"); }},
        {"smaller again", [](TFont& f) { f.SetHeight(-9); }},
        {"plain", [](TFont& f) { f.SetStyle(0); }},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        row.change(c.Font);
        const QFontMetrics qm(c.Font.ToQFont());
        EXPECT_EQ(c.TextWidth("Mixer 12"), qm.horizontalAdvance("Mixer 12"));
        EXPECT_EQ(c.TextHeight("Mixer 12"), qm.height());
    }
}

// ---- TCanvas::DrawTransparent and CopyTransparentPart ----

constexpr QRgb kBackground = 0xFF808080;

// A 4 x 4 source: left half red, right half green, top-left pixel blue.
QImage Source()
{
    QImage s(4, 4, QImage::Format_RGB32);
    s.fill(QColor(255, 0, 0));
    for (int y = 0; y < 4; ++y)
        for (int x = 2; x < 4; ++x)
            s.setPixel(x, y, qRgb(0, 255, 0));
    s.setPixel(0, 0, qRgb(0, 0, 255));
    return s;
}

QImage BlankSurface()
{
    QImage s(12, 12, QImage::Format_RGB32);
    s.fill(kBackground);
    return s;
}

// What a keyed draw of src at (1, 1), scale times larger, must leave on the surface.
QImage Expected(const QImage& src, TColor key, int scale = 1)
{
    QImage out = BlankSurface();
    const QRgb k = ToQColor(key).rgb() | 0xFF000000;
    for (int y = 0; y < src.height() * scale; ++y)
        for (int x = 0; x < src.width() * scale; ++x) {
            const QRgb s = src.pixel(x / scale, y / scale) | 0xFF000000;
            if (s != k)
                out.setPixel(1 + x, 1 + y, s);
        }
    return out;
}

QImage DrawKeyed(const QImage& src, TColor key, int scale = 1)
{
    QImage out = BlankSurface();
    QPainter p(&out);
    TCanvas c(p);
    c.DrawTransparent(Bounds(1, 1, src.width() * scale, src.height() * scale), src, key);
    return out;
}

TEST(PaintCacheTransparent, ModifiedSourceShowsItsNewPixels)
{
    EnsureApp();
    struct Case {
        const char* name;
        std::function<void(QImage&)> modify;
    };
    const Case cases[] = {
        {"setPixel", [](QImage& s) { s.setPixel(1, 2, qRgb(255, 255, 0)); }},
        {"fill", [](QImage& s) { s.fill(QColor(0, 255, 0)); }},
        {"scanLine written",
         [](QImage& s) { reinterpret_cast<QRgb*>(s.scanLine(3))[0] = qRgb(0, 255, 255); }},
        {"painted and ended",
         [](QImage& s) {
             QPainter p(&s);
             p.fillRect(0, 0, 2, 2, QColor(255, 255, 255));
         }},
        {"key colour painted over", [](QImage& s) { s.setPixel(0, 0, qRgb(9, 9, 9)); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage src = Source();
        for (int scale : {1, 2}) {
            SCOPED_TRACE(scale);
            EXPECT_EQ(
                FirstDifference(DrawKeyed(src, RGB(0, 0, 255), scale), Expected(src, RGB(0, 0, 255), scale)),
                -1);
        }
        c.modify(src);
        for (int scale : {1, 2}) {
            SCOPED_TRACE(scale);
            EXPECT_EQ(
                FirstDifference(DrawKeyed(src, RGB(0, 0, 255), scale), Expected(src, RGB(0, 0, 255), scale)),
                -1);
        }
    }
}

TEST(PaintCacheTransparent, SourceStillBeingPaintedShowsItsNewPixels)
{
    EnsureApp();
    QImage src = Source();
    QPainter open(&src);
    EXPECT_EQ(FirstDifference(DrawKeyed(src, RGB(0, 0, 255)), Expected(src, RGB(0, 0, 255))), -1);
    open.fillRect(0, 0, 4, 2, QColor(255, 0, 255));
    EXPECT_EQ(FirstDifference(DrawKeyed(src, RGB(0, 0, 255)), Expected(src, RGB(0, 0, 255))), -1);
    open.end();
    EXPECT_EQ(FirstDifference(DrawKeyed(src, RGB(0, 0, 255)), Expected(src, RGB(0, 0, 255))), -1);
}

TEST(PaintCacheTransparent, PaletteChangeOfAnIndexedSourceShows)
{
    EnsureApp();
    QImage src(3, 3, QImage::Format_Indexed8);
    src.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    src.fill(0);
    src.setPixel(1, 1, 1);
    EXPECT_EQ(FirstDifference(DrawKeyed(src, RGB(0, 0, 255)), Expected(src, RGB(0, 0, 255))), -1);
    src.setColor(1, qRgb(0, 255, 0));
    EXPECT_EQ(FirstDifference(DrawKeyed(src, RGB(0, 0, 255)), Expected(src, RGB(0, 0, 255))), -1);
    src.setColorTable({qRgb(0, 0, 255), qRgb(255, 255, 0)});
    EXPECT_EQ(FirstDifference(DrawKeyed(src, RGB(0, 0, 255)), Expected(src, RGB(0, 0, 255))), -1);
}

TEST(PaintCacheTransparent, EachKeyAndSizeGetsItsOwnMask)
{
    EnsureApp();
    const QImage src = Source();
    struct Case {
        const char* name;
        TColor key;
        int scale;
    };
    // Drawn in this order and then backwards, all from the one source image.
    const Case cases[] = {
        {"blue key", RGB(0, 0, 255), 1},          {"red key", RGB(255, 0, 0), 1},
        {"green key", RGB(0, 255, 0), 1},         {"absent key", RGB(1, 2, 3), 1},
        {"blue key, doubled", RGB(0, 0, 255), 2}, {"red key, doubled", RGB(255, 0, 0), 2},
    };
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < int(std::size(cases)); ++i) {
            const Case& c = cases[round == 0 ? i : int(std::size(cases)) - 1 - i];
            SCOPED_TRACE(c.name);
            EXPECT_EQ(FirstDifference(DrawKeyed(src, c.key, c.scale), Expected(src, c.key, c.scale)), -1);
        }
}

TEST(PaintCacheTransparent, CopiesAndPartsOfABitmap)
{
    EnsureApp();
    QImage src = Source();
    const QImage copy = src; // shares the pixels until src is written
    const TColor key = RGB(0, 0, 255);
    auto draw = [&](const QImage& bmp, TRect s) {
        QImage out = BlankSurface();
        QPainter p(&out);
        TCanvas c(p);
        sk::CopyTransparentPart(c, bmp, Bounds(1, 1, s.Width(), s.Height()), key, s);
        return out;
    };
    const TRect whole = Rect(0, 0, 4, 4), left = Rect(0, 0, 2, 4);
    EXPECT_EQ(FirstDifference(draw(src, whole), Expected(src, key)), -1);
    EXPECT_EQ(FirstDifference(draw(src, left), Expected(src.copy(0, 0, 2, 4), key)), -1);
    src.setPixel(0, 3, qRgb(255, 255, 255));
    src.setPixel(3, 3, qRgb(0, 0, 255));
    EXPECT_EQ(FirstDifference(draw(src, whole), Expected(src, key)), -1) << "the written bitmap";
    EXPECT_EQ(FirstDifference(draw(src, left), Expected(src.copy(0, 0, 2, 4), key)), -1);
    EXPECT_EQ(FirstDifference(draw(copy, whole), Expected(Source(), key)), -1) << "its earlier copy";
}

// ---- TCanvas::DrawText against QPainter::drawText ----

struct TextSurface {
    QImage image{220, 40, QImage::Format_RGB32};
    TextSurface() { image.fill(Qt::white); }
};

constexpr int kLeft = 3, kTop = 4;

QImage CanvasText(const TFont& font, const QString& text, Qt::LayoutDirection dir)
{
    TextSurface s;
    QPainter p(&s.image);
    p.setLayoutDirection(dir);
    TCanvas c(p);
    c.Font.Assign(font);
    TRect r = Rect(kLeft, kTop, 215, 38);
    c.DrawText(text, r, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    return s.image;
}

QImage PainterText(const TFont& font, const QString& text, Qt::LayoutDirection dir)
{
    TextSurface s;
    QPainter p(&s.image);
    p.setLayoutDirection(dir);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QFont f = font.ToQFont();
    p.setFont(f);
    p.setPen(ToQColor(font.Color()));
    p.drawText(kLeft, kTop + QFontMetrics(f).ascent(), text);
    return s.image;
}

TEST(PaintCacheText, SingleLineTextMatchesPainterDrawText)
{
    EnsureApp();
    const struct {
        const char* name;
        QString text;
    } texts[] = {
        {"plain", "Gain"},
        {"spaces", "Low  shelf  Q"},
        {"leading and trailing spaces", "  x  "},
        {"digits", "-12.5 dB 0123456789"},
        {"accented Latin-1", "\u00c9t\u00e9 \u00e0 \u00d6rebro \u00f1 \u00fc\u00df"},
        {"combining mark", "e\u0301a\u0308"},
        {"Greek and Cyrillic", "\u03a9 \u0416\u0438"},
        {"soft hyphen", "Equal\u00adizer\u00ad"},
        {"no-break space", "10\u00a0kHz"},
        {"C1 control", "a\u0085b\u009fc"},
        {"CJK", "\u4e2d\u6587 EQ"},
        {"Hebrew", "\u05e9\u05dc\u05d5\u05dd abc"},
        {"Arabic digits", "\u0661\u0662 x"},
        {"tab", "a\tb"},
        {"line feed", "a\nb"},
        {"carriage return", "a\rb"},
        {"delete", "a\u007fb"},
        {"ellipsis", "Gain\u2026"},
    };
    const FontSetup fonts[] = {{"Tahoma", -11, 0},           {"Tahoma", -11, fsBold},
                               {"Arial", -15, fsItalic},     {"Courier New", -12, 0},
                               {"Tahoma", -11, fsUnderline}, {"Times New Roman", 19, 0}};
    // Twice over: the second round draws what the first one kept.
    for (int round = 0; round < 2; ++round)
        for (const FontSetup& fs : fonts)
            for (const auto& t : texts)
                for (const Qt::LayoutDirection dir : {Qt::LeftToRight, Qt::RightToLeft}) {
                    SCOPED_TRACE(QString("round %1, %2 %3 style %4, %5, %6")
                                     .arg(round)
                                     .arg(fs.name)
                                     .arg(fs.height)
                                     .arg(fs.style)
                                     .arg(t.name)
                                     .arg(dir == Qt::LeftToRight ? "left to right" : "right to left")
                                     .toStdString());
                    TFont font;
                    Apply(font, fs);
                    font.SetColor(clBlack);
                    const QImage expected = PainterText(font, t.text, dir);
                    EXPECT_EQ(FirstDifference(CanvasText(font, t.text, dir), expected), -1);
                    EXPECT_NE(FirstDifference(expected, TextSurface().image), -1) << "draws something";
                }
}

TEST(PaintCacheText, FontChangedInPlaceBetweenDraws)
{
    EnsureApp();
    TextSurface s;
    QPainter p(&s.image);
    TCanvas c(p);
    c.Font.SetColor(clBlack);
    struct Case {
        const char* name;
        std::function<void(TFont&)> change;
    };
    const Case cases[] = {
        {"start", [](TFont&) {}},
        {"taller", [](TFont& f) { f.SetHeight(-20); }},
        {"bold", [](TFont& f) { f.SetStyle(fsBold); }},
        {"other face", [](TFont& f) { f.SetName("Courier New"); }},
        {"colour", [](TFont& f) { f.SetColor(clRed); }},
        {"back to the start",
         [](TFont& f) {
             f.SetName("Tahoma");
             f.SetHeight(-11);
             f.SetStyle(0);
             f.SetColor(clBlack);
         }},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        row.change(c.Font);
        s.image.fill(Qt::white);
        TRect r = Rect(kLeft, kTop, 215, 38);
        c.DrawText("Band 3", r, DT_SINGLELINE | DT_NOCLIP);
        EXPECT_EQ(FirstDifference(s.image, PainterText(c.Font, "Band 3", Qt::LeftToRight)), -1);
    }
}

// ---- fader band gradients ----

struct Band {
    const char* name;
    TColor from, to;
    bool horizontal;
    TRect r;
    int steps;
};

QImage DrawBand(const Band& b)
{
    QImage out(80, 60, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    TCanvas c(p);
    fx::TCustomTrackBar::DrawBandGradient(c, b.from, b.to, b.horizontal, b.r, b.steps);
    return out;
}

// Drawn on a thread of its own, which has kept nothing yet.
QImage DrawBandFresh(const Band& b)
{
    QImage out;
    std::thread([&] { out = DrawBand(b); }).join();
    return out;
}

TEST(PaintCacheBands, EachColourSizeAndStepCountGetsItsOwnBands)
{
    EnsureApp();
    const Band bands[] = {
        {"base", clRed, clBlue, true, Rect(0, 0, 40, 10), 8},
        {"other colours", clGreen, clYellow, true, Rect(0, 0, 40, 10), 8},
        {"colours swapped", clBlue, clRed, true, Rect(0, 0, 40, 10), 8},
        {"vertical", clRed, clBlue, false, Rect(0, 0, 40, 10), 8},
        {"wider", clRed, clBlue, true, Rect(0, 0, 60, 10), 8},
        {"taller", clRed, clBlue, true, Rect(0, 0, 40, 30), 8},
        {"more steps", clRed, clBlue, true, Rect(0, 0, 40, 10), 16},
        {"moved", clRed, clBlue, true, Rect(7, 20, 47, 30), 8},
        {"system colours", clBtnFace, clBtnShadow, false, Rect(2, 2, 22, 52), 20},
        {"system colours as RGB", ColorToRGB(clBtnFace), ColorToRGB(clBtnShadow), false, Rect(2, 2, 22, 52),
         20},
        {"more steps than pixels", clWhite, clBlack, true, Rect(1, 1, 6, 9), 20},
        {"no steps", clRed, clBlue, true, Rect(0, 0, 40, 10), 0},
    };
    std::vector<QImage> first;
    for (const Band& b : bands)
        first.push_back(DrawBand(b));
    for (int i = int(std::size(bands)) - 1; i >= 0; --i) {
        const Band& b = bands[i];
        SCOPED_TRACE(b.name);
        const QImage fresh = DrawBandFresh(b);
        EXPECT_EQ(FirstDifference(first[i], fresh), -1);
        EXPECT_EQ(FirstDifference(DrawBand(b), fresh), -1) << "drawn again";
        // With fewer pixels than steps, later bands cover the first one.
        if (b.steps <= (b.horizontal ? b.r.Width() : b.r.Height()) - 1) {
            EXPECT_EQ(QColor(fresh.pixel(b.r.Left, b.r.Top)), ToQColor(b.from))
                << "starts with the first colour";
        }
    }
}

// ---- faders ----

struct FaderLook {
    const char* name;
    int sliderSize;
    TColor color, colorTo;
    bool rounded;
    fx::TGradientDirection direction;
};

QImage RenderFader(const FaderLook& look)
{
    QWidget parent;
    fx::TFxTrackBar bar(&parent);
    bar.SetBounds(0, 0, 200, 40);
    bar.TickMark().SetStyle(fx::tsNone);
    bar.SetMax(10);
    bar.SetPosition(0);
    bar.Slider().SetSize(look.sliderSize);
    bar.Slider().SetColor(look.color);
    bar.Slider().SetColorTo(look.colorTo);
    bar.Slider().SetRounded(look.rounded);
    bar.Slider().SetDirection(look.direction);
    return bar.grab().toImage();
}

// The slider rectangle of a fader with this look.
TRect SliderOf(const FaderLook& look)
{
    QWidget parent;
    fx::TFxTrackBar bar(&parent);
    bar.SetBounds(0, 0, 200, 40);
    bar.TickMark().SetStyle(fx::tsNone);
    bar.Slider().SetSize(look.sliderSize);
    return bar.GetSliderRect();
}

TEST(PaintCacheBands, FadersWithOtherSlidersKeepTheirOwnGradients)
{
    EnsureApp();
    const FaderLook looks[] = {
        {"thin red to blue", 7, clRed, clBlue, false, fx::gdVertical},
        {"thick red to blue", 12, clRed, clBlue, false, fx::gdVertical},
        {"thin green to yellow", 7, clGreen, clYellow, false, fx::gdVertical},
        {"thick green to yellow, rounded", 12, clGreen, clYellow, true, fx::gdVertical},
        {"thick red to blue, along", 12, clRed, clBlue, false, fx::gdHorizontal},
        {"thick red to blue, rounded", 12, clRed, clBlue, true, fx::gdVertical},
    };
    std::vector<QImage> first;
    for (const FaderLook& l : looks)
        first.push_back(RenderFader(l));
    for (size_t i = 0; i < std::size(looks); ++i) {
        const FaderLook& l = looks[i];
        SCOPED_TRACE(l.name);
        EXPECT_EQ(FirstDifference(first[i], RenderFader(l)), -1) << "a fresh fader of the same look";
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(FirstDifference(first[i], first[j]), -1) << "differs from " << looks[j].name;
        // Away from the rounded corners and the thumb, the slider's middle shows its own colours only.
        const TRect s = SliderOf(l);
        const QColor mid(first[i].pixel(s.Right - 8, s.Top + s.Height() / 2));
        const QColor a = ToQColor(l.color), b = ToQColor(l.colorTo);
        auto between = [](int v, int x, int y) { return v >= std::min(x, y) && v <= std::max(x, y); };
        EXPECT_TRUE(between(mid.red(), a.red(), b.red()) && between(mid.green(), a.green(), b.green()) &&
                    between(mid.blue(), a.blue(), b.blue()))
            << mid.name().toStdString();
    }
}

} // namespace

// ---- TCanvas::StretchDraw ----

namespace
{
// A picture stretched to `size` at (3, 2) of a grey surface, through the canvas or straight.
QImage Stretched(const QImage& src, QSize size, bool smooth, bool canvas)
{
    QImage out(size + QSize(6, 4), QImage::Format_RGB32);
    out.fill(kBackground);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    if (canvas) {
        TCanvas c(p);
        c.StretchDraw(Bounds(3, 2, size.width(), size.height()), src);
    } else {
        p.drawImage(QRect(QPoint(3, 2), size), src);
    }
    return out;
}
} // namespace

TEST(PaintCacheStretch, SizesSwitchedBackAndChangedSourcesDrawAsAStraightStretch)
{
    EnsureApp();
    struct Case {
        const char* name;
        std::function<void(QImage&)> modify;
    };
    const Case cases[] = {
        {"unchanged", [](QImage&) {}},
        {"setPixel", [](QImage& s) { s.setPixel(1, 2, qRgb(255, 255, 0)); }},
        {"scanLine written",
         [](QImage& s) { reinterpret_cast<QRgb*>(s.scanLine(3))[0] = qRgb(0, 255, 255); }},
        {"painted and ended",
         [](QImage& s) {
             QPainter p(&s);
             p.fillRect(0, 0, 2, 2, QColor(255, 255, 255));
         }},
        {"with alpha",
         [](QImage& s) {
             s = s.convertToFormat(QImage::Format_ARGB32);
             s.setPixel(2, 2, 0x80FF0000);
         }},
    };
    const QSize sizes[] = {{9, 7}, {14, 11}, {9, 7}, {3, 2}, {14, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage src = Source();
        for (int round = 0; round < 2; ++round) {
            for (bool smooth : {false, true})
                for (const QSize& size : sizes) {
                    SCOPED_TRACE(QStringLiteral("%1x%2 smooth %3 round %4")
                                     .arg(size.width())
                                     .arg(size.height())
                                     .arg(smooth)
                                     .arg(round)
                                     .toStdString());
                    EXPECT_EQ(FirstDifference(Stretched(src, size, smooth, true),
                                              Stretched(src, size, smooth, false)),
                              -1);
                }
            c.modify(src);
        }
    }
}
