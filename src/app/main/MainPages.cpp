// The pages: made and bound once the controls exist, wired with the window's other handlers.
#include "app/main/TfmMain.h"
#include "app/pages/DelayPage.h"
#include "app/pages/DynamicsPage.h"
#include "app/pages/StripPage.h"

#include <stdexcept>

namespace app
{

void TfmMain::BindPages()
{
    FDelayPage = std::make_unique<DelayPage>(*this);
    FDynamicsPage = std::make_unique<DynamicsPage>(*this);
    FStripPage = std::make_unique<StripPage>(*this);
    TControlBinder binder(*this);
    for (TPage* page : std::initializer_list<TPage*>{FDelayPage.get(), FDynamicsPage.get(), FStripPage.get()})
        page->Bind(binder);
    if (!binder.Complete()) {
        FCreationStoppedAt = binder.Missing();
        throw std::runtime_error("The main window has no control " + binder.Missing().toStdString() + ".");
    }
}

void TfmMain::ConnectPageHandlers()
{
    ConnectGeqDelayMatrixHandlers();
    FDelayPage->Connect();
    FDynamicsPage->Connect();
    FStripPage->Connect();
}

} // namespace app
