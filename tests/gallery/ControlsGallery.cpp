// Gallery pages of the rounded edit, fills, progress bar and office image.
#include "Gallery.h"

#include "controls/smooth/GDIPFill.h"
#include "controls/smooth/OfficeImage.h"
#include "controls/smooth/ProgressBar.h"
#include "controls/smooth/RoundEdit.h"

#include <QBuffer>
#include <QPainter>
#include <QPalette>

using namespace fx;

namespace
{

std::unique_ptr<QWidget> GreyPage(int w, int h)
{
    auto page = std::make_unique<QWidget>();
    page->resize(w, h);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, QColor(0x89, 0x89, 0x89));
    page->setPalette(pal);
    return page;
}

TRoundEdit* MainEdit(QWidget* page, int x, int y, int w, const QString& text, fw::TColor color)
{
    auto* e = new TRoundEdit(page);
    e->SetBounds(x, y, w, 24);
    e->SetRounding(6);
    e->SetBorderColor(fw::clHighlightText);
    e->Font().SetName(QStringLiteral("Tahoma"));
    e->Font().SetHeight(-11);
    e->Font().SetColor(fw::clBlack);
    e->SetAlignment(fx::taCenter);
    e->SetAutoSelect(false);
    e->SetColor(color);
    e->SetText(text);
    return e;
}

const gallery::GalleryPage edits(
    QStringLiteral("round-edit"),
    [] {
        auto page = GreyPage(420, 150);
        const char* names[] = {"editable", "read-only", "disabled", "focused", "empty hint"};
        const char* texts[] = {"+0.0dB", "19.7Hz", "500ms", "1000Hz", ""};
        for (int i = 0; i < 5; ++i) {
            auto* e = MainEdit(page.get(), 10 + i * 80, 30, 58 + (i == 3 ? 12 : 0),
                               QString::fromLatin1(texts[i]), i == 1 ? fw::TColor(0xFFFFDF) : fw::clWhite);
            e->SetName(QString::fromLatin1(names[i]).replace(u' ', u'_'));
            gallery::Caption(page.get(), 8 + i * 80, 10, QString::fromLatin1(names[i]));
            if (i == 1)
                e->SetReadOnly(true);
            if (i == 2)
                e->SetEnabled(false);
            if (i == 4)
                e->SetTextHint(QStringLiteral("8"));
        }
        // With image buttons at both ends and a drop-down.
        auto* b = MainEdit(page.get(), 10, 90, 200, QStringLiteral("with buttons"), fw::clWhite);
        QImage dot(12, 12, QImage::Format_ARGB32);
        dot.fill(Qt::transparent);
        {
            QPainter p(&dot);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(QColor(40, 110, 200));
            p.setPen(Qt::NoPen);
            p.drawEllipse(1, 1, 10, 10);
        }
        TRoundControl* left = b->Controls().Add();
        left->SetPosition(cpLeftInControl);
        left->Picture().AssignBitmap(dot);
        TRoundControl* right = b->Controls().Add();
        right->Picture().AssignBitmap(dot);
        right->SetDropDown(true);
        auto* panel = new TRoundPanel(page.get());
        panel->SetBounds(230, 80, 170, 50);
        panel->SetColor(fw::RGB(235, 240, 250));
        return page;
    },
    [](QWidget* page) { page->findChild<TRoundEdit*>(QStringLiteral("focused"))->SetFocus(); });

class FillView : public QWidget
{
  public:
    FillView(QWidget* parent, int x, int y, int w, int h) : QWidget(parent) { setGeometry(x, y, w, h); }
    TGDIPFill Fill;

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        gp::TGPGraphics g(p);
        g.SetSmoothingMode(gdip::SmoothingModeAntiAlias);
        Fill.Fill(&g, {0, 0, gp::REAL(width() - 1), gp::REAL(height() - 1)});
    }
};

const gallery::GalleryPage fills(QStringLiteral("fills"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(560, 300);
    const char* names[] = {"default", "mirror", "radial", "hatch", "angle", "glow", "shadow", "focus"};
    for (int i = 0; i < 8; ++i) {
        auto* v = new FillView(page.get(), 10 + (i % 4) * 135, 25 + (i / 4) * 140, 120, 100);
        gallery::Caption(page.get(), 10 + (i % 4) * 135, 8 + (i / 4) * 140, QString::fromLatin1(names[i]));
        TGDIPFill& f = v->Fill;
        f.SetRounding(i == 0 ? 0 : 10);
        f.SetBorderColor(i == 0 ? fw::clNone : fw::clNavy);
        switch (i) {
        case 1:
            f.SetColor(fw::RGB(250, 250, 255));
            f.SetColorTo(fw::RGB(200, 215, 240));
            f.SetColorMirror(fw::RGB(170, 190, 230));
            f.SetColorMirrorTo(fw::RGB(220, 230, 250));
            break;
        case 2:
            f.SetGradientType(gp::gtRadial);
            f.SetColor(fw::RGB(30, 60, 160));
            f.SetColorTo(fw::RGB(150, 200, 255));
            break;
        case 3:
            f.SetGradientType(gp::gtHatch);
            f.SetHatchStyle(5);
            f.SetColor(fw::clMaroon);
            f.SetColorTo(fw::clCream);
            break;
        case 4:
            f.SetGradientType(gp::gtAngle);
            f.SetAngle(45);
            f.SetColor(fw::clYellow);
            f.SetColorTo(fw::clRed);
            break;
        case 5:
            f.SetGlow(gmRadialGradient);
            f.SetColor(fw::RGB(20, 80, 20));
            f.SetColorTo(fw::RGB(60, 160, 60));
            break;
        case 6:
            f.SetShadowOffset(6);
            f.SetShadowType(stRightBottom);
            f.SetColor(fw::clWhite);
            f.SetColorTo(fw::clSilver);
            break;
        case 7:
            f.Focus = true;
            f.SetColor(fw::clWhite);
            f.SetColorTo(fw::RGB(230, 230, 230));
            break;
        default:
            break;
        }
    }
    return page;
});

const gallery::GalleryPage progress(QStringLiteral("progress-bar"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(510, 330);
    const char* names[] = {"0%",           "50% level 0", "80% level 1", "95% level 2",
                           "100% level 3", "stacked 80%", "smooth 60%",  "infinite"};
    const int pos[] = {0, 11, 80, 95, 100, 80, 60, 0};
    for (int i = 0; i < 8; ++i) {
        auto* b = new TFxProgressBar(page.get());
        b->SetBounds(10 + (i % 2) * 230, 25 + (i / 2) * 70, 210, 41);
        b->Font().SetName(QStringLiteral("Verdana"));
        b->Font().SetHeight(-13);
        gallery::Caption(page.get(), 10 + (i % 2) * 230, 10 + (i / 2) * 70, QString::fromLatin1(names[i]));
        if (i == 1)
            b->SetMax(22);
        if (i == 5)
            b->SetStacked(true);
        if (i == 6)
            b->SetCompletionSmooth(true);
        if (i == 7)
            b->SetInfinite(true);
        b->SetPosition(pos[i]);
    }
    auto* v = new TFxProgressBar(page.get());
    v->SetOrientation(goVertical);
    v->SetBounds(475, 25, 24, 290);
    v->SetPosition(75);
    return page;
});

const gallery::GalleryPage office(QStringLiteral("office-image"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(420, 120);
    QImage pic(160, 60, QImage::Format_RGB32);
    {
        QPainter p(&pic);
        QLinearGradient g(0, 0, 160, 60);
        g.setColorAt(0, QColor(30, 90, 160));
        g.setColorAt(1, QColor(200, 230, 250));
        p.fillRect(pic.rect(), g);
        p.setPen(Qt::white);
        p.drawText(pic.rect(), Qt::AlignCenter, QStringLiteral("RS-232 commands"));
    }
    const char* names[] = {"centred", "stretched", "top-left"};
    for (int i = 0; i < 3; ++i) {
        auto* o = new TFxOfficeImage(page.get());
        o->SetBounds(10 + i * 135, 25, 125, 85);
        // The document windows hold JPEG pictures (no key colour).
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        pic.save(&buffer, "JPG", 90);
        o->Picture().LoadFromStream(jpeg);
        o->SetStretch(i == 1);
        o->SetCenter(i != 2);
        gallery::Caption(page.get(), 10 + i * 135, 8, QString::fromLatin1(names[i]));
    }
    return page;
});

} // namespace
