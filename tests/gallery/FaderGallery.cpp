// Gallery pages of the fader: main-window faders in each state, both orientations, ticks, label,
// step buttons, every drawn thumb shape and a rating bar.
#include "Gallery.h"

#include "controls/smooth/Skin.h"
#include "controls/smooth/TrackBar.h"

#include <QPalette>

using namespace fx;

namespace
{

TFxTrackBar* MainFader(QWidget* page, int x, int pos)
{
    auto* f = new TFxTrackBar(page);
    f->SetOrientation(trVertical);
    f->SetBounds(x, 30, 26, 193);
    f->Slider().SetSize(3);
    f->Slider().SetBorderColor(fw::clMedGray);
    f->TickMark().SetStyle(tsNone);
    f->SetShowFocus(true);
    skin::LoadFaderThumbs(f->Thumb());
    f->SetMax(240);
    f->SetPosition(pos);
    return f;
}

const gallery::GalleryPage faders(
    QStringLiteral("fader-main"),
    [] {
        auto page = std::make_unique<QWidget>();
        page->resize(420, 240);
        QPalette pal = page->palette();
        pal.setColor(QPalette::Window, QColor(0x89, 0x89, 0x89));
        page->setPalette(pal);
        const char* names[] = {"normal", "hot", "down", "disabled", "focused", "min", "max"};
        const int pos[] = {120, 60, 180, 120, 200, 0, 240};
        for (int i = 0; i < 7; ++i) {
            auto* f = MainFader(page.get(), 10 + i * 58, pos[i]);
            f->SetName(QString::fromLatin1(names[i]));
            gallery::Caption(page.get(), 8 + i * 58, 8, QString::fromLatin1(names[i]));
            if (i == 3)
                f->SetEnabled(false);
        }
        return page;
    },
    [](QWidget* page) {
        auto* hot = page->findChild<TFxTrackBar*>(QStringLiteral("hot"));
        const fw::TRect t = hot->GetThumbRect();
        gallery::Hover(hot, t.Left + 4, t.Top + 4);
        auto* down = page->findChild<TFxTrackBar*>(QStringLiteral("down"));
        const fw::TRect d = down->GetThumbRect();
        gallery::PressAt(down, d.Left + 4, d.Top + 4);
        page->findChild<TFxTrackBar*>(QStringLiteral("focused"))->SetFocus();
    });

// A fader with step buttons, its maximum button under the mouse.
const gallery::GalleryPage steps(
    QStringLiteral("fader-step-hot"),
    [] {
        auto page = std::make_unique<QWidget>();
        page->resize(280, 60);
        auto* f = new TFxTrackBar(page.get());
        f->SetBounds(10, 8, 260, 44);
        f->SetComponentStyle(tsOffice2007Luna);
        f->Buttons().SetVisible(true);
        f->SetMax(20);
        f->SetPosition(12);
        return page;
    },
    [](QWidget* page) {
        auto* f = page->findChild<TFxTrackBar*>();
        const fw::TRect r = f->GetMaxButtonRect();
        gallery::Hover(f, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    });

const gallery::GalleryPage styles(QStringLiteral("fader-shapes"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(640, 420);
    const TThumbShape shapes[] = {tsPointer,      tsRectangle,     tsRoundRect,      tsRound,
                                  tsLine,         tsPointerLeftUp, tsPointerRightUp, tsTriangle,
                                  tsTriangleLeft, tsTriangleRight};
    const char* names[] = {"pointer", "rectangle", "roundrect", "round",        "line",
                           "leftup",  "rightup",   "triangle",  "triangleleft", "triangleright"};
    for (int i = 0; i < 10; ++i) {
        auto* f = new TFxTrackBar(page.get());
        f->SetBounds(10 + (i % 2) * 320, 20 + (i / 2) * 60, 300, 44);
        f->SetComponentStyle(tsOffice2007Luna);
        f->Thumb().SetShape(shapes[i]);
        f->TickMark().SetPosition(i % 3 == 0 ? tmBoth : tmBottomRight);
        f->SetPosition(i % 11);
        gallery::Caption(page.get(), 10 + (i % 2) * 320, 8 + (i / 2) * 60, QString::fromLatin1(names[i]));
    }
    auto* v = new TFxTrackBar(page.get());
    v->SetOrientation(trVertical);
    v->SetBounds(10, 320, 60, 90);
    v->SetComponentStyle(tsOffice2010Blue);
    v->TickMark().SetShowText(true);
    v->SetPosition(4);
    auto* label = new TFxTrackBar(page.get());
    label->SetBounds(90, 330, 250, 70);
    label->SetComponentStyle(tsWindows7);
    label->TrackLabel().SetVisible(true);
    label->Buttons().SetVisible(true);
    label->Slider().SetColorCompleted(fw::clLime);
    label->SetMax(20);
    label->SetPosition(12);
    auto* colour = new TFxTrackBar(page.get());
    colour->SetBounds(360, 330, 260, 44);
    colour->SetTransparent(false);
    colour->SetColor(fw::RGB(240, 240, 255));
    colour->SetColorTo(fw::RGB(180, 190, 230));
    colour->SetBorderColor(fw::clNavy);
    colour->Thumb().SetShape(tsRoundRect);
    colour->SetPosition(7);
    return page;
});

const gallery::GalleryPage rating(QStringLiteral("fader-rating"), [] {
    auto page = std::make_unique<QWidget>();
    page->resize(220, 50);
    auto* r = new TFxTrackBar(page.get());
    r->SetBounds(5, 5, 200, 40);
    r->SetMax(5);
    QImage star(14, 14, QImage::Format_RGB32);
    star.fill(QColor(255, 0, 255));
    for (int y = 2; y < 12; ++y)
        for (int x = 2; x < 12; ++x)
            star.setPixelColor(x, y, QColor(240, 190, 0));
    r->RateActive().AssignBitmap(star);
    for (int y = 2; y < 12; ++y)
        for (int x = 2; x < 12; ++x)
            star.setPixelColor(x, y, QColor(180, 180, 180));
    r->RateInActive().AssignBitmap(star);
    r->SetPosition(3);
    return page;
});

} // namespace
