// The pages: made and bound once the controls exist, wired with the window's other handlers.
#include "app/main/TfmMain.h"
#include "app/pages/DelayPage.h"
#include "app/pages/PeqPage.h"

#include <stdexcept>

namespace app
{

void TfmMain::BindPages()
{
    FDelayPage = std::make_unique<DelayPage>(*this);
    FPeqPage = std::make_unique<PeqPage>(*this);
    TControlBinder binder(*this);
    for (TPage* page : std::initializer_list<TPage*>{FDelayPage.get(), FPeqPage.get()})
        page->Bind(binder);
    if (!binder.Complete()) {
        FCreationStoppedAt = binder.Missing();
        throw std::runtime_error("The main window has no control " + binder.Missing().toStdString() + ".");
    }
}

void TfmMain::ConnectPageHandlers()
{
    ConnectDynamicsHandlers();
    ConnectGeqDelayMatrixHandlers();
    FDelayPage->Connect();
    FPeqPage->Connect();
}

} // namespace app
