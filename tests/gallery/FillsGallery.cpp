// Gallery pages of the fill kinds, the rounded edit box and the progress bar in their states
// (fill, roundedit, progressbar).
#include "Gallery.h"

#include "controls/smooth/GDIPFill.h"
#include "controls/smooth/ProgressBar.h"
#include "controls/smooth/RoundEdit.h"

#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <cmath>

using namespace fx;

namespace
{

std::unique_ptr<QWidget> FillPage()
{
    struct Cell {
        const char* name;
        std::function<void(TGDIPFill&)> setup;
    };
    const Cell cells[] = {
        {"default", [](TGDIPFill&) {}},
        {"solid",
         [](TGDIPFill& f) {
             f.SetColor(0x3080E0);
             f.SetColorTo(fw::clNone);
         }},
        {"horizontal",
         [](TGDIPFill& f) {
             f.SetGradientType(gp::gtHorizontal);
             f.SetColor(0xFFFFFF);
             f.SetColorTo(0xA05020);
         }},
        {"forward diag.",
         [](TGDIPFill& f) {
             f.SetGradientType(gp::gtForwardDiagonal);
             f.SetColorTo(0x204080);
         }},
        {"angle 30",
         [](TGDIPFill& f) {
             f.SetGradientType(gp::gtAngle);
             f.SetAngle(30);
             f.SetColorTo(0x008000);
         }},
        {"hatch",
         [](TGDIPFill& f) {
             f.SetGradientType(gp::gtHatch);
             f.SetHatchStyle(5);
             f.SetColor(0x000080);
             f.SetColorTo(0xE0E0FF);
         }},
        {"radial",
         [](TGDIPFill& f) {
             f.SetGradientType(gp::gtRadial);
             f.SetColor(0x602000);
             f.SetColorTo(0xFFE0C0);
         }},
        {"mirror",
         [](TGDIPFill& f) {
             f.SetColor(0xF0F0F0);
             f.SetColorTo(0xC0C0C0);
             f.SetColorMirror(0xA0A0A0);
             f.SetColorMirrorTo(0xE0E0E0);
             f.SetGradientMirrorType(gp::gtVertical);
         }},
        {"rounded border",
         [](TGDIPFill& f) {
             f.SetRounding(8);
             f.SetBorderColor(0x404040);
             f.SetBorderWidth(2);
             f.SetColor(0xFFFFFF);
             f.SetColorTo(0xD0D0D0);
         }},
        {"rounded top",
         [](TGDIPFill& f) {
             f.SetRounding(10);
             f.SetRoundingType(rtTop);
             f.SetBorderColor(0x000000);
         }},
        {"shadow r/b",
         [](TGDIPFill& f) {
             f.SetShadowOffset(5);
             f.SetRounding(6);
             f.SetBorderColor(0x505050);
         }},
        {"shadow surround",
         [](TGDIPFill& f) {
             f.SetShadowOffset(5);
             f.SetShadowType(stSurround);
             f.SetBorderColor(0x505050);
         }},
        {"glow",
         [](TGDIPFill& f) {
             f.SetGlow(gmRadialGradient);
             f.SetColor(0x803000);
             f.SetColorTo(0x401800);
             f.SetRounding(6);
         }},
        {"focus",
         [](TGDIPFill& f) {
             f.SetBorderColor(0x000000);
             f.SetBorderWidth(2);
             f.Focus = true;
             f.SetRounding(6);
         }},
        {"opacity 128",
         [](TGDIPFill& f) {
             f.SetOpacity(128);
             f.SetOpacityTo(128);
         }},
        {"picture",
         [](TGDIPFill& f) {
             QImage img(24, 16, QImage::Format_ARGB32);
             img.fill(Qt::transparent);
             QPainter p(&img);
             p.setBrush(Qt::red);
             p.drawEllipse(0, 0, 23, 15);
             p.end();
             f.Picture().AssignBitmap(img);
             f.SetPicturePosition(ppCenterCenter);
         }},
    };
    const int cw = 120, ch = 80, cols = 4;
    auto page = std::make_unique<QWidget>();
    const int rows = int(std::size(cells) + cols - 1) / cols;
    page->resize(cols * cw + 10, rows * (ch + 20) + 10);
    QImage canvas(page->size(), QImage::Format_ARGB32);
    canvas.fill(QColor(0xE8, 0xE8, 0xE8));
    {
        QPainter p(&canvas);
        gp::TGPGraphics g(p);
        g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
        for (int i = 0; i < int(std::size(cells)); ++i) {
            TGDIPFill f;
            cells[i].setup(f);
            const int x = 10 + (i % cols) * cw, y = 20 + (i / cols) * (ch + 20);
            f.Fill(&g, gp::TGPRectF{gp::REAL(x), gp::REAL(y), gp::REAL(cw - 20), gp::REAL(ch - 20)});
        }
    }
    auto* bg = new QLabel(page.get());
    bg->setPixmap(QPixmap::fromImage(canvas));
    bg->resize(page->size());
    for (int i = 0; i < int(std::size(cells)); ++i)
        gallery::Caption(page.get(), 10 + (i % cols) * cw, 6 + (i / cols) * (ch + 20),
                         QString::fromLatin1(cells[i].name));
    return page;
}

// The 53 hatch styles, numbered, dark blue on light yellow.
std::unique_ptr<QWidget> HatchPage()
{
    const int cw = 64, ch = 44, cols = 9;
    const int rows = (gdip::HatchStyleTotal + cols - 1) / cols;
    auto page = std::make_unique<QWidget>();
    page->resize(cols * cw + 10, rows * (ch + 16) + 10);
    QImage canvas(page->size(), QImage::Format_ARGB32);
    canvas.fill(QColor(0xE8, 0xE8, 0xE8));
    {
        QPainter p(&canvas);
        gp::TGPGraphics g(p);
        for (int style = 0; style < gdip::HatchStyleTotal; ++style) {
            const int x = 10 + (style % cols) * cw, y = 18 + (style / cols) * (ch + 16);
            gp::TGPHatchBrush brush(style, gp::OpaqueArgb(0, 0, 128), gp::OpaqueArgb(255, 255, 208));
            g.FillRectangle(&brush, gp::REAL(x), gp::REAL(y), gp::REAL(cw - 12), gp::REAL(ch - 10));
        }
    }
    auto* bg = new QLabel(page.get());
    bg->setPixmap(QPixmap::fromImage(canvas));
    bg->resize(page->size());
    for (int style = 0; style < gdip::HatchStyleTotal; ++style)
        gallery::Caption(page.get(), 10 + (style % cols) * cw, 4 + (style / cols) * (ch + 16),
                         QString::number(style));
    return page;
}

// Path gradients over outlines that are no ellipses, one surround colour per point, the soft shadow's
// interpolation colours, and a gradient with and without gamma correction.
std::unique_ptr<QWidget> PathGradientPage()
{
    auto page = std::make_unique<QWidget>();
    page->resize(520, 300);
    QImage canvas(page->size(), QImage::Format_ARGB32);
    canvas.fill(QColor(0xE8, 0xE8, 0xE8));
    {
        QPainter p(&canvas);
        gp::TGPGraphics g(p);
        g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
        {
            gp::TGPGraphicsPath rect;
            rect.AddRectangle(gp::TGPRectF{10, 20, 160, 80});
            gp::TGPPathGradientBrush b(&rect);
            b.SetCenterColor(gp::OpaqueArgb(255, 255, 255));
            gp::ARGB s = gp::OpaqueArgb(0, 64, 160);
            int n = 1;
            b.SetSurroundColors(&s, n);
            g.FillPath(&b, &rect);
        }
        {
            gp::TGPGraphicsPath star;
            gp::TGPPointF pts[10];
            for (int i = 0; i < 10; ++i) {
                const double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 22 : 50;
                pts[i] = {gp::REAL(270 + r * std::cos(a)), gp::REAL(65 + r * std::sin(a))};
            }
            star.AddPolygon(pts, 10);
            gp::TGPPathGradientBrush b(&star);
            b.SetCenterColor(gp::OpaqueArgb(255, 255, 255));
            gp::ARGB colours[10];
            for (int i = 0; i < 10; ++i)
                colours[i] = i % 2 ? gp::OpaqueArgb(255, 200, 0) : gp::OpaqueArgb(200, 0, 0);
            int n = 10;
            b.SetSurroundColors(colours, n);
            g.FillPath(&b, &star);
        }
        {
            gp::TGPGraphicsPath tri;
            const gp::TGPPointF pts[3] = {{360, 110}, {430, 15}, {500, 110}};
            tri.AddPolygon(pts, 3);
            gp::TGPPathGradientBrush b(&tri);
            b.SetCenterColor(gp::OpaqueArgb(0, 0, 0));
            gp::ARGB colours[3] = {gp::OpaqueArgb(255, 0, 0), gp::OpaqueArgb(0, 255, 0),
                                   gp::OpaqueArgb(0, 0, 255)};
            int n = 3;
            b.SetSurroundColors(colours, n);
            g.FillPath(&b, &tri);
        }
        TGDIPFill shadow;
        shadow.SetShadowOffset(8);
        shadow.SetRounding(10);
        shadow.SetBorderColor(0x505050);
        shadow.Fill(&g, gp::TGPRectF{10, 140, 160, 90});
        for (int i = 0; i < 2; ++i) {
            gp::TGPLinearGradientBrush b(gp::TGPRectF{200, gp::REAL(150 + 55 * i), 300, 35},
                                         gp::OpaqueArgb(0, 0, 0), gp::OpaqueArgb(255, 255, 255),
                                         gdip::LinearGradientModeHorizontal);
            b.SetGammaCorrection(i == 1);
            g.FillRectangle(&b, gp::REAL(200), gp::REAL(150 + 55 * i), gp::REAL(300), gp::REAL(35));
        }
    }
    auto* bg = new QLabel(page.get());
    bg->setPixmap(QPixmap::fromImage(canvas));
    bg->resize(page->size());
    gallery::Caption(page.get(), 10, 4, QStringLiteral("rectangle"));
    gallery::Caption(page.get(), 220, 4, QStringLiteral("star, colour per point"));
    gallery::Caption(page.get(), 380, 4, QStringLiteral("triangle"));
    gallery::Caption(page.get(), 10, 124, QStringLiteral("soft shadow"));
    gallery::Caption(page.get(), 200, 134, QStringLiteral("plain"));
    gallery::Caption(page.get(), 200, 189, QStringLiteral("gamma corrected"));
    return page;
}

std::unique_ptr<QWidget> EditPage()
{
    auto page = std::make_unique<QWidget>();
    page->resize(330, 170);
    page->setAutoFillBackground(true);
    QPalette pal;
    pal.setColor(QPalette::Window, QColor(0x40, 0x48, 0x50));
    page->setPalette(pal);
    struct Row {
        const char* name;
        std::function<void(TRoundEdit&)> setup;
    };
    const Row rows[] = {
        {"normal", [](TRoundEdit& e) { e.SetText(QStringLiteral("+0.0dB")); }},
        {"focused", [](TRoundEdit& e) { e.SetText(QStringLiteral("19.7Hz")); }},
        {"read-only",
         [](TRoundEdit& e) {
             e.SetColor(0xFFFFDF);
             e.SetReadOnly(true);
             e.SetText(QStringLiteral("500ms"));
         }},
        {"disabled",
         [](TRoundEdit& e) {
             e.SetEnabled(false);
             e.SetText(QStringLiteral("-6.0dB"));
         }},
        {"text hint", [](TRoundEdit& e) { e.SetTextHint(QStringLiteral("8")); }},
        {"with button",
         [](TRoundEdit& e) {
             TRoundControl* b = e.Controls().Add();
             QImage glyph(10, 10, QImage::Format_ARGB32);
             glyph.fill(Qt::transparent);
             QPainter p(&glyph);
             p.setBrush(QColor(0x30, 0x60, 0xC0));
             p.drawEllipse(0, 0, 9, 9);
             p.end();
             b->Picture().AssignBitmap(glyph);
             b->SetDropDown(true);
             e.SetText(QStringLiteral("1.4"));
         }},
    };
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const int x = 10 + (i % 2) * 160, y = 20 + (i / 2) * 50;
        gallery::Caption(page.get(), x, y - 14, QString::fromLatin1(rows[i].name));
        auto* e = new TRoundEdit(page.get());
        e->SetRounding(6);
        e->SetBorderColor(fw::clHighlightText);
        e->SetColor(fw::clWhite);
        e->Font().SetName(QStringLiteral("Tahoma"));
        e->Font().SetHeight(-11);
        e->SetAlignment(fx::taCenter);
        e->Controls().Update();
        e->SetBounds(x, y, i == 5 ? 90 : 58, 24);
        rows[i].setup(*e);
        if (i == 1)
            e->SetName(QStringLiteral("focused"));
    }
    return page;
}

std::unique_ptr<QWidget> ProgressPage()
{
    auto page = std::make_unique<QWidget>();
    page->resize(470, 420);
    page->setAutoFillBackground(true);
    struct Row {
        const char* name;
        std::function<void(TFxProgressBar&)> setup;
    };
    const Row rows[] = {
        {"0 of 22",
         [](TFxProgressBar& b) {
             b.SetMax(22);
             b.SetPosition(0);
         }},
        {"8 of 22",
         [](TFxProgressBar& b) {
             b.SetMax(22);
             b.SetPosition(8);
         }},
        {"level 1 (80 %)", [](TFxProgressBar& b) { b.SetPosition(80); }},
        {"level 2 (95 %)", [](TFxProgressBar& b) { b.SetPosition(95); }},
        {"level 3 (100 %)", [](TFxProgressBar& b) { b.SetPosition(100); }},
        {"stacked 95 %",
         [](TFxProgressBar& b) {
             b.SetStacked(true);
             b.SetPosition(95);
         }},
        {"smooth, no gradient",
         [](TFxProgressBar& b) {
             b.SetCompletionSmooth(true);
             b.SetShowGradient(false);
             b.SetPosition(60);
         }},
        {"zone backgrounds",
         [](TFxProgressBar& b) {
             b.SetLevel0BkColor(0xE0FFE0);
             b.SetLevel1BkColor(0xE0FFFF);
             b.SetLevel2BkColor(0xE0E0FF);
             b.SetPosition(30);
         }},
        {"infinite", [](TFxProgressBar& b) { b.SetInfinite(true); }},
        {"format",
         [](TFxProgressBar& b) {
             b.SetMax(280);
             b.SetFormat(QStringLiteral("%d of %d"));
             b.SetPosition(140);
         }},
        {"square, no border",
         [](TFxProgressBar& b) {
             b.SetRounded(false);
             b.SetShowBorder(false);
             b.SetPosition(45);
         }},
    };
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const int y = 16 + i * 36;
        gallery::Caption(page.get(), 10, y - 13, QString::fromLatin1(rows[i].name));
        auto* b = new TFxProgressBar(page.get());
        b->SetBounds(10, y, 300, 20);
        b->Font().SetName(QStringLiteral("Verdana"));
        b->Font().SetHeight(-11);
        rows[i].setup(*b);
    }
    gallery::Caption(page.get(), 330, 3, QStringLiteral("vertical"));
    for (int i = 0; i < 3; ++i) {
        auto* v = new TFxProgressBar(page.get());
        v->SetOrientation(goVertical);
        v->SetBounds(330 + i * 40, 16, 24, 200);
        v->SetPosition(i == 0 ? 40 : i == 1 ? 85 : 100);
        v->SetStacked(i == 1);
    }
    return page;
}

const gallery::GalleryPage fillPage(QStringLiteral("fill"), FillPage);
const gallery::GalleryPage hatchPage(QStringLiteral("hatch"), HatchPage);
const gallery::GalleryPage pathGradientPage(QStringLiteral("pathgradient"), PathGradientPage);
const gallery::GalleryPage editPage(QStringLiteral("roundedit"), EditPage, [](QWidget* page) {
    page->findChild<TRoundEdit*>(QStringLiteral("focused"))->SetFocus();
});
const gallery::GalleryPage progressPage(QStringLiteral("progressbar"), ProgressPage);

} // namespace
