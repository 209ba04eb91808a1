// Gallery pages of the panel and button controls, one page per control and state: bitmap buttons, group
// boxes, panels, push and shape buttons, the combo box, labels, power and demo buttons.
#include "Gallery.h"

#include "controls/panels/LedButtons.h"
#include "controls/panels/SkBmpButton.h"
#include "controls/panels/SkButton.h"
#include "controls/panels/SkComboBox.h"
#include "controls/panels/SkLabel.h"
#include "controls/panels/SkPanel.h"
#include "controls/panels/SkinButtons.h"

#include <QApplication>
#include <QPalette>

using namespace fw;
using namespace sk;

namespace
{

std::unique_ptr<QWidget> Host(int w, int h)
{
    auto host = std::make_unique<TControl>();
    QPalette pal = host->palette();
    pal.setColor(QPalette::Window, QColor(70, 90, 110));
    host->setPalette(pal);
    host->resize(w, h);
    return host;
}

// Registers one page: a host of w x h with what setup puts on it. The shown page would give its first
// control the focus; the host takes it, so the controls show unfocused. Looks forced for the picture
// are set after that (a focus change resets them).
void Page(const char* name, int w, int h, std::function<void(QWidget*)> setup,
          std::function<void(QWidget*)> look = {})
{
    gallery::RegisterGalleryPage(
        QString::fromLatin1(name),
        [w, h, setup] {
            auto host = Host(w, h);
            setup(host.get());
            return host;
        },
        [look](QWidget* page) {
            page->setFocusPolicy(Qt::StrongFocus);
            page->setFocus();
            QApplication::processEvents();
            if (look)
                look(page);
        });
}

TSkBmpButton* BmpButton(QWidget* host)
{
    auto* b = new TSkBmpButton(host);
    b->Bitmaps().SetTransparentColor(clTeal);
    b->Bitmaps().SetUp(SkinButtonFace(100, 28, TSkinState::Up));
    b->Bitmaps().SetDown(SkinButtonFace(100, 28, TSkinState::Down));
    b->Bitmaps().SetStayDown(SkinButtonFace(100, 28, TSkinState::StayDown));
    b->Bitmaps().SetHot(SkinButtonFace(100, 28, TSkinState::Hot));
    b->SetButtonSize(bszStretchToButton);
    b->SetBounds(10, 6, 100, 28);
    b->SetCaption(QStringLiteral("Gain"));
    b->Font().SetColor(clWhite);
    b->SetGroupIndex(1);
    b->SetAllowAllUp(true);
    return b;
}

TSkGroupBox* GroupBox(QWidget* host, TSkGroupBoxStyle style)
{
    auto* g = new TSkGroupBox(host);
    g->SetBounds(10, 10, 200, 100);
    g->SetGroupStyle(style);
    return g;
}

TSkPanel* Panel(QWidget* host)
{
    auto* p = new TSkPanel(host);
    p->SetBounds(10, 10, 200, 100);
    p->SetCaption(QStringLiteral("Panel"));
    return p;
}

TSkButton* PushButton(QWidget* host)
{
    auto* b = new TSkButton(host);
    b->SetBounds(10, 10, 90, 24);
    b->SetCaption(QStringLiteral("Bypass"));
    b->SetColor(clSilver);
    return b;
}

TSkShapeButton* ShapeButton(QWidget* host)
{
    auto* s = new TSkShapeButton(host);
    s->SetBitmap(SkinShape(40, 40));
    s->SetCaption(QStringLiteral("S"));
    return s;
}

TSkComboBox* ComboBox(QWidget* host)
{
    auto* c = new TSkComboBox(host);
    c->SetBounds(10, 10, 60, 22);
    c->SetColor(0xFFFFDF);
    c->SetFlatButtons(true);
    c->Add(QStringLiteral("BW -6"));
    c->Add(QStringLiteral("LK -24"));
    c->SetItemIndex(1);
    return c;
}

TSkLabel* Label(QWidget* host)
{
    auto* l = new TSkLabel(host);
    l->SetCaption(QStringLiteral("Band 1"));
    l->SetTextStyle(tsRaised);
    l->SetBorderOuter(fsFlatBold);
    l->move(10, 10);
    return l;
}

TSkLabel* RotatedLabel(QWidget* host)
{
    TSkLabel* l = Label(host);
    l->SetAutoSize(false);
    l->SetBounds(10, 0, 140, 60);
    l->SetAngle(20);
    return l;
}

TLedPowerButton* PowerButton(QWidget* host)
{
    auto* p = new TLedPowerButton(host);
    p->SetColor(clBlack);
    p->Palette().SetLow(clOlive);
    p->Palette().SetHigh(clYellow);
    p->SetBevelWidth(0);
    p->SetOutlineWidth(0);
    p->Font().SetColor(clAqua);
    p->SetBounds(10, 7, 47, 16);
    p->SetCaption(QStringLiteral("ALL"));
    return p;
}

TLedDemoButton* DemoButton(QWidget* host)
{
    PowerButton(host)->SetActive(true);
    auto* d = new TLedDemoButton(host);
    d->SetColor(clBlack);
    d->SetBevelWidth(1);
    d->SetBounds(70, 6, 65, 17);
    d->FontLeave().SetColor(clActiveBorder);
    d->FontLeave().SetHeight(-11);
    d->FontLeave().SetStyle(0);
    // The main window gives the hot caption the same font as the normal one.
    d->FontEnter().Assign(d->FontLeave());
    d->SetCaption(QStringLiteral("Reset"));
    return d;
}

struct Pages {
    Pages()
    {
        Page("bmpbutton_up", 120, 40, [](QWidget* h) { BmpButton(h); });
        Page("bmpbutton_staydown", 120, 40, [](QWidget* h) { BmpButton(h)->SetDown(true); });
        Page("bmpbutton_disabled", 120, 40, [](QWidget* h) { BmpButton(h)->SetEnabled(false); });
        Page("bmpbutton_hot", 120, 40, BmpButton,
             [](QWidget* h) { gallery::Hover(h->findChild<TSkBmpButton*>(), 30, 12); });

        const TSkGroupBoxStyle styles[] = {gsStandard, gsFlat, gsTopLine, gsBanner, gsUnderline, gsCustom};
        for (int n = 0; n < int(std::size(styles)); ++n) {
            const QByteArray name = QStringLiteral("groupbox_style%1").arg(n).toLatin1();
            Page(name.constData(), 220, 120, [style = styles[n], n](QWidget* h) {
                GroupBox(h, style)->SetCaption(QStringLiteral("Group %1").arg(n));
            });
        }
        Page("groupbox_opaque", 220, 120, [](QWidget* h) { GroupBox(h, gsCustom)->SetColor(0x898989); });
        Page("groupbox_transparent", 220, 120, [](QWidget* h) {
            TSkGroupBox* g = GroupBox(h, gsCustom);
            g->SetColor(0x898989);
            g->SetTransparent(true);
        });
        Page("panel_raised", 220, 120, [](QWidget* h) { Panel(h); });
        Page("panel_gradient_rounded_grid", 220, 120, [](QWidget* h) {
            TSkPanel* p = Panel(h);
            p->SetVisualStyle(vsGradient);
            p->SetBorderOuter(fsFlatRounded);
            p->SetShowGrid(true);
        });

        Page("button_tinted_up", 120, 60, [](QWidget* h) { PushButton(h); });
        Page("button_tinted_down", 120, 60, PushButton,
             [](QWidget* h) { h->findChild<TSkButton*>()->ShowLookForPicture(true, false, true); });
        Page(
            "button_hottrack", 120, 60,
            [](QWidget* h) {
                TSkButton* b = PushButton(h);
                b->SetColor(clBtnFace);
                b->SetHotTrack(true);
            },
            [](QWidget* h) { h->findChild<TSkButton*>()->ShowLookForPicture(false, true, false); });
        Page("shapebutton_up", 120, 60, [](QWidget* h) { ShapeButton(h); });
        Page("shapebutton_down", 120, 60, ShapeButton,
             [](QWidget* h) { h->findChild<TSkShapeButton*>()->ShowStateForPicture(true); });

        Page("combobox", 160, 60, [](QWidget* h) { ComboBox(h); });
        Page("combobox_readonly", 160, 60, [](QWidget* h) { ComboBox(h)->SetReadOnly(true); });
        Page("label_raised", 160, 60, [](QWidget* h) { Label(h); });
        Page("label_rotated", 160, 60, [](QWidget* h) { RotatedLabel(h); });
        Page("label_curved", 160, 60, [](QWidget* h) {
            TSkLabel* l = RotatedLabel(h);
            l->SetRotation(roCurve);
            l->SetCenterPoint(cpLowerCenter);
        });

        Page("power_off", 150, 30, [](QWidget* h) { PowerButton(h); });
        Page("power_on", 150, 30, [](QWidget* h) { PowerButton(h)->SetActive(true); });
        Page("demo_up", 150, 30, [](QWidget* h) { DemoButton(h); });
        Page("demo_down", 150, 30, [](QWidget* h) { DemoButton(h)->ShowStateForPicture(true, true); });
        // Captions with accelerators: the marked letter is underlined.
        Page("accelerators", 290, 44, [](QWidget* h) {
            PushButton(h)->SetCaption(QStringLiteral("&Bypass"));
            TSkBmpButton* b = BmpButton(h);
            b->SetBounds(110, 8, 100, 28);
            b->SetCaption(QStringLiteral("&Gain"));
            TLedPowerButton* p = PowerButton(h);
            p->SetBounds(225, 14, 47, 16);
            p->SetCaption(QStringLiteral("A&LL"));
        });
    }
};
const Pages pages;

} // namespace
