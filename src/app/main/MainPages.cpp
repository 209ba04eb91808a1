// Editing on the dynamics, graphic equaliser, delay and matrix pages.
#include "app/main/TfmMain.h"

namespace app
{

void TfmMain::ConnectPageHandlers()
{
    ConnectDynamicsHandlers();
    ConnectGeqDelayMatrixHandlers();
}

} // namespace app
