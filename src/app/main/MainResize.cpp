// TfmMain: applies the resize rules to the controls and re-places the delay markers.
#include "app/main/MainControls.h"
#include "app/main/TfmMain.h"
#include "app/pages/DelayPage.h"

#include "app/main/MainLayout.h"
#include "app/main/ResizeRules.h"

#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollArea>

namespace app
{

void TfmMain::FormResize()
{
    const ResizePlan plan = ResizeRules(OuterWidth(), OuterHeight());
    FAutoScroll = plan.autoScroll;
    if (plan.heightPass)
        FExtraHeight = plan.extraHeight;
    for (const Placement& p : plan.placements) {
        fw::TControl* c = FControls->placed.at(p.name);
        switch (p.prop) {
        case Prop::Left:
            c->SetLeft(p.value);
            break;
        case Prop::Top:
            c->SetTop(p.value);
            break;
        case Prop::Width:
            c->SetWidth(p.value);
            break;
        case Prop::Height:
            c->SetHeight(p.value);
            break;
        }
    }
    // The content keeps the size of the last pass in a direction that was skipped.
    const int cw = plan.widthPass ? width() : std::max(width(), FClient->width());
    const int ch = plan.heightPass ? height() : std::max(height(), FClient->height());
    FClient->resize(cw, ch);
    FMenuBar->setGeometry(0, 0, cw, kMenuHeight);
    FMenuBar->raise();
    FDelayPage->PlaceDelayMarkers();
    // The whole page is drawn again once, after every control has its place (hiding and showing it
    // sent each control its hide and show events and laid the page out twice).
    FControls->mainBox->update();
}

void TfmMain::resizeEvent(QResizeEvent* e)
{
    TForm::resizeEvent(e);
    FScroll->setGeometry(0, 0, width(), height());
    FormResize();
}

} // namespace app
