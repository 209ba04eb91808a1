// Writes a PNG of each panel and button control in each of its states: panels_gallery [dir].
#include "controls/LedButtons.h"
#include "controls/SkBmpButton.h"
#include "controls/SkButton.h"
#include "controls/SkComboBox.h"
#include "controls/SkLabel.h"
#include "controls/SkPanel.h"
#include "controls/SkinButtons.h"

#include <QApplication>
#include <QDir>

using namespace fw;
using namespace sk;

namespace {
QString gDir;
void Shot(TControl* host, const QString& name)
{
    host->grab().save(gDir + "/" + name + ".png");
}
TControl* Host(int w, int h)
{
    auto* host = new TControl();
    host->setAutoFillBackground(true);
    QPalette pal = host->palette();
    pal.setColor(QPalette::Window, QColor(70, 90, 110));
    host->setPalette(pal);
    host->resize(w, h);
    return host;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gallery-out/panels");
    QDir().mkpath(gDir);

    { // bitmap button states
        TControl* host = Host(120, 40);
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
        Shot(host, "bmpbutton_up");
        b->SetDown(true);
        Shot(host, "bmpbutton_staydown");
        b->SetDown(false);
        b->SetEnabled(false);
        Shot(host, "bmpbutton_disabled");
        delete host;
    }
    { // group boxes and panels
        TControl* host = Host(220, 120);
        int n = 0;
        for (auto style : {gsStandard, gsFlat, gsTopLine, gsBanner, gsUnderline, gsCustom}) {
            auto* g = new TSkGroupBox(host);
            g->SetBounds(10, 10, 200, 100);
            g->SetGroupStyle(style);
            g->SetCaption(QStringLiteral("Group %1").arg(n));
            Shot(host, QStringLiteral("groupbox_style%1").arg(n++));
            delete g;
        }
        auto* g = new TSkGroupBox(host);
        g->SetBounds(10, 10, 200, 100);
        g->SetGroupStyle(gsCustom);
        g->SetColor(0x898989);
        Shot(host, "groupbox_opaque");
        g->SetTransparent(true);
        Shot(host, "groupbox_transparent");
        delete g;
        auto* p = new TSkPanel(host);
        p->SetBounds(10, 10, 200, 100);
        p->SetCaption(QStringLiteral("Panel"));
        Shot(host, "panel_raised");
        p->SetVisualStyle(vsGradient);
        p->SetBorderOuter(fsFlatRounded);
        p->SetShowGrid(true);
        Shot(host, "panel_gradient_rounded_grid");
        delete host;
    }
    { // push and shape buttons
        TControl* host = Host(120, 60);
        auto* b = new TSkButton(host);
        b->SetBounds(10, 10, 90, 24);
        b->SetCaption(QStringLiteral("Bypass"));
        b->SetColor(clSilver);
        Shot(host, "button_tinted_up");
        b->ShowLookForPicture(true, false, true);
        Shot(host, "button_tinted_down");
        b->ShowLookForPicture(false, true, false);
        b->SetColor(clBtnFace);
        b->SetHotTrack(true);
        Shot(host, "button_hottrack");
        delete b;
        auto* s = new TSkShapeButton(host);
        s->SetBitmap(SkinShape(40, 40));
        s->SetCaption(QStringLiteral("S"));
        Shot(host, "shapebutton_up");
        s->ShowStateForPicture(true);
        Shot(host, "shapebutton_down");
        delete host;
    }
    { // combo box and labels
        TControl* host = Host(160, 60);
        auto* c = new TSkComboBox(host);
        c->SetBounds(10, 10, 60, 22);
        c->SetColor(0xFFFFDF);
        c->SetFlatButtons(true);
        c->Add(QStringLiteral("BW -6"));
        c->Add(QStringLiteral("LK -24"));
        c->SetItemIndex(1);
        Shot(host, "combobox");
        c->SetReadOnly(true);
        Shot(host, "combobox_readonly");
        delete c;
        auto* l = new TSkLabel(host);
        l->SetCaption(QStringLiteral("Band 1"));
        l->SetTextStyle(tsRaised);
        l->SetBorderOuter(fsFlatBold);
        l->move(10, 10);
        Shot(host, "label_raised");
        l->SetAutoSize(false);
        l->SetBounds(10, 0, 140, 60);
        l->SetAngle(30);
        Shot(host, "label_rotated");
        l->SetRotation(roCurve);
        l->SetCenterPoint(cpLowerCenter);
        Shot(host, "label_curved");
        delete host;
    }
    { // power and demo buttons
        TControl* host = Host(150, 30);
        auto* p = new TLedPowerButton(host);
        p->SetColor(clBlack);
        p->Palette().SetLow(clOlive);
        p->Palette().SetHigh(clYellow);
        p->SetBevelWidth(0);
        p->SetOutlineWidth(0);
        p->Font().SetColor(clAqua);
        p->SetBounds(10, 7, 47, 16);
        p->SetCaption(QStringLiteral("ALL"));
        Shot(host, "power_off");
        p->SetActive(true);
        Shot(host, "power_on");
        auto* d = new TLedDemoButton(host);
        d->SetColor(clBlack);
        d->SetBevelWidth(1);
        d->SetBounds(70, 6, 65, 17);
        d->FontLeave().SetColor(clActiveBorder);
        d->FontLeave().SetHeight(-11);
        d->FontLeave().SetStyle(0);
        d->SetCaption(QStringLiteral("Reset"));
        Shot(host, "demo_up");
        d->ShowStateForPicture(true, true);
        Shot(host, "demo_down");
        delete host;
    }
    return 0;
}
