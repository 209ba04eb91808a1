// The pages: made and bound once the controls exist, wired with the window's other handlers.
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
    FDelayPage = std::make_unique<DelayPage>(*this);
    FDynamicsPage = std::make_unique<DynamicsPage>(*this);
    FStripPage = std::make_unique<StripPage>(*this);
    FGeqPage = std::make_unique<GeqPage>(*this);
    FMatrixPage = std::make_unique<MatrixPage>(*this);
    FPeqPage = std::make_unique<PeqPage>(*this);
    TControlBinder binder(*this);
    for (TPage* page : std::initializer_list<TPage*>{FDelayPage.get(), FDynamicsPage.get(), FStripPage.get(),
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
