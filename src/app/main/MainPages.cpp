// The pages and the link: made and bound once the controls exist, with the window's own controls, and
// wired with the window's other handlers.
#include "app/main/LinkController.h"
#include "app/main/MainControls.h"
#include "app/main/TfmMain.h"
#include "app/pages/DelayPage.h"
#include "app/pages/DynamicsPage.h"
#include "app/pages/GeqPage.h"
#include "app/pages/MatrixPage.h"
#include "app/pages/PeqPage.h"
#include "app/pages/StripPage.h"

#include <stdexcept>

namespace app
{

void TfmMain::BindPages()
{
    FControls = std::make_unique<TMainControls>();
    FLink = std::make_unique<TLinkController>(*this);
    FDelayPage = std::make_unique<DelayPage>(*this);
    FDynamicsPage = std::make_unique<DynamicsPage>(*this);
    FStripPage = std::make_unique<StripPage>(*this);
    FGeqPage = std::make_unique<GeqPage>(*this);
    FMatrixPage = std::make_unique<MatrixPage>(*this);
    FPeqPage = std::make_unique<PeqPage>(*this);
    TControlBinder binder(*this);
    FControls->Bind(binder);
    for (TPage* page :
         std::initializer_list<TPage*>{FLink.get(), FDelayPage.get(), FDynamicsPage.get(), FStripPage.get(),
                                       FGeqPage.get(), FMatrixPage.get(), FPeqPage.get()})
        page->Bind(binder);
    if (!binder.Complete()) {
        FCreationStoppedAt = binder.Missing();
        throw std::runtime_error("The main window has no control " + binder.Missing().toStdString() + ".");
    }
}

void TfmMain::ConnectPageHandlers()
{
    FDelayPage->Connect();
    FDynamicsPage->Connect();
    FStripPage->Connect();
    FGeqPage->Connect();
    FMatrixPage->Connect();
    FPeqPage->Connect();
}

} // namespace app
